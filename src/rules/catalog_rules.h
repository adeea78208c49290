#pragma once
// What the player's holdings in the catalog mean. Every effect of a shop item is worked out here,
// from item_count at the moment it is needed; nothing is cached when an item is bought.
// An id is "held" when its item_count is 1 or more.
#include <span>

namespace zen {

struct Game;

// Catalog ids the rules below name.
constexpr int kItemLauncher = 50;       // ＲＰＧランチャー: the street menu offers the rocket shot
constexpr int kItemLauncherStock = 51;  // +1 rocket per refill
constexpr int kItemLauncherStock2 = 52; // +1 rocket per refill
constexpr int kItemGameMakerSoul = 200; // energy recovery, outside the 140s line
constexpr int kItemInflation = 201;     // sales bring price + price div 2
constexpr int kItemExpBoost = 202;      // experience e + e div 2
constexpr int kItemExpDouble = 203;     // experience doubled, after the x1.5

// The shop's families of items, each a run of catalog ids (inclusive).
struct ItemRange {
    int first;
    int last;
    constexpr bool has(int id) const { return id >= first && id <= last; }
};
constexpr ItemRange kShoutItems{100, 105};     // megaphones: a shout more between two sleeps
constexpr ItemRange kSleepItems{110, 114};     // more energy from a sleep
constexpr ItemRange kMealItems{120, 124};      // fuller meals
constexpr ItemRange kGunItems{130, 134};       // +1 damage a bullet
constexpr ItemRange kBigGunItems{135, 138};    // +2 damage a bullet
constexpr int kItemBestGun = 139;              // +3 damage a bullet
constexpr ItemRange kEnergyItems{140, 149};    // faster energy regeneration
constexpr ItemRange kExtraCopyTools{150, 190}; // an extra copy of a genre now and then

// True when id is a catalog id, 0..999: a slot of item_count and genre_known.
bool is_catalog_id(int id);
// True when id is within 0..999 and the player holds one or more of it.
bool held(const Game& game, int id);
// How many of the ids of a range are held.
int held_in_range(const Game& game, ItemRange range);
// item_count of id, 0 for an id outside 0..999.
int count_of(const Game& game, int id);
// True when the catalog slot of id is a genre (kind 1).
bool is_genre(const Game& game, int id);

// Where a genre's pile of copies stands on the sales table: a grid of four columns, 35 px apart.
struct ShelfSpot {
    int x = 0;
    int y = 0;
};
ShelfSpot shelf_position(int genre_id);

// The tools that may add one more copy when a copy of the genre is made, in the order they roll.
// Empty for genres 9..13 and for any id that is not a genre.
std::span<const int> extra_copy_chain(int genre_id);

// Damage of one bullet on a hazard: 1 + held of 130..134 + 2 x held of 135..138 + 3 for 139 (1..17).
int gun_damage(const Game& game);
// The items' share of the energy regeneration: held of 140..149 plus 200.
int energy_item_count(const Game& game);
// Shouts allowed between two sleeps: 1 + held of 100..105.
int shout_limit(const Game& game);
// Energy one sleep gives: 3 + held of 110..114.
int sleep_energy(const Game& game);
// The fixed part of one meal's fullness: 20 + 2 x held of 120..124.
int meal_fullness_base(const Game& game);
// One meal's fullness: the fixed part + random 0..14 (draws once from the game's generator).
// The caller caps hunger at 100.
int meal_fullness(Game& game);
// Rockets after a refill (sleep, stage start): 1 + (51 held) + (52 held), whether or not 50 is held.
int rocket_refill(const Game& game);

// price + price div 2.
int inflate_price(int price);
// What a customer pays for one copy of the genre: its price, inflated while 201 is held.
// 0 for an id that is not a genre.
int sale_price(const Game& game, int genre_id);
// Experience after the multipliers: 202 makes it e + e div 2, then 203 doubles it.
int boost_exp(const Game& game, int exp);

// The shop walks ids 0..999; an id reaches the shop when it is a shop item, not held, and the
// stage is at least its min_stage. It is offered when it also has its prerequisite (0 or held)
// and the player's level is at least its min_level.
bool shop_reaches(const Game& game, int id);
bool shop_offers(const Game& game, int id);

} // namespace zen
