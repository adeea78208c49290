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

// Windows reads the icon file's directory, then each entry's bytes where it says: each must be
// the PNG of its size, whole.
TEST_F(Icons, TheWindowsIconHoldsEverySizeAsItsPng)
{
    const std::vector<char> file = bytes(pack_dir / "zentrifa.ico");
    const std::string ico(file.begin(), file.end());
    const auto u16 = [&](std::size_t at) {
        return static_cast<unsigned>(static_cast<unsigned char>(ico[at])) |
               static_cast<unsigned>(static_cast<unsigned char>(ico[at + 1])) << 8;
    };
    const auto u32 = [&](std::size_t at) { return u16(at) | u16(at + 2) << 16; };
    ASSERT_GE(ico.size(), 6u);
    EXPECT_EQ(u16(0), 0u);
    EXPECT_EQ(u16(2), 1u) << "type 1: an icon";
    ASSERT_EQ(u16(4), static_cast<unsigned>(assetgen::art::kIconSizeCount));
    std::size_t end = 6 + 16 * static_cast<std::size_t>(assetgen::art::kIconSizeCount);
    for (int i = 0; i < assetgen::art::kIconSizeCount; ++i) {
        const int size = assetgen::art::kIconSizes[i];
        SCOPED_TRACE(size);
        const std::size_t entry = 6 + 16 * static_cast<std::size_t>(i);
        EXPECT_EQ(static_cast<unsigned char>(ico[entry]), size >= 256 ? 0 : size);
        EXPECT_EQ(u16(entry + 6), 32u);
        const std::size_t length = u32(entry + 8), offset = u32(entry + 12);
        EXPECT_EQ(offset, end) << "entries follow one another";
        ASSERT_LE(offset + length, ico.size());
        const std::vector<char> png = bytes(icon_file(pack_dir, size));
        EXPECT_EQ(ico.substr(offset, length), std::string(png.begin(), png.end()));
        end = offset + length;
    }
    EXPECT_EQ(end, ico.size());
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
