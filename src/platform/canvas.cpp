#include "platform/canvas.h"

#include "platform/files.h"
#include "platform/fonts.h"

#include <SDL.h>
#include <cairo.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>
#include <utility>

namespace zen {

namespace {

std::uint32_t to_pixel(Colour c) { return c & 0xFFFFFFu; }

// n pixels of one colour at memory speed: black is a memset, another colour goes four pixels to
// a store (a vector of the compilers we build with) rather than one.
void fill_long_row(std::uint32_t* row, int n, std::uint32_t p)
{
    if (p == 0) {
        std::memset(row, 0, static_cast<std::size_t>(n) * sizeof *row);
        return;
    }
    using Pixels4 = std::uint32_t __attribute__((vector_size(16)));
    const Pixels4 four = {p, p, p, p};
    int x = 0;
    for (; x + 4 <= n; x += 4) std::memcpy(row + x, &four, sizeof four);
    for (; x < n; ++x) row[x] = p;
}

// The short spans of small shapes (most of the spans a frame fills) are stored where they are,
// without a call.
inline void fill_row(std::uint32_t* row, int n, std::uint32_t p)
{
    if (n > 16) {
        fill_long_row(row, n, p);
        return;
    }
    if (n < 4) {
        for (int x = 0; x < n; ++x) row[x] = p;
        return;
    }
    // Four to sixteen pixels: stores of four that overlap where they meet.
    using Pixels4 = std::uint32_t __attribute__((vector_size(16)));
    const Pixels4 four = {p, p, p, p};
    std::memcpy(row, &four, sizeof four);
    std::memcpy(row + n - 4, &four, sizeof four);
    if (n <= 8) return;
    std::memcpy(row + 4, &four, sizeof four);
    std::memcpy(row + n - 8, &four, sizeof four);
}

// Half of the span of the ellipse with radii (rx, ry) on the row whose centre is yc from the
// centre; negative when the row misses it.
double half_span(double rx, double ry, double yc)
{
    if (rx <= 0 || ry <= 0) return -1;
    const double t = yc / ry;
    if (t <= -1 || t >= 1) return -1;
    return rx * std::sqrt(1 - t * t);
}

// One row of an ellipse: the brush's span, then the pen's (two for a ring's sides), each the
// columns from[k] to to[k] (empty when from[k] > to[k]).
struct EllipseRow {
    bool exact = true; // false: an end lies too near a pixel's edge to be moved with the shape
    int from[3] = {1, 1, 1};
    int to[3] = {0, 0, 0};
};

// The radii an ellipse is drawn with: the path the pen follows, and the pen's outer and inner edges.
struct EllipseRadii {
    double prx, pry, orx, ory, irx, iry;
};

bool near_whole(double v) { return std::abs(v - std::round(v)) < 1e-6; }

// The spans of the row whose centre is yc from the ellipse's centre cx: the pixels whose centres
// lie within each half span of cx. With check, a row whose span ends come near a whole number is
// marked not exact: moved sideways, the rounding of a larger cx could put the end elsewhere.
EllipseRow ellipse_row(const EllipseRadii& e, double cx, double yc, bool brush, bool check)
{
    EllipseRow r;
    const auto from = [&](double h) {
        const double v = cx - h - 0.5;
        if (check && near_whole(v)) r.exact = false;
        return static_cast<int>(std::ceil(v));
    };
    const auto to = [&](double h) {
        const double v = cx + h - 0.5;
        if (check && near_whole(v)) r.exact = false;
        return static_cast<int>(std::floor(v));
    };
    const double ho = half_span(e.orx, e.ory, yc);
    if (ho < 0) return r;
    const double hi = half_span(e.irx, e.iry, yc);
    if (brush) {
        const double hb = half_span(e.prx, e.pry, yc);
        if (hb >= 0) {
            r.from[0] = from(hb);
            r.to[0] = to(hb);
        }
    }
    r.from[1] = from(ho);
    r.to[1] = to(ho);
    if (hi < 0) return r;
    // The ring: the outer span without the inner one, unless the hole misses the pixel centres.
    const int inner_from = from(hi);
    const int inner_to = to(hi);
    if (inner_from > inner_to) return r;
    r.from[2] = inner_to + 1;
    r.to[2] = r.to[1];
    r.to[1] = inner_from - 1;
    return r;
}

// One row of a stroke's pixels, relative to the stroke's first point.
struct StampRun {
    int dy;
    int x1;
    int x2; // one past the last pixel
};

} // namespace

struct Canvas::Impl {
    SDL_Surface* surface = nullptr;
    cairo_surface_t* cairo_surface = nullptr;
    cairo_t* cr = nullptr;

    ~Impl()
    {
        if (cr) cairo_destroy(cr);
        if (cairo_surface) cairo_surface_destroy(cairo_surface);
        if (surface) SDL_FreeSurface(surface);
    }

    // Cairo drawing context over the same pixels, antialiasing off.
    cairo_t* begin_shapes()
    {
        if (!cr) {
            cairo_surface =
                cairo_image_surface_create_for_data(static_cast<unsigned char*>(surface->pixels), CAIRO_FORMAT_RGB24,
                                                    surface->w, surface->h, surface->pitch);
            cr = cairo_create(cairo_surface);
            cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
            cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
            cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        }
        cairo_surface_mark_dirty(cairo_surface);
        return cr;
    }
    void end_shapes() { cairo_surface_flush(cairo_surface); }

    // The pixels that differ from a colour key, as runs row by row: found once for a picture and
    // its key, so a keyed draw copies whole runs and never looks at the pixels it leaves out.
    // Forgotten whenever the pixels change.
    struct OpaqueRuns {
        bool valid = false;
        std::uint32_t key = 0;
        std::vector<int> first; // the runs of row y are first[y] .. first[y + 1] - 1
        std::vector<int> starts;
        std::vector<int> ends; // one past the run's last pixel
        // No pixel has its unused top byte set: the runs copy as they are, and they are exactly
        // the pixels whose colour differs from the key.
        bool clean = true;
    };
    OpaqueRuns opaque;

    const OpaqueRuns& opaque_runs(std::uint32_t key)
    {
        if (opaque.valid && opaque.key == key) return opaque;
        opaque.valid = true;
        opaque.key = key;
        opaque.first.assign(static_cast<std::size_t>(surface->h) + 1, 0);
        opaque.starts.clear();
        opaque.ends.clear();
        std::uint32_t top = 0;
        for (int y = 0; y < surface->h; ++y) {
            opaque.first[static_cast<std::size_t>(y)] = static_cast<int>(opaque.starts.size());
            const auto* r = reinterpret_cast<const std::uint32_t*>(static_cast<const char*>(surface->pixels) +
                                                                   static_cast<std::ptrdiff_t>(y) * surface->pitch);
            for (int x = 0; x < surface->w; ++x) top |= r[x];
            for (int x = 0; x < surface->w;) {
                while (x < surface->w && r[x] == key) ++x;
                if (x >= surface->w) break;
                opaque.starts.push_back(x);
                while (x < surface->w && r[x] != key) ++x;
                opaque.ends.push_back(x);
            }
        }
        opaque.first.back() = static_cast<int>(opaque.starts.size());
        opaque.clean = (top & 0xFF000000u) == 0;
        return opaque;
    }

    // The pixels a short stroke covers, relative to its first point, by its run (x2 - x0, y2 - y0)
    // and pen width: a stroke covers the same pixels wherever it starts, so Cairo draws each shape
    // once and later strokes fill its runs.
    static constexpr int kStampReach = 64; // the longest run kept, in each direction
    static constexpr int kStampWidth = 16; // the widest pen kept
    static constexpr std::size_t kStampLimit = 1024;
    std::unordered_map<std::uint64_t, std::vector<StampRun>> stamps;
    // The shapes drawn once so far, by a slot of their key: a shape is kept when it comes again.
    // Making a copy costs more than drawing, and most long strokes (a wave's rays) never repeat.
    static constexpr int kSeenBits = 12;
    static constexpr std::size_t kSeenSlots = std::size_t{1} << kSeenBits;
    std::vector<std::uint64_t> seen_once; // made on the first stroke

    // The rows of small ellipses by size, pen width and brush, relative to their box's top-left
    // corner: a row's distance from the centre is exact wherever the box lies, so only the span
    // ends are moved (and the few rows marked not exact are worked out again).
    struct EllipseShape {
        int first = 0; // the row of rows[0], from the box's top
        std::vector<EllipseRow> rows;
        bool all_exact = true; // every row moves with the shape
        int left = 0;          // the columns of its spans, from the box's left
        int right = -1;
    };
    // Up to the explosion's widest rings (the same sizes every time one goes off); bounded by
    // count and by rows kept (under a megabyte).
    static constexpr int kShapeSize = 1000;
    static constexpr std::size_t kShapeLimit = 512;
    static constexpr std::size_t kShapeRows = 1 << 15;
    std::size_t shape_rows = 0;
    std::unordered_map<std::uint64_t, EllipseShape> shapes;
    // The shape drawn last: the effects draw runs of circles of one size.
    std::uint64_t last_shape_key = 0;
    const EllipseShape* last_shape = nullptr;

    const EllipseShape* kept_shape(std::uint64_t key)
    {
        if (last_shape && last_shape_key == key) return last_shape;
        const auto found = shapes.find(key);
        if (found == shapes.end()) return nullptr;
        last_shape_key = key;
        last_shape = &found->second;
        return last_shape;
    }
};

namespace {

// The shape of the stroke from (0, 0) to (dx, dy) with a pen of width w, drawn by Cairo as the
// canvas draws its lines; nothing when Cairo fails or the shape reaches the scratch image's edge
// (the margin is wider than the pen, so that is only a guard).
std::optional<std::vector<StampRun>> draw_stamp(int dx, int dy, int w)
{
    const int reach = w / 2 + 3;
    const int ox = std::max(0, -dx) + reach;
    const int oy = std::max(0, -dy) + reach;
    const int sw = std::abs(dx) + 2 * reach + 1;
    const int sh = std::abs(dy) + 2 * reach + 1;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(sw) * static_cast<std::size_t>(sh), 0);
    cairo_surface_t* surface = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(pixels.data()),
                                                                   CAIRO_FORMAT_RGB24, sw, sh, sw * 4);
    cairo_t* cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    const double shift = (w % 2 == 1) ? 0.5 : 0.0;
    cairo_move_to(cr, ox + shift, oy + shift);
    cairo_line_to(cr, ox + dx + shift, oy + dy + shift);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_set_line_width(cr, w);
    cairo_stroke(cr);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    const bool drawn = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    if (!drawn) return std::nullopt;
    std::vector<StampRun> runs;
    for (int y = 0; y < sh; ++y) {
        const std::uint32_t* r = pixels.data() + static_cast<std::ptrdiff_t>(y) * sw;
        for (int x = 0; x < sw;) {
            while (x < sw && r[x] == 0) ++x;
            if (x >= sw) break;
            const int start = x;
            while (x < sw && r[x] != 0) ++x;
            // A shape touching the scratch image's edge may have been cut: not kept.
            if (start == 0 || x == sw || y == 0 || y == sh - 1) return std::nullopt;
            runs.push_back({y - oy, start - ox, x - ox});
        }
    }
    return runs;
}

} // namespace

Canvas::Canvas() = default;
Canvas::~Canvas() = default;
Canvas::Canvas(Canvas&&) noexcept = default;
Canvas& Canvas::operator=(Canvas&&) noexcept = default;

void Canvas::resize(int width, int height)
{
    impl_.reset();
    if (width <= 0 || height <= 0) return;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_XRGB8888);
    if (!s) {
        std::fprintf(stderr, "zentrifa: cannot create a %dx%d image: %s\n", width, height, SDL_GetError());
        return;
    }
    SDL_FillRect(s, nullptr, 0);
    impl_ = std::make_shared<Impl>();
    impl_->surface = s;
    drawn_ = {};
}

void Canvas::share(const Canvas& other)
{
    impl_ = other.impl_;
    drawn_ = other.drawn_;
    transparent_ = other.transparent_;
}

bool Canvas::writable()
{
    if (!impl_) return false;
    if (impl_.use_count() == 1) return true;
    const SDL_Surface* from = impl_->surface;
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, from->w, from->h, 32, SDL_PIXELFORMAT_XRGB8888);
    if (!s) {
        std::fprintf(stderr, "zentrifa: cannot create a %dx%d image: %s\n", from->w, from->h, SDL_GetError());
        return false;
    }
    for (int y = 0; y < from->h; ++y)
        std::memcpy(static_cast<char*>(s->pixels) + static_cast<std::ptrdiff_t>(y) * s->pitch,
                    static_cast<const char*>(from->pixels) + static_cast<std::ptrdiff_t>(y) * from->pitch,
                    static_cast<std::size_t>(from->w) * 4);
    auto own = std::make_shared<Impl>();
    own->surface = s;
    impl_ = std::move(own);
    return true;
}

void Canvas::assign(Canvas&& other)
{
    impl_ = std::move(other.impl_);
    drawn_ = std::exchange(other.drawn_, Box{});
}

void Canvas::clear()
{
    impl_.reset();
    drawn_ = {};
}

void Canvas::mark_drawn(int x1, int y1, int x2, int y2)
{
    if (impl_) impl_->opaque.valid = false;
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, width());
    y2 = std::min(y2, height());
    if (x2 <= x1 || y2 <= y1) return;
    if (drawn_.empty()) {
        drawn_ = {x1, y1, x2, y2};
        return;
    }
    drawn_ = {std::min(drawn_.x1, x1), std::min(drawn_.y1, y1), std::max(drawn_.x2, x2), std::max(drawn_.y2, y2)};
}

std::uint32_t* Canvas::row(int y)
{
    return reinterpret_cast<std::uint32_t*>(static_cast<char*>(impl_->surface->pixels) +
                                            static_cast<std::ptrdiff_t>(y) * impl_->surface->pitch);
}

int Canvas::width() const { return impl_ ? impl_->surface->w : 0; }
int Canvas::height() const { return impl_ ? impl_->surface->h : 0; }
bool Canvas::empty() const { return !impl_; }

const std::uint32_t* Canvas::pixels() const
{
    return impl_ ? static_cast<const std::uint32_t*>(impl_->surface->pixels) : nullptr;
}
std::uint32_t* Canvas::pixels()
{
    if (!writable()) return nullptr;
    mark_drawn(0, 0, width(), height()); // the caller may write anywhere
    return static_cast<std::uint32_t*>(impl_->surface->pixels);
}
int Canvas::pitch() const { return impl_ ? impl_->surface->pitch : 0; }

Colour Canvas::pixel(int x, int y) const
{
    if (!impl_ || x < 0 || y < 0 || x >= width() || y >= height()) return 0;
    const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const char*>(impl_->surface->pixels) +
                                                             static_cast<std::ptrdiff_t>(y) * impl_->surface->pitch);
    return row[x] & 0xFFFFFFu;
}

void Canvas::set_pixel(int x, int y, Colour c)
{
    if (!impl_ || x < 0 || y < 0 || x >= width() || y >= height() || !writable()) return;
    row(y)[x] = to_pixel(c);
    mark_drawn(x, y, x + 1, y + 1);
}

void Canvas::fill(Colour c)
{
    if (!writable()) return;
    if (to_pixel(c) != 0) {
        fill_rect(0, 0, width(), height(), c);
        return;
    }
    // Outside the drawn box everything is black already.
    const Box b = drawn_;
    fill_rect(b.x1, b.y1, b.x2, b.y2, 0);
    drawn_ = {};
}

// Plain stores rather than SDL_FillRect's streaming ones: a frame fills its surfaces and reads
// them again at once (the copy, the OR), and streamed pixels would have to come back from memory.
void Canvas::fill_rect(int x1, int y1, int x2, int y2, Colour c)
{
    if (!writable()) return;
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, width());
    y2 = std::min(y2, height());
    if (x2 <= x1 || y2 <= y1) return;
    const std::uint32_t p = to_pixel(c);
    impl_->opaque.valid = false;
    if (p != 0) mark_drawn(x1, y1, x2, y2); // black keeps the drawn box true as it is
    if (x1 == 0 && x2 == width() && pitch() == width() * static_cast<int>(sizeof p)) {
        // Whole rows without gaps between them: one run.
        fill_row(row(y1), width() * (y2 - y1), p);
        return;
    }
    for (int y = y1; y < y2; ++y) fill_row(row(y) + x1, x2 - x1, p);
}

void Canvas::rectangle(int x1, int y1, int x2, int y2, Pen pen, std::optional<Colour> brush)
{
    if (!writable()) return;
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (brush) fill_rect(x1, y1, x2, y2, *brush);
    // The outline runs along the box's outer pixels; a wider pen grows around that line.
    const int w = std::max(1, pen.width);
    const int lo = (w - 1) / 2;
    const int hi = w / 2;
    const int right = x2 - 1;
    const int bottom = y2 - 1;
    if (right < x1 || bottom < y1) return;
    fill_rect(x1 - lo, y1 - lo, right + hi + 1, y1 + hi + 1, pen.colour);         // top
    fill_rect(x1 - lo, bottom - lo, right + hi + 1, bottom + hi + 1, pen.colour); // bottom
    fill_rect(x1 - lo, y1 - lo, x1 + hi + 1, bottom + hi + 1, pen.colour);        // left
    fill_rect(right - lo, y1 - lo, right + hi + 1, bottom + hi + 1, pen.colour);  // right
}

static void set_source(cairo_t* cr, Colour c)
{
    cairo_set_source_rgb(cr, red_of(c) / 255.0, green_of(c) / 255.0, blue_of(c) / 255.0);
}

// Round shapes are filled span by span straight into the pixels (aliased, like the rest):
// the effects draw hundreds of small discs and rings a frame, and spans cost a fraction of
// a general path fill.
void Canvas::ellipse(int x1, int y1, int x2, int y2, Pen pen, std::optional<Colour> brush)
{
    if (!writable()) return;
    if (x2 < x1) std::swap(x1, x2);
    if (y2 < y1) std::swap(y1, y2);
    if (x2 == x1 || y2 == y1) return;
    const int w = std::max(1, pen.width);
    const int w_img = width();
    const int h_img = height();
    const std::uint32_t colours[3] = {brush ? to_pixel(*brush) : 0, to_pixel(pen.colour), to_pixel(pen.colour)};
    // Far-off boxes are left to the general rows, whose sums stay within int's range.
    const bool keep = x2 - x1 <= Impl::kShapeSize && y2 - y1 <= Impl::kShapeSize && w <= 64 &&
                      std::abs(x1) < (1 << 20) && std::abs(y1) < (1 << 20);
    const std::uint64_t key = (static_cast<std::uint64_t>(x2 - x1) << 24) |
                              (static_cast<std::uint64_t>(y2 - y1) << 12) | (static_cast<std::uint64_t>(w) << 1) |
                              (brush ? 1u : 0u);
    // Rows kept for this size, wholly inside the canvas's width and every one as kept: the spans
    // are filled as they are, nothing worked out.
    const auto fill_kept = [&](const Impl::EllipseShape& shape) {
        if (!shape.all_exact || x1 + shape.left < 0 || x1 + shape.right >= w_img) return false;
        const int first_row = y1 + shape.first;
        const int top = std::max(0, first_row);
        const int bottom = std::min(h_img - 1, first_row + static_cast<int>(shape.rows.size()) - 1);
        if (top > bottom) return true;
        mark_drawn(x1 + shape.left, top, x1 + shape.right + 1, bottom + 1);
        // The rows' place found once: the stores could alias the surface's fields.
        std::uint32_t* at = row(top) + x1;
        const std::ptrdiff_t step = pitch() / static_cast<int>(sizeof *at);
        const EllipseRow* r = shape.rows.data() + (top - first_row);
        for (int y = top; y <= bottom; ++y, ++r, at += step) {
            for (int k = 0; k < 3; ++k)
                if (r->to[k] >= r->from[k]) fill_row(at + r->from[k], r->to[k] - r->from[k] + 1, colours[k]);
        }
        return true;
    };
    const Impl::EllipseShape* shape = keep ? impl_->kept_shape(key) : nullptr;
    if (shape && fill_kept(*shape)) return;

    const double rx = (x2 - x1) / 2.0;
    const double ry = (y2 - y1) / 2.0;
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

    // The rows it may reach, cut to the canvas before they are made ints (a box may lie at the
    // far end of int's range).
    const double reach_top = std::floor(cy - ory) - 1;
    const double reach_bottom = std::ceil(cy + ory) + 1;
    if (reach_top > h_img - 1 || reach_bottom < 0 || cx + orx < -1 || cx - orx > w_img + 1) return;
    const int top = static_cast<int>(std::max(0.0, reach_top));
    const int bottom = static_cast<int>(std::min(h_img - 1.0, reach_bottom));
    // Every span lies within the outer radius of the centre.
    const double box_left = std::max(-2.0, std::floor(cx - orx) - 1);
    const double box_right = std::min(w_img + 2.0, std::ceil(cx + orx) + 2);
    mark_drawn(static_cast<int>(box_left), top, static_cast<int>(box_right), bottom + 1);
    const EllipseRadii radii{prx, pry, orx, ory, irx, iry};
    const auto fill_spans = [&](int y, const EllipseRow& r, int dx) {
        std::uint32_t* row = this->row(y);
        for (int k = 0; k < 3; ++k) {
            const int a = std::max(r.from[k] + dx, 0);
            const int b = std::min(r.to[k] + dx, w_img - 1);
            if (b >= a) fill_row(row + a, b - a + 1, colours[k]);
        }
    };
    if (keep && !shape) {
        Impl::EllipseShape made;
        made.first = static_cast<int>(std::floor(ry - ory)) - 1;
        const int last = static_cast<int>(std::ceil(ry + ory)) + 1;
        made.left = x2 - x1;
        for (int r = made.first; r <= last; ++r) {
            const EllipseRow& row =
                made.rows.emplace_back(ellipse_row(radii, rx, r + 0.5 - ry, brush.has_value(), true));
            made.all_exact = made.all_exact && row.exact;
            for (int k = 0; k < 3; ++k) {
                if (row.from[k] > row.to[k]) continue;
                made.left = std::min(made.left, row.from[k]);
                made.right = std::max(made.right, row.to[k]);
            }
        }
        if (impl_->shapes.size() >= Impl::kShapeLimit || impl_->shape_rows + made.rows.size() > Impl::kShapeRows) {
            impl_->shapes.clear();
            impl_->shape_rows = 0;
        }
        impl_->shape_rows += made.rows.size();
        shape = &impl_->shapes.emplace(key, std::move(made)).first->second;
        impl_->last_shape_key = key;
        impl_->last_shape = shape;
        if (fill_kept(*shape)) return;
    }
    for (int y = top; y <= bottom; ++y) {
        if (shape) {
            const auto r = static_cast<std::size_t>(y - y1 - shape->first);
            if (r < shape->rows.size() && shape->rows[r].exact) {
                fill_spans(y, shape->rows[r], x1);
                continue;
            }
        }
        fill_spans(y, ellipse_row(radii, cx, y + 0.5 - cy, brush.has_value(), false), 0);
    }
}

void Canvas::line(int x0, int y0, int x1, int y1, Pen pen)
{
    const Point p[2] = {{x0, y0}, {x1, y1}};
    polyline(p, 2, pen);
}

void Canvas::polyline(const Point* points, int count, Pen pen)
{
    if (!writable() || count < 2) return;
    const double w = std::max(1, pen.width);
    const double shift = (static_cast<int>(w) % 2 == 1) ? 0.5 : 0.0;
    // The stroke stays within half the pen of its path (round caps and joins), and the path
    // within the box of its points, wherever they lie.
    const int reach = std::max(1, pen.width) / 2 + 2;
    Box path{points[0].x, points[0].y, points[0].x, points[0].y};
    for (int i = 1; i < count; ++i) {
        path.x1 = std::min(path.x1, points[i].x);
        path.y1 = std::min(path.y1, points[i].y);
        path.x2 = std::max(path.x2, points[i].x);
        path.y2 = std::max(path.y2, points[i].y);
    }
    mark_drawn(path.x1 - reach, path.y1 - reach, path.x2 + reach + 1, path.y2 + reach + 1);
    if (count == 2 && stamp_line(points[0].x, points[0].y, points[1].x, points[1].y, static_cast<int>(w), pen.colour))
        return;
    cairo_t* cr = impl_->begin_shapes();
    cairo_new_path(cr);
    cairo_move_to(cr, points[0].x + shift, points[0].y + shift);
    for (int i = 1; i < count; ++i) cairo_line_to(cr, points[i].x + shift, points[i].y + shift);
    set_source(cr, pen.colour);
    cairo_set_line_width(cr, w);
    cairo_stroke(cr);
    impl_->end_shapes();
}

bool Canvas::stamp_line(int x0, int y0, int x1, int y1, int pen_width, Colour colour)
{
    const int dx = x1 - x0;
    const int dy = y1 - y0;
    if (std::abs(dx) > Impl::kStampReach || std::abs(dy) > Impl::kStampReach || pen_width > Impl::kStampWidth)
        return false;
    const std::uint64_t key = (static_cast<std::uint64_t>(dx + Impl::kStampReach) << 32) |
                              (static_cast<std::uint64_t>(dy + Impl::kStampReach) << 16) |
                              static_cast<std::uint64_t>(pen_width);
    auto found = impl_->stamps.find(key);
    if (found == impl_->stamps.end()) {
        if (impl_->seen_once.empty()) impl_->seen_once.assign(Impl::kSeenSlots, ~std::uint64_t{0});
        std::uint64_t& seen = impl_->seen_once[(key * 0x9E3779B97F4A7C15u) >> (64 - Impl::kSeenBits)];
        if (seen != key) {
            seen = key;
            return false;
        }
        std::optional<std::vector<StampRun>> runs = draw_stamp(dx, dy, pen_width);
        if (!runs) return false;
        if (impl_->stamps.size() >= Impl::kStampLimit) impl_->stamps.clear();
        found = impl_->stamps.emplace(key, std::move(*runs)).first;
    }
    // Cairo writes its opaque pixels with the unused top byte set; so does the copy.
    const std::uint32_t p = 0xFF000000u | to_pixel(colour);
    const int w_img = width();
    const int h_img = height();
    for (const StampRun& r : found->second) {
        const int y = y0 + r.dy;
        if (y < 0 || y >= h_img) continue;
        const int a = std::max(0, x0 + r.x1);
        const int b = std::min(w_img, x0 + r.x2);
        if (b > a) fill_row(row(y) + a, b - a, p);
    }
    return true;
}

void Canvas::text(int x, int y, std::string_view utf8, Font font, Colour colour, std::optional<Colour> background)
{
    if (!fonts_ || utf8.empty() || !writable()) return;
    const Extent drawn = fonts_->draw(*this, x, y, utf8, font, colour, background);
    if (text_notes_) text_notes_->push_back(DrawnText{std::string(utf8), x, y, drawn.width, drawn.height});
}

Extent Canvas::text_extent(std::string_view utf8, Font font) const
{
    if (!fonts_ || utf8.empty()) return {};
    return fonts_->extent(utf8, font);
}

void Canvas::draw(const Canvas& src, int x, int y)
{
    if (!writable() || !src.impl_) return;
    const int sw = src.width();
    const int sh = src.height();
    if (!src.transparent_) {
        copy_rect(x, y, src, 0, 0, sw, sh);
        return;
    }
    // Colour-keyed: every pixel but the key's exact value is drawn, its unused top byte cleared.
    const std::uint32_t key = src.pixel(0, sh - 1);
    mark_drawn(x, y, x + sw, y + sh);
    const int cx1 = std::max(0, x);
    const int cx2 = std::min(width(), x + sw);
    const int cy1 = std::max(0, y);
    const int cy2 = std::min(height(), y + sh);
    if (cx2 <= cx1 || cy2 <= cy1) return;
    const Impl::OpaqueRuns& runs = src.impl_->opaque_runs(key);
    const auto* sp = static_cast<const char*>(src.impl_->surface->pixels);
    for (int dy = cy1; dy < cy2; ++dy) {
        const int sy = dy - y;
        const auto* srow = reinterpret_cast<const std::uint32_t*>(sp + static_cast<std::ptrdiff_t>(sy) * src.pitch());
        std::uint32_t* drow = row(dy);
        const int last = runs.first[static_cast<std::size_t>(sy) + 1];
        for (int k = runs.first[static_cast<std::size_t>(sy)]; k < last; ++k) {
            const int a = std::max(runs.starts[static_cast<std::size_t>(k)], cx1 - x);
            const int b = std::min(runs.ends[static_cast<std::size_t>(k)], cx2 - x);
            if (b <= a) continue;
            if (runs.clean) {
                std::memcpy(drow + x + a, srow + a, static_cast<std::size_t>(b - a) * sizeof *drow);
            } else {
                for (int i = a; i < b; ++i) drow[x + i] = srow[i] & 0xFFFFFFu;
            }
        }
    }
}

void Canvas::stretch_draw(const Canvas& src, int x1, int y1, int x2, int y2)
{
    if (!writable() || !src.impl_) return;
    const bool mirror_x = x2 < x1;
    const bool mirror_y = y2 < y1;
    if (mirror_x) std::swap(x1, x2);
    if (mirror_y) std::swap(y1, y2);
    const int dw = x2 - x1;
    const int dh = y2 - y1;
    if (dw <= 0 || dh <= 0) return;
    const int sw = src.width();
    const int sh = src.height();
    const std::uint32_t key = src.pixel(0, sh - 1);
    const bool keyed = src.transparent_;
    const int cx1 = std::max(0, x1);
    const int cy1 = std::max(0, y1);
    const int cx2 = std::min(width(), x2);
    const int cy2 = std::min(height(), y2);
    if (cx2 <= cx1 || cy2 <= cy1) return;
    mark_drawn(cx1, cy1, cx2, cy2);
    // The source column of each column drawn, found once for every row: sx = (x - x1) * sw / dw,
    // stepped along without a division per pixel.
    std::vector<int> columns(static_cast<std::size_t>(cx2 - cx1));
    const long long start = static_cast<long long>(cx1 - x1) * sw;
    int sx = static_cast<int>(start / dw);
    int rest = static_cast<int>(start % dw);
    for (int& column : columns) {
        column = mirror_x ? sw - 1 - sx : sx;
        rest += sw;
        while (rest >= dw) {
            rest -= dw;
            ++sx;
        }
    }
    const Impl::OpaqueRuns* runs = keyed && &src != this ? &src.impl_->opaque_runs(key) : nullptr;
    const auto* sp = static_cast<const char*>(src.impl_->surface->pixels);
    const auto source_row = [&](int y) {
        int sy = static_cast<int>((static_cast<long long>(y - y1) * sh) / dh);
        if (mirror_y) sy = sh - 1 - sy;
        return sy;
    };
    if (runs && runs->clean) {
        // The runs are exactly what shows. The columns run one way through the source, so the
        // columns drawn from a run lie together: found from the first column drawn at or past
        // each source column (counted along the picture, mirrored or not).
        std::vector<int> first_at(static_cast<std::size_t>(sw) + 1);
        std::size_t i = 0;
        for (int m = 0; m <= sw; ++m) {
            while (i < columns.size() && (mirror_x ? sw - 1 - columns[i] : columns[i]) < m) ++i;
            first_at[static_cast<std::size_t>(m)] = static_cast<int>(i);
        }
        for (int y = cy1; y < cy2; ++y) {
            const int sy = source_row(y);
            const auto* srow =
                reinterpret_cast<const std::uint32_t*>(sp + static_cast<std::ptrdiff_t>(sy) * src.pitch());
            std::uint32_t* drow = row(y) + cx1;
            const int last = runs->first[static_cast<std::size_t>(sy) + 1];
            for (int k = runs->first[static_cast<std::size_t>(sy)]; k < last; ++k) {
                const int a = runs->starts[static_cast<std::size_t>(k)];
                const int b = runs->ends[static_cast<std::size_t>(k)];
                const int from = first_at[static_cast<std::size_t>(mirror_x ? sw - b : a)];
                const int to = first_at[static_cast<std::size_t>(mirror_x ? sw - a : b)];
                for (int d = from; d < to; ++d) drow[d] = srow[columns[static_cast<std::size_t>(d)]];
            }
        }
        return;
    }
    for (int y = cy1; y < cy2; ++y) {
        const int sy = source_row(y);
        const auto* srow = reinterpret_cast<const std::uint32_t*>(sp + static_cast<std::ptrdiff_t>(sy) * src.pitch());
        std::uint32_t* drow = row(y) + cx1;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const std::uint32_t p = srow[columns[i]] & 0xFFFFFFu;
            if (!keyed || p != key) drow[i] = p;
        }
    }
}

void Canvas::copy_rect(int dx, int dy, const Canvas& src, int sx, int sy, int w, int h)
{
    if (!writable() || !src.impl_ || w <= 0 || h <= 0) return;
    // Clip against the source, then the destination.
    if (sx < 0) {
        dx -= sx;
        w += sx;
        sx = 0;
    }
    if (sy < 0) {
        dy -= sy;
        h += sy;
        sy = 0;
    }
    w = std::min(w, src.width() - sx);
    h = std::min(h, src.height() - sy);
    if (dx < 0) {
        sx -= dx;
        w += dx;
        dx = 0;
    }
    if (dy < 0) {
        sy -= dy;
        h += dy;
        dy = 0;
    }
    w = std::min(w, width() - dx);
    h = std::min(h, height() - dy);
    if (w <= 0 || h <= 0) return;
    mark_drawn(dx, dy, dx + w, dy + h);
    if (&src == this && dx == sx && dy == sy) return; // a shake that stands still this frame
    const auto* sp = static_cast<const char*>(src.impl_->surface->pixels);
    auto* dp = static_cast<char*>(impl_->surface->pixels);
    const std::size_t bytes = static_cast<std::size_t>(w) * 4;
    // Rows in an order that is safe when the source is this canvas (the screen shake).
    if (&src == this && dy > sy) {
        for (int r = h - 1; r >= 0; --r)
            std::memmove(dp + static_cast<std::ptrdiff_t>(dy + r) * pitch() + static_cast<std::ptrdiff_t>(dx) * 4,
                         sp + static_cast<std::ptrdiff_t>(sy + r) * src.pitch() + static_cast<std::ptrdiff_t>(sx) * 4,
                         bytes);
    } else {
        for (int r = 0; r < h; ++r)
            std::memmove(dp + static_cast<std::ptrdiff_t>(dy + r) * pitch() + static_cast<std::ptrdiff_t>(dx) * 4,
                         sp + static_cast<std::ptrdiff_t>(sy + r) * src.pitch() + static_cast<std::ptrdiff_t>(sx) * 4,
                         bytes);
    }
}

namespace {

// The OR of one row of an overlay onto the screen's row (black in the overlay leaves the screen
// as it is), the overlay's row left black in the same pass.
void or_row(std::uint32_t* drow, std::uint32_t* srow, int x1, int x2)
{
    // Four pixels at a time (a vector of the compilers we build with), then the rest one by one.
    using Pixels4 = std::uint32_t __attribute__((vector_size(16)));
    constexpr Pixels4 kBlack{};
    int x = x1;
    for (; x + 4 <= x2; x += 4) {
        Pixels4 d;
        Pixels4 s;
        std::memcpy(&d, drow + x, sizeof d);
        std::memcpy(&s, srow + x, sizeof s);
        d = (d | s) & 0xFFFFFFu;
        std::memcpy(drow + x, &d, sizeof d);
        std::memcpy(srow + x, &kBlack, sizeof kBlack);
    }
    for (; x < x2; ++x) {
        drow[x] = (drow[x] | srow[x]) & 0xFFFFFFu;
        srow[x] = 0;
    }
}

} // namespace

void Canvas::take_overlay(Canvas& overlay)
{
    if (!writable() || !overlay.writable()) return;
    // Black ORs to nothing: only the box the overlay has drawn into.
    const Box b = overlay.drawn_;
    const int x2 = std::min(b.x2, width());
    const int y2 = std::min(b.y2, height());
    if (x2 <= b.x1 || y2 <= b.y1) {
        overlay.fill(0); // nothing drawn, or all of it beyond this canvas's edge
        return;
    }
    mark_drawn(b.x1, b.y1, x2, y2);
    for (int y = b.y1; y < y2; ++y) or_row(row(y), overlay.row(y), b.x1, x2);
    if (x2 < b.x2 || y2 < b.y2) {
        overlay.fill(0); // an overlay larger than this canvas: the rest cleared plainly
    } else {
        overlay.impl_->opaque.valid = false;
        overlay.drawn_ = {};
    }
}

namespace {

extern "C" void append_png_bytes(png_structp png, png_bytep data, png_size_t length)
{
    static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

extern "C" void flush_nothing(png_structp) {}

} // namespace

bool Canvas::encode_png(std::string& bytes) const
{
    bytes.clear();
    if (!impl_) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    std::vector<unsigned char> row(static_cast<std::size_t>(width()) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        bytes.clear();
        return false;
    }
    png_set_write_fn(png, &bytes, append_png_bytes, flush_nothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width()), static_cast<png_uint_32>(height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height(); ++y) {
        for (int x = 0; x < width(); ++x) {
            const Colour c = pixel(x, y);
            row[static_cast<std::size_t>(x) * 3] = static_cast<unsigned char>(red_of(c));
            row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<unsigned char>(green_of(c));
            row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<unsigned char>(blue_of(c));
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

bool Canvas::save_png(const std::filesystem::path& file, std::string* error) const
{
    std::string why;
    std::string bytes;
    if (!impl_) {
        why = file.string() + ": nothing to write (an empty picture)";
    } else if (!encode_png(bytes)) {
        why = file.string() + ": the picture could not be encoded";
    } else if (replace_file(file, bytes, why)) {
        // Whole or not at all: a temporary beside it takes its name only once complete.
        return true;
    }
    if (error) *error = why;
    return false;
}

} // namespace zen
