// Game boxes for the sales table and the mail icon.
#include "art/draw.h"
#include "art/sprites.h"

#include <cmath>

namespace assetgen::art {
namespace {

struct Cover {
    Tone box;
    Col band;
};

// Box art, drawn into the 22 x 22 picture field whose top-left is (x, y).
void cover_art(Pen& pen, int number, double x, double y)
{
    cairo_t* cr = pen.cr();
    const double cx = x + 11, cy = y + 11;
    switch (number) {
    case 1: // mini game: a rolling ball with bounce marks
        fill(cr, rrect(x, y + 16, 22, 5, 2), hex(0x7ED67A));
        pen.shape(ellipse(cx, cy - 1, 7, 7), pal::yellow, 2);
        pen.line({cx - 7, cy - 1, cx + 7, cy - 1}, 1.2, pal::red.lit);
        pen.eye(cx - 3, cy - 2, 1.1, 1.6);
        pen.eye(cx + 1.5, cy - 2, 1.1, 1.6);
        pen.line({x + 1, y + 4, x + 3, y + 2}, 1.2, pal::white);
        pen.line({x + 19, y + 4, x + 21, y + 2}, 1.2, pal::white);
        break;
    case 2: // shooting: a fighter over a star field
        fill(cr, rrect(x, y, 22, 22, 2), hex(0x141C40));
        for (auto [sx, sy] : {std::pair{3.0, 4.0}, std::pair{18.0, 6.0}, std::pair{6.0, 16.0}, std::pair{16.0, 18.0},
                              std::pair{11.0, 2.0}})
            fill(cr, ellipse(x + sx, y + sy, 0.8, 0.8), pal::white);
        pen.flat(poly({cx, y + 3, cx + 7, y + 17, cx, y + 14, cx - 7, y + 17}), pal::metal.lit);
        fill(cr, ellipse(cx, y + 9, 1.6, 2.4), hex(0x6FD0FF));
        fill(cr, poly({cx - 2, y + 15, cx + 2, y + 15, cx, y + 21}), pal::orange.lit);
        break;
    case 3: // bakery (lakeside): a loaf and a croissant
        fill(cr, rrect(x, y + 15, 22, 7, 2), hex(0x6FB8E8));
        pen.shape(blob({x + 2, y + 14, x + 4, y + 5, x + 12, y + 3, x + 15, y + 8, x + 14, y + 15}), pal::orange, 1.5);
        pen.line({x + 6, y + 7, x + 8, y + 10}, 1.0, pal::cream.lit);
        pen.line({x + 9, y + 5.5, x + 11, y + 8.5}, 1.0, pal::cream.lit);
        pen.shape(blob({x + 12, y + 17, x + 15, y + 11, x + 21, y + 11, x + 21, y + 18}), pal::gold, 1);
        break;
    case 4: // dress-up: a ball gown
        pen.shape(poly({cx - 3, y + 3, cx + 3, y + 3, cx + 2, y + 10, cx + 9, y + 21, cx - 9, y + 21, cx - 2, y + 10}),
                  pal::purple, 2);
        pen.line({cx - 7, y + 18, cx + 7, y + 18}, 1.2, pal::white);
        fill(cr, ellipse(cx, y + 10, 2, 1.2), pal::yellow.lit);
        for (auto [sx, sy] : {std::pair{3.0, 5.0}, std::pair{19.0, 8.0}})
            fill(cr, ellipse(x + sx, y + sy, 1, 1), pal::white);
        break;
    case 5: { // romance: a heart with a crown
        auto heart = [=](cairo_t* c) {
            cairo_new_sub_path(c);
            cairo_move_to(c, cx, y + 21);
            cairo_curve_to(c, cx - 12, y + 13, cx - 8, y + 4, cx, y + 9);
            cairo_curve_to(c, cx + 8, y + 4, cx + 12, y + 13, cx, y + 21);
            cairo_close_path(c);
        };
        pen.shape(heart, pal::red, 1.5);
        pen.gloss(cx - 4, y + 10, 1.8, 1.2, 0.7);
        pen.flat(poly({cx - 5, y + 6, cx - 5, y + 1, cx - 2.5, y + 3.5, cx, y, cx + 2.5, y + 3.5, cx + 5, y + 1, cx + 5,
                       y + 6}),
                 pal::gold.lit);
        break;
    }
    case 6: // RPG: a sword and a crown of ash
        pen.tube({x + 4, y + 20, x + 18, y + 4}, 2.6, pal::metal.lit);
        pen.line({x + 5, y + 13, x + 11, y + 19}, 2.8, pal::gold.shade);
        pen.flat(poly({x + 8, y + 9, x + 8, y + 3, x + 11, y + 6, x + 13, y + 1, x + 15, y + 6, x + 18, y + 3, x + 18,
                       y + 9}),
                 pal::grey.lit);
        break;
    case 7: // fighting: a fist with an impact burst
        fill(cr, poly({cx, y,      cx + 4, y + 7,  cx + 11, y + 5,  cx + 7, y + 11, cx + 11, y + 18, cx + 3, y + 15,
                       cx, y + 22, cx - 3, y + 15, cx - 11, y + 18, cx - 7, y + 11, cx - 11, y + 5,  cx - 4, y + 7}),
             pal::yellow.lit);
        pen.shape(rrect(cx - 6, cy - 5, 12, 10, 3), pal::skin, 1.5);
        for (double k = -3; k <= 3; k += 3) pen.line({cx + k, cy - 4, cx + k, cy - 1}, 1.0, pal::ink);
        break;
    case 8: // FPS: a crosshair over a target
        fill(cr, ellipse(cx, cy, 9, 9), hex(0xC6D8B0));
        cairo_new_path(cr);
        cairo_arc(cr, cx, cy, 7, 0, 2 * M_PI);
        set(cr, hex(0xD02A2A));
        cairo_set_line_width(cr, 1.8);
        cairo_stroke(cr);
        pen.line({cx, y + 1, cx, y + 8}, 1.8, hex(0xD02A2A));
        pen.line({cx, y + 14, cx, y + 21}, 1.8, hex(0xD02A2A));
        pen.line({x + 1, cy, x + 8, cy}, 1.8, hex(0xD02A2A));
        pen.line({x + 14, cy, x + 21, cy}, 1.8, hex(0xD02A2A));
        fill(cr, ellipse(cx, cy, 1.5, 1.5), hex(0xD02A2A));
        break;
    case 9: // online: a mossy globe under a cloud
        pen.shape(ellipse(cx, cy + 3, 8, 8), pal::sky, 2);
        fill(cr, blob({cx - 6, cy + 1, cx - 1, cy - 2, cx + 2, cy + 4, cx - 3, cy + 9}), pal::green.lit);
        fill(cr, blob({cx + 3, cy - 2, cx + 7, cy, cx + 5, cy + 5}), pal::green.lit);
        pen.flat(blob({x + 2, y + 7, x + 5, y + 1, x + 11, y + 2, x + 16, y + 0, x + 21, y + 4, x + 19, y + 8}),
                 pal::white);
        break;
    case 10: // dungeon: a stone arch with a torch-lit doorway
        pen.flat(rrect(x + 2, y + 2, 18, 20, 8), pal::grey.lit);
        for (double yy = y + 6; yy < y + 22; yy += 4) pen.line({x + 3, yy, x + 19, yy}, 0.8, pal::grey.shade);
        pen.flat(rrect(x + 6, y + 7, 10, 15, 5), hex(0x1A1020));
        fill(cr, ellipse(cx, y + 17, 3, 4), hex(0xFFB040));
        break;
    case 11: // smartphone game: a phone with an old man fishing at a lake
        pen.flat(rrect(cx - 7, y + 1, 14, 21, 3), pal::ink);
        fill(cr, rrect(cx - 5.5, y + 3, 11, 16, 1), hex(0x8ED8F8));
        fill(cr, rrect(cx - 5.5, y + 14, 11, 5, 0.5), hex(0x3A86C8));
        pen.line({cx - 3, y + 12, cx + 4, y + 5, cx + 4, y + 14}, 0.9, pal::ink);
        fill(cr, ellipse(cx - 3, y + 11, 1.6, 1.6), pal::white);
        break;
    case 12: // analogue game: a chikuwa ninja on a game board
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                if ((i + j) % 2) fill(cr, rrect(x + 1 + i * 5, y + 1 + j * 5, 5, 5, 0), hex(0xE8D4A8));
        pen.shape(rrect(cx - 5, y + 5, 10, 15, 4), tone(0xE8B070, 0xB87C48), 1.5);
        fill(cr, ellipse(cx, y + 5.5, 3, 1.5), hex(0x7A4A2A));
        pen.flat(rrect(cx - 5.5, y + 9, 11, 3.5, 1), pal::navy.lit);
        fill(cr, ellipse(cx - 2, y + 10.7, 0.9, 0.9), pal::white);
        fill(cr, ellipse(cx + 1.5, y + 10.7, 0.9, 0.9), pal::white);
        break;
    case 13: // the forbidden game: a staring eye in chains
        fill(cr, ellipse(cx, cy, 11, 11), hex(0x5A1A6A), 0.8);
        pen.flat(blob({x + 1, cy, cx, cy - 7, x + 21, cy, cx, cy + 7}), hex(0xF2E8D0));
        fill(cr, ellipse(cx, cy, 4, 4), hex(0xC01830));
        fill(cr, ellipse(cx, cy, 1.5, 3), pal::ink);
        pen.line({x, y + 2, x + 22, y + 20}, 1.6, pal::grey.lit);
        pen.line({x + 22, y + 2, x, y + 20}, 1.6, pal::grey.lit);
        break;
    default: break;
    }
}

const Cover kCovers[14] = {
    {pal::white_cloth, hex(0)},
    {tone(0xFF8FB8, 0xD0668E), hex(0xD0668E)}, // 1 mini game
    {pal::navy, hex(0xE04848)},                // 2 shooting
    {tone(0xBFE2F8, 0x86B4D4), hex(0xD8883A)}, // 3 bakery
    {tone(0xFFD0E6, 0xD898B8), hex(0x9A6AD2)}, // 4 dress-up
    {tone(0xFFE6EE, 0xE0AAC0), hex(0xE8504A)}, // 5 romance
    {tone(0x5A5A6E, 0x3C3C4C), hex(0xFFCA40)}, // 6 RPG
    {tone(0xE8504A, 0xB0363A), hex(0x2B2233)}, // 7 fighting
    {tone(0x6E7A4E, 0x4C5634), hex(0xE8C040)}, // 8 FPS
    {tone(0x6CC4A0, 0x3E8E72), hex(0xFFFFFF)}, // 9 online
    {tone(0x5A4A3A, 0x3C3026), hex(0xFF9A3A)}, // 10 dungeon
    {tone(0x7CC8F2, 0x4E98C8), hex(0xFFD84A)}, // 11 smartphone
    {tone(0xC89A60, 0x94703E), hex(0x34467C)}, // 12 analogue
    {tone(0x26182E, 0x140C18), hex(0xA01830)}, // 13 forbidden
};

} // namespace

void paint_game_box(cairo_t* cr, int number)
{
    Pen pen(cr, 1.2);
    const Cover& c = kCovers[number >= 1 && number <= 13 ? number : 0];
    // side and top faces give the box its depth (light from the top-left)
    pen.flat(poly({28.5, 5.5, 31.2, 3.2, 31.2, 35.2, 28.5, 37.2}), c.box.shade);
    pen.flat(poly({3, 5.5, 5.5, 3, 31.2, 3, 28.5, 5.5}), mix(c.box.lit, pal::white, 0.45));
    cairo_new_path(cr);
    rrect(3, 5.5, 25.5, 31.7, 1.5)(cr);
    set(cr, c.box.lit);
    cairo_fill(cr);
    // title band with a pretend title line
    fill(cr, rrect(3, 5.5, 25.5, 7, 1), c.band);
    fill(cr, rrect(6, 8, 14, 1.6, 0.8), pal::white, 0.85);
    fill(cr, rrect(21.5, 8, 4, 1.6, 0.8), pal::white, 0.85);
    cairo_save(cr);
    cairo_translate(cr, 4.75, 14.2);
    cairo_scale(cr, 22.0 / 22.0, 21.5 / 22.0);
    cover_art(pen, number, 0, 0);
    cairo_restore(cr);
    pen.outline(rrect(3, 5.5, 25.5, 31.7, 1.5));
    fill(cr, rrect(4.5, 14, 1.4, 20, 0.7), pal::white, 0.35);
}

Image game_box(int number)
{
    Canvas cv(34, 40);
    paint_game_box(cv.cr, number);
    return cut_sprite(cv.surface, true);
}

Image mail()
{
    Canvas cv(40, 40);
    Pen pen(cv.cr, 1.6);
    cairo_t* cr = cv.cr;
    pen.shape(rrect(4, 9, 32, 23, 2.5), tone(0xFBF6E8, 0xD8CCB0), 2);
    pen.shape(poly({4.8, 31.2, 16, 20, 24, 20, 35.2, 31.2}), tone(0xF2EAD6, 0xD8CCB0), 1, false);
    pen.line({5, 31, 16.5, 20.5}, 1.2, pal::ink);
    pen.line({35, 31, 23.5, 20.5}, 1.2, pal::ink);
    pen.shape(poly({4.5, 9.5, 20, 23, 35.5, 9.5}), tone(0xFFFFFF, 0xE4DAC4), 1.5);
    // a red heart seal on the flap
    pen.shape(
        [](cairo_t* c) {
            cairo_new_sub_path(c);
            cairo_move_to(c, 20, 26.5);
            cairo_curve_to(c, 13.5, 22, 15.5, 15.5, 20, 18.5);
            cairo_curve_to(c, 24.5, 15.5, 26.5, 22, 20, 26.5);
            cairo_close_path(c);
        },
        pal::red, 1.2);
    pen.gloss(18, 19.8, 1.3, 0.9, 0.8);
    fill(cr, rrect(28, 12, 5, 6, 0.5), pal::sky.lit);
    return cut_sprite(cv.surface, false);
}

} // namespace assetgen::art
