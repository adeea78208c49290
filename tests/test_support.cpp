#include "test_support.h"

#include "app/commands.h"
#include "app/startup.h"
#include "content/catalog.h"
#include "content/news.h"
#include "content/stages.h"
#include "home/new_game.h"
#include "platform/path_text.h"
#include "render/picture_store.h"
#include "street/sales_floor.h"
#include "ui/menu_buttons.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>

#include <SDL.h>
#include <jpeglib.h>
#include <png.h>

namespace zen::test {

namespace fs = std::filesystem;

TempDir::~TempDir()
{
    std::error_code ec;
    // A test may have made the folder read-only; give it back before removing.
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

fs::path build_dir() { return ZENTRIFA_BUILD_DIR; }

TestGame::TestGame(std::uint64_t seed, const fs::path& data_dir)
{
    Paths paths;
    paths.data_dir = data_dir.empty() ? build_dir() : data_dir;
    paths.save_dir = save_dir.path();
    paths.settings_file = save_dir.path() / "zentrifa.ini";
    platform = make_headless_platform(paths);
    std::vector<std::string> problems;
    platform.settings.load(paths.settings_file, problems);
    game = std::make_unique<Game>(platform, seed);
    register_menus(*game); // as start-up does
}

std::vector<unsigned char> encode_jpeg(int w, int h, const std::vector<Colour>& pixels, const JpegStyle& style)
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
    jpeg_set_quality(&cinfo, style.quality, TRUE);
    if (style.grey) jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
    if (!style.subsample && !style.grey)
        for (int i = 0; i < 3; ++i) cinfo.comp_info[i].h_samp_factor = cinfo.comp_info[i].v_samp_factor = 1;
    if (style.progressive) jpeg_simple_progression(&cinfo);
    cinfo.arith_code = style.arithmetic ? TRUE : FALSE;
    cinfo.restart_in_rows = style.restart_rows;
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(static_cast<std::size_t>(w) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        const std::size_t y = cinfo.next_scanline;
        for (std::size_t x = 0; x < static_cast<std::size_t>(w); ++x) {
            const Colour p = pixels[y * static_cast<std::size_t>(w) + x];
            row[x * 3] = static_cast<unsigned char>(red_of(p));
            row[x * 3 + 1] = static_cast<unsigned char>(green_of(p));
            row[x * 3 + 2] = static_cast<unsigned char>(blue_of(p));
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

HomeGame::HomeGame(std::uint64_t seed) : TestGame(seed)
{
    Game& g = *game;
    build_stage_tables(g);
    build_news(g);
    build_catalog(g);
    g.cg.resize(kPlayWidth, kPlayHeight);
    g.cg.set_fonts(platform.fonts.get());
    g.bak.resize(kPlayWidth, kPlayHeight);
    for (Canvas& c : g.work_bitmaps) c.set_fonts(platform.fonts.get());
    g.work_bitmaps[kWorkBackground].resize(kPlayWidth, kPlayHeight);
    g.work_bitmaps[kWorkComposed].resize(kPlayWidth, kPlayHeight);
    new_game(g);
    g.title_step = kTitleDone;
    g.trace = &trace;
    take_trace();
}

std::string HomeGame::take_trace()
{
    std::string out = trace.str();
    trace.str({});
    return out;
}

StreetGame::StreetGame(int stage, std::uint64_t seed) : HomeGame(seed)
{
    Game& g = *game;
    load_char_bitmaps(g);
    load_game_picture(g, "desk.bmp", g.work_bitmaps[kWorkDesk]);
    g.stage = stage;
    g.my.energy = g.my.energy_max;
    g.my.shouts_used = 0;
    g.on_street = 1;
    show_menu(g, kMenuSalesFloor);
    take_trace();
}

int StreetGame::live(int man_id) const
{
    int n = 0;
    for (const tman& f : game->street_figures) n += f.age >= 1 && f.man_id == man_id ? 1 : 0;
    return n;
}

int StreetGame::slot_of(int man_id) const
{
    for (int s = 0; s < kStreetSlots; ++s) {
        const tman& f = game->street_figures[static_cast<std::size_t>(s)];
        if (f.age >= 1 && f.man_id == man_id) return s;
    }
    return -1;
}

void StreetGame::ticks(int n)
{
    for (int i = 0; i < n; ++i) {
        game->frame_no = (game->frame_no + 1) % 1000;
        street_tick(*game);
    }
}

VirtualController::VirtualController()
{
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    index = SDL_JoystickAttachVirtualEx(&desc);
    if (index >= 0) stick = SDL_JoystickOpen(index);
}

VirtualController::~VirtualController()
{
    if (stick) SDL_JoystickClose(stick);
    if (index >= 0) SDL_JoystickDetachVirtual(index);
}

std::string read_file(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::string> names_in(const fs::path& dir)
{
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.insert(path_utf8(e.path().filename()));
    return names;
}

void write_file(const fs::path& file, const std::string& text)
{
    std::ofstream out(file, std::ios::binary);
    out << text;
}

std::string bmp_bytes(int width, int height, Colour colour)
{
    const int row = (width * 3 + 3) / 4 * 4;
    std::string s = "BM";
    auto put16 = [&](std::uint32_t v) {
        for (int i = 0; i < 2; ++i) s += static_cast<char>((v >> (8 * i)) & 255);
    };
    auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 255);
    };
    put32(static_cast<std::uint32_t>(54 + row * height));
    put32(0);
    put32(54);
    put32(40);
    put32(static_cast<std::uint32_t>(width));
    put32(static_cast<std::uint32_t>(height));
    put16(1);
    put16(24);
    for (int i = 0; i < 6; ++i) put32(0);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            s += static_cast<char>(blue_of(colour));
            s += static_cast<char>(green_of(colour));
            s += static_cast<char>(red_of(colour));
        }
        s += std::string(static_cast<std::size_t>(row - width * 3), '\0');
    }
    return s;
}

bool has_colour(const Canvas& c, int x1, int y1, int x2, int y2, Colour colour)
{
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x)
            if (c.pixel(x, y) == colour) return true;
    return false;
}

bool all_black(const Canvas& c)
{
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x)
            if (c.pixel(x, y) != 0) return false;
    return true;
}

bool read_png(const fs::path& file, Canvas& out)
{
    const std::string bytes = read_file(file);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (bytes.empty() || !png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return false;
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> buffer(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, buffer.data(), 0, nullptr)) return false;
    out.resize(static_cast<int>(image.width), static_cast<int>(image.height));
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const unsigned char* p =
                &buffer[(static_cast<std::size_t>(y) * image.width + static_cast<std::size_t>(x)) * 3];
            out.set_pixel(x, y, rgb(p[0], p[1], p[2]));
        }
    return true;
}

} // namespace zen::test
