#pragma once
// Independent readers and checks for the picture pack tests: they parse the files themselves
// instead of trusting the writer.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace art_checks {

inline std::vector<std::uint8_t> slurp(const std::filesystem::path& file)
{
    std::ifstream f(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

inline std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return std::uint32_t(b[at]) | (std::uint32_t(b[at + 1]) << 8) | (std::uint32_t(b[at + 2]) << 16) |
           (std::uint32_t(b[at + 3]) << 24);
}

struct Rgb {
    int w = 0, h = 0;
    std::vector<std::uint8_t> px; // top row first, RGB
    const std::uint8_t* at(int x, int y) const { return &px[(static_cast<std::size_t>(y) * w + x) * 3]; }
    std::uint8_t* at(int x, int y) { return &px[(static_cast<std::size_t>(y) * w + x) * 3]; }
};

// Reads an uncompressed bottom-up 24-bit BMP; sets why and returns false on anything else.
inline bool parse_bmp24(const std::vector<std::uint8_t>& b, Rgb& out, std::string& why)
{
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') return why = "no BM signature", false;
    if (le32(b, 2) != b.size()) return why = "file size field differs from the file", false;
    if (le32(b, 14) != 40) return why = "not a BITMAPINFOHEADER", false;
    const auto w = static_cast<std::int32_t>(le32(b, 18)), h = static_cast<std::int32_t>(le32(b, 22));
    if ((b[28] | (b[29] << 8)) != 24) return why = "not 24 bits per pixel", false;
    if (le32(b, 30) != 0) return why = "compressed", false;
    if (w <= 0 || h <= 0) return why = "bad dimensions", false;
    const std::size_t row = (static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t(3);
    const std::uint32_t off = le32(b, 10);
    if (off + row * static_cast<std::size_t>(h) != b.size()) return why = "pixel data size is wrong", false;
    out.w = w;
    out.h = h;
    out.px.assign(static_cast<std::size_t>(w) * h * 3, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint8_t* s =
                &b[off + row * static_cast<std::size_t>(h - 1 - y) + static_cast<std::size_t>(x) * 3];
            std::uint8_t* d = out.at(x, y);
            d[0] = s[2];
            d[1] = s[1];
            d[2] = s[0];
        }
    return true;
}

struct JpegInfo {
    int w = 0, h = 0, components = 0;
    bool baseline = false;
    bool full_chroma = false; // every component sampled 1x1
};

// Walks the JPEG markers up to the frame header.
inline bool parse_jpeg(const std::vector<std::uint8_t>& b, JpegInfo& info, std::string& why)
{
    if (b.size() < 4 || b[0] != 0xFF || b[1] != 0xD8) return why = "no SOI marker", false;
    if (b[b.size() - 2] != 0xFF || b[b.size() - 1] != 0xD9) return why = "no EOI marker at the end", false;
    std::size_t i = 2;
    while (i + 4 <= b.size()) {
        if (b[i] != 0xFF) return why = "marker expected", false;
        const std::uint8_t m = b[i + 1];
        const std::size_t len = (std::size_t(b[i + 2]) << 8) | b[i + 3];
        if (m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC) {
            if (i + 4 + 6 > b.size()) return why = "frame header cut short", false;
            info.baseline = m == 0xC0 || m == 0xC1;
            info.h = (b[i + 5] << 8) | b[i + 6];
            info.w = (b[i + 7] << 8) | b[i + 8];
            info.components = b[i + 9];
            info.full_chroma = true;
            for (int c = 0; c < info.components; ++c)
                if (b[i + 10 + static_cast<std::size_t>(c) * 3 + 1] != 0x11) info.full_chroma = false;
            return true;
        }
        i += 2 + len;
    }
    return why = "no frame header", false;
}

constexpr std::uint8_t kKey[3] = {0xFF, 0x00, 0xFF};

inline bool is_key(const std::uint8_t* p) { return p[0] == kKey[0] && p[1] == kKey[1] && p[2] == kKey[2]; }

// Largest channel difference from the key colour.
inline int key_distance(const std::uint8_t* p)
{
    int d = 255 - p[0];
    if (p[1] > d) d = p[1];
    if (255 - p[2] > d) d = 255 - p[2];
    return d;
}

// A visible pixel this close to the key is a fringe: it shows as a pink halo in the game.
constexpr int kFringeDistance = 40;

inline std::string fringe_fault(const Rgb& img)
{
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            const std::uint8_t* p = img.at(x, y);
            if (!is_key(p) && key_distance(p) <= kFringeDistance)
                return "near-key pixel at " + std::to_string(x) + "," + std::to_string(y);
        }
    return {};
}

// Enclosed transparent holes of at most max_size pixels (not reachable from the border through
// key pixels, 4-neighbourhood).
inline std::string pinhole_fault(const Rgb& img, int max_size)
{
    const int w = img.w, h = img.h;
    std::vector<char> seen(static_cast<std::size_t>(w) * h, 0);
    std::vector<int> stack;
    auto flood = [&](int sx, int sy) {
        int count = 0;
        stack.assign(1, sy * w + sx);
        seen[static_cast<std::size_t>(sy) * w + sx] = 1;
        while (!stack.empty()) {
            int i = stack.back();
            stack.pop_back();
            ++count;
            int x = i % w, y = i / w;
            const int nx[4] = {x - 1, x + 1, x, x}, ny[4] = {y, y, y - 1, y + 1};
            for (int k = 0; k < 4; ++k) {
                if (nx[k] < 0 || ny[k] < 0 || nx[k] >= w || ny[k] >= h) continue;
                std::size_t j = static_cast<std::size_t>(ny[k]) * w + nx[k];
                if (!seen[j] && is_key(img.at(nx[k], ny[k]))) {
                    seen[j] = 1;
                    stack.push_back(static_cast<int>(j));
                }
            }
        }
        return count;
    };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if ((x == 0 || y == 0 || x == w - 1 || y == h - 1) && !seen[static_cast<std::size_t>(y) * w + x] &&
                is_key(img.at(x, y)))
                flood(x, y);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!seen[static_cast<std::size_t>(y) * w + x] && is_key(img.at(x, y))) {
                int n = flood(x, y);
                if (n <= max_size)
                    return "enclosed hole of " + std::to_string(n) + " px at " + std::to_string(x) + "," +
                           std::to_string(y);
            }
    return {};
}

// Mean luminance (0..255) of a rectangle.
inline double mean_luma(const Rgb& img, int x0, int y0, int x1, int y1)
{
    double sum = 0;
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const std::uint8_t* p = img.at(x, y);
            sum += 0.299 * p[0] + 0.587 * p[1] + 0.114 * p[2];
            ++n;
        }
    return n ? sum / n : 0;
}

} // namespace art_checks
