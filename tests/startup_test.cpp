#include "app/startup.h"
#include "render/picture_store.h"

#include "core/game_state.h"
#include "platform/pictures.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace zen {
namespace {

namespace fs = std::filesystem;
using test::TestGame;

TEST(PictureCache, LoadsANameOnceAndReusesTheOldestSlot)
{
    test::TempDir data;
    fs::create_directory(data.path() / "cg");
    test::write_file(data.path() / "cg" / "first.bmp", test::bmp_bytes(2, 2, 0xFF0000));
    TestGame g(1, data.path());

    Canvas& first = get_picture(*g, "first.bmp");
    EXPECT_EQ(first.width(), 2);
    EXPECT_EQ(first.pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(g->picture_cache_next, 1);
    // Asking again does not read the file: it is gone, and the picture is still there.
    fs::remove(data.path() / "cg" / "first.bmp");
    Canvas& again = get_picture(*g, "first.bmp");
    EXPECT_EQ(&again, &first);
    EXPECT_EQ(again.width(), 2);
    EXPECT_EQ(g->picture_cache_next, 1);

    // Never-used slots hold no pixels.
    EXPECT_TRUE(g->picture_cache[2].empty());

    // 3000 more names fill the cache; the 3001st name overall lands in slot 0.
    test::write_file(data.path() / "cg" / "p.bmp", test::bmp_bytes(2, 2, 0x0000FF));
    for (int i = 2; i <= 3001; ++i) {
        const std::string name = "p" + std::to_string(i) + ".bmp";
        fs::create_hard_link(data.path() / "cg" / "p.bmp", data.path() / "cg" / name);
        get_picture(*g, name);
    }
    EXPECT_EQ(g->picture_cache_next, 0);
    EXPECT_EQ(g->picture_cache_names[0], "p3001.bmp");
    EXPECT_EQ(g->picture_cache_names[1], "first.bmp");
    // One more name replaces the oldest, "first.bmp" in slot 1.
    fs::create_hard_link(data.path() / "cg" / "p.bmp", data.path() / "cg" / "p3002.bmp");
    get_picture(*g, "p3002.bmp");
    EXPECT_EQ(g->picture_cache_names[1], "p3002.bmp");
    EXPECT_EQ(g->picture_cache[1].pixel(1, 1), 0x0000FFu);
}

TEST(PictureCache, PicturesTogetherStayWithinTheirMemoryLimit)
{
    // Each picture is as large as a picture may be; together they would pass the limit at the fifth.
    test::TempDir data;
    fs::create_directory(data.path() / "cg");
    const std::vector<unsigned char> jpeg = test::encode_jpeg(
        kMaxPictureSide, kMaxPictureSide,
        std::vector<Colour>(static_cast<std::size_t>(kMaxPictureSide) * kMaxPictureSide, 0x336699), {});
    test::write_file(data.path() / "cg" / "huge.jpg", std::string(jpeg.begin(), jpeg.end()));
    TestGame g(1, data.path());
    const std::uint64_t before = picture_bytes_held(*g);
    int loaded = 0;
    for (int i = 0; i < 6; ++i) {
        const std::string name = "huge" + std::to_string(i) + ".jpg";
        fs::create_hard_link(data.path() / "cg" / "huge.jpg", data.path() / "cg" / name);
        loaded += get_picture(*g, name).width() == kMaxPictureSide;
        EXPECT_LE(picture_bytes_held(*g), kPictureMemoryLimit);
    }
    const std::uint64_t each = std::uint64_t{kMaxPictureSide} * kMaxPictureSide * 4;
    EXPECT_EQ(loaded, static_cast<int>((kPictureMemoryLimit - before) / each));
    EXPECT_GE(loaded, 3);
}

TEST(StartUp, RunsWithAnEmptyPictureFolderAndMakesASave)
{
    test::TempDir data;
    fs::create_directory(data.path() / "cg");
    TestGame g(1, data.path());
    start_up(*g);
    EXPECT_EQ(g->title_step, -2);
    // The screen, the overlay and the background are full size even without pictures.
    EXPECT_EQ(g->cg.width(), 800);
    EXPECT_EQ(g->bak.height(), 600);
    EXPECT_EQ(g->work_bitmaps[6].width(), 800);
    EXPECT_TRUE(g->work_bitmaps[1].empty()); // no desk picture: nothing to draw
    EXPECT_TRUE(g->work_bitmaps[2].empty()); // unused work bitmaps cost nothing
    EXPECT_TRUE(g->char_bitmaps[1].empty());
    EXPECT_TRUE(fs::exists(g->platform.paths.save_file()));
    EXPECT_EQ(g->my.energy_max, 5);
    close_game(*g);
    EXPECT_TRUE(g->closing);
    shut_down(*g);
}

TEST(StartUp, LoadsTheStartUpPictureTheDeskAndTheSprites)
{
    TestGame g;
    start_up(*g);
    const Canvas& title = g->work_bitmaps[6];
    ASSERT_EQ(title.width(), 800);
    // The composed background is the start-up picture itself.
    Canvas pic;
    ASSERT_TRUE(load_game_picture(*g, "title.bmp", pic));
    EXPECT_EQ(title.pixel(400, 300), pic.pixel(400, 300));
    EXPECT_EQ(g->work_bitmaps[1].width(), 800); // desk strip
    EXPECT_EQ(g->work_bitmaps[1].height(), 210);
    EXPECT_FALSE(g->char_bitmaps[1].empty()); // the first customer's sprite
    EXPECT_TRUE(g->char_bitmaps[1].transparent());
    EXPECT_TRUE(g->char_bitmaps[0].empty()); // no template, no sprite
}

} // namespace
} // namespace zen
