#include "platform/canvas.h"

#include "platform/fonts.h"
#include "test_support.h"

#include <SDL.h>
#include <cairo.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <optional>
#include <random>
#include <utility>
#include <vector>

namespace zen {
namespace {

Canvas solid(int w, int h, Colour c)
{
    Canvas k;
    k.resize(w, h);
    k.fill(c);
    return k;
}

TEST(Canvas, EmptyUntilSizedAndSafeToDrawOn)
{
    Canvas c;
    EXPECT_TRUE(c.empty());
    EXPECT_EQ(c.pixels(), nullptr);
    c.fill(0xFFFFFF);
    c.line(0, 0, 10, 10, Pen{0xFF0000, 3});
    c.ellipse(0, 0, 10, 10, Pen{0xFF0000, 1}, 0x00FF00);
    EXPECT_EQ(c.pixel(0, 0), 0u);
    c.resize(4, 3);
    EXPECT_EQ(c.width(), 4);
    EXPECT_EQ(c.pixel(3, 2), 0u);
    c.clear();
    EXPECT_TRUE(c.empty());
}

TEST(Canvas, AnOverlayBrightensBlackLeavesThePictureAloneAndItIsLeftBlack)
{
    Canvas screen = solid(8, 8, 0x102040);
    Canvas overlay = solid(8, 8, 0x000000);
    overlay.set_pixel(3, 3, 0x0F0F0F);
    overlay.set_pixel(4, 4, 0xFF0000);
    screen.take_overlay(overlay);
    EXPECT_EQ(screen.pixel(0, 0), 0x102040u);
    EXPECT_EQ(screen.pixel(3, 3), 0x1F2F4Fu);
    EXPECT_EQ(screen.pixel(4, 4), 0xFF2040u);
    // The overlay is left black for the next frame, and drawing starts anew in it.
    EXPECT_TRUE(overlay.drawn_box().empty());
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) ASSERT_EQ(overlay.pixel(x, y), 0u) << x << "," << y;
    overlay.set_pixel(6, 1, 0x000080);
    screen.take_overlay(overlay);
    EXPECT_EQ(screen.pixel(6, 1), 0x1020C0u);
    EXPECT_EQ(screen.pixel(4, 4), 0xFF2040u);

    // An overlay larger than the screen is cleared beyond the screen's edge too.
    Canvas small = solid(4, 4, 0x000000);
    overlay.set_pixel(7, 7, 0xFFFFFF);
    overlay.set_pixel(1, 1, 0x010101);
    small.take_overlay(overlay);
    EXPECT_EQ(small.pixel(1, 1), 0x010101u);
    EXPECT_EQ(overlay.pixel(7, 7), 0u);
    // Drawn only beyond the smaller screen's edge: left black all the same.
    overlay.set_pixel(6, 6, 0xFFFFFF);
    small.take_overlay(overlay);
    EXPECT_EQ(overlay.pixel(6, 6), 0u);
    EXPECT_TRUE(overlay.drawn_box().empty());
}

TEST(Canvas, TransparentPicturesLeaveOutTheirBottomLeftColour)
{
    Canvas sprite = solid(4, 4, 0xFF00FF);
    sprite.set_pixel(1, 1, 0x123456);
    sprite.set_pixel(2, 0, 0xFE00FF); // close to the key, but not the key: drawn
    sprite.set_transparent(true);
    Canvas screen = solid(10, 10, 0x0000AA);
    screen.draw(sprite, 3, 2);
    EXPECT_EQ(screen.pixel(4, 3), 0x123456u);
    EXPECT_EQ(screen.pixel(5, 2), 0xFE00FFu);
    EXPECT_EQ(screen.pixel(3, 2), 0x0000AAu);
    EXPECT_EQ(screen.pixel(6, 5), 0x0000AAu);

    // The same picture not transparent covers its whole box.
    sprite.set_transparent(false);
    screen.draw(sprite, 3, 2);
    EXPECT_EQ(screen.pixel(3, 2), 0xFF00FFu);
}

TEST(Canvas, StretchIntoAReversedRectangleMirrors)
{
    Canvas sprite = solid(4, 2, 0x00FF00);
    sprite.set_pixel(0, 0, 0xFF0000); // top-left red
    sprite.set_pixel(3, 1, 0xFF00FF); // bottom-right: no, the key is bottom-left
    sprite.set_pixel(0, 1, 0x000001); // key
    sprite.set_transparent(true);
    Canvas screen = solid(20, 20, 0x777777);
    screen.stretch_draw(sprite, 4, 0, 0, 2);  // x2 < x1: mirrored left to right, same size
    EXPECT_EQ(screen.pixel(3, 0), 0xFF0000u); // red now at the right
    EXPECT_EQ(screen.pixel(0, 0), 0x00FF00u);
    EXPECT_EQ(screen.pixel(0, 1), 0xFF00FFu);
    EXPECT_EQ(screen.pixel(3, 1), 0x777777u); // the key, mirrored, is still left out
    // Mirrored and half off the left edge: the columns that show are the picture's left ones.
    screen.stretch_draw(sprite, 2, 5, -2, 7);
    EXPECT_EQ(screen.pixel(1, 5), 0xFF0000u);
    EXPECT_EQ(screen.pixel(0, 5), 0x00FF00u);
    EXPECT_EQ(screen.pixel(2, 5), 0x777777u);
    // Stretched to twice the size, not mirrored.
    screen.stretch_draw(sprite, 10, 10, 18, 14);
    EXPECT_EQ(screen.pixel(10, 10), 0xFF0000u);
    EXPECT_EQ(screen.pixel(11, 11), 0xFF0000u);
    EXPECT_EQ(screen.pixel(12, 10), 0x00FF00u);
    EXPECT_EQ(screen.pixel(10, 12), 0x777777u);
    EXPECT_EQ(screen.pixel(17, 13), 0xFF00FFu);
}

TEST(Canvas, CopyRectOntoItselfShiftsLikeTheScreenShake)
{
    Canvas c = solid(10, 10, 0);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) c.set_pixel(x, y, static_cast<Colour>(y * 16 + x));
    c.copy_rect(2, 3, c, 0, 0, 10, 10);
    EXPECT_EQ(c.pixel(2, 3), 0u);
    EXPECT_EQ(c.pixel(9, 9), static_cast<Colour>(6 * 16 + 7));
    EXPECT_EQ(c.pixel(0, 0), 0u); // untouched corner
    Canvas d = solid(10, 10, 0);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) d.set_pixel(x, y, static_cast<Colour>(y * 16 + x));
    d.copy_rect(0, 0, d, 1, 2, 10, 10);
    EXPECT_EQ(d.pixel(0, 0), static_cast<Colour>(2 * 16 + 1));
    EXPECT_EQ(d.pixel(8, 7), static_cast<Colour>(9 * 16 + 9));
}

TEST(Canvas, RectanglesCoverTheirBoxAndShapesStayAliased)
{
    Canvas c = solid(20, 20, 0);
    c.rectangle(2, 3, 8, 9, Pen{0xFF0000, 1}, 0x00FF00);
    EXPECT_EQ(c.pixel(2, 3), 0xFF0000u);
    EXPECT_EQ(c.pixel(7, 8), 0xFF0000u);
    EXPECT_EQ(c.pixel(8, 9), 0u);
    EXPECT_EQ(c.pixel(5, 5), 0x00FF00u);
    c.fill_rect(10, 10, 12, 12, 0x0000FF);
    EXPECT_EQ(c.pixel(11, 11), 0x0000FFu);
    EXPECT_EQ(c.pixel(12, 12), 0u);

    // A filled circle: centre inside, corners of its box outside, and no blended edge colours.
    Canvas e = solid(40, 40, 0);
    e.ellipse(0, 0, 40, 40, Pen{0xFF0000, 1}, 0x0000FF);
    EXPECT_EQ(e.pixel(20, 20), 0x0000FFu);
    EXPECT_EQ(e.pixel(1, 1), 0u);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) {
            const Colour p = e.pixel(x, y);
            ASSERT_TRUE(p == 0 || p == 0xFF0000u || p == 0x0000FFu) << x << "," << y << " " << std::hex << p;
        }
    // A thick line reaches its end points.
    Canvas l = solid(40, 40, 0);
    l.line(5, 20, 35, 20, Pen{0xFFFFFF, 5});
    EXPECT_EQ(l.pixel(20, 18), 0xFFFFFFu);
    EXPECT_EQ(l.pixel(20, 22), 0xFFFFFFu);
    EXPECT_EQ(l.pixel(20, 25), 0u);
}

// The overlay is cleared and ORed on only inside its drawn box: a pixel drawn outside it would
// stay on the screen for good.
TEST(Canvas, EveryDrawnPixelLiesInTheDrawnBoxAndFillingBlackClearsIt)
{
    const auto expect_inside = [](const Canvas& c, const char* what) {
        const Box b = c.drawn_box();
        for (int y = 0; y < c.height(); ++y) {
            for (int x = 0; x < c.width(); ++x) {
                if (c.pixel(x, y) == 0) continue;
                ASSERT_TRUE(x >= b.x1 && x < b.x2 && y >= b.y1 && y < b.y2)
                    << what << ": (" << x << ", " << y << ") outside " << b.x1 << "," << b.y1 << "-" << b.x2 << ","
                    << b.y2;
            }
        }
    };
    Canvas sprite = solid(6, 4, 0x123456);
    sprite.set_pixel(0, 3, 0x010101); // the key
    sprite.set_transparent(true);
    Canvas spot = solid(5, 5, 0);
    spot.set_pixel(2, 2, 0x00FF00);

    Canvas c = solid(200, 150, 0);
    EXPECT_TRUE(c.drawn_box().empty());
    c.circle(20, 20, 5, Pen{0xFF0000, 1}, 0x0000FF);
    expect_inside(c, "a disc");
    EXPECT_LE(c.drawn_box().x2, 30) << "a small disc marks a small box";
    // The spiral waves: a ring whose corners all lie far outside the picture, one side across it.
    const Point corners[] = {{-500, 140}, {700, 140}, {700, 900}, {-500, 900}, {-500, 140}};
    c.polyline(corners, 5, Pen{0xAAFFCC, 9});
    expect_inside(c, "a path around the picture");
    c.fill(0);
    EXPECT_TRUE(c.drawn_box().empty());
    expect_inside(c, "cleared");

    const Point across[] = {{-300, -10}, {500, 160}};
    c.polyline(across, 2, Pen{0xFFFFFF, 3});
    expect_inside(c, "a line through the picture");
    c.fill(0);
    c.ellipse(150, 100, 260, 190, Pen{0xFFCC00, 14}, std::nullopt); // a thick ring, off the corner
    expect_inside(c, "a ring");
    c.fill(0);
    c.rectangle(190, 2, 199, 9, Pen{0x00FFFF, 7}, 0x880000);
    c.set_pixel(0, 149, 0x010000);
    expect_inside(c, "a rectangle and a pixel");
    c.fill(0);
    c.draw(sprite, 197, 148);
    c.stretch_draw(sprite, 5, 140, -1, 144);
    c.stretch_draw(sprite, 100, 0, 80, 30);
    c.copy_rect(60, 60, spot, 0, 0, 5, 5);
    expect_inside(c, "pictures and copies");
    c.fill(0);
    c.take_overlay(spot);
    expect_inside(c, "an OR");
    EXPECT_EQ(c.pixel(2, 2), 0x00FF00u);
    c.fill(0);
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) ASSERT_EQ(c.pixel(x, y), 0u) << x << "," << y;

    // ORed from an overlay with nothing drawn: the screen stays as it was.
    Canvas screen = solid(200, 150, 0x202020);
    screen.take_overlay(c);
    EXPECT_EQ(screen.pixel(2, 2), 0x202020u);
}

TEST(Canvas, TextDrawsWithTheJapaneseFontAndShowsBackslashAsYen)
{
    Fonts fonts(test::game_fonts_dir());
    ASSERT_TRUE(fonts.available()) << "the Japanese font is missing";
    Canvas c = solid(300, 40, 0);
    c.set_fonts(&fonts);
    const Font f{15, true};
    EXPECT_EQ(c.text_extent("\\100", f).width, c.text_extent("\xC2\xA5"
                                                             "100",
                                                             f)
                                                   .width);
    EXPECT_GT(c.text_width("所持金：100円", f), c.text_width("所持金", f));
    c.text(2, 2, "売り上げ", f, 0xFFFFFF);
    int lit = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 300; ++x) lit += c.pixel(x, y) != 0;
    EXPECT_GT(lit, 30);
    // Opaque text fills its box with the background colour first.
    Canvas d = solid(300, 40, 0);
    d.set_fonts(&fonts);
    d.text(0, 0, "テスト", f, 0xFFFFFF, 0x505050);
    EXPECT_EQ(d.pixel(0, 0), 0x505050u);
    EXPECT_EQ(d.pixel(d.text_width("テスト", f) + 2, 2), 0u);
}

TEST(Canvas, TwoSetsOfFontsLiveAndGoIndependently)
{
    // Two games at once (tests make several): the first one's fonts going must not take the
    // text renderer from the second.
    auto first = std::make_unique<Fonts>(test::game_fonts_dir());
    Fonts second(test::game_fonts_dir());
    ASSERT_TRUE(second.available());
    Canvas a = solid(200, 40, 0);
    a.set_fonts(first.get());
    a.text(2, 2, "一つ目", Font{15, true}, 0xFFFFFF);
    first.reset();
    Canvas b = solid(200, 40, 0);
    b.set_fonts(&second);
    b.text(2, 2, "二つ目", Font{12, false}, 0xFFFFFF);
    int lit = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x) lit += b.pixel(x, y) != 0;
    EXPECT_GT(lit, 30);
}

TEST(Canvas, EachLanguageDrawsWithItsFaceFromTheDataFolderAndFallsBackWhereItMust)
{
    namespace fs = std::filesystem;
    const fs::path ko_face = fs::path(ZENTRIFA_BUILD_DIR) / "fonts" / "ko.otf";
    if (!fs::is_regular_file(ko_face)) GTEST_SKIP() << "the build made no Korean face (no fontTools)";
    const std::string system_ipa = Fonts(test::game_fonts_dir()).font_file();
    ASSERT_FALSE(system_ipa.empty());
    test::TempDir dir;
    const fs::path folder = dir.path() / "fonts";
    fs::create_directories(folder / "yy.ttf"); // a folder, not a font
    fs::copy_file(system_ipa, folder / "ipagp.ttf");
    fs::copy_file(ko_face, folder / "ko.otf");
    test::write_file(folder / "xx.otf", "no font at all");
    test::write_file(folder / "notes.txt", "not looked at");

    Fonts fonts(folder);
    EXPECT_EQ(fonts.font_file(), (folder / "ipagp.ttf").string()) << "the data folder's face before the system's";
    const std::string ipa = fonts.font_file();
    const std::string korean = (folder / "ko.otf").string();
    EXPECT_EQ(fonts.face_file("한국어"), korean) << "IPA P Gothic has no Hangul: the face that has";
    EXPECT_EQ(fonts.face_file("Game 100"), ipa);
    fonts.use_language("ko");
    EXPECT_EQ(fonts.face_file("한국어"), korean);
    EXPECT_EQ(fonts.face_file("Game 100"), korean) << "the language's own face for its Latin letters too";
    EXPECT_EQ(fonts.face_file("日本語で遊ぶ"), ipa) << "what the language's face lacks";
    EXPECT_EQ(fonts.missing_glyphs("日本語で遊ぶ"), U"");
    EXPECT_EQ(fonts.missing_glyphs("한국어 \U0001F600"), U"\U0001F600")
        << "no face has it: the language's face is named";
    fonts.use_language("xx"); // no font: the game's face
    EXPECT_EQ(fonts.face_file("Game 100"), ipa);
    fonts.use_language("yy");
    EXPECT_EQ(fonts.face_file("Game 100"), ipa);

    // Every face keeps the game's face's lines: the same height, the letters on the same baseline.
    fonts.use_language("ko");
    Canvas c = solid(300, 40, 0);
    c.set_fonts(&fonts);
    const Font f{15, true};
    EXPECT_EQ(c.text_extent("한국어", f).height, c.text_extent("日本", f).height);
    c.text(0, 0, "Lg", f, 0xFFFFFF);
    Canvas d = solid(300, 40, 0);
    Fonts game_face(folder);
    d.set_fonts(&game_face);
    d.text(0, 0, "Lg", f, 0xFFFFFF);
    const auto lowest_ink = [](const Canvas& k, int width) {
        int lowest = -1;
        for (int y = 0; y < k.height(); ++y)
            for (int x = 0; x < 8 && x < width; ++x)
                if (k.pixel(x, y) != 0) lowest = y;
        return lowest;
    };
    // The foot of the L is the baseline; the faces' letters differ by a pixel or two at most.
    const int korean_foot = lowest_ink(c, c.text_width("L", f));
    const int game_foot = lowest_ink(d, d.text_width("L", f));
    ASSERT_GE(game_foot, 0);
    EXPECT_LE(std::abs(korean_foot - game_foot), 1) << korean_foot << " against " << game_foot;
}

// Raw 32-bit words, the unused top byte included: what a later keyed draw compares.
std::vector<std::uint32_t> words(const Canvas& c)
{
    std::vector<std::uint32_t> w(static_cast<std::size_t>(c.width()) * static_cast<std::size_t>(c.height()));
    for (int y = 0; y < c.height(); ++y)
        std::memcpy(w.data() + static_cast<std::ptrdiff_t>(y) * c.width(),
                    reinterpret_cast<const char*>(c.pixels()) + static_cast<std::ptrdiff_t>(y) * c.pitch(),
                    static_cast<std::size_t>(c.width()) * 4);
    return w;
}

// Random pixels, and runs of the key colour among them; with top bytes, the top byte set in some.
void scribble(Canvas& c, std::mt19937& rng, std::uint32_t key, bool top_bytes)
{
    std::uint32_t* p = c.pixels();
    for (int y = 0; y < c.height(); ++y) {
        auto* row =
            reinterpret_cast<std::uint32_t*>(reinterpret_cast<char*>(p) + static_cast<std::ptrdiff_t>(y) * c.pitch());
        const bool empty_row = rng() % 6 == 0;
        for (int x = 0; x < c.width(); ++x) {
            const unsigned r = rng() % 10;
            if (empty_row || r < 4)
                row[x] = key;
            else if (top_bytes && r == 4)
                row[x] = key | 0xFF000000u;
            else if (top_bytes && r == 5)
                row[x] = rng() | 0x01000000u;
            else
                row[x] = rng() & 0xFFFFFFu;
        }
    }
}

// Lines the canvas draws from its cache of stroke shapes: the same 32-bit words as Cairo stroking
// the same path into the same pixels, wherever they lie, however wide, and again from the cache.
TEST(Canvas, CachedStrokesCoverExactlyWhatCairoStrokes)
{
    std::mt19937 rng(21);
    Canvas c = solid(90, 70, 0);
    std::vector<std::uint32_t> reference(std::size_t{90} * 70);
    cairo_surface_t* surface = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(reference.data()),
                                                                   CAIRO_FORMAT_RGB24, 90, 70, 90 * 4);
    cairo_t* cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (int i = 0; i < 3000; ++i) {
        // Few distinct shapes, so most come from the cache; some too long or too wide to keep.
        const int span = i % 10 == 0 ? 90 : 12;
        const int x0 = static_cast<int>(rng() % 110) - 10;
        const int y0 = static_cast<int>(rng() % 90) - 10;
        const int x1 = x0 + static_cast<int>(rng() % (2 * span + 1)) - span;
        const int y1 = rng() % 4 == 0 ? y0 : y0 + static_cast<int>(rng() % (2 * span + 1)) - span;
        const int width = i % 50 == 0 ? 20 : static_cast<int>(rng() % 9) - 1;
        const Colour colour = rng() & 0xFFFFFFu;
        c.line(x0, y0, x1, y1, Pen{colour, width});

        const int w = std::max(1, width);
        const double shift = w % 2 == 1 ? 0.5 : 0.0;
        cairo_surface_mark_dirty(surface);
        cairo_new_path(cr);
        cairo_move_to(cr, x0 + shift, y0 + shift);
        cairo_line_to(cr, x1 + shift, y1 + shift);
        cairo_set_source_rgb(cr, red_of(colour) / 255.0, green_of(colour) / 255.0, blue_of(colour) / 255.0);
        cairo_set_line_width(cr, w);
        cairo_stroke(cr);
        cairo_surface_flush(surface);
        if (i % 100 == 99 || words(c) != reference) {
            ASSERT_EQ(words(c), reference)
                << "after line " << i << ": (" << x0 << ", " << y0 << ")-(" << x1 << ", " << y1 << ") width " << width;
        }
    }
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

// An ellipse worked out row by row from its centre, as the canvas draws one it has not seen: the
// pixels whose centres lie within each row's half span (brush, then the pen's ring).
void reference_ellipse(std::vector<std::uint32_t>& px, int width, int height, int x1, int y1, int x2, int y2, Pen pen,
                       std::optional<Colour> brush)
{
    const double rx = (x2 - x1) / 2.0;
    const double ry = (y2 - y1) / 2.0;
    if (rx <= 0 || ry <= 0) return;
    const int w = std::max(1, pen.width);
    const double shift = w % 2 == 1 ? 0.5 : 0.0;
    const double cx = x1 + rx;
    const double cy = y1 + ry;
    const double prx = std::max(0.5, rx - shift);
    const double pry = std::max(0.5, ry - shift);
    const auto half = [](double a, double b, double yc) {
        if (a <= 0 || b <= 0) return -1.0;
        const double t = yc / b;
        return t <= -1 || t >= 1 ? -1.0 : a * std::sqrt(1 - t * t);
    };
    const auto fill = [&](int y, int from, int to, Colour c) {
        for (int x = std::max(from, 0); x <= std::min(to, width - 1); ++x)
            px[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] = c;
    };
    for (int y = 0; y < height; ++y) {
        const double yc = y + 0.5 - cy;
        const double ho = half(prx + w / 2.0, pry + w / 2.0, yc);
        if (ho < 0) continue;
        const double hi = half(prx - w / 2.0, pry - w / 2.0, yc);
        const auto from = [&](double h) { return static_cast<int>(std::ceil(cx - h - 0.5)); };
        const auto to = [&](double h) { return static_cast<int>(std::floor(cx + h - 0.5)); };
        const double hb = half(prx, pry, yc);
        if (brush && hb >= 0) fill(y, from(hb), to(hb), *brush);
        if (hi < 0 || from(hi) > to(hi)) {
            fill(y, from(ho), to(ho), pen.colour);
        } else {
            fill(y, from(ho), from(hi) - 1, pen.colour);
            fill(y, to(hi) + 1, to(ho), pen.colour);
        }
    }
}

// Ellipses of sizes seen before are drawn from the rows kept for that size: the same pixels as
// working each out from its centre, wherever the box lies (the rounding of far-off centres
// included), for discs, rings and thick pens.
TEST(Canvas, EllipsesOfAKnownSizeDrawLikeNewOnes)
{
    std::mt19937 rng(3);
    const int width = 900;
    const int height = 80;
    Canvas c = solid(width, height, 0);
    std::vector<std::uint32_t> reference(static_cast<std::size_t>(width) * height, 0);
    const int sweep = 2 * (width + 30);
    int run_w = 0;
    int run_h = 0;
    int run_pen = 1;
    bool run_brush = false;
    for (int i = 0; i < sweep + 6000; ++i) {
        // First one box at every column (the centre's rounding differs from column to column),
        // then few sizes at random, in runs of four of one size as the effects draw them, so most
        // are drawn from kept rows; now and then a large one, kept, or one too large to keep.
        const bool swept = i < sweep;
        if (!swept && i % 4 == 0) {
            run_w = static_cast<int>(rng() % 24);
            run_h = static_cast<int>(rng() % 24);
            run_pen = static_cast<int>(rng() % 8) - 1;
            run_brush = rng() % 2 == 1;
        }
        const int w = swept ? 6 : i % 100 == 0 ? 1010 : i % 100 == 50 ? 260 : run_w;
        const int h = swept ? 11 : i % 100 == 0 ? 70 : i % 100 == 50 ? 70 : run_h;
        const int x1 = swept ? i / 2 - 30 : static_cast<int>(rng() % (width + 40)) - 20;
        const int y1 = swept ? 30 : static_cast<int>(rng() % (height + 40)) - 20;
        const Pen pen{static_cast<Colour>(rng() & 0xFFFFFFu), swept ? 1 + 2 * (i % 2) : run_pen};
        const std::optional<Colour> brush = (swept ? rng() % 2 == 1 : run_brush)
                                                ? std::optional<Colour>(static_cast<Colour>(rng() & 0xFFFFFFu))
                                                : std::optional<Colour>();
        c.ellipse(x1, y1, x1 + w, y1 + h, pen, brush);
        reference_ellipse(reference, width, height, x1, y1, x1 + w, y1 + h, pen, brush);
        // Only pixels around the box change: compared there, at once, before another covers them.
        for (int y = std::max(0, y1 - 8); y < std::min(height, y1 + h + 8); ++y) {
            for (int x = std::max(0, x1 - 8); x < std::min(width, x1 + w + 8); ++x) {
                ASSERT_EQ(c.pixel(x, y), reference[static_cast<std::size_t>(y) * width + static_cast<std::size_t>(x)])
                    << "ellipse " << i << " (" << x1 << ", " << y1 << ") " << w << "x" << h << " pen " << pen.width
                    << (brush ? " filled" : "") << ": pixel (" << x << ", " << y << ")";
            }
        }
    }
    // A box of a size drawn before, at the far end of int's range: nothing drawn, nothing overflows.
    const std::vector<std::uint32_t> before = words(c);
    const int far = std::numeric_limits<int>::max() - 12;
    c.ellipse(10, far, 16, far + 11, Pen{0xFFFFFF, 3}, 0x00FF00);
    c.ellipse(far, 10, far + 6, 21, Pen{0xFFFFFF, 3}, 0x00FF00);
    EXPECT_EQ(words(c), before);
}

// Keyed pictures drawn from their runs of opaque pixels: the same words as SDL's colour-keyed blit
// (the key's exact 32-bit value left out, the top byte of the rest cleared), and stretched the same
// as a pixel-by-pixel stretch; also after the picture's pixels change under the runs found for it.
TEST(Canvas, KeyedPicturesDrawLikeThePixelByPixelBlit)
{
    std::mt19937 rng(7);
    const int sw = 37;
    const int sh = 23;
    Canvas sprite = solid(sw, sh, 0);
    sprite.set_transparent(true);
    Canvas c = solid(80, 60, 0);
    SDL_Surface* reference = SDL_CreateRGBSurfaceWithFormat(0, 80, 60, 32, SDL_PIXELFORMAT_XRGB8888);
    SDL_Surface* from = SDL_CreateRGBSurfaceWithFormat(0, sw, sh, 32, SDL_PIXELFORMAT_XRGB8888);
    ASSERT_TRUE(reference && from);
    const auto reference_words = [&] {
        std::vector<std::uint32_t> w(std::size_t{80} * 60);
        for (int y = 0; y < 60; ++y)
            std::memcpy(w.data() + static_cast<std::ptrdiff_t>(y) * 80,
                        static_cast<const char*>(reference->pixels) + static_cast<std::ptrdiff_t>(y) * reference->pitch,
                        std::size_t{80} * 4);
        return w;
    };
    std::memset(reference->pixels, 0, static_cast<std::size_t>(reference->pitch) * 60);
    for (int i = 0; i < 400; ++i) {
        if (i % 20 == 0) {
            const std::uint32_t key = rng() & 0xFFFFFFu;
            scribble(sprite, rng, key, i % 40 == 20);
            sprite.set_pixel(0, sh - 1, key);
        } else if (i % 5 == 0) {
            // A few pixels change after the picture has been drawn.
            for (int k = 0; k < 10; ++k)
                sprite.set_pixel(static_cast<int>(rng() % sw), static_cast<int>(rng() % sh),
                                 rng() % 2 ? rng() : sprite.pixel(0, sh - 1));
        }
        for (int y = 0; y < sh; ++y)
            std::memcpy(static_cast<char*>(from->pixels) + static_cast<std::ptrdiff_t>(y) * from->pitch,
                        reinterpret_cast<const char*>(std::as_const(sprite).pixels()) +
                            static_cast<std::ptrdiff_t>(y) * sprite.pitch(),
                        static_cast<std::size_t>(sw) * 4);
        const std::uint32_t key = sprite.pixel(0, sh - 1);
        const int x = static_cast<int>(rng() % 120) - 40;
        const int y = static_cast<int>(rng() % 100) - 30;
        if (i % 2 == 0) {
            c.draw(sprite, x, y);
            SDL_SetColorKey(from, SDL_TRUE, key);
            SDL_Rect at{x, y, sw, sh};
            SDL_BlitSurface(from, nullptr, reference, &at);
        } else {
            // Stretched or shrunk, mirrored either way or both.
            const int w = sw * static_cast<int>(rng() % 6 + 2) / 4;
            const int h = sh * static_cast<int>(rng() % 6 + 2) / 4;
            const bool mx = rng() % 2;
            const bool my = rng() % 2;
            c.stretch_draw(sprite, mx ? x + w : x, my ? y + h : y, mx ? x : x + w, my ? y : y + h);
            for (int dy = std::max(0, y); dy < std::min(60, y + h); ++dy) {
                int sy = (dy - y) * sh / h;
                if (my) sy = sh - 1 - sy;
                for (int dx = std::max(0, x); dx < std::min(80, x + w); ++dx) {
                    int sx = (dx - x) * sw / w;
                    if (mx) sx = sw - 1 - sx;
                    const std::uint32_t p =
                        static_cast<const std::uint32_t*>(from->pixels)[sy * from->pitch / 4 + sx] & 0xFFFFFFu;
                    if (p != key) static_cast<std::uint32_t*>(reference->pixels)[dy * reference->pitch / 4 + dx] = p;
                }
            }
        }
        ASSERT_EQ(words(c), reference_words()) << "after picture " << i << " at (" << x << ", " << y << ")";
    }
    SDL_FreeSurface(from);
    SDL_FreeSurface(reference);
}

TEST(Canvas, SavesAPng)
{
    test::TempDir dir;
    Canvas c = solid(16, 8, 0x336699);
    ASSERT_TRUE(c.save_png(dir.path() / "x.png"));
    const std::string bytes = test::read_file(dir.path() / "x.png");
    ASSERT_GT(bytes.size(), 8u);
    EXPECT_EQ(bytes.substr(1, 3), "PNG");
    EXPECT_FALSE(c.save_png(dir.path() / "no" / "such" / "x.png"));
}

} // namespace
} // namespace zen
