// The stages and the character templates of the street.
// Each table below reads one row per line, in id order.
#include "content/stages.h"

#include "core/game_state.h"

namespace zen {
namespace {

struct StageRow {
    int id;
    Text name;
    const char* picture;
    std::array<std::int32_t, 4> customer_slots; // customer type ids; 0 = empty slot
    int stage_level;                            // price multiplier at home and in the shop
    int quota;                                  // yen of sales that clear the stage
};

// Stages 7-12 walk the same streets as 1-6 again, with higher quotas and stronger hazards.
constexpr StageRow kStages[] = {
    // id, name, picture, customer_slots, stage_level, quota
    {1, Text::stage_1, "map01.jpg", {1, 2, 0, 0}, 1, 2000},
    {2, Text::stage_2, "map02.jpg", {1, 2, 2, 0}, 2, 3000},
    {3, Text::stage_3, "uriba.jpg", {1, 4, 2, 0}, 3, 5000},
    {4, Text::stage_4, "sea.jpg", {2, 4, 2, 5}, 4, 8000},
    {5, Text::stage_5, "city.jpg", {6, 4, 2, 5}, 5, 12000},
    {6, Text::stage_6, "space.jpg", {7, 6, 1, 5}, 6, 14000},
    {7, Text::stage_7, "map01.jpg", {1, 2, 0, 0}, 7, 4500},
    {8, Text::stage_8, "map02.jpg", {1, 2, 3, 0}, 8, 6500},
    {9, Text::stage_9, "uriba.jpg", {1, 4, 3, 0}, 9, 10000},
    {10, Text::stage_10, "sea.jpg", {2, 4, 2, 5}, 10, 16000},
    {11, Text::stage_11, "city.jpg", {6, 4, 3, 5}, 11, 24000},
    {12, Text::stage_12, "space.jpg", {7, 6, 1, 5}, 12, 33000},
};

struct CustomerRow {
    int id;
    Text name;
    const char* picture;
    Sound sound; // voice when a hazard runs this customer over
    int speed;
    std::array<std::int32_t, 4> wanted_genres; // 0 = no wish
};

constexpr CustomerRow kCustomers[] = {
    // id, name, picture, sound, speed, wanted_genres
    {1, Text::man_1, "kid01.bmp", Sound::cry_kid, 4, {1, 2, 9, 0}},
    {2, Text::man_2, "girl01.bmp", Sound::cry_girl, 4, {1, 3, 9, 0}},
    {3, Text::man_3, "kid02.bmp", Sound::cry_kid, 5, {2, 6, 10, 0}},
    {4, Text::man_4, "girl02.bmp", Sound::cry_girl, 5, {3, 4, 0, 0}},
    {5, Text::man_5, "girl03.bmp", Sound::cry_woman, 6, {4, 5, 11, 0}},
    {6, Text::man_6, "kid03.bmp", Sound::cry_kid, 6, {6, 7, 10, 0}},
    {7, Text::man_7, "otona.bmp", Sound::cry_kid, 7, {8, 7, 12, 13}},
};

struct AnimalRow {
    int id;
    Text name;
    const char* picture;
    int home_stage;
};

constexpr int kAnimalSpeed = 8;

// One animal per stage; 100-105 live on the first cycle, 110-115 on the second.
constexpr AnimalRow kAnimals[] = {
    // id, name, picture, home_stage
    {100, Text::man_100, "usagi.bmp", 1}, {101, Text::man_101, "cat.bmp", 2},   {102, Text::man_102, "bird.bmp", 3},
    {103, Text::man_103, "dog.bmp", 5},   {104, Text::man_104, "tako.bmp", 4},  {105, Text::man_105, "kuma.bmp", 6},
    {110, Text::man_100, "usagi.bmp", 7}, {111, Text::man_101, "cat.bmp", 8},   {112, Text::man_102, "bird.bmp", 9},
    {113, Text::man_103, "dog.bmp", 10},  {114, Text::man_104, "tako.bmp", 11}, {115, Text::man_105, "kuma.bmp", 12},
};

struct HazardRow {
    int id;
    Text name;
    const char* picture;
    int reward; // yen for shooting it down
    int hit_points;
    int home_stage; // 0: only ever dropped or left behind by another hazard
    int speed;
};

// 203 falls from the planes (202, 212); a landed 203 and a striking meteor turn into 204;
// 205 and 213 leave 206 behind. Stages 1 and 7 have no hazard.
constexpr HazardRow kHazards[] = {
    // id, name, picture, reward, hit_points, home_stage, speed
    {200, Text::man_200, "robo01.bmp", 40, 10, 2, 10},    {201, Text::man_201, "robo02.bmp", 80, 20, 3, 15},
    {202, Text::man_202, "robo03.bmp", 100, 30, 4, 12},   {203, Text::man_203, "bakudan.bmp", 10, 20, 0, 12},
    {204, Text::man_204, "baku.bmp", 0, 0, 0, 0},         {205, Text::man_205, "robo04.bmp", 200, 50, 5, 20},
    {206, Text::man_206, "fire.bmp", 0, 0, 0, 0},         {207, Text::man_207, "meteo.bmp", 300, 70, 6, 10},
    {210, Text::man_210, "robo01.bmp", 100, 70, 8, 12},   {211, Text::man_211, "robo02.bmp", 200, 90, 9, 15},
    {212, Text::man_212, "robo03.bmp", 300, 110, 10, 13}, {213, Text::man_213, "robo04.bmp", 450, 130, 11, 30},
    {214, Text::man_214, "meteo.bmp", 800, 150, 12, 20},
};

static_assert(ids_inside<MapTable>(kStages) && ids_inside<ManTable>(kCustomers) && ids_inside<ManTable>(kAnimals) &&
              ids_inside<ManTable>(kHazards));

} // namespace

void build_stage_tables(Game& game)
{
    game.map_table.reset();
    for (const StageRow& row : kStages) {
        tmap& map = *game.map_table.edit(row.id);
        map.picture = row.picture;
        map.name = row.name;
        map.customer_slots = row.customer_slots;
        map.stage_level = row.stage_level;
        map.quota = row.quota;
    }

    game.man_table.reset();
    for (const CustomerRow& row : kCustomers) {
        tman& man = *game.man_table.edit(row.id);
        man.sound = row.sound;
        man.picture = row.picture;
        man.name = row.name;
        man.role = kRoleCustomer;
        man.speed = row.speed;
        man.wanted_genres = row.wanted_genres;
    }
    for (const AnimalRow& row : kAnimals) {
        tman& man = *game.man_table.edit(row.id);
        man.picture = row.picture;
        man.name = row.name;
        man.home_stage = row.home_stage;
        man.role = kRoleAnimal;
        man.speed = kAnimalSpeed;
    }
    for (const HazardRow& row : kHazards) {
        tman& man = *game.man_table.edit(row.id);
        man.picture = row.picture;
        man.name = row.name;
        man.reward = row.reward;
        man.hit_points = row.hit_points;
        man.home_stage = row.home_stage;
        man.role = kRoleHazard;
        man.speed = row.speed;
    }
}

int home_template(const Game& game, int role, int home_stage)
{
    int found = 0;
    for (int id = 0; id <= ManTable::kLastId; ++id) {
        const tman& man = game.man_table.at(id);
        if (man.role == role && man.home_stage == home_stage) found = id;
    }
    return found;
}

} // namespace zen
