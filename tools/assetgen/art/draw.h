#pragma once
// The shared drawing kit of the picture pack: one palette (each colour with its shadow tone), one
// light from the top-left, dark ink outlines for figures and none for scenery.
#include <cairo.h>

#include <cstdint>
#include <functional>
#include <initializer_list>

namespace assetgen::art {

struct Col {
    double r, g, b;
};
constexpr Col hex(std::uint32_t v)
{
    return {((v >> 16) & 0xFF) / 255.0, ((v >> 8) & 0xFF) / 255.0, (v & 0xFF) / 255.0};
}
Col mix(Col a, Col b, double t);

// A palette colour: its lit tone and its shadow tone.
struct Tone {
    Col lit, shade;
};
constexpr Tone tone(std::uint32_t lit, std::uint32_t shade) { return {hex(lit), hex(shade)}; }

namespace pal {
constexpr Col ink = hex(0x2B2233);
constexpr Col eye = hex(0x241C2C);
constexpr Col white = hex(0xFFFFFF);
constexpr Tone skin = tone(0xFFDCC0, 0xE9A88E);
constexpr Tone tan = tone(0xE2A67A, 0xB77B52);
constexpr Tone hair_black = tone(0x3C3446, 0x241E2C);
constexpr Tone hair_brown = tone(0x8E5B3A, 0x653D25);
constexpr Tone hair_blonde = tone(0xF6D06A, 0xD4A245);
constexpr Tone hair_orange = tone(0xE8843C, 0xB85A26);
constexpr Tone red = tone(0xE8504A, 0xB0363A);
constexpr Tone orange = tone(0xF79B3A, 0xC86E22);
constexpr Tone yellow = tone(0xFFD84A, 0xD8A82A);
constexpr Tone green = tone(0x6CC46A, 0x3E8E4E);
constexpr Tone teal = tone(0x3FB8B0, 0x2A8280);
constexpr Tone sky = tone(0x7CC8F2, 0x4E98C8);
constexpr Tone blue = tone(0x4A8AE0, 0x2F5FA8);
constexpr Tone navy = tone(0x34467C, 0x212C52);
constexpr Tone purple = tone(0x9A6AD2, 0x6C46A0);
constexpr Tone pink = tone(0xFF9EC4, 0xD86E9A);
constexpr Tone white_cloth = tone(0xF8F6F0, 0xCDC8D8);
constexpr Tone grey = tone(0x9CA2AE, 0x6C727E);
constexpr Tone dark = tone(0x4C505E, 0x30333E);
constexpr Tone brown = tone(0xA86B3E, 0x7A4A2A);
constexpr Tone cream = tone(0xF4E4B8, 0xCCB686);
constexpr Tone metal = tone(0xBCC6D0, 0x7E8A98);
constexpr Tone gold = tone(0xFFCA40, 0xCC8E1C);
constexpr Tone bomb = tone(0x3E3E4E, 0x24242E);
constexpr Tone flame = tone(0xFF7A1C, 0xD0401A);
constexpr Tone lime = tone(0xB8E04A, 0x86A82C);
} // namespace pal

using PathFn = std::function<void(cairo_t*)>;

// Path builders.
PathFn ellipse(double cx, double cy, double rx, double ry);
PathFn rrect(double x, double y, double w, double h, double r);
PathFn poly(std::initializer_list<double> xy);
// A closed outline through the points with rounded corners (quadratic-looking curves through midpoints).
PathFn blob(std::initializer_list<double> xy);

void set(cairo_t* cr, Col c, double a = 1.0);
void fill(cairo_t* cr, const PathFn& p, Col c, double a = 1.0);

// Figure pen: fills with the lit tone, darkens the part turned away from the top-left light and
// outlines in ink.
class Pen {
public:
    Pen(cairo_t* cr, double ink_width) : cr_(cr), w_(ink_width) {}
    cairo_t* cr() const { return cr_; }
    double ink() const { return w_; }

    // Shaded shape: the shadow is the part not covered by the shape moved up-left by (d, d).
    void shape(const PathFn& p, Tone t, double d = 2.0, bool outline = true);
    void flat(const PathFn& p, Col c, bool outline = true);
    void outline(const PathFn& p, double width_scale = 1.0);
    // A limb or tube: a thick round-capped stroke along the points, outlined.
    void tube(std::initializer_list<double> xy, double width, Col c);
    // An inked line.
    void line(std::initializer_list<double> xy, double width, Col c);
    // Dark oval eye with one highlight.
    void eye(double cx, double cy, double rx, double ry);
    // Soft white gloss spot.
    void gloss(double cx, double cy, double rx, double ry, double a = 0.7);

private:
    cairo_t* cr_;
    double w_;
};

// A transparent ARGB32 surface and its context, destroyed together.
struct Canvas {
    cairo_surface_t* surface;
    cairo_t* cr;
    Canvas(int w, int h, bool alpha = true);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
};

// Scenery helpers (no outlines).
void vgradient(cairo_t* cr, double x, double y, double w, double h, Col top, Col bottom);
void radial_glow(cairo_t* cr, double cx, double cy, double r, Col c, double a);

} // namespace assetgen::art
