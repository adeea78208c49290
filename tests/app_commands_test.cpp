#include "app/commands.h"
#include "ui/menu_registry.h"

#include "app/frame_tick.h"
#include "app/save_file.h"
#include "core/game_state.h"
#include "test_support.h"
#include "ui/menu_buttons.h"

#include <gtest/gtest.h>

namespace zen {
namespace {

using test::HomeGame;

int entry_of(const Game& game, const std::string& caption)
{
    for (int i = 0; i < kMenuButtons; ++i)
        if (game.menu_buttons[static_cast<std::size_t>(i)].visible == 1 &&
            game.menu_buttons[static_cast<std::size_t>(i)].caption == caption)
            return i;
    return -1;
}

TEST(ExecuteCommand, TheRecordsMenuKeyPicksTheHandler)
{
    HomeGame g;
    g->stage = 1;
    show_menu(*g, kMenuHome);
    run_command(*g, entry_of(*g, "OPTION"));
    EXPECT_EQ(g->open_menu, kMenuOptions);
    run_command(*g, entry_of(*g, "SOUND"));
    EXPECT_EQ(g->open_menu, kMenuSound);

    // The same command number in another menu does something else: 1 here is "quieter".
    const std::int32_t volume = g->my.volume;
    run_command(*g, entry_of(*g, "音量を下げる"));
    EXPECT_EQ(g->my.volume, volume - 400);
}

TEST(ExecuteCommand, TheSalesFloorsButtonsReachTheStreet)
{
    HomeGame g;
    g->stage = 1;
    g->on_street = 1;
    show_menu(*g, kMenuSalesFloor);
    run_command(*g, entry_of(*g, ">> 自宅へ！ <<"));
    EXPECT_EQ(g->on_street, 0);
    EXPECT_EQ(g->open_menu, kMenuHome);
}

TEST(ExecuteCommand, UnknownMenusAndBadIndexesDoNothing)
{
    HomeGame g;
    g->stage = 1;
    g->on_street = 1;
    show_menu(*g, kMenuSalesFloor);
    g.take_trace();
    const std::int32_t hunger = g->my.hunger;
    g->menu_buttons[900].menu = 99;
    g->menu_buttons[900].command = 1;
    for (int index : {900, 0, -1, 3000, 1 << 30}) run_command(*g, index);
    EXPECT_EQ(g.take_trace(), "");
    EXPECT_EQ(g->open_menu, kMenuSalesFloor);
    EXPECT_EQ(g->on_street, 1);
    EXPECT_EQ(g->my.hunger, hunger);
}

TEST(ExecuteCommand, GivingUpAStageSavesItBeforeTheReset)
{
    HomeGame g;
    g->stage = 4;
    g->my.money = 4321;
    g->my.sales = 700;
    g->my.item_count[4] = 3;
    show_menu(*g, kMenuAbandon);
    run_command(*g, entry_of(*g, "いいえ"));
    EXPECT_FALSE(std::filesystem::exists(g->platform.paths.save_file()));
    show_menu(*g, kMenuAbandon);
    run_command(*g, entry_of(*g, "はい"));
    EXPECT_EQ(g->stage, 0);
    EXPECT_EQ(g->my.sales, 0);

    EXPECT_EQ(g->my.item_count[4], 0);

    // The file keeps the stage as it was when the player gave it up: reading it back brings it back.
    load_game(*g);
    EXPECT_EQ(g->stage, 4);
    EXPECT_EQ(g->my.sales, 700);
    EXPECT_EQ(g->my.item_count[4], 3);
    EXPECT_EQ(g->my.money, 4321);
}

TEST(RunButtonPass, EveryFrameDrawsTheMenuAndAClickRunsItsButton)
{
    HomeGame g;
    show_menu(*g, kMenuStart);
    g->mouse_x = 700;
    g->mouse_y = 30;
    for (int i = 0; i < 10; ++i) frame_step(*g);
    EXPECT_EQ(g->hovered_button, 201);
    EXPECT_EQ(g->cg.pixel(590, 30), 0x808080u); // the left border, slid into place
    EXPECT_EQ(g->my.story_flag[0], 0);          // hovering runs nothing

    g->click_pending = 1;
    run_button_pass(*g);
    EXPECT_EQ(g->my.story_flag[0], 1); // "<< NEW GAME >>"
    EXPECT_EQ(g->open_menu, kMenuStageSelect);
}

} // namespace
} // namespace zen
