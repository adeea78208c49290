// The catalog: the thirteen genres the player can make and the upgrades the shop sells.
// Each table below reads one row per line, in catalog order.
#include "content/catalog.h"

#include "core/game_state.h"

namespace zen {
namespace {

struct GenreRow {
    int id;
    Text name;
    const char* picture;
    int price;       // yen a customer pays for one copy
    int energy_cost; // energy to make one copy; also its base experience
};

// Note the pictures of genres 3 and 4: 3 is drawn with game04.bmp and 4 with game03.bmp.
constexpr GenreRow kGenres[] = {
    // id, name, picture, price, energy_cost
    {1, Text::genre_1, "game01.bmp", 100, 1},     {2, Text::genre_2, "game02.bmp", 240, 2},
    {3, Text::genre_3, "game04.bmp", 400, 3},     {4, Text::genre_4, "game03.bmp", 580, 4},
    {5, Text::genre_5, "game05.bmp", 780, 5},     {6, Text::genre_6, "game06.bmp", 1000, 6},
    {7, Text::genre_7, "game07.bmp", 1240, 7},    {8, Text::genre_8, "game08.bmp", 1500, 8},
    {9, Text::genre_9, "game09.bmp", 1800, 9},    {10, Text::genre_10, "game10.bmp", 2150, 10},
    {11, Text::genre_11, "game11.bmp", 2500, 11}, {12, Text::genre_12, "game12.bmp", 3000, 12},
    {13, Text::genre_13, "game13.bmp", 3600, 13},
};

struct ItemRow {
    int id;
    Text name;
    Text description;
    int price;
    int prerequisite; // the entry that must be held before the shop offers this one; 0 = none
    int min_stage;
    int min_level;
};

// The shop, line by line: launcher 50-52, voice 100-105, sleep 110-114, meals 120-124,
// gun 130-139, energy recovery 140-149 and 200, extra copies 150-190, then the three late
// multipliers 201-203.
constexpr ItemRow kItems[] = {
    // id, name, description, price, prerequisite, min_stage, min_level
    {50, Text::item_50, Text::item_50_hint, 5000, 0, 7, 0},
    {51, Text::item_51, Text::item_51_hint, 10000, 50, 9, 0},
    {52, Text::item_52, Text::item_52_hint, 15000, 51, 11, 0},
    {100, Text::item_100, Text::item_100_hint, 500, 0, 1, 0},
    {101, Text::item_101, Text::item_101_hint, 1000, 100, 2, 0},
    {102, Text::item_102, Text::item_102_hint, 2000, 101, 3, 0},
    {103, Text::item_103, Text::item_103_hint, 4000, 102, 4, 0},
    {104, Text::item_104, Text::item_104_hint, 8000, 103, 5, 0},
    {105, Text::item_105, Text::item_105_hint, 16000, 104, 6, 0},
    {110, Text::item_110, Text::item_110_hint, 350, 0, 2, 0},
    {111, Text::item_111, Text::item_111_hint, 700, 110, 3, 0},
    {112, Text::item_112, Text::item_112_hint, 1400, 111, 4, 0},
    {113, Text::item_113, Text::item_113_hint, 2800, 112, 5, 0},
    {114, Text::item_114, Text::item_114_hint, 5600, 113, 6, 0},
    {120, Text::item_120, Text::item_120_hint, 400, 0, 2, 0},
    {121, Text::item_121, Text::item_121_hint, 800, 120, 3, 0},
    {122, Text::item_122, Text::item_122_hint, 1600, 121, 4, 0},
    {123, Text::item_123, Text::item_123_hint, 3200, 122, 5, 0},
    {124, Text::item_124, Text::item_124_hint, 6400, 123, 6, 0},
    {130, Text::item_130, Text::item_130_hint, 600, 0, 2, 0},
    {131, Text::item_131, Text::item_131_hint, 1200, 130, 3, 0},
    {132, Text::item_132, Text::item_132_hint, 2400, 131, 4, 0},
    {133, Text::item_133, Text::item_133_hint, 4800, 132, 5, 0},
    {134, Text::item_134, Text::item_134_hint, 9600, 133, 6, 0},
    {135, Text::item_135, Text::item_135_hint, 15000, 134, 7, 0},
    {136, Text::item_136, Text::item_136_hint, 20800, 135, 8, 0},
    {137, Text::item_137, Text::item_137_hint, 29600, 136, 9, 0},
    {138, Text::item_138, Text::item_138_hint, 50600, 137, 10, 0},
    {139, Text::item_139, Text::item_139_hint, 100600, 138, 11, 0},
    {140, Text::item_140, Text::item_140_hint, 400, 0, 1, 3},
    {141, Text::item_141, Text::item_141_hint, 800, 140, 2, 5},
    {142, Text::item_142, Text::item_142_hint, 1600, 141, 3, 7},
    {143, Text::item_143, Text::item_143_hint, 3200, 142, 4, 9},
    {144, Text::item_144, Text::item_144_hint, 6400, 143, 5, 11},
    {145, Text::item_145, Text::item_145_hint, 12800, 144, 6, 13},
    {146, Text::item_146, Text::item_146_hint, 20200, 145, 7, 15},
    {147, Text::item_147, Text::item_147_hint, 26400, 146, 8, 20},
    {148, Text::item_148, Text::item_148_hint, 35800, 147, 9, 25},
    {149, Text::item_149, Text::item_149_hint, 42800, 148, 10, 30},
    {150, Text::item_150, Text::item_150_hint, 900, 0, 3, 5},
    {151, Text::item_151, Text::item_151_hint, 1800, 150, 4, 8},
    {152, Text::item_152, Text::item_152_hint, 2700, 151, 5, 11},
    {153, Text::item_153, Text::item_153_hint, 5400, 152, 6, 14},
    {154, Text::item_154, Text::item_154_hint, 10800, 153, 7, 17},
    {155, Text::item_155, Text::item_155_hint, 20400, 154, 8, 20},
    {156, Text::item_156, Text::item_156_hint, 35400, 155, 9, 25},
    {157, Text::item_157, Text::item_157_hint, 48400, 156, 10, 30},
    {160, Text::item_160, Text::item_160_hint, 1500, 150, 4, 9},
    {161, Text::item_161, Text::item_161_hint, 3000, 151, 5, 12},
    {162, Text::item_162, Text::item_162_hint, 6000, 152, 6, 16},
    {163, Text::item_163, Text::item_163_hint, 12000, 153, 7, 20},
    {164, Text::item_164, Text::item_164_hint, 24000, 154, 8, 25},
    {165, Text::item_165, Text::item_165_hint, 30000, 155, 9, 30},
    {170, Text::item_170, Text::item_170_hint, 2000, 160, 5, 15},
    {171, Text::item_171, Text::item_171_hint, 4000, 161, 8, 20},
    {172, Text::item_172, Text::item_172_hint, 8000, 162, 9, 25},
    {180, Text::item_180, Text::item_180_hint, 5000, 170, 10, 20},
    {181, Text::item_181, Text::item_181_hint, 10000, 171, 11, 25},
    {190, Text::item_190, Text::item_190_hint, 20000, 180, 12, 30},
    {200, Text::item_200, Text::item_200_hint, 10000, 145, 6, 25},
    {201, Text::item_201, Text::item_201_hint, 10000, 0, 11, 30},
    {202, Text::item_202, Text::item_202_hint, 20000, 0, 11, 30},
    {203, Text::item_203, Text::item_203_hint, 30000, 0, 12, 35},
};

static_assert(ids_inside<ItemTable>(kGenres) && ids_inside<ItemTable>(kItems));

} // namespace

void build_catalog(Game& game)
{
    game.item_table.reset();
    for (const GenreRow& row : kGenres) {
        titem& item = *game.item_table.edit(row.id);
        item.picture = row.picture;
        item.name = row.name;
        item.price = row.price;
        item.energy_cost = row.energy_cost;
        item.kind = kKindGenre;
    }
    for (const ItemRow& row : kItems) {
        titem& item = *game.item_table.edit(row.id);
        item.name = row.name;
        item.description = row.description;
        item.prerequisite = row.prerequisite;
        item.price = row.price;
        item.kind = kKindShopItem;
        item.min_stage = row.min_stage;
        item.min_level = row.min_level;
    }
}

} // namespace zen
