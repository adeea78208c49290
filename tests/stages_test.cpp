// The stage table and the character templates.
#include "content/stages.h"
#include "core/game_state.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <memory>
#include <set>
#include <vector>

namespace {

class StagesTest : public ::testing::Test {
protected:
    void SetUp() override { zen::build_stage_tables(*game); }

    const zen::tmap& stage(int id) { return game->map_table.at(id); }
    const zen::tman& man(int id) { return game->man_table.at(id); }

    // How often each customer type fills a slot of the stage.
    std::map<int, int> slot_counts(int id)
    {
        std::map<int, int> counts;
        for (int type : stage(id).customer_slots) {
            if (type != 0) ++counts[type];
        }
        return counts;
    }

    zen::test::TestGame game{1};
};

TEST_F(StagesTest, TwelveStagesInTwoCycles)
{
    for (int id = zen::MapTable::kFirstId; id <= zen::MapTable::kLastId; ++id) {
        EXPECT_EQ(stage(id).name != zen::Text::none, id >= 1 && id <= 12) << id;
    }
    for (int id = 1; id <= 12; ++id) {
        SCOPED_TRACE(id);
        EXPECT_EQ(stage(id).stage_level, id);
        EXPECT_EQ(stage(id).slot_before, 0);
        EXPECT_EQ(stage(id).unused_after, (std::array<std::int32_t, 2>{}));
        for (int type : stage(id).customer_slots) {
            EXPECT_TRUE(type == 0 || (man(type).role == zen::kRoleCustomer && man(type).name != zen::Text::none))
                << type;
        }
    }
    for (int id = 1; id <= 6; ++id) {
        EXPECT_EQ(stage(id + 6).picture, stage(id).picture) << id;
        EXPECT_GT(stage(id + 6).quota, stage(id).quota) << id;
    }
    EXPECT_EQ(stage(1).quota, 2000);
    EXPECT_EQ(stage(12).quota, 33000);
    EXPECT_EQ(zen::test::ja(stage(3).name), "国道１１号線沿い");
    EXPECT_EQ(zen::test::ja(stage(9).name), "国道１１号線ｱﾅｻﾞｰ");
}

TEST_F(StagesTest, CustomerMixOfTheStreets)
{
    EXPECT_EQ(slot_counts(1), (std::map<int, int>{{1, 1}, {2, 1}}));
    EXPECT_EQ(slot_counts(2), (std::map<int, int>{{1, 1}, {2, 2}})); // ガール twice as often
    std::set<int> with_middle_schooler;
    for (int id = 1; id <= 12; ++id) {
        if (slot_counts(id).contains(3)) with_middle_schooler.insert(id);
    }
    EXPECT_EQ(with_middle_schooler, (std::set<int>{8, 9, 11}));
}

TEST_F(StagesTest, TemplatesOfEachRole)
{
    std::map<int, std::vector<int>> by_role;
    for (int id = zen::ManTable::kFirstId; id <= zen::ManTable::kLastId; ++id) {
        if (man(id).name != zen::Text::none) by_role[man(id).role].push_back(id);
    }
    EXPECT_EQ(by_role[zen::kRoleCustomer], (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(by_role[zen::kRoleAnimal].size(), 12u);
    EXPECT_EQ(by_role[zen::kRoleHazard].size(), 13u);
    EXPECT_EQ(by_role.size(), 3u);

    for (int id : by_role[zen::kRoleCustomer]) {
        SCOPED_TRACE(id);
        EXPECT_NE(man(id).sound, zen::Sound::none);
        EXPECT_EQ(man(id).home_stage, 0);
        for (int genre : man(id).wanted_genres) EXPECT_TRUE(genre >= 0 && genre <= 13);
    }
    EXPECT_EQ(man(4).wanted_genres, (std::array<std::int32_t, 4>{3, 4, 0, 0}));
    EXPECT_EQ(man(7).wanted_genres, (std::array<std::int32_t, 4>{8, 7, 12, 13}));
    for (int id : by_role[zen::kRoleAnimal]) {
        EXPECT_EQ(man(id).speed, 8) << id;
        EXPECT_EQ(man(id).sound, zen::Sound::none) << id;
    }
    for (int id : by_role[zen::kRoleHazard]) {
        EXPECT_LE(man(id).reward, man(214).reward) << id;
        // A hazard the street spawns by itself can be shot down; the bomb and the fire wall cannot.
        EXPECT_EQ(man(id).hit_points > 0, man(id).home_stage > 0 || id == 203) << id;
    }
    EXPECT_EQ(man(214).reward, 800);
    for (int id = 1; id <= 255; ++id) EXPECT_EQ(man(id).x + man(id).age + man(id).state, 0) << id;
}

TEST_F(StagesTest, EachStageHasItsAnimalAndAllButTheFirstOfEachCycleAHazard)
{
    const std::map<int, int> hazard_of = {{2, 200}, {3, 201}, {4, 202},  {5, 205},  {6, 207},
                                          {8, 210}, {9, 211}, {10, 212}, {11, 213}, {12, 214}};
    for (int s = 1; s <= 12; ++s) {
        SCOPED_TRACE(s);
        const int animal = zen::home_template(*game, zen::kRoleAnimal, s);
        EXPECT_EQ(man(animal).role, zen::kRoleAnimal);
        EXPECT_EQ(man(animal).home_stage, s);
        EXPECT_EQ(animal / 10, s <= 6 ? 10 : 11); // 100-105 in the first cycle, 110-115 in the second
        const auto it = hazard_of.find(s);
        EXPECT_EQ(zen::home_template(*game, zen::kRoleHazard, s), it == hazard_of.end() ? 0 : it->second);
    }
    for (int s : {0, 13, 99, -1, INT_MIN}) EXPECT_EQ(zen::home_template(*game, zen::kRoleAnimal, s), 0) << s;
}

TEST_F(StagesTest, LastMatchingTemplateWins)
{
    // 203, 204 and 206 all have home stage 0; the scan ends on 206.
    EXPECT_EQ(zen::home_template(*game, zen::kRoleHazard, 0), 206);
    game->man_table.edit(250)->role = zen::kRoleHazard;
    game->man_table.edit(250)->home_stage = 2;
    EXPECT_EQ(zen::home_template(*game, zen::kRoleHazard, 2), 250);
}

TEST_F(StagesTest, IdsOutsideTheTablesAnswerEmpty)
{
    for (int id : {-2, -1, 0, 13, 100, INT_MAX}) {
        EXPECT_TRUE(stage(id).name == zen::Text::none) << id;
        EXPECT_EQ(stage(id).quota, 0) << id;
    }
    for (int id : {-2, 256, 1000, INT_MIN}) EXPECT_TRUE(man(id).name == zen::Text::none) << id;
}

TEST_F(StagesTest, RebuildRestoresEveryValue)
{
    game->map_table.edit(1)->quota = 1;
    game->map_table.edit(1)->customer_slots[2] = 7;
    game->map_table.edit(40)->name = zen::Text::stage_1;
    game->man_table.edit(200)->hit_points = 0;
    game->man_table.edit(200)->x = 123;
    game->man_table.edit(99)->role = zen::kRoleAnimal;
    zen::build_stage_tables(*game);

    zen::test::TestGame fresh{2};
    zen::build_stage_tables(*fresh);
    for (int id = zen::MapTable::kFirstId; id <= zen::MapTable::kLastId; ++id) {
        const zen::tmap& a = stage(id);
        const zen::tmap& b = fresh->map_table.at(id);
        ASSERT_EQ(a.name, b.name) << id;
        ASSERT_EQ(a.quota, b.quota) << id;
        ASSERT_EQ(a.customer_slots, b.customer_slots) << id;
    }
    for (int id = zen::ManTable::kFirstId; id <= zen::ManTable::kLastId; ++id) {
        const zen::tman& a = man(id);
        const zen::tman& b = fresh->man_table.at(id);
        ASSERT_EQ(a.name, b.name) << id;
        ASSERT_EQ(a.role, b.role) << id;
        ASSERT_EQ(a.hit_points, b.hit_points) << id;
        ASSERT_EQ(a.x, b.x) << id;
    }
}

} // namespace
