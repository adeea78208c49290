// The hazards: cartoon machines and disasters that run over the customers.
#include "art/draw.h"
#include "art/sprites.h"

#include "common/rng.h"

#include <cmath>

namespace assetgen::art {
namespace {

// A spiky burst outline around (cx, cy).
PathFn burst(double cx, double cy, double rx, double ry, int points, double inner, double phase)
{
    return [=](cairo_t* cr) {
        cairo_new_sub_path(cr);
        for (int i = 0; i < points * 2; ++i) {
            double a = phase + M_PI * i / points;
            double k = (i % 2 == 0) ? 1.0 : inner;
            cairo_line_to(cr, cx + std::cos(a) * rx * k, cy + std::sin(a) * ry * k);
        }
        cairo_close_path(cr);
    };
}

void wheel(Pen& pen, double x, double y, double r)
{
    pen.shape(ellipse(x, y, r, r), pal::bomb, 2);
    pen.shape(ellipse(x, y, r * 0.55, r * 0.55), pal::metal, 1.5);
    for (int i = 0; i < 5; ++i) {
        double a = i * 2 * M_PI / 5;
        pen.line({x, y, x + std::cos(a) * r * 0.45, y + std::sin(a) * r * 0.45}, 1.2, pal::metal.shade);
    }
    fill(pen.cr(), ellipse(x, y, r * 0.15, r * 0.15), pal::red.lit);
}

// One tongue of flame pointing up, tip at (x, top), base width w at y base.
PathFn tongue(double x, double base, double top, double w, double lean)
{
    return [=](cairo_t* cr) {
        cairo_new_sub_path(cr);
        cairo_move_to(cr, x - w / 2, base);
        cairo_curve_to(cr, x - w / 2 - w * 0.2, base - (base - top) * 0.5, x + lean - w * 0.15,
                       top + (base - top) * 0.3, x + lean, top);
        cairo_curve_to(cr, x + lean + w * 0.1, top + (base - top) * 0.35, x + w / 2 + w * 0.25,
                       base - (base - top) * 0.45, x + w / 2, base);
        cairo_close_path(cr);
    };
}

} // namespace

Image robo01()
{
    // A robot dog: steel body, red visor, piston legs, warning stripes.
    Canvas cv(84, 66);
    Pen pen(cv.cr, 1.5);
    cairo_t* cr = cv.cr;
    const double gy = 60;
    pen.line({66, gy - 30, 76, gy - 42}, 2.6, pal::ink);
    pen.line({66, gy - 30, 76, gy - 42}, 1.2, pal::metal.lit);
    fill(cr, ellipse(76.5, gy - 43, 2.5, 2.5), pal::red.lit);
    for (double x : {58.0, 30.0}) {
        pen.tube({x + 3, gy - 20, x + 5, gy - 4}, 5, pal::dark.shade);
        pen.shape(rrect(x, gy - 5, 11, 5, 2), pal::dark, 1);
    }
    pen.shape(rrect(24, gy - 36, 46, 20, 7), pal::metal, 3);
    cairo_save(cr);
    cairo_new_path(cr);
    rrect(24, gy - 36, 46, 20, 7)(cr);
    cairo_clip(cr);
    for (double x = 34; x < 70; x += 8)
        fill(cr, poly({x, gy - 16, x + 4, gy - 16, x - 2, gy - 24, x - 6, gy - 24}), pal::yellow.lit);
    cairo_restore(cr);
    pen.outline(rrect(24, gy - 36, 46, 20, 7));
    fill(cr, ellipse(40, gy - 31, 3, 1.5), pal::white, 0.6);
    for (double x : {50.0, 22.0}) {
        pen.tube({x + 3, gy - 20, x + 4, gy - 4}, 5, pal::dark.lit);
        pen.shape(rrect(x - 1, gy - 5, 11, 5, 2), pal::dark, 1);
    }
    // head
    pen.shape(poly({20, gy - 54, 26, gy - 62, 29, gy - 50}), pal::dark, 1);
    pen.shape(rrect(4, gy - 52, 30, 22, 6), pal::metal, 3);
    pen.shape(rrect(2, gy - 40, 14, 10, 3), pal::metal, 1.5);
    pen.flat(rrect(6, gy - 48, 18, 6, 3), hex(0x3A1020));
    fill(cr, rrect(8, gy - 47, 8, 4, 2), hex(0xFF3B3B));
    fill(cr, ellipse(10, gy - 46.3, 2, 1), pal::white, 0.9);
    for (double x = 4; x <= 14; x += 3.5) pen.line({x, gy - 32, x, gy - 35}, 1.2, pal::ink);
    fill(cr, ellipse(2.5, gy - 38, 1.8, 1.5), pal::ink);
    return cut_sprite(cv.surface, true);
}

Image robo02()
{
    // The big game company's killer robot car: a black-and-red monster truck with angry headlights.
    Canvas cv(170, 90);
    Pen pen(cv.cr, 1.8);
    cairo_t* cr = cv.cr;
    const double gy = 84;
    const Tone body = tone(0xD8303A, 0x8E1E2A);
    // exhaust pipes and spoiler at the back
    pen.shape(rrect(140, gy - 66, 8, 22, 2), pal::metal, 1.5);
    pen.shape(poly({128, gy - 58, 160, gy - 66, 162, gy - 58, 134, gy - 50}), pal::bomb, 1.5);
    // body
    pen.shape(blob({8,   gy - 30, 10,  gy - 46, 40,  gy - 52, 62,  gy - 74, 112, gy - 74,
                    132, gy - 52, 160, gy - 50, 162, gy - 26, 150, gy - 18, 20,  gy - 18}),
              body, 4);
    // windows
    pen.flat(blob({66, gy - 70, 86, gy - 70, 86, gy - 52, 54, gy - 52}), hex(0x1E2438));
    pen.flat(blob({92, gy - 70, 110, gy - 70, 124, gy - 52, 92, gy - 52}), hex(0x1E2438));
    fill(cr, poly({70, gy - 68, 76, gy - 68, 66, gy - 54, 60, gy - 54}), pal::white, 0.35);
    // glowing angry eyes behind the windscreen
    fill(cr, poly({64, gy - 62, 78, gy - 58, 76, gy - 55, 63, gy - 57}), hex(0xFF3030));
    fill(cr, poly({96, gy - 58, 110, gy - 62, 112, gy - 57, 98, gy - 55}), hex(0xFF3030));
    // stripe and company emblem: a gold crown
    pen.line({14, gy - 36, 156, gy - 36}, 5, pal::bomb.lit);
    pen.line({14, gy - 36, 156, gy - 36}, 1.6, pal::gold.lit);
    pen.shape(ellipse(100, gy - 36, 11, 11), pal::gold, 2);
    pen.flat(poly({93, gy - 31, 92, gy - 41, 96, gy - 37, 100, gy - 43, 104, gy - 37, 108, gy - 41, 107, gy - 31}),
             pal::red.lit);
    // angry headlights and grille teeth
    pen.flat(poly({10, gy - 44, 30, gy - 46, 28, gy - 38, 12, gy - 38}), hex(0xFFF27A));
    pen.line({10, gy - 48, 32, gy - 44}, 2.4, pal::ink);
    pen.flat(rrect(4, gy - 32, 26, 12, 3), pal::metal.lit);
    for (double x = 7; x < 29; x += 5) fill(cr, poly({x, gy - 32, x + 4, gy - 32, x + 2, gy - 26}), pal::ink);
    fill(cr, ellipse(40, gy - 58, 10, 2.5), pal::white, 0.3);
    // wheels
    wheel(pen, 38, gy - 16, 15);
    wheel(pen, 130, gy - 16, 15);
    return cut_sprite(cv.surface, true);
}

Image robo03()
{
    // The smartphone upstart's gaudy plane: gold fuselage, pink stripes, a phone-screen cockpit.
    Canvas cv(170, 80);
    Pen pen(cv.cr, 1.8);
    cairo_t* cr = cv.cr;
    const double cy = 44;
    // far wing
    pen.shape(poly({84, cy - 6, 110, cy - 34, 122, cy - 34, 108, cy - 4}), pal::pink, 2);
    // tail
    pen.shape(poly({136, cy - 4, 150, cy - 36, 164, cy - 36, 160, cy - 2}), pal::pink, 2);
    pen.shape(ellipse(155, cy - 27, 5, 5), pal::gold, 1);
    // fuselage
    pen.shape(
        blob({6, cy + 2, 12, cy - 12, 60, cy - 16, 150, cy - 10, 164, cy - 2, 150, cy + 10, 60, cy + 14, 14, cy + 12}),
        pal::gold, 4);
    pen.line({20, cy + 3, 150, cy + 3}, 3.2, pal::pink.lit);
    pen.line({24, cy + 8, 146, cy + 7}, 1.4, pal::pink.shade);
    // phone-screen cockpit
    pen.flat(rrect(18, cy - 13, 26, 11, 3), pal::ink);
    fill(cr, rrect(20, cy - 11.5, 22, 8, 2), hex(0x8FE6FF));
    fill(cr, poly({23, cy - 11.5, 28, cy - 11.5, 24, cy - 3.5, 21, cy - 3.5}), pal::white, 0.6);
    // windows
    for (double x = 56; x < 130; x += 12) pen.flat(ellipse(x, cy - 5, 3, 3), hex(0x8FE6FF));
    // near wing with jewels
    pen.shape(poly({70, cy + 2, 100, cy + 2, 128, cy + 30, 110, cy + 32}), pal::pink, 2.5);
    for (double t : {0.3, 0.55, 0.8}) {
        double x = 70 + t * 48, y = cy + 4 + t * 24;
        pen.flat(poly({x, y - 3, x + 3, y, x, y + 3, x - 3, y}), hex(0x7FF0E0));
    }
    // engine and propeller at the nose
    pen.shape(rrect(86, cy + 14, 22, 9, 4), pal::metal, 1.5);
    pen.shape(ellipse(6, cy + 1, 4, 5), pal::red, 1);
    pen.flat(ellipse(4, cy - 11, 2.2, 10), pal::grey.lit);
    pen.flat(ellipse(4, cy + 13, 2.2, 10), pal::grey.lit);
    // sparkles of money
    for (auto [x, y] : {std::pair{40.0, cy - 26.0}, std::pair{136.0, cy + 22.0}}) {
        fill(cr,
             poly({x, y - 6, x + 1.5, y - 1.5, x + 6, y, x + 1.5, y + 1.5, x, y + 6, x - 1.5, y + 1.5, x - 6, y,
                   x - 1.5, y - 1.5}),
             pal::yellow.lit);
    }
    return cut_sprite(cv.surface, true);
}

Image bakudan()
{
    // A falling bomb with banknotes strapped to it and a gold coin for a face.
    Canvas cv(50, 60);
    Pen pen(cv.cr, 1.5);
    cairo_t* cr = cv.cr;
    const double cx = 24, cy = 36;
    // fins at the top (it falls nose down)
    pen.shape(poly({cx - 10, cy - 20, cx - 12, cy - 28, cx - 3, cy - 20}), pal::dark, 1);
    pen.shape(poly({cx + 10, cy - 20, cx + 12, cy - 28, cx + 3, cy - 20}), pal::dark, 1);
    pen.shape(rrect(cx - 4, cy - 28, 8, 9, 2), pal::dark, 1);
    pen.line({cx + 2, cy - 28, cx + 8, cy - 34, cx + 13, cy - 33}, 2.4, pal::cream.shade);
    fill(cr, burst(cx + 14, cy - 34, 5, 5, 6, 0.4, 0), pal::yellow.lit);
    pen.shape(ellipse(cx, cy, 15, 17), pal::bomb, 3);
    pen.gloss(cx - 6, cy - 9, 4, 3, 0.45);
    // banknote band
    pen.shape(rrect(cx - 15.5, cy - 4, 31, 8, 1), tone(0x8ED38A, 0x5E9E62), 1.5);
    pen.flat(ellipse(cx + 8, cy, 2.5, 2.5), hex(0x5E9E62), false);
    // coin
    pen.shape(ellipse(cx - 2, cy + 7, 7, 7), pal::gold, 1.5);
    pen.line({cx - 5, cy + 2.5, cx - 2, cy + 6.5, cx + 1, cy + 2.5}, 1.3, pal::brown.shade);
    pen.line({cx - 2, cy + 6.5, cx - 2, cy + 11.5}, 1.3, pal::brown.shade);
    pen.line({cx - 4.5, cy + 7.5, cx + 0.5, cy + 7.5}, 1.1, pal::brown.shade);
    pen.line({cx - 4.5, cy + 9.5, cx + 0.5, cy + 9.5}, 1.1, pal::brown.shade);
    return cut_sprite(cv.surface, true);
}

Image baku()
{
    // A cartoon explosion: smoke on top, a burst of fire, a white-hot core.
    Canvas cv(110, 100);
    Pen pen(cv.cr, 1.8);
    cairo_t* cr = cv.cr;
    const double cx = 55, cy = 56;
    for (auto [x, y, r] : {std::tuple{36.0, 26.0, 12.0}, std::tuple{58.0, 18.0, 14.0}, std::tuple{78.0, 28.0, 11.0}})
        pen.shape(ellipse(x, y, r, r * 0.9), pal::grey, 3);
    pen.shape(burst(cx, cy, 50, 38, 11, 0.62, 0.1), tone(0xE8402A, 0xB02A22), 3);
    pen.shape(burst(cx, cy + 2, 34, 26, 9, 0.6, 0.35), pal::orange, 2, false);
    pen.shape(burst(cx, cy + 3, 20, 16, 7, 0.6, 0.2), pal::yellow, 1.5, false);
    fill(cr, ellipse(cx - 2, cy + 1, 9, 7), hex(0xFFFBE0));
    for (auto [x, y] : {std::pair{16.0, 82.0}, std::pair{94.0, 84.0}, std::pair{102.0, 52.0}})
        pen.shape(ellipse(x, y, 4, 4), pal::orange, 1);
    return cut_sprite(cv.surface, true);
}

Image robo04()
{
    // The hovering laser robot: a square armoured head with an X crest, one big lens, jets below.
    Canvas cv(100, 110);
    Pen pen(cv.cr, 1.8);
    cairo_t* cr = cv.cr;
    const double cx = 50;
    const Tone armour = tone(0x6A58B8, 0x453784);
    // jet flames
    for (double x : {cx - 18, cx + 18}) {
        fill(cr, tongue(x, 78, 104, 10, 0), hex(0x7FD8FF));
        fill(cr, tongue(x, 78, 96, 5, 0), pal::white);
        pen.shape(rrect(x - 7, 70, 14, 10, 3), pal::metal, 1.5);
    }
    // arms with cannons
    for (double s : {-1.0, 1.0}) {
        pen.tube({cx + s * 30, 40, cx + s * 40, 52}, 6, pal::metal.shade);
        pen.shape(rrect(cx + s * 40 - 6, 50, 12, 18, 3), pal::dark, 1.5);
        pen.flat(ellipse(cx + s * 40, 69, 4, 2), hex(0xFF4A4A));
    }
    // antenna
    pen.line({cx + 8, 14, cx + 14, 4}, 2.6, pal::ink);
    pen.line({cx + 8, 14, cx + 14, 4}, 1.2, pal::metal.lit);
    fill(cr, ellipse(cx + 14, 4, 2.6, 2.6), pal::red.lit);
    // body
    pen.shape(rrect(cx - 30, 14, 60, 60, 10), armour, 5);
    pen.shape(rrect(cx - 22, 20, 44, 12, 4), pal::gold, 1.5);
    pen.line({cx - 6, 22, cx + 6, 30}, 2.6, armour.shade);
    pen.line({cx + 6, 22, cx - 6, 30}, 2.6, armour.shade);
    // the lens
    pen.shape(ellipse(cx - 2, 51, 15, 15), pal::metal, 2);
    fill(cr, ellipse(cx - 3, 51, 10, 10), hex(0x401020));
    radial_glow(cr, cx - 4, 51, 10, hex(0xFF4040), 1.0);
    fill(cr, ellipse(cx - 6, 47, 3, 2.5), pal::white, 0.9);
    for (double y : {38.0, 66.0}) {
        fill(cr, ellipse(cx - 24, y, 1.6, 1.6), pal::ink);
        fill(cr, ellipse(cx + 24, y, 1.6, 1.6), pal::ink);
    }
    return cut_sprite(cv.surface, true);
}

Image fire()
{
    // A wall of fire: overlapping tongues, red outside, yellow inside.
    Canvas cv(150, 100);
    Pen pen(cv.cr, 1.6);
    cairo_t* cr = cv.cr;
    Rng rng(206);
    const double gy = 94;
    struct T {
        double x, top, w, lean;
    };
    T t[9];
    for (int i = 0; i < 9; ++i)
        t[i] = {27 + i * 12.0, 18 + rng.range(0, 26) + (i == 0 || i == 8 ? 18 : 0), 22, rng.range(-5, 5)};
    for (const T& f : t) pen.shape(tongue(f.x, gy, f.top, f.w, f.lean), tone(0xE83A22, 0xAE2418), 2.5);
    for (const T& f : t)
        pen.shape(tongue(f.x, gy - 2, f.top + (gy - f.top) * 0.3, f.w * 0.65, f.lean * 0.7), pal::flame, 1.5, false);
    for (const T& f : t)
        fill(cr, tongue(f.x, gy - 2, f.top + (gy - f.top) * 0.55, f.w * 0.35, f.lean * 0.5), pal::yellow.lit);
    pen.shape(rrect(19, gy - 8, 112, 8, 4), tone(0xFFB23C, 0xE07A22), 1.5);
    return cut_sprite(cv.surface, true);
}

Image meteo()
{
    // A burning meteor: a cratered rock with its flame tail streaming up and back.
    Canvas cv(120, 130);
    Pen pen(cv.cr, 1.8);
    cairo_t* cr = cv.cr;
    const double cx = 34, cy = 100;
    auto tail = [&](double w, double len) {
        return [=](cairo_t* c) {
            cairo_new_sub_path(c);
            cairo_move_to(c, cx - w * 0.9, cy - w * 0.4);
            cairo_curve_to(c, cx - w * 0.2, cy - len * 0.5, cx + len * 0.3, cy - len * 0.8, cx + len * 0.62,
                           cy - len * 0.95);
            cairo_curve_to(c, cx + len * 0.45, cy - len * 0.55, cx + len * 0.5, cy - len * 0.3, cx + w * 0.95,
                           cy + w * 0.2);
            cairo_close_path(c);
        };
    };
    pen.shape(tail(26, 90), tone(0xE8402A, 0xB02A22), 3);
    pen.shape(tail(20, 70), pal::flame, 2, false);
    fill(cr, tail(13, 50), pal::yellow.lit);
    pen.shape(blob({cx - 22, cy - 4, cx - 14, cy - 20, cx + 4, cy - 24, cx + 20, cy - 12, cx + 22, cy + 8, cx + 8,
                    cy + 22, cx - 12, cy + 20, cx - 22, cy + 10}),
              tone(0x8A6A5A, 0x5A4038), 5);
    for (auto [x, y, r] :
         {std::tuple{cx - 8, cy - 6, 5.0}, std::tuple{cx + 8, cy + 6, 4.0}, std::tuple{cx - 4, cy + 11, 3.0}}) {
        fill(cr, ellipse(x, y, r, r * 0.8), hex(0x5A4038));
        fill(cr, ellipse(x + 1, y + 1, r * 0.7, r * 0.5), hex(0x4A3430));
    }
    pen.gloss(cx - 10, cy - 14, 5, 2.5, 0.35);
    return cut_sprite(cv.surface, true);
}

} // namespace assetgen::art
