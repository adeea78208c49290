// The picture pack: every file the game loads, in its format and size, sprites with a clean key,
// the same bytes on every run.
#include "art_checks.h"

#include "art/art.h"
#include "art/image.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>

#include <unistd.h>

namespace fs = std::filesystem;
using namespace art_checks;

namespace {

enum class Kind { Screen, Stage, Desk, Customer, Animal, Hazard, Box, Icon };

struct Expected {
    const char* name;
    Kind kind;
};

const Expected kFiles[] = {
    {"title.bmp", Kind::Screen},    {"title.jpg", Kind::Screen},    {"start.jpg", Kind::Screen},
    {"map.jpg", Kind::Screen},      {"pc.jpg", Kind::Screen},       {"sleep.jpg", Kind::Screen},
    {"clear.jpg", Kind::Screen},    {"gameover.jpg", Kind::Screen}, {"map01.jpg", Kind::Stage},
    {"map02.jpg", Kind::Stage},     {"uriba.jpg", Kind::Stage},     {"sea.jpg", Kind::Stage},
    {"city.jpg", Kind::Stage},      {"space.jpg", Kind::Stage},     {"desk.bmp", Kind::Desk},
    {"kid01.bmp", Kind::Customer},  {"girl01.bmp", Kind::Customer}, {"kid02.bmp", Kind::Customer},
    {"girl02.bmp", Kind::Customer}, {"girl03.bmp", Kind::Customer}, {"kid03.bmp", Kind::Customer},
    {"otona.bmp", Kind::Customer},  {"usagi.bmp", Kind::Animal},    {"cat.bmp", Kind::Animal},
    {"bird.bmp", Kind::Animal},     {"dog.bmp", Kind::Animal},      {"tako.bmp", Kind::Animal},
    {"kuma.bmp", Kind::Animal},     {"robo01.bmp", Kind::Hazard},   {"robo02.bmp", Kind::Hazard},
    {"robo03.bmp", Kind::Hazard},   {"bakudan.bmp", Kind::Hazard},  {"baku.bmp", Kind::Hazard},
    {"robo04.bmp", Kind::Hazard},   {"fire.bmp", Kind::Hazard},     {"meteo.bmp", Kind::Hazard},
    {"game01.bmp", Kind::Box},      {"game02.bmp", Kind::Box},      {"game03.bmp", Kind::Box},
    {"game04.bmp", Kind::Box},      {"game05.bmp", Kind::Box},      {"game06.bmp", Kind::Box},
    {"game07.bmp", Kind::Box},      {"game08.bmp", Kind::Box},      {"game09.bmp", Kind::Box},
    {"game10.bmp", Kind::Box},      {"game11.bmp", Kind::Box},      {"game12.bmp", Kind::Box},
    {"game13.bmp", Kind::Box},      {"mail.bmp", Kind::Icon},
};

bool is_sprite(Kind k) { return k != Kind::Screen && k != Kind::Stage && k != Kind::Desk; }

fs::path fresh_dir(const std::string& tag)
{
    fs::path d = fs::temp_directory_path() / ("zentrifa_art_" + tag + "_" + std::to_string(::getpid()));
    fs::remove_all(d);
    fs::create_directories(d);
    return d;
}

class ArtPack : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        pack_dir = fresh_dir("a");
        std::string error;
        pack_ok = assetgen::art::generate(pack_dir, error);
        pack_error = error;
    }
    static void TearDownTestSuite() { fs::remove_all(pack_dir); }
    void SetUp() override { ASSERT_TRUE(pack_ok) << pack_error; }

    static Rgb bmp(const char* name)
    {
        Rgb img;
        std::string why;
        EXPECT_TRUE(parse_bmp24(slurp(pack_dir / name), img, why)) << name << ": " << why;
        return img;
    }
    static Rgb jpeg_pixels(const char* name)
    {
        assetgen::art::Image img;
        std::string error;
        EXPECT_TRUE(assetgen::art::read_jpeg(pack_dir / name, img, error)) << error;
        Rgb out;
        out.w = img.w;
        out.h = img.h;
        out.px = img.rgb;
        return out;
    }

    static inline fs::path pack_dir;
    static inline bool pack_ok = false;
    static inline std::string pack_error;
};

TEST_F(ArtPack, WritesExactlyTheFilesTheGameLoads)
{
    std::set<std::string> want, got;
    for (const Expected& e : kFiles) want.insert(e.name);
    for (const auto& entry : fs::directory_iterator(pack_dir)) got.insert(entry.path().filename().string());
    EXPECT_EQ(got, want);
}

TEST_F(ArtPack, EveryFileHasItsFormatAndSize)
{
    for (const Expected& e : kFiles) {
        SCOPED_TRACE(e.name);
        const std::string name = e.name;
        const auto bytes = slurp(pack_dir / name);
        int w = 0, h = 0;
        std::string why;
        if (name.ends_with(".jpg")) {
            JpegInfo info;
            ASSERT_TRUE(parse_jpeg(bytes, info, why)) << why;
            EXPECT_TRUE(info.baseline);
            EXPECT_EQ(info.components, 3);
            EXPECT_TRUE(info.full_chroma) << "chroma is subsampled";
            w = info.w;
            h = info.h;
        } else {
            Rgb img;
            ASSERT_TRUE(parse_bmp24(bytes, img, why)) << why;
            w = img.w;
            h = img.h;
        }
        switch (e.kind) {
        case Kind::Screen:
            EXPECT_EQ(w, 800);
            EXPECT_EQ(h, 600);
            break;
        case Kind::Stage: // the whole screen: nothing of the home's picture stays below the street
            EXPECT_EQ(w, 800);
            EXPECT_EQ(h, 600);
            break;
        case Kind::Desk:
            EXPECT_EQ(w, 800);
            EXPECT_EQ(h, 210);
            break;
        case Kind::Customer:
            EXPECT_GE(w, 40);
            EXPECT_LE(w, 60);
            EXPECT_GE(h, 80);
            EXPECT_LE(h, 110);
            break;
        case Kind::Box: // piles stand 35 pixels apart
            EXPECT_LE(w, 34);
            EXPECT_GE(h, 36);
            EXPECT_LE(h, 40);
            break;
        case Kind::Icon:
            EXPECT_EQ(w, 40);
            EXPECT_EQ(h, 40);
            break;
        case Kind::Animal:
            EXPECT_GE(h, 24);
            EXPECT_LE(h, 100);
            EXPECT_LE(w, 90);
            break;
        case Kind::Hazard:
            EXPECT_GE(h, 40);
            EXPECT_LE(h, 130);
            EXPECT_LE(w, 200);
            break;
        }
    }
}

TEST_F(ArtPack, CustomersAreTellApartBySize)
{
    // Seven kinds of customer, each a different silhouette: no two share both width and height.
    std::set<std::pair<int, int>> sizes;
    for (const Expected& e : kFiles)
        if (e.kind == Kind::Customer) {
            Rgb img = bmp(e.name);
            sizes.insert({img.w, img.h});
        }
    EXPECT_EQ(sizes.size(), 7u);
}

TEST_F(ArtPack, SpritesHaveACleanKey)
{
    for (const Expected& e : kFiles) {
        if (!is_sprite(e.kind)) continue;
        SCOPED_TRACE(e.name);
        Rgb img = bmp(e.name);
        ASSERT_GT(img.w, 4);
        ASSERT_GT(img.h, 4);
        EXPECT_TRUE(is_key(img.at(0, img.h - 1))) << "bottom-left pixel is not the key";
        EXPECT_EQ(fringe_fault(img), "");
        EXPECT_EQ(pinhole_fault(img, 6), "");
        // a margin of two pixels all round, and a real picture inside it
        int visible = 0;
        for (int y = 0; y < img.h; ++y)
            for (int x = 0; x < img.w; ++x) {
                bool edge = x < 2 || y < 2 || x >= img.w - 2 || y >= img.h - 2;
                if (is_key(img.at(x, y))) continue;
                ++visible;
                if (edge) ADD_FAILURE() << "visible pixel inside the margin at " << x << "," << y;
            }
        EXPECT_GT(visible, img.w * img.h / 5);
    }
}

TEST_F(ArtPack, FiguresStandOnTheirFeet)
{
    // The game places a figure by the middle of its bottom edge, so the lowest drawn row (just
    // above the margin) must carry the feet near the middle.
    for (const Expected& e : kFiles) {
        if (e.kind != Kind::Customer && e.kind != Kind::Animal) continue;
        SCOPED_TRACE(e.name);
        Rgb img = bmp(e.name);
        const int y = img.h - 3;
        int lo = img.w, hi = -1;
        for (int x = 0; x < img.w; ++x)
            if (!is_key(img.at(x, y))) {
                lo = std::min(lo, x);
                hi = std::max(hi, x);
            }
        ASSERT_GE(hi, 0) << "nothing on the lowest row";
        EXPECT_LT(lo, img.w * 3 / 4);
        EXPECT_GT(hi, img.w / 4);
    }
}

TEST_F(ArtPack, EveryGenreHasItsOwnCover)
{
    // Thirteen piles side by side must be told apart: every pair of boxes differs in a good
    // part of its pixels (a genre wired to another genre's art would not).
    std::vector<Rgb> boxes;
    for (const Expected& e : kFiles)
        if (e.kind == Kind::Box) boxes.push_back(bmp(e.name));
    ASSERT_EQ(boxes.size(), 13u);
    for (std::size_t i = 0; i < boxes.size(); ++i)
        for (std::size_t j = i + 1; j < boxes.size(); ++j) {
            ASSERT_EQ(boxes[i].px.size(), boxes[j].px.size());
            int differ = 0;
            for (std::size_t k = 0; k < boxes[i].px.size(); k += 3) {
                int d = 0;
                for (int c = 0; c < 3; ++c) d += std::abs(boxes[i].px[k + c] - boxes[j].px[k + c]);
                if (d > 60) ++differ;
            }
            EXPECT_GT(differ, boxes[i].w * boxes[i].h / 5) << "game" << i + 1 << " and game" << j + 1 << " look alike";
        }
}

TEST_F(ArtPack, ScenesKeepRoomForTheTexts)
{
    // The status lines are white on the upper left of the street and of home; the message log
    // and the status panel sit on the dark left and right of the desk strip.
    for (const char* name : {"map01.jpg", "map02.jpg", "uriba.jpg", "sea.jpg", "city.jpg", "space.jpg", "pc.jpg"}) {
        SCOPED_TRACE(name);
        Rgb img = jpeg_pixels(name);
        ASSERT_GE(img.h, 130);
        EXPECT_LT(mean_luma(img, 0, 0, 300, 130), 175.0);
    }
    Rgb d = bmp("desk.bmp");
    EXPECT_LT(mean_luma(d, 0, 40, 300, 210), 70.0);
    EXPECT_LT(mean_luma(d, 560, 40, 800, 210), 70.0);
    // the sales table stands out in the middle, where the piles are drawn
    EXPECT_GT(mean_luma(d, 330, 0, 470, 150), mean_luma(d, 0, 0, 300, 150));
}

TEST(ArtPackRuns, TwoGenerationsAreByteIdentical)
{
    const fs::path a = fresh_dir("r1"), b = fresh_dir("r2");
    std::string error;
    ASSERT_TRUE(assetgen::art::generate(a, error)) << error;
    ASSERT_TRUE(assetgen::art::generate(b, error)) << error;
    int files = 0;
    for (const auto& entry : fs::directory_iterator(a)) {
        SCOPED_TRACE(entry.path().filename().string());
        const auto x = slurp(entry.path()), y = slurp(b / entry.path().filename());
        EXPECT_FALSE(x.empty());
        EXPECT_TRUE(x == y) << "files differ";
        ++files;
    }
    EXPECT_EQ(files, static_cast<int>(std::size(kFiles)));
    fs::remove_all(a);
    fs::remove_all(b);
}

// --- the key checks themselves -------------------------------------------------------------

Rgb disc_over_key(bool cut)
{
    // An antialiased red disc, either blended over the key the naive way or cut by the pack.
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 24, 24);
    cairo_t* cr = cairo_create(s);
    if (!cut) {
        cairo_set_source_rgb(cr, 1, 0, 1);
        cairo_paint(cr);
    }
    cairo_arc(cr, 12, 12, 7.3, 0, 2 * M_PI);
    cairo_set_source_rgb(cr, 0.8, 0.1, 0.1);
    cairo_fill(cr);
    cairo_destroy(cr);
    assetgen::art::Image img = cut ? assetgen::art::cut_sprite(s, false) : assetgen::art::from_surface(s);
    cairo_surface_destroy(s);
    Rgb out;
    out.w = img.w;
    out.h = img.h;
    out.px = img.rgb;
    return out;
}

TEST(ArtKeyChecks, CatchAFringeAndAPinhole)
{
    Rgb fringed = disc_over_key(false);
    EXPECT_NE(fringe_fault(fringed), "") << "a disc blended onto the key must show a fringe";

    Rgb holed = disc_over_key(true);
    ASSERT_EQ(pinhole_fault(holed, 6), "");
    for (int c = 0; c < 3; ++c) holed.at(12, 12)[c] = kKey[c];
    EXPECT_NE(pinhole_fault(holed, 6), "") << "a key pixel inside the disc is a pinhole";
}

TEST(ArtKeyChecks, CutLeavesNoFringeAndFillsHoles)
{
    Rgb cut = disc_over_key(true);
    EXPECT_EQ(fringe_fault(cut), "");
    EXPECT_TRUE(is_key(cut.at(0, cut.h - 1)));
    EXPECT_FALSE(is_key(cut.at(12, 12)));
    // the true colour survives on the edge instead of a blend toward the key
    for (int y = 0; y < cut.h; ++y)
        for (int x = 0; x < cut.w; ++x)
            if (!is_key(cut.at(x, y))) {
                EXPECT_NEAR(cut.at(x, y)[0], 204, 2);
                EXPECT_NEAR(cut.at(x, y)[2], 26, 2);
            }

    // a ring with a one-pixel hole in its middle: the cut fills it
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 16, 16);
    cairo_t* cr = cairo_create(s);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_rectangle(cr, 4, 4, 7, 7);
    cairo_set_source_rgb(cr, 0.2, 0.6, 0.2);
    cairo_fill(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_CLEAR);
    cairo_rectangle(cr, 7, 7, 1, 1);
    cairo_fill(cr);
    cairo_destroy(cr);
    assetgen::art::Image img = assetgen::art::cut_sprite(s, true);
    cairo_surface_destroy(s);
    Rgb ring;
    ring.w = img.w;
    ring.h = img.h;
    ring.px = img.rgb;
    EXPECT_EQ(ring.w, 11); // 7 pixels plus the margins
    EXPECT_EQ(pinhole_fault(ring, 6), "");
    EXPECT_FALSE(is_key(ring.at(5, 5)));
}

TEST(ArtBmp, StoresRowsBottomUpWithPadding)
{
    assetgen::art::Image img(3, 2); // 9 bytes a row, padded to 12
    img.at(0, 1)[0] = 255;          // bottom-left red
    img.at(2, 0)[2] = 255;          // top-right blue
    const fs::path dir = fresh_dir("bmp");
    std::string error;
    ASSERT_TRUE(assetgen::art::write_bmp(dir / "t.bmp", img, error)) << error;
    const auto b = slurp(dir / "t.bmp");
    ASSERT_EQ(b.size(), 54u + 2 * 12);
    EXPECT_EQ(b[54], 0); // first stored pixel is the bottom-left one, as B, G, R
    EXPECT_EQ(b[56], 255);
    EXPECT_EQ(b[54 + 12 + 6], 255); // top row, third pixel: blue
    assetgen::art::Image back;
    ASSERT_TRUE(assetgen::art::read_bmp(dir / "t.bmp", back, error)) << error;
    EXPECT_EQ(back.rgb, img.rgb);
    fs::remove_all(dir);
}

TEST(ArtJpeg, KeepsColoursCloseWithFullChroma)
{
    // Saturated colour edges suffer most from subsampled chroma; at quality 90 with full chroma
    // they come back nearly as drawn.
    assetgen::art::Image img(64, 48);
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            std::uint8_t* p = img.at(x, y);
            p[0] = (x / 8) % 2 ? 230 : 20;
            p[1] = static_cast<std::uint8_t>(y * 5);
            p[2] = (y / 8) % 2 ? 200 : 40;
        }
    const fs::path dir = fresh_dir("jpeg");
    std::string error, why;
    ASSERT_TRUE(assetgen::art::write_jpeg(dir / "t.jpg", img, error)) << error;
    JpegInfo info;
    ASSERT_TRUE(parse_jpeg(slurp(dir / "t.jpg"), info, why)) << why;
    EXPECT_TRUE(info.full_chroma);
    assetgen::art::Image back;
    ASSERT_TRUE(assetgen::art::read_jpeg(dir / "t.jpg", back, error)) << error;
    ASSERT_EQ(back.rgb.size(), img.rgb.size());
    double err = 0;
    for (std::size_t i = 0; i < img.rgb.size(); ++i) err += std::abs(int(img.rgb[i]) - int(back.rgb[i]));
    EXPECT_LT(err / static_cast<double>(img.rgb.size()), 4.0);
    fs::remove_all(dir);
}

TEST(ArtBmp, RefusesDamagedFiles)
{
    const fs::path dir = fresh_dir("bad");
    std::string error;
    assetgen::art::Image img(5, 5), back;
    ASSERT_TRUE(assetgen::art::write_bmp(dir / "t.bmp", img, error)) << error;
    auto bytes = slurp(dir / "t.bmp");
    ASSERT_GT(bytes.size(), 10u);
    bytes.erase(bytes.end() - 10, bytes.end()); // pixel rows cut short
    {
        std::ofstream f(dir / "cut.bmp", std::ios::binary);
        f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    EXPECT_FALSE(assetgen::art::read_bmp(dir / "cut.bmp", back, error));
    EXPECT_FALSE(assetgen::art::read_bmp(dir / "missing.bmp", back, error));
    EXPECT_FALSE(assetgen::art::read_jpeg(dir / "t.bmp", back, error)) << "a BMP is no JPEG";
    fs::remove_all(dir);
}

TEST(ArtContactSheet, DrawsThePackIntoOnePng)
{
    const fs::path dir = fresh_dir("sheet");
    const fs::path png = dir / "sheet.png";
    const std::string cmd =
        std::string("\"") + ASSETGEN_EXE + "\" --contact-sheet \"" + png.string() + "\" --out \"" + dir.string() + "\"";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const auto b = slurp(png);
    ASSERT_GT(b.size(), 24u);
    EXPECT_EQ(b[1], 'P');
    EXPECT_EQ(b[2], 'N');
    EXPECT_EQ(b[3], 'G');
    const std::uint32_t w = (std::uint32_t(b[16]) << 24) | (b[17] << 16) | (b[18] << 8) | b[19];
    const std::uint32_t h = (std::uint32_t(b[20]) << 24) | (b[21] << 16) | (b[22] << 8) | b[23];
    EXPECT_GE(w, 800u);
    EXPECT_GE(h, 6u * 480u);                           // at least every stage
    EXPECT_TRUE(fs::exists(dir / "cg" / "kid01.bmp")); // made the pictures it needed
    fs::remove_all(dir);
}

} // namespace
