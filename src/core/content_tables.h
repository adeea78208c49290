#pragma once
// The records of the fixed content tables: the catalog of genres and shop items, the stages,
// the character templates (and live street figures), and the news script. The tables live in
// the Game; content/ fills them at start-up.
#include "core/id_table.h"
#include "core/sound_names.h"
#include "core/text_table.h"

#include <array>
#include <cstdint>
#include <string>

namespace zen {

// One catalog entry: a game genre (ids 1..13) or a shop item (ids 50..203).
struct titem {
    std::string picture;           // cg/ file of a genre's box; empty for shop items
    Text name = Text::none;        // genre word + title, or the item's name
    Text description = Text::none; // shop items: effect text shown in the shop
    std::int32_t prerequisite = 0;
    std::int32_t price = 0;
    std::int32_t shelf_x = 0; // where a genre's pile stands on the sales table (runtime)
    std::int32_t shelf_y = 0;
    std::int32_t energy_cost = 0;
    std::int32_t kind = 0; // 1 genre, 2 shop item, 0 empty
    std::int32_t min_stage = 0;
    std::int32_t min_level = 0;
};

using ItemTable = IdTable<titem, -1, 999>;

// titem::kind
constexpr std::int32_t kKindEmpty = 0;
constexpr std::int32_t kKindGenre = 1;
constexpr std::int32_t kKindShopItem = 2;

constexpr int kFirstGenre = 1;
constexpr int kLastGenre = 13;

// One stage: where the player sells.
struct tmap {
    std::string picture; // street background in cg/
    Text name = Text::none;
    std::int32_t slot_before = 0; // never set; the street's slot pick reads it as an empty slot
    std::array<std::int32_t, 4> customer_slots{};
    std::array<std::int32_t, 2> unused_after{};
    std::int32_t stage_level = 0;
    std::int32_t quota = 0;
};

// One character: a template in man_table, or a live figure on the street.
struct tman {
    Sound sound = Sound::none; // voice when a hazard runs this customer over
    std::string picture;       // sprite in cg/
    Text name = Text::none;
    std::int32_t reward = 0;
    std::int32_t hit_points = 0;
    std::int32_t home_stage = 0;
    std::int32_t role = 0; // 0 customer, 1 animal, 2 hazard
    std::int32_t moved = 0;
    std::int32_t speed = 0;
    std::int32_t state = 0;
    std::int32_t visited = 0;
    std::int32_t man_id = 0;
    std::int32_t facing = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t target_x = 0;
    std::int32_t exit_x = 0;
    std::int32_t home_y = 0;
    std::int32_t target_y = 0;
    std::int32_t age = 0;
    std::array<std::int32_t, 4> wanted_genres{};
};

using MapTable = IdTable<tmap, -1, 99>;
using ManTable = IdTable<tman, -1, 255>;

constexpr int kFirstStage = 1;
constexpr int kLastStage = 12;

// tman::role
constexpr std::int32_t kRoleCustomer = 0;
constexpr std::int32_t kRoleAnimal = 1;
constexpr std::int32_t kRoleHazard = 2;

// One news entry of the story.
struct tnews {
    std::int32_t required_stage = 0; // stage that must have been cleared before the story moves here
    std::array<Text, 200> lines{};
};

using NewsTable = IdTable<tnews, -1, 99>;

constexpr int kNewsEntries = 100; // entries 0..99
constexpr int kNewsLines = 200;   // lines 0..199 of an entry

} // namespace zen
