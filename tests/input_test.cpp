#include "app/input.h"

#include "core/game_state.h"
#include "core/line_queue.h"
#include "render/message_log.h"
#include "render/picture_store.h"
#include "test_support.h"
#include "ui/menu_buttons.h"

#include <gtest/gtest.h>

#include <limits>

namespace zen {
namespace {

using test::HomeGame;

void left(Game& game, int x, int y) { click(game, x, y, false); }
void right(Game& game, int x, int y) { click(game, x, y, true); }

// Opens a menu and lets its buttons slide into place.
void open(Game& game, std::int32_t key)
{
    show_menu(game, key);
    for (int i = 0; i < 12; ++i) button_pass(game);
}

TEST(Click, TheFirstTwoClicksLeadThroughTheTitleToTheStartMenu)
{
    for (bool first_right : {false, true}) {
        HomeGame g;
        g->title_step = kTitleStartScreen;
        click(*g, 700, 30, first_right);
        EXPECT_EQ(g->title_step, kTitleScreen);
        EXPECT_EQ(g.take_trace(), "sound 1.wav\nmusic title_for_game.mp3\n");
        count_down_sound_guard(*g);
        left(*g, 700, 30); // where the first start button is about to appear
        EXPECT_EQ(g->title_step, kTitleDone);
        EXPECT_EQ(g->open_menu, kMenuStart);
        EXPECT_EQ(g.take_trace(), "message silver 創作者達の戦いが動き出した....\nsound 1.wav\nsound 2.wav\n");
        EXPECT_EQ(g->my.story_flag[0], 0); // no button was hit on the way
    }
}

TEST(Click, ALeftClickRunsTheButtonUnderItAtOnce)
{
    HomeGame g;
    g->stage = 1;
    open(*g, kMenuHome);
    left(*g, 700, 240); // "OPTION", the sixth row
    EXPECT_EQ(g->open_menu, kMenuOptions);
    EXPECT_EQ(g->mouse_x, 700);
    EXPECT_EQ(g->mouse_y, 240);
    EXPECT_EQ(g->click_pending, 0);

    // The middle button clicks as the left one.
    for (int i = 0; i < 12; ++i) button_pass(*g);
    g.take_trace();
    on_mouse_down(*g, 640, 30, MouseButton::middle); // "エナジーの回復率について"
    EXPECT_NE(g.take_trace().find("message silver エナジー回復率は"), std::string::npos);
}

TEST(Click, RightClickGoesBackOnlyWhereTheMenuHasAWayBack)
{
    HomeGame g;
    g->stage = 1;
    open(*g, kMenuMakeGame);
    g->mouse_x = 5;
    g->mouse_y = 6;
    right(*g, 600, 30); // over the first genre: it is not made
    EXPECT_EQ(g->open_menu, kMenuHome);
    EXPECT_EQ(g->my.item_count[1], 0);
    EXPECT_EQ(g->mouse_x, 5); // a right click leaves the pointer's stored place
    right(*g, 600, 30);       // the home menu has no way back
    EXPECT_EQ(g->open_menu, kMenuHome);

    open(*g, kMenuOptions);
    open(*g, kMenuSound);
    right(*g, 10, 10);
    EXPECT_EQ(g->open_menu, kMenuOptions);
    right(*g, 10, 10);
    EXPECT_EQ(g->open_menu, kMenuHome);

    // A menu whose way back is itself stays as it is.
    tmenu& own = g->menu_buttons[900];
    own.menu = 99;
    own.caption = "自分へ";
    own.width = 200;
    own.height = 45;
    own.back_to = 99;
    open(*g, 99);
    g.take_trace();
    right(*g, 10, 10);
    EXPECT_EQ(g->open_menu, 99);
    EXPECT_EQ(g.take_trace(), "");
}

TEST(Dialogue, ALineWaitingTakesTheClickInsteadOfTheButtons)
{
    HomeGame g;
    g->stage = 1;
    open(*g, kMenuHome);
    append_line(*g, "一行目");
    append_line(*g, "二行目");
    g.take_trace();
    right(*g, 700, 240); // right clicks do nothing in a dialogue
    EXPECT_EQ(g->line_queue[0], "一行目");
    EXPECT_EQ(g.take_trace(), "");

    left(*g, 700, 240); // on "OPTION", but the line comes first
    EXPECT_EQ(g.take_trace(), "sound 1.wav\nmessage silver 一行目\n");
    EXPECT_EQ(g->open_menu, kMenuHome);
    EXPECT_EQ(g->line_queue[0], "二行目");
    count_down_sound_guard(*g);
    left(*g, 700, 240);
    EXPECT_EQ(g->open_menu, kMenuHome);
    EXPECT_EQ(g->line_queue[0], "");
    left(*g, 700, 240); // the dialogue is over: the button answers again
    EXPECT_EQ(g->open_menu, kMenuOptions);
}

TEST(Dialogue, ScriptLinesAreRecognisedInOrder)
{
    HomeGame g;
    g->my.money = 100;
    for (const char* line : {"gold250", "goldfish", "gold-40", "item100", "item5000", "cgoff ", "menuett"})
        append_line(*g, line);
    left(*g, 1, 1);
    EXPECT_EQ(g->my.money, 350);
    left(*g, 1, 1); // not a number: 0, nothing
    left(*g, 1, 1); // a negative amount gives nothing
    EXPECT_EQ(g->my.money, 350);
    left(*g, 1, 1);
    EXPECT_EQ(g->my.item_count[100], 1);
    g.take_trace();
    count_down_sound_guard(*g);
    left(*g, 1, 1); // no such catalog id: nothing given, nothing read or written out of the table
    EXPECT_EQ(g.take_trace(), "sound 1.wav\n");
    left(*g, 1, 1); // not exactly "cgoff": a line of text
    EXPECT_EQ(g->message_log[0].text, "cgoff ");
    left(*g, 1, 1); // "menu" and a word: menu 0
    EXPECT_EQ(g->open_menu, 0);

    // A huge amount saturates; the frame's clamp cuts it.
    append_line(*g, "gold99999999999");
    append_line(*g, "gold2147483647");
    left(*g, 1, 1);
    left(*g, 1, 1);
    EXPECT_EQ(g->my.money, std::numeric_limits<std::int32_t>::max());
    clamp_stats(*g);
    EXPECT_EQ(g->my.money, 999999999);
}

TEST(Dialogue, AMenuLineEmptiesTheQueueAndOpensItsMenu)
{
    HomeGame g;
    append_line(*g, "menu3");
    append_line(*g, "読まれない");
    left(*g, 1, 1);
    EXPECT_EQ(g->open_menu, kMenuOptions);
    EXPECT_EQ(g->line_queue[0], "");
    EXPECT_EQ(g->back_menu, kMenuHome);

    // A key no record carries: no button, but a right click still finds the way back.
    append_line(*g, "menu42");
    left(*g, 1, 1);
    EXPECT_EQ(g->open_menu, 42);
    right(*g, 1, 1);
    EXPECT_EQ(g->open_menu, kMenuOptions);
}

TEST(Dialogue, PictureLinesHoldTheScreenAndPassTheClickOn)
{
    HomeGame g;
    show_picture(*g, "pc.jpg");
    const Colour home = g->work_bitmaps[kWorkComposed].pixel(400, 240);
    append_line(*g, "cg title.jpg");
    append_line(*g, "絵の説明");
    append_line(*g, "cgoff");
    append_line(*g, "おしまい");
    left(*g, 1, 1); // the picture, and the text after it at once
    EXPECT_EQ(g->cg_hold, 1);
    EXPECT_EQ(g->message_log[0].text, "絵の説明");
    EXPECT_EQ(g->line_queue[0], "cgoff");
    Canvas title;
    ASSERT_TRUE(load_game_picture(*g, "title.jpg", title));
    const Point at = picture_position(title.width(), title.height());
    ASSERT_NE(title.pixel(400 - at.x, 240 - at.y), home);
    EXPECT_EQ(g->work_bitmaps[kWorkComposed].pixel(at.x + 100, at.y + 100), title.pixel(100, 100));
    rebuild_background(*g); // the frame's rebuild leaves a held picture alone
    EXPECT_EQ(g->work_bitmaps[kWorkComposed].pixel(at.x + 100, at.y + 100), title.pixel(100, 100));

    left(*g, 1, 1);
    EXPECT_EQ(g->cg_hold, 0);
    EXPECT_EQ(g->bg_dirty, 1);
    EXPECT_EQ(g->message_log[0].text, "おしまい");
    rebuild_background(*g);
    EXPECT_EQ(g->work_bitmaps[kWorkComposed].pixel(400, 240), home); // the background is back

    // A picture name with a folder in it is not looked up: the screen stays as it is.
    append_line(*g, "cg ../cg/title.jpg");
    left(*g, 1, 1);
    EXPECT_EQ(g->cg_hold, 1);
    EXPECT_EQ(g->work_bitmaps[kWorkComposed].pixel(400, 240), home);
}

TEST(Dialogue, AfterAPictureLineWithNothingLeftTheClickLandsAtTheCorner)
{
    HomeGame g;
    g->stage = 1;
    open(*g, kMenuOptions);
    // "SOUND" moved to the top-left corner, wide enough to cover (0, 0).
    tmenu& sound = g->menu_buttons[62];
    sound.x = sound.target_x = 0;
    sound.y = sound.target_y = 0;
    append_line(*g, "cgoff");
    left(*g, 300, 300);
    EXPECT_EQ(g->mouse_x, 0);
    EXPECT_EQ(g->mouse_y, 0);
    EXPECT_EQ(g->open_menu, kMenuSound);
}

TEST(Mouse, TheHeldButtonFiresOnlyOnTheStreetAndAnyReleaseButTheRightStopsIt)
{
    HomeGame g;
    on_mouse_down(*g, 100, 100, MouseButton::left);
    EXPECT_EQ(g->fire_held, 0);
    g->on_street = 1;
    on_mouse_down(*g, 100, 100, MouseButton::left);
    EXPECT_EQ(g->fire_held, 1);
    on_mouse_up(*g, MouseButton::right);
    EXPECT_EQ(g->fire_held, 1);
    on_mouse_up(*g, MouseButton::middle);
    EXPECT_EQ(g->fire_held, 0);
    on_mouse_move(*g, 321, 123);
    EXPECT_EQ(g->mouse_x, 321);
    EXPECT_EQ(g->mouse_y, 123);

    // Scrolled back through the log's history, a click elsewhere leaves the view; a click on the
    // log brings it back to the newest row.
    for (int i = 0; i < 20; ++i) post_silver(*g, "row " + std::to_string(i));
    scroll_log(*g, 6);
    on_mouse_down(*g, 100, 100, MouseButton::left);
    EXPECT_EQ(g->log_history.scroll, 6);
    on_mouse_down(*g, 100, 580, MouseButton::right);
    EXPECT_EQ(g->log_history.scroll, 0);
}

} // namespace
} // namespace zen
