#include "street/sales_floor.h"

#include "core/game_state.h"
#include "render/picture_store.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>

namespace zen {
namespace {

using test::StreetGame;

tman& fig(Game& game, int slot) { return game.street_figures[static_cast<std::size_t>(slot)]; }

// The newest effect in the ring.
std::string last_effect_text(const Game& game)
{
    return game.effects.fx_text[static_cast<std::size_t>(game.effects.fx_cursor)];
}
FxKind last_effect_kind(const Game& game)
{
    return game.effects.fx_kind[static_cast<std::size_t>(game.effects.fx_cursor)];
}

// A street with nobody coming by: the stage's customer slots emptied.
void no_passers_by(Game& game) { game.map_table.edit(game.stage)->customer_slots = {}; }

TEST(SpawnFigure, FromEitherSideIntoTheNextSlotOnly)
{
    StreetGame g(1);
    const int w = g->char_bitmaps[1].width();
    const int h = g->char_bitmaps[1].height();
    ASSERT_GT(w, 0);
    int from_left = 0;
    int from_right = 0;
    for (int i = 0; i < 200; ++i) {
        ASSERT_TRUE(spawn_figure(*g, 1, 0, 0));
        const tman& f = fig(*g, g->spawn_cursor);
        EXPECT_EQ(f.age, 1);
        EXPECT_EQ(f.man_id, 1);
        EXPECT_EQ(zen::test::ja(f.name), "キッズ");
        EXPECT_EQ(f.width, w);
        EXPECT_EQ(f.height, h);
        EXPECT_EQ(f.y, f.target_y);
        EXPECT_GE(f.y, 290);
        EXPECT_LE(f.y, 389);
        EXPECT_EQ(f.exit_x, f.target_x);
        if (f.facing == 1) {
            ++from_left;
            EXPECT_GE(f.x, -w);
            EXPECT_LE(f.x, 9 - w);
            EXPECT_EQ(f.target_x, w + 801);
        } else {
            ++from_right;
            EXPECT_GE(f.x, w + 791);
            EXPECT_LE(f.x, w + 800);
            EXPECT_EQ(f.target_x, -w - 1);
        }
    }
    EXPECT_GT(from_left, 60);
    EXPECT_GT(from_right, 60);

    // The cursor wraps after 255; a held slot makes the spawn fail without trying another.
    g->street_figures.fill(tman{});
    g->spawn_cursor = 255;
    ASSERT_TRUE(spawn_figure(*g, 2, 0, 0));
    EXPECT_EQ(g->spawn_cursor, 0);
    fig(*g, 1).age = 7;
    fig(*g, 1).man_id = 5;
    EXPECT_FALSE(spawn_figure(*g, 1, 0, 0));
    EXPECT_EQ(g->spawn_cursor, 1);
    EXPECT_EQ(fig(*g, 1).man_id, 5);
    EXPECT_EQ(fig(*g, 1).age, 7);
    EXPECT_TRUE(spawn_figure(*g, 1, 0, 0));
    EXPECT_EQ(g->spawn_cursor, 2);

    // An animal heads for the player behind the table and leaves by the far edge.
    ASSERT_TRUE(spawn_figure(*g, 100, 0, 0));
    const tman& rabbit = fig(*g, 3);
    EXPECT_EQ(rabbit.target_x, 383);
    EXPECT_EQ(rabbit.target_y, 391);
    EXPECT_TRUE(rabbit.exit_x == rabbit.width + 801 || rabbit.exit_x == -rabbit.width - 1) << rabbit.exit_x;
}

TEST(SpawnFigure, IdsWithoutATemplateAndAFullStreetSpawnNothing)
{
    StreetGame g(1);
    for (int id : {-1, 0, 8, 99, 256, INT_MIN, INT_MAX}) EXPECT_FALSE(spawn_figure(*g, id, 0, 0)) << id;
    EXPECT_EQ(g->spawn_cursor, 0);
    for (tman& f : g->street_figures) f.age = 3;
    for (int i = 0; i < 600; ++i) EXPECT_FALSE(spawn_figure(*g, 1, 0, 0));
    for (const tman& f : g->street_figures) EXPECT_EQ(f.man_id, 0);
    // Ticking a full street does not grow anything either: every arrival fails quietly.
    g->my.item_count[1] = 3;
    g->my.ad_power[1] = 20;
    g.ticks(50);
    EXPECT_EQ(g.live(1) + g.live(2), 0);
}

TEST(PickCustomerKind, DrawsFromTheStagesFourSlots)
{
    StreetGame g(2); // キッズ, ガール, ガール
    std::map<int, int> seen;
    for (int i = 0; i < 3000; ++i) seen[pick_customer_kind(*g)] += 1;
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_NEAR(seen[2], 2 * seen[1], 300);

    // The fourth slot comes too: ハイティーン on the sea.
    g->stage = 4;
    seen.clear();
    for (int i = 0; i < 2000; ++i) seen[pick_customer_kind(*g)] += 1;
    EXPECT_GT(seen[5], 350);
    EXPECT_EQ(seen.size(), 3u);

    // No stage, empty slots, or slots naming no figure: nobody comes.
    g->stage = 0;
    EXPECT_EQ(pick_customer_kind(*g), 0);
    g->stage = 1;
    g->map_table.edit(1)->customer_slots = {0, 0, 0, 999};
    for (int i = 0; i < 20; ++i) EXPECT_EQ(pick_customer_kind(*g), 0);
    no_passers_by(*g);
    EXPECT_EQ(pick_customer_kind(*g), 0);
}

// The mean and the longest number of ticks between arrivals, measured by the customer timer
// going back to 0.
std::pair<double, int> arrival_gaps(StreetGame& g, int ad_power, int ticks)
{
    g->my.ad_power[1] = ad_power;
    g->customer_timer = 0;
    int arrivals = 0;
    int gap = 0;
    int longest = 0;
    for (int i = 0; i < ticks; ++i) {
        g.ticks(1);
        ++gap;
        if (g->customer_timer == 0) {
            ++arrivals;
            longest = std::max(longest, gap);
            gap = 0;
        }
    }
    return {static_cast<double>(ticks) / arrivals, longest};
}

TEST(StreetTick, CustomersComeSoonerWithAdvertisingAndAtTheLatestAfter100Ticks)
{
    StreetGame g(1);
    // 1 in 100 a tick, and always by the 100th: 63 ticks on average.
    auto [mean, longest] = arrival_gaps(g, 0, 10000);
    EXPECT_NEAR(mean, 63.4, 6.0);
    EXPECT_EQ(longest, 100);
    // From 8 points on, 1 in 20.
    std::tie(mean, longest) = arrival_gaps(g, 8, 4000);
    EXPECT_NEAR(mean, 19.9, 3.0);
    std::tie(mean, longest) = arrival_gaps(g, INT_MAX, 4000);
    EXPECT_NEAR(mean, 19.9, 3.0);

    // The forced arrival brings a customer.
    g->street_figures.fill(tman{});
    g->my.ad_power[1] = 0;
    g->customer_timer = 99;
    g.ticks(1);
    EXPECT_EQ(g->customer_timer, 0);
    EXPECT_EQ(g.live(1) + g.live(2), 1);
}

TEST(StreetTick, ACustomerChoosesAfter30TicksBuysAtItsPileAndLeaves)
{
    StreetGame g(1);
    no_passers_by(*g);
    g->my.item_count[1] = 5;
    g->my.level = 10; // no level-up in the way
    ASSERT_TRUE(spawn_figure(*g, 1, 0, 0));
    const int s = g->spawn_cursor;
    tman& kid = fig(*g, s);
    const int speed = kid.speed;
    while (kid.age < 31) {
        EXPECT_EQ(kid.state, 0) << kid.age;
        g.ticks(1);
    }
    // At age 31 it wants the only game it likes that is on the table, and hurries.
    EXPECT_EQ(kid.state, 1);
    EXPECT_EQ(kid.speed, 2 * speed);
    EXPECT_EQ(kid.target_x, 348);
    EXPECT_EQ(last_effect_text(*g), "!");
    EXPECT_EQ(last_effect_kind(*g), FxKind::text);

    int guard = 0;
    while (kid.visited == 0 && ++guard < 500) g.ticks(1);
    EXPECT_EQ(kid.visited, 2);
    EXPECT_EQ(kid.x, 348);
    EXPECT_EQ(kid.y, 389);
    EXPECT_EQ(g->my.item_count[1], 4);
    EXPECT_EQ(g->my.money, 100);
    EXPECT_EQ(g->my.sales, 100);
    EXPECT_GE(g->my.exp, 1);
    EXPECT_LE(g->my.exp, 3);
    EXPECT_EQ(last_effect_text(*g), "ミニゲーム『ころりんぱ』購入 +\\100");
    EXPECT_NE(g.take_trace().find("message yellow2 お金 100円を入手\n"), std::string::npos);
    EXPECT_EQ(kid.speed, 4 * speed);
    EXPECT_EQ(kid.target_x, kid.exit_x);

    // Away by the side it walks to; the slot is free again.
    while (kid.age != 0 && ++guard < 1000) g.ticks(1);
    EXPECT_EQ(kid.age, 0);
    EXPECT_TRUE(kid.x > kid.width + 800 || kid.x < -kid.width) << kid.x;
    EXPECT_EQ(g->my.item_count[1], 4); // one copy, one customer
}

TEST(StreetTick, ACustomerWithNothingItWantsWalksOn)
{
    StreetGame g(1);
    no_passers_by(*g);
    g->my.item_count[4] = 2;   // not a wish of キッズ
    g->my.item_count[150] = 1; // a tool, not a game
    g->item_table.edit(1)->kind = 2;
    ASSERT_TRUE(spawn_figure(*g, 1, 0, 0));
    tman& kid = fig(*g, g->spawn_cursor);
    kid.wanted_genres = {1, 150, 4000, -3};
    g->my.item_count[1] = 9; // genre 1 hand-edited into a shop item: not for sale
    int guard = 0;
    while (kid.age != 0 && ++guard < 1000) {
        g.ticks(1);
        EXPECT_EQ(kid.state, 0);
    }
    EXPECT_EQ(kid.age, 0);
    EXPECT_EQ(g->my.money, 0);
}

TEST(SellGame, ASoldOutPileOrAnIdThatIsNoGameSellsNothing)
{
    StreetGame g(1);
    no_passers_by(*g);
    g->my.item_count[1] = 1;
    ASSERT_TRUE(spawn_figure(*g, 2, 0, 0));
    tman& girl = fig(*g, g->spawn_cursor);
    girl.age = 31;
    g.ticks(1);
    ASSERT_EQ(girl.state, 1);
    g->my.item_count[1] = 0; // sold to someone else on the way
    int guard = 0;
    while (girl.visited == 0 && ++guard < 500) g.ticks(1);
    EXPECT_EQ(girl.visited, 1);
    EXPECT_EQ(last_effect_text(*g), "λ....");
    EXPECT_EQ(g->my.money, 0);
    EXPECT_EQ(girl.target_x, girl.exit_x);

    for (int id : {0, 14, 150, 999, 1000, -1}) {
        girl.target_x = 1;
        g->my.item_count[150] = 4;
        sell_game(*g, g->spawn_cursor, id);
        EXPECT_EQ(last_effect_text(*g), "λ....") << id;
        EXPECT_EQ(girl.target_x, girl.exit_x);
    }
    EXPECT_EQ(g->my.item_count[150], 4);
    EXPECT_EQ(g->my.sales, 0);
    sell_game(*g, -1, 1);
    sell_game(*g, 256, 1);
}

TEST(SellGame, InflationAndBothExperienceItemsTogether)
{
    StreetGame g(1);
    g->item_table.edit(6)->price = 300;
    const int cost = g->item_table.at(6).energy_cost; // 6
    g->my.item_count[6] = 2;
    g->my.item_count[201] = 1;
    g->my.item_count[202] = 1;
    g->my.item_count[203] = 1;
    g->my.level = 20;
    std::map<int, int> exp_seen;
    for (int i = 0; i < 60; ++i) {
        g->my.item_count[6] = 2;
        g->my.exp = 0;
        g->my.money = 0;
        g->my.sales = 0;
        sell_game(*g, 10, 6);
        EXPECT_EQ(g->my.money, 450);
        EXPECT_EQ(g->my.sales, 450);
        EXPECT_EQ(g->my.item_count[6], 1);
        EXPECT_EQ(fig(*g, 10).visited, 2);
        exp_seen[g->my.exp] += 1;
    }
    // random 0..2 + cost, then half again, then doubled: 6 -> 18, 7 -> 20, 8 -> 24.
    std::map<int, int> expected;
    for (int base = cost; base <= cost + 2; ++base) expected[(base + base / 2) * 2] = 0;
    for (const auto& [exp, n] : exp_seen) EXPECT_TRUE(expected.count(exp)) << exp;
    EXPECT_EQ(exp_seen.size(), 3u);
    EXPECT_EQ(last_effect_text(*g), "RPG『ASHEN CROWN』購入 +\\450");
}

TEST(StreetTick, PilesStandInFourColumnsAndGrowThreePixelsACopy)
{
    StreetGame g(1);
    no_passers_by(*g);
    for (int id = 1; id <= 5; ++id) g->my.item_count[static_cast<std::size_t>(id)] = 1;
    g.ticks(1);
    EXPECT_EQ(g->shelf_count, 5);
    const int xs[] = {348, 383, 418, 453, 348};
    const int ys[] = {388, 388, 388, 388, 423};
    for (int id = 1; id <= 5; ++id) {
        EXPECT_EQ(g->item_table.at(id).shelf_x, xs[id - 1]) << id;
        EXPECT_EQ(g->item_table.at(id).shelf_y, ys[id - 1]) << id;
    }

    // A plain picture for genre 1, so the pile's top can be read off the screen.
    Canvas& box = get_picture(*g, "game01.bmp");
    box.resize(34, 40);
    box.fill(0x12AB34);
    box.set_transparent(false);
    // The top of genre 1's pile after a street frame on a black screen.
    auto top = [&] {
        g->cg.fill(0);
        g.ticks(1);
        for (int y = 0; y < 600; ++y)
            if (g->cg.pixel(348, y) == 0x12AB34) return y;
        return -1;
    };
    g->my.item_count[1] = 5;
    EXPECT_EQ(top(), 388 - 3 * 4);
    EXPECT_EQ(g->cg.pixel(331, 400), 0x12AB34u); // the bottom copy's left edge
    EXPECT_NE(g->cg.pixel(330, 400), 0x12AB34u);
    g->my.item_count[1] = 4;
    EXPECT_EQ(top(), 388 - 3 * 3);
    // A stock edited into the billions is a pile up to the top of the screen, drawn at once.
    g->my.item_count[1] = INT_MAX;
    EXPECT_EQ(top(), 0);
    g->my.item_count[1] = 0;
    EXPECT_EQ(top(), -1);
    EXPECT_EQ(g->shelf_count, 4);
}

TEST(StreetTick, FiguresAreDrawnBackToFrontAndMirroredWalkingRight)
{
    StreetGame g(1);
    no_passers_by(*g);
    g->char_bitmaps[1].resize(40, 40);
    g->char_bitmaps[1].fill(0xFF0000);
    g->char_bitmaps[1].set_pixel(39, 0, 0x0000FF); // right top corner, to see the mirroring
    g->char_bitmaps[1].set_transparent(false);
    g->char_bitmaps[2].resize(40, 40);
    g->char_bitmaps[2].fill(0x00FF00);
    g->char_bitmaps[2].set_transparent(false);
    // Two figures standing on top of one another: the nearer one (larger y) covers the other,
    // whatever their slots.
    tman& far = fig(*g, 3);
    far = g->man_table.at(1);
    far.age = 40;
    far.visited = 2; // done shopping
    far.man_id = 1;
    far.width = far.height = 40;
    far.x = far.target_x = 200;
    far.y = far.target_y = 330;
    far.facing = 0;
    tman& near = fig(*g, 2);
    near = far;
    near.man_id = 2;
    near.y = near.target_y = 345;
    g.ticks(1);
    EXPECT_EQ(g->cg.pixel(200, 310), 0x00FF00u); // where both overlap
    EXPECT_EQ(g->cg.pixel(200, 300), 0xFF0000u); // the far one above
    EXPECT_EQ(g->cg.pixel(219, 290), 0x0000FFu); // stored as drawn: the marked corner at the right
    far.facing = 1;
    g.ticks(1);
    EXPECT_EQ(g->cg.pixel(180, 290), 0x0000FFu); // mirrored: the marked corner at the left
    EXPECT_EQ(depth_band(330), 4);
    EXPECT_EQ(depth_band(280), 0);
    EXPECT_EQ(depth_band(298), 0);
    EXPECT_EQ(depth_band(-10), -29);
    EXPECT_EQ(depth_band(398), 10);
    EXPECT_EQ(depth_band(-11), -30);
    EXPECT_EQ(depth_band(399), 11);
    EXPECT_EQ(depth_band(INT32_MIN), -214748393);

    // A figure in no band is neither moved nor drawn, and leaves its slot at once.
    for (const int y : {399, 460, -11}) {
        tman& low = fig(*g, 7);
        low = far;
        low.y = y;
        low.target_y = y;
        low.target_x = 300;
        g.ticks(1);
        EXPECT_EQ(low.age, 0) << y;
        EXPECT_EQ(low.x, 200) << y;
        if (y > 0) {
            EXPECT_NE(g->cg.pixel(200, y - 1), 0xFF0000u) << y;
        }
    }
}

TEST(StreetTick, RunsOnlyOnTheStreetOfAStageStillRunning)
{
    StreetGame g(1);
    g->my.fatigue = 0;
    g->customer_timer = 99;
    for (auto stop : {+[](Game& game) { game.on_street = 0; }, +[](Game& game) { game.my.quota_done = 1; },
                      +[](Game& game) { game.my.game_over = 1; }}) {
        StreetGame h(1);
        stop(*h);
        h->customer_timer = 99;
        h->frame_no = 9;
        h.ticks(1);
        EXPECT_EQ(h->customer_timer, 99);
        EXPECT_EQ(h->my.fatigue, 0);
    }
    // On the street the player tires a point every ten frames, up to 100.
    g->frame_no = 0;
    g.ticks(100);
    EXPECT_EQ(g->my.fatigue, 10);
    g->my.fatigue = 100;
    g.ticks(10);
    EXPECT_EQ(g->my.fatigue, 100);
}

} // namespace
} // namespace zen
