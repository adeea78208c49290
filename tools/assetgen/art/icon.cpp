// The game's icon for the desktop: the maker under the evening sky of the title picture, a game
// box in hand, on a rounded tile. Drawn as vectors at every size, so the small ones stay sharp.
#include "art/art.h"
#include "art/draw.h"
#include "art/scenes.h"
#include "art/sprites.h"

#include <cairo.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

namespace assetgen::art {

namespace {

// Everything is laid out on a 256-unit tile and scaled to the size asked for.
constexpr double kTile = 256;

PathFn tile_shape() { return rrect(8, 8, kTile - 16, kTile - 16, 44); }

void paint_icon(cairo_t* cr, int size)
{
    cairo_save(cr);
    cairo_scale(cr, size / kTile, size / kTile);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);

    // the sky of the title picture, with its low sun, clipped to the tile
    cairo_save(cr);
    cairo_new_path(cr);
    tile_shape()(cr);
    cairo_clip(cr);
    vgradient(cr, 0, 0, kTile, kTile, hex(0x2A2456), hex(0xF29A5A));
    radial_glow(cr, 196, 150, 150, hex(0xFFD070), 0.6);
    fill(cr, ellipse(196, 150, 30, 30), hex(0xFFD88A));
    for (double x : {20.0, 60.0, 96.0, 210.0}) {
        const double h = x < 100 ? 60 + x * 0.4 : 80;
        fill(cr, rrect(x, 230 - h, 34, h + 40, 2), hex(0x3A2A4E));
    }
    fill(cr, rrect(0, 214, kTile, 60, 0), hex(0x2A1E3A));
    // the maker from the waist up, larger than life
    paint_maker(cr, 100, 356, 290, false);
    // a game box held up in front, tilted toward the viewer
    cairo_save(cr);
    cairo_translate(cr, 144, 128);
    cairo_rotate(cr, 0.16);
    cairo_scale(cr, 2.6, 2.6);
    paint_game_box(cr, 1);
    cairo_restore(cr);
    cairo_restore(cr);

    // ink rim around the tile, as every figure of the pack has
    Pen pen(cr, 7);
    pen.outline(tile_shape());
    cairo_restore(cr);
}

} // namespace

const int kIconSizes[kIconSizeCount] = {32, 48, 64, 128, 256};

namespace {

void put_le(std::string& out, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// zentrifa.ico for Windows (the exe's icon, the Start menu's): every size of the tile, each kept
// as the PNG it is, which Windows reads inside an icon file.
bool write_ico(const std::filesystem::path& file, const std::vector<std::string>& pngs, std::string& error)
{
    std::string out;
    put_le(out, 0, 2); // reserved
    put_le(out, 1, 2); // an icon
    put_le(out, static_cast<std::uint32_t>(pngs.size()), 2);
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(pngs.size());
    for (std::size_t i = 0; i < pngs.size(); ++i) {
        const int size = kIconSizes[i];
        out += static_cast<char>(size >= 256 ? 0 : size); // 0 stands for 256
        out += static_cast<char>(size >= 256 ? 0 : size);
        put_le(out, 0, 2);  // no palette, reserved
        put_le(out, 1, 2);  // planes
        put_le(out, 32, 2); // bits a pixel
        put_le(out, static_cast<std::uint32_t>(pngs[i].size()), 4);
        put_le(out, offset, 4);
        offset += static_cast<std::uint32_t>(pngs[i].size());
    }
    for (const std::string& png : pngs) out += png;
    std::ofstream f(file, std::ios::binary);
    f.write(out.data(), static_cast<std::streamsize>(out.size()));
    if (!f.flush()) {
        error = "cannot write " + file.string();
        return false;
    }
    return true;
}

} // namespace

bool write_icons(const std::filesystem::path& dir, std::string& error)
{
    std::vector<std::string> pngs;
    for (int size : kIconSizes) {
        const std::string side = std::to_string(size);
        const std::filesystem::path folder = dir / "hicolor" / (side + "x" + side) / "apps";
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        Canvas cv(size, size);
        paint_icon(cv.cr, size);
        cairo_surface_flush(cv.surface);
        const std::filesystem::path file = folder / "zentrifa.png";
        const cairo_status_t st = cairo_surface_write_to_png(cv.surface, file.c_str());
        if (st != CAIRO_STATUS_SUCCESS) {
            error = "cannot write " + file.string() + ": " + cairo_status_to_string(st);
            return false;
        }
        std::ifstream in(file, std::ios::binary);
        pngs.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return write_ico(dir / "zentrifa.ico", pngs, error);
}

} // namespace assetgen::art
