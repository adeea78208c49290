#pragma once
// The stages (where the player sells) and the character templates (customers, animals, hazards).
#include "app/id_table.h"

#include <array>
#include <cstdint>
#include <string>

namespace zen {

struct Game;

struct tmap {
    std::string picture; // street background in cg/
    std::string name;
    std::int32_t slot_before = 0; // never set; the street's slot pick reads it as an empty slot
    std::array<std::int32_t, 4> customer_slots{};
    std::array<std::int32_t, 2> unused_after{};
    std::int32_t stage_level = 0;
    std::int32_t quota = 0;
};

// One character: a template in man_table, or a live figure on the street.
struct tman {
    std::string sound;   // voice when a hazard runs this customer over
    std::string picture; // sprite in cg/
    std::string name;
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

// Writes every stage and character template. Run again, it restores every value.
void build_stage_tables(Game& game);

// The template of the given role that lives on the given stage: ids 0..255 are scanned and the
// last match wins. 0 when there is none (id 0 is never a template). The street spawns its animal
// (role 1) and its hazard (role 2) with this.
int home_template(const Game& game, int role, int home_stage);

} // namespace zen
