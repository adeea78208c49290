#pragma once
// The game's typeface (IPA P Gothic, found through fontconfig) at every size it uses,
// with a cache of rendered texts keyed by (text, size, bold, colour, background).
#include "platform/canvas.h"

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

// The text as the classic Japanese font showed it: each backslash becomes a yen sign.
std::string yen_for_backslash(std::string_view utf8);

} // namespace zen
