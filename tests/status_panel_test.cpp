#include "content/stages.h"
#include "render/status_panel.h"

#include "core/game_state.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace zen {
namespace {

using test::has_colour;
using test::TestGame;

constexpr Colour kGround = 0x203040;

// A stage running on the street with settled display values.
void on_stage(Game& game)
{
    make_play_area(game, game.cg);
    game.cg.fill(kGround);
    build_stage_tables(game);
    game.stage = 1;
    game.open_menu = 12;
    game.my.energy = 30;
    game.my.energy_max = 60;
    game.my.hunger = 50;
    game.my.fatigue = 20;
    game.my.sales = 100;
    game.my.level = 2;
    game.my.exp = 10;
    game.panel = StatusPanelState{30, 50, 20, 100, 10};
}

void draw(Game& game)
{
    game.cg.fill(kGround);
    status_panel(game, game.cg);
    status_panel_level(game, game.cg);
}

// The first x on the row with the colour, and how many pixels of it run from there.
std::pair<int, int> run_of(const Canvas& c, int y, Colour colour)
{
    int x = 0;
    while (x < 800 && c.pixel(x, y) != colour) ++x;
    int n = 0;
    while (x + n < 800 && c.pixel(x + n, y) == colour) ++n;
    return {x, n};
}

TEST(Ease, RollsAFifthOfTheGapPlusOneWithoutOvershooting)
{
    std::vector<int> seen;
    int s = 0;
    for (int i = 0; i < 30 && s != 450; ++i) seen.push_back(s = ease(s, 450));
    ASSERT_GE(seen.size(), 3u);
    EXPECT_EQ(seen[0], 91);
    EXPECT_EQ(seen[1], 163);
    EXPECT_EQ(seen[2], 163 + (450 - 163) / 5 + 1);
    EXPECT_EQ(seen.back(), 450);
    for (int v : seen) EXPECT_LE(v, 450);
    EXPECT_EQ(ease(450, 0), 359);
    EXPECT_EQ(ease(7, 7), 7);
    EXPECT_EQ(ease(6, 7), 7);
    EXPECT_EQ(ease(-2147483647, 2147483647), -2147483647 + 858993459);
}

TEST(StatusPanel, NothingAtTheStartMenuOrWithoutAStage)
{
    TestGame g;
    on_stage(*g);
    g->my.sales = 900;
    for (auto [stage, menu] : {std::pair{1, 5}, std::pair{0, 1}}) {
        g->stage = stage;
        g->open_menu = menu;
        draw(*g);
        for (int y = 0; y < 600; y += 2)
            for (int x = 0; x < 800; x += 2) ASSERT_EQ(g->cg.pixel(x, y), kGround);
        EXPECT_EQ(g->panel.shown_sales, 100) << "nothing rolls either";
    }
}

TEST(StatusPanel, EnergyLineColourAtEmptyAndFull)
{
    TestGame g;
    on_stage(*g);
    draw(*g);
    EXPECT_TRUE(has_colour(g->cg, 0, 32, 200, 52, 0xFFFFFF));

    g->my.energy = 0;
    draw(*g);
    EXPECT_TRUE(has_colour(g->cg, 0, 32, 200, 52, 0x800000));
    EXPECT_FALSE(has_colour(g->cg, 0, 32, 200, 52, 0x00FFFF));

    g->my.energy = 60;
    draw(*g);
    EXPECT_TRUE(has_colour(g->cg, 0, 32, 200, 52, 0x00FFFF));
    EXPECT_FALSE(has_colour(g->cg, 0, 32, 200, 52, 0x800000));

    // Both at once (no energy and no maximum): the full colour wins.
    g->my.energy = 0;
    g->my.energy_max = 0;
    draw(*g);
    EXPECT_TRUE(has_colour(g->cg, 0, 32, 200, 52, 0x00FFFF));
}

TEST(StatusPanel, BarsStartAfterTheirTextAndMeasureTheShownValues)
{
    TestGame g;
    on_stage(*g);
    g->my.regen_acc = 300;
    draw(*g);
    const int text_end = 2 + g->cg.text_width("エナジー：30 / 60", Font{15, true});
    auto [x, n] = run_of(g->cg, 40, 0xFF99CC);
    EXPECT_EQ(x, text_end + 10);
    EXPECT_EQ(n, 100); // 30 of 60
    EXPECT_EQ(run_of(g->cg, 45, 0x883366).first, text_end + 10 + 100);
    EXPECT_EQ(run_of(g->cg, 50, 0xEE99DD).second, 100); // 300 of 600
    EXPECT_EQ(run_of(g->cg, 56, 0x884477).second, 200);

    // 29 per cent in floating point is 28.999...: the bar is cut to 28.
    g->my.hunger = 29;
    g->panel.shown_hunger = 29;
    draw(*g);
    EXPECT_EQ(run_of(g->cg, 70, 0xFF9966).second, 28);

    // Sales: 100 of the quota; far past the quota the bar stops at 200.
    const std::int32_t quota = g->map_table.at(1).quota;
    ASSERT_GT(quota, 0);
    EXPECT_EQ(run_of(g->cg, 510, 0x6666CC).first, 595);
    EXPECT_EQ(run_of(g->cg, 510, 0x6666CC).second, static_cast<int>(100.0 / quota * 200));
    g->my.sales = 3 * quota;
    g->panel.shown_sales = 3 * quota;
    draw(*g);
    EXPECT_EQ(run_of(g->cg, 510, 0x6666CC).second, 200);
    EXPECT_TRUE(has_colour(g->cg, 500, 480, 800, 505, 0x00FFFF));

    // Experience past the threshold runs on to the screen's edge.
    g->my.exp = 2 * 70;
    g->panel.shown_exp = 2 * 70;
    draw(*g);
    EXPECT_EQ(run_of(g->cg, 558, 0x66CC99).first, 595);
    EXPECT_EQ(run_of(g->cg, 558, 0x66CC99).second, 800 - 595);

    // Money in yellow at the bottom right.
    EXPECT_TRUE(has_colour(g->cg, 600, 576, 800, 600, 0xFFFF00));
}

TEST(StatusPanel, QuotaOfZeroCountsAsOne)
{
    TestGame g;
    on_stage(*g);
    g->stage = 1;
    g->map_table = MapTable{};
    g->my.sales = 0;
    g->panel.shown_sales = 0;
    draw(*g);
    EXPECT_EQ(run_of(g->cg, 510, 0x6666CC).second, 0);
    EXPECT_TRUE(has_colour(g->cg, 500, 480, 800, 505, 0x00FFFF)) << "0 of a quota of 0 is reached";
    g->my.sales = 1;
    g->panel.shown_sales = 1;
    draw(*g);
    EXPECT_EQ(run_of(g->cg, 510, 0x6666CC).second, 200);
}

TEST(StatusPanel, HungerAndFatigueWarnings)
{
    TestGame g;
    on_stage(*g);
    g->my.hunger = 5;
    g->panel.shown_hunger = 5;
    g->my.fatigue = 95;
    g->panel.shown_fatigue = 95;
    struct Expect {
        int frame;
        bool red_outline;
        bool black_fill;
        bool fatigue_red_fill;
    };
    for (const Expect& e : {Expect{0, true, true, true}, Expect{1, false, false, false}, Expect{3, false, true, true},
                            Expect{4, true, false, false}}) {
        g->frame_no = e.frame;
        draw(*g);
        const int bx = 2 + g->cg.text_width("お腹：5 / 100", Font{15, true}) + 10;
        EXPECT_TRUE(has_colour(g->cg, 0, 62, 80, 82, 0xFF0000)) << "the text is red";
        EXPECT_EQ(g->cg.pixel(bx + 50, 66) == 0xFF0000u, e.red_outline) << e.frame;
        EXPECT_EQ(g->cg.pixel(bx + 50, 72) == 0x000000u, e.black_fill) << e.frame;
        EXPECT_EQ(g->cg.pixel(bx + 50, 72) == 0xBB6633u, !e.black_fill) << e.frame;
        const int fx = 2 + g->cg.text_width("疲労：95 / 100", Font{15, true}) + 10;
        EXPECT_EQ(g->cg.pixel(fx + 40, 115) == 0xFF0000u, e.fatigue_red_fill) << e.frame;
        EXPECT_EQ(g->cg.pixel(fx + 40, 111) == 0xFF0000u, e.red_outline) << e.frame;
    }
}

} // namespace
} // namespace zen
