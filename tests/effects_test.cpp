#include "render/effects.h"
#include "render/picture_store.h"

#include "core/game_state.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace zen {
namespace {

using test::all_black;
using test::TempDir;
using test::TestGame;

void screens(Game& game)
{
    make_play_area(game, game.cg);
    make_play_area(game, game.bak);
}

TEST(EffectsRing, PostsTakeTheNextSlotAndThe101stReplacesTheFirst)
{
    TestGame g;
    EffectsRing& fx = g->effects;
    for (int i = 1; i <= 100; ++i) add_effect(*g, i, 1000 + i, FxKind::text, "t" + std::to_string(i));
    EXPECT_EQ(fx.fx_cursor, 0);
    EXPECT_EQ(fx.fx_x[1], 1);
    EXPECT_EQ(fx.fx_x[0], 100);
    fx.fx_particles[1][0] = 1;
    fx.fx_vx[1] = 77;
    add_effect(*g, 101, 2000, FxKind::smoke, "");
    EXPECT_EQ(fx.fx_cursor, 1);
    EXPECT_EQ(fx.fx_x[1], 101);
    EXPECT_EQ(fx.fx_y[1], 2000);
    EXPECT_EQ(fx.fx_x0[1], 101);
    EXPECT_EQ(fx.fx_y0[1], 2000);
    EXPECT_EQ(fx.fx_kind[1], FxKind::smoke);
    EXPECT_EQ(fx.fx_text[1], "");
    EXPECT_EQ(fx.fx_age[1], 1);
    EXPECT_EQ(fx.fx_vx[1], 0);
    EXPECT_EQ(fx.fx_particles[1][0], 0);
    EXPECT_EQ(fx.fx_x[2], 2);

    add_beam(*g, 10, 20, 30, 40, FxKind::laser);
    EXPECT_EQ(fx.fx_cursor, 2);
    EXPECT_EQ(fx.fx_x0[2], 10);
    EXPECT_EQ(fx.fx_y0[2], 20);
    EXPECT_EQ(fx.fx_vx[2], 10);
    EXPECT_EQ(fx.fx_vy[2], 20);
    EXPECT_EQ(fx.fx_x[2], 30);
    EXPECT_EQ(fx.fx_y[2], 40);
    EXPECT_EQ(fx.fx_text[2], "");

    for (int i = 0; i < 50; ++i) {
        add_effect_at(*g, -1, FxKind::text, "!");
        const auto s = static_cast<std::size_t>(fx.fx_cursor);
        EXPECT_GE(fx.fx_x[s], 230);
        EXPECT_LE(fx.fx_x[s], 250);
        EXPECT_GE(fx.fx_y[s], 35);
        EXPECT_LE(fx.fx_y[s], 54);
    }

    // Over a street figure's head, also just after it was removed; a slot past the street is no figure.
    tman& f = g->street_figures[255];
    f.x = 500;
    f.y = 380;
    f.height = 90;
    add_effect_at(*g, 255, FxKind::text, "+\\40");
    EXPECT_EQ(fx.fx_x[static_cast<std::size_t>(fx.fx_cursor)], 500);
    EXPECT_EQ(fx.fx_y[static_cast<std::size_t>(fx.fx_cursor)], 290);
    EXPECT_EQ(fx.fx_text[static_cast<std::size_t>(fx.fx_cursor)], "+\\40");
    add_effect_at(*g, 256, FxKind::text, "?");
    EXPECT_LE(fx.fx_x[static_cast<std::size_t>(fx.fx_cursor)], 250);
    EXPECT_LE(fx.fx_y[static_cast<std::size_t>(fx.fx_cursor)], 54);
}

TEST(EffectsRing, BounceOffsets)
{
    const int expected[] = {-12, -12, -10, 6, 4, -3, -2, 3, 2, -1, 1};
    for (int age = 0; age <= 10; ++age) EXPECT_EQ(bounce_offset(age), expected[age]) << age;
    EXPECT_EQ(bounce_offset(99), 1);
    EXPECT_EQ(bounce_offset(100), 0);
}

// The box of the pixels of one colour; empty (right < left) when there are none.
struct Box {
    int left = 800, top = 600, right = -1, bottom = -1;
};
Box box_of(const Canvas& c, Colour colour)
{
    Box b;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.pixel(x, y) == colour) {
                b.left = std::min(b.left, x);
                b.right = std::max(b.right, x);
                b.top = std::min(b.top, y);
                b.bottom = std::max(b.bottom, y);
            }
    return b;
}

TEST(FloatingText, CentredOnItsPointThenJumpsTenPixels)
{
    struct Case {
        FxKind kind;
        Font font;
        Colour main;
        int drawn_at; // the text's top for a post at y = 300
    };
    const Case cases[] = {{FxKind::animal_text, {12, true}, 0x2FFFFF, 300},
                          {FxKind::energy_text, {15, true}, 0xFFACD6, 298},
                          {FxKind::text, {11, true}, 0xFFFFFF, 298}};
    for (const Case& c : cases) {
        TestGame g;
        screens(*g);
        // Where the ink of this text starts below the top of its line, at this size.
        Canvas probe;
        make_play_area(*g, probe);
        probe.text(0, 0, "+450円", c.font, c.main);
        const int ink_top = box_of(probe, c.main).top;

        add_effect(*g, 400, 300, c.kind, "+450円");
        effects_pass(*g, g->cg, g->bak);
        const Box first = box_of(g->cg, c.main);
        ASSERT_GE(first.right, first.left) << static_cast<int>(c.kind) << ": drawn in its main colour";
        EXPECT_EQ(first.top, c.drawn_at + ink_top) << static_cast<int>(c.kind);
        EXPECT_NEAR((first.left + first.right) / 2.0, 400.0, 1.5)
            << static_cast<int>(c.kind) << ": centred on its point";

        g->cg.fill(0);
        effects_pass(*g, g->cg, g->bak);
        const Box second = box_of(g->cg, c.main);
        EXPECT_EQ(second.top, first.top - 10) << static_cast<int>(c.kind);
        EXPECT_EQ(second.bottom, first.bottom - 10) << static_cast<int>(c.kind);
        EXPECT_EQ(second.left, first.left) << static_cast<int>(c.kind);
        EXPECT_TRUE(all_black(g->bak)) << static_cast<int>(c.kind) << ": texts are drawn on the screen";
    }
}

TEST(FloatingText, LastsTwentyTwoFramesAndDarkensAtTheEnd)
{
    TestGame g;
    screens(*g);
    add_effect(*g, 400, 300, FxKind::text, "■■■");
    int frames = 0;
    bool faded = false;
    while (g->effects.fx_age[1] >= 1 && frames < 100) {
        g->cg.fill(0);
        effects_pass(*g, g->cg, g->bak);
        ++frames;
        if (frames == 22) {
            // Age 44: the third pass is #111111, over the white of the second.
            bool white = false;
            for (int y = 200; y < 320; ++y)
                for (int x = 380; x < 420; ++x) white = white || g->cg.pixel(x, y) == 0xFFFFFFu;
            faded = !white;
        }
    }
    EXPECT_EQ(frames, 22);
    EXPECT_EQ(g->effects.fx_age[1], 0);
    EXPECT_TRUE(faded);
}

TEST(Effects, EachKindDrawsOnItsOwnImageAndEndsOnTime)
{
    struct Case {
        FxKind kind;
        bool overlay;
        int frames; // frames until the slot is free; 0: never by itself
    };
    const Case cases[] = {
        {FxKind::animal_text, false, 22}, {FxKind::energy_text, false, 22}, {FxKind::text, false, 22},
        {FxKind::level_bloom, true, 30},  {FxKind::red_burst, true, 16},    {FxKind::explosion, true, 20},
        {FxKind::smoke, false, 40},       {FxKind::fire_burst, true, 30},   {FxKind::laser, true, 20},
        {FxKind::sparks, false, 15},      {FxKind::gun_hit, true, 12},      {FxKind::animal_wave, true, 0},
        {FxKind::shout_wave, true, 0},
    };
    for (const Case& c : cases) {
        TestGame g;
        screens(*g);
        if (c.kind == FxKind::laser)
            add_beam(*g, 100, 100, 500, 300, c.kind);
        else
            add_effect(*g, 400, 300, c.kind, "+10円");
        bool drew_screen = false;
        bool drew_overlay = false;
        int frames = 0;
        while (g->effects.fx_age[1] >= 1 && frames < 300) {
            g->cg.fill(0);
            g->bak.fill(0);
            effects_pass(*g, g->cg, g->bak);
            ++frames;
            drew_screen = drew_screen || !all_black(g->cg);
            if (frames < 6) drew_overlay = drew_overlay || !all_black(g->bak);
        }
        EXPECT_EQ(frames, c.frames == 0 ? 300 : c.frames) << static_cast<int>(c.kind);
        EXPECT_EQ(drew_overlay, c.overlay) << static_cast<int>(c.kind);
        EXPECT_EQ(drew_screen, !c.overlay) << static_cast<int>(c.kind);
    }
}

TEST(Effects, ColoursByAge)
{
    TestGame g;
    screens(*g);
    // The large explosion's outer ring at age 2: yellow, radius 160, pen 13.
    add_effect(*g, 400, 300, FxKind::explosion, "");
    effects_pass(*g, g->cg, g->bak);
    EXPECT_EQ(g->bak.pixel(560, 300), 0xFFFF00u);
    EXPECT_EQ(g->bak.pixel(400, 140), 0xFFFF00u);
    EXPECT_EQ(g->bak.pixel(400, 300), 0x000000u);
    // Its first inner ring (v = 3): age 3's colour, radius 54, pen 34.
    EXPECT_EQ(g->bak.pixel(454, 300), 0xFCB803u);
    g->effects.fx_age.fill(0);

    // The laser at age 2: outer #0000DD 60 wide, middle and core over it, core #DDFFFF.
    g->bak.fill(0);
    add_beam(*g, 100, 300, 700, 300, FxKind::laser);
    effects_pass(*g, g->cg, g->bak);
    EXPECT_EQ(g->bak.pixel(400, 300), 0xDDFFFFu);
    EXPECT_EQ(g->bak.pixel(400, 315), 0x0000DDu);
    EXPECT_EQ(g->bak.pixel(400, 285), 0x0000DDu);
    EXPECT_EQ(g->bak.pixel(400, 340), 0x000000u);
}

TEST(ScreenShake, DisplacementNarrowsWithAge)
{
    TestGame g;
    for (int age : {1, 2, 3, 4, 10}) {
        const int reach = std::max(2, 5 - age) - 1;
        int lo = 0;
        int hi = 0;
        for (int i = 0; i < 3000; ++i) {
            const Point d = shake_offset(*g, age);
            lo = std::min({lo, d.x, d.y});
            hi = std::max({hi, d.x, d.y});
        }
        EXPECT_EQ(lo, -reach) << age;
        EXPECT_EQ(hi, reach) << age;
    }
}

TEST(ScreenShake, MovesThePlayAreaButNotTheLogAndPanel)
{
    TestGame g;
    screens(*g);
    Canvas original;
    original.resize(800, 600);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x) original.set_pixel(x, y, rgb(x % 256, y % 256, (x / 256) * 16 + y / 256));
    bool moved = false;
    for (int run = 0; run < 20; ++run) {
        g->cg.copy_rect(0, 0, original, 0, 0, 800, 600);
        g->effects.fx_age.fill(0);
        add_effect(*g, 400, 300, FxKind::shake, "");
        effects_pass(*g, g->cg, g->bak);
        // The moved 800 x 480 area may reach a row or two past its edge; the rest stays.
        for (int y = 482; y < 600; y += 3)
            for (int x = 0; x < 800; x += 13) ASSERT_EQ(g->cg.pixel(x, y), original.pixel(x, y));
        // Age 2: some displacement within -2..2 each way explains the middle of the picture.
        bool explained = false;
        for (int dy = -2; dy <= 2 && !explained; ++dy)
            for (int dx = -2; dx <= 2 && !explained; ++dx) {
                bool all = true;
                for (int y = 100; y < 400 && all; y += 31)
                    for (int x = 100; x < 700 && all; x += 29)
                        all = g->cg.pixel(x, y) == original.pixel(x - dx, y - dy);
                if (all) {
                    explained = true;
                    moved = moved || dx != 0 || dy != 0;
                }
            }
        EXPECT_TRUE(explained);
    }
    EXPECT_TRUE(moved);
    EXPECT_TRUE(all_black(g->bak));
}

TEST(BackgroundPicture, FullPicturesAtTheCornerSmallerOnesCentredAbove)
{
    EXPECT_EQ(picture_position(640, 480).x, 80);
    EXPECT_EQ(picture_position(640, 480).y, 0);
    EXPECT_EQ(picture_position(800, 600).x, 0);
    EXPECT_EQ(picture_position(800, 600).y, 0);
    EXPECT_EQ(picture_position(401, 301).x, 199);
    EXPECT_EQ(picture_position(401, 301).y, 89);

    TempDir data;
    std::filesystem::create_directories(data.path() / "cg");
    test::write_file(data.path() / "cg" / "full.bmp", test::bmp_bytes(800, 600, 0x654321));
    test::write_file(data.path() / "cg" / "small.bmp", test::bmp_bytes(640, 480, 0x123456));
    TestGame g(1, data.path());
    g->work_bitmaps[6].resize(800, 600);

    show_picture(*g, "full.bmp");
    EXPECT_EQ(g->work_bitmaps[0].pixel(0, 0), 0x654321u);
    EXPECT_EQ(g->work_bitmaps[0].pixel(799, 599), 0x654321u);
    EXPECT_EQ(g->work_bitmaps[6].pixel(400, 300), 0x654321u);
    EXPECT_EQ(g->haikei.width(), 800);

    g->cg_hold = 1;
    show_picture(*g, "small.bmp");
    const Canvas& pic = g->work_bitmaps[0];
    EXPECT_EQ(pic.pixel(80, 0), 0x123456u);
    EXPECT_EQ(pic.pixel(719, 479), 0x123456u);
    EXPECT_EQ(pic.pixel(79, 0), 0x654321u) << "the old picture stays around a smaller one";
    EXPECT_EQ(pic.pixel(720, 100), 0x654321u);
    EXPECT_EQ(pic.pixel(400, 480), 0x654321u);
    EXPECT_EQ(g->work_bitmaps[6].pixel(400, 300), 0x654321u) << "a held script picture is not rebuilt";

    g->cg_hold = 0;
    show_picture(*g, "missing.bmp");
    EXPECT_EQ(g->work_bitmaps[0].pixel(400, 100), 0x123456u);
    show_picture(*g, "small.bmp");
    EXPECT_EQ(g->work_bitmaps[6].pixel(400, 100), 0x123456u);
}

} // namespace
} // namespace zen
