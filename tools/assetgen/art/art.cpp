#include "art/art.h"

#include "art/draw.h"
#include "art/image.h"
#include "art/scenes.h"
#include "art/sprites.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace assetgen::art {

namespace {

Image box01() { return game_box(1); }
Image box02() { return game_box(2); }
Image box03() { return game_box(3); }
Image box04() { return game_box(4); }
Image box05() { return game_box(5); }
Image box06() { return game_box(6); }
Image box07() { return game_box(7); }
Image box08() { return game_box(8); }
Image box09() { return game_box(9); }
Image box10() { return game_box(10); }
Image box11() { return game_box(11); }
Image box12() { return game_box(12); }
Image box13() { return game_box(13); }

struct Picture {
    const char* name;
    Image (*draw)();
    bool jpeg;
};

const Picture kPictures[] = {
    {"title.bmp", screen_title_bmp, false},
    {"title.jpg", screen_title, true},
    {"start.jpg", screen_start, true},
    {"map.jpg", screen_map, true},
    {"pc.jpg", screen_pc, true},
    {"sleep.jpg", screen_sleep, true},
    {"clear.jpg", screen_clear, true},
    {"gameover.jpg", screen_gameover, true},
    {"map01.jpg", stage_map01, true},
    {"map02.jpg", stage_map02, true},
    {"uriba.jpg", stage_uriba, true},
    {"sea.jpg", stage_sea, true},
    {"city.jpg", stage_city, true},
    {"space.jpg", stage_space, true},
    {"desk.bmp", desk, false},
};

} // namespace

const std::vector<SpriteFile>& sprite_files()
{
    static const std::vector<SpriteFile> files = {
        {"kid01.bmp", kid01},     {"girl01.bmp", girl01}, {"kid02.bmp", kid02},   {"girl02.bmp", girl02},
        {"girl03.bmp", girl03},   {"kid03.bmp", kid03},   {"otona.bmp", otona},   {"usagi.bmp", usagi},
        {"cat.bmp", cat},         {"bird.bmp", bird},     {"dog.bmp", dog},       {"tako.bmp", tako},
        {"kuma.bmp", kuma},       {"robo01.bmp", robo01}, {"robo02.bmp", robo02}, {"robo03.bmp", robo03},
        {"bakudan.bmp", bakudan}, {"baku.bmp", baku},     {"robo04.bmp", robo04}, {"fire.bmp", fire},
        {"meteo.bmp", meteo},     {"game01.bmp", box01},  {"game02.bmp", box02},  {"game03.bmp", box03},
        {"game04.bmp", box04},    {"game05.bmp", box05},  {"game06.bmp", box06},  {"game07.bmp", box07},
        {"game08.bmp", box08},    {"game09.bmp", box09},  {"game10.bmp", box10},  {"game11.bmp", box11},
        {"game12.bmp", box12},    {"game13.bmp", box13},  {"mail.bmp", mail},
    };
    return files;
}

bool generate(const std::filesystem::path& dir, std::string& error)
{
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    for (const Picture& p : kPictures) {
        Image img = p.draw();
        if (!(p.jpeg ? write_jpeg(dir / p.name, img, error) : write_bmp(dir / p.name, img, error))) return false;
    }
    for (const SpriteFile& s : sprite_files())
        if (!write_bmp(dir / s.name, s.draw(), error)) return false;
    return true;
}

namespace {

bool load(const std::filesystem::path& file, Image& img, std::string& error)
{
    return file.extension() == ".jpg" ? read_jpeg(file, img, error) : read_bmp(file, img, error);
}

// Draws a keyed sprite the way the game does: key pixels left out, feet at (x, y), mirrored
// when the figure walks to the right.
void blit_sprite(cairo_t* cr, const Image& img, int x, int y, bool mirror, double scale = 1.0)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, img.w, img.h);
    cairo_surface_flush(s);
    unsigned char* d = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    const std::uint8_t* key = img.at(0, img.h - 1);
    for (int yy = 0; yy < img.h; ++yy)
        for (int xx = 0; xx < img.w; ++xx) {
            const std::uint8_t* p = img.at(xx, yy);
            bool transparent = p[0] == key[0] && p[1] == key[1] && p[2] == key[2];
            reinterpret_cast<std::uint32_t*>(d + static_cast<std::ptrdiff_t>(yy) * stride)[xx] =
                transparent ? 0u : (0xFF000000u | (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2]);
        }
    cairo_surface_mark_dirty(s);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, mirror ? -scale : scale, scale);
    const int half_width = img.w / 2; // whole pixels, so the sprite stays on the pixel grid
    cairo_set_source_surface(cr, s, -half_width, -img.h);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(s);
}

void blit(cairo_t* cr, const Image& img, double x, double y, double scale = 1.0)
{
    cairo_surface_t* s = to_surface(img);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    cairo_set_source_surface(cr, s, 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(s);
}

// White blocks where the status texts stand, with their black shadow, to judge readability.
void status_marks(cairo_t* cr)
{
    const int rows[4][2] = {{2, 250}, {32, 180}, {62, 140}, {107, 140}};
    for (const auto& r : rows)
        for (int pass = 0; pass < 2; ++pass)
            for (int x = 2; x < r[1]; x += 16) {
                cairo_rectangle(cr, x + (pass ? 0 : 1), r[0] + 2 + (pass ? 0 : 1), 12, 13);
                set(cr, pass ? hex(0xFFFFFF) : hex(0x000000), 0.85);
                cairo_fill(cr);
            }
}

} // namespace

bool contact_sheet(const std::filesystem::path& cg_dir, const std::filesystem::path& png, std::string& error)
{
    std::error_code ec;
    bool complete = std::filesystem::exists(cg_dir / "desk.bmp", ec);
    for (const SpriteFile& s : sprite_files()) complete = complete && std::filesystem::exists(cg_dir / s.name, ec);
    if (!complete && !generate(cg_dir, error)) return false;

    auto get = [&](const char* name, Image& img) { return load(cg_dir / name, img, error); };
    std::vector<Image> sprites;
    for (const SpriteFile& s : sprite_files()) {
        sprites.emplace_back();
        if (!get(s.name, sprites.back())) return false;
    }
    auto sprite = [&](const char* name) -> const Image& {
        for (std::size_t i = 0; i < sprite_files().size(); ++i)
            if (std::string(sprite_files()[i].name) == name) return sprites[i];
        return sprites[0];
    };
    Image desk_img;
    if (!get("desk.bmp", desk_img)) return false;

    const char* stages[6] = {"map01.jpg", "map02.jpg", "uriba.jpg", "sea.jpg", "city.jpg", "space.jpg"};
    const char* screens[8] = {"title.bmp", "title.jpg", "start.jpg", "map.jpg",
                              "pc.jpg",    "sleep.jpg", "clear.jpg", "gameover.jpg"};
    const int gallery_h = 3 * 260;
    const int sheet_w = 1600, sheet_h = 6 * 600 + gallery_h + 2 * 300;
    cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_RGB24, sheet_w, sheet_h);
    cairo_t* cr = cairo_create(sheet);
    set(cr, hex(0x202020));
    cairo_paint(cr);

    for (int st = 0; st < 6; ++st) {
        Image bg;
        if (!get(stages[st], bg)) {
            cairo_destroy(cr);
            cairo_surface_destroy(sheet);
            return false;
        }
        for (int half = 0; half < 2; ++half) {
            cairo_save(cr);
            cairo_translate(cr, half * 800, st * 600);
            cairo_rectangle(cr, 0, 0, 800, 600);
            cairo_clip(cr);
            set(cr, hex(0x000000));
            cairo_paint(cr);
            blit(cr, bg, 0, 0);
            blit(cr, desk_img, 0, 390);
            struct Fig {
                const char* name;
                int x, y;
                bool mirror;
            };
            std::vector<Fig> figs;
            if (half == 0) {
                const char* people[7] = {"kid01.bmp",  "girl01.bmp", "kid02.bmp", "girl02.bmp",
                                         "girl03.bmp", "kid03.bmp",  "otona.bmp"};
                for (int i = 0; i < 7; ++i) figs.push_back({people[i], 50 + i * 115, 290 + (i * 41) % 100, i % 2 == 1});
                const char* animals[6] = {"usagi.bmp", "cat.bmp", "bird.bmp", "dog.bmp", "tako.bmp", "kuma.bmp"};
                for (int i = 0; i < 6; ++i)
                    figs.push_back({animals[i], 100 + i * 120, 389 - (i * 29) % 60, i % 2 == 0});
            } else {
                figs = {{"robo03.bmp", 170, 150, false},  {"robo02.bmp", 600, 205, false},
                        {"robo04.bmp", 470, 215, false},  {"robo01.bmp", 278, 320, true},
                        {"bakudan.bmp", 120, 260, false}, {"fire.bmp", 470, 340, false},
                        {"meteo.bmp", 700, 300, false},   {"baku.bmp", 100, 389, false},
                        {"kid01.bmp", 620, 370, false},   {"otona.bmp", 560, 389, true}};
            }
            std::stable_sort(figs.begin(), figs.end(), [](const Fig& a, const Fig& b) { return a.y < b.y; });
            for (const Fig& f : figs) blit_sprite(cr, sprite(f.name), f.x, f.y, f.mirror);
            // piles: three copies of every genre (genre 3 shows game04, genre 4 game03)
            for (int id = 1; id <= 13; ++id) {
                char name[16];
                int pic = id == 3 ? 4 : id == 4 ? 3 : id;
                std::snprintf(name, sizeof name, "game%02d.bmp", pic);
                const Image& box = sprite(name);
                int sx = 348 + 35 * ((id - 1) % 4), sy = 388 + 35 * ((id - 1) / 4);
                for (int k = 0; k < 3; ++k) blit_sprite(cr, box, sx, sy - 3 * k + box.h, false);
            }
            status_marks(cr);
            cairo_restore(cr);
        }
    }
    // every sprite at twice its size on the key colour, to check the edges
    {
        const int top = 6 * 600;
        cairo_rectangle(cr, 0, top, sheet_w, gallery_h);
        set(cr, hex(0x6A6A72));
        cairo_fill(cr);
        double x = 10, y = top + 10, row_h = 0;
        for (const Image& img : sprites) {
            if (x + img.w * 2 > sheet_w - 10) {
                x = 10;
                y += row_h + 10;
                row_h = 0;
            }
            cairo_surface_t* s = to_surface(img);
            cairo_save(cr);
            cairo_translate(cr, x, y);
            cairo_scale(cr, 2, 2);
            cairo_set_source_surface(cr, s, 0, 0);
            cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
            cairo_paint(cr);
            cairo_restore(cr);
            cairo_surface_destroy(s);
            x += img.w * 2 + 10;
            row_h = std::fmax(row_h, img.h * 2);
        }
    }
    // the full-screen pictures at half size
    for (int i = 0; i < 8; ++i) {
        Image img;
        if (!get(screens[i], img)) {
            cairo_destroy(cr);
            cairo_surface_destroy(sheet);
            return false;
        }
        const int row = i / 4;
        blit(cr, img, (i % 4) * 400, 6 * 600 + gallery_h + row * 300, 0.5);
    }
    cairo_destroy(cr);
    const cairo_status_t st = cairo_surface_write_to_png(sheet, png.string().c_str());
    cairo_surface_destroy(sheet);
    if (st != CAIRO_STATUS_SUCCESS) {
        error = "cannot write " + png.string() + ": " + cairo_status_to_string(st);
        return false;
    }
    return true;
}

} // namespace assetgen::art
