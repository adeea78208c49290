// Captions are built when a menu opens and stay as they are while it is open: every command that
// changes what its menu shows opens the menu again. A backslash before a price is drawn as the
// yen sign.
#include "home/menu_contents.h"

#include "content/catalog_rules.h"
#include "content/news.h"
#include "core/game_state.h"
#include "core/saturating.h"

#include <string>

namespace zen {

namespace {

std::string num(std::int64_t v) { return std::to_string(v); }

tmenu& record(Game& game, int index) { return game.menu_buttons[static_cast<std::size_t>(index)]; }

// A plain entry: centred caption, no icon, no hint, no way back, not greyed.
tmenu& entry(Game& game, int index, MenuKey key, const std::string& caption, std::int32_t command, int width)
{
    tmenu& b = record(game, index);
    b.menu = key;
    b.caption = caption;
    b.command = command;
    b.width = width;
    b.height = 45;
    b.right_align = 0;
    b.back_to = 0;
    b.icon.clear();
    b.hint.clear();
    b.locked = 0;
    return b;
}

bool genre_learnt(const Game& game, std::int32_t id)
{
    return is_catalog_id(id) && game.my.genre_known[static_cast<std::size_t>(id)] >= 1;
}

std::int32_t stage_level(const Game& game) { return game.map_table.at(game.stage).stage_level; }

void build_home(Game& game)
{
    const tmy& my = game.my;
    entry(game, 1, kMenuHome, "ゲームを造る", 2, 200);
    entry(game, 2, kMenuHome, ">> 売り場へ!! <<", 4, 200);
    const std::int32_t meal = clamp_to_int32(100LL * stage_level(game));
    tmenu& eat = entry(game, 3, kMenuHome, "ご飯を食べる \\" + num(meal), 5, 200);
    eat.param = meal;
    eat.locked = my.hunger >= 90 ? 1 : 0;
    tmenu& sleep = entry(game, 4, kMenuHome, "寝る", 6, 200);
    sleep.locked = (my.fatigue < 25 || my.day >= 7) ? 1 : 0; // not tired, or the last day
    entry(game, 5, kMenuHome, ">お店へ", 7, 200);
    entry(game, 10, kMenuHome, "OPTION", 3, 200);
    entry(game, 11, kMenuHome, "×このステージを断念", 1, 200);
}

// The entries that never change: the abandon question, the options, the sound, and the single
// buttons of the wake-up, time-up and stage-cleared screens (whose command the menu alone decides).
struct FixedEntry {
    int index;
    MenuKey key;
    const char* caption;
    std::int32_t command;
    int width;
    MenuKey back_to;
};

constexpr FixedEntry kFixedEntries[] = {
    {50, kMenuAbandon, "はい", 1, 200, kMenuHome},
    {51, kMenuAbandon, "いいえ", 2, 200, kMenuNone},
    {60, kMenuOptions, "エナジーの回復率について", 2, 300, kMenuHome},
    {61, kMenuOptions, "寝るコマンドについて", 4, 300, kMenuNone},
    {62, kMenuOptions, "SOUND", 1, 300, kMenuNone},
    {63, kMenuOptions, "クレジット", 3, 300, kMenuNone},
    {100, kMenuSound, "音量を下げる", 1, 200, kMenuOptions},
    {101, kMenuSound, "音量を上げる", 2, 200, kMenuNone},
    {600, kMenuWakeUp, "起床", 0, 200, kMenuNone},
    {610, kMenuTimeUp, "タイムリミット！！", 0, 200, kMenuNone},
    {700, kMenuStageCleared, "ステージクリア!", 0, 250, kMenuNone},
};

void build_fixed(Game& game)
{
    for (const FixedEntry& f : kFixedEntries)
        entry(game, f.index, f.key, f.caption, f.command, f.width).back_to = f.back_to;
}

void build_start(Game& game)
{
    const tmy& my = game.my;
    entry(game, 201, kMenuStart, my.story_flag[0] == 0 ? "<< NEW GAME >>" : "< START >", 2, 200);
    entry(game, 202, kMenuStart, my.stage_clears[5] != 0 ? "クリア" : "", 3, 200);
    entry(game, 203, kMenuStart, my.stage_clears[6] != 0 ? "TRUE CLEAR!!" : "", 4, 200);
    entry(game, 204, kMenuStart, my.stage_clears[12] != 0 ? "LEGEND CLEAR!!" : "", 6, 200);
    const std::int32_t n = my.news_index;
    const bool unread = n >= 0 && static_cast<std::size_t>(n) < my.news_read.size() &&
                        my.news_read[static_cast<std::size_t>(n)] <= 0 && !news_line(game, n, 0).empty();
    entry(game, 205, kMenuStart, unread ? "ニュース　　" : "", 5, 200).icon = "mail.bmp";
}

void build_make_game(Game& game)
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
        b.command = 1;
        b.right_align = 1;
        b.back_to = kMenuHome;
        b.caption = "開発：" + genre.name + "(" + num(count_of(game, b.param)) + ")";
        b.param2 = genre.energy_cost;
        if (genre.energy_cost >= 1) b.caption += " E-" + num(genre.energy_cost);
        if (!genre.picture.empty()) b.icon = genre.picture;
    }
}

void build_stage_select(Game& game)
{
    const tmy& my = game.my;
    const bool second_cycle = my.stage_clears[6] >= 1; // the six later stages, once stage 6 is cleared
    for (int s = 0; s <= 98; ++s) {
        tmenu& b = record(game, 400 + s);
        const tmap& place = game.map_table.at(s);
        if (place.name.empty() || (s > 6 && !second_cycle)) {
            // Not offered now: emptied, so a stage of an earlier game does not stay listed.
            b.caption.clear();
            continue;
        }
        entry(game, 400 + s, kMenuStageSelect,
              place.name + " ノルマ：" + num(place.quota) + "円 クリア：" +
                  num(my.stage_clears[static_cast<std::size_t>(s)]),
              s, 400);
        if (s >= 2 && my.stage_clears[static_cast<std::size_t>(s - 1)] == 0) {
            b.caption = "????";
            b.locked = 1;
        }
    }
    entry(game, 499, kMenuStageSelect, ">Back", -1, 400);
}

void build_sales_floor(Game& game)
{
    const tmy& my = game.my;
    const bool launcher = held(game, kItemLauncher);
    const std::int64_t shouts_left = static_cast<std::int64_t>(shout_limit(game)) - my.shouts_used;
    entry(game, 500, kMenuSalesFloor, ">> 自宅へ！ <<", 1, 200);
    entry(game, 501, kMenuSalesFloor, "声を出す 残:" + num(shouts_left), 2, 200).locked =
        (my.fatigue >= 80 || my.hunger <= 10 || shouts_left <= 0) ? 1 : 0;
    tmenu& rpg = entry(game, 502, kMenuSalesFloor, launcher ? "RPGを撃つ 残:" + num(my.rpg_ammo) : "", 3, 200);
    rpg.locked = my.rpg_ammo <= 0 ? 1 : 0;
    for (int i = menu_records(kMenuSalesFloor).first; i <= menu_records(kMenuSalesFloor).last; ++i) {
        tmenu& b = record(game, i);
        b.menu = kMenuSalesFloor;
        b.width = 200;
        b.back_to = 0;
        b.height = launcher ? 40 : 45;
    }
}

// A reference book of the shop: its record, caption, price, the genre it teaches, and when it is offered.
struct Book {
    int index;
    const char* caption;
    std::int32_t price;
    std::int32_t genre;
    std::int32_t min_stage;
    std::int32_t min_level;
};

constexpr Book kBooks[] = {
    {652, "参考書『ショーてぃんぐの作り方』", 500, 2, 1, 0},
    {653, "参考書『SLGの作り方』", 1000, 3, 2, 0},
    {654, "参考書『SLGの作り方Ⅱ』", 2000, 4, 3, 0},
    {655, "参考書『恋愛ゲーム作り方』", 3000, 5, 4, 0},
    {656, "参考書『ＲＰＧの作り方』", 4000, 6, 5, 0},
    {657, "参考書『格ゲーの作り方』", 5000, 7, 6, 0},
    {658, "参考書『FPSの作り方』", 9000, 8, 6, 0},
    {659, "参考書『Onlineゲーの作り方』", 10000, 9, 7, 0},
    {660, "参考書『ダンジョンゲームの作り方』", 12000, 10, 8, 28},
    {661, "参考書『スマホゲームの作り方』", 15000, 11, 9, 34},
    {662, "参考書『アナログゲームの作り方』", 20000, 12, 10, 40},
    {663, "参考書『魔のゲームの作り方』", 30000, 13, 12, 46},
};

constexpr int kShopFirst = menu_records(kMenuShop).first;
constexpr int kShopItemsFirst = 630;
constexpr int kBooksFirst = 652;
constexpr int kBooksLast = 663;
constexpr int kShopLoan = 699;
constexpr int kShopLast = menu_records(kMenuShop).last;
constexpr int kShopShown = 12;

// A shop entry with its fixed fields; it names no item unless it is one.
tmenu& shop_entry(Game& game, int index, const std::string& caption, std::int32_t command, std::int32_t price,
                  const char* hint)
{
    tmenu& b = record(game, index);
    b.caption = caption;
    b.command = command;
    b.param = price;
    b.hint = hint;
    b.item_id = 0;
    return b;
}

void build_shop(Game& game)
{
    const tmy& my = game.my;
    const std::int64_t a = stage_value(my.ad_power, game.stage);
    const std::int64_t level = stage_level(game);
    const std::int64_t e = my.energy_max;

    tmenu& poster = shop_entry(game, 620, a >= 8 ? "" : "宣伝ポスター" + num(a + 1), 2,
                               clamp_to_int32(200 * a * level + 200), "この地域の集客をあげます");
    poster.need_level = clamp_to_int32(2 * a + 2 * level);

    tmenu& energy = shop_entry(game, 622, "エナジーPowerUp" + num(e - 4), 1, clamp_to_int32(2000 * (e - 5) + 2000),
                               "最大エナジー +1");
    energy.need_level = clamp_to_int32(6 * (e - 5));
    energy.back_to = kMenuHome;

    const std::int64_t contract_price = (300 * level + 500) * (game.stage >= 7 ? 2 : 1);
    tmenu& animal = shop_entry(game, 623, stage_value(my.animal_contracts, game.stage) >= 1 ? "" : "動物と契約", 6,
                               clamp_to_int32(contract_price), "この地域に生息する動物と契約します");
    animal.need_level = clamp_to_int32(2 * level);

    for (int i = kShopItemsFirst; i <= kShopLast; ++i) record(game, i).caption.clear();

    // Items in catalog order. They skip the records of the books, so a book never takes an
    // item's place and no stale item id stays on a book; items past the last record wait until
    // those before them are bought.
    int next = kShopItemsFirst;
    for (int id = 0; id <= ItemTable::kLastId && next < kShopLoan; ++id) {
        if (!shop_reaches(game, id)) continue;
        const titem& item = game.item_table.at(id);
        tmenu& b = shop_entry(game, next, item.name, 5, item.price, "");
        b.hint = item.description;
        b.item_id = id;
        if (!shop_offers(game, id)) b.caption.clear(); // a hidden item still takes its record
        next = next + 1 == kBooksFirst ? kBooksLast + 1 : next + 1;
    }

    for (const Book& book : kBooks) {
        const bool offered = game.stage >= book.min_stage && my.level >= book.min_level;
        tmenu& b =
            shop_entry(game, book.index, offered ? book.caption : "", 4, book.price, "Newゲームを作れるようになる");
        b.param2 = book.genre;
    }

    shop_entry(game, kShopLoan, (my.money >= 500 || my.loans >= 3) ? "" : "借金(\\1000) -1日", 3, 0,
               "１日を消費し、借金します");

    // Prices and levels into the captions, locks, and at most twelve entries.
    int shown = 0;
    for (int i = kShopFirst; i <= kShopLast; ++i) {
        tmenu& b = record(game, i);
        if (!b.caption.empty()) {
            if (b.need_level >= 1) b.caption += " (必要Lv" + num(b.need_level) + ")";
            if (b.param >= 1) b.caption += " \\" + num(b.param);
            b.menu = kMenuShop;
            b.width = 300;
            b.height = 45;
            b.right_align = 1;
            b.locked = (my.level < b.need_level || my.money < b.param) ? 1 : 0;
        }
        if (b.item_id >= 1 && held(game, b.item_id)) b.caption.clear();        // already bought
        if (b.command == 4 && genre_learnt(game, b.param2)) b.caption.clear(); // genre already learnt
        if (!b.caption.empty() && ++shown > kShopShown) b.caption.clear();
    }
}

} // namespace

void build_menu_contents(Game& game)
{
    const std::int32_t opening = game.open_menu;
    // Each menu writes only its own records, so the order of the blocks does not matter.
    if (opening == kMenuHome) build_home(game);
    build_fixed(game);
    build_start(game);
    if (opening == kMenuMakeGame) build_make_game(game);
    if (opening == kMenuStageSelect) build_stage_select(game);
    if (opening == kMenuSalesFloor) build_sales_floor(game);
    if (opening == kMenuShop) build_shop(game);
}

} // namespace zen
