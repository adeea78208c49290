#pragma once
// The game's typefaces at every size they use, with a cache of rendered texts keyed by (text,
// size, bold, colour, background).
//
// The fonts/ folder of the game's data may hold them: ipagp.ttf, IPA P Gothic, the game's own face
// (where it is not there, as on a Linux system that has it installed, fontconfig finds it), and a
// face for each language IPA P Gothic cannot write, named by the language's code (zh-Hans.otf,
// ko.otf). A language draws with its own face when there is one, else with the game's.
#include "platform/canvas.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace zen {

class Fonts {
public:
    // Finds the font files, the game's own face in fonts_dir first; with no usable font the game
    // still runs, drawing no text.
    explicit Fonts(const std::filesystem::path& fonts_dir = {});
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    bool available() const;
    // The game's own face.
    const std::string& font_file() const;
    // From now on texts are drawn with the face of the language `code` when the fonts folder has
    // one, else with the game's own. A text its face cannot write whole (the options name each
    // language in its own script) is drawn with the first of the other faces that can.
    void use_language(std::string_view code);
    // The font file the text is drawn with.
    const std::string& face_file(std::string_view utf8);

    Extent extent(std::string_view utf8, Font font);
    // The characters of utf8 (as drawn: a backslash is a yen sign) that the face it is drawn with
    // has no glyph for.
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
