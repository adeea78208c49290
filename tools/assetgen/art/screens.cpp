// The full-screen pictures (800 x 600) and the drawn logo.
#include "art/draw.h"
#include "art/scenes.h"
#include "art/sprites.h"

#include "common/rng.h"

#include <cmath>

namespace assetgen::art {
namespace {

constexpr int W = 800, H = 600;

void rect(cairo_t* cr, double x, double y, double w, double h, Col c, double a = 1.0)
{
    cairo_new_path(cr);
    cairo_rectangle(cr, x, y, w, h);
    set(cr, c, a);
    cairo_fill(cr);
}

// Letters of the logo as pen strokes in a box one unit tall (baseline at 1, x-height 0.62).
constexpr double kX = 0.62;
struct Glyph {
    double width;
    void (*path)(cairo_t*);
};
void g_Z(cairo_t* c)
{
    cairo_move_to(c, 0.04, 0.02);
    cairo_line_to(c, 0.78, 0.02);
    cairo_line_to(c, 0.02, 0.98);
    cairo_line_to(c, 0.8, 0.98);
}
void g_e(cairo_t* c)
{
    const double r = 0.31, cx = 0.31, cy = 1 - r;
    cairo_move_to(c, cx - r, cy);
    cairo_line_to(c, cx + r, cy);
    cairo_arc_negative(c, cx, cy, r, 0, M_PI * 0.28);
}
void g_n(cairo_t* c)
{
    cairo_move_to(c, 0, 1);
    cairo_line_to(c, 0, 1 - kX);
    cairo_new_sub_path(c);
    cairo_move_to(c, 0, 1 - kX + 0.28);
    cairo_arc(c, 0.27, 1 - kX + 0.28, 0.27, M_PI, 2 * M_PI);
    cairo_line_to(c, 0.54, 1);
}
void g_t(cairo_t* c)
{
    cairo_move_to(c, 0.16, 0.16);
    cairo_line_to(c, 0.16, 0.82);
    cairo_arc_negative(c, 0.34, 0.82, 0.18, M_PI, M_PI * 0.45);
    cairo_new_sub_path(c);
    cairo_move_to(c, 0, 1 - kX);
    cairo_line_to(c, 0.38, 1 - kX);
}
void g_r(cairo_t* c)
{
    cairo_move_to(c, 0, 1);
    cairo_line_to(c, 0, 1 - kX);
    cairo_new_sub_path(c);
    cairo_move_to(c, 0, 1 - kX + 0.26);
    cairo_arc(c, 0.26, 1 - kX + 0.26, 0.26, M_PI, M_PI * 1.72);
}
void g_i(cairo_t* c)
{
    cairo_move_to(c, 0, 1);
    cairo_line_to(c, 0, 1 - kX);
    cairo_new_sub_path(c);
    cairo_move_to(c, 0, 0.13);
    cairo_line_to(c, 0, 0.135);
}
void g_f(cairo_t* c)
{
    cairo_move_to(c, 0.14, 1);
    cairo_line_to(c, 0.14, 0.24);
    cairo_arc(c, 0.36, 0.24, 0.22, M_PI, M_PI * 1.8);
    cairo_new_sub_path(c);
    cairo_move_to(c, 0, 1 - kX);
    cairo_line_to(c, 0.4, 1 - kX);
}
void g_a(cairo_t* c)
{
    const double r = 0.29;
    cairo_new_sub_path(c);
    cairo_arc(c, r, 1 - r, r, 0, 2 * M_PI);
    cairo_new_sub_path(c);
    cairo_move_to(c, 2 * r, 1 - kX);
    cairo_line_to(c, 2 * r, 1);
}
const Glyph kLogo[] = {{0.8, g_Z}, {0.62, g_e}, {0.54, g_n}, {0.4, g_t},
                       {0.4, g_r}, {0.0, g_i},  {0.42, g_f}, {0.58, g_a}};
constexpr double kGap = 0.26;

void logo_path(cairo_t* cr, double size)
{
    double x = 0;
    for (const Glyph& g : kLogo) {
        cairo_save(cr);
        cairo_translate(cr, x * size, -size);
        cairo_scale(cr, size, size);
        cairo_new_sub_path(cr);
        g.path(cr);
        cairo_restore(cr);
        x += g.width + kGap;
    }
}

void star(cairo_t* cr, double x, double y, double r, Col c, double a = 1.0)
{
    fill(cr,
         poly({x, y - r, x + r * 0.25, y - r * 0.25, x + r, y, x + r * 0.25, y + r * 0.25, x, y + r, x - r * 0.25,
               y + r * 0.25, x - r, y, x - r * 0.25, y - r * 0.25}),
         c, a);
}

void draw_image(cairo_t* cr, const Image& img, double x, double y)
{
    // Sprites carry the key colour; paint only their visible pixels.
    Canvas cv(img.w, img.h);
    cairo_surface_flush(cv.surface);
    unsigned char* d = cairo_image_surface_get_data(cv.surface);
    int stride = cairo_image_surface_get_stride(cv.surface);
    for (int yy = 0; yy < img.h; ++yy)
        for (int xx = 0; xx < img.w; ++xx) {
            const std::uint8_t* p = img.at(xx, yy);
            auto* px = reinterpret_cast<std::uint32_t*>(d + static_cast<std::ptrdiff_t>(yy) * stride) + xx;
            *px = is_key(p) ? 0u : (0xFF000000u | (std::uint32_t(p[0]) << 16) | (std::uint32_t(p[1]) << 8) | p[2]);
        }
    cairo_surface_mark_dirty(cv.surface);
    cairo_set_source_surface(cr, cv.surface, x, y);
    cairo_paint(cr);
}

// A folding table with piles of games on it, front edge at y.
void sales_table(cairo_t* cr, double cx, double y, double w)
{
    fill(cr, ellipse(cx, y + 56, w * 0.6, 10), hex(0x000000), 0.3);
    rect(cr, cx - w / 2 + 10, y, 6, 56, hex(0x4A4A52));
    rect(cr, cx + w / 2 - 16, y, 6, 56, hex(0x4A4A52));
    fill(cr, poly({cx - w / 2 + 12, y - 24, cx + w / 2 - 12, y - 24, cx + w / 2, y, cx - w / 2, y}), hex(0x2E3E66));
    rect(cr, cx - w / 2, y, w, 16, hex(0x243256));
    rect(cr, cx - w / 2, y, w, 3, hex(0xC8A050));
    int n = 0;
    for (double x = cx - w / 2 + 24; x < cx + w / 2 - 30; x += 36, ++n) {
        Image box = game_box(1 + (n * 5) % 13);
        for (int k = 0; k < 1 + n % 3; ++k) draw_image(cr, box, x, y - 44 - 3 * k);
    }
}

void skyline(cairo_t* cr, Rng& rng, double base, double hmin, double hmax, Col body, Col lit, double lit_a)
{
    for (double x = -10; x < W; x += 0) {
        double w = rng.range(28, 60), h = rng.range(hmin, hmax);
        rect(cr, x, base - h, w, h, body);
        for (double wy = base - h + 6; wy < base - 6; wy += 10)
            for (double wx = x + 5; wx < x + w - 5; wx += 8)
                if (rng.below(4) == 0) rect(cr, wx, wy, 3, 4, lit, lit_a);
        x += w + rng.range(0, 6);
    }
}

Image to_image(Canvas& cv) { return from_surface(cv.surface); }

// A room wall with a window; used by the home pictures.
void room(cairo_t* cr, bool night)
{
    // a muted wallpaper, darker toward the ceiling where the status texts stand
    vgradient(cr, 0, 0, W, 440, night ? hex(0x1E2440) : hex(0x4E5A70), night ? hex(0x262C4C) : hex(0x8A8C94));
    for (double x = 0; x < W; x += 40) rect(cr, x, 0, 1.5, 440, night ? hex(0x2A3254) : hex(0x46526A), 0.7);
    vgradient(cr, 0, 440, W, 160, night ? hex(0x2A2430) : hex(0x9A7452), night ? hex(0x1A1620) : hex(0x7A5A3E));
    for (double y = 452; y < H; y += 26) rect(cr, 0, y, W, 1.5, night ? hex(0x14101A) : hex(0x6A4C34), 0.6);
}

} // namespace

double logo_width(double size)
{
    double x = 0;
    for (const Glyph& g : kLogo) x += g.width + kGap;
    return (x - kGap) * size + size * 0.3;
}

void paint_logo(cairo_t* cr, double x, double baseline, double size)
{
    cairo_save(cr);
    cairo_translate(cr, x + size * 0.12, baseline);
    cairo_matrix_t shear = {1, 0, -0.18, 1, 0, 0};
    cairo_transform(cr, &shear);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    const double stroke = size * 0.17;
    // drop shadow, ink outline, colour, highlight
    cairo_save(cr);
    cairo_translate(cr, size * 0.05, size * 0.06);
    cairo_new_path(cr);
    logo_path(cr, size);
    set(cr, hex(0x000000), 0.45);
    cairo_set_line_width(cr, stroke + size * 0.12);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
    logo_path(cr, size);
    set(cr, pal::ink);
    cairo_set_line_width(cr, stroke + size * 0.1);
    cairo_stroke(cr);
    cairo_new_path(cr);
    logo_path(cr, size);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, -size, 0, 0);
    cairo_pattern_add_color_stop_rgb(g, 0, 1.0, 0.93, 0.45);
    cairo_pattern_add_color_stop_rgb(g, 0.55, 1.0, 0.62, 0.2);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.9, 0.25, 0.3);
    cairo_set_source(cr, g);
    cairo_set_line_width(cr, stroke);
    cairo_stroke(cr);
    cairo_pattern_destroy(g);
    cairo_translate(cr, -stroke * 0.18, -stroke * 0.2);
    cairo_new_path(cr);
    logo_path(cr, size);
    set(cr, pal::white, 0.45);
    cairo_set_line_width(cr, stroke * 0.25);
    cairo_stroke(cr);
    cairo_restore(cr);
}

Image screen_title_bmp()
{
    // The start-up picture: the logo on a quiet night sky over a row of game boxes.
    Canvas cv(W, H, false);
    cairo_t* cr = cv.cr;
    vgradient(cr, 0, 0, W, H, hex(0x101430), hex(0x2A1E44));
    Rng rng(1);
    for (int i = 0; i < 140; ++i) {
        double r = rng.range(0.4, 1.4);
        fill(cr, ellipse(rng.range(0, W), rng.range(0, 420), r, r), pal::white, rng.range(0.3, 0.9));
    }
    radial_glow(cr, 400, 250, 300, hex(0x6A4AC0), 0.3);
    const double size = 110;
    paint_logo(cr, 400 - logo_width(size) / 2, 300, size);
    for (int i = 0; i < 13; ++i) draw_image(cr, game_box(i + 1), 400 - 13 * 19 + i * 38, 380);
    rect(cr, 140, 424, 520, 3, hex(0xC8A050), 0.8);
    // a small "click" arrow
    fill(cr, poly({392, 470, 408, 470, 400, 482}), hex(0xF8E8A0), 0.9);
    return to_image(cv);
}

Image screen_title()
{
    // Title: sunset over the town, the maker behind the table, the rivals in the sky, the logo.
    Canvas cv(W, H, false);
    cairo_t* cr = cv.cr;
    vgradient(cr, 0, 0, W, 380, hex(0x2A2456), hex(0xF29A5A));
    radial_glow(cr, 400, 360, 260, hex(0xFFD070), 0.55);
    fill(cr, ellipse(400, 372, 60, 60), hex(0xFFD88A));
    Rng rng(2);
    skyline(cr, rng, 380, 60, 170, hex(0x3A2A4E), hex(0xFFD87A), 0.6);
    skyline(cr, rng, 400, 30, 90, hex(0x2A1E3A), hex(0xFFC060), 0.5);
    vgradient(cr, 0, 400, W, 200, hex(0x3A3046), hex(0x1E1A26));
    draw_image(cr, robo03(), 590, 236);
    draw_image(cr, robo04(), 60, 250);
    paint_logo(cr, 400 - logo_width(120) / 2, 190, 120);
    paint_maker(cr, 400, 520, 190, false);
    sales_table(cr, 400, 500, 300);
    return to_image(cv);
}

Image screen_start()
{
    // Start menu: morning on the hill above the city; the maker sets off with a bag of games.
    Canvas cv(W, H, false);
    cairo_t* cr = cv.cr;
    vgradient(cr, 0, 0, W, 420, hex(0x3A5C9A), hex(0xF0C8A0));
    radial_glow(cr, 180, 330, 260, hex(0xFFE0A0), 0.6);
    Rng rng(3);
    skyline(cr, rng, 380, 40, 140, hex(0x7A7C9E), hex(0xFFF0C0), 0.5);
    rect(cr, 0, 380, W, 220, hex(0x6A7E9A));
    fill(cr, blob({-100, 640, -60, 430, 200, 380, 420, 420, 640, 520, 900, 640}), hex(0x5E8E5A));
    fill(cr, blob({-100, 660, -40, 470, 240, 430, 600, 560, 900, 660}), hex(0x4E7E4C));
    // the right side darkens a little under the menu buttons
    cairo_pattern_t* g = cairo_pattern_create_linear(520, 0, 800, 0);
    cairo_pattern_add_color_stop_rgba(g, 0, 0, 0, 0.05, 0);
    cairo_pattern_add_color_stop_rgba(g, 1, 0, 0, 0.05, 0.45);
    cairo_rectangle(cr, 520, 0, 280, H);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // the rivals far away over the city
    draw_image(cr, robo03(), 380, 120);
    draw_image(cr, robo02(), 470, 290);
    paint_maker(cr, 230, 470, 220, false);
    return to_image(cv);
}

Image screen_map()
{
    // Stage select: the six places on one island map, joined by a dotted route.
    Canvas cv(W, H, false);
    cairo_t* cr = cv.cr;
    vgradient(cr, 0, 0, W, H, hex(0x2E6E9E), hex(0x24587E));
    Rng rng(4);
    for (int i = 0; i < 90; ++i) rect(cr, rng.range(0, W), rng.range(0, H), rng.range(6, 16), 1.5, hex(0x8CC8E8), 0.35);
    // the island and the space corner
    fill(cr, blob({40, 300, 80, 140, 220, 90, 380, 130, 440, 260, 400, 430, 260, 500, 100, 470}), hex(0xE8D8A8));
    fill(cr, blob({56, 300, 92, 156, 220, 108, 366, 144, 422, 262, 386, 416, 258, 484, 110, 456}), hex(0x8CC07A));
    fill(cr, ellipse(90, 70, 80, 60), hex(0x0A0C20));
    for (int i = 0; i < 30; ++i) {
        double a = rng.range(0, 2 * M_PI), d = rng.range(0, 1);
        fill(cr, ellipse(90 + std::cos(a) * 70 * d, 70 + std::sin(a) * 50 * d, 0.9, 0.9), pal::white, 0.8);
    }
    struct Spot {
        double x, y;
    };
    const Spot s[6] = {{130, 400}, {200, 300}, {320, 380}, {380, 250}, {280, 170}, {110, 70}};
    // dotted route
    cairo_new_path(cr);
    for (const Spot& p : s) cairo_line_to(cr, p.x, p.y);
    double dash[2] = {2, 8};
    cairo_set_dash(cr, dash, 2, 0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    set(cr, hex(0xFFF4D0));
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    Pen pen(cr, 2);
    // 1 home: a little house
    pen.shape(rrect(s[0].x - 16, s[0].y - 14, 32, 22, 2), pal::cream, 2);
    pen.shape(poly({s[0].x - 22, s[0].y - 12, s[0].x, s[0].y - 32, s[0].x + 22, s[0].y - 12}), pal::red, 2);
    pen.flat(rrect(s[0].x - 4, s[0].y - 6, 8, 14, 1), pal::brown.lit);
    // 2 park: trees
    for (double dx : {-12.0, 10.0}) {
        pen.flat(rrect(s[1].x + dx - 2, s[1].y - 8, 4, 12, 1), pal::brown.lit);
        pen.shape(ellipse(s[1].x + dx, s[1].y - 16, 11, 11), pal::green, 2);
    }
    // 3 highway: a road sign
    pen.line({s[2].x - 40, s[2].y + 20, s[2].x + 40, s[2].y - 10}, 9, pal::dark.lit);
    pen.flat(rrect(s[2].x - 14, s[2].y - 30, 28, 18, 3), pal::green.shade);
    pen.flat(rrect(s[2].x - 1.5, s[2].y - 12, 3, 18, 1), pal::grey.lit);
    // 4 sea: a parasol on the beach
    pen.flat(ellipse(s[3].x + 20, s[3].y + 4, 30, 10), pal::sky.lit, false);
    pen.shape(
        [=](cairo_t* c) {
            cairo_new_sub_path(c);
            cairo_arc(c, s[3].x, s[3].y - 10, 16, M_PI, 2 * M_PI);
            cairo_close_path(c);
        },
        pal::red, 2);
    pen.line({s[3].x, s[3].y - 10, s[3].x, s[3].y + 8}, 2, pal::ink);
    // 5 Tokyo: dark towers and a red spire
    for (int i = 0; i < 4; ++i)
        pen.shape(rrect(s[4].x - 24 + i * 12, s[4].y - 18 - (i % 2) * 12, 10, 28 + (i % 2) * 12, 1), pal::purple, 1.5);
    pen.shape(poly({s[4].x + 26, s[4].y + 10, s[4].x + 32, s[4].y - 34, s[4].x + 38, s[4].y + 10}), pal::red, 1.5);
    // 6 space: a rocket
    pen.shape(blob({s[5].x - 8, s[5].y + 16, s[5].x - 8, s[5].y - 8, s[5].x, s[5].y - 24, s[5].x + 8, s[5].y - 8,
                    s[5].x + 8, s[5].y + 16}),
              pal::white_cloth, 2);
    pen.flat(ellipse(s[5].x, s[5].y - 4, 4, 4), pal::sky.lit);
    pen.shape(poly({s[5].x - 8, s[5].y + 4, s[5].x - 16, s[5].y + 20, s[5].x - 8, s[5].y + 16}), pal::red, 1);
    pen.shape(poly({s[5].x + 8, s[5].y + 4, s[5].x + 16, s[5].y + 20, s[5].x + 8, s[5].y + 16}), pal::red, 1);
    fill(cr, poly({s[5].x - 5, s[5].y + 18, s[5].x + 5, s[5].y + 18, s[5].x, s[5].y + 32}), hex(0xFFB040));
    // numbered flags at each place
    for (int i = 0; i < 6; ++i) {
        double fx = s[i].x + 22, fy = s[i].y - 30;
        pen.line({fx, fy, fx, fy + 26}, 2.2, pal::ink);
        pen.flat(poly({fx, fy, fx + 16, fy + 5, fx, fy + 10}), pal::yellow.lit);
        for (int d = 0; d <= i; ++d) {
            const int row = d / 3;
            fill(cr, ellipse(fx + 4 + (d % 3) * 3.5, fy + 3.5 + row * 3, 1.1, 1.1), pal::ink);
        }
    }
    // a compass rose in the lower left
    star(cr, 60, 540, 26, hex(0xF4E8C0), 0.85);
    star(cr, 60, 540, 12, hex(0xC84A40), 0.9);
    return to_image(cv);
}

Image screen_pc()
{
    // Home: the maker's cluttered desk, the PC glowing with a game in the making.
    Canvas cv(W, H, false);
    cairo_t* cr = cv.cr;
    room(cr, false);
    Rng rng(5);
    // window with the afternoon sky, posters on the wall
    rect(cr, 60, 150, 150, 120, hex(0xF4EEE0));
    vgradient(cr, 68, 158, 134, 104, hex(0x7CB8E8), hex(0xC8E4F4));
    rect(cr, 133, 158, 4, 104, hex(0xF4EEE0));
    fill(cr, ellipse(100, 190, 22, 8), pal::white, 0.8);
    rect(cr, 248, 140, 64, 86, hex(0x2E3E66));
    fill(cr, poly({262, 210, 280, 160, 298, 210}), hex(0xE8504A));
    star(cr, 280, 152, 8, hex(0xFFD84A));
    rect(cr, 330, 150, 70, 50, hex(0xF8D0E0));
    fill(cr, ellipse(365, 175, 14, 14), hex(0xE8504A), 0.8);
    // the desk
    rect(cr, 30, 380, 560, 20, hex(0xA87848));
    rect(cr, 30, 396, 560, 8, hex(0x7A5434));
    rect(cr, 50, 404, 16, 120, hex(0x6A4A30));
    rect(cr, 554, 404, 16, 120, hex(0x6A4A30));
    // monitor
    rect(cr, 196, 228, 236, 150, hex(0x30323C));
    rect(cr, 206, 238, 216, 128, hex(0x1A2A4A));
    radial_glow(cr, 314, 300, 180, hex(0x8AC8FF), 0.18);
    rect(cr, 212, 244, 60, 116, hex(0x24385E));
    for (int i = 0; i < 9; ++i)
        rect(cr, 216, 250 + i * 12, 30 + rng.range(0, 22), 5, i % 3 ? hex(0x7AB8E8) : hex(0xF0C060), 0.8);
    rect(cr, 280, 244, 136, 84, hex(0x5EA0D8));
    rect(cr, 280, 308, 136, 20, hex(0x6EBE62));
    fill(cr, ellipse(330, 298, 9, 10), hex(0xFFD84A));
    fill(cr, ellipse(380, 300, 12, 8), hex(0xE8504A));
    rect(cr, 280, 334, 136, 26, hex(0x24385E));
    for (int i = 0; i < 8; ++i) rect(cr, 284 + i * 16, 340, 12, 14, hex(0x3A5486));
    rect(cr, 296, 378, 36, 6, hex(0x30323C));
    // keyboard, mouse, a mug, cans and snack bags, papers, stacked game boxes
    fill(cr, poly({210, 386, 410, 386, 420, 398, 200, 398}), hex(0xDADCE2));
    for (double x = 214; x < 404; x += 10) rect(cr, x, 389, 7, 3, hex(0xA8AAB2));
    fill(cr, ellipse(450, 392, 10, 6), hex(0xDADCE2));
    for (int i = 0; i < 3; ++i) {
        double x = 470 + i * 18;
        rect(cr, x, 352 + (i == 1 ? 8 : 0), 12, 30 - (i == 1 ? 8 : 0), i == 2 ? hex(0x4A8AE0) : hex(0x6ECE62));
        rect(cr, x, 352 + (i == 1 ? 8 : 0), 12, 4, hex(0xC8CCD4));
    }
    fill(cr, poly({80, 386, 140, 378, 150, 392, 84, 398}), hex(0xF6F4EE));
    fill(cr, poly({90, 380, 150, 376, 154, 388, 92, 392}), hex(0xEAE6DA));
    rect(cr, 150, 346, 30, 34, hex(0xF0F0F0));
    rect(cr, 150, 346, 30, 8, hex(0xE8504A));
    for (int i = 0; i < 6; ++i) {
        const int column = i / 3;
        draw_image(cr, game_box(1 + (i * 3) % 13), 522 + column * 36, 344 - (i % 3) * 6);
    }
    // floor clutter
    rect(cr, 120, 490, 90, 60, hex(0xC8A070));
    rect(cr, 120, 490, 90, 10, hex(0xB08858));
    rect(cr, 240, 520, 70, 44, hex(0xC8A070));
    fill(cr, ellipse(420, 540, 40, 10), hex(0xF6F4EE), 0.8);
    return to_image(cv);
}

Image screen_sleep()
{
    // Night: moonlight through the window, the maker asleep on the futon.
    Canvas cv(W, H, false);
    cairo_t* cr = cv.cr;
    room(cr, true);
    rect(cr, 90, 110, 190, 150, hex(0x3A4060));
    vgradient(cr, 100, 120, 170, 130, hex(0x0C1030), hex(0x1E2A5A));
    Rng rng(6);
    for (int i = 0; i < 40; ++i)
        fill(cr, ellipse(rng.range(104, 266), rng.range(124, 246), 0.8, 0.8), pal::white, rng.range(0.4, 1));
    fill(cr, ellipse(220, 160, 22, 22), hex(0xF8F0C8));
    fill(cr, ellipse(230, 154, 20, 20), hex(0x141A40));
    rect(cr, 182, 120, 5, 130, hex(0x3A4060));
    // moonlight falling on the floor
    fill(cr, poly({100, 250, 270, 250, 440, 560, 160, 560}), hex(0xA0B0E0), 0.08);
    // the futon with the sleeper
    fill(cr, blob({230, 470, 660, 440, 720, 520, 250, 560}), hex(0x3A4E8A));
    fill(cr, blob({300, 440, 650, 410, 700, 490, 330, 520}), hex(0x5A70B0));
    fill(cr, blob({400, 444, 640, 420, 670, 470, 420, 490}), hex(0x6A82C4));
    fill(cr, ellipse(290, 470, 52, 22), hex(0xE8E8F0));
    fill(cr, ellipse(300, 446, 30, 26), hex(0xE9B8A0));
    fill(cr, ellipse(310, 432, 34, 20), hex(0x2A2436));
    Pen pen(cr, 2);
    pen.line({286, 450, 296, 452}, 2, pal::ink);
    pen.line({304, 452, 314, 450}, 2, pal::ink);
    // Z z z drawn as strokes
    double zx = 340, zy = 390;
    for (int i = 0; i < 3; ++i) {
        double s = 14 + i * 8;
        pen.line({zx, zy, zx + s, zy, zx, zy + s, zx + s, zy + s}, 3 + i, hex(0xC8D4FF));
        zx += s + 10;
        zy -= s + 14;
    }
    // the PC asleep on the desk with its standby light
    rect(cr, 560, 280, 200, 14, hex(0x4A3A3A));
    rect(cr, 600, 190, 120, 88, hex(0x1A1C24));
    rect(cr, 608, 198, 104, 70, hex(0x0A0C14));
    fill(cr, ellipse(706, 272, 2.5, 2.5), hex(0x60FF90));
    radial_glow(cr, 706, 272, 16, hex(0x60FF90), 0.4);
    return to_image(cv);
}

Image screen_clear()
{
    // Stage cleared: a burst of light, confetti, a trophy and coins.
    Canvas cv(W, H, false);
    cairo_t* cr = cv.cr;
    vgradient(cr, 0, 0, W, H, hex(0xF7B44A), hex(0xE8603A));
    for (int i = 0; i < 24; ++i) {
        double a0 = i * 2 * M_PI / 24, a1 = a0 + M_PI / 24;
        fill(cr,
             poly({400, 250, 400 + 900 * std::cos(a0), 250 + 900 * std::sin(a0), 400 + 900 * std::cos(a1),
                   250 + 900 * std::sin(a1)}),
             hex(0xFFE28A), 0.35);
    }
    radial_glow(cr, 400, 250, 220, hex(0xFFF6D0), 0.9);
    Rng rng(7);
    const Col conf[5] = {hex(0xE8504A), hex(0x4A8AE0), hex(0x6CC46A), hex(0xFF9EC4), hex(0xFFFFFF)};
    for (int i = 0; i < 120; ++i) {
        double x = rng.range(0, W), y = rng.range(0, 470);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, rng.range(0, M_PI));
        rect(cr, -4, -2, 8, 4, conf[rng.below(5)], 0.9);
        cairo_restore(cr);
    }
    Pen pen(cr, 4);
    // the trophy
    pen.shape(rrect(340, 380, 120, 34, 6), pal::brown, 5);
    pen.shape(rrect(380, 330, 40, 54, 4), pal::gold, 4);
    pen.shape(
        [](cairo_t* c) {
            cairo_new_sub_path(c);
            cairo_move_to(c, 320, 170);
            cairo_line_to(c, 480, 170);
            cairo_curve_to(c, 480, 280, 440, 330, 400, 334);
            cairo_curve_to(c, 360, 330, 320, 280, 320, 170);
            cairo_close_path(c);
        },
        pal::gold, 10);
    cairo_new_path(cr);
    cairo_arc(cr, 320, 220, 34, M_PI * 0.5, M_PI * 1.5);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, 480, 220, 34, M_PI * 0.5, M_PI * 1.5);
    set(cr, pal::ink);
    cairo_set_line_width(cr, 16);
    cairo_stroke_preserve(cr);
    set(cr, pal::gold.lit);
    cairo_set_line_width(cr, 9);
    cairo_stroke(cr);
    star(cr, 400, 238, 34, hex(0xFFF6C0));
    pen.gloss(350, 200, 10, 22, 0.5);
    for (int i = 0; i < 9; ++i) {
        double x = 180 + i * 55 + rng.range(-10, 10), y = 440 + rng.range(0, 30);
        pen.shape(ellipse(x, y, 16, 16), pal::gold, 3);
        pen.line({x - 4, y - 6, x, y, x + 4, y - 6}, 2.2, pal::brown.shade);
        pen.line({x, y, x, y + 8}, 2.2, pal::brown.shade);
        pen.line({x - 4, y + 2, x + 4, y + 2}, 1.6, pal::brown.shade);
        pen.line({x - 4, y + 5, x + 4, y + 5}, 1.6, pal::brown.shade);
    }
    return to_image(cv);
}

Image screen_gameover()
{
    // Time is up: a rainy night, the unsold games, a clock stopped at midnight.
    Canvas cv(W, H, false);
    cairo_t* cr = cv.cr;
    vgradient(cr, 0, 0, W, 420, hex(0x121626), hex(0x2A3046));
    Rng rng(8);
    skyline(cr, rng, 400, 60, 200, hex(0x1A1E2E), hex(0x8A8A6A), 0.4);
    vgradient(cr, 0, 400, W, 200, hex(0x24283A), hex(0x12141E));
    // the clock
    Pen pen(cr, 4);
    pen.shape(ellipse(400, 170, 96, 96), tone(0xD8D4C8, 0xA8A498), 8);
    fill(cr, ellipse(400, 170, 80, 80), hex(0xF0ECE0));
    for (int i = 0; i < 12; ++i) {
        double a = i * M_PI / 6;
        pen.line({400 + std::cos(a) * 66, 170 + std::sin(a) * 66, 400 + std::cos(a) * 74, 170 + std::sin(a) * 74},
                 i % 3 ? 3 : 6, pal::ink);
    }
    pen.line({400, 170, 400, 110}, 8, pal::ink);
    pen.line({400, 170, 400, 124}, 12, pal::ink);
    pen.line({400, 170, 400, 186}, 3, hex(0xC83A3A));
    fill(cr, ellipse(400, 170, 8, 8), hex(0xC83A3A));
    // the maker with the unsold games, and the rain
    paint_maker(cr, 560, 520, 150, false);
    sales_table(cr, 330, 500, 260);
    for (int i = 0; i < 260; ++i) {
        double x = rng.range(0, W + 60), y = rng.range(0, H);
        cairo_new_path(cr);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x - 6, y + 18);
        set(cr, hex(0x9AA8D0), 0.45);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    return to_image(cv);
}

} // namespace assetgen::art
