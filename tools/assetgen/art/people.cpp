// The customers: chibi people, head about two fifths of the height, walking to the left.
#include "art/draw.h"
#include "art/scenes.h"
#include "art/sprites.h"

#include <cmath>

namespace assetgen::art {
namespace {

enum class Hair { Cap, Pigtails, Short, Ponytail, Long, Spiky, Parted };
enum class Top { Tee, Dress, Gakuran, Sailor, Jacket, Blazer, Suit };
enum class Bottom { Shorts, Skirt, Trousers, Dress };

struct Person {
    double height;
    Hair hair;
    Tone hair_tone;
    Top top;
    Tone top_tone;
    Tone accent;
    Bottom bottom;
    Tone bottom_tone;
    Tone shoes;
    Tone skin = pal::skin;
    bool glasses = false;
    bool headphones = false;
    bool bag = false;
    bool phone = false;
    bool briefcase = false;
    bool handheld = false;
    bool boots = false;
    bool socks = false;
};

void hair_front(Pen& pen, const Person& p, double hx, double hy, double r)
{
    cairo_t* cr = pen.cr();
    const double R = r * 1.1;
    switch (p.hair) {
    case Hair::Cap: {
        // tuft under the cap at the back, then the cap with its brim to the front (left)
        pen.shape(ellipse(hx + 0.55 * r, hy - 0.05 * r, 0.5 * r, 0.45 * r), p.hair_tone, 1.5);
        pen.shape(
            [=](cairo_t* c) {
                cairo_new_sub_path(c);
                cairo_arc(c, hx + 0.05 * r, hy - 0.12 * r, 1.06 * r, M_PI * 1.0, M_PI * 2.0);
                cairo_close_path(c);
            },
            p.accent, 2.5);
        pen.shape(blob({hx - 0.25 * r, hy - 0.22 * r, hx - 1.65 * r, hy - 0.2 * r, hx - 1.55 * r, hy - 0.02 * r,
                        hx - 0.2 * r, hy - 0.02 * r}),
                  p.accent, 1.0);
        pen.gloss(hx - 0.35 * r, hy - 0.72 * r, 0.28 * r, 0.14 * r, 0.45);
        fill(cr, ellipse(hx + 0.12 * r, hy - 1.14 * r, 0.14 * r, 0.09 * r), p.accent.shade);
        break;
    }
    case Hair::Spiky: {
        pen.shape(poly({hx - 1.08 * r, hy + 0.05 * r, hx - 1.1 * r,  hy - 0.5 * r,  hx - 0.95 * r, hy - 1.05 * r,
                        hx - 0.55 * r, hy - 0.95 * r, hx - 0.45 * r, hy - 1.55 * r, hx - 0.05 * r, hy - 1.08 * r,
                        hx + 0.35 * r, hy - 1.6 * r,  hx + 0.5 * r,  hy - 1.0 * r,  hx + 1.15 * r, hy - 1.3 * r,
                        hx + 1.0 * r,  hy - 0.7 * r,  hx + 1.45 * r, hy - 0.55 * r, hx + 1.08 * r, hy - 0.1 * r,
                        hx + 1.1 * r,  hy + 0.25 * r, hx + 0.75 * r, hy - 0.1 * r,  hx + 0.55 * r, hy - 0.42 * r,
                        hx + 0.2 * r,  hy - 0.25 * r, hx - 0.1 * r,  hy - 0.5 * r,  hx - 0.4 * r,  hy - 0.3 * r,
                        hx - 0.7 * r,  hy - 0.55 * r, hx - 0.85 * r, hy - 0.1 * r}),
                  p.hair_tone, 2.5);
        pen.gloss(hx - 0.35 * r, hy - 0.78 * r, 0.3 * r, 0.12 * r, 0.35);
        break;
    }
    case Hair::Short: {
        pen.shape(
            [=](cairo_t* c) {
                cairo_new_sub_path(c);
                cairo_arc(c, hx, hy, R, M_PI * 0.95, M_PI * 2.05);
                cairo_line_to(c, hx + 0.95 * r, hy + 0.1 * r);
                cairo_line_to(c, hx + 0.75 * r, hy - 0.2 * r);
                cairo_line_to(c, hx + 0.45 * r, hy - 0.35 * r);
                cairo_line_to(c, hx + 0.25 * r, hy - 0.15 * r);
                cairo_line_to(c, hx - 0.05 * r, hy - 0.4 * r);
                cairo_line_to(c, hx - 0.35 * r, hy - 0.2 * r);
                cairo_line_to(c, hx - 0.6 * r, hy - 0.45 * r);
                cairo_line_to(c, hx - 0.85 * r, hy - 0.15 * r);
                cairo_close_path(c);
            },
            p.hair_tone, 2.5);
        pen.gloss(hx - 0.3 * r, hy - 0.78 * r, 0.34 * r, 0.12 * r, 0.35);
        break;
    }
    case Hair::Parted: {
        pen.shape(
            [=](cairo_t* c) {
                cairo_new_sub_path(c);
                cairo_arc(c, hx, hy, R * 0.98, M_PI * 0.97, M_PI * 2.03);
                cairo_line_to(c, hx + 0.92 * r, hy + 0.15 * r);
                cairo_curve_to(c, hx + 0.7 * r, hy - 0.35 * r, hx + 0.2 * r, hy - 0.6 * r, hx - 0.2 * r, hy - 0.62 * r);
                cairo_curve_to(c, hx - 0.55 * r, hy - 0.55 * r, hx - 0.85 * r, hy - 0.35 * r, hx - 1.02 * r,
                               hy - 0.05 * r);
                cairo_close_path(c);
            },
            p.hair_tone, 2.0);
        pen.gloss(hx - 0.1 * r, hy - 0.82 * r, 0.4 * r, 0.11 * r, 0.3);
        break;
    }
    default: { // girls' hair: full fringe
        pen.shape(
            [=](cairo_t* c) {
                cairo_new_sub_path(c);
                cairo_arc(c, hx, hy, R, M_PI * 0.9, M_PI * 2.1);
                cairo_line_to(c, hx + 1.0 * r, hy + 0.45 * r);
                cairo_line_to(c, hx + 0.8 * r, hy - 0.05 * r);
                cairo_curve_to(c, hx + 0.6 * r, hy - 0.3 * r, hx + 0.4 * r, hy - 0.25 * r, hx + 0.3 * r, hy - 0.15 * r);
                cairo_curve_to(c, hx + 0.15 * r, hy - 0.35 * r, hx - 0.1 * r, hy - 0.35 * r, hx - 0.2 * r,
                               hy - 0.15 * r);
                cairo_curve_to(c, hx - 0.35 * r, hy - 0.35 * r, hx - 0.65 * r, hy - 0.35 * r, hx - 0.8 * r,
                               hy - 0.05 * r);
                cairo_line_to(c, hx - 1.02 * r, hy + 0.45 * r);
                cairo_close_path(c);
            },
            p.hair_tone, 2.5);
        pen.gloss(hx - 0.35 * r, hy - 0.72 * r, 0.4 * r, 0.13 * r, 0.4);
        break;
    }
    }
}

void hair_back(Pen& pen, const Person& p, double hx, double hy, double r)
{
    switch (p.hair) {
    case Hair::Long:
        pen.shape(
            blob({hx - 1.1 * r, hy - 0.6 * r, hx, hy - 1.35 * r, hx + 1.2 * r, hy - 0.7 * r, hx + 1.5 * r, hy + 1.2 * r,
                  hx + 1.05 * r, hy + 2.05 * r, hx + 0.2 * r, hy + 1.7 * r, hx - 1.05 * r, hy + 1.5 * r}),
            p.hair_tone, 2.5);
        break;
    case Hair::Ponytail:
        pen.shape(blob({hx + 0.8 * r, hy - 0.9 * r, hx + 1.7 * r, hy - 0.75 * r, hx + 1.85 * r, hy + 0.4 * r,
                        hx + 1.55 * r, hy + 1.3 * r, hx + 1.25 * r, hy + 0.3 * r, hx + 0.9 * r, hy - 0.2 * r}),
                  p.hair_tone, 2.0);
        pen.shape(ellipse(hx + 1.05 * r, hy - 0.72 * r, 0.22 * r, 0.2 * r), p.accent, 1.0);
        break;
    case Hair::Pigtails:
        for (double side : {-1.0, 1.0}) {
            double bx = hx + side * 1.08 * r, by = hy + 0.35 * r;
            pen.shape(blob({bx - 0.35 * r, by - 0.4 * r, bx + 0.4 * r, by - 0.35 * r, bx + 0.45 * r, by + 0.45 * r,
                            bx + side * 0.1 * r, by + 0.95 * r, bx - 0.45 * r, by + 0.4 * r}),
                      p.hair_tone, 1.5);
            pen.shape(ellipse(bx - side * 0.1 * r, by - 0.42 * r, 0.22 * r, 0.16 * r), p.accent, 1.0);
        }
        break;
    default: break;
    }
}

void face(Pen& pen, const Person& p, double hx, double hy, double r, bool boy)
{
    cairo_t* cr = pen.cr();
    pen.shape(ellipse(hx + 0.8 * r, hy + 0.18 * r, 0.2 * r, 0.26 * r), p.skin, 1.0); // ear
    pen.shape(ellipse(hx, hy, r, r * 0.95), p.skin, 0.22 * r);
    pen.eye(hx - 0.5 * r, hy + 0.2 * r, 0.12 * r, 0.2 * r);
    pen.eye(hx + 0.1 * r, hy + 0.2 * r, 0.12 * r, 0.2 * r);
    fill(cr, ellipse(hx - 0.74 * r, hy + 0.5 * r, 0.13 * r, 0.07 * r), pal::red.lit, 0.45);
    fill(cr, ellipse(hx + 0.3 * r, hy + 0.5 * r, 0.13 * r, 0.07 * r), pal::red.lit, 0.45);
    // mouth: a small smile
    cairo_new_path(cr);
    cairo_arc(cr, hx - 0.22 * r, hy + 0.5 * r, 0.1 * r, M_PI * 0.15, M_PI * 0.85);
    set(cr, pal::ink);
    cairo_set_line_width(cr, std::fmax(1.0, 0.06 * r));
    cairo_stroke(cr);
    if (boy) {
        pen.line({hx - 0.64 * r, hy - 0.12 * r, hx - 0.38 * r, hy - 0.08 * r}, std::fmax(1.0, 0.07 * r), pal::ink);
        pen.line({hx - 0.02 * r, hy - 0.08 * r, hx + 0.22 * r, hy - 0.12 * r}, std::fmax(1.0, 0.07 * r), pal::ink);
    }
}

void paint_person(cairo_t* cr, const Person& p, bool boy, double cx, double gy, double ink)
{
    const double H = p.height;
    Pen pen(cr, ink);
    const double r = 0.2 * H;
    const double hx = cx - 0.02 * H, hy = gy - H + 1.1 * r;
    const double L = 0.21 * H;
    const double hip = gy - L;
    const double ty = hy + 0.82 * r;
    const double sw = 0.13 * H;  // half shoulder width
    const double hw = 0.155 * H; // half hem width
    const double limb = 0.075 * H;

    // back layer
    hair_back(pen, p, hx, hy, r);
    if (p.bag) pen.shape(rrect(cx + 0.06 * H, hip - 0.2 * H, 0.2 * H, 0.15 * H, 0.03 * H), p.accent, 1.5);

    // back arm and back leg
    const Col sleeve = p.top == Top::Sailor ? pal::white_cloth.shade : p.top_tone.shade;
    pen.tube({cx + 0.09 * H, ty + 0.05 * H, cx + 0.15 * H, ty + 0.2 * H}, limb, sleeve);
    pen.shape(ellipse(cx + 0.155 * H, ty + 0.23 * H, 0.037 * H, 0.037 * H), p.skin, 1.0);

    const Col leg_back = p.bottom == Bottom::Trousers ? p.bottom_tone.shade
                         : p.boots                    ? p.shoes.shade
                         : p.socks                    ? pal::white_cloth.shade
                                                      : p.skin.shade;
    const Col leg_front = p.bottom == Bottom::Trousers ? p.bottom_tone.lit
                          : p.boots                    ? p.shoes.lit
                          : p.socks                    ? pal::white_cloth.lit
                                                       : p.skin.lit;
    pen.tube({cx + 0.05 * H, hip, cx + 0.08 * H, gy - 0.05 * H}, limb, leg_back);
    pen.shape(ellipse(cx + 0.06 * H, gy - 0.035 * H, 0.075 * H, 0.04 * H), p.shoes, 1.0);
    pen.tube({cx - 0.04 * H, hip, cx - 0.08 * H, gy - 0.05 * H}, limb, leg_front);
    pen.shape(ellipse(cx - 0.1 * H, gy - 0.035 * H, 0.075 * H, 0.04 * H), p.shoes, 1.0);
    if (p.boots) {
        for (double fx : {cx + 0.08 * H, cx - 0.08 * H})
            pen.line({fx - limb / 2 - 0.5, gy - 0.13 * H, fx + limb / 2 + 0.5, gy - 0.13 * H}, 1.2, p.shoes.shade);
    }

    // lower body
    switch (p.bottom) {
    case Bottom::Shorts:
        pen.shape(poly({cx - hw * 0.95, hip - 0.06 * H, cx + hw * 0.95, hip - 0.06 * H, cx + hw, hip + 0.07 * H,
                        cx + 0.01 * H, hip + 0.07 * H, cx, hip + 0.02 * H, cx - 0.01 * H, hip + 0.07 * H, cx - hw,
                        hip + 0.07 * H}),
                  p.bottom_tone, 1.5);
        break;
    case Bottom::Skirt:
        pen.shape(poly({cx - hw * 0.85, hip - 0.07 * H, cx + hw * 0.85, hip - 0.07 * H, cx + hw * 1.2, hip + 0.07 * H,
                        cx - hw * 1.2, hip + 0.07 * H}),
                  p.bottom_tone, 1.5);
        for (double f : {-0.5, 0.0, 0.5})
            pen.line({cx + f * hw * 0.85, hip - 0.05 * H, cx + f * hw * 1.15, hip + 0.065 * H}, 0.9,
                     p.bottom_tone.shade);
        break;
    case Bottom::Trousers:
        pen.shape(rrect(cx - hw * 0.92, hip - 0.07 * H, hw * 1.84, 0.1 * H, 0.02 * H), p.bottom_tone, 1.5);
        break;
    case Bottom::Dress: break;
    }

    // torso
    const double hem = p.top == Top::Dress                            ? hip + 0.09 * H
                       : (p.top == Top::Suit || p.top == Top::Blazer) ? hip + 0.02 * H
                                                                      : hip - 0.04 * H;
    const double hem_w = p.top == Top::Dress ? hw * 1.3 : hw;
    pen.shape(blob({cx - sw, ty + 0.005 * H, cx + sw, ty + 0.005 * H, cx + hem_w, hem, cx - hem_w, hem}), p.top_tone,
              2.0);
    switch (p.top) {
    case Top::Tee: // a star on the shirt
        pen.flat(poly({cx - 0.03 * H,
                       ty + 0.07 * H,
                       cx - 0.01 * H,
                       ty + 0.115 * H,
                       cx + 0.035 * H,
                       ty + 0.12 * H,
                       cx,
                       ty + 0.15 * H,
                       cx + 0.01 * H,
                       ty + 0.2 * H,
                       cx - 0.03 * H,
                       ty + 0.17 * H,
                       cx - 0.07 * H,
                       ty + 0.2 * H,
                       cx - 0.06 * H,
                       ty + 0.15 * H,
                       cx - 0.095 * H,
                       ty + 0.12 * H,
                       cx - 0.05 * H,
                       ty + 0.115 * H}),
                 p.accent.lit, false);
        break;
    case Top::Dress:
        pen.shape(blob({cx - 0.09 * H, ty - 0.01 * H, cx + 0.07 * H, ty - 0.01 * H, cx + 0.02 * H, ty + 0.07 * H,
                        cx - 0.04 * H, ty + 0.07 * H}),
                  pal::white_cloth, 1.0);
        pen.line({cx - hem_w + 0.02 * H, hem - 0.03 * H, cx + hem_w - 0.02 * H, hem - 0.03 * H}, 1.6,
                 pal::white_cloth.lit);
        break;
    case Top::Gakuran:
        pen.shape(rrect(cx - 0.08 * H, ty - 0.025 * H, 0.14 * H, 0.05 * H, 0.015 * H), p.top_tone, 1.0);
        for (int i = 0; i < 3; ++i)
            fill(cr, ellipse(cx - 0.035 * H, ty + (0.07 + 0.06 * i) * H, 0.016 * H, 0.016 * H), pal::gold.lit);
        break;
    case Top::Sailor:
        pen.shape(
            poly({cx - sw - 0.01 * H, ty + 0.03 * H, cx + sw + 0.02 * H, ty + 0.0 * H, cx + 0.02 * H, ty + 0.12 * H}),
            pal::navy, 1.0);
        pen.line({cx - sw + 0.01 * H, ty + 0.045 * H, cx + 0.01 * H, ty + 0.105 * H}, 1.0, pal::white);
        pen.shape(poly({cx - 0.02 * H, ty + 0.1 * H, cx - 0.1 * H, ty + 0.07 * H, cx - 0.08 * H, ty + 0.15 * H}),
                  p.accent, 0.8);
        pen.shape(poly({cx - 0.02 * H, ty + 0.1 * H, cx + 0.06 * H, ty + 0.08 * H, cx + 0.03 * H, ty + 0.16 * H}),
                  p.accent, 0.8);
        break;
    case Top::Jacket:
        pen.shape(
            poly({cx - 0.06 * H, ty, cx + 0.02 * H, ty, cx + 0.0 * H, hem - 0.01 * H, cx - 0.07 * H, hem - 0.01 * H}),
            pal::white_cloth, 1.0);
        fill(cr, ellipse(cx - 0.035 * H, ty + 0.06 * H, 0.018 * H, 0.018 * H), p.accent.lit);
        break;
    case Top::Blazer:
    case Top::Suit:
        pen.shape(poly({cx - 0.075 * H, ty, cx + 0.035 * H, ty, cx - 0.02 * H, ty + 0.16 * H}), pal::white_cloth, 1.0);
        pen.shape(poly({cx - 0.035 * H, ty + 0.01 * H, cx - 0.005 * H, ty + 0.01 * H, cx - 0.01 * H, ty + 0.14 * H,
                        cx - 0.025 * H, ty + 0.16 * H, cx - 0.04 * H, ty + 0.14 * H}),
                  p.accent, 0.8);
        pen.line({cx - 0.075 * H, ty + 0.005 * H, cx - 0.02 * H, ty + 0.16 * H, cx - 0.03 * H, hem - 0.01 * H}, 1.1,
                 p.top_tone.shade);
        if (p.top == Top::Blazer) // school crest
            pen.shape(ellipse(cx + 0.06 * H, ty + 0.09 * H, 0.022 * H, 0.022 * H), pal::gold, 0.6);
        break;
    }

    // neck shadow then head
    // front arm, swinging forward
    if (p.briefcase) {
        pen.shape(rrect(cx - 0.26 * H, ty + 0.21 * H, 0.17 * H, 0.13 * H, 0.02 * H), pal::brown, 1.5);
        pen.line({cx - 0.21 * H, ty + 0.21 * H, cx - 0.2 * H, ty + 0.18 * H, cx - 0.15 * H, ty + 0.18 * H,
                  cx - 0.14 * H, ty + 0.21 * H},
                 1.3, pal::ink);
        fill(cr, rrect(cx - 0.185 * H, ty + 0.25 * H, 0.03 * H, 0.02 * H, 0.005 * H), pal::gold.lit);
    }
    pen.tube({cx - 0.07 * H, ty + 0.05 * H, cx - 0.15 * H, ty + 0.17 * H}, limb,
             p.top == Top::Sailor ? pal::white_cloth.lit : p.top_tone.lit);
    const double hand_x = cx - 0.165 * H, hand_y = ty + 0.195 * H;
    if (p.phone) {
        pen.shape(rrect(hand_x - 0.05 * H, hand_y - 0.09 * H, 0.055 * H, 0.09 * H, 0.012 * H), pal::pink, 0.8);
        fill(cr, rrect(hand_x - 0.043 * H, hand_y - 0.08 * H, 0.04 * H, 0.06 * H, 0.005 * H), hex(0x9FE8FF));
    }
    if (p.handheld) {
        pen.shape(rrect(hand_x - 0.09 * H, hand_y - 0.06 * H, 0.1 * H, 0.07 * H, 0.015 * H), pal::teal, 0.8);
        fill(cr, rrect(hand_x - 0.075 * H, hand_y - 0.05 * H, 0.05 * H, 0.045 * H, 0.004 * H), hex(0xC8F8A0));
    }
    pen.shape(ellipse(hand_x, hand_y, 0.038 * H, 0.038 * H), p.skin, 1.0);

    face(pen, p, hx, hy, r, boy);
    hair_front(pen, p, hx, hy, r);
    if (p.glasses) {
        cairo_new_path(cr);
        cairo_arc(cr, hx - 0.5 * r, hy + 0.2 * r, 0.24 * r, 0, 2 * M_PI);
        cairo_new_sub_path(cr);
        cairo_arc(cr, hx + 0.12 * r, hy + 0.2 * r, 0.24 * r, 0, 2 * M_PI);
        set(cr, pal::white, 0.35);
        cairo_fill_preserve(cr);
        set(cr, pal::ink);
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
        pen.line({hx - 0.26 * r, hy + 0.2 * r, hx - 0.12 * r, hy + 0.2 * r}, 1.2, pal::ink);
        pen.line({hx + 0.36 * r, hy + 0.15 * r, hx + 0.78 * r, hy + 0.05 * r}, 1.2, pal::ink);
    }
    if (p.headphones) {
        cairo_new_path(cr);
        cairo_arc(cr, hx + 0.2 * r, hy - 0.1 * r, 1.2 * r, M_PI * 1.25, M_PI * 2.1);
        set(cr, pal::ink);
        cairo_set_line_width(cr, 0.16 * r + 2.8);
        cairo_stroke(cr);
        cairo_arc(cr, hx + 0.2 * r, hy - 0.1 * r, 1.2 * r, M_PI * 1.25, M_PI * 2.1);
        set(cr, pal::lime.shade);
        cairo_set_line_width(cr, 0.16 * r);
        cairo_stroke(cr);
        pen.shape(rrect(hx + 0.78 * r, hy - 0.2 * r, 0.42 * r, 0.65 * r, 0.16 * r), pal::lime, 1.5);
    }
}

Image draw_person(const Person& p, bool boy)
{
    const int cw = 90, ch = static_cast<int>(p.height) + 16;
    Canvas cv(cw, ch);
    paint_person(cv.cr, p, boy, cw / 2.0, ch - 6.0, 1.4);
    return cut_sprite(cv.surface, true);
}

} // namespace

void paint_maker(cairo_t* cr, double cx, double gy, double height, bool glasses)
{
    // The lone game maker: a green hoodie, messy dark hair, a bag of goods on the back.
    Person p{100, Hair::Spiky, pal::hair_black, Top::Tee, pal::green, pal::lime, Bottom::Trousers, pal::navy, pal::red};
    p.glasses = glasses;
    p.bag = true;
    cairo_save(cr);
    cairo_translate(cr, cx, gy);
    cairo_scale(cr, height / 100.0, height / 100.0);
    paint_person(cr, p, true, 0, 0, 1.4);
    cairo_restore(cr);
}

Image kid01()
{
    Person p{80, Hair::Cap, pal::hair_brown, Top::Tee, pal::yellow, pal::red, Bottom::Shorts, pal::blue, pal::red};
    p.handheld = true;
    return draw_person(p, true);
}

Image girl01()
{
    Person p{80, Hair::Pigtails, pal::hair_orange, Top::Dress, pal::pink, pal::red, Bottom::Dress, pal::pink, pal::red};
    p.socks = true;
    return draw_person(p, false);
}

Image kid02()
{
    Person p{90,         Hair::Short,      pal::hair_black, Top::Gakuran, pal::dark,
             pal::green, Bottom::Trousers, pal::dark,       pal::brown};
    p.bag = true;
    return draw_person(p, true);
}

Image girl02()
{
    Person p{92,       Hair::Ponytail, pal::hair_brown, Top::Sailor, pal::white_cloth,
             pal::red, Bottom::Skirt,  pal::navy,       pal::dark};
    p.socks = true;
    return draw_person(p, false);
}

Image girl03()
{
    Person p{100,       Hair::Long,    pal::hair_blonde, Top::Jacket, pal::purple,
             pal::pink, Bottom::Skirt, pal::sky,         pal::brown};
    p.boots = true;
    p.phone = true;
    return draw_person(p, false);
}

Image kid03()
{
    Person p{94,       Hair::Spiky,      pal::hair_orange, Top::Blazer,     pal::navy,
             pal::red, Bottom::Trousers, pal::grey,        pal::white_cloth};
    p.headphones = true;
    return draw_person(p, true);
}

Image otona()
{
    Person p{103,       Hair::Parted,     pal::hair_black, Top::Suit, pal::grey,
             pal::blue, Bottom::Trousers, pal::dark,       pal::bomb};
    p.glasses = true;
    p.briefcase = true;
    return draw_person(p, true);
}

} // namespace assetgen::art
