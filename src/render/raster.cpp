#include "render/raster.h"

#include <algorithm>
#include <cmath>

namespace zen {

namespace {

// Half of the span of the ellipse with radii (rx, ry) on the row whose centre is yc from the
// centre; negative when the row misses it.
double half_span(double rx, double ry, double yc)
{
    if (rx <= 0 || ry <= 0) return -1;
    const double t = yc / ry;
    if (t <= -1 || t >= 1) return -1;
    return rx * std::sqrt(1 - t * t);
}

// Pixels whose centres lie within [cx - h, cx + h], clipped to the row.
void span(std::uint32_t* row, int width, double cx, double h, Colour c, int& from, int& to)
{
    from = static_cast<int>(std::ceil(cx - h - 0.5));
    to = static_cast<int>(std::floor(cx + h - 0.5));
    const int a = std::max(from, 0);
    const int b = std::min(to, width - 1);
    if (row)
        for (int x = a; x <= b; ++x) row[x] = c;
}

} // namespace

void fast_ellipse(Canvas& canvas, int x1, int y1, int x2, int y2, Pen pen, std::optional<Colour> brush)
{
    if (canvas.empty()) return;
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    const double rx = (x2 - x1) / 2.0;
    const double ry = (y2 - y1) / 2.0;
    if (rx <= 0 || ry <= 0) return;
    const int w = std::max(1, pen.width);
    // An odd pen sits on pixel centres, so the shape covers the same pixels as its box.
    const double shift = (w % 2 == 1) ? 0.5 : 0.0;
    const double cx = x1 + rx;
    const double cy = y1 + ry;
    const double prx = std::max(0.5, rx - shift); // the path the pen follows
    const double pry = std::max(0.5, ry - shift);
    const double orx = prx + w / 2.0;
    const double ory = pry + w / 2.0;
    const double irx = prx - w / 2.0;
    const double iry = pry - w / 2.0;

    const int width = canvas.width();
    const int height = canvas.height();
    const int top = std::max(0, static_cast<int>(std::floor(cy - ory)) - 1);
    const int bottom = std::min(height - 1, static_cast<int>(std::ceil(cy + ory)) + 1);
    if (top > bottom || cx + orx < -1 || cx - orx > width + 1) return;
    auto* base = reinterpret_cast<char*>(canvas.pixels());
    const int pitch = canvas.pitch();
    const Colour pc = pen.colour & 0xFFFFFFu;
    for (int y = top; y <= bottom; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(base + static_cast<std::ptrdiff_t>(y) * pitch);
        const double yc = y + 0.5 - cy;
        const double ho = half_span(orx, ory, yc);
        if (ho < 0) continue;
        const double hi = half_span(irx, iry, yc);
        int f = 0;
        int t = 0;
        if (brush) {
            const double hb = half_span(prx, pry, yc);
            if (hb >= 0) span(row, width, cx, hb, *brush & 0xFFFFFFu, f, t);
        }
        if (hi < 0) {
            span(row, width, cx, ho, pc, f, t);
            continue;
        }
        // The ring: the outer span without the inner one.
        int of = 0;
        int ot = 0;
        span(nullptr, width, cx, ho, pc, of, ot);
        int inf = 0;
        int it = 0;
        span(nullptr, width, cx, hi, pc, inf, it);
        if (inf > it) { // the hole misses this row's pixel centres
            span(row, width, cx, ho, pc, f, t);
            continue;
        }
        for (int x = std::max(of, 0); x <= std::min(inf - 1, width - 1); ++x) row[x] = pc;
        for (int x = std::max(it + 1, 0); x <= std::min(ot, width - 1); ++x) row[x] = pc;
    }
}

} // namespace zen
