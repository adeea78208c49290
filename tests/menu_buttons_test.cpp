#include "ui/menu_buttons.h"

#include "core/game_state.h"
#include "core/line_queue.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace zen {
namespace {

using test::HomeGame;

// A menu no builder writes: key 99 on records 900 and up.
constexpr std::int32_t kTestMenu = 99;

tmenu& add(Game& game, int index, const std::string& caption, int width = 200, int height = 45)
{
    tmenu& b = game.menu_buttons[static_cast<std::size_t>(index)];
    b.menu = kTestMenu;
    b.caption = caption;
    b.width = width;
    b.height = height;
    return b;
}

// Moves the mouse and runs one pass with a fresh play area; returns what the pass asks to run.
int pass_at(Game& game, int x, int y, bool click = false)
{
    game.cg.fill(0x102030);
    game.mouse_x = x;
    game.mouse_y = y;
    game.click_pending = click ? 1 : 0;
    return button_pass(game);
}

bool has_colour(const Canvas& c, int x1, int y1, int x2, int y2, Colour colour)
{
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x)
            if (c.pixel(x, y) == colour) return true;
    return false;
}

TEST(ShowMenu, PlacesTheCaptionedRecordsOfTheKeyInIndexOrder)
{
    HomeGame g;
    add(*g, 900, "一");
    add(*g, 901, ""); // no caption: never shown
    add(*g, 902, "二").back_to = 3;
    add(*g, 903, "三", 300, 40).back_to = 4;
    g->menu_buttons[905] = g->menu_buttons[900];
    g->menu_buttons[905].menu = 98;  // another menu
    g->menu_buttons[60].visible = 1; // left over from an earlier menu
    show_menu(*g, kTestMenu);
    EXPECT_EQ(g.take_trace(), "sound 2.wav\n");
    EXPECT_EQ(g->open_menu, kTestMenu);
    EXPECT_EQ(g->menu_row_count, 3);
    EXPECT_EQ(g->back_menu, 4); // the last record with a way back decides
    EXPECT_EQ(g->menu_buttons[60].visible, 0);
    EXPECT_EQ(g->menu_buttons[901].visible, 0);
    EXPECT_EQ(g->menu_buttons[905].visible, 0);
    const tmenu& a = g->menu_buttons[900];
    const tmenu& b = g->menu_buttons[902];
    const tmenu& c = g->menu_buttons[903];
    EXPECT_EQ(a.visible + b.visible + c.visible, 3);
    EXPECT_EQ(a.enabled, 1);
    // Right edges at 790; rows 44 pixels apart (neighbours share a border line), placed at once.
    EXPECT_EQ(a.target_x, 590);
    EXPECT_EQ(c.target_x, 490);
    EXPECT_EQ(a.y, 10);
    EXPECT_EQ(b.y, 54);
    EXPECT_EQ(c.y, 10 + 39 * 2);
}

TEST(ShowMenu, AKeyWithNoButtonKeepsAWayBack)
{
    HomeGame g;
    add(*g, 900, "一").back_to = 5;
    show_menu(*g, kTestMenu);
    show_menu(*g, 77); // nothing carries key 77
    EXPECT_EQ(g->open_menu, 77);
    EXPECT_EQ(g->menu_row_count, 0);
    for (const tmenu& b : g->menu_buttons) ASSERT_EQ(b.visible, 0);
    EXPECT_EQ(g->back_menu, kTestMenu); // a right click returns to the menu it replaced
}

TEST(ButtonPass, SlidesInWithoutOvershootAndNotAgainWhenReopened)
{
    HomeGame g;
    add(*g, 900, "一");
    show_menu(*g, kTestMenu);
    tmenu& b = g->menu_buttons[900];
    EXPECT_EQ(b.x, 0); // shown for the first time: slides in from the left edge
    int frames = 0;
    int last = 0;
    while (b.x != 590 && frames < 50) {
        pass_at(*g, 0, 599);
        ++frames;
        EXPECT_GT(b.x, last);
        EXPECT_LE(b.x, 590);
        last = b.x;
    }
    EXPECT_EQ(frames, 9);
    pass_at(*g, 0, 599);
    EXPECT_EQ(b.x, 590);

    // Opened again at the same width it stays; with a row fewer above it, it jumps up at once.
    add(*g, 899, "上");
    show_menu(*g, kTestMenu);
    EXPECT_EQ(b.x, 590);
    EXPECT_EQ(b.y, 54);
    g->menu_buttons[899].caption.clear();
    show_menu(*g, kTestMenu);
    EXPECT_EQ(b.y, 10);
    // Narrower now: it slides the other way, again without overshooting.
    b.width = 100;
    show_menu(*g, kTestMenu);
    pass_at(*g, 0, 599);
    EXPECT_GT(b.x, 590);
    for (int i = 0; i < 10; ++i) pass_at(*g, 0, 599);
    EXPECT_EQ(b.x, 690);
}

TEST(ButtonPass, TheHigherIndexWinsHoverAndClickWhereButtonsOverlap)
{
    HomeGame g;
    add(*g, 900, "下");
    add(*g, 901, "上");
    show_menu(*g, kTestMenu);
    g->menu_buttons[900].x = 590;
    g->menu_buttons[901].x = 590;
    g->menu_buttons[901].target_y = g->menu_buttons[901].y = 10; // lies over 900
    EXPECT_EQ(pass_at(*g, 600, 20, true), 901);
    EXPECT_EQ(g->hovered_button, 901);
    EXPECT_EQ(g->click_pending, 0);

    // The bottom line of a button is the next one's top line: it belongs to the button below.
    g->menu_buttons[901].target_y = g->menu_buttons[901].y = 54;
    EXPECT_EQ(pass_at(*g, 600, 54), 0); // hover only, no click
    EXPECT_EQ(g->hovered_button, 901);
    pass_at(*g, 600, 53);
    EXPECT_EQ(g->hovered_button, 900);
    // Alone, a button's bottom line is not its own.
    g->menu_buttons[901].visible = 0;
    pass_at(*g, 600, 54);
    EXPECT_EQ(g->hovered_button, 0);
    // Past the right edge, or no button at all: nothing hovered, the click is only cleared.
    EXPECT_EQ(pass_at(*g, 790, 20, true), 0);
    EXPECT_EQ(g->hovered_button, 0);
    EXPECT_EQ(g->click_pending, 0);
}

TEST(ButtonPass, AGreyedButtonHighlightsAndShowsItsHintButDoesNotRun)
{
    HomeGame g;
    tmenu& b = add(*g, 900, "高い");
    b.locked = 1;
    b.hint = "説明";
    show_menu(*g, kTestMenu);
    b.x = 590;
    g->frame_no = 0; // the blink colour of frame 0
    EXPECT_EQ(pass_at(*g, 600, 20, true), 0);
    EXPECT_EQ(g->hovered_button, 900);
    EXPECT_EQ(b.enabled, 0);
    EXPECT_EQ(g->cg.pixel(595, 12), 0x555555u);                 // the hovered brush
    EXPECT_TRUE(has_colour(g->cg, 600, 11, 789, 53, 0x808080)); // grey caption
    EXPECT_FALSE(has_colour(g->cg, 600, 11, 789, 53, 0xFFFFFF));
    // The hint in grey on black, ending 10 pixels left of the button.
    EXPECT_TRUE(has_colour(g->cg, 500, 11, 580, 53, 0x808080));
    EXPECT_FALSE(has_colour(g->cg, 580, 0, 590, 60, 0x808080));

    // Unhovered: black brush, no hint.
    pass_at(*g, 10, 500);
    EXPECT_EQ(g->cg.pixel(595, 12), 0x000000u);
    EXPECT_FALSE(has_colour(g->cg, 400, 0, 589, 60, 0x808080));
}

TEST(ButtonPass, NothingIsDrawnOrClickedWhileADialogueLineWaits)
{
    HomeGame g;
    add(*g, 900, "一");
    show_menu(*g, kTestMenu);
    g->menu_buttons[900].x = 590;
    append_line(*g, "まだ続きがある");
    EXPECT_EQ(pass_at(*g, 600, 20, true), 0);
    EXPECT_EQ(g->click_pending, 1);
    EXPECT_FALSE(has_colour(g->cg, 0, 0, 800, 600, 0x808080));
    consume_first_line(*g);
    EXPECT_EQ(pass_at(*g, 600, 20, true), 900);
}

// The area a caption alone would cover, drawn the way the pass must: on the button's black.
Canvas caption_alone(Game& game, int x, int y, const std::string& text, int size)
{
    Canvas c;
    c.resize(800, 600);
    c.set_fonts(game.platform.fonts.get());
    c.text(x, y, text, Font{size, true}, 0xFFFFFF, Colour{0});
    return c;
}

TEST(ButtonPass, CaptionsShrinkToFitFromTwelveDownToEight)
{
    HomeGame g;
    const Font twelve{12, true};
    // A caption too wide at 12 and 11 points for its button, but not at 10.
    const std::string text = "ゲームを造る造る造る";
    const int w12 = g->cg.text_width(text, twelve);
    const int w11 = g->cg.text_width(text, Font{11, true});
    const int w10 = g->cg.text_width(text, Font{10, true});
    ASSERT_LT(w10, w11);
    const int width = (w10 + w11) / 2 + 1;
    ASSERT_GT(w12, width);
    add(*g, 900, text, width);
    show_menu(*g, kTestMenu);
    g->menu_buttons[900].x = 790 - width;
    pass_at(*g, 0, 599);
    const Extent e = g->cg.text_extent(text, Font{10, true});
    const int x = 790 - width + (width - e.width) / 2;
    const int y = 10 + (45 - e.height) / 2;
    const Canvas expected = caption_alone(*g, x, y, text, 10);
    for (int py = 12; py < 53; ++py)
        for (int px = 792 - width; px < 789; ++px)
            ASSERT_EQ(g->cg.pixel(px, py), expected.pixel(px, py)) << px << "," << py;

    // Too wide even at 8 points: drawn at 8, over the edges of its button.
    tmenu& b = g->menu_buttons[900];
    b.caption = "とても長い長い長い長いボタンの文字";
    b.width = 60;
    b.x = b.target_x = 730;
    pass_at(*g, 0, 599);
    EXPECT_TRUE(has_colour(g->cg, 600, 11, 729, 53, 0xFFFFFF));
}

TEST(ButtonPass, RightAlignedCaptionsAndIconsKeepTheirPlaces)
{
    HomeGame g;
    tmenu& b = add(*g, 900, "開発", 400);
    b.right_align = 1;
    b.icon = "mail.bmp";
    show_menu(*g, kTestMenu);
    b.x = 390;
    pass_at(*g, 0, 599);
    // Caption flush right, 8 pixels in from the right edge.
    const Extent e = g->cg.text_extent("開発", Font{12, true});
    const Canvas expected = caption_alone(*g, 790 - e.width - 8, 10 + (45 - e.height) / 2, "開発", 12);
    for (int py = 12; py < 53; ++py)
        for (int px = 700; px < 789; ++px) ASSERT_EQ(g->cg.pixel(px, py), expected.pixel(px, py)) << px << "," << py;
    // The icon in its 40 x 40 box from (392, 12): drawn there and nowhere else.
    bool inside = false;
    for (int py = 12; py < 52; ++py)
        for (int px = 392; px < 432; ++px) inside = inside || g->cg.pixel(px, py) != 0;
    EXPECT_TRUE(inside);
    for (int py = 11; py < 53; ++py)
        for (int px = 433; px < 700; ++px) ASSERT_EQ(g->cg.pixel(px, py), 0u) << px << "," << py;
}

} // namespace
} // namespace zen
