#include "platform/fonts.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>
#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <list>
#include <map>
#include <tuple>
#include <unordered_map>

namespace zen {

std::string yen_for_backslash(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size() + 4);
    for (char c : utf8) {
        if (c == '\\')
            out += "\xC2\xA5"; // ¥
        else
            out += c;
    }
    return out;
}

namespace {

// The free proportional Japanese gothic first; any Japanese-capable face after it.
std::string find_font_file()
{
    if (const char* env = SDL_getenv("ZENTRIFA_FONT")) {
        // Only a regular file: a pipe would hold the start for ever, a device or a folder would
        // be read as a font. Anything else falls back to the fonts of the system.
        struct stat st {};
        if (::stat(env, &st) == 0 && S_ISREG(st.st_mode)) return env;
        std::fprintf(stderr, "zentrifa: ZENTRIFA_FONT=%s is not a font file (%s); using the system's fonts\n", env,
                     ::stat(env, &st) != 0 ? "not found"
                     : S_ISDIR(st.st_mode) ? "a folder"
                                           : "not a regular file");
    }
    std::string found;
    // A configuration of our own, freed when done, rather than fontconfig's process-wide one.
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (!config) return found;
    for (const char* family : {"IPAPGothic", "IPA P Gothic", "IPAGothic", ":lang=ja"}) {
        FcPattern* pat = (family[0] == ':') ? FcNameParse(reinterpret_cast<const FcChar8*>(family)) : FcPatternCreate();
        if (family[0] != ':') FcPatternAddString(pat, FC_FAMILY, reinterpret_cast<const FcChar8*>(family));
        FcConfigSubstitute(config, pat, FcMatchPattern);
        FcDefaultSubstitute(pat);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(config, pat, &result);
        if (match) {
            FcChar8* file = nullptr;
            FcChar8* fam = nullptr;
            if (FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch &&
                FcPatternGetString(match, FC_FAMILY, 0, &fam) == FcResultMatch) {
                const std::string f = reinterpret_cast<const char*>(fam);
                if (family[0] == ':' || f.find("IPA") != std::string::npos) found = reinterpret_cast<const char*>(file);
            }
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pat);
        if (!found.empty()) break;
    }
    FcConfigDestroy(config);
    return found;
}

// A rendered text: transparent around the letters, or (with a background) opaque on its band.
struct TextKey {
    std::string text;
    int size;
    bool bold;
    Colour colour;
    std::int64_t background; // -1: none
    bool operator==(const TextKey& o) const
    {
        return size == o.size && bold == o.bold && colour == o.colour && background == o.background && text == o.text;
    }
};

struct TextKeyHash {
    std::size_t operator()(const TextKey& k) const
    {
        std::size_t h = std::hash<std::string>()(k.text);
        h ^= static_cast<std::size_t>(k.size) * 0x9E3779B97F4A7C15ull + (k.bold ? 0x51ED27u : 0u) +
             static_cast<std::size_t>(k.colour) * 0x632BE59BD9B4E019ull +
             static_cast<std::size_t>(k.background + 1) * 31u;
        return h;
    }
};

} // namespace

struct Fonts::Impl {
    std::string file;
    bool ttf_ready = false;
    std::map<std::pair<int, bool>, TTF_Font*> faces;
    // Rendered texts, least recently used at the back; bounded so a long run never grows.
    static constexpr std::size_t kCacheLimit = 512;
    std::list<std::pair<TextKey, SDL_Surface*>> order;
    std::unordered_map<TextKey, std::list<std::pair<TextKey, SDL_Surface*>>::iterator, TextKeyHash> cache;
    std::unordered_map<TextKey, Extent, TextKeyHash> extents;

    ~Impl()
    {
        for (auto& e : order) SDL_FreeSurface(e.second);
        for (auto& f : faces)
            if (f.second) TTF_CloseFont(f.second);
        if (ttf_ready) TTF_Quit();
    }

    TTF_Font* face(Font font)
    {
        const int size = font.size < 1 ? 1 : font.size;
        auto key = std::make_pair(size, font.bold);
        auto it = faces.find(key);
        if (it != faces.end()) return it->second;
        TTF_Font* f = TTF_OpenFontDPI(file.c_str(), size, 96, 96);
        if (f) {
            TTF_SetFontStyle(f, font.bold ? TTF_STYLE_BOLD : TTF_STYLE_NORMAL);
            TTF_SetFontHinting(f, TTF_HINTING_NORMAL);
        }
        faces[key] = f;
        return f;
    }

    SDL_Surface* rendered(const TextKey& key, Font font)
    {
        auto it = cache.find(key);
        if (it != cache.end()) {
            order.splice(order.begin(), order, it->second);
            return it->second->second;
        }
        TTF_Font* f = face(font);
        if (!f) return nullptr;
        SDL_Color c{static_cast<Uint8>(red_of(key.colour)), static_cast<Uint8>(green_of(key.colour)),
                    static_cast<Uint8>(blue_of(key.colour)), 255};
        SDL_Surface* s = TTF_RenderUTF8_Blended(f, key.text.c_str(), c);
        if (!s) return nullptr;
        if (key.background >= 0) {
            // Opaque text: blend it onto its band once, then every draw is a plain copy.
            SDL_Surface* band = SDL_CreateRGBSurfaceWithFormat(0, s->w, s->h, 32, SDL_PIXELFORMAT_XRGB8888);
            if (!band) {
                SDL_FreeSurface(s);
                return nullptr;
            }
            SDL_FillRect(band, nullptr, static_cast<Uint32>(key.background));
            SDL_SetSurfaceBlendMode(s, SDL_BLENDMODE_BLEND);
            SDL_BlitSurface(s, nullptr, band, nullptr);
            SDL_FreeSurface(s);
            s = band;
            SDL_SetSurfaceBlendMode(s, SDL_BLENDMODE_NONE);
        } else {
            SDL_SetSurfaceBlendMode(s, SDL_BLENDMODE_BLEND);
        }
        if (order.size() >= kCacheLimit) {
            SDL_FreeSurface(order.back().second);
            cache.erase(order.back().first);
            order.pop_back();
        }
        order.emplace_front(key, s);
        cache[key] = order.begin();
        return s;
    }
};

Fonts::Fonts() : impl_(std::make_unique<Impl>())
{
    impl_->file = find_font_file();
    if (impl_->file.empty()) {
        std::fprintf(stderr, "zentrifa: no Japanese font found (install fonts-ipafont-gothic); texts are not drawn\n");
        return;
    }
    // The text renderer counts its starts: each Fonts starts it once and stops it once, so two
    // games alive at the same time (tests do that) never pull it from under each other.
    if (TTF_Init() != 0) {
        std::fprintf(stderr, "zentrifa: cannot start the text renderer: %s\n", TTF_GetError());
        impl_->file.clear();
        return;
    }
    impl_->ttf_ready = true;
}

Fonts::~Fonts() = default;

bool Fonts::available() const { return !impl_->file.empty(); }
const std::string& Fonts::font_file() const { return impl_->file; }

Extent Fonts::extent(std::string_view utf8, Font font)
{
    if (!available() || utf8.empty()) return {};
    TextKey key{yen_for_backslash(utf8), font.size, font.bold, 0, -1};
    auto it = impl_->extents.find(key);
    if (it != impl_->extents.end()) return it->second;
    TTF_Font* f = impl_->face(font);
    if (!f) return {};
    int w = 0;
    int h = 0;
    if (TTF_SizeUTF8(f, key.text.c_str(), &w, &h) != 0) return {};
    if (impl_->extents.size() > 4096) impl_->extents.clear();
    Extent e{w, h};
    impl_->extents.emplace(std::move(key), e);
    return e;
}

std::u32string Fonts::missing_glyphs(std::string_view utf8)
{
    std::u32string missing;
    TTF_Font* f = available() ? impl_->face(Font{12, false}) : nullptr;
    if (!f) return missing;
    const std::string text = yen_for_backslash(utf8);
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const int len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t cp = len == 1 ? c : c & (0x3F >> (len - 1));
        for (int k = 1; k < len && i + static_cast<std::size_t>(k) < text.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) & 0x3F);
        i += static_cast<std::size_t>(len);
        if (cp >= 0x20 && !TTF_GlyphIsProvided32(f, static_cast<Uint32>(cp))) missing += cp;
    }
    return missing;
}

Extent Fonts::draw(Canvas& dst, int x, int y, std::string_view utf8, Font font, Colour colour,
                   std::optional<Colour> background)
{
    if (!available() || utf8.empty() || dst.empty()) return {};
    TextKey key{yen_for_backslash(utf8), font.size, font.bold, colour & 0xFFFFFFu,
                background ? static_cast<std::int64_t>(*background & 0xFFFFFFu) : -1};
    SDL_Surface* s = impl_->rendered(key, font);
    if (!s) return {};
    // Blend the rendered text onto the canvas's pixels.
    SDL_Surface* target = SDL_CreateRGBSurfaceWithFormatFrom(dst.pixels(), dst.width(), dst.height(), 32, dst.pitch(),
                                                             SDL_PIXELFORMAT_XRGB8888);
    if (!target) return {};
    SDL_Rect r{x, y, s->w, s->h};
    SDL_BlitSurface(s, nullptr, target, &r);
    SDL_FreeSurface(target);
    return {s->w, s->h};
}

} // namespace zen
