// The six street backgrounds (800 x 600, the whole screen) and the desk strip. Scenery has no ink
// outlines and less contrast than the figures; a road crosses at the back (y 140..220), customers
// walk on the open ground in front (y 260..390), and the sky in the upper left stays calm for the
// status texts. Below y 390 the desk covers the street while selling; when a stage ends the street
// shows whole, so its ground goes on to the lower edge.
#include "art/draw.h"
#include "art/scenes.h"

#include "common/rng.h"

#include <cmath>

namespace assetgen::art {
namespace {

constexpr int W = 800, H = 600;
// The ground's shading runs from the road down to here and stays even below it.
constexpr int kShadeEnd = 480;

void rect(cairo_t* cr, double x, double y, double w, double h, Col c, double a = 1.0)
{
    cairo_new_path(cr);
    cairo_rectangle(cr, x, y, w, h);
    set(cr, c, a);
    cairo_fill(cr);
}

void cloud(cairo_t* cr, double x, double y, double s, double a)
{
    fill(cr, ellipse(x, y, 34 * s, 12 * s), pal::white, a);
    fill(cr, ellipse(x - 16 * s, y - 6 * s, 16 * s, 12 * s), pal::white, a);
    fill(cr, ellipse(x + 10 * s, y - 10 * s, 20 * s, 15 * s), pal::white, a);
}

// A Japanese house seen from the street: wall, tiled roof, windows, lit from the top-left.
void house(cairo_t* cr, double x, double base, double w, double h, Col wall, Col roof)
{
    rect(cr, x, base - h, w, h, wall);
    rect(cr, x + w - 8, base - h, 8, h, mix(wall, hex(0x000000), 0.12));
    fill(cr, poly({x - 10, base - h + 2, x + w * 0.5, base - h - h * 0.45, x + w + 10, base - h + 2}), roof);
    fill(cr, poly({x + w * 0.5, base - h - h * 0.45, x + w + 10, base - h + 2, x + w * 0.5, base - h + 2}),
         mix(roof, hex(0x000000), 0.15));
    for (double wx = x + 10; wx + 18 < x + w - 6; wx += 30) {
        rect(cr, wx, base - h + 12, 18, 16, hex(0x8FB4C8));
        rect(cr, wx, base - h + 12, 18, 3, hex(0x6E8898));
        rect(cr, wx + 8, base - h + 12, 2, 16, mix(wall, hex(0xFFFFFF), 0.3));
    }
}

void tree(cairo_t* cr, double x, double base, double s, Col leaf)
{
    rect(cr, x - 3 * s, base - 26 * s, 6 * s, 26 * s, hex(0x7A5A42));
    fill(cr, ellipse(x, base - 38 * s, 20 * s, 18 * s), leaf);
    fill(cr, ellipse(x - 12 * s, base - 30 * s, 13 * s, 11 * s), leaf);
    fill(cr, ellipse(x + 12 * s, base - 29 * s, 14 * s, 11 * s), mix(leaf, hex(0x000000), 0.12));
    fill(cr, ellipse(x - 6 * s, base - 46 * s, 9 * s, 6 * s), mix(leaf, hex(0xFFFFFF), 0.18));
}

// The road at the back: asphalt with edge and centre lines.
void road(cairo_t* cr, double y0, double y1, Col asphalt, Col line, bool dashes)
{
    rect(cr, 0, y0, W, y1 - y0, asphalt);
    rect(cr, 0, y0, W, 3, mix(asphalt, hex(0x000000), 0.2));
    rect(cr, 0, y0 + 6, W, 2, line, 0.85);
    rect(cr, 0, y1 - 8, W, 2, line, 0.85);
    if (dashes)
        for (double x = 10; x < W; x += 60) rect(cr, x, (y0 + y1) / 2 - 1.5, 30, 3, line, 0.85);
}

// The ground in front, from y0 to the lower edge: shaded from top to bottom down to kShadeEnd.
void ground(cairo_t* cr, double y0, Col top, Col bottom)
{
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y0, 0, kShadeEnd);
    cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(g, 1, bottom.r, bottom.g, bottom.b);
    cairo_pattern_set_extend(g, CAIRO_EXTEND_PAD);
    cairo_rectangle(cr, 0, y0, W, H - y0);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// Paving tiles in perspective: rows get taller toward the front.
void paving(cairo_t* cr, double y0, Col a, Col b, Col joint)
{
    ground(cr, y0, a, b);
    double y = y0, hgt = 10;
    int row = 0;
    while (y < H) {
        rect(cr, 0, y, W, 1.2, joint, 0.5);
        double tw = hgt * 3.2;
        for (double x = (row % 2) * tw / 2 - tw; x < W; x += tw) rect(cr, x, y, 1.2, hgt, joint, 0.5);
        y += hgt;
        hgt *= 1.12;
        ++row;
    }
}

void utility_pole(cairo_t* cr, double x, double base)
{
    rect(cr, x - 4, 20, 8, base - 20, hex(0x9A9488));
    rect(cr, x + 1, 20, 3, base - 20, hex(0x7E786E));
    rect(cr, x - 16, 34, 32, 4, hex(0x7E786E));
    fill(cr, ellipse(x - 12, 32, 3, 3), hex(0xE8E4DA));
    fill(cr, ellipse(x + 12, 32, 3, 3), hex(0xE8E4DA));
}

// Limits what follows to the front rows, below the street the desk leaves open while selling.
void front_rows(cairo_t* cr)
{
    cairo_reset_clip(cr);
    cairo_rectangle(cr, 0, kShadeEnd, W, H - kShadeEnd);
    cairo_clip(cr);
}

// Darkens the upper left a little so the white status texts read on any scenery.
Image finish(Canvas& cv, double strength = 0.55)
{
    cairo_t* cr = cv.cr;
    cairo_pattern_t* g = cairo_pattern_create_radial(0, 0, 40, 0, 0, 420);
    cairo_pattern_add_color_stop_rgba(g, 0, 0.02, 0.03, 0.08, strength);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.02, 0.03, 0.08, 0);
    cairo_matrix_t m;
    cairo_matrix_init_scale(&m, 1.0, 2.6); // wider than tall: the status lines run to the right
    cairo_pattern_set_matrix(g, &m);
    cairo_reset_clip(cr);
    cairo_rectangle(cr, 0, 0, W, kShadeEnd); // it fades out long before
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    return from_surface(cv.surface);
}

} // namespace

Image stage_map01()
{
    Canvas cv(W, H, false);
    cairo_t* cr = cv.cr;
    vgradient(cr, 0, 0, W, 150, hex(0x4A7DB8), hex(0xA8D2EC));
    cloud(cr, 560, 40, 1.2, 0.75);
    cloud(cr, 720, 70, 0.8, 0.6);
    // houses and block walls behind the road
    Rng rng(101);
    const Col walls[4] = {hex(0xE8DCC4), hex(0xD4C8B4), hex(0xF0E6D2), hex(0xC8D0D4)};
    const Col roofs[4] = {hex(0x5A6478), hex(0x8A4A3E), hex(0x4E6A5E), hex(0x6A5A7A)};
    for (int i = 0; i < 7; ++i) {
        double x = -20 + i * 122 + rng.range(0, 16);
        house(cr, x, 130, 96 + rng.range(0, 14), 50 + rng.range(0, 20), walls[i % 4], roofs[(i * 3) % 4]);
    }
    tree(cr, 420, 132, 0.9, hex(0x6FA868));
    rect(cr, 0, 116, W, 22, hex(0xB8B2A6));
    for (double x = 0; x < W; x += 24) rect(cr, x, 116, 1.2, 22, hex(0x9E988C));
    rect(cr, 0, 126, W, 1.2, hex(0x9E988C));
    utility_pole(cr, 250, 140);
    utility_pole(cr, 650, 140);
    cairo_new_path(cr);
    cairo_move_to(cr, 0, 40);
    cairo_curve_to(cr, 120, 52, 180, 52, 238, 32);
    cairo_curve_to(cr, 400, 56, 500, 56, 638, 32);
    cairo_curve_to(cr, 720, 50, 760, 50, 800, 44);
    set(cr, hex(0x3A3A44), 0.7);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    road(cr, 138, 224, hex(0x6C6E76), hex(0xF0F0E8), true);
    rect(cr, 0, 224, W, 10, hex(0xC2BCB0));
    rect(cr, 0, 232, W, 3, hex(0x9A948A));
    paving(cr, 235, hex(0xC9BFAE), hex(0xD8CDB8), hex(0x9E9482));
    // a vending machine and a mailbox at the sides of the pavement
    rect(cr, 706, 188, 50, 74, hex(0xD8484A));
    rect(cr, 712, 196, 38, 26, hex(0xE8F0F4));
    for (int i = 0; i < 4; ++i) rect(cr, 715 + i * 9, 200, 6, 18, i % 2 ? hex(0x5EA0D8) : hex(0xF0B040));
    rect(cr, 714, 240, 34, 8, hex(0x3A3A44));
    rect(cr, 748, 188, 8, 74, hex(0xB0383C));
    fill(cr, ellipse(731, 264, 32, 5), hex(0x000000), 0.18);
    rect(cr, 40, 214, 22, 40, hex(0xD04438));
    rect(cr, 38, 208, 26, 8, hex(0xB83830));
    rect(cr, 44, 222, 14, 3, hex(0x3A2A2A));
    fill(cr, ellipse(51, 255, 16, 3), hex(0x000000), 0.18);
    // in front: a manhole cover and a gutter grate set in the paving
    front_rows(cr);
    fill(cr, ellipse(560, 548, 70, 20), hex(0x7E786C));
    fill(cr, ellipse(560, 546, 64, 17), hex(0x9A9284));
    for (double r : {46.0, 28.0}) {
        cairo_new_path(cr);
        cairo_save(cr);
        cairo_translate(cr, 560, 546);
        cairo_scale(cr, 1, 17.0 / 64.0);
        cairo_arc(cr, 0, 0, r, 0, 2 * M_PI);
        cairo_restore(cr);
        set(cr, hex(0x7E786C), 0.9);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    rect(cr, 150, 510, 90, 26, hex(0x5E5A52));
    for (double x = 156; x < 236; x += 10) rect(cr, x, 514, 5, 18, hex(0x2E2C2A));
    Rng front(201);
    for (int i = 0; i < 10; ++i) // a few fallen leaves
        fill(cr, ellipse(front.range(20, 780), front.range(490, 592), 4, 2), i % 2 ? hex(0xC08A40) : hex(0x9A7A3A),
             0.8);
    return finish(cv);
}

Image stage_map02()
{
    Canvas cv(W, H, false);
    cairo_t* cr = cv.cr;
    vgradient(cr, 0, 0, W, 150, hex(0x5A8CC4), hex(0xB8DCEE));
    cloud(cr, 620, 44, 1.3, 0.7);
    // far tree line and hills
    fill(cr, blob({-40, 140, 100, 70, 300, 96, 480, 64, 700, 90, 860, 70, 860, 140}), hex(0x9CC49A));
    Rng rng(102);
    for (int i = 0; i < 16; ++i)
        tree(cr, 10 + i * 52 + rng.range(-8, 8), 142, 1.0 + rng.range(0, 0.4), i % 3 ? hex(0x5E9E5E) : hex(0x6EAE62));
    // lamps and benches behind the path
    for (double x : {180.0, 520.0}) {
        rect(cr, x - 2, 80, 4, 62, hex(0x4E5660));
        fill(cr, ellipse(x, 80, 8, 6), hex(0xF8F0C8));
    }
    rect(cr, 300, 124, 60, 6, hex(0xA8744A));
    rect(cr, 300, 114, 60, 4, hex(0xA8744A));
    rect(cr, 304, 130, 4, 10, hex(0x5A4A3A));
    rect(cr, 352, 130, 4, 10, hex(0x5A4A3A));
    // the park path
    vgradient(cr, 0, 138, W, 86, hex(0xD6C29A), hex(0xE2D0A8));
    rect(cr, 0, 138, W, 3, hex(0xB8A27A));
    for (int i = 0; i < 120; ++i) fill(cr, ellipse(rng.range(0, W), rng.range(145, 222), 1.5, 1), hex(0xB8A27A), 0.6);
    // lawn with a round gravel plaza
    ground(cr, 224, hex(0x86BE72), hex(0x9ACC80));
    rect(cr, 0, 224, W, 4, hex(0x6EA05E));
    fill(cr, ellipse(400, 360, 520, 118), hex(0xD8CCB0));
    fill(cr, ellipse(400, 360, 500, 110), hex(0xE4D8BC));
    for (int i = 0; i < 200; ++i) fill(cr, ellipse(rng.range(0, W), rng.range(232, 470), 1.2, 0.8), hex(0xB8AC92), 0.5);
    // flowerbeds at the sides
    for (double x : {40.0, 760.0}) {
        fill(cr, ellipse(x, 262, 56, 18), hex(0x5E9A52));
        for (int i = 0; i < 14; ++i)
            fill(cr, ellipse(x + rng.range(-44, 44), 262 + rng.range(-10, 10), 3, 3),
                 i % 3 == 0   ? hex(0xF08AA8)
                 : i % 3 == 1 ? hex(0xF8E070)
                              : hex(0xFFFFFF));
    }
    // in front: the lawn goes on, with tufts of grass, clover and a few flowers
    front_rows(cr);
    Rng front(202);
    for (int i = 0; i < 90; ++i) {
        const double x = front.range(0, W), y = front.range(486, 598);
        cairo_new_path(cr);
        cairo_move_to(cr, x - 4, y);
        cairo_line_to(cr, x - 6, y - 7);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x, y - 9);
        cairo_move_to(cr, x + 4, y);
        cairo_line_to(cr, x + 7, y - 6);
        set(cr, hex(0x5E9A52), 0.8);
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
    }
    for (int i = 0; i < 24; ++i)
        fill(cr, ellipse(front.range(0, W), front.range(488, 596), 3, 3),
             i % 3 == 0   ? hex(0xF08AA8)
             : i % 3 == 1 ? hex(0xF8E070)
                          : hex(0xFFFFFF));
    return finish(cv);
}

Image stage_uriba()
{
    Canvas cv(W, H, false);
    cairo_t* cr = cv.cr;
    vgradient(cr, 0, 0, W, 140, hex(0x5282BC), hex(0xC4DDEA));
    cloud(cr, 640, 36, 1.1, 0.7);
    fill(cr, blob({-60, 130, 120, 60, 260, 100, 420, 50, 600, 96, 760, 60, 900, 130}), hex(0x8AA4B8));
    fill(cr, blob({-60, 130, 80, 100, 300, 112, 520, 92, 700, 110, 900, 130}), hex(0x7E9A88));
    // roadside shop roof far right, overhead sign on the right
    rect(cr, 560, 92, 200, 40, hex(0xE8E0D0));
    rect(cr, 552, 86, 216, 10, hex(0xC0504A));
    rect(cr, 600, 104, 50, 22, hex(0x8FB4C8));
    rect(cr, 670, 104, 50, 22, hex(0x8FB4C8));
    rect(cr, 440, 30, 6, 104, hex(0x8A9098));
    rect(cr, 446, 34, 110, 36, hex(0x3E8A5E));
    rect(cr, 450, 38, 102, 28, hex(0x3E8A5E));
    rect(cr, 456, 44, 40, 4, hex(0xF0F0F0), 0.8);
    rect(cr, 456, 54, 70, 4, hex(0xF0F0F0), 0.8);
    fill(cr, poly({532, 48, 546, 52, 532, 56}), hex(0xF0F0F0), 0.8);
    // guardrail, four lanes, guardrail
    rect(cr, 0, 128, W, 8, hex(0xE4E6E8));
    for (double x = 8; x < W; x += 40) rect(cr, x, 128, 3, 12, hex(0xA0A4AA));
    road(cr, 138, 226, hex(0x64666E), hex(0xF4F4EC), false);
    for (double x = 0; x < W; x += 56) {
        rect(cr, x, 159, 28, 2.5, hex(0xF4F4EC), 0.8);
        rect(cr, x + 20, 203, 28, 2.5, hex(0xF4F4EC), 0.8);
    }
    rect(cr, 0, 180.5, W, 2, hex(0xF0C040));
    rect(cr, 0, 184, W, 2, hex(0xF0C040));
    rect(cr, 0, 226, W, 8, hex(0xD8DCE0));
    for (double x = 20; x < W; x += 80) rect(cr, x, 226, 3, 14, hex(0x9EA2A8));
    // the lot where the table stands: worn asphalt with parking lines and shop flags
    ground(cr, 234, hex(0x8C8A86), hex(0x9C9890));
    Rng rng(103);
    for (int i = 0; i < 160; ++i) fill(cr, ellipse(rng.range(0, W), rng.range(240, 470), 2, 1), hex(0x7A7874), 0.5);
    for (double x = -40; x < W; x += 140) {
        fill(cr, poly({x, 252, x + 10, 252, x - 20, 470, x - 30, 470}), hex(0xECEAE2), 0.7);
    }
    for (double x : {60.0, 120.0, 690.0, 750.0}) {
        fill(cr, ellipse(x + 2, 300, 10, 3), hex(0x000000), 0.2);
        rect(cr, x, 206, 3, 94, hex(0x8A8A8A));
        rect(cr, x + 3, 210, 20, 66, x < 400 ? hex(0xE8C040) : hex(0xD85048));
        rect(cr, x + 8, 220, 10, 42, hex(0xFFFFFF), 0.5);
    }
    // in front: the parking lines and the worn asphalt go on, with an oil stain
    cairo_reset_clip(cr);
    for (double x = -40; x < W; x += 140) { // each line as it leaves off at y 470, on to the edge
        const double shift = 30.0 * (H - 470) / 218.0;
        fill(cr, poly({x - 30, 470, x - 20, 470, x - 20 - shift, H, x - 30 - shift, H}), hex(0xECEAE2), 0.7);
    }
    front_rows(cr);
    Rng front(203);
    for (int i = 0; i < 70; ++i) fill(cr, ellipse(front.range(0, W), front.range(484, 598), 2, 1), hex(0x7A7874), 0.5);
    fill(cr, ellipse(610, 552, 46, 12), hex(0x4A4846), 0.45);
    fill(cr, ellipse(628, 556, 22, 6), hex(0x3A3836), 0.4);
    return finish(cv);
}

Image stage_sea()
{
    Canvas cv(W, H, false);
    cairo_t* cr = cv.cr;
    vgradient(cr, 0, 0, W, 100, hex(0x3E84C4), hex(0xAEDCF2));
    cloud(cr, 600, 50, 1.4, 0.75);
    cloud(cr, 760, 30, 0.8, 0.6);
    // the sea with an island and a lighthouse
    vgradient(cr, 0, 96, W, 44, hex(0x3E9ACC), hex(0x5CB4D8));
    fill(cr, blob({610, 98, 640, 82, 690, 80, 720, 98}), hex(0x6E9A7A));
    rect(cr, 680, 68, 8, 30, hex(0xF4F0E8));
    rect(cr, 680, 76, 8, 6, hex(0xD04A44));
    Rng rng(104);
    for (int i = 0; i < 50; ++i)
        rect(cr, rng.range(0, W), rng.range(100, 136), rng.range(6, 18), 1.5, hex(0xE8F6FC), 0.7);
    // the coastal road with its railing
    rect(cr, 0, 130, W, 10, hex(0xE0DCD0));
    for (double x = 0; x < W; x += 30) rect(cr, x, 120, 3, 18, hex(0xF4F4F4));
    rect(cr, 0, 120, W, 3, hex(0xF4F4F4));
    road(cr, 140, 220, hex(0x787A80), hex(0xF4F4EC), true);
    rect(cr, 0, 220, W, 10, hex(0xCEC8B8));
    // the beach
    ground(cr, 230, hex(0xEAD8A8), hex(0xF2E2B8));
    for (int i = 0; i < 260; ++i) fill(cr, ellipse(rng.range(0, W), rng.range(236, 475), 1.2, 0.8), hex(0xC8B486), 0.6);
    for (int i = 0; i < 8; ++i) {
        double x = rng.range(20, 780), y = rng.range(250, 470);
        fill(cr, ellipse(x, y, 4, 3), i % 2 ? hex(0xF8D8D0) : hex(0xFFFFFF));
    }
    // a parasol on the right, a starfish on the left
    fill(cr, ellipse(740, 300, 40, 6), hex(0x000000), 0.12);
    rect(cr, 736, 228, 4, 72, hex(0xE8E8E8));
    for (int i = 0; i < 6; ++i) {
        double a0 = M_PI + i * M_PI / 6, a1 = a0 + M_PI / 6;
        fill(cr,
             poly({738, 228, 738 + 56 * std::cos(a0), 238 + 24 * std::sin(a0), 738 + 56 * std::cos(a1),
                   238 + 24 * std::sin(a1)}),
             i % 2 ? hex(0xF4F4F0) : hex(0xE86A5A));
    }
    fill(cr, poly({60, 300, 64, 308, 73, 309, 66, 314, 69, 323, 60, 317, 52, 323, 54, 314, 47, 309, 56, 308}),
         hex(0xF0946A));
    // in front: more beach, with shells and a line of footprints
    front_rows(cr);
    Rng front(204);
    for (int i = 0; i < 130; ++i)
        fill(cr, ellipse(front.range(0, W), front.range(484, 598), 1.2, 0.8), hex(0xC8B486), 0.6);
    for (int i = 0; i < 6; ++i) {
        const double x = front.range(20, 780), y = front.range(490, 594);
        fill(cr, ellipse(x, y, 4, 3), i % 2 ? hex(0xF8D8D0) : hex(0xFFFFFF));
    }
    for (int step = 0; step < 9; ++step) {
        const double x = 120 + step * 60, y = 590 - step * 12 + (step % 2 ? 8 : 0);
        fill(cr, ellipse(x, y, 7, 4), hex(0xD2BE8E), 0.8);
    }
    return finish(cv);
}

Image stage_city()
{
    Canvas cv(W, H, false);
    cairo_t* cr = cv.cr;
    // a demonic night: dark violet sky, a huge red moon on the right
    vgradient(cr, 0, 0, W, 150, hex(0x140C24), hex(0x5A1A48));
    radial_glow(cr, 640, 60, 150, hex(0xE03050), 0.35);
    fill(cr, ellipse(640, 60, 46, 46), hex(0xD8484E));
    fill(cr, ellipse(628, 50, 10, 8), hex(0xB83640), 0.8);
    fill(cr, ellipse(656, 74, 7, 5), hex(0xB83640), 0.8);
    Rng rng(105);
    // skyline with neon windows and a red tower
    for (int i = 0; i < 22; ++i) {
        double x = i * 38 + rng.range(-6, 6), w = 30 + rng.range(0, 16), h = 40 + rng.range(0, 70);
        if (x < 300) h *= 0.7;
        Col b = i % 2 ? hex(0x241834) : hex(0x2E1E40);
        rect(cr, x, 140 - h, w, h, b);
        for (double wy = 146 - h; wy < 134; wy += 9)
            for (double wx = x + 4; wx < x + w - 4; wx += 7)
                if (rng.below(3) == 0) rect(cr, wx, wy, 3, 4, rng.below(2) ? hex(0x5AE8F0) : hex(0xF060C0), 0.7);
    }
    fill(cr, poly({450, 140, 476, 10, 502, 140}), hex(0xB03040));
    for (double y = 30; y < 140; y += 22) rect(cr, 476 - (y - 10) * 0.2, y, (y - 10) * 0.4, 3, hex(0xF07060));
    fill(cr, ellipse(476, 10, 3, 3), hex(0xFFE060));
    // the elevated expressway with glowing rails
    rect(cr, 0, 136, W, 88, hex(0x3A3248));
    rect(cr, 0, 136, W, 5, hex(0xF060C0), 0.8);
    rect(cr, 0, 220, W, 5, hex(0x5AE8F0), 0.8);
    for (double x = 0; x < W; x += 60) rect(cr, x + 10, 178, 30, 3, hex(0xE8D8F0), 0.7);
    // the street: wet asphalt with neon reflections
    ground(cr, 225, hex(0x40365A), hex(0x4E4268));
    for (int i = 0; i < 30; ++i) {
        double x = rng.range(0, W), y = rng.range(240, 470);
        rect(cr, x, y, rng.range(10, 40), 2, rng.below(2) ? hex(0x5AE8F0) : hex(0xF060C0), 0.25);
    }
    for (double x = -60; x < W + 60; x += 110)
        fill(cr, poly({x, 235, x + 6, 235, x - 30, 470, x - 36, 470}), hex(0x524668), 0.6);
    // neon signs at the sides
    rect(cr, 6, 196, 40, 56, hex(0x1A1228));
    rect(cr, 10, 200, 32, 48, hex(0xF060C0), 0.25);
    for (double y = 206; y < 244; y += 12) rect(cr, 16, y, 20, 4, hex(0xF7A0E0));
    rect(cr, 752, 186, 40, 66, hex(0x1A1228));
    rect(cr, 756, 190, 32, 58, hex(0x5AE8F0), 0.25);
    for (double y = 196; y < 240; y += 14) rect(cr, 762, y, 20, 5, hex(0xA0F8FF));
    // in front: the wet street goes on, with its lines and a puddle full of neon
    cairo_reset_clip(cr);
    for (double x = -60; x < W + 60; x += 110) { // each line as it leaves off at y 470, on to the edge
        const double shift = 36.0 * (H - 470) / 235.0;
        fill(cr, poly({x - 36, 470, x - 30, 470, x - 30 - shift, H, x - 36 - shift, H}), hex(0x524668), 0.6);
    }
    front_rows(cr);
    Rng front(205);
    for (int i = 0; i < 16; ++i) {
        const double x = front.range(0, W), y = front.range(484, 596);
        rect(cr, x, y, front.range(10, 40), 2, front.below(2) ? hex(0x5AE8F0) : hex(0xF060C0), 0.25);
    }
    fill(cr, ellipse(250, 552, 90, 18), hex(0x2E2646), 0.8);
    rect(cr, 200, 546, 50, 3, hex(0xF060C0), 0.45);
    rect(cr, 262, 556, 44, 3, hex(0x5AE8F0), 0.45);
    return finish(cv);
}

Image stage_space()
{
    Canvas cv(W, H, false);
    cairo_t* cr = cv.cr;
    vgradient(cr, 0, 0, W, 230, hex(0x060818), hex(0x1A1640));
    Rng rng(106);
    radial_glow(cr, 560, 80, 200, hex(0x6A3AA0), 0.35);
    radial_glow(cr, 700, 150, 140, hex(0x2A70A0), 0.3);
    for (int i = 0; i < 260; ++i) {
        double x = rng.range(0, W), y = rng.range(0, 236), r = rng.range(0.4, 1.3);
        fill(cr, ellipse(x, y, r, r), hex(0xFFFFFF), rng.range(0.3, 0.9));
    }
    // a ringed planet and the Earth far away
    fill(cr, ellipse(660, 70, 44, 44), hex(0xD89A6A));
    fill(cr, ellipse(672, 82, 40, 40), hex(0xB8784E), 0.6);
    cairo_save(cr);
    cairo_translate(cr, 660, 70);
    cairo_rotate(cr, -0.3);
    cairo_scale(cr, 1, 0.25);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, 74, 0, 2 * M_PI);
    cairo_restore(cr);
    set(cr, hex(0xE8D0A8), 0.75);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    fill(cr, ellipse(430, 40, 14, 14), hex(0x4A8AD8));
    fill(cr, blob({424, 32, 432, 30, 436, 40, 428, 46}), hex(0x6EBE72));
    // the space road: a glowing lane of light
    vgradient(cr, 0, 140, W, 82, hex(0x24305A), hex(0x2A3866));
    rect(cr, 0, 140, W, 3, hex(0x7AE8FF), 0.9);
    rect(cr, 0, 219, W, 3, hex(0x7AE8FF), 0.9);
    for (double x = 0; x < W; x += 50) rect(cr, x + 10, 179, 26, 3, hex(0xB8F4FF), 0.8);
    // moon ground with craters
    ground(cr, 222, hex(0x8E8CA0), hex(0xA2A0B2));
    rect(cr, 0, 222, W, 6, hex(0x6E6C82));
    for (int i = 0; i < 18; ++i) {
        double x = rng.range(0, W), y = rng.range(244, 470), r = rng.range(8, 26);
        fill(cr, ellipse(x, y, r, r * 0.32), hex(0x787690));
        fill(cr, ellipse(x + r * 0.1, y + r * 0.06, r * 0.85, r * 0.24), hex(0x8A889E));
    }
    // a small flag on the left, an antenna tower on the right
    rect(cr, 60, 200, 3, 60, hex(0xD0D0D8));
    rect(cr, 63, 200, 26, 16, hex(0xE8504A));
    fill(cr, ellipse(76, 208, 4, 4), hex(0xFFFFFF));
    rect(cr, 748, 170, 6, 92, hex(0xB0B0C0));
    fill(cr, ellipse(751, 170, 12, 5), hex(0xD0D0E0));
    fill(cr, ellipse(751, 166, 3, 3), hex(0xFF5050));
    // in front: more moon ground, with craters and rocks
    front_rows(cr);
    Rng front(206);
    for (int i = 0; i < 7; ++i) {
        const double x = front.range(0, W), y = front.range(500, 590), r = front.range(12, 34);
        fill(cr, ellipse(x, y, r, r * 0.32), hex(0x787690));
        fill(cr, ellipse(x + r * 0.1, y + r * 0.06, r * 0.85, r * 0.24), hex(0x8A889E));
    }
    for (int i = 0; i < 10; ++i) {
        const double x = front.range(0, W), y = front.range(488, 596);
        fill(cr, ellipse(x, y, 5, 3), hex(0x6E6C82));
        fill(cr, ellipse(x - 1, y - 1, 3, 1.6), hex(0xB4B2C4));
    }
    return finish(cv);
}

Image desk()
{
    // The seller's foreground: dark pavement and the folding table with its cloth in the middle.
    Canvas cv(W, 210, false);
    cairo_t* cr = cv.cr;
    vgradient(cr, 0, 0, W, 210, hex(0x2E2C34), hex(0x17161C));
    for (double y = 14; y < 210; y += 22) rect(cr, 0, y, W, 1, hex(0x3A3842), 0.6);
    for (double x = 0; x < W; x += 64) rect(cr, x, 0, 1, 210, hex(0x3A3842), 0.4);
    // table shadow and legs
    fill(cr, ellipse(400, 186, 118, 14), hex(0x000000), 0.45);
    rect(cr, 318, 160, 6, 30, hex(0x5A5A62));
    rect(cr, 476, 160, 6, 30, hex(0x5A5A62));
    // the table top with a dark blue cloth and a gold hem
    fill(cr, poly({322, 0, 478, 0, 494, 162, 306, 162}), hex(0x263456));
    fill(cr, poly({322, 0, 330, 0, 316, 162, 306, 162}), hex(0x303F66));
    fill(cr, poly({470, 0, 478, 0, 494, 162, 484, 162}), hex(0x1C2744));
    for (double y = 20; y < 160; y += 35) rect(cr, 324 - y * 0.1, y, 152 + y * 0.2, 1, hex(0x32426A), 0.7);
    rect(cr, 304, 160, 192, 12, hex(0x1C2744));
    rect(cr, 304, 160, 192, 2.5, hex(0xC8A050));
    rect(cr, 304, 170, 192, 2, hex(0x8A6E38));
    // a hand-drawn price card leaning on the front edge and a cash tin
    fill(cr, poly({452, 138, 482, 136, 484, 156, 454, 158}), hex(0xE8E0C8));
    rect(cr, 458, 144, 16, 2, hex(0xC04040));
    rect(cr, 458, 149, 20, 2, hex(0x404040));
    return from_surface(cv.surface);
}

} // namespace assetgen::art
