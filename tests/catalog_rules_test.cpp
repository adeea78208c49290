// What the player's holdings mean: shop listing, shelf grid, extra copies, and the item effects.
#include "content/catalog.h"
#include "core/game_state.h"
#include "rules/catalog_rules.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

class CatalogRulesTest : public ::testing::Test {
protected:
    void SetUp() override { zen::build_catalog(*game); }

    void hold(std::initializer_list<int> ids)
    {
        for (int id : ids) game->my.item_count[static_cast<std::size_t>(id)] = 1;
    }
    void hold_range(int first, int last)
    {
        for (int id = first; id <= last; ++id) hold({id});
    }

    // What the shop would list now, walking the catalog the way the shop does.
    std::vector<int> offered()
    {
        std::vector<int> ids;
        for (int id = 0; id <= 999; ++id) {
            if (zen::shop_offers(*game, id)) ids.push_back(id);
        }
        return ids;
    }

    zen::test::TestGame game{1};
};

TEST_F(CatalogRulesTest, HeldMeansOneOrMoreAndChecksTheRange)
{
    game->my.item_count[100] = 1;
    game->my.item_count[101] = 3;
    game->my.item_count[102] = -1;
    game->my.item_count[999] = 1;
    EXPECT_TRUE(zen::held(*game, 100));
    EXPECT_TRUE(zen::held(*game, 101));
    EXPECT_FALSE(zen::held(*game, 102));
    EXPECT_FALSE(zen::held(*game, 103));
    EXPECT_TRUE(zen::held(*game, 999));
    EXPECT_EQ(zen::held_in_range(*game, zen::kShoutItems), 2);
    for (int id : {-1, 1000, INT_MIN, INT_MAX}) {
        EXPECT_FALSE(zen::held(*game, id)) << id;
        EXPECT_EQ(zen::count_of(*game, id), 0) << id;
    }
    EXPECT_EQ(zen::held_in_range(*game, {-50, 2000}), 3);
}

TEST_F(CatalogRulesTest, ShelfGridHasFourColumns35Apart)
{
    EXPECT_EQ(zen::shelf_position(1).x, 348);
    EXPECT_EQ(zen::shelf_position(1).y, 388);
    EXPECT_EQ(zen::shelf_position(4).x, 453);
    EXPECT_EQ(zen::shelf_position(4).y, 388);
    EXPECT_EQ(zen::shelf_position(5).x, 348);
    EXPECT_EQ(zen::shelf_position(5).y, 423);
    EXPECT_EQ(zen::shelf_position(13).x, 348);
    EXPECT_EQ(zen::shelf_position(13).y, 493);
    std::set<std::pair<int, int>> spots;
    for (int g = 1; g <= 13; ++g) spots.insert({zen::shelf_position(g).x, zen::shelf_position(g).y});
    EXPECT_EQ(spots.size(), 13u);
}

TEST_F(CatalogRulesTest, ExtraCopyChainsMatchTheToolDescriptions)
{
    // Each tool's description names the genre it helps; the chain of a genre must be exactly its tools.
    const std::vector<std::pair<int, std::string>> genre_words = {
        {1, "ミニゲーム"}, {2, "STG"}, {3, "着せ替え"}, {4, "湖のパン屋さん"},
        {5, "恋愛"},       {6, "RPG"}, {7, "格闘"},     {8, "FPS"},
    };
    std::set<int> chained;
    for (const auto& [genre, word] : genre_words) {
        for (int id : zen::extra_copy_chain(genre)) {
            EXPECT_EQ(game->item_table.at(id).kind, 2) << id;
            EXPECT_EQ(zen::test::ja(game->item_table.at(id).description).rfind(word, 0), 0u) << genre << " " << id;
            EXPECT_TRUE(chained.insert(id).second) << id;
        }
    }
    std::set<int> tools;
    for (int id = 150; id <= 199; ++id) {
        if (game->item_table.at(id).kind == 2) tools.insert(id);
    }
    EXPECT_EQ(chained, tools);

    const auto first = zen::extra_copy_chain(1);
    EXPECT_EQ(std::vector<int>(first.begin(), first.end()), (std::vector<int>{150, 160, 170, 180, 190}));
    for (int genre : {9, 10, 11, 12, 13, 0, -1, 14, 150, INT_MAX})
        EXPECT_TRUE(zen::extra_copy_chain(genre).empty()) << genre;
}

TEST_F(CatalogRulesTest, GunDamageGrowsFromOneToSeventeen)
{
    EXPECT_EQ(zen::gun_damage(*game), 1);
    hold({130});
    EXPECT_EQ(zen::gun_damage(*game), 2);
    hold({135});
    EXPECT_EQ(zen::gun_damage(*game), 4);
    hold({139});
    EXPECT_EQ(zen::gun_damage(*game), 7);
    hold_range(130, 139);
    EXPECT_EQ(zen::gun_damage(*game), 17);
}

TEST_F(CatalogRulesTest, LineCountsForShoutsSleepMealsEnergyAndRockets)
{
    EXPECT_EQ(zen::shout_limit(*game), 1);
    EXPECT_EQ(zen::sleep_energy(*game), 3);
    EXPECT_EQ(zen::meal_fullness_base(*game), 20);
    EXPECT_EQ(zen::energy_item_count(*game), 0);
    EXPECT_EQ(zen::rocket_refill(*game), 1);

    // Neighbours of each line do not count.
    hold({99, 106, 109, 115, 119, 125, 139, 150, 199, 201});
    EXPECT_EQ(zen::shout_limit(*game), 1);
    EXPECT_EQ(zen::sleep_energy(*game), 3);
    EXPECT_EQ(zen::meal_fullness_base(*game), 20);
    EXPECT_EQ(zen::energy_item_count(*game), 0);

    hold_range(100, 105);
    hold_range(110, 114);
    hold_range(120, 124);
    hold_range(140, 149);
    hold({200});
    EXPECT_EQ(zen::shout_limit(*game), 7);
    EXPECT_EQ(zen::sleep_energy(*game), 8);
    EXPECT_EQ(zen::meal_fullness_base(*game), 30);
    EXPECT_EQ(zen::energy_item_count(*game), 11);

    // The stocks count even without the launcher itself.
    hold({52});
    EXPECT_EQ(zen::rocket_refill(*game), 2);
    hold({51, 50});
    EXPECT_EQ(zen::rocket_refill(*game), 3);
}

TEST_F(CatalogRulesTest, MealAddsARandomZeroToFourteen)
{
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) seen.insert(zen::meal_fullness(*game));
    EXPECT_EQ(*seen.begin(), 20);
    EXPECT_EQ(*seen.rbegin(), 34);
    hold_range(120, 124);
    seen.clear();
    for (int i = 0; i < 2000; ++i) seen.insert(zen::meal_fullness(*game));
    EXPECT_EQ(*seen.begin(), 30);
    EXPECT_EQ(*seen.rbegin(), 44);
}

TEST_F(CatalogRulesTest, InflationAddsHalfThePriceRoundedDown)
{
    EXPECT_EQ(zen::sale_price(*game, 6), 1000);
    EXPECT_EQ(zen::sale_price(*game, 10), 2150);
    hold({201});
    EXPECT_EQ(zen::sale_price(*game, 6), 1500);
    EXPECT_EQ(zen::sale_price(*game, 10), 3225);
    EXPECT_EQ(zen::sale_price(*game, 1), 150);
    EXPECT_EQ(zen::inflate_price(2150), 3225);
    // Only genres sell.
    for (int id : {0, 14, 50, 201, -1, 1000}) EXPECT_EQ(zen::sale_price(*game, id), 0) << id;
}

TEST_F(CatalogRulesTest, ExperienceOneAndAHalfThenDoubled)
{
    EXPECT_EQ(zen::boost_exp(*game, 5), 5);
    hold({202});
    EXPECT_EQ(zen::boost_exp(*game, 5), 7);
    EXPECT_EQ(zen::boost_exp(*game, 1), 1);
    EXPECT_EQ(zen::boost_exp(*game, 3), 4);
    hold({203});
    EXPECT_EQ(zen::boost_exp(*game, 5), 14); // (5 + 2) x 2, not 5 x 2 + 5
    EXPECT_EQ(zen::boost_exp(*game, 1), 2);
    game->my.item_count[202] = 0;
    EXPECT_EQ(zen::boost_exp(*game, 5), 10);
}

TEST_F(CatalogRulesTest, ShopAtTheStartOffersOnlyTheMegaphone)
{
    game->stage = 1;
    game->my.level = 1;
    EXPECT_EQ(offered(), (std::vector<int>{100}));
    game->my.level = 0;
    EXPECT_EQ(offered(), (std::vector<int>{100}));
    game->my.level = 3; // 積み木 needs level 3
    EXPECT_EQ(offered(), (std::vector<int>{100, 140}));
    hold({100});
    EXPECT_EQ(offered(), (std::vector<int>{140})); // 笛 waits for stage 2
    game->stage = 0;
    EXPECT_TRUE(offered().empty());
}

TEST_F(CatalogRulesTest, ShopKeepsTheLauncherForTheSecondCycle)
{
    game->my.level = 99;
    for (int stage = 0; stage <= 6; ++stage) {
        game->stage = stage;
        EXPECT_FALSE(zen::shop_offers(*game, 50)) << stage;
    }
    game->stage = 7;
    EXPECT_TRUE(zen::shop_offers(*game, 50));

    // The stock needs the launcher in hand, at any stage.
    game->stage = 12;
    EXPECT_TRUE(zen::shop_reaches(*game, 51));
    EXPECT_FALSE(zen::shop_offers(*game, 51));
    hold({50});
    EXPECT_FALSE(zen::shop_offers(*game, 50));
    EXPECT_TRUE(zen::shop_offers(*game, 51));
    game->stage = 8;
    EXPECT_FALSE(zen::shop_offers(*game, 51));
}

TEST_F(CatalogRulesTest, ShopLateInTheGameOffersTheHeadOfEveryChain)
{
    game->stage = 12;
    game->my.level = 35;
    EXPECT_EQ(offered(), (std::vector<int>{50, 100, 110, 120, 130, 140, 150, 201, 202, 203}));
    game->my.level = 34;
    EXPECT_EQ(offered(), (std::vector<int>{50, 100, 110, 120, 130, 140, 150, 201, 202}));

    hold({150});
    game->my.level = 8;
    const std::vector<int> after_drive = offered();
    EXPECT_NE(std::find(after_drive.begin(), after_drive.end(), 151), after_drive.end());
    EXPECT_EQ(std::find(after_drive.begin(), after_drive.end(), 160), after_drive.end()); // needs level 9
    for (int id : {-1, 0, 1, 1000, INT_MAX}) EXPECT_FALSE(zen::shop_offers(*game, id)) << id;
}

} // namespace
