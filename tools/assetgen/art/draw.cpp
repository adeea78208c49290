#include "art/draw.h"

#include <cmath>
#include <vector>

namespace assetgen::art {

Col mix(Col a, Col b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

PathFn ellipse(double cx, double cy, double rx, double ry)
{
    return [=](cairo_t* cr) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, rx, ry);
        cairo_new_sub_path(cr);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_close_path(cr);
        cairo_restore(cr);
    };
}

PathFn rrect(double x, double y, double w, double h, double r)
{
    return [=](cairo_t* cr) {
        double rr = std::fmin(r, std::fmin(w, h) / 2);
        cairo_new_sub_path(cr);
        cairo_arc(cr, x + w - rr, y + rr, rr, -M_PI / 2, 0);
        cairo_arc(cr, x + w - rr, y + h - rr, rr, 0, M_PI / 2);
        cairo_arc(cr, x + rr, y + h - rr, rr, M_PI / 2, M_PI);
        cairo_arc(cr, x + rr, y + rr, rr, M_PI, 1.5 * M_PI);
        cairo_close_path(cr);
    };
}

PathFn poly(std::initializer_list<double> xy)
{
    std::vector<double> v(xy);
    return [v](cairo_t* cr) {
        cairo_new_sub_path(cr);
        for (std::size_t i = 0; i + 1 < v.size(); i += 2) cairo_line_to(cr, v[i], v[i + 1]);
        cairo_close_path(cr);
    };
}

PathFn blob(std::initializer_list<double> xy)
{
    std::vector<double> v(xy);
    return [v](cairo_t* cr) {
        const std::size_t n = v.size() / 2;
        if (n < 3) return;
        auto px = [&](std::size_t i) { return v[(i % n) * 2]; };
        auto py = [&](std::size_t i) { return v[(i % n) * 2 + 1]; };
        cairo_new_sub_path(cr);
        cairo_move_to(cr, (px(0) + px(1)) / 2, (py(0) + py(1)) / 2);
        for (std::size_t i = 1; i <= n; ++i) {
            double mx = (px(i) + px(i + 1)) / 2, my = (py(i) + py(i + 1)) / 2;
            double ax = (px(i - 1) + px(i)) / 2, ay = (py(i - 1) + py(i)) / 2;
            // quadratic through the corner point as control, raised to cubic
            cairo_curve_to(cr, ax + 2.0 / 3 * (px(i) - ax), ay + 2.0 / 3 * (py(i) - ay), mx + 2.0 / 3 * (px(i) - mx),
                           my + 2.0 / 3 * (py(i) - my), mx, my);
        }
        cairo_close_path(cr);
    };
}

void set(cairo_t* cr, Col c, double a)
{
    if (a >= 1.0)
        cairo_set_source_rgb(cr, c.r, c.g, c.b);
    else
        cairo_set_source_rgba(cr, c.r, c.g, c.b, a);
}

void fill(cairo_t* cr, const PathFn& p, Col c, double a)
{
    cairo_new_path(cr);
    p(cr);
    set(cr, c, a);
    cairo_fill(cr);
}

void Pen::shape(const PathFn& p, Tone t, double d, bool outline_it)
{
    cairo_save(cr_);
    cairo_new_path(cr_);
    p(cr_);
    cairo_clip(cr_);
    set(cr_, t.shade);
    cairo_paint(cr_);
    cairo_translate(cr_, -d, -d);
    cairo_new_path(cr_);
    p(cr_);
    set(cr_, t.lit);
    cairo_fill(cr_);
    cairo_restore(cr_);
    if (outline_it) outline(p);
}

void Pen::flat(const PathFn& p, Col c, bool outline_it)
{
    fill(cr_, p, c);
    if (outline_it) outline(p);
}

void Pen::outline(const PathFn& p, double width_scale)
{
    cairo_new_path(cr_);
    p(cr_);
    set(cr_, pal::ink);
    cairo_set_line_width(cr_, w_ * width_scale);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr_);
}

static void path_of(cairo_t* cr, const std::vector<double>& v)
{
    cairo_new_path(cr);
    for (std::size_t i = 0; i + 1 < v.size(); i += 2) cairo_line_to(cr, v[i], v[i + 1]);
}

void Pen::tube(std::initializer_list<double> xy, double width, Col c)
{
    std::vector<double> v(xy);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
    path_of(cr_, v);
    set(cr_, pal::ink);
    cairo_set_line_width(cr_, width + 2 * w_);
    cairo_stroke(cr_);
    path_of(cr_, v);
    set(cr_, c);
    cairo_set_line_width(cr_, width);
    cairo_stroke(cr_);
}

void Pen::line(std::initializer_list<double> xy, double width, Col c)
{
    std::vector<double> v(xy);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
    path_of(cr_, v);
    set(cr_, c);
    cairo_set_line_width(cr_, width);
    cairo_stroke(cr_);
}

void Pen::eye(double cx, double cy, double rx, double ry)
{
    fill(cr_, ellipse(cx, cy, rx, ry), pal::eye);
    fill(cr_, ellipse(cx - rx * 0.3, cy - ry * 0.38, rx * 0.45, ry * 0.3), pal::white);
}

void Pen::gloss(double cx, double cy, double rx, double ry, double a)
{
    fill(cr_, ellipse(cx, cy, rx, ry), pal::white, a);
}

Canvas::Canvas(int w, int h, bool alpha)
{
    surface = cairo_image_surface_create(alpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24, w, h);
    cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_GOOD);
}

Canvas::~Canvas()
{
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

void vgradient(cairo_t* cr, double x, double y, double w, double h, Col top, Col bottom)
{
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(g, 1, bottom.r, bottom.g, bottom.b);
    cairo_rectangle(cr, x, y, w, h);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void radial_glow(cairo_t* cr, double cx, double cy, double r, Col c, double a)
{
    cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
    cairo_pattern_add_color_stop_rgba(g, 0, c.r, c.g, c.b, a);
    cairo_pattern_add_color_stop_rgba(g, 1, c.r, c.g, c.b, 0);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

} // namespace assetgen::art
