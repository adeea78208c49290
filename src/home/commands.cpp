// The home side of the game: choosing a stage, making games, eating, sleeping, shopping,
// borrowing, going out to sell, and the endings of a stage. A refusal tells the player why and
// changes nothing.
#include "home/commands.h"

#include "content/news.h"
#include "content/stages.h"
#include "core/game_state.h"
#include "core/line_queue.h"
#include "core/saturating.h"
#include "core/settings.h"
#include "core/texts.h"
#include "home/menu_commands.h"
#include "home/new_game.h"
#include "render/message_log.h"
#include "render/picture_store.h"
#include "rules/catalog_rules.h"
#include "rules/economy.h"
#include "rules/prices.h"
#include "ui/menu_buttons.h"

#include <algorithm>
#include <string>

namespace zen {

namespace {

std::string stage_name(const Game& game) { return tr(game, game.map_table.at(game.stage).name); }

// The checks before making a game or going out: too tired, too hungry. True when refused.
bool too_worn_out(Game& game)
{
    if (too_tired_to_work(game)) {
        post_silver(game, tr(game, Text::too_tired));
        return true;
    }
    if (too_hungry_to_work(game)) {
        post_silver(game, tr(game, Text::too_hungry));
        return true;
    }
    return false;
}

// Days left, as the wake-up and loan messages count them.
std::string days_left(const Game& game) { return num(kLastDay - static_cast<std::int64_t>(game.my.day)); }

} // namespace

void clear_made_games(Game& game)
{
    for (int id = 0; id < static_cast<int>(game.my.item_count.size()); ++id)
        if (is_genre(game, id)) game.my.item_count[static_cast<std::size_t>(id)] = 0;
}

void refill_rockets(Game& game) { game.my.rpg_ammo = rocket_refill(game); }

void advance_news(Game& game)
{
    if (news_may_advance(game)) game.my.news_index += 1;
}

void home_command(Game& game, int index)
{
    const tmenu& b = menu_record(game, index);
    tmy& my = game.my;
    switch (static_cast<HomeCommand>(b.command)) {
    case HomeCommand::abandon:
        post_silver(game, tr(game, Text::ask_abandon));
        show_menu(game, kMenuAbandon);
        break;
    case HomeCommand::make:
        play_sound(game, Sound::click);
        post_silver(game, tr(game, Text::ask_make));
        show_menu(game, kMenuMakeGame);
        break;
    case HomeCommand::options: show_menu(game, kMenuOptions); break;
    case HomeCommand::go_out:
        if (too_worn_out(game)) return;
        play_sound(game, Sound::click);
        post_silver(game, tr(game, Text::going_out));
        show_menu(game, kMenuSalesFloor);
        game.on_street = 1;
        show_picture(game, game.map_table.at(game.stage).picture);
        break;
    case HomeCommand::eat: {
        if (!pay(game, b.param)) return;
        const std::int64_t full = static_cast<std::int64_t>(my.hunger) + meal_fullness(game);
        my.hunger = static_cast<std::int32_t>(std::min<std::int64_t>(full, kStomachFull));
        play_sound(game, Sound::eat);
        show_menu(game, kMenuHome);
        break;
    }
    case HomeCommand::sleep: {
        // A menu opened late on the day before still shows the entry after midnight: on the last
        // day it does nothing, as if greyed.
        if (my.day >= kLastDay) return;
        const int energy = sleep_energy(game);
        my.shouts_used = 0;
        play_sound(game, Sound::sleep);
        post_silver(game, tr(game, Text::sleeping, {{"energy", num(energy)}}));
        show_picture(game, "sleep.jpg");
        gain_energy(game, energy);
        my.fatigue = 0;
        my.animal_came = 0;
        refill_rockets(game);
        show_menu(game, kMenuWakeUp);
        break;
    }
    case HomeCommand::shop:
        post_silver(game, tr(game, Text::ask_buy));
        show_menu(game, kMenuShop);
        break;
    }
}

void abandon_command(Game& game, int index)
{
    switch (static_cast<AbandonCommand>(menu_record(game, index).command)) {
    case AbandonCommand::yes:
        game.my.quota_done = 0;
        game.my.game_over = 0;
        clear_made_games(game);
        game.on_street = 0;
        game.stage = 0;
        game.my.sales = 0;
        show_picture(game, "start.jpg");
        show_menu(game, kMenuStart);
        break;
    case AbandonCommand::no: show_menu(game, kMenuHome); break;
    }
}

void options_command(Game& game, int index)
{
    // The options menu stays open.
    switch (static_cast<OptionsCommand>(menu_record(game, index).command)) {
    case OptionsCommand::sound: show_menu(game, kMenuSound); break;
    case OptionsCommand::energy_help:
        clear_messages(game);
        post_silver(game, tr(game, Text::energy_help));
        break;
    case OptionsCommand::credits:
        clear_messages(game);
        post_silver(game, tr(game, Text::credits));
        break;
    case OptionsCommand::sleep_help:
        clear_messages(game);
        post_silver(game, tr(game, Text::sleep_help));
        break;
    case OptionsCommand::language:
        switch_language(game, static_cast<Lang>(std::clamp(menu_record(game, index).param, 0, kLanguageCount - 1)));
        post_silver(game, tr(game, Text::language_now));
        show_menu(game, kMenuOptions); // its captions in the new language
        break;
    case OptionsCommand::pause_in_background:
        switch_pause_on_focus_loss(game, !game.pause_on_focus_loss);
        post_silver(game,
                    tr(game, game.pause_on_focus_loss ? Text::pauses_in_background : Text::plays_on_in_background));
        show_menu(game, kMenuOptions); // the switch's caption turns
        break;
    case OptionsCommand::fullscreen:
        switch_fullscreen(game, !game.platform.window->fullscreen());
        show_menu(game, kMenuOptions);
        break;
    case OptionsCommand::more_languages: show_menu(game, kMenuLanguages); break;
    }
}

void sound_command(Game& game, int index)
{
    tmy& my = game.my;
    switch (static_cast<SoundCommand>(menu_record(game, index).command)) {
    case SoundCommand::quieter: my.volume = std::max(saturating_add(my.volume, -400), -4000); break;
    case SoundCommand::louder: my.volume = std::min(saturating_add(my.volume, 400), 0); break;
    default: return;
    }
    post_silver(game, tr(game, Text::volume_is, {{"volume", num(my.volume)}}));
    play_sound(game, Sound::click); // heard at the new volume
}

void start_command(Game& game, int index)
{
    tmy& my = game.my;
    switch (static_cast<StartCommand>(menu_record(game, index).command)) {
    case StartCommand::start:
        clear_messages(game);
        if (my.story_flag[0] == 0) {
            new_game(game);
            my.story_flag[0] = 1;
        }
        if (my.game_over >= 1 && game.stage >= 1) {
            // The game was saved while its time-up screen waited.
            post_silver(game, tr(game, Text::game_over));
            show_menu(game, kMenuTimeUp);
        } else if (my.quota_done >= 1 && game.stage >= 1) {
            post_silver(game, tr(game, Text::resume_quota_done, {{"stage", stage_name(game)}}));
            show_menu(game, kMenuStageCleared);
        } else if (game.stage != 0) {
            stop_music(game);
            clear_messages(game);
            show_picture(game, "pc.jpg");
            post_silver(game, tr(game, Text::resume_stage, {{"stage", stage_name(game)}}));
            show_menu(game, kMenuHome);
        } else {
            show_picture(game, "map.jpg");
            post_silver(game, tr(game, Text::which_stage));
            build_stage_tables(game);
            show_menu(game, kMenuStageSelect);
        }
        break;
    case StartCommand::cleared:
        play_sound(game, Sound::clear_mark);
        post_silver(game, tr(game, Text::cleared_praise));
        break;
    case StartCommand::true_clear:
        play_sound(game, Sound::clear_mark);
        post_silver(game, tr(game, Text::true_clear_1));
        post_silver(game, tr(game, Text::true_clear_2));
        break;
    case StartCommand::news: {
        const std::int32_t entry = my.news_index;
        if (entry < 0 || static_cast<std::size_t>(entry) >= my.news_read.size()) return;
        clear_messages(game);
        post_silver(game, tr(game, Text::news_arrived));
        my.news_read[static_cast<std::size_t>(entry)] = 1;
        play_music(game, Music::universe);
        // Read click by click; the menu comes back without the news entry.
        for (int line = 0; line < kNewsLines && news_line(game, entry, line) != Text::none; ++line)
            append_line(game, tr(game, news_line(game, entry, line)));
        show_menu(game, kMenuStart);
        break;
    }
    case StartCommand::legend_clear:
        play_sound(game, Sound::clear_mark);
        post_silver(game, tr(game, Text::legend_clear_praise));
        break;
    }
}

void make_game_command(Game& game, int index)
{
    const tmenu& b = menu_record(game, index);
    if (b.command != command_number(MakeGameCommand::make)) return;
    const std::int32_t genre = b.param;
    const std::int32_t cost = b.param2;
    if (!is_genre(game, genre)) return; // an entry that names no genre makes nothing
    tmy& my = game.my;
    if (too_worn_out(game)) return;
    if (cost >= 1) {
        if (my.energy < cost) {
            post_silver(game, tr(game, Text::not_enough_energy));
            return;
        }
        my.energy -= cost;
    }
    // Hunger and fatigue are clamped to 0..100 at the end of the frame.
    my.hunger = kept_add(my.hunger, -(static_cast<std::int64_t>(cost) + game.random(3)));
    my.fatigue = kept_add(my.fatigue, static_cast<std::int64_t>(cost) + game.random(2));
    post_silver(game, tr(game, Text::game_finished));
    gain_one_item(game, genre);
    // Each tool of the genre may add one more copy.
    for (const int tool : extra_copy_chain(genre)) {
        if (!held(game, tool) || game.random(3) != 0) continue;
        play_sound(game, Sound::extra_copy);
        post_message(game, tr(game, Text::extra_copy), Ink::green);
        std::int32_t& stock = my.item_count[static_cast<std::size_t>(genre)];
        stock = kept_add(stock, 1);
    }
    gain_exp(game, boost_exp(game, cost));
    show_menu(game, kMenuMakeGame);
}

void stage_select_command(Game& game, int index)
{
    const std::int32_t s = menu_record(game, index).command;
    const bool back = s == kStageSelectBack;
    if (!back && (s < kFirstStage || s > kLastStage)) return;
    stop_music(game);
    clear_messages(game);
    if (back) {
        show_menu(game, kMenuStart);
        return;
    }
    tmy& my = game.my;
    game.stage = s;
    my.day = 0;
    my.hour = 0;
    my.minute = 0;
    my.game_over = 0;
    my.quota_done = 0;
    my.sales = 0;
    my.shouts_used = 0;
    if (s == 2 && my.stage_clears[2] == 0) post_silver(game, tr(game, Text::fight_goes_on));
    post_silver(game, tr(game, Text::play_stage, {{"stage", stage_name(game)}}));
    my.energy = my.energy_max;
    my.hunger = kStomachFull;
    my.fatigue = 0;
    show_picture(game, "pc.jpg");
    game.street_figures.fill(tman{});
    refill_rockets(game);
    show_menu(game, kMenuHome);
}

void wake_up_command(Game& game, int)
{
    tmy& my = game.my;
    my.hunger = my.hunger / 2;
    // Counted from the day before waking: one more than the clock's own count for the new day.
    post_silver(game, tr(game, Text::good_morning, {{"days", days_left(game)}}));
    show_picture(game, "pc.jpg");
    my.day = kept_add(my.day, 1); // a night's sleep costs exactly one day
    show_menu(game, kMenuHome);
}

void time_up_command(Game& game, int)
{
    clear_made_games(game);
    game.on_street = 0;
    game.stage = 0;
    show_picture(game, "gameover.jpg");
    advance_news(game);
    show_menu(game, kMenuStart);
}

void shop_command(Game& game, int index)
{
    const tmenu& b = menu_record(game, index);
    tmy& my = game.my;
    std::int32_t* ad = stage_entry(my.ad_power, game.stage);
    std::int32_t* contracts = stage_entry(my.animal_contracts, game.stage);
    // What the entry names must exist before anything is paid.
    const auto command = static_cast<ShopCommand>(b.command);
    switch (command) {
    case ShopCommand::energy:
    case ShopCommand::loan: break;
    case ShopCommand::poster:
        if (!ad) return;
        break;
    case ShopCommand::book:
        if (!is_catalog_id(b.param2)) return;
        break;
    case ShopCommand::item:
        if (!is_catalog_id(b.item_id)) return;
        break;
    case ShopCommand::animal:
        if (!contracts) return;
        break;
    default: return; // a number no shop entry carries
    }
    if (!pay(game, b.param)) return;
    switch (command) {
    case ShopCommand::energy:
        play_sound(game, Sound::purchase);
        my.energy_max = kept_add(my.energy_max, 1);
        post_silver(game, tr(game, Text::bought_energy));
        break;
    case ShopCommand::poster:
        play_sound(game, Sound::purchase);
        *ad = kept_add(*ad, 1);
        post_message(game, tr(game, Text::bought_poster), Ink::aqua);
        break;
    case ShopCommand::loan:
        my.day = kept_add(my.day, 1);
        post_silver(game, tr(game, Text::took_loan, {{"days", days_left(game)}}));
        my.loans = kept_add(my.loans, 1);
        gain_money(game, kLoanAmount);
        break;
    case ShopCommand::book:
        my.genre_known[static_cast<std::size_t>(b.param2)] = 1;
        post_message(game, tr(game, Text::read_book, {{"genre", tr(game, game.item_table.at(b.param2).name)}}),
                     Ink::yellow);
        play_sound(game, Sound::purchase);
        break;
    case ShopCommand::item:
        gain_one_item(game, b.item_id);
        post_message(game,
                     tr(game, Text::bought_item, {{"effect", tr(game, game.item_table.at(b.item_id).description)}}),
                     Ink::aqua);
        play_sound(game, Sound::skill_up);
        break;
    case ShopCommand::animal:
        play_sound(game, Sound::purchase);
        *contracts = kept_add(*contracts, 1);
        post_message(game, tr(game, Text::bought_animal), Ink::aqua);
        break;
    }
    // Bought entries vanish; prices and locks follow the new state.
    show_menu(game, kMenuShop);
}

void stage_cleared_command(Game& game, int)
{
    clear_made_games(game);
    game.on_street = 0;
    game.stage = 0;
    play_sound(game, Sound::stage_clear);
    show_picture(game, "clear.jpg");
    append_line(game, tr(game, Text::congratulation));
    advance_news(game);
    show_menu(game, kMenuStart);
}

} // namespace zen
