#include "platform/pictures.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace zen {
namespace {

namespace fs = std::filesystem;

std::vector<unsigned char> encode_jpeg(int w, int h)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = static_cast<JDIMENSION>(w);
    cinfo.image_height = static_cast<JDIMENSION>(h);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 95, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(w) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        for (int x = 0; x < w; ++x) {
            row[static_cast<std::size_t>(x) * 3] = 200;
            row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<unsigned char>(x < w / 2 ? 40 : 180);
            row[static_cast<std::size_t>(x) * 3 + 2] = 20;
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<unsigned char> bytes(out, out + size);
    std::free(out);
    return bytes;
}

TEST(Pictures, DecodesAJpeg)
{
    const auto bytes = encode_jpeg(64, 48);
    Canvas c;
    std::string error;
    ASSERT_TRUE(decode_jpeg(bytes.data(), bytes.size(), c, error)) << error;
    EXPECT_EQ(c.width(), 64);
    EXPECT_EQ(c.height(), 48);
    const Colour left = c.pixel(8, 24);
    EXPECT_NEAR(red_of(left), 200, 8);
    EXPECT_NEAR(green_of(left), 40, 8);
    EXPECT_NEAR(green_of(c.pixel(56, 24)), 180, 8);
}

TEST(Pictures, DamagedJpegsAreErrorsNotCrashes)
{
    const auto good = encode_jpeg(64, 48);
    std::string error;

    Canvas keep;
    keep.resize(3, 3);
    // Cut in the middle of the picture data.
    std::vector<unsigned char> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(good.size() / 2));
    EXPECT_FALSE(decode_jpeg(cut.data(), cut.size(), keep, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(keep.width(), 3); // left as it was
    // Cut inside the header.
    std::vector<unsigned char> header(good.begin(), good.begin() + 40);
    EXPECT_FALSE(decode_jpeg(header.data(), header.size(), keep, error));
    // A JPEG signature followed by noise.
    std::vector<unsigned char> noise = {0xFF, 0xD8, 0xFF};
    unsigned v = 12345;
    for (int i = 0; i < 4000; ++i) {
        v = v * 1103515245u + 12345u;
        noise.push_back(static_cast<unsigned char>(v >> 16));
    }
    EXPECT_FALSE(decode_jpeg(noise.data(), noise.size(), keep, error));
    EXPECT_EQ(keep.width(), 3);
}

TEST(Pictures, LoadPictureTellsFilesApartAndRefusesTheRest)
{
    test::TempDir dir;
    const auto jpg = encode_jpeg(10, 8);
    test::write_file(dir.path() / "a.jpg", std::string(jpg.begin(), jpg.end()));
    test::write_file(dir.path() / "empty.bmp", "");
    test::write_file(dir.path() / "text.bmp", "hello, world");
    test::write_file(dir.path() / "bad.bmp", std::string("BM") + std::string(60, '\x7f'));
    Canvas c;
    std::string error;
    ASSERT_TRUE(load_picture(dir.path() / "a.jpg", c, error)) << error;
    EXPECT_EQ(c.width(), 10);
    for (const char* name : {"missing.bmp", "empty.bmp", "text.bmp", "bad.bmp"}) {
        error.clear();
        EXPECT_FALSE(load_picture(dir.path() / name, c, error)) << name;
        EXPECT_FALSE(error.empty()) << name;
        EXPECT_EQ(c.width(), 10) << name;
    }
}

} // namespace
} // namespace zen
