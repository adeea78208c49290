#pragma once
// An image the game draws on: 24-bit pixels (XRGB8888) with the drawing operations the game uses.
// The same memory serves SDL blits, Cairo shapes (antialiasing off) and SDL2_ttf text.
// An empty canvas (never loaded, never sized) holds no pixel memory at all.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zen {

class Fonts;

using Colour = std::uint32_t; // 0xRRGGBB

constexpr Colour rgb(int r, int g, int b)
{
    return (static_cast<Colour>(r & 255) << 16) | (static_cast<Colour>(g & 255) << 8) | static_cast<Colour>(b & 255);
}
constexpr int red_of(Colour c) { return static_cast<int>((c >> 16) & 255); }
constexpr int green_of(Colour c) { return static_cast<int>((c >> 8) & 255); }
constexpr int blue_of(Colour c) { return static_cast<int>(c & 255); }

// Pen: line colour and width. A width of 0 or below draws the thinnest line.
struct Pen {
    Colour colour = 0;
    int width = 1;
};

// Text font: size in points (at 96 dots per inch, as the classic desktop drew it) and bold.
struct Font {
    int size = 10;
    bool bold = false;
};

struct Point {
    int x = 0;
    int y = 0;
};

struct Extent {
    int width = 0;
    int height = 0;
};

// The pixels x1 <= x < x2, y1 <= y < y2.
struct Box {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    bool empty() const { return x2 <= x1 || y2 <= y1; }
};

class Canvas {
public:
    Canvas();
    ~Canvas();
    Canvas(Canvas&&) noexcept;
    Canvas& operator=(Canvas&&) noexcept;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    // Makes the canvas width x height, all black (frees the pixels when either is 0).
    void resize(int width, int height);
    // Takes over another canvas's pixels (used by picture loading).
    void assign(Canvas&& other);
    // Holds the same pixels as other without a copy of them (with its transparency): a picture
    // read once and shown by many holders costs its memory once. Whichever of them is drawn on
    // first takes a copy of its own then, so the others never change under it.
    void share(const Canvas& other);
    // Whether the two hold the very same pixels (shared, not copies).
    bool shares_pixels_with(const Canvas& other) const { return impl_ && impl_ == other.impl_; }
    void clear(); // back to empty, no pixel memory

    int width() const;
    int height() const;
    bool empty() const;

    // Transparent canvases are drawn with their bottom-left pixel's colour left out.
    void set_transparent(bool on) { transparent_ = on; }
    bool transparent() const { return transparent_; }

    // Fonts for text drawing; a canvas without fonts draws no text and measures 0.
    void set_fonts(Fonts* fonts) { fonts_ = fonts; }
    Fonts* fonts() const { return fonts_; }

    // Where a text was drawn; a test that lays out every text notes them (nothing is noted unless
    // note_texts was given a list).
    struct DrawnText {
        std::string text;
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
    };
    void note_texts(std::vector<DrawnText>* notes) { text_notes_ = notes; }

    Colour pixel(int x, int y) const; // 0 outside
    void set_pixel(int x, int y, Colour c);

    // Solid fills. Rectangles cover x1 <= x < x2, y1 <= y < y2. Filling black clears only what
    // has been drawn since the canvas was last all black (an overlay with nothing on it costs
    // nothing).
    void fill(Colour c);
    void fill_rect(int x1, int y1, int x2, int y2, Colour c);

    // Rectangle and ellipse in the box (x1, y1)-(x2, y2): filled with brush when given, outlined with pen.
    void rectangle(int x1, int y1, int x2, int y2, Pen pen, std::optional<Colour> brush);
    void ellipse(int x1, int y1, int x2, int y2, Pen pen, std::optional<Colour> brush);
    // The circle of radius r around (cx, cy): the ellipse in (cx - r, cy - r)-(cx + r, cy + r).
    void circle(int cx, int cy, int r, Pen pen, std::optional<Colour> brush)
    {
        ellipse(cx - r, cy - r, cx + r, cy + r, pen, brush);
    }
    void line(int x0, int y0, int x1, int y1, Pen pen);
    void polyline(const Point* points, int count, Pen pen);

    // Text with its top-left corner at (x, y). With a background colour the text's box is
    // filled first (opaque text); without, the text is drawn over what is there.
    // A backslash is drawn (and measured) as the yen sign, as the classic Japanese font did.
    void text(int x, int y, std::string_view utf8, Font font, Colour colour,
              std::optional<Colour> background = std::nullopt);
    Extent text_extent(std::string_view utf8, Font font) const;
    int text_width(std::string_view utf8, Font font) const { return text_extent(utf8, font).width; }
    int text_height(std::string_view utf8, Font font) const { return text_extent(utf8, font).height; }

    // Draws src with its top-left at (x, y); colour-keyed when src is transparent.
    void draw(const Canvas& src, int x, int y);
    // Stretches src into the rectangle (x1, y1)-(x2, y2); a reversed rectangle mirrors it.
    // Colour-keyed when src is transparent.
    void stretch_draw(const Canvas& src, int x1, int y1, int x2, int y2);
    // Plain copy of the w x h area at (sx, sy) of src to (dx, dy) here (src may be this canvas).
    void copy_rect(int dx, int dy, const Canvas& src, int sx, int sy, int w, int h);
    // Bitwise OR of the overlay's pixels onto this canvas (black in it leaves this unchanged), and
    // the overlay left all black for the next frame's drawing, in the same pass: only the box it
    // has drawn into is read and cleared.
    void take_overlay(Canvas& overlay);

    // The box outside which every pixel is black: everything drawn since the canvas was last all
    // black (sized, cleared, or filled black) lies in it. Raw writes through pixels() count as
    // drawing on the whole canvas.
    Box drawn_box() const { return drawn_; }

    // The canvas as a PNG file's bytes; false (bytes empty) when it is empty or cannot be encoded.
    bool encode_png(std::string& bytes) const;
    // Writes the picture as a PNG file, whole or not at all (through a temporary renamed into
    // place); false, with why in error when given, when it cannot.
    bool save_png(const std::filesystem::path& file, std::string* error = nullptr) const;

    // Raw pixels for the platform (XRGB8888, rows of pitch() bytes); null when empty.
    const std::uint32_t* pixels() const;
    std::uint32_t* pixels();
    int pitch() const;

private:
    // Grows the drawn box by the box (x1, y1)-(x2, y2), clipped to the canvas; the pixels are
    // about to change, so what was learnt about them (the opaque runs) is forgotten.
    void mark_drawn(int x1, int y1, int x2, int y2);
    // A two-point stroke drawn from a cached copy of its shape; false when the line is too large
    // to keep or its shape is seen for the first time (Cairo draws it then).
    bool stamp_line(int x0, int y0, int x1, int y1, int pen_width, Colour colour);
    std::uint32_t* row(int y);
    // Before any change to the pixels: false when there are none; shared pixels are copied first.
    bool writable();

    struct Impl;
    std::shared_ptr<Impl> impl_;
    Box drawn_;
    bool transparent_ = false;
    Fonts* fonts_ = nullptr;
    std::vector<DrawnText>* text_notes_ = nullptr;
};

} // namespace zen
