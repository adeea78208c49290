// The desktop icon: one PNG per icon-theme size, a solid tile with see-through corners, the same
// bytes on every run (a package is built twice the same way).
#include "pack_support.h"

#include "art/art.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

namespace fs = std::filesystem;
using pack_test::bytes;
using pack_test::fresh_dir;

fs::path icon_file(const fs::path& dir, int size)
{
    const std::string side = std::to_string(size);
    return dir / "hicolor" / (side + "x" + side) / "apps" / "zentrifa.png";
}

int alpha_at(cairo_surface_t* s, int x, int y)
{
    const unsigned char* row =
        cairo_image_surface_get_data(s) + static_cast<std::ptrdiff_t>(y) * cairo_image_surface_get_stride(s);
    return static_cast<int>(reinterpret_cast<const std::uint32_t*>(row)[x] >> 24);
}

class Icons : public pack_test::GeneratedPack<assetgen::art::write_icons> {
protected:
    void SetUp() override { ASSERT_TRUE(pack_ok) << pack_error; }
};

TEST_F(Icons, EachThemeSizeIsASolidTileWithRoundCorners)
{
    bool has_48 = false, has_128 = false, has_256 = false;
    for (int size : assetgen::art::kIconSizes) {
        SCOPED_TRACE(size);
        has_48 |= size == 48;
        has_128 |= size == 128;
        has_256 |= size == 256;
        cairo_surface_t* s = cairo_image_surface_create_from_png(icon_file(pack_dir, size).c_str());
        ASSERT_EQ(cairo_surface_status(s), CAIRO_STATUS_SUCCESS);
        ASSERT_EQ(cairo_image_surface_get_format(s), CAIRO_FORMAT_ARGB32) << "the corners need alpha";
        EXPECT_EQ(cairo_image_surface_get_width(s), size);
        EXPECT_EQ(cairo_image_surface_get_height(s), size);
        cairo_surface_flush(s);
        const int last = size - 1;
        for (auto [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}})
            EXPECT_EQ(alpha_at(s, x, y), 0) << "corner " << x << "," << y;
        // no see-through spot anywhere inside the tile's rim
        int holes = 0;
        for (int y = size / 8; y < size - size / 8; ++y)
            for (int x = size / 8; x < size - size / 8; ++x) holes += alpha_at(s, x, y) < 255;
        EXPECT_EQ(holes, 0);
        cairo_surface_destroy(s);
    }
    EXPECT_TRUE(has_48 && has_128 && has_256) << "the sizes desktops ask for first";
}

TEST(IconRuns, TwoRunsAreByteIdentical)
{
    const fs::path a = fresh_dir("icons_a"), b = fresh_dir("icons_b");
    std::string error;
    ASSERT_TRUE(assetgen::art::write_icons(a, error)) << error;
    ASSERT_TRUE(assetgen::art::write_icons(b, error)) << error;
    for (int size : assetgen::art::kIconSizes) {
        const auto x = bytes(icon_file(a, size));
        EXPECT_FALSE(x.empty());
        EXPECT_TRUE(x == bytes(icon_file(b, size))) << size;
    }
    fs::remove_all(a);
    fs::remove_all(b);
}

TEST(IconRuns, AFolderThatCannotBeMadeIsAnError)
{
    const fs::path dir = fresh_dir("icons_blocked");
    // a plain file where the theme folder should go
    {
        std::ofstream(dir / "hicolor") << "x";
    }
    std::string error;
    EXPECT_FALSE(assetgen::art::write_icons(dir, error));
    EXPECT_NE(error.find("zentrifa.png"), std::string::npos) << error;
    fs::remove_all(dir);
}

} // namespace
