#pragma once
// The catalog of game genres (ids 1..13) and shop items (ids 50..203), one table for both.
#include "app/id_table.h"

#include <cstdint>
#include <string>

namespace zen {

struct Game;

struct titem {
    std::string picture;     // cg/ file of a genre's box; empty for shop items
    std::string name;        // genre word + title, or the item's name
    std::string description; // shop items: effect text shown in the shop
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

// Fills every genre and shop-item row.
void build_catalog(Game& game);

} // namespace zen
