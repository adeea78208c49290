// Captions are built when a menu opens and stay as they are while it is open: every command that
// changes what its menu shows opens the menu again. Only a switch's caption follows its setting
// frame by frame, since a window key changes the setting without a command. A backslash before a
// price is drawn as the yen sign.
#include "home/menu_contents.h"

#include "content/news.h"
#include "core/game_state.h"
#include "core/texts.h"
#include "home/commands.h"
#include "home/menu_commands.h"
#include "rules/catalog_rules.h"
#include "rules/prices.h"
#include "ui/menu_buttons.h"
#include "ui/menu_registry.h"

#include <string>

namespace zen {

namespace {

tmenu& record(Game& game, int index) { return game.menu_buttons[static_cast<std::size_t>(index)]; }

bool genre_learnt(const Game& game, std::int32_t id)
{
    return is_catalog_id(id) && game.my.genre_known[static_cast<std::size_t>(id)] >= 1;
}

void build_home(Game& game, std::int32_t)
{
    menu_entry(game, 1, kMenuHome, tr(game, Text::home_make), HomeCommand::make, 200);
    menu_entry(game, 2, kMenuHome, tr(game, Text::home_go_out), HomeCommand::go_out, 200);
    const std::int32_t meal = meal_price(game);
    tmenu& eat =
        menu_entry(game, 3, kMenuHome, tr(game, Text::home_eat, {{"price", num(meal)}}), HomeCommand::eat, 200);
    eat.param = meal;
    eat.locked = full_for_a_meal(game) ? 1 : 0;
    tmenu& sleep = menu_entry(game, 4, kMenuHome, tr(game, Text::home_sleep), HomeCommand::sleep, 200);
    sleep.locked = may_sleep(game) ? 0 : 1; // not tired, or the last day
    menu_entry(game, 5, kMenuHome, tr(game, Text::home_shop), HomeCommand::shop, 200);
    menu_entry(game, 10, kMenuHome, tr(game, Text::home_options), HomeCommand::options, 200);
    menu_entry(game, 11, kMenuHome, tr(game, Text::home_abandon), HomeCommand::abandon, 200);
}

// The entries that never change: the abandon question, the options, the sound, and the single
// buttons of the wake-up, time-up and stage-cleared screens (whose command the menu alone decides).
struct FixedEntry {
    int index;
    MenuKey key;
    Text caption;
    std::int32_t command;
    int width;
    MenuKey back_to;
    // A switch says what choosing it does: this caption while `on` holds.
    Text caption_when_on = Text::none;
    bool (*on)(const Game& game) = nullptr;
};

bool pauses_in_background(const Game& game) { return game.pause_on_focus_loss; }
bool plays_fullscreen(const Game& game) { return game.platform.window && game.platform.window->fullscreen(); }

constexpr FixedEntry kFixedEntries[] = {
    {50, kMenuAbandon, Text::answer_yes, command_number(AbandonCommand::yes), 200, kMenuHome},
    {51, kMenuAbandon, Text::answer_no, command_number(AbandonCommand::no), 200, kMenuNone},
    {60, kMenuOptions, Text::options_energy_help, command_number(OptionsCommand::energy_help), 300, kMenuHome},
    {61, kMenuOptions, Text::options_sleep_help, command_number(OptionsCommand::sleep_help), 300, kMenuNone},
    {62, kMenuOptions, Text::options_sound, command_number(OptionsCommand::sound), 300, kMenuNone},
    {63, kMenuOptions, Text::options_credits, command_number(OptionsCommand::credits), 300, kMenuNone},
    {65, kMenuOptions, Text::options_pause_in_background, command_number(OptionsCommand::pause_in_background), 300,
     kMenuNone, Text::options_play_on_in_background, pauses_in_background},
    {66, kMenuOptions, Text::options_fullscreen, command_number(OptionsCommand::fullscreen), 300, kMenuNone,
     Text::options_windowed, plays_fullscreen},
    {100, kMenuSound, Text::sound_quieter, command_number(SoundCommand::quieter), 200, kMenuOptions},
    {101, kMenuSound, Text::sound_louder, command_number(SoundCommand::louder), 200, kMenuNone},
    {kWakeUpRecord, kMenuWakeUp, Text::wake_up, 0, 200, kMenuNone},
    {kTimeUpRecord, kMenuTimeUp, Text::time_up, 0, 200, kMenuNone},
    {kStageClearedRecord, kMenuStageCleared, Text::stage_cleared, 0, 250, kMenuNone},
};

std::string fixed_caption(const Game& game, const FixedEntry& f)
{
    return tr(game, f.on && f.on(game) ? f.caption_when_on : f.caption);
}

// The options' language switches: one for each of the first languages but the one in play, in
// the table's order, each in its own language so that its readers find it; then, when there are
// more languages than switches, the way to the menu of them all.
constexpr int kLanguageRecords[] = {64, 67, 68, 69, 70};
constexpr int kMoreLanguagesRecord = 71;

// A switch to language l, named in l's own words.
tmenu& language_switch(Game& game, int index, std::int32_t key, int l)
{
    tmenu& b = menu_entry(game, index, key, std::string(text_in(static_cast<Lang>(l), Text::options_play_in)),
                          OptionsCommand::language, 300);
    b.param = l;
    return b;
}

void build_language_switches(Game& game)
{
    std::size_t next = 0;
    for (int l = 0; l < kLanguageCount && next < std::size(kLanguageRecords); ++l)
        if (static_cast<Lang>(l) != game.lang) language_switch(game, kLanguageRecords[next++], kMenuOptions, l);
    for (; next < std::size(kLanguageRecords); ++next) record(game, kLanguageRecords[next]).caption.clear();
    const bool more = static_cast<std::size_t>(kLanguageCount - 1) > std::size(kLanguageRecords);
    menu_entry(game, kMoreLanguagesRecord, kMenuOptions, more ? tr(game, Text::options_more_languages) : std::string(),
               OptionsCommand::more_languages, 300);
}

// Every language but the one in play, each in its own language; back to the options.
void build_languages(Game& game, std::int32_t)
{
    constexpr MenuRecords kRecords = menu_records(kMenuLanguages);
    int next = kRecords.first;
    for (int l = 0; l < kLanguageCount && next <= kRecords.last; ++l)
        if (static_cast<Lang>(l) != game.lang) language_switch(game, next++, kMenuLanguages, l).back_to = kMenuOptions;
    for (; next <= kRecords.last; ++next) record(game, next).caption.clear();
}

// The entries of one fixed menu.
void build_fixed(Game& game, std::int32_t key)
{
    for (const FixedEntry& f : kFixedEntries)
        if (f.key == key)
            menu_entry(game, f.index, f.key, fixed_caption(game, f), f.command, f.width).back_to = f.back_to;
    if (key == kMenuOptions) build_language_switches(game);
}

void build_start(Game& game, std::int32_t)
{
    const tmy& my = game.my;
    const auto shown_if = [&](bool shown, Text caption) { return shown ? tr(game, caption) : std::string(); };
    menu_entry(game, 201, kMenuStart, tr(game, my.story_flag[0] == 0 ? Text::start_new_game : Text::start_continue),
               StartCommand::start, 200);
    menu_entry(game, 202, kMenuStart, shown_if(my.stage_clears[5] != 0, Text::start_cleared), StartCommand::cleared,
               200);
    menu_entry(game, 203, kMenuStart, shown_if(my.stage_clears[6] != 0, Text::start_true_clear),
               StartCommand::true_clear, 200);
    menu_entry(game, 204, kMenuStart, shown_if(my.stage_clears[12] != 0, Text::start_legend_clear),
               StartCommand::legend_clear, 200);
    const std::int32_t n = my.news_index;
    const bool unread = n >= 0 && static_cast<std::size_t>(n) < my.news_read.size() &&
                        my.news_read[static_cast<std::size_t>(n)] <= 0 && news_line(game, n, 0) != Text::none;
    menu_entry(game, 205, kMenuStart, shown_if(unread, Text::start_news), StartCommand::news, 200).icon = "mail.bmp";
}

void build_make_game(Game& game, std::int32_t)
{
    constexpr int kFirst = menu_records(kMenuMakeGame).first;
    constexpr int kLast = menu_records(kMenuMakeGame).last;
    tmy& my = game.my;
    my.genre_known[kFirstGenre] = 1; // the first genre is always known
    int next = kFirst;
    for (int id = 0; id <= ItemTable::kLastId && next <= kLast; ++id) {
        if (game.item_table.at(id).kind == kKindGenre && my.genre_known[static_cast<std::size_t>(id)] >= 1)
            record(game, next++).param = id;
    }
    for (int i = next; i <= kLast; ++i) {
        // Emptied as well, so that genres of an earlier game are not listed after a reset.
        record(game, i).param = 0;
        record(game, i).caption.clear();
    }
    for (int i = kFirst; i < next; ++i) {
        tmenu& b = record(game, i);
        const titem& genre = game.item_table.at(b.param);
        b.menu = kMenuMakeGame;
        b.width = 400;
        b.height = 45;
        b.command = command_number(MakeGameCommand::make);
        b.right_align = 1;
        b.back_to = kMenuHome;
        b.caption =
            tr(game, Text::make_entry, {{"genre", tr(game, genre.name)}, {"count", num(count_of(game, b.param))}});
        b.param2 = genre.energy_cost;
        if (genre.energy_cost >= 1) b.caption += tr(game, Text::make_energy_cost, {{"cost", num(genre.energy_cost)}});
        if (!genre.picture.empty()) b.icon = genre.picture;
    }
}

void build_stage_select(Game& game, std::int32_t)
{
    const tmy& my = game.my;
    const bool second_cycle = my.stage_clears[6] >= 1; // the six later stages, once stage 6 is cleared
    for (int s = 0; s <= 98; ++s) {
        tmenu& b = record(game, kStageSelectFirstRecord + s);
        const tmap& place = game.map_table.at(s);
        if (place.name == Text::none || (s > 6 && !second_cycle)) {
            // Not offered now: emptied, so a stage of an earlier game does not stay listed.
            b.caption.clear();
            continue;
        }
        menu_entry(game, kStageSelectFirstRecord + s, kMenuStageSelect,
                   tr(game, Text::stage_entry,
                      {{"stage", tr(game, place.name)},
                       {"quota", num(place.quota)},
                       {"clears", num(my.stage_clears[static_cast<std::size_t>(s)])}}),
                   s, 400);
        if (s >= 2 && my.stage_clears[static_cast<std::size_t>(s - 1)] == 0) {
            b.caption = tr(game, Text::stage_locked);
            b.locked = 1;
        }
    }
    menu_entry(game, menu_records(kMenuStageSelect).last, kMenuStageSelect, tr(game, Text::stage_back),
               kStageSelectBack, 400);
}

constexpr int kShopFirst = menu_records(kMenuShop).first;
constexpr int kShopItemsFirst = 630;
constexpr int kBooksFirst = 652;
constexpr int kBooksLast = 663;
constexpr int kShopLoanRecord = 699;
constexpr int kShopLast = menu_records(kMenuShop).last;
constexpr int kShopShown = 12;

// A shop entry with its fixed fields; it names no item unless it is one.
tmenu& shop_entry(Game& game, int index, const std::string& caption, ShopCommand command, std::int32_t price, Text hint)
{
    tmenu& b = record(game, index);
    b.caption = caption;
    b.command = command_number(command);
    b.param = price;
    b.hint = tr(game, hint);
    b.item_id = 0;
    return b;
}

void build_shop(Game& game, std::int32_t)
{
    const tmy& my = game.my;
    const std::int64_t a = stage_value(my.ad_power, game.stage);
    const std::int64_t e = my.energy_max;

    tmenu& poster =
        shop_entry(game, 620, a >= kMostPosters ? "" : tr(game, Text::shop_poster, {{"number", num(a + 1)}}),
                   ShopCommand::poster, poster_price(game), Text::shop_poster_hint);
    poster.need_level = poster_level(game);

    tmenu& energy = shop_entry(game, 622, tr(game, Text::shop_energy, {{"number", num(e - 4)}}), ShopCommand::energy,
                               energy_upgrade_price(game), Text::shop_energy_hint);
    energy.need_level = energy_upgrade_level(game);
    energy.back_to = kMenuHome;

    tmenu& animal =
        shop_entry(game, 623, stage_value(my.animal_contracts, game.stage) >= 1 ? "" : tr(game, Text::shop_animal),
                   ShopCommand::animal, contract_price(game), Text::shop_animal_hint);
    animal.need_level = contract_level(game);

    for (int i = kShopItemsFirst; i <= kShopLast; ++i) record(game, i).caption.clear();

    // Items in catalog order. They skip the records of the books, so a book never takes an
    // item's place and no stale item id stays on a book; items past the last record wait until
    // those before them are bought.
    int next = kShopItemsFirst;
    for (int id = 0; id <= ItemTable::kLastId && next < kShopLoanRecord; ++id) {
        if (!shop_reaches(game, id)) continue;
        const titem& item = game.item_table.at(id);
        tmenu& b = shop_entry(game, next, tr(game, item.name), ShopCommand::item, item.price, item.description);
        b.item_id = id;
        if (!shop_offers(game, id)) b.caption.clear(); // a hidden item still takes its record
        next = next + 1 == kBooksFirst ? kBooksLast + 1 : next + 1;
    }

    for (const Book& book : shop_books()) {
        const bool offered = game.stage >= book.min_stage && my.level >= book.min_level;
        tmenu& b = shop_entry(game, book.record, offered ? tr(game, book.title) : "", ShopCommand::book, book.price,
                              Text::shop_book_hint);
        b.param2 = book.genre;
    }

    shop_entry(game, kShopLoanRecord,
               loan_offered(game) ? tr(game, Text::shop_loan, {{"amount", num(kLoanAmount)}}) : std::string(),
               ShopCommand::loan, 0, Text::shop_loan_hint);

    // Prices and levels into the captions, locks, and at most twelve entries.
    int shown = 0;
    for (int i = kShopFirst; i <= kShopLast; ++i) {
        tmenu& b = record(game, i);
        if (!b.caption.empty()) {
            if (b.need_level >= 1) b.caption += tr(game, Text::shop_need_level, {{"level", num(b.need_level)}});
            if (b.param >= 1) b.caption += tr(game, Text::shop_price, {{"price", num(b.param)}});
            b.menu = kMenuShop;
            b.width = 300;
            b.height = 45;
            b.right_align = 1;
            b.locked = (my.level < b.need_level || my.money < b.param) ? 1 : 0;
        }
        if (b.item_id >= 1 && held(game, b.item_id)) b.caption.clear(); // already bought
        if (b.command == command_number(ShopCommand::book) && genre_learnt(game, b.param2))
            b.caption.clear(); // genre already learnt
        if (!b.caption.empty() && ++shown > kShopShown) b.caption.clear();
    }
}

} // namespace

void follow_switches(Game& game)
{
    for (const FixedEntry& f : kFixedEntries) {
        tmenu& b = record(game, f.index);
        if (f.on && f.key == game.open_menu && b.menu == f.key && b.visible == 1) b.caption = fixed_caption(game, f);
    }
}

void register_home_menus(Game& game)
{
    // The start menu and the fixed menus are rebuilt at every opening of any menu.
    register_menu(game, {kMenuStart, build_start, start_command, true});
    struct FixedMenu {
        MenuKey key;
        void (*run)(Game& game, int index);
    };
    constexpr FixedMenu kFixedMenus[] = {
        {kMenuAbandon, abandon_command}, {kMenuOptions, options_command}, {kMenuSound, sound_command},
        {kMenuWakeUp, wake_up_command},  {kMenuTimeUp, time_up_command},  {kMenuStageCleared, stage_cleared_command},
    };
    for (const FixedMenu& m : kFixedMenus) register_menu(game, {m.key, build_fixed, m.run, true});
    // The languages' switches are the options' own commands.
    register_menu(game, {kMenuLanguages, build_languages, options_command, true});
    register_menu(game, {kMenuHome, build_home, home_command, false});
    register_menu(game, {kMenuMakeGame, build_make_game, make_game_command, false});
    register_menu(game, {kMenuStageSelect, build_stage_select, stage_select_command, false});
    register_menu(game, {kMenuShop, build_shop, shop_command, false});
}

} // namespace zen
