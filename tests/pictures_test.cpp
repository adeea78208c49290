#include "platform/pictures.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <tuple>
#include <vector>

namespace zen {
namespace {

namespace fs = std::filesystem;

// A picture orange on its left half, yellow-green on its right.
std::vector<unsigned char> encode_jpeg(int w, int h, bool progressive = false)
{
    std::vector<Colour> pixels;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) pixels.push_back(rgb(200, x < w / 2 ? 40 : 180, 20));
    test::JpegStyle style;
    style.progressive = progressive;
    return test::encode_jpeg(w, h, pixels, style);
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

// A BMP header with the given size fields and no pixels after it.
std::vector<unsigned char> bmp_header(std::int32_t w, std::int32_t h, bool core = false)
{
    std::vector<unsigned char> b(core ? 26 : 54, 0);
    auto put32 = [&](std::size_t at, std::uint32_t v) { std::memcpy(&b[at], &v, 4); };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, static_cast<std::uint32_t>(b.size()));
    put32(10, static_cast<std::uint32_t>(b.size()));
    if (core) {
        put32(14, 12);
        const std::uint16_t w16 = static_cast<std::uint16_t>(w);
        const std::uint16_t h16 = static_cast<std::uint16_t>(h);
        std::memcpy(&b[18], &w16, 2);
        std::memcpy(&b[20], &h16, 2);
        b[22] = 1;
        b[24] = 24;
    } else {
        put32(14, 40);
        put32(18, static_cast<std::uint32_t>(w));
        put32(22, static_cast<std::uint32_t>(h));
        b[26] = 1;
        b[28] = 24;
    }
    return b;
}

// A whole 24-bit BMP: red on the top row, blue below; top-down when h is negative.
std::vector<unsigned char> bmp_picture(int w, int h)
{
    auto b = bmp_header(w, h);
    const int rows = h < 0 ? -h : h;
    const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) / 4 * 4;
    for (int r = 0; r < rows; ++r) {
        const bool top = h < 0 ? r == 0 : r == rows - 1;
        std::vector<unsigned char> row(stride, 0);
        for (int x = 0; x < w; ++x) row[static_cast<std::size_t>(x) * 3 + (top ? 2 : 0)] = 255; // B, G, R
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

bool decode(const std::vector<unsigned char>& bytes, Canvas& c, std::string& error)
{
    return decode_picture(bytes.data(), bytes.size(), c, error);
}

TEST(Pictures, BmpSizesAreCheckedBeforeAnythingIsAllocated)
{
    struct Case {
        std::int32_t w;
        std::int32_t h;
        bool core;
    };
    const Case refused[] = {
        {60000, 60000, false}, {60000, 60000, true},  {100, -60000, false},
        {1, INT32_MAX, false}, {1, INT32_MIN, false}, {0, 10, false},
        {-5, 10, false},       {10, 0, false},        {kMaxPictureSide + 1, 1, false},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(std::to_string(c.w) + " x " + std::to_string(c.h));
        Canvas out;
        std::string error;
        EXPECT_FALSE(decode(bmp_header(c.w, c.h, c.core), out, error));
        EXPECT_NE(error.find("unusable size"), std::string::npos) << error;
        EXPECT_TRUE(out.empty());
    }
    // A header cut before its sizes.
    Canvas out;
    std::string error;
    auto cut = bmp_header(10, 10);
    cut.resize(20);
    EXPECT_FALSE(decode(cut, out, error));

    // Top-down and bottom-up pictures, and the widest one allowed, still load.
    for (int h : {2, -2}) {
        ASSERT_TRUE(decode(bmp_picture(3, h), out, error)) << error;
        EXPECT_EQ(out.height(), 2);
        EXPECT_EQ(out.pixel(1, 0), 0xFF0000u);
        EXPECT_EQ(out.pixel(1, 1), 0x0000FFu);
    }
    ASSERT_TRUE(decode(bmp_picture(kMaxPictureSide, 1), out, error)) << error;
    EXPECT_EQ(out.width(), kMaxPictureSide);
}

// The same JPEG with other sizes written into its frame header.
std::vector<unsigned char> with_size(std::vector<unsigned char> jpeg, int w, int h)
{
    for (std::size_t i = 2; i + 9 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && (jpeg[i + 1] == 0xC0 || jpeg[i + 1] == 0xC2)) {
            jpeg[i + 5] = static_cast<unsigned char>(h >> 8);
            jpeg[i + 6] = static_cast<unsigned char>(h);
            jpeg[i + 7] = static_cast<unsigned char>(w >> 8);
            jpeg[i + 8] = static_cast<unsigned char>(w);
            return jpeg;
        }
    }
    ADD_FAILURE() << "no frame header";
    return jpeg;
}

TEST(Pictures, JpegSizesAreCheckedFromTheHeaderBeforeDecoding)
{
    // Small files claiming huge pictures: a progressive one would make the decoder take
    // gigabytes for its coefficients before the first line.
    const auto progressive = encode_jpeg(16, 16, true);
    const auto baseline = encode_jpeg(16, 16);
    for (const auto& [bytes, w, h] : {std::tuple{progressive, 65000, 65000}, std::tuple{progressive, 16000, 16000},
                                      std::tuple{baseline, 16000, 16000}, std::tuple{baseline, kMaxPictureSide + 1, 16},
                                      std::tuple{baseline, 16, kMaxPictureSide + 1}}) {
        SCOPED_TRACE(std::to_string(w) + " x " + std::to_string(h));
        Canvas out;
        std::string error;
        const auto big = with_size(bytes, w, h);
        EXPECT_FALSE(decode(big, out, error));
        EXPECT_NE(error.find("unusable size"), std::string::npos) << error;
    }
    // The largest side allowed decodes, progressive too.
    for (bool p : {false, true}) {
        const auto wide = encode_jpeg(kMaxPictureSide, 8, p);
        Canvas out;
        std::string error;
        ASSERT_TRUE(decode(wide, out, error)) << error;
        EXPECT_EQ(out.width(), kMaxPictureSide);
    }
}

TEST(Pictures, AJpegCutShortIsDamagedWhereverItIsCut)
{
    for (bool p : {false, true}) {
        const auto whole = encode_jpeg(64, 48, p);
        Canvas out;
        std::string error;
        ASSERT_TRUE(decode(whole, out, error)) << error;
        // Past the headers, in the picture data, up to the last marker.
        for (std::size_t size = whole.size() / 3; size + 2 < whole.size(); size += 7) {
            SCOPED_TRACE(std::string(p ? "progressive" : "baseline") + ", cut at " + std::to_string(size));
            std::vector<unsigned char> cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size));
            Canvas kept;
            EXPECT_FALSE(decode(cut, kept, error));
            EXPECT_TRUE(kept.empty());
        }
    }
}

TEST(Pictures, AJpegOfEndlessScansIsRefusedEarly)
{
    // The last scan of a progressive picture, repeated before the end: each repeat would be one
    // more pass over the picture.
    const auto whole = encode_jpeg(64, 48, true);
    std::size_t last_scan = 0;
    for (std::size_t i = 0; i + 1 < whole.size(); ++i)
        if (whole[i] == 0xFF && whole[i + 1] == 0xDA) last_scan = i;
    ASSERT_GT(last_scan, 0u);
    const std::vector<unsigned char> scan(whole.begin() + static_cast<std::ptrdiff_t>(last_scan), whole.end() - 2);
    for (const int repeats : {20, 600}) {
        std::vector<unsigned char> bytes(whole.begin(), whole.end() - 2);
        for (int i = 0; i < repeats; ++i) bytes.insert(bytes.end(), scan.begin(), scan.end());
        bytes.push_back(0xFF);
        bytes.push_back(0xD9);
        Canvas out;
        std::string error;
        EXPECT_FALSE(decode(bytes, out, error)) << repeats; // repeated scans make no sense either way
        EXPECT_EQ(error.find("scans") != std::string::npos, repeats > 400) << error;
    }
}

// A progressive JPEG keeps every coefficient until its last scan: two bytes a sample, three
// colours. No picture within the size limit needs more than the game's memory limit, so the limit
// is tried with a smaller one given to the decoder, on a picture that needs more than it.
TEST(Pictures, AJpegNeedingMoreMemoryThanTheLimitIsRefused)
{
    constexpr int kW = 2048;
    constexpr int kH = 2048;
    constexpr long kLimit = 16L << 20; // the progressive picture needs 24 MB
    const auto progressive = encode_jpeg(kW, kH, true);
    Canvas kept;
    kept.resize(4, 4);
    kept.fill(0x123456);
    std::string error;
    EXPECT_FALSE(decode_jpeg(progressive.data(), progressive.size(), kept, error, kLimit));
    EXPECT_NE(error.find("needs more than 16 MB"), std::string::npos) << error;
    EXPECT_EQ(kept.width(), 4);
    EXPECT_EQ(kept.pixel(0, 0), 0x123456u);

    // A baseline picture of the same size is decoded a few rows at a time: the same limit is plenty.
    const auto baseline = encode_jpeg(kW, kH);
    Canvas out;
    ASSERT_TRUE(decode_jpeg(baseline.data(), baseline.size(), out, error, kLimit)) << error;
    EXPECT_EQ(out.height(), kH);
    // And the progressive one with the game's own limit.
    ASSERT_TRUE(decode_jpeg(progressive.data(), progressive.size(), out, error)) << error;
    EXPECT_NEAR(red_of(out.pixel(kW - 1, kH - 1)), 200, 8);
}

// The game's limit leaves room for the largest picture there is: a progressive one of the
// largest size on both sides.
TEST(Pictures, TheLargestProgressiveJpegFitsTheMemoryLimit)
{
    const auto largest = encode_jpeg(kMaxPictureSide, kMaxPictureSide, true);
    Canvas out;
    std::string error;
    ASSERT_TRUE(decode_jpeg(largest.data(), largest.size(), out, error)) << error;
    EXPECT_EQ(out.width(), kMaxPictureSide);
    EXPECT_EQ(out.height(), kMaxPictureSide);
}

TEST(Pictures, AFolderOrAPipeWhereAPictureShouldBeIsAnError)
{
    test::TempDir dir;
    fs::create_directory(dir.path() / "title.jpg");
    ASSERT_EQ(::mkfifo((dir.path() / "desk.bmp").c_str(), 0644), 0);
    for (const char* name : {"title.jpg", "desk.bmp"}) {
        Canvas c;
        std::string error;
        EXPECT_FALSE(load_picture(dir.path() / name, c, error)) << name;
        EXPECT_NE(error.find(name), std::string::npos) << error;
    }
}

} // namespace
} // namespace zen
