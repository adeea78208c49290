#include "app/frame_tick.h"
#include "core/game_state.h"
#include "home/new_game.h"

#include "test_support.h"

#include <gtest/gtest.h>

namespace zen {
namespace {

using test::TestGame;

int interval_after(int interval, int frames_in_window)
{
    TestGame g;
    g->timer_interval = interval;
    g->next_rate_check = 1000;
    g->frames_this_second = frames_in_window;
    regulate_frame_rate(*g, 1001);
    EXPECT_EQ(g->frames_this_second, 0);
    EXPECT_EQ(g->next_rate_check, 2001);
    return g->timer_interval;
}

TEST(FrameTick, RateRegulationSteersTowardElevenOrTwelveFramesASecond)
{
    EXPECT_EQ(interval_after(90, 13), 91);
    EXPECT_EQ(interval_after(90, 20), 98);
    EXPECT_EQ(interval_after(90, 10), 88);
    EXPECT_EQ(interval_after(90, 11), 90);
    EXPECT_EQ(interval_after(90, 12), 90);
    EXPECT_EQ(interval_after(71, 5), 71); // 71 - 7 would fall under the 70 ms floor
    EXPECT_EQ(interval_after(72, 10), 70);
    EXPECT_EQ(interval_after(500, 40), 528); // no upper bound

    // Within the second nothing changes.
    TestGame g;
    g->next_rate_check = 1000;
    g->frames_this_second = 30;
    regulate_frame_rate(*g, 1000);
    EXPECT_EQ(g->timer_interval, 90);
    EXPECT_EQ(g->frames_this_second, 30);
}

TEST(FrameTick, FrameCounterWrapsAfter999)
{
    TestGame g;
    make_play_area(*g, g->cg);
    g->title_step = -2;
    g->frame_no = 998;
    frame_step(*g);
    EXPECT_EQ(g->frame_no, 999);
    frame_step(*g);
    EXPECT_EQ(g->frame_no, 0);
    frame_step(*g);
    EXPECT_EQ(g->frame_no, 1);
    EXPECT_EQ(g->frames_this_second, 3);
}

TEST(FrameTick, StartScreensOnlyRedrawTheComposedBackground)
{
    for (int step : {-2, -1}) {
        TestGame g;
        make_play_area(*g, g->cg);
        g->cg.fill(0x123456);
        make_play_area(*g, g->work_bitmaps[6]);
        g->work_bitmaps[6].fill(0x00FF00);
        g->work_bitmaps[6].fill_rect(10, 10, 20, 20, 0xFF0000);
        make_play_area(*g, g->work_bitmaps[0]);
        g->work_bitmaps[0].fill(0x0000FF);
        g->bg_dirty = 1;
        g->title_step = step;
        g->my.money = 2000000000;
        frame_step(*g);
        EXPECT_EQ(g->cg.pixel(0, 0), 0x00FF00u);
        EXPECT_EQ(g->cg.pixel(15, 15), 0xFF0000u);
        EXPECT_EQ(g->cg.pixel(799, 599), 0x00FF00u);
        EXPECT_EQ(g->bg_dirty, 1);          // no rebuild on these screens
        EXPECT_EQ(g->my.money, 2000000000); // and no clamp
    }
}

TEST(FrameTick, ComposedFrameRebuildsTheBackgroundAndOrsTheOverlay)
{
    TestGame g;
    make_play_area(*g, g->cg);
    make_play_area(*g, g->bak);
    make_play_area(*g, g->work_bitmaps[0]);
    g->work_bitmaps[0].fill(0x102030);
    make_play_area(*g, g->work_bitmaps[6]);
    g->title_step = 0;
    g->bg_dirty = 1;
    g->my.money = 2000000000;
    g->my.hunger = 130;
    g->my.fatigue = -4;
    frame_step(*g);
    EXPECT_EQ(g->bg_dirty, 0);
    EXPECT_EQ(g->cg.pixel(400, 100), 0x102030u);
    EXPECT_EQ(g->my.money, 999999999);
    EXPECT_EQ(g->my.hunger, 100);
    EXPECT_EQ(g->my.fatigue, 0);

    // A script picture holds the background: no rebuild while cg_hold is set.
    g->work_bitmaps[0].fill(0x00FF00);
    g->cg_hold = 1;
    g->bg_dirty = 1;
    frame_step(*g);
    EXPECT_EQ(g->bg_dirty, 1);
    EXPECT_EQ(g->cg.pixel(400, 100), 0x102030u);
}

TEST(FrameTick, BlinkColourPulsesOverEightFrames)
{
    // A grey that fades from its brightest to black and back, once every eight frames, without a
    // jump where the frame counter wraps from 999 to 0.
    TestGame g;
    auto grey_at = [&](int frame) {
        g->frame_no = frame;
        const Colour c = blink_colour(*g);
        EXPECT_EQ(c & 0xFF, (c >> 8) & 0xFF) << frame;
        EXPECT_EQ(c & 0xFF, (c >> 16) & 0xFF) << frame;
        return static_cast<int>(c & 0xFF);
    };
    for (int start : {0, 8, 992}) {
        const int brightest = grey_at(start);
        EXPECT_GT(brightest, 0x40) << "visible on a black button";
        EXPECT_EQ(grey_at(start + 4), 0) << "black halfway";
        for (int k = 1; k <= 4; ++k) {
            EXPECT_LT(grey_at(start + k), grey_at(start + k - 1)) << "fades at " << start + k;
            EXPECT_EQ(grey_at(start + k), grey_at(start + 8 - k)) << "comes back the same way";
        }
    }
    EXPECT_EQ(grey_at(999), grey_at(7)); // 999 and 7 are the same step of the pulse
    EXPECT_EQ(grey_at(0), grey_at(992));
}

TEST(FrameTick, TickCountsDownTheSoundGuard)
{
    TestGame g;
    make_play_area(*g, g->cg);
    g->title_step = -2;
    g->last_sound = "gun.wav";
    g->sound_guard = 1;
    tick(*g);
    EXPECT_EQ(g->sound_guard, 0);
    EXPECT_EQ(g->last_sound, "");
}

TEST(GameState, NewGameAndClamp)
{
    TestGame g;
    g->my.rpg_ammo = 3;
    g->my.news_read[4] = 1;
    g->my.hour = 5;
    g->my.money = 77;
    g->my.item_count[150] = 1;
    g->my.stage_clears[6] = 2;
    g->stage = 4;
    new_game(*g);
    EXPECT_EQ(g->my.money, 0);
    EXPECT_EQ(g->my.energy, 5);
    EXPECT_EQ(g->my.energy_max, 5);
    EXPECT_EQ(g->my.shouts_used, 1);
    EXPECT_EQ(g->my.volume, -1100);
    EXPECT_EQ(g->my.item_count[150], 0);
    EXPECT_EQ(g->my.stage_clears[6], 0);
    EXPECT_EQ(g->stage, 0);
    EXPECT_EQ(g->my.rpg_ammo, 3);
    EXPECT_EQ(g->my.news_read[4], 1);
    EXPECT_EQ(g->my.hour, 5);

    // The end-of-frame clamp: money above the cap, hunger below 0 and fatigue above 100 come back
    // inside; values inside stay as they are.
    g->my.money = 1500000000;
    g->my.hunger = -5;
    g->my.fatigue = 250;
    clamp_stats(*g);
    EXPECT_EQ(g->my.money, 999999999);
    EXPECT_EQ(g->my.hunger, 0);
    EXPECT_EQ(g->my.fatigue, 100);
    g->my.money = -20; // a debt from an edited save is not the clamp's business
    g->my.hunger = 57;
    g->my.fatigue = 0;
    clamp_stats(*g);
    EXPECT_EQ(g->my.money, -20);
    EXPECT_EQ(g->my.hunger, 57);
    EXPECT_EQ(g->my.fatigue, 0);
}

} // namespace
} // namespace zen
