#include "render/message_log.h"

#include "core/game_state.h"
#include "platform/fonts.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <climits>
#include <iterator>
#include <sstream>

namespace zen {
namespace {

using test::has_colour;
using test::TestGame;

void full_screen(Game& game, Colour fill)
{
    make_play_area(game, game.cg);
    game.cg.fill(fill);
}

std::string repeat(const std::string& s, int n)
{
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

TEST(Lighten, SpillsTheExcessIntoTheOtherChannels)
{
    EXPECT_EQ(lighten(0xFFFFFF, 60), 0xFFFFFFu);
    EXPECT_EQ(lighten(0x00FF00, 60), 0x5AFF5Au);
    EXPECT_EQ(lighten(0x000000, 40), 0x282828u);
    // Darkening past zero pulls the other channels down by half the shortfall.
    EXPECT_EQ(lighten(0x0080FF, -20), rgb(0, 0x80 - 20 - 10, 0xFF - 20 - 10));
    EXPECT_EQ(lighten(0x000000, -20), 0x000000u);
}

TEST(ColourNames, EveryInkHasItsNameAndCode)
{
    struct Row {
        Ink ink;
        const char* name;
        int code;
    };
    const Row rows[] = {{Ink::green, "green", 301},   {Ink::yellow, "yellow", 302},   {Ink::blue, "blue", 303},
                        {Ink::pink, "pink", 304},     {Ink::purple, "purple", 305},   {Ink::aqua, "aqua", 306},
                        {Ink::red, "red", 307},       {Ink::yellow2, "yellow2", 308}, {Ink::orange, "orange", 309},
                        {Ink::pink2, "pink2", 310},   {Ink::rainbow, "rainbow", 312}, {Ink::gray, "gray", 313},
                        {Ink::green2, "green2", 314}, {Ink::red2, "red2", 315},       {Ink::silver, "silver", 316},
                        {Ink::red3, "red3", 317},     {Ink::orange2, "orange2", 318}, {Ink::pink3, "pink3", 319},
                        {Ink::pink4, "pink4", 320}};
    ASSERT_EQ(std::size(rows), static_cast<std::size_t>(kInkCount));
    for (const Row& r : rows) {
        EXPECT_EQ(ink_name(r.ink), r.name) << r.name;
        EXPECT_EQ(colour_code(r.ink), r.code) << r.name;
    }
    // A code no ink posts is drawn in silver; a fresh entry's code in white.
    EXPECT_EQ(message_colour(4, 0, 0), kFallbackMessageColour);
    EXPECT_EQ(message_colour(0, 3, 17), 0xFFFFFFu);
    EXPECT_EQ(message_colour(316, 4, 999), 0x999999u);
}

TEST(ColourNames, PhasesRippleByRowAndFrame)
{
    // The rainbow at frame 0: red in the newest row, orange one row up.
    EXPECT_EQ(message_colour(312, 0, 0), 0xFF0000u);
    EXPECT_EQ(message_colour(312, 1, 0), 0xFF9900u);
    EXPECT_EQ(message_colour(312, 0, 11), 0xFF0099u);
    EXPECT_EQ(message_colour(312, 1, 11), 0xFF0000u);
    // A ten-step pulse mirrors around phase 5; the eight-step one around 4.
    EXPECT_EQ(message_colour(301, 0, 0), 0x00EA12u);
    EXPECT_EQ(message_colour(301, 0, 9), 0x00DB10u);
    EXPECT_EQ(message_colour(301, 2, 3), 0x00B50Cu);
    EXPECT_EQ(message_colour(2, 0, 5), 0x550000u);
    EXPECT_EQ(message_colour(310, 0, 4), 0xCC8899u);
    EXPECT_EQ(message_colour(310, 1, 7), 0xFFCCDDu);
    EXPECT_EQ(message_colour(310, 1, 6), 0xFFBBCCu);
    for (int frame = 0; frame < 1000; frame += 7)
        for (int row = 0; row < 5; ++row) {
            EXPECT_EQ(message_colour(colour_code(Ink::aqua), row, frame),
                      message_colour(colour_code(Ink::blue), row, frame));
            // pink3 and pink4 are half a cycle out of step with the plain pulses.
            const int shifted = (frame + row + 5) % 10;
            EXPECT_EQ(message_colour(319, row, frame) == 0xEE40FFu, shifted == 0);
            EXPECT_EQ(message_colour(320, row, frame) == 0xEE99FFu, shifted == 0);
            EXPECT_EQ(message_colour(304, row, frame) == 0xFF5AB5u, (frame + row) % 10 == 0);
        }
}

TEST(MessageLog, PostsShiftTheLogAndKeepTwentyOneEntries)
{
    TestGame g;
    std::ostringstream trace;
    g->trace = &trace;
    post_message(*g, "ようこそ", Ink::aqua);
    EXPECT_EQ(g->message_log[0].text, "ようこそ");
    EXPECT_EQ(g->message_log[0].colour_code, 306);
    post_silver(*g, "二つ目");
    EXPECT_EQ(g->message_log[1].text, "ようこそ");
    EXPECT_EQ(g->message_log[1].colour_code, 306);
    EXPECT_EQ(g->message_log[0].colour_code, 316);
    EXPECT_EQ(trace.str(), "message aqua ようこそ\nmessage silver 二つ目\n");

    for (int i = 0; i < 19; ++i) post_silver(*g, "m" + std::to_string(i));
    EXPECT_EQ(g->message_log[20].text, "ようこそ");
    post_silver(*g, "one more");
    EXPECT_EQ(g->message_log[20].text, "二つ目"); // the first post fell off the end
    EXPECT_EQ(g->message_log[0].text, "one more");

    post_silver(*g, "");
    EXPECT_EQ(g->message_log[0].text, "");
    EXPECT_EQ(g->message_log[1].text, "one more");
}

TEST(MessageLog, ClearingEmptiesTheLogUnlessTheWindowIsClosing)
{
    TestGame g;
    post_message(*g, "a", Ink::red);
    clear_messages(*g);
    for (const tmoji_efe& m : g->message_log) {
        EXPECT_EQ(m.text, "");
        EXPECT_EQ(m.colour_code, 0);
    }
    post_message(*g, "b", Ink::red);
    g->closing = true;
    clear_messages(*g);
    EXPECT_EQ(g->message_log[0].text, "b");
}

TEST(MessageLog, MultiLineTextsKeepTwoRowsWithTheSecondIndented)
{
    TestGame g;
    post_silver(*g, "before");
    post_message(*g, "一行目\n二行目", Ink::green);
    EXPECT_EQ(g->message_log[1].text, "一行目");
    EXPECT_EQ(g->message_log[0].text, "　二行目");
    EXPECT_EQ(g->message_log[1].colour_code, 301);
    EXPECT_EQ(g->message_log[0].colour_code, 301);
    EXPECT_EQ(g->message_log[2].text, "before");

    post_message(*g, "first\r\nsecond\nthird", Ink::pink);
    EXPECT_EQ(g->message_log[1].text, "first");
    EXPECT_EQ(g->message_log[0].text, "　second");
    EXPECT_EQ(g->message_log[2].text, "　二行目"); // the third line is dropped, not shifted in

    // A break at the very end makes no second row.
    post_silver(*g, "ひとつ\n");
    EXPECT_EQ(g->message_log[0].text, "ひとつ\n");
    EXPECT_EQ(g->message_log[1].text, "　second");
}

TEST(MessageLog, LongTextsWrapWithinTheBoxByJapaneseRules)
{
    TestGame g;
    Fonts* fonts = g->platform.fonts.get();
    ASSERT_TRUE(fonts && fonts->available()) << "the Japanese font is needed";

    const std::string sentence = repeat("売り上げが伸びた。", 12);
    post_message(*g, sentence, Ink::silver);
    const std::string first = g->message_log[1].text;
    const std::string second = g->message_log[0].text;
    ASSERT_EQ(second.rfind("　", 0), 0u);
    EXPECT_LE(fonts->extent(first, kMessageLayoutFont).width, kMessageBoxWidth);
    EXPECT_GT(fonts->extent(first, kMessageLayoutFont).width, kMessageBoxWidth - 60);
    EXPECT_EQ(sentence.rfind(first + second.substr(3), 0), 0u) << "the rows continue the text";

    // Wherever the box runs out, no row starts with closing punctuation or a small kana.
    for (int n = 20; n < 40; ++n) {
        const std::string text = repeat("あ", n) + "っ。、」！？ゃァ" + repeat("い", 30);
        const std::vector<std::string> rows = wrap_message(fonts, text, Lang::ja, 3);
        ASSERT_GE(rows.size(), 2u);
        std::string joined;
        for (const std::string& row : rows) {
            EXPECT_LE(fonts->extent(row, kMessageLayoutFont).width, kMessageBoxWidth);
            for (const char* bad : {"っ", "。", "、", "」", "！", "？", "ゃ", "ァ"})
                EXPECT_NE(row.rfind(bad, 0), 0u) << "row starts with " << bad << " at n=" << n;
            joined += row;
        }
        EXPECT_EQ(text.rfind(joined, 0), 0u);
    }

    // Latin words stay whole.
    const std::string words = repeat("Zentrifa sells games ", 12);
    const std::vector<std::string> rows = wrap_message(fonts, words, Lang::en, 5);
    ASSERT_GE(rows.size(), 2u);
    for (const std::string& row : rows) {
        EXPECT_LE(fonts->extent(row, kMessageLayoutFont).width, kMessageBoxWidth);
        std::istringstream in(row);
        for (std::string w; in >> w;) EXPECT_TRUE(w == "Zentrifa" || w == "sells" || w == "games") << w;
    }
}

TEST(MessageLogDrawing, RowsSitOnGreyBandsNewestAtTheBottom)
{
    TestGame g;
    full_screen(*g, 0x303030);
    post_message(*g, "虹色", Ink::rainbow);
    g->frame_no = 0;
    draw_message_log(*g, g->cg);
    // Row 0 at y 565: red lightened by 60, on a black band.
    EXPECT_TRUE(has_colour(g->cg, 2, 565, 80, 600, 0xFF5A5A));
    EXPECT_EQ(g->cg.pixel(2, 566), 0x000000u);
    EXPECT_FALSE(has_colour(g->cg, 0, 0, 800, 560, 0xFF5A5A));

    post_silver(*g, "next");
    g->cg.fill(0x303030);
    draw_message_log(*g, g->cg);
    // Now one row up at 540, in phase 1 (#FF9900) lightened by 40, on the grey of row 1.
    EXPECT_TRUE(has_colour(g->cg, 2, 540, 80, 565, lighten(0xFF9900, 40)));
    EXPECT_EQ(lighten(0xFF9900, 40), 0xFFD53Cu);
    EXPECT_EQ(g->cg.pixel(2, 541), 0x141414u);
    EXPECT_TRUE(has_colour(g->cg, 2, 565, 80, 590, lighten(0x999999, 60)));
    EXPECT_EQ(g->cg.pixel(2, 516), 0x303030u) << "no third row";

    // Only five rows are drawn: the oldest visible is at 465 on a band of grey 80.
    for (int i = 0; i < 5; ++i) post_silver(*g, "row");
    g->cg.fill(0x303030);
    draw_message_log(*g, g->cg);
    EXPECT_EQ(g->cg.pixel(2, 466), 0x505050u);
    EXPECT_EQ(g->cg.pixel(2, 441), 0x303030u);
    EXPECT_FALSE(has_colour(g->cg, 0, 0, 800, 600, lighten(0xFF9900, -20)));
}

// The log's history: the last 200 rows, scrolled back through and drawn in the log's place.
TEST(MessageLogDrawing, TheHistoryScrollsBackThroughTheLast200Rows)
{
    TestGame g;
    full_screen(*g, 0x303030);
    for (int i = 0; i < 250; ++i) post_message(*g, "line " + std::to_string(i), i == 60 ? Ink::red : Ink::silver);
    const LogHistory& h = g->log_history;
    ASSERT_EQ(h.rows.size(), 200u);
    EXPECT_EQ(h.rows.front().text, "line 249");
    EXPECT_EQ(h.rows.back().text, "line 50");
    // A two-row text keeps both rows, as the log shows them.
    post_message(*g, repeat("長い", 200), Ink::silver);
    EXPECT_EQ(h.rows[0].text, g->message_log[0].text);
    EXPECT_EQ(h.rows[1].text, g->message_log[1].text);
    EXPECT_EQ(h.rows[2].text, "line 249");

    // Back as far as the oldest row filling the top of the log, and no further either way.
    scroll_log(*g, 3);
    EXPECT_EQ(h.scroll, 3);
    scroll_log(*g, 1000);
    EXPECT_EQ(h.scroll, 195);
    scroll_log(*g, INT_MIN);
    EXPECT_EQ(h.scroll, 0);
    scroll_log(*g, INT_MAX);
    EXPECT_EQ(h.scroll, 195);

    // Drawn from the history: "line 60", in red, is 191 rows back (two rows of the long text
    // after it); with the view 189 back it shows as the third row from the bottom.
    const auto draw_log = [&](Canvas& c) {
        make_play_area(*g, c);
        c.fill(0x303030);
        draw_message_log(*g, c);
    };
    ASSERT_EQ(h.rows[191].text, "line 60");
    scroll_log(*g, 189 - h.scroll);
    Canvas back;
    draw_log(back);
    const Colour red_row_2 = lighten(message_colour(colour_code(Ink::red), 2, g->frame_no), 20);
    EXPECT_TRUE(has_colour(back, 2, 515, 200, 540, red_row_2));
    EXPECT_TRUE(has_colour(back, 0, 440, 60, 465, 0xFFFFFF)); // the marker: how far back
    scroll_log(*g, -189);
    Canvas newest;
    draw_log(newest);
    EXPECT_FALSE(has_colour(newest, 0, 465, 560, 600, red_row_2));

    // New messages leave a view scrolled back where it is, its count of newer rows growing, so
    // that the hourly messages of the last day never pull it away; a two-row message counts two.
    scroll_log(*g, 50);
    Canvas before;
    draw_log(before);
    post_silver(*g, "new");
    post_message(*g, repeat("長い", 200), Ink::silver);
    EXPECT_EQ(h.scroll, 53);
    Canvas after;
    draw_log(after);
    // The rows stay, and the count's marker changes no pixel of them.
    for (int y = kLogTop; y < 600; ++y)
        for (int x = 0; x < 800; ++x) ASSERT_EQ(after.pixel(x, y), before.pixel(x, y)) << x << ", " << y;
    // Scrolled forward to the end, the log follows its newest rows again, drawn as the log itself is.
    scroll_log(*g, -53);
    post_silver(*g, "new");
    EXPECT_EQ(h.scroll, 0);
    Canvas now;
    draw_log(now);
    EXPECT_FALSE(has_colour(now, 0, 440, 60, 465, 0xFFFFFF));
    // At the far end of the history the view stays on the oldest rows kept.
    scroll_log(*g, INT_MAX);
    const int oldest = h.scroll;
    post_silver(*g, "newer");
    EXPECT_EQ(h.scroll, oldest);
    scroll_log(*g, INT_MIN);

    // When the game clears its log, the first step back shows what it cleared, newest at the bottom.
    clear_messages(*g);
    scroll_log(*g, 1);
    EXPECT_EQ(h.scroll, 1);
    Canvas cleared;
    draw_log(cleared);
    EXPECT_TRUE(has_colour(cleared, 2, 565, 200, 590, lighten(0x999999, 60)));
    TestGame few;
    post_silver(*few, "only");
    clear_messages(*few);
    scroll_log(*few, 5);
    EXPECT_EQ(few->log_history.scroll, 1);

    EXPECT_TRUE(over_log(10, 580));
    EXPECT_FALSE(over_log(10, 400));
    EXPECT_FALSE(over_log(700, 580));
}

TEST(MessageLogDrawing, MarkerShowsOnlyWhileADialogueLineWaits)
{
    TestGame g;
    full_screen(*g, 0x303030);
    post_message(*g, "セリフ", Ink::gray);
    const Colour colour = lighten(0x666666, 60);
    const int end = 2 + g->cg.text_width("セリフ", kMessageFont);
    g->frame_no = 0;
    draw_message_log(*g, g->cg);
    EXPECT_FALSE(has_colour(g->cg, end, 555, 800, 600, colour));

    g->line_queue[0] = "次のセリフ";
    g->cg.fill(0x303030);
    draw_message_log(*g, g->cg);
    EXPECT_TRUE(has_colour(g->cg, end, 560, end + 16, 590, colour));
}

TEST(MessageLogDrawing, RowsTooWideForTheScreenShrink)
{
    TestGame g;
    full_screen(*g, 0x303030);
    post_silver(*g, "x");
    post_silver(*g, "y");
    g->message_log[1].text = repeat("あ", 60); // 1200 pixels at the row's size
    draw_message_log(*g, g->cg);
    int right = 0;
    for (int x = 0; x < 800; ++x)
        if (g->cg.pixel(x, 541) != 0x303030u) right = x;
    EXPECT_GT(right, 600);
    EXPECT_LT(right, 799);
}

} // namespace
} // namespace zen
