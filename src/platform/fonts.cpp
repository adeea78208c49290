#include "platform/fonts.h"
#include "platform/path_text.h"
#include "platform/process.h"
#include "platform/system.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <list>
#include <map>
#include <system_error>
#include <tuple>
#include <unordered_map>
#include <vector>

namespace zen {

namespace {

// IPA P Gothic's own file name, as a port ships it in the fonts folder.
constexpr const char* kGameFaceFile = "ipagp.ttf";
// The fonts folder is read no further than this many entries.
constexpr int kMostFontFolderEntries = 64;

// yen_for_backslash into out, reusing its memory.
void put_yen_for_backslash(std::string& out, std::string_view utf8)
{
    out.clear();
    for (char c : utf8) {
        if (c == '\\')
            out += "\xC2\xA5"; // ¥
        else
            out += c;
    }
}

// The character of UTF-8 text at `at`, which moves past it.
char32_t next_character(const std::string& text, std::size_t& at)
{
    const auto c = static_cast<unsigned char>(text[at]);
    const int len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    char32_t cp = len == 1 ? c : c & (0x3F >> (len - 1));
    for (int k = 1; k < len && at + static_cast<std::size_t>(k) < text.size(); ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(text[at + static_cast<std::size_t>(k)]) & 0x3F);
    at += static_cast<std::size_t>(len);
    return cp;
}

} // namespace

std::string yen_for_backslash(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size() + 4);
    put_yen_for_backslash(out, utf8);
    return out;
}

namespace {

// Whether the font in `file` can draw: it opens, and each sample text measures and draws with
// ink. A truncated font may open and fail only at its glyphs.
bool font_draws(const char* file, std::initializer_list<const char*> samples, const char*& why)
{
    TTF_Font* f = TTF_OpenFontDPI(file, 16, 96, 96);
    if (!f) {
        why = "it does not open as a font";
        return false;
    }
    bool inked = false;
    for (const char* sample : samples) {
        inked = false;
        int w = 0;
        int h = 0;
        if (TTF_SizeUTF8(f, sample, &w, &h) != 0 || w <= 0 || h <= 0) break;
        SDL_Surface* s = TTF_RenderUTF8_Blended(f, sample, SDL_Color{255, 255, 255, 255});
        if (!s) break;
        if (s->format->BytesPerPixel == 4 && SDL_LockSurface(s) == 0) {
            for (int y = 0; y < s->h && !inked; ++y) {
                const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const char*>(s->pixels) +
                                                                         static_cast<std::ptrdiff_t>(y) * s->pitch);
                for (int x = 0; x < s->w && !inked; ++x) inked = (row[x] & s->format->Amask) != 0;
            }
            SDL_UnlockSurface(s);
        }
        SDL_FreeSurface(s);
        if (!inked) break;
    }
    TTF_CloseFont(f);
    if (!inked) why = samples.size() > 1 ? "it cannot draw Japanese and Latin letters" : "it cannot draw letters";
    return inked;
}

// What the game's own face must draw, and a language's face.
constexpr std::initializer_list<const char*> kGameFaceSamples = {"ゲーム会社", "Game 100"};
constexpr std::initializer_list<const char*> kLanguageFaceSamples = {"Game 100"};

// Why `file` cannot be read as a font, or nullptr. Only a regular file: a pipe would hold the
// start for ever, a device or a folder would be read as a font.
const char* not_a_font_file(const char* file)
{
    std::error_code ec;
    const std::filesystem::file_status st = std::filesystem::status(utf8_path(file), ec);
    return !std::filesystem::exists(st)            ? "not found"
           : std::filesystem::is_directory(st)     ? "a folder"
           : !std::filesystem::is_regular_file(st) ? "not a regular file"
                                                   : nullptr;
}

// The game's own face: ZENTRIFA_FONT, else IPA P Gothic in the data's fonts folder, else the free
// proportional Japanese gothic of the system, or any Japanese-capable face after it. The text
// renderer is started.
std::string find_font_file(const std::filesystem::path& fonts_dir)
{
    // An empty ZENTRIFA_FONT is one not set.
    // Read as UTF-8 on every system, as the game's other paths are.
    if (const std::optional<std::string> env = environment_variable("ZENTRIFA_FONT"); env && !env->empty()) {
        // Anything but a font falls back to the fonts of the system.
        const char* why = not_a_font_file(env->c_str());
        if (!why && font_draws(env->c_str(), kGameFaceSamples, why)) return *env;
        std::fprintf(stderr, "zentrifa: ZENTRIFA_FONT=%s is not a font file (%s); using the system's fonts\n",
                     env->c_str(), why);
    }
    if (!fonts_dir.empty()) {
        std::string shipped = path_utf8(fonts_dir / kGameFaceFile);
        const char* why = not_a_font_file(shipped.c_str());
        if (!why && font_draws(shipped.c_str(), kGameFaceSamples, why)) return shipped;
        if (std::strcmp(why, "not found") != 0)
            std::fprintf(stderr, "zentrifa: %s is not a font file (%s); using the system's fonts\n", shipped.c_str(),
                         why);
    }
    return system_japanese_font();
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

// A rendered text with what the draw needs to know of it, found once: for a text blended over
// what is there, the runs of each row that hold its pixels that are not wholly transparent (the
// rest leaves the screen as it is); a text on its band is copied row by row.
struct Rendered {
    SDL_Surface* surface = nullptr;
    bool ours = false;      // drawn by our own loops; otherwise handed to SDL's blit
    std::vector<int> first; // the runs of row y are first[y] .. first[y + 1] - 1
    std::vector<int> starts;
    std::vector<int> ends; // one past the run's last pixel
};

void find_runs(Rendered& r)
{
    SDL_Surface* s = r.surface;
    if (SDL_MUSTLOCK(s) || s->pitch % 4 != 0) return;
    // Only the two kinds of surface the cache makes, plain (no colour key nor modulation).
    const Uint32 format = s->format->format;
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    Uint8 alpha = 255;
    Uint8 cr = 255;
    Uint8 cg = 255;
    Uint8 cb = 255;
    Uint32 key = 0;
    if (SDL_GetSurfaceBlendMode(s, &mode) != 0 || SDL_GetSurfaceAlphaMod(s, &alpha) != 0 || alpha != 255 ||
        SDL_GetSurfaceColorMod(s, &cr, &cg, &cb) != 0 || (cr & cg & cb) != 255 || SDL_GetColorKey(s, &key) == 0)
        return;
    if (format == SDL_PIXELFORMAT_XRGB8888 && mode == SDL_BLENDMODE_NONE) {
        r.ours = true; // a text on its band: a plain copy
        return;
    }
    if (format != SDL_PIXELFORMAT_ARGB8888 || mode != SDL_BLENDMODE_BLEND) return;
    r.first.assign(static_cast<std::size_t>(s->h) + 1, 0);
    for (int y = 0; y < s->h; ++y) {
        r.first[static_cast<std::size_t>(y)] = static_cast<int>(r.starts.size());
        const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const char*>(s->pixels) +
                                                                 static_cast<std::ptrdiff_t>(y) * s->pitch);
        // Each run is widened to whole groups of four columns (a transparent pixel blends to the
        // screen's own word), so the blend goes four at a time and runs in one group join.
        const auto first_run = r.starts.size();
        for (int x = 0; x < s->w;) {
            while (x < s->w && (row[x] >> 24) == 0) ++x;
            if (x >= s->w) break;
            const int start = x & ~3;
            while (x < s->w && (row[x] >> 24) != 0) ++x;
            const int end = std::min(s->w, (x + 3) & ~3);
            if (r.starts.size() > first_run && start <= r.ends.back()) {
                r.ends.back() = end;
            } else {
                r.starts.push_back(start);
                r.ends.push_back(end);
            }
            x = end;
        }
    }
    r.first.back() = static_cast<int>(r.starts.size());
    r.ours = true;
}

} // namespace

namespace {

// One pixel of blend_text_pixels.
std::uint32_t blend_text_pixel(std::uint32_t s, std::uint32_t d)
{
    const std::uint32_t a = s >> 24;
    if (a == 0) return d;
    if (a == 255) return s;
    // Each channel (the alpha one with the text's as 255) is s * a / 256 + d * (255 - a) / 256,
    // each product rounded down on its own: two channels to a 32-bit word, 16 bits apiece.
    const std::uint32_t na = 255 - a;
    const std::uint32_t rb = (((s & 0xFF00FFu) * a >> 8) & 0xFF00FFu) + (((d & 0xFF00FFu) * na >> 8) & 0xFF00FFu);
    const std::uint32_t ag =
        (((((s >> 8) & 0xFFu) | 0xFF0000u) * a >> 8) & 0xFF00FFu) + ((((d >> 8) & 0xFF00FFu) * na >> 8) & 0xFF00FFu);
    return rb | (ag << 8);
}

} // namespace

namespace {

// The body of the blend of whole groups of pixels, for the group's vector types (16 or 32
// bytes): every channel of a group mixed at once in 16-bit lanes, then each pixel takes the mix,
// its text word (opaque) or its screen word (transparent). The vectors are the compilers' own
// (GCC and Clang); a macro, as their sizes cannot be template arguments.
#define ZEN_BLEND_GROUPS(Bytes, Lanes, Words)                                                                          \
    int i = 0;                                                                                                         \
    for (; i + static_cast<int>(sizeof(Words) / 4) <= n; i += static_cast<int>(sizeof(Words) / 4)) {                   \
        Words s;                                                                                                       \
        Words d;                                                                                                       \
        std::memcpy(&s, src + i, sizeof s);                                                                            \
        std::memcpy(&d, dst + i, sizeof d);                                                                            \
        const Words a = s >> 24;                                                                                       \
        const Lanes s16 = __builtin_convertvector(reinterpret_cast<Bytes>(s | 0xFF000000u), Lanes);                    \
        const Lanes d16 = __builtin_convertvector(reinterpret_cast<Bytes>(d), Lanes);                                  \
        const Lanes a16 = __builtin_convertvector(reinterpret_cast<Bytes>(a * 0x01010101u), Lanes);                    \
        const Lanes mix = ((s16 * a16) >> 8) + ((d16 * (255 - a16)) >> 8);                                             \
        const auto blended = reinterpret_cast<Words>(__builtin_convertvector(mix, Bytes));                             \
        const auto clear = reinterpret_cast<Words>(a == 0);                                                            \
        const auto opaque = reinterpret_cast<Words>(a == 255);                                                         \
        const Words out = (d & clear) | (s & opaque) | (blended & ~(clear | opaque));                                  \
        std::memcpy(dst + i, &out, sizeof out);                                                                        \
    }                                                                                                                  \
    return i

// Four pixels at a time; returns how many of n were blended.
int blend_groups(const std::uint32_t* src, std::uint32_t* dst, int n)
{
    using Bytes = std::uint8_t __attribute__((vector_size(16)));
    using Lanes = std::uint16_t __attribute__((vector_size(32)));
    using Words = std::uint32_t __attribute__((vector_size(16)));
    ZEN_BLEND_GROUPS(Bytes, Lanes, Words);
}

#if defined(__x86_64__) && defined(__GNUC__)
// Eight at a time where the processor has the wider vectors (the same integer arithmetic).
__attribute__((target("avx2"))) int blend_groups_wide(const std::uint32_t* src, std::uint32_t* dst, int n)
{
    using Bytes = std::uint8_t __attribute__((vector_size(32)));
    using Lanes = std::uint16_t __attribute__((vector_size(64)));
    using Words = std::uint32_t __attribute__((vector_size(32)));
    ZEN_BLEND_GROUPS(Bytes, Lanes, Words);
}
const bool kWideVectors = __builtin_cpu_supports("avx2") != 0;
#endif

#undef ZEN_BLEND_GROUPS

} // namespace

void blend_text_pixels(const std::uint32_t* src, std::uint32_t* dst, int n)
{
    int i = 0;
#if defined(__x86_64__) && defined(__GNUC__)
    if (kWideVectors) i = blend_groups_wide(src, dst, n);
#endif
    i += blend_groups(src + i, dst + i, n - i);
    for (; i < n; ++i) dst[i] = blend_text_pixel(src[i], dst[i]);
}

// Blends a rendered text (ARGB) onto a surface of its size (XRGB) with the game's own blend,
// which gives the same words on every system; SDL's own blit, whose rounding differs between its
// vector and plain versions, only for a surface of another kind.
void blend_onto(SDL_Surface* text, SDL_Surface* onto)
{
    if (text->format->format != SDL_PIXELFORMAT_ARGB8888 || onto->format->format != SDL_PIXELFORMAT_XRGB8888 ||
        SDL_MUSTLOCK(text) || SDL_MUSTLOCK(onto) || text->w != onto->w || text->h != onto->h) {
        SDL_SetSurfaceBlendMode(text, SDL_BLENDMODE_BLEND);
        SDL_BlitSurface(text, nullptr, onto, nullptr);
        return;
    }
    for (int y = 0; y < text->h; ++y) {
        const auto* from = reinterpret_cast<const std::uint32_t*>(static_cast<const char*>(text->pixels) +
                                                                  static_cast<std::ptrdiff_t>(y) * text->pitch);
        auto* to = reinterpret_cast<std::uint32_t*>(static_cast<char*>(onto->pixels) +
                                                    static_cast<std::ptrdiff_t>(y) * onto->pitch);
        blend_text_pixels(from, to, text->w);
    }
}

// A font file the texts may be drawn with.
struct FaceFile {
    std::string file;
    std::string language; // the language whose own face it is; empty for the game's face
    int usable = 0;       // 0: not tried yet, 1: draws, -1: does not
};

struct Fonts::Impl {
    std::string file;
    bool ttf_ready = false;
    // The game's own face first, then the languages' faces by name; the order a text tries them
    // in: the language's face first, then the game's, then the others.
    std::vector<FaceFile> files;
    std::vector<std::size_t> face_order{0};
    std::map<std::tuple<std::size_t, int, bool>, TTF_Font*> faces;
    // Rendered texts, least recently used at the back; bounded so a long run never grows.
    static constexpr std::size_t kCacheLimit = 512;
    std::list<std::pair<TextKey, Rendered>> order;
    std::unordered_map<TextKey, std::list<std::pair<TextKey, Rendered>>::iterator, TextKeyHash> cache;
    std::unordered_map<TextKey, Extent, TextKeyHash> extents;
    TextKey draw_key{{}, 0, false, 0, -1}; // the key looked up, its string's memory kept

    ~Impl()
    {
        for (auto& e : order) SDL_FreeSurface(e.second.surface);
        for (auto& f : faces)
            if (f.second) TTF_CloseFont(f.second);
        if (ttf_ready) TTF_Quit();
    }

    // Whether the face file `i` draws; tried once, and said once when it does not.
    bool usable(std::size_t i)
    {
        FaceFile& f = files[i];
        if (f.usable == 0) {
            const char* why = nullptr;
            f.usable = font_draws(f.file.c_str(), kLanguageFaceSamples, why) ? 1 : -1;
            if (f.usable < 0)
                std::fprintf(stderr, "zentrifa: %s is not a font file (%s); it is not used\n", f.file.c_str(), why);
        }
        return f.usable > 0;
    }

    // Whether the face file `i` has a glyph for every character of text.
    bool writes(std::size_t i, const std::string& text)
    {
        TTF_Font* f = face(i, Font{12, false});
        if (!f) return false;
        for (std::size_t at = 0; at < text.size();) {
            const char32_t c = next_character(text, at);
            if (c >= 0x20 && !TTF_GlyphIsProvided32(f, static_cast<Uint32>(c))) return false;
        }
        return true;
    }

    // The face file the text is drawn with: the first in order that writes it whole, else the
    // first.
    std::size_t chosen(const std::string& text)
    {
        if (face_order.size() > 1)
            for (const std::size_t i : face_order)
                if (writes(i, text)) return i;
        return face_order.front();
    }

    TTF_Font* face(Font font, const std::string& text) { return face(chosen(text), font); }

    // How far the face file `i` stands its letters lower than the game's face at this size: its
    // room above them is taller (Noto's CJK faces by a quarter of the size). Its texts are drawn
    // that much higher, so that every face's letters sit on the game's lines.
    int lowered(std::size_t i, Font font)
    {
        if (i == 0) return 0;
        TTF_Font* own = face(i, font);
        TTF_Font* game = face(0, font);
        return own && game ? std::max(0, TTF_FontAscent(own) - TTF_FontAscent(game)) : 0;
    }

    // The rows of s from `top` down, in a surface of their own (s is freed).
    static SDL_Surface* without_top(SDL_Surface* s, int top)
    {
        if (top <= 0 || top >= s->h) return s;
        SDL_Surface* cut = SDL_CreateRGBSurfaceWithFormat(0, s->w, s->h - top, 32, s->format->format);
        if (!cut) return s;
        SDL_SetSurfaceBlendMode(s, SDL_BLENDMODE_NONE);
        SDL_Rect from{0, top, s->w, s->h - top};
        SDL_BlitSurface(s, &from, cut, nullptr);
        SDL_FreeSurface(s);
        return cut;
    }

    TTF_Font* face(std::size_t file_index, Font font)
    {
        const int size = font.size < 1 ? 1 : font.size;
        auto key = std::make_tuple(file_index, size, font.bold);
        auto it = faces.find(key);
        if (it != faces.end()) return it->second;
        TTF_Font* f = TTF_OpenFontDPI(files[file_index].file.c_str(), size, 96, 96);
        if (f) {
            TTF_SetFontStyle(f, font.bold ? TTF_STYLE_BOLD : TTF_STYLE_NORMAL);
            TTF_SetFontHinting(f, TTF_HINTING_NORMAL);
        }
        faces[key] = f;
        return f;
    }

    const Rendered* rendered(const TextKey& key, Font font)
    {
        auto it = cache.find(key);
        if (it != cache.end()) {
            order.splice(order.begin(), order, it->second);
            return &it->second->second;
        }
        const std::size_t file_index = chosen(key.text);
        TTF_Font* f = face(file_index, font);
        if (!f) return nullptr;
        SDL_Color c{static_cast<Uint8>(red_of(key.colour)), static_cast<Uint8>(green_of(key.colour)),
                    static_cast<Uint8>(blue_of(key.colour)), 255};
        SDL_Surface* s = TTF_RenderUTF8_Blended(f, key.text.c_str(), c);
        if (!s) return nullptr;
        s = without_top(s, lowered(file_index, font));
        if (key.background >= 0) {
            // Opaque text: blend it onto its band once, then every draw is a plain copy.
            SDL_Surface* band = SDL_CreateRGBSurfaceWithFormat(0, s->w, s->h, 32, SDL_PIXELFORMAT_XRGB8888);
            if (!band) {
                SDL_FreeSurface(s);
                return nullptr;
            }
            SDL_FillRect(band, nullptr, static_cast<Uint32>(key.background));
            blend_onto(s, band);
            SDL_FreeSurface(s);
            s = band;
            SDL_SetSurfaceBlendMode(s, SDL_BLENDMODE_NONE);
        } else {
            SDL_SetSurfaceBlendMode(s, SDL_BLENDMODE_BLEND);
        }
        if (order.size() >= kCacheLimit) {
            SDL_FreeSurface(order.back().second.surface);
            cache.erase(order.back().first);
            order.pop_back();
        }
        Rendered made;
        made.surface = s;
        find_runs(made);
        order.emplace_front(key, std::move(made));
        cache[key] = order.begin();
        return &order.front().second;
    }
};

Fonts::Fonts(const std::filesystem::path& fonts_dir) : impl_(std::make_unique<Impl>())
{
    // The text renderer counts its starts: each Fonts starts it once and stops it once, so two
    // games alive at the same time (tests do that) never pull it from under each other.
    if (TTF_Init() != 0) {
        std::fprintf(stderr, "zentrifa: cannot start the text renderer: %s\n", TTF_GetError());
        return;
    }
    impl_->ttf_ready = true;
    impl_->file = find_font_file(fonts_dir);
    if (impl_->file.empty()) {
        std::fprintf(stderr, "zentrifa: no Japanese font found (install fonts-ipafont-gothic); texts are not drawn\n");
        return;
    }
    impl_->files.push_back(FaceFile{impl_->file, {}, 1});
    // The languages' faces, tried when first needed; the folder may be missing, huge or hostile.
    std::vector<FaceFile> found;
    std::error_code ec;
    std::filesystem::directory_iterator it(fonts_dir, ec);
    for (int seen = 0; !ec && it != std::filesystem::directory_iterator() && seen < kMostFontFolderEntries;
         it.increment(ec), ++seen) {
        const std::filesystem::path& p = it->path();
        const std::string extension = path_utf8(p.extension());
        if ((extension != ".otf" && extension != ".ttf") || p.filename() == kGameFaceFile) continue;
        if (not_a_font_file(path_utf8(p).c_str())) continue;
        found.push_back(FaceFile{path_utf8(p), path_utf8(p.stem()), 0});
    }
    std::sort(found.begin(), found.end(), [](const FaceFile& a, const FaceFile& b) { return a.file < b.file; });
    impl_->files.insert(impl_->files.end(), found.begin(), found.end());
    use_language({});
}

void Fonts::use_language(std::string_view code)
{
    if (!available()) return;
    Impl& m = *impl_;
    std::size_t own = 0;
    for (std::size_t i = 1; i < m.files.size(); ++i)
        if (!code.empty() && m.files[i].language == code && m.usable(i)) own = i;
    std::vector<std::size_t> order{own};
    if (own != 0) order.push_back(0);
    for (std::size_t i = 1; i < m.files.size(); ++i)
        if (i != own && m.files[i].usable >= 0) order.push_back(i);
    if (order == m.face_order) return;
    m.face_order = std::move(order);
    // What was drawn and measured was drawn and measured with the faces of before.
    for (auto& e : m.order) SDL_FreeSurface(e.second.surface);
    m.order.clear();
    m.cache.clear();
    m.extents.clear();
}

const std::string& Fonts::face_file(std::string_view utf8)
{
    static const std::string none;
    if (!available()) return none;
    return impl_->files[impl_->chosen(yen_for_backslash(utf8))].file;
}

Fonts::~Fonts() = default;

bool Fonts::available() const { return !impl_->file.empty(); }
const std::string& Fonts::font_file() const { return impl_->file; }

Extent Fonts::extent(std::string_view utf8, Font font)
{
    if (!available() || utf8.empty()) return {};
    TextKey& key = impl_->draw_key;
    put_yen_for_backslash(key.text, utf8);
    key.size = font.size;
    key.bold = font.bold;
    key.colour = 0;
    key.background = -1;
    auto it = impl_->extents.find(key);
    if (it != impl_->extents.end()) return it->second;
    const std::size_t file_index = impl_->chosen(key.text);
    TTF_Font* f = impl_->face(file_index, font);
    if (!f) return {};
    int w = 0;
    int h = 0;
    if (TTF_SizeUTF8(f, key.text.c_str(), &w, &h) != 0) return {};
    // Every face takes the game's face's lines.
    if (TTF_Font* game = file_index != 0 ? impl_->face(0, font) : nullptr) h = TTF_FontHeight(game);
    if (impl_->extents.size() > 4096) impl_->extents.clear();
    Extent e{w, h};
    impl_->extents.emplace(key, e);
    return e;
}

std::u32string Fonts::missing_glyphs(std::string_view utf8)
{
    std::u32string missing;
    if (!available()) return missing;
    const std::string text = yen_for_backslash(utf8);
    TTF_Font* f = impl_->face(Font{12, false}, text);
    if (!f) return missing;
    for (std::size_t i = 0; i < text.size();) {
        const char32_t cp = next_character(text, i);
        if (cp >= 0x20 && !TTF_GlyphIsProvided32(f, static_cast<Uint32>(cp))) missing += cp;
    }
    return missing;
}

Extent Fonts::draw(Canvas& dst, int x, int y, std::string_view utf8, Font font, Colour colour,
                   std::optional<Colour> background)
{
    if (!available() || utf8.empty() || dst.empty()) return {};
    // The key is built in the same string each time: a text drawn every frame costs no memory.
    TextKey& key = impl_->draw_key;
    put_yen_for_backslash(key.text, utf8);
    key.size = font.size;
    key.bold = font.bold;
    key.colour = colour & 0xFFFFFFu;
    key.background = background ? static_cast<std::int64_t>(*background & 0xFFFFFFu) : -1;
    const Rendered* rendered = impl_->rendered(key, font);
    if (!rendered) return {};
    SDL_Surface* s = rendered->surface;
    if (rendered->ours) {
        // The same words SDL's blit writes (a test holds the two together), without a surface
        // made around the canvas for each text nor a look at the transparent pixels.
        const long long left = std::max<long long>(x, 0);
        const long long right = std::min<long long>(static_cast<long long>(x) + s->w, dst.width());
        const long long top = std::max<long long>(y, 0);
        const long long bottom = std::min<long long>(static_cast<long long>(y) + s->h, dst.height());
        if (left >= right || top >= bottom) return {s->w, s->h};
        auto* const pixels = reinterpret_cast<char*>(dst.pixels());
        const int pitch = dst.pitch();
        const auto sx1 = static_cast<int>(left - x);
        const auto sx2 = static_cast<int>(right - x);
        for (auto dy = static_cast<int>(top); dy < bottom; ++dy) {
            const int sy = dy - y;
            const auto* srow = reinterpret_cast<const std::uint32_t*>(static_cast<const char*>(s->pixels) +
                                                                      static_cast<std::ptrdiff_t>(sy) * s->pitch);
            // The row from the first column drawn: column c of the text lands at drow[c - sx1].
            auto* drow = reinterpret_cast<std::uint32_t*>(pixels + static_cast<std::ptrdiff_t>(dy) * pitch) + left;
            if (rendered->first.empty()) {
                std::memcpy(drow, srow + sx1, static_cast<std::size_t>(sx2 - sx1) * sizeof *srow);
                continue;
            }
            const int last = rendered->first[static_cast<std::size_t>(sy) + 1];
            for (int k = rendered->first[static_cast<std::size_t>(sy)]; k < last; ++k) {
                const int a = std::max(rendered->starts[static_cast<std::size_t>(k)], sx1);
                const int b = std::min(rendered->ends[static_cast<std::size_t>(k)], sx2);
                if (b > a) blend_text_pixels(srow + a, drow + (a - sx1), b - a);
            }
        }
        return {s->w, s->h};
    }
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
