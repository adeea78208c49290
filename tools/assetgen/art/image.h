#pragma once
// Pixel buffers and the file formats of the picture pack: 24-bit BMP (our own writer and reader),
// baseline JPEG through libjpeg with fixed settings, and the keyed sprite cut.
#include <cairo.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace assetgen::art {

// An opaque RGB picture, rows top to bottom, 3 bytes a pixel.
struct Image {
    int w = 0;
    int h = 0;
    std::vector<std::uint8_t> rgb;

    Image() = default;
    Image(int width, int height) : w(width), h(height), rgb(static_cast<std::size_t>(width) * height * 3, 0) {}
    std::uint8_t* at(int x, int y) { return &rgb[(static_cast<std::size_t>(y) * w + x) * 3]; }
    const std::uint8_t* at(int x, int y) const { return &rgb[(static_cast<std::size_t>(y) * w + x) * 3]; }
};

// The transparent colour of every sprite: the game takes the bottom-left pixel as the key.
constexpr std::uint8_t kKeyR = 0xFF, kKeyG = 0x00, kKeyB = 0xFF;
// A visible sprite pixel never comes closer to the key than this (largest channel difference).
constexpr int kKeyClearance = 48;
// Enclosed transparent holes up to this many pixels are filled in.
constexpr int kPinholeMax = 12;

inline bool is_key(const std::uint8_t* p) { return p[0] == kKeyR && p[1] == kKeyG && p[2] == kKeyB; }

// Opaque copy of an ARGB32 or RGB24 Cairo surface.
Image from_surface(cairo_surface_t* s);

// Cuts an antialiased sprite drawn with alpha: pixels of at least half alpha keep their true
// (un-premultiplied) colour, the rest become the key. Colours too close to the key are pushed
// away, small enclosed holes are filled, and when crop is set the picture is trimmed to its
// contents plus a margin of 2 pixels.
Image cut_sprite(cairo_surface_t* s, bool crop);

bool write_bmp(const std::filesystem::path& file, const Image& img, std::string& error);
bool read_bmp(const std::filesystem::path& file, Image& img, std::string& error);
// Quality 90, no chroma subsampling, baseline: the same bytes on every run.
bool write_jpeg(const std::filesystem::path& file, const Image& img, std::string& error);
bool read_jpeg(const std::filesystem::path& file, Image& img, std::string& error);

// RGB24 Cairo surface holding a copy of img (the caller destroys it).
cairo_surface_t* to_surface(const Image& img);

} // namespace assetgen::art
