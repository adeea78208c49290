// The animal helpers: cartoon critters facing left, feet at the bottom.
#include "art/draw.h"
#include "art/sprites.h"

#include <cmath>

namespace assetgen::art {

Image usagi()
{
    // A rabbit made from an empty drink can: can body, ears cut from the lid.
    Canvas cv(60, 76);
    Pen pen(cv.cr, 1.4);
    cairo_t* cr = cv.cr;
    const double cx = 30, gy = 70;
    for (double s : {-1.0, 1.0}) {
        double ex = cx + s * 6 + 2;
        pen.shape(blob({ex - 4, gy - 40, ex - 6 + s * 2, gy - 56, ex - 2 + s * 3, gy - 66, ex + 3 + s * 3, gy - 58,
                        ex + 4, gy - 40}),
                  pal::metal, 1.5);
        fill(cr,
             blob({ex - 1.5, gy - 42, ex - 2 + s * 2, gy - 54, ex + s * 3, gy - 61, ex + 1.5 + s * 2, gy - 53, ex + 1.5,
                   gy - 42}),
             pal::pink.lit);
    }
    // the can
    pen.shape(rrect(cx - 12, gy - 44, 24, 40, 4), pal::metal, 3);
    pen.shape(rrect(cx - 12, gy - 32, 24, 18, 1), pal::red, 2.5);
    pen.line({cx - 11, gy - 23, cx - 4, gy - 27, cx + 3, gy - 20, cx + 11, gy - 24}, 2.2, pal::white);
    fill(cr, rrect(cx - 9, gy - 43, 4, 38, 2), pal::white, 0.5);
    pen.shape(ellipse(cx, gy - 44, 12, 3), pal::metal, 1);
    pen.flat(rrect(cx + 1, gy - 46, 6, 3, 1.5), pal::metal.shade, true); // pull tab
    // face (looking left)
    pen.eye(cx - 7, gy - 37, 1.8, 3);
    pen.eye(cx + 1, gy - 37, 1.8, 3);
    fill(cr, ellipse(cx - 3, gy - 33.5, 1.6, 1.1), pal::pink.shade);
    fill(cr, ellipse(cx - 9, gy - 34, 2, 1.1), pal::pink.lit, 0.7);
    fill(cr, ellipse(cx + 4, gy - 34, 2, 1.1), pal::pink.lit, 0.7);
    // feet and tail
    pen.shape(ellipse(cx + 13, gy - 12, 4, 4), pal::white_cloth, 1);
    pen.shape(ellipse(cx - 7, gy - 3, 6, 3), pal::metal, 1);
    pen.shape(ellipse(cx + 6, gy - 3, 6, 3), pal::metal, 1);
    return cut_sprite(cv.surface, true);
}

Image cat()
{
    // The stray cat boss: a big, scarred tabby with a leaf in its mouth.
    Canvas cv(80, 64);
    Pen pen(cv.cr, 1.5);
    cairo_t* cr = cv.cr;
    const double gy = 58;
    const Tone fur = tone(0xC9A27A, 0x96714E);
    // tail
    cairo_new_path(cr);
    cairo_move_to(cr, 58, gy - 16);
    cairo_curve_to(cr, 74, gy - 20, 72, gy - 40, 64, gy - 44);
    set(cr, pal::ink);
    cairo_set_line_width(cr, 8.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cairo_move_to(cr, 58, gy - 16);
    cairo_curve_to(cr, 74, gy - 20, 72, gy - 40, 64, gy - 44);
    set(cr, fur.lit);
    cairo_set_line_width(cr, 5.5);
    cairo_stroke(cr);
    // back legs, body, front legs
    pen.shape(ellipse(54, gy - 6, 6, 6), fur, 1.5);
    pen.shape(ellipse(40, gy - 18, 22, 15), fur, 3);
    for (double x : {38.0, 47.0, 56.0}) pen.line({x, gy - 30, x - 2, gy - 24}, 2.2, fur.shade);
    pen.shape(rrect(20, gy - 14, 8, 14, 4), fur, 1.5);
    pen.shape(rrect(31, gy - 12, 8, 12, 4), fur, 1.5);
    // head
    pen.shape(poly({8, gy - 38, 9, gy - 54, 20, gy - 44}), fur, 1.5);
    pen.shape(poly({26, gy - 44, 35, gy - 55, 36, gy - 38}), fur, 1.5);
    fill(cr, poly({11, gy - 42, 11.5, gy - 50, 17, gy - 44}), pal::pink.shade);
    pen.shape(ellipse(21, gy - 32, 16, 13), fur, 3);
    pen.line({17, gy - 44, 16, gy - 39}, 2, fur.shade);
    pen.line({23, gy - 45, 23, gy - 40}, 2, fur.shade);
    pen.shape(ellipse(16, gy - 26, 8, 5.5), pal::cream, 1);
    // half-shut tough eyes and a scar
    pen.eye(12, gy - 33, 2, 2.4);
    pen.line({8.5, gy - 35.5, 15, gy - 35}, 1.6, pal::ink);
    pen.line({23, gy - 34, 28, gy - 34}, 1.8, pal::ink);
    pen.line({22, gy - 39, 29, gy - 29}, 1.4, hex(0xB04040));
    pen.line({23.5, gy - 35.5, 27, gy - 34.5}, 1.0, hex(0xB04040));
    fill(cr, ellipse(13, gy - 28, 1.6, 1.2), pal::pink.shade);
    pen.line({10, gy - 24, 13, gy - 23, 16, gy - 24}, 1.1, pal::ink);
    // whiskers
    pen.line({8, gy - 27, 0.5, gy - 29}, 0.9, pal::ink);
    pen.line({8, gy - 25, 1, gy - 24}, 0.9, pal::ink);
    // a leaf in the mouth
    pen.shape(blob({13, gy - 23, 4, gy - 21, 1, gy - 16, 8, gy - 18}), pal::green, 1);
    return cut_sprite(cv.surface, true);
}

Image bird()
{
    Canvas cv(40, 36);
    Pen pen(cv.cr, 1.2);
    cairo_t* cr = cv.cr;
    const double gy = 31;
    pen.line({20, gy - 4, 19, gy}, 1.4, pal::orange.shade);
    pen.line({25, gy - 4, 26, gy}, 1.4, pal::orange.shade);
    pen.shape(blob({28, gy - 16, 36, gy - 18, 34, gy - 12, 30, gy - 8}), pal::sky, 1); // tail
    pen.shape(ellipse(22, gy - 13, 11, 10), pal::yellow, 2.5);
    pen.shape(ellipse(24, gy - 9, 7, 5), pal::cream, 1.0, false);
    pen.shape(blob({20, gy - 15, 30, gy - 17, 32, gy - 10, 24, gy - 9}), pal::sky, 1.2);
    pen.shape(poly({12, gy - 16, 6, gy - 13.5, 12, gy - 11}), pal::orange, 0.8);
    pen.eye(16, gy - 16, 1.6, 2.2);
    fill(cr, ellipse(17, gy - 11.5, 2, 1.1), pal::red.lit, 0.5);
    pen.shape(blob({20, gy - 23, 23, gy - 28, 26, gy - 24}), pal::yellow, 0.8); // crest
    return cut_sprite(cv.surface, true);
}

Image dog()
{
    // A friendly shiba-like dog with a red collar, tongue out.
    Canvas cv(76, 64);
    Pen pen(cv.cr, 1.5);
    cairo_t* cr = cv.cr;
    const double gy = 58;
    const Tone fur = tone(0xE29A52, 0xB06C34);
    pen.shape(ellipse(62, gy - 30, 7, 7), fur, 1.5); // curled tail
    fill(cr, ellipse(61, gy - 31, 3, 3), pal::cream.lit);
    pen.shape(rrect(50, gy - 14, 8, 14, 4), fur, 1.5);
    pen.shape(ellipse(43, gy - 22, 20, 12), fur, 3);
    pen.shape(ellipse(40, gy - 17, 13, 6), pal::cream, 1, false);
    pen.shape(rrect(26, gy - 14, 8, 14, 4), fur, 1.5);
    pen.shape(rrect(36, gy - 12, 8, 12, 4), fur, 1.5);
    // head
    pen.shape(poly({12, gy - 42, 13, gy - 56, 22, gy - 46}), fur, 1.5);
    pen.shape(poly({25, gy - 47, 33, gy - 56, 35, gy - 41}), fur, 1.5);
    fill(cr, poly({15, gy - 45, 15.5, gy - 52, 20, gy - 47}), pal::pink.shade);
    pen.shape(ellipse(23, gy - 36, 15, 13), fur, 3);
    pen.shape(ellipse(15, gy - 30, 9, 7), pal::cream, 1);
    pen.shape(rrect(14, gy - 25, 16, 4, 2), pal::red, 1);
    fill(cr, ellipse(22, gy - 21, 2.5, 2.5), pal::gold.lit);
    pen.eye(14, gy - 38, 2, 2.8);
    pen.eye(25, gy - 38, 2, 2.8);
    fill(cr, ellipse(8.5, gy - 33, 3, 2.2), pal::ink);
    pen.shape(blob({11, gy - 28, 8, gy - 27, 8, gy - 23, 11, gy - 24}), pal::pink, 0.6);
    pen.line({8, gy - 30, 11, gy - 28, 15, gy - 29}, 1.1, pal::ink);
    fill(cr, ellipse(29, gy - 32, 2.2, 1.3), pal::red.lit, 0.5);
    return cut_sprite(cv.surface, true);
}

Image tako()
{
    // An octopus in a twisted headband, walking on its arms.
    Canvas cv(70, 70);
    Pen pen(cv.cr, 1.5);
    cairo_t* cr = cv.cr;
    const double cx = 34, gy = 64;
    const Tone body = tone(0xF0605A, 0xBE3C44);
    const double tx[5] = {-18, -9, 0, 9, 18};
    for (int i = 4; i >= 0; --i) {
        double x = cx + tx[i];
        double curl = (i % 2 == 0) ? -1 : 1;
        pen.tube({cx + tx[i] * 0.5, gy - 22, x, gy - 10, x + curl * 4, gy - 4, x + curl * 1, gy - 1}, 6,
                 i % 2 ? body.shade : body.lit);
        fill(cr, ellipse(x + curl * 2.5, gy - 6, 1.2, 1.2), pal::cream.lit);
    }
    pen.shape(blob({cx - 20, gy - 22, cx - 20, gy - 50, cx, gy - 60, cx + 20, gy - 50, cx + 20, gy - 22, cx, gy - 16}),
              body, 3);
    pen.gloss(cx - 8, gy - 48, 5, 3, 0.5);
    // headband
    pen.shape(rrect(cx - 20, gy - 45, 40, 6, 3), pal::white_cloth, 1.5);
    pen.shape(blob({cx + 17, gy - 44, cx + 27, gy - 50, cx + 26, gy - 42, cx + 18, gy - 40}), pal::white_cloth, 1);
    for (double x = cx - 16; x < cx + 18; x += 6) pen.line({x, gy - 44, x + 3, gy - 40}, 1, pal::grey.lit);
    pen.eye(cx - 11, gy - 33, 2.2, 3.4);
    pen.eye(cx - 1, gy - 33, 2.2, 3.4);
    pen.shape(ellipse(cx - 14, gy - 24, 5, 4), body, 1);
    fill(cr, ellipse(cx - 15, gy - 24, 2, 1.8), body.shade);
    fill(cr, ellipse(cx + 6, gy - 27, 3, 1.6), pal::red.lit, 0.5);
    return cut_sprite(cv.surface, true);
}

Image kuma()
{
    // A round bear standing upright, wearing a scarf.
    Canvas cv(80, 90);
    Pen pen(cv.cr, 1.5);
    cairo_t* cr = cv.cr;
    const double cx = 40, gy = 84;
    const Tone fur = tone(0x9A6540, 0x6E452A);
    pen.shape(ellipse(cx + 9, gy - 5, 9, 5), fur, 1.5);
    pen.shape(ellipse(cx - 9, gy - 5, 9, 5), fur, 1.5);
    pen.shape(ellipse(cx + 16, gy - 28, 6, 10), fur, 1.5);
    pen.shape(ellipse(cx, gy - 24, 18, 19), fur, 3);
    pen.shape(ellipse(cx - 2, gy - 21, 11, 12), pal::cream, 2);
    pen.shape(ellipse(cx - 16, gy - 27, 6, 10), fur, 1.5);
    // head
    pen.shape(ellipse(cx - 13, gy - 70, 6.5, 6.5), fur, 1.5);
    pen.shape(ellipse(cx + 14, gy - 70, 6.5, 6.5), fur, 1.5);
    fill(cr, ellipse(cx - 13, gy - 70, 3.2, 3.2), pal::cream.shade);
    fill(cr, ellipse(cx + 14, gy - 70, 3.2, 3.2), pal::cream.shade);
    pen.shape(ellipse(cx, gy - 56, 19, 17), fur, 3);
    pen.shape(ellipse(cx - 6, gy - 50, 8, 6), pal::cream, 1);
    fill(cr, ellipse(cx - 8, gy - 53, 3, 2.2), pal::ink);
    pen.line({cx - 8, gy - 51, cx - 8, gy - 48, cx - 5, gy - 47}, 1.1, pal::ink);
    pen.eye(cx - 12, gy - 59, 2.2, 3);
    pen.eye(cx + 3, gy - 59, 2.2, 3);
    fill(cr, ellipse(cx + 8, gy - 51, 3, 1.6), pal::red.lit, 0.45);
    // scarf
    pen.shape(rrect(cx - 15, gy - 42, 30, 7, 3.5), pal::teal, 1.5);
    pen.shape(rrect(cx + 6, gy - 38, 7, 14, 2), pal::teal, 1.5);
    pen.line({cx + 7, gy - 27, cx + 12, gy - 27}, 1.2, pal::yellow.lit);
    return cut_sprite(cv.surface, true);
}

} // namespace assetgen::art
