#include "street/street_commands.h"
#include "ui/menu_registry.h"

#include "app/commands.h"
#include "core/game_state.h"
#include "street/sales_floor.h"
#include "test_support.h"
#include "ui/menu_buttons.h"

#include <gtest/gtest.h>

namespace zen {
namespace {

using test::StreetGame;

// The record of the sales-floor menu with the command number, as the menu placed it.
int entry(const Game& game, int command)
{
    for (int i = 500; i <= 599; ++i)
        if (game.menu_buttons[static_cast<std::size_t>(i)].visible == 1 &&
            game.menu_buttons[static_cast<std::size_t>(i)].command == command)
            return i;
    return -1;
}

FxKind last_kind(const Game& game) { return game.effects.fx_kind[static_cast<std::size_t>(game.effects.fx_cursor)]; }

TEST(StreetCommands, GoingHomeLeavesTheStreetAsItIs)
{
    StreetGame g(2);
    g->my.item_count[1] = 2;
    g.ticks(200);
    int live = 0;
    for (const tman& f : g->street_figures) live += f.age >= 1;
    ASSERT_GT(live, 0);
    const auto figures = g->street_figures;
    run_command(*g, entry(*g, 1));
    EXPECT_EQ(g->on_street, 0);
    EXPECT_EQ(g->open_menu, kMenuHome);
    EXPECT_NE(g.take_trace().find("message silver どうする！....こうしている間にも時は動いているぞ！\n"),
              std::string::npos);
    // At home the street stands still; back on the street everyone is where they were.
    g.ticks(50);
    for (int s = 0; s < kStreetSlots; ++s) {
        EXPECT_EQ(g->street_figures[static_cast<std::size_t>(s)].age, figures[static_cast<std::size_t>(s)].age) << s;
        EXPECT_EQ(g->street_figures[static_cast<std::size_t>(s)].x, figures[static_cast<std::size_t>(s)].x) << s;
    }
}

TEST(StreetCommands, AShoutCallsANamedCustomerAndCountsEvenWithoutRoom)
{
    StreetGame g(1);
    g->my.item_count[100] = 1; // a megaphone: two shouts a day
    show_menu(*g, kMenuSalesFloor);
    g.take_trace();
    run_command(*g, entry(*g, 2));
    EXPECT_EQ(g->my.shouts_used, 1);
    EXPECT_EQ(g.live(1) + g.live(2), 1);
    const std::string name = zen::test::ja(g->street_figures[static_cast<std::size_t>(g->spawn_cursor)].name);
    std::string trace = g.take_trace();
    EXPECT_NE(trace.find("message silver いらっしゃい！！いらっしゃい！！　いいゲームあるよ！！\nsound fuu.wav\n"
                         "message silver " +
                         name + "が近寄ってきた\n"),
              std::string::npos)
        << trace;
    EXPECT_EQ(trace.find("咽が枯れた"), std::string::npos);
    EXPECT_EQ(g->menu_buttons[static_cast<std::size_t>(entry(*g, 2))].caption, "声を出す 残:1");

    // The last shout of the day, into a street with no room: it counts, shows its wave, calls nobody.
    for (tman& f : g->street_figures) f.age = f.age >= 1 ? f.age : 1;
    run_command(*g, entry(*g, 2));
    EXPECT_EQ(g->my.shouts_used, 2);
    EXPECT_EQ(last_kind(*g), FxKind::shout_wave);
    trace = g.take_trace();
    EXPECT_EQ(trace.find("が近寄ってきた"), std::string::npos);
    EXPECT_NE(trace.find("message silver 咽が枯れた....ゴホッ....ゴホッ\n"), std::string::npos);
    EXPECT_EQ(g->menu_buttons[static_cast<std::size_t>(entry(*g, 2))].locked, 1);

    // The entry was opened before the player grew tired: it shouts as usual.
    g->my.shouts_used = 0;
    g->my.item_count[100] = 0;
    show_menu(*g, kMenuSalesFloor);
    g->my.fatigue = 80;
    g->my.hunger = 10;
    run_command(*g, entry(*g, 2));
    EXPECT_EQ(g->my.shouts_used, 1);
}

TEST(StreetCommands, TheLauncherNeedsStrengthAndARocket)
{
    StreetGame g(2);
    g->my.item_count[50] = 1;
    g->my.rpg_ammo = 1;
    show_menu(*g, kMenuSalesFloor);
    const int launcher = entry(*g, 3);
    ASSERT_GE(launcher, 0);
    ASSERT_TRUE(spawn_figure(*g, 200, 0, 0));

    g->my.fatigue = 100;
    g.take_trace();
    run_command(*g, launcher);
    EXPECT_EQ(g.take_trace(), "message silver ダメだ、疲れで力がでない・・・!!\n");
    EXPECT_EQ(g->my.rpg_ammo, 1);
    EXPECT_EQ(g.live(200), 1);

    g->my.fatigue = 99;
    run_command(*g, launcher);
    EXPECT_EQ(g->my.rpg_ammo, 0);
    EXPECT_EQ(g.live(200), 0);
    EXPECT_EQ(g->my.money, 40);
    const std::string trace = g.take_trace();
    EXPECT_NE(trace.find("sound 2.wav\n"), std::string::npos); // the menu shows the rocket spent
    EXPECT_EQ(g->menu_buttons[static_cast<std::size_t>(entry(*g, 3))].caption, "RPGを撃つ 残:0");

    // No hazard: the rocket is spent all the same, with its shake and explosion.
    g->my.rpg_ammo = 1;
    g->effects = EffectsRing{};
    run_command(*g, launcher);
    EXPECT_EQ(g->my.rpg_ammo, 0);
    EXPECT_EQ(g->effects.fx_kind[1], FxKind::shake);
    EXPECT_EQ(g->effects.fx_kind[2], FxKind::explosion);

    // No rocket: only the message; the menu is not opened again.
    g.take_trace();
    run_command(*g, launcher);
    EXPECT_EQ(g.take_trace(), "message silver RPGの弾がありません・・・\n");

    // A command the menu does not know, and a record of no menu, do nothing.
    g->menu_buttons[550].menu = kMenuSalesFloor;
    g->menu_buttons[550].command = 4;
    street_command(*g, 550);
    street_command(*g, -1);
    street_command(*g, 3000);
    EXPECT_EQ(g.take_trace(), "");
}

} // namespace
} // namespace zen
