#pragma once
// The game's typeface (IPA P Gothic, found through fontconfig) at every size it uses,
// with a cache of rendered texts keyed by (text, size, bold, colour, background).
#include "platform/canvas.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace zen {

class Fonts {
public:
    // Finds the font file; with no usable font the game still runs, drawing no text.
    Fonts();
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    bool available() const;
    const std::string& font_file() const;

    Extent extent(std::string_view utf8, Font font);
    // The characters of utf8 (as drawn: a backslash is a yen sign) that the font has no glyph for.
    std::u32string missing_glyphs(std::string_view utf8);
    // Draws onto dst at (x, y) in colour, opaque on a band of the background colour when one is
    // given; returns the drawn extent.
    Extent draw(Canvas& dst, int x, int y, std::string_view utf8, Font font, Colour colour,
                std::optional<Colour> background = std::nullopt);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Blends n pixels of a rendered text (ARGB, straight alpha) over n of the screen's, word for word
// as SDL's alpha blit does it on this machine: a transparent pixel leaves the screen's word alone,
// an opaque one is copied whole (its top byte set), and the rest mix each channel, the top one
// included, as s * a / 256 + d * (255 - a) / 256, both halves rounded down.
void blend_text_pixels(const std::uint32_t* src, std::uint32_t* dst, int n);

// The text as the classic Japanese font showed it: each backslash becomes a yen sign.
std::string yen_for_backslash(std::string_view utf8);

} // namespace zen
