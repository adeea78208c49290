#include "rules/economy.h"

#include "core/game_state.h"
#include "core/saturating.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <limits>

namespace zen {
namespace {

using test::HomeGame;

TEST(Pay, TakesThePriceOrRefusesWithNothingTaken)
{
    HomeGame g;
    g->my.money = 300;
    EXPECT_TRUE(pay(*g, 300)); // exactly all the money
    EXPECT_EQ(g->my.money, 0);
    EXPECT_EQ(g.take_trace(), "message gray 300円支払った\nsound katan.wav\n");

    g->my.money = 299;
    count_down_sound_guard(*g);
    EXPECT_FALSE(pay(*g, 300)); // one yen short
    EXPECT_EQ(g->my.money, 299);
    EXPECT_EQ(g.take_trace(), "message gray お金が足りません\n");

    // A price of 0 is paid like any other.
    EXPECT_TRUE(pay(*g, 0));
    EXPECT_EQ(g->my.money, 299);
    EXPECT_EQ(g.take_trace(), "message gray 0円支払った\nsound katan.wav\n");
}

TEST(GainMoney, AddsAndAnnouncesButIgnoresNothingAndSaturates)
{
    HomeGame g;
    g->my.money = 100;
    gain_money(*g, 0);
    gain_money(*g, -50);
    EXPECT_EQ(g->my.money, 100);
    EXPECT_EQ(g.take_trace(), "");

    gain_money(*g, 1200);
    EXPECT_EQ(g->my.money, 1300);
    EXPECT_EQ(g.take_trace(), "sound coin.wav\nmessage yellow2 お金 1200円を入手\n");

    // Far past the limit: it stops at the top of the range, and the frame's clamp cuts it.
    g->my.money = 999999999;
    gain_money(*g, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(g->my.money, std::numeric_limits<std::int32_t>::max());
    clamp_stats(*g);
    EXPECT_EQ(g->my.money, 999999999);
}

TEST(GainItem, CountsAnnouncesAndChecksTheId)
{
    HomeGame g;
    gain_item(*g, 100, 2);
    EXPECT_EQ(g->my.item_count[100], 2);
    EXPECT_EQ(g.take_trace(), "sound item_get.wav\nmessage green Item【メガホン】を 2個入手した(所持:2個)\n");

    count_down_sound_guard(*g);
    gain_one_item(*g, 1);
    EXPECT_EQ(g->my.item_count[1], 1);
    EXPECT_EQ(g.take_trace(),
              "sound item_get.wav\nmessage green Item【ミニゲーム『ころりんぱ』】を 1個入手した(所持:1個)\n");

    // Ids outside the catalog give nothing and say nothing.
    for (int id : {-1, 1000, std::numeric_limits<std::int32_t>::min()}) gain_one_item(*g, id);
    EXPECT_EQ(g.take_trace(), "");

    // A pile stops where the save file stops reading.
    g->my.item_count[1] = kKeptLimit;
    count_down_sound_guard(*g);
    gain_one_item(*g, 1);
    EXPECT_EQ(g->my.item_count[1], kKeptLimit);
}

TEST(GainEnergy, CapsAtTheMaximumAndShowsTheAmount)
{
    HomeGame g;
    g->my.energy = 3;
    g->my.energy_max = 5;
    gain_energy(*g, 1);
    EXPECT_EQ(g->my.energy, 4);
    EXPECT_EQ(g.take_trace(), "sound hp.wav\n");
    const int slot = g->effects.fx_cursor; // the slot of the latest post
    EXPECT_EQ(g->effects.fx_kind[static_cast<std::size_t>(slot)], FxKind::energy_text);
    EXPECT_EQ(g->effects.fx_text[static_cast<std::size_t>(slot)], "MP +1");
    EXPECT_GE(g->effects.fx_x[static_cast<std::size_t>(slot)], 250);
    EXPECT_LT(g->effects.fx_x[static_cast<std::size_t>(slot)], 280);

    // At full energy: the sound and the label still come, the energy stays.
    count_down_sound_guard(*g);
    gain_energy(*g, 7);
    EXPECT_EQ(g->my.energy, 5);
    EXPECT_EQ(g.take_trace(), "sound hp.wav\n");

    // Nothing to gain: the label with 0, no sound.
    count_down_sound_guard(*g);
    const int cursor = g->effects.fx_cursor;
    gain_energy(*g, 0);
    EXPECT_EQ(g.take_trace(), "");
    EXPECT_NE(g->effects.fx_cursor, cursor);
    EXPECT_EQ(g->effects.fx_text[static_cast<std::size_t>(g->effects.fx_cursor)], "MP +0");
}

TEST(GainExp, LevelsUpOncePerGainAndRestores)
{
    HomeGame g;
    g->my.exp = 40;
    gain_exp(*g, 9);
    EXPECT_EQ(g->my.exp, 49);
    EXPECT_EQ(g->my.level, 0);
    EXPECT_EQ(g.take_trace(), "");

    g->my.energy = 1;
    g->my.energy_max = 9;
    g->my.fatigue = 70;
    gain_exp(*g, 1); // 50 reaches level 1
    EXPECT_EQ(g->my.level, 1);
    EXPECT_EQ(g->my.exp, 0);
    EXPECT_EQ(g->my.energy, 9);
    EXPECT_EQ(g->my.fatigue, 0);
    EXPECT_EQ(g.take_trace(), "message pink レ　ベ　ル　アーーーッ　プ！！ → 1\n"
                              "message aqua MP・疲労、完全回復！！\n"
                              "sound lvup_voice.wav\nsound lvup.wav\nsound kaifuku.wav\n");

    // Enough for two levels at once: one level, and the rest is lost.
    gain_exp(*g, 60 + 70 + 5);
    EXPECT_EQ(g->my.level, 2);
    EXPECT_EQ(g->my.exp, 0);

    // A level far up the range: the threshold is worked out without overflow.
    g->my.level = std::numeric_limits<std::int32_t>::max();
    g->my.exp = 0;
    gain_exp(*g, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(g->my.level, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(g->my.exp, kKeptLimit) << "experience stops where the save file stops reading";
}

} // namespace
} // namespace zen
