// Texts are drawn by our own loops rather than SDL's blit: these hold the two word for word (all
// 32 bits of every pixel), for every channel mix and for whole texts anywhere on a busy screen.
#include "platform/canvas.h"
#include "platform/fonts.h"
#include "test_support.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace zen {
namespace {

// Every (text channel, alpha, screen channel) triple, in each of the three colour channels at
// once and over screens whose unused top byte is clear, set, or anything.
TEST(TextBlend, EveryChannelMixIsSdlsAlphaBlit)
{
    SDL_Surface* text = SDL_CreateRGBSurfaceWithFormat(0, 256, 256, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Surface* screen = SDL_CreateRGBSurfaceWithFormat(0, 256, 256, 32, SDL_PIXELFORMAT_XRGB8888);
    ASSERT_TRUE(text && screen);
    SDL_SetSurfaceBlendMode(text, SDL_BLENDMODE_BLEND);
    auto* src = static_cast<std::uint32_t*>(text->pixels);
    auto* dst = static_cast<std::uint32_t*>(screen->pixels);
    ASSERT_EQ(text->pitch, 256 * 4);
    ASSERT_EQ(screen->pitch, 256 * 4);
    for (std::uint32_t a = 0; a < 256; ++a)
        for (std::uint32_t s = 0; s < 256; ++s)
            src[a * 256 + s] = (a << 24) | (s << 16) | ((255 - s) << 8) | (s ^ 0x5Au);
    std::vector<std::uint32_t> ours(std::size_t{256} * 256);
    long long differ = 0;
    std::string first;
    for (const std::uint32_t top : {0x00000000u, 0xFF000000u, 0x5C000000u}) {
        for (std::uint32_t d = 0; d < 256; ++d) {
            const std::uint32_t word = top | (d << 16) | (((d * 7) & 255) << 8) | (255 - d);
            for (std::uint32_t& p : ours) p = word;
            std::memcpy(dst, ours.data(), ours.size() * 4);
            SDL_BlitSurface(text, nullptr, screen, nullptr);
            for (std::ptrdiff_t row = 0; row < 256; ++row)
                blend_text_pixels(src + row * 256, ours.data() + row * 256, 256);
            for (std::size_t i = 0; i < ours.size(); ++i) {
                if (ours[i] == dst[i]) continue;
                if (differ++ == 0) {
                    char line[120];
                    std::snprintf(line, sizeof line, "text %08X over %08X: SDL %08X, ours %08X", src[i], word, dst[i],
                                  ours[i]);
                    first = line;
                }
            }
        }
    }
    EXPECT_EQ(differ, 0) << first;
    SDL_FreeSurface(text);
    SDL_FreeSurface(screen);
}

// Whole texts as the game draws them (blended, or opaque on a band), at random places on and
// off every edge of a screen of random words: the same words as SDL's blit of the same text.
TEST(TextBlend, WholeTextsLandLikeSdlsBlit)
{
    Fonts fonts(test::game_fonts_dir());
    ASSERT_TRUE(fonts.available()) << "the Japanese font is missing";
    ASSERT_EQ(TTF_Init(), 0);
    const char* texts[] = {"+3000円", "いらっしゃいませ！",        "Level up!", "所持金：\\54321", "ロボット犬が現れた",
                           "W",       "お客さんが増えてきた (x2)", "."};
    std::mt19937 rng(21);
    const auto roll = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    Canvas canvas;
    canvas.resize(160, 90);
    canvas.set_fonts(&fonts);
    SDL_Surface* reference = SDL_CreateRGBSurfaceWithFormat(0, 160, 90, 32, SDL_PIXELFORMAT_XRGB8888);
    ASSERT_TRUE(reference);
    ASSERT_EQ(reference->pitch, canvas.pitch());
    constexpr std::size_t kBytes = std::size_t{160} * 90 * 4;
    int cases = 0;
    int differ = 0;
    for (int round = 0; round < 600; ++round) {
        std::uint32_t* words = canvas.pixels();
        for (int i = 0; i < 160 * 90; ++i) words[i] = static_cast<std::uint32_t>(rng());
        std::memcpy(reference->pixels, words, kBytes);
        const std::string text = texts[roll(0, 7)];
        const Font font{roll(7, 26), roll(0, 1) == 1};
        const Colour colour = static_cast<Colour>(rng()) & 0xFFFFFFu;
        std::optional<Colour> background;
        if (roll(0, 3) == 0) background = static_cast<Colour>(rng()) & 0xFFFFFFu;
        const Extent size = canvas.text_extent(text, font);
        const int x = roll(-size.width - 4, 164);
        const int y = roll(-size.height - 4, 94);
        canvas.text(x, y, text, font, colour, background);

        // The text made as the game's fonts make it, then SDL's blit.
        TTF_Font* face = TTF_OpenFontDPI(fonts.font_file().c_str(), font.size, 96, 96);
        ASSERT_TRUE(face);
        TTF_SetFontStyle(face, font.bold ? TTF_STYLE_BOLD : TTF_STYLE_NORMAL);
        TTF_SetFontHinting(face, TTF_HINTING_NORMAL);
        const SDL_Color c{static_cast<Uint8>(red_of(colour)), static_cast<Uint8>(green_of(colour)),
                          static_cast<Uint8>(blue_of(colour)), 255};
        SDL_Surface* s = TTF_RenderUTF8_Blended(face, yen_for_backslash(text).c_str(), c);
        ASSERT_TRUE(s);
        SDL_SetSurfaceBlendMode(s, SDL_BLENDMODE_BLEND);
        if (background) {
            SDL_Surface* band = SDL_CreateRGBSurfaceWithFormat(0, s->w, s->h, 32, SDL_PIXELFORMAT_XRGB8888);
            SDL_FillRect(band, nullptr, *background);
            SDL_BlitSurface(s, nullptr, band, nullptr);
            SDL_FreeSurface(s);
            s = band;
            SDL_SetSurfaceBlendMode(s, SDL_BLENDMODE_NONE);
        }
        SDL_Rect at{x, y, s->w, s->h};
        SDL_BlitSurface(s, nullptr, reference, &at);
        SDL_FreeSurface(s);
        TTF_CloseFont(face);

        ++cases;
        if (std::memcmp(reference->pixels, canvas.pixels(), kBytes) != 0 && differ++ < 3)
            ADD_FAILURE() << "\"" << text << "\" size " << font.size << (font.bold ? " bold" : "") << " at (" << x
                          << ", " << y << ")" << (background ? " on a band" : "") << " differs from SDL's blit";
    }
    EXPECT_EQ(differ, 0) << "of " << cases;
    SDL_FreeSurface(reference);
    TTF_Quit();
}

} // namespace
} // namespace zen
