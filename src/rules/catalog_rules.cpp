#include "rules/catalog_rules.h"

#include "core/game_state.h"

#include <array>
#include <cstddef>
#include <tuple>

namespace zen {
namespace {

// The extra-copy tools of each genre, in rolling order.
constexpr std::array<int, 5> kChainGenre1{150, 160, 170, 180, 190}; // ミニゲーム
constexpr std::array<int, 4> kChainGenre2{151, 161, 171, 181};      // STG
constexpr std::array<int, 3> kChainGenre3{152, 162, 172};           // 着せ替え
constexpr std::array<int, 2> kChainGenre4{153, 163};                // 湖のパン屋さん
constexpr std::array<int, 2> kChainGenre5{154, 164};                // 恋愛
constexpr std::array<int, 2> kChainGenre6{155, 165};                // RPG
constexpr std::array<int, 1> kChainGenre7{156};                     // 格闘
constexpr std::array<int, 1> kChainGenre8{157};                     // FPS

} // namespace

bool is_catalog_id(int id)
{
    return id >= 0 && static_cast<std::size_t>(id) < std::tuple_size_v<decltype(tmy::item_count)>;
}

int count_of(const Game& game, int id)
{
    if (!is_catalog_id(id)) return 0;
    return game.my.item_count[static_cast<std::size_t>(id)];
}

bool held(const Game& game, int id) { return count_of(game, id) >= 1; }

int held_in_range(const Game& game, ItemRange range)
{
    int n = 0;
    for (int id = range.first; id <= range.last; ++id) {
        if (held(game, id)) ++n;
    }
    return n;
}

bool is_genre(const Game& game, int id) { return game.item_table.at(id).kind == kKindGenre; }

ShelfSpot shelf_position(int genre_id) { return {348 + 35 * ((genre_id - 1) % 4), 388 + 35 * ((genre_id - 1) / 4)}; }

std::span<const int> extra_copy_chain(int genre_id)
{
    switch (genre_id) {
    case 1: return kChainGenre1;
    case 2: return kChainGenre2;
    case 3: return kChainGenre3;
    case 4: return kChainGenre4;
    case 5: return kChainGenre5;
    case 6: return kChainGenre6;
    case 7: return kChainGenre7;
    case 8: return kChainGenre8;
    default: return {};
    }
}

int gun_damage(const Game& game)
{
    return 1 + held_in_range(game, kGunItems) + 2 * held_in_range(game, kBigGunItems) +
           3 * (held(game, kItemBestGun) ? 1 : 0);
}

int energy_item_count(const Game& game)
{
    return held_in_range(game, kEnergyItems) + (held(game, kItemGameMakerSoul) ? 1 : 0);
}

int shout_limit(const Game& game) { return 1 + held_in_range(game, kShoutItems); }

int sleep_energy(const Game& game) { return 3 + held_in_range(game, kSleepItems); }

int meal_fullness_base(const Game& game) { return 20 + 2 * held_in_range(game, kMealItems); }

int meal_fullness(Game& game) { return meal_fullness_base(game) + game.random(15); }

int rocket_refill(const Game& game)
{
    return 1 + (held(game, kItemLauncherStock) ? 1 : 0) + (held(game, kItemLauncherStock2) ? 1 : 0);
}

int inflate_price(int price) { return price + price / 2; }

int sale_price(const Game& game, int genre_id)
{
    if (!is_genre(game, genre_id)) return 0;
    const int price = game.item_table.at(genre_id).price;
    return held(game, kItemInflation) ? inflate_price(price) : price;
}

int boost_exp(const Game& game, int exp)
{
    if (held(game, kItemExpBoost)) exp = exp + exp / 2;
    if (held(game, kItemExpDouble)) exp = 2 * exp;
    return exp;
}

bool shop_reaches(const Game& game, int id)
{
    const titem& item = game.item_table.at(id);
    return item.kind == kKindShopItem && !held(game, id) && game.stage >= item.min_stage;
}

bool shop_offers(const Game& game, int id)
{
    if (!shop_reaches(game, id)) return false;
    const titem& item = game.item_table.at(id);
    const bool has_prerequisite = item.prerequisite == 0 || held(game, item.prerequisite);
    return has_prerequisite && game.my.level >= item.min_level;
}

} // namespace zen
