#include "app/frame_tick.h"

#include "core/game_state.h"
#include "street/sales_floor.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <vector>

namespace zen {
namespace {

using test::HomeGame;
using test::StreetGame;

// A stage running at home, on a frame that is no multiple of 30 (no hunger lost), at full energy
// (no energy regained).
struct ClockGame : HomeGame {
    explicit ClockGame(int stage = 1)
    {
        game->stage = stage;
        game->frame_no = 1;
        game->my.energy = game->my.energy_max;
        take_trace();
    }
    void steps(int n)
    {
        for (int i = 0; i < n; ++i) run_stage_clock(*game);
    }
};

// The messages of a trace, in order.
std::vector<std::string> messages(const std::string& trace)
{
    std::vector<std::string> out;
    std::size_t at = 0;
    while ((at = trace.find("message silver ", at)) != std::string::npos) {
        const std::size_t end = trace.find('\n', at);
        out.push_back(trace.substr(at + 15, end - at - 15));
        at = end;
    }
    return out;
}

TEST(StageClock, ThreeMinutesAFrameAndEachNewDayAnnounced)
{
    ClockGame g;
    g.steps(19);
    EXPECT_EQ(g->my.minute, 57);
    EXPECT_EQ(g->my.hour, 0);
    g.steps(1);
    EXPECT_EQ(g->my.minute, 0);
    EXPECT_EQ(g->my.hour, 1);
    g.take_trace();
    g.steps(23 * 20);
    EXPECT_EQ(g->my.day, 1);
    EXPECT_EQ(g->my.hour, 0);
    EXPECT_EQ(g.take_trace(), "sound time.wav\nmessage silver ＊＊＊　残り 6日です　＊＊＊\n");

    // Hunger falls a point on every 30th frame, never below 0.
    g->my.hunger = 1;
    for (int f : {30, 31, 0, 60}) {
        g->frame_no = f;
        g.steps(1);
    }
    EXPECT_EQ(g->my.hunger, 0);
    g->my.hunger = 50;
    g->frame_no = 990;
    g.steps(1);
    g->frame_no = 999;
    g.steps(1);
    EXPECT_EQ(g->my.hunger, 49);
}

TEST(StageClock, TheLastDayCountsDownItsHoursThenTimeIsUp)
{
    ClockGame g;
    g->my.day = 7;
    g.steps(24 * 20 - 1);
    const std::vector<std::string> said = messages(g.take_trace());
    ASSERT_EQ(said.size(), 23u);
    EXPECT_EQ(said.front(), "＊＊＊　残り 23時間です　＊＊＊");
    EXPECT_EQ(said.back(), "＊＊＊　残り 1時間です　＊＊＊");
    // Midnight says nothing; the day after the last is over at the next step.
    g.steps(1);
    EXPECT_EQ(g->my.day, 8);
    EXPECT_EQ(g.take_trace(), "");
    EXPECT_EQ(g->my.game_over, 0);
    g.steps(1);
    EXPECT_EQ(g->my.game_over, 1);
    EXPECT_EQ(g->open_menu, kMenuTimeUp);
    EXPECT_EQ(g.take_trace(), "sound gameover.wav\nmessage silver ゲームオーバーです！\nsound 2.wav\n");
    // The clock has stopped.
    const int minute = g->my.minute;
    g.steps(10);
    EXPECT_EQ(g->my.minute, minute);
    EXPECT_EQ(g.take_trace(), "");
}

TEST(StageClock, TheQuotaClearsTheStageOnceAndComesBeforeTheTimeLimit)
{
    ClockGame g(3);
    g->my.sales = 4999;
    g.steps(1);
    EXPECT_EQ(g->my.quota_done, 0);
    g->my.sales = 5000;
    g.steps(1);
    EXPECT_EQ(g->my.quota_done, 1);
    EXPECT_EQ(g->my.stage_clears[3], 1);
    EXPECT_EQ(g->open_menu, kMenuStageCleared);
    EXPECT_EQ(g.take_trace(),
              "sound battle_lvup.wav\nmessage silver ノルマ 5000円を達成！！！！！！！！！！\nsound 2.wav\n");
    g.steps(5);
    EXPECT_EQ(g->my.stage_clears[3], 1);

    // Both in one frame: the quota counts, then the time limit ends the stage; menu 14 comes last.
    ClockGame both(3);
    both->my.sales = 6000;
    both->my.day = 8;
    both.steps(1);
    EXPECT_EQ(both->my.quota_done, 1);
    EXPECT_EQ(both->my.stage_clears[3], 1);
    EXPECT_EQ(both->my.game_over, 1);
    EXPECT_EQ(both->open_menu, kMenuTimeUp);
    const std::string trace = both.take_trace();
    EXPECT_LT(trace.find("ノルマ 5000円"), trace.find("ゲームオーバーです！"));
}

TEST(StageClock, EnergyComesBackWithAFullStomachAndRest)
{
    ClockGame g;
    g->my.hunger = 95; // 95 div 8 + 1 for 90 and more: 12 a frame
    g->my.fatigue = 0;
    g->my.energy = 0;
    g.steps(49);
    EXPECT_EQ(g->my.regen_acc, 588);
    EXPECT_EQ(g->my.energy, 0);
    g.take_trace();
    g.steps(1);
    EXPECT_EQ(g->my.energy, 1);
    EXPECT_EQ(g->my.regen_acc, 0);
    EXPECT_EQ(g.take_trace(), "sound hp.wav\n");

    // Each energy item adds 1; fatigue takes a point per 10.
    g->my.item_count[140] = 1;
    g->my.item_count[200] = 1;
    g->my.fatigue = 35;
    g.steps(1);
    EXPECT_EQ(g->my.regen_acc, 12 + 2 - 3);

    // Starved and worn out: nothing, and never less than nothing.
    g->my.item_count[140] = 0;
    g->my.item_count[200] = 0;
    g->my.hunger = 0;
    g->my.fatigue = 100;
    g->my.regen_acc = 77;
    g.steps(100);
    EXPECT_EQ(g->my.regen_acc, 77);

    // At full energy the accumulator waits, full.
    g->my.hunger = 100;
    g->my.fatigue = 0;
    g->my.energy = g->my.energy_max;
    g.steps(200);
    EXPECT_EQ(g->my.regen_acc, 600);
    EXPECT_EQ(g->my.energy, g->my.energy_max);
    g->my.energy -= 1;
    g.steps(1);
    EXPECT_EQ(g->my.energy, g->my.energy_max);
    EXPECT_EQ(g->my.regen_acc, 0);
}

// Two robot dogs on top of one another under the pointer, in slots 10 and 20.
void two_dogs_under_the_mouse(StreetGame& g)
{
    for (int s : {20, 10}) {
        g->spawn_cursor = s - 1;
        ASSERT_TRUE(spawn_figure(*g, 200, 0, 0));
        tman& dog = g->street_figures[static_cast<std::size_t>(s)];
        dog.x = 300;
        dog.y = 330;
    }
    g->mouse_x = 300 + g->char_bitmaps[200].width() / 2;
    g->mouse_y = 330 - g->char_bitmaps[200].height();
    g->fire_held = 1;
    g->hovered_button = 0;
    g->frame_no = 1;
    g.take_trace();
}

TEST(StageClock, TheStreetGunHitsTheLowerSlotOnly)
{
    StreetGame g(2);
    two_dogs_under_the_mouse(g);
    tman& first = g->street_figures[10];
    tman& second = g->street_figures[20];
    run_stage_clock(*g);
    EXPECT_EQ(first.hit_points, 9);
    EXPECT_EQ(second.hit_points, 10);
    EXPECT_EQ(g.take_trace(), "sound gun.wav\n");
    EXPECT_EQ(g->effects.fx_kind[static_cast<std::size_t>(g->effects.fx_cursor)], FxKind::gun_hit);
    EXPECT_EQ(g->effects.fx_x[static_cast<std::size_t>(g->effects.fx_cursor)], g->mouse_x);

    // Better guns: 1 + 1 (130) + 2 (135) + 3 (139).
    g->my.item_count[130] = 1;
    g->my.item_count[135] = 1;
    g->my.item_count[139] = 1;
    run_stage_clock(*g);
    EXPECT_EQ(first.hit_points, 2);
    run_stage_clock(*g);
    EXPECT_EQ(first.age, 0);
    EXPECT_EQ(g->my.money, 40);
    const std::string trace = g.take_trace();
    EXPECT_NE(trace.find("sound bom.wav\n"), std::string::npos);
    EXPECT_NE(trace.find("message yellow2 お金 40円を入手\n"), std::string::npos);
    const auto cursor = static_cast<std::size_t>(g->effects.fx_cursor);
    EXPECT_EQ(g->effects.fx_text[cursor], "+\\40");
    EXPECT_EQ(g->effects.fx_y[cursor], 330 - first.height);
    EXPECT_EQ(g->effects.fx_kind[cursor - 1], FxKind::smoke);
    EXPECT_EQ(g->effects.fx_kind[cursor - 2], FxKind::red_burst);
    EXPECT_EQ(g->effects.fx_y[cursor - 2], 330 - first.height / 2);
    // The next shot goes to the one left.
    run_stage_clock(*g);
    EXPECT_EQ(second.hit_points, 3);
    // A pointer just outside the box misses.
    g->mouse_x += 1;
    run_stage_clock(*g);
    EXPECT_EQ(second.hit_points, 3);
}

TEST(StageClock, TheStreetGunNeverFiresOverAButtonTiredOrAtHome)
{
    StreetGame g(2);
    two_dogs_under_the_mouse(g);
    g->hovered_button = 501;
    run_stage_clock(*g);
    EXPECT_EQ(g->street_figures[10].hit_points, 10);
    g->hovered_button = 0;
    g->fire_held = 0;
    run_stage_clock(*g);
    EXPECT_EQ(g->street_figures[10].hit_points, 10);

    // Worn out: the player is told so, every frame the button stays down.
    g->fire_held = 1;
    g->my.fatigue = 100;
    g.take_trace();
    run_stage_clock(*g);
    run_stage_clock(*g);
    EXPECT_EQ(g.take_trace(),
              "message silver ダメだ、疲れで力がでない・・・!!\nmessage silver ダメだ、疲れで力がでない・・・!!\n");
    EXPECT_EQ(g->street_figures[10].hit_points, 10);

    // At home the street's figures are out of sight and out of reach.
    g->my.fatigue = 0;
    g->on_street = 0;
    run_stage_clock(*g);
    EXPECT_EQ(g->street_figures[10].hit_points, 10);
    EXPECT_EQ(g.take_trace(), "");
}

TEST(StageClock, RunsInTheFrameWhileAStageRunsOutsideTheStartMenu)
{
    StreetGame g(1);
    g->my.minute = 0;
    frame_step(*g);
    EXPECT_EQ(g->my.minute, 3);
    g->open_menu = kMenuStart;
    frame_step(*g);
    frame_step(*g);
    EXPECT_EQ(g->my.minute, 3);
    g->open_menu = kMenuShop;
    g->on_street = 0;
    frame_step(*g);
    EXPECT_EQ(g->my.minute, 6);
    g->stage = 0;
    frame_step(*g);
    EXPECT_EQ(g->my.minute, 6);
}

} // namespace
} // namespace zen
