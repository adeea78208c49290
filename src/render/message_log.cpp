// The message log: everything the game says, five rows at the bottom of the screen, the newest
// brightest, in named colours that pulse or cycle with the frame counter.
#include "render/message_log.h"

#include "core/game_state.h"
#include "platform/fonts.h"
#include "render/line_breaks.h"

#include <algorithm>
#include <cstddef>

namespace zen {

namespace {

enum class Phase { steady, pulse, pulse8, cycle12, shifted };

// A colour code as a log entry keeps it, and how it is drawn.
struct CodeColour {
    std::int32_t code;
    Phase phase;
    // pulse and shifted: phases 0, 1/9, 2/8, 3/7, 4/6, 5; pulse8: 0, 1/7, 2/6, 3/5, 4;
    // cycle12: phases 0..11; steady: the first entry.
    Colour colours[12];
};

struct NamedColour {
    Ink ink;
    const char* name; // what --trace prints
    CodeColour shade;
};

// Every ink, in the order of the enum.
constexpr NamedColour kNamedColours[] = {
    {Ink::green, "green", {301, Phase::pulse, {0x00EA12, 0x00DB10, 0x00BF0F, 0x00B50E, 0x00B50D, 0x00B50C}}},
    {Ink::yellow, "yellow", {302, Phase::pulse, {0xFFE800, 0xE8D800, 0xDFC402, 0xDFAD02, 0xDF9D02, 0xDF8702}}},
    {Ink::blue, "blue", {303, Phase::pulse, {0x7EECF8, 0x64E8F7, 0x4EE4F5, 0x34E0F3, 0x1FDCF1, 0x0FD2E8}}},
    {Ink::pink, "pink", {304, Phase::pulse, {0xFF5AB5, 0xFF4AA5, 0xFF379B, 0xFF158A, 0xFB0079, 0xE30066}}},
    {Ink::purple, "purple", {305, Phase::pulse, {0x9D3CFF, 0x8B17FF, 0x7B00F7, 0x6802D9, 0x5800BF, 0x421FA8}}},
    {Ink::aqua, "aqua", {306, Phase::pulse, {0x7EECF8, 0x64E8F7, 0x4EE4F5, 0x34E0F3, 0x1FDCF1, 0x0FD2E8}}},
    {Ink::red, "red", {307, Phase::pulse, {0xFF4646, 0xFF2626, 0xFF0606, 0xD90000, 0xC40000, 0xB50000}}},
    {Ink::yellow2, "yellow2", {308, Phase::pulse, {0xDDDD88, 0xCCCC77, 0xBBBB66, 0xAAAA55, 0x999955, 0x888855}}},
    {Ink::orange, "orange", {309, Phase::pulse, {0x994646, 0x882626, 0x770606, 0x660000, 0x550000, 0x440000}}},
    {Ink::pink2, "pink2", {310, Phase::pulse8, {0xFFCCDD, 0xFFBBCC, 0xEEAABB, 0xDD99AA, 0xCC8899}}},
    {Ink::rainbow,
     "rainbow",
     {312,
      Phase::cycle12,
      {0xFF0000, 0xFF9900, 0xFFFF00, 0x99FF00, 0x00FF00, 0x00FF99, 0x00FFFF, 0x0099FF, 0x0000FF, 0x9900FF, 0xFF00FF,
       0xFF0099}}},
    {Ink::gray, "gray", {313, Phase::steady, {0x666666}}},
    {Ink::green2, "green2", {314, Phase::steady, {0x66CC66}}},
    {Ink::red2, "red2", {315, Phase::steady, {0x990000}}},
    {Ink::silver, "silver", {316, Phase::steady, {0x999999}}},
    {Ink::red3, "red3", {317, Phase::steady, {0xFF6666}}},
    {Ink::orange2, "orange2", {318, Phase::pulse, {0xEE8866, 0xE08060, 0xC97959, 0xC07050, 0xB96949, 0xB06040}}},
    {Ink::pink3, "pink3", {319, Phase::shifted, {0xEE40FF, 0xDD30EE, 0xBB10DD, 0xB000BB, 0xA900B0, 0xA000A9}}},
    {Ink::pink4, "pink4", {320, Phase::shifted, {0xEE99FF, 0xDD88EE, 0xBB77DD, 0xB066BB, 0xA960B0, 0xA059A9}}},
};

constexpr bool inks_in_order()
{
    int i = 0;
    for (const NamedColour& c : kNamedColours)
        if (static_cast<int>(c.ink) != i++) return false;
    return i == kInkCount;
}
static_assert(inks_in_order(), "one row per ink, in the order of the enum");

// Codes no ink posts: a fresh or cleared entry, and the dark red pulse that has no name.
constexpr CodeColour kNamelessColours[] = {
    {0, Phase::steady, {0xFFFFFF}},
    {2, Phase::pulse, {0xAA0000, 0x990000, 0x880000, 0x770000, 0x660000, 0x550000}},
};

const NamedColour& named(Ink ink) { return kNamedColours[static_cast<std::size_t>(ink)]; }

void shift_log(Game& game)
{
    for (std::size_t i = game.message_log.size() - 1; i > 0; --i)
        game.message_log[i] = std::move(game.message_log[i - 1]);
    game.message_log[0] = tmoji_efe{};
}

int live_rows(const Game& game);
std::int64_t furthest_back(const Game& game);

// The newest row, as the log got it, into the history. A player scrolled back keeps the rows in
// view: the view moves one further back (and the count of newer rows grows), as far as the oldest
// row kept. was_live: whether the log's newest row was the history's before this one came.
void keep_in_history(Game& game, bool was_live)
{
    LogHistory& h = game.log_history;
    h.rows.push_front(game.message_log[0]);
    if (h.rows.size() > LogHistory::kKept) h.rows.pop_back();
    if (h.scroll > 0)
        h.scroll =
            static_cast<int>(std::min<std::int64_t>(std::int64_t{h.scroll} + (was_live ? 1 : 0), furthest_back(game)));
}

// Decodes the UTF-8 character at s[i]; sets len to its byte count (1 for a broken byte).
char32_t decode_at(std::string_view s, std::size_t i, std::size_t& len)
{
    const auto c = static_cast<unsigned char>(s[i]);
    int n = 0;
    char32_t cp = 0;
    if (c < 0x80) {
        len = 1;
        return c;
    }
    if ((c & 0xE0) == 0xC0) {
        n = 1;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        n = 2;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        n = 3;
        cp = c & 0x07;
    } else {
        len = 1;
        return c;
    }
    if (i + static_cast<std::size_t>(n) >= s.size()) {
        len = 1;
        return c;
    }
    for (int k = 1; k <= n; ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) & 0x3F);
    len = static_cast<std::size_t>(n) + 1;
    return cp;
}

// Characters that never begin a row: closing punctuation, prolonged sound marks and small kana.
bool never_starts_row(char32_t c)
{
    static const char32_t closing[] = {
        U'、', U'。', U'，', U'．', U'・', U'：', U'；', U'？', U'！', U'ー', U'…',  U'‥',  U'」', U'』',
        U'）', U'〕', U'］', U'｝', U'〉', U'》', U'】', U'〙', U'〗', U'〟', U'’',  U'”',  U'々', U'ゝ',
        U'ゞ', U'ヽ', U'ヾ', U'゛', U'゜', U'ぁ', U'ぃ', U'ぅ', U'ぇ', U'ぉ', U'っ', U'ゃ', U'ゅ', U'ょ',
        U'ゎ', U'ゕ', U'ゖ', U'ァ', U'ィ', U'ゥ', U'ェ', U'ォ', U'ッ', U'ャ', U'ュ', U'ョ', U'ヮ', U'ヵ',
        U'ヶ', U'ｧ',  U'ｨ',  U'ｩ',  U'ｪ',  U'ｫ',  U'ｯ',  U'ｬ',  U'ｭ',  U'ｮ',  U'ｰ',  U'｡',  U'､',  U'｣',
        U'！', U'？', U'!',  U'?',  U')',  U']',  U'}',  U',',  U'.',  U':',  U';',  U'%',  U'％',
    };
    if (c >= 0x31F0 && c <= 0x31FF) return true; // small katakana extensions
    return std::find(std::begin(closing), std::end(closing), c) != std::end(closing);
}

std::string_view trim_right_spaces(std::string_view s)
{
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

int measure(Fonts* fonts, std::string_view s)
{
    s = trim_right_spaces(s);
    if (!fonts || s.empty()) return 0;
    return fonts->extent(s, kMessageLayoutFont).width;
}

// Wraps one paragraph (no explicit breaks) into rows, appending to out until it holds max_rows.
void wrap_paragraph(Fonts* fonts, std::string_view p, Lang lang, std::vector<std::string>& out, std::size_t max_rows)
{
    if (p.empty()) {
        out.emplace_back();
        return;
    }
    // Break opportunities by the Unicode rules for the text's language, then our own check that
    // no row begins with a character that must stay with the one before it.
    const std::vector<RowBreak> brks = row_breaks(p, lang);
    std::vector<std::size_t> cuts;  // byte offsets where a row may end (the end of the text last)
    std::vector<std::size_t> chars; // byte offsets where each character starts
    for (std::size_t i = 0; i < p.size();) {
        std::size_t len = 1;
        decode_at(p, i, len);
        chars.push_back(i);
        const std::size_t end = i + len;
        if (end < p.size() && brks[end - 1] == RowBreak::allowed) {
            std::size_t next_len = 1;
            if (!never_starts_row(decode_at(p, end, next_len))) cuts.push_back(end);
        }
        i = end;
    }
    cuts.push_back(p.size());

    std::size_t start = 0;
    while (start < p.size() && out.size() < max_rows) {
        while (start < p.size() && p[start] == ' ') ++start; // a row never begins with the space it broke at
        if (start >= p.size()) break;
        std::size_t fit = start; // the furthest cut that still fits
        std::size_t overflow = p.size();
        for (std::size_t c : cuts) {
            if (c <= start) continue;
            if (measure(fonts, p.substr(start, c - start)) <= kMessageBoxWidth) {
                fit = c;
            } else {
                overflow = c;
                break;
            }
        }
        if (fit == start) {
            // One unbreakable run wider than the box: cut it by characters, keeping the
            // no-start rule where it can be kept.
            std::size_t best = start;
            std::size_t best_kept = start;
            for (std::size_t ch : chars) {
                if (ch <= start) continue;
                if (ch >= overflow) break;
                if (measure(fonts, p.substr(start, ch - start)) > kMessageBoxWidth) break;
                best = ch;
                std::size_t l = 1;
                if (!never_starts_row(decode_at(p, ch, l))) best_kept = ch;
            }
            fit = best_kept > start ? best_kept : best;
            if (fit == start) { // not even one character fits: take one anyway
                std::size_t l = 1;
                decode_at(p, start, l);
                fit = start + l;
            }
        }
        out.emplace_back(trim_right_spaces(p.substr(start, fit - start)));
        start = fit;
    }
}

Colour phase_colour(const CodeColour& c, int row, int frame_no)
{
    const int base = frame_no + row;
    switch (c.phase) {
    case Phase::steady: return c.colours[0];
    case Phase::pulse: {
        const int p = ((base % 10) + 10) % 10;
        return c.colours[std::min(p, 10 - p)];
    }
    case Phase::shifted: {
        const int p = (((base + 5) % 10) + 10) % 10;
        return c.colours[std::min(p, 10 - p)];
    }
    case Phase::pulse8: {
        const int p = ((base % 8) + 8) % 8;
        return c.colours[std::min(p, 8 - p)];
    }
    case Phase::cycle12: return c.colours[((base % 12) + 12) % 12];
    }
    return c.colours[0];
}

} // namespace

std::int32_t colour_code(Ink ink) { return named(ink).shade.code; }

std::string_view ink_name(Ink ink) { return named(ink).name; }

Colour message_colour(std::int32_t code, int row, int frame_no)
{
    for (const NamedColour& c : kNamedColours)
        if (c.shade.code == code) return phase_colour(c.shade, row, frame_no);
    for (const CodeColour& c : kNamelessColours)
        if (c.code == code) return phase_colour(c, row, frame_no);
    return kFallbackMessageColour;
}

Colour lighten(Colour colour, int amount)
{
    int v[3] = {red_of(colour) + amount, green_of(colour) + amount, blue_of(colour) + amount};
    int spill = 0;
    for (int& c : v) {
        if (c < 0) {
            spill += c;
            c = 0;
        } else if (c > 255) {
            spill += c - 255;
            c = 255;
        }
    }
    const int half = spill / 2;
    for (int& c : v) c = std::clamp(c + half, 0, 255);
    return rgb(v[0], v[1], v[2]);
}

std::vector<std::string> wrap_message(Fonts* fonts, std::string_view text, Lang lang, int max_rows)
{
    std::vector<std::string> rows;
    if (max_rows <= 0) return rows;
    if (fonts && !fonts->available()) fonts = nullptr;
    const auto limit = static_cast<std::size_t>(max_rows);
    std::size_t pos = 0;
    while (pos <= text.size() && rows.size() < limit) {
        std::size_t end = text.find_first_of("\r\n", pos);
        const bool last = end == std::string_view::npos;
        if (last) end = text.size();
        // A break at the very end of the text closes its last row without opening another.
        if (last && pos == text.size() && !rows.empty()) break;
        wrap_paragraph(fonts, text.substr(pos, end - pos), lang, rows, limit);
        if (last) break;
        pos = end + 1;
        if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    }
    return rows;
}

void post_message(Game& game, std::string_view text, Ink ink)
{
    game.trace_line("message", std::string(ink_name(ink)) + " " + std::string(text));
    const std::int32_t code = colour_code(ink);
    const std::vector<std::string> rows = wrap_message(game.platform.fonts.get(), text, game.lang, 2);
    const bool was_live = live_rows(game) == 1;
    shift_log(game);
    if (rows.size() < 2) {
        game.message_log[0] = tmoji_efe{std::string(text), code};
        keep_in_history(game, was_live);
        return;
    }
    game.message_log[0] = tmoji_efe{rows[0], code};
    keep_in_history(game, was_live);
    shift_log(game);
    game.message_log[0] = tmoji_efe{"　" + rows[1], code};
    keep_in_history(game, true);
}

namespace {

// 1 when the log's newest row is the history's newest, 0 when the game has cleared the log since:
// then the first step back shows the rows it cleared.
int live_rows(const Game& game)
{
    const LogHistory& h = game.log_history;
    if (h.rows.empty()) return 0;
    const tmoji_efe& newest = game.message_log[0];
    return newest.text == h.rows.front().text && newest.colour_code == h.rows.front().colour_code ? 1 : 0;
}

// As far back as the oldest row at the top of the log; a cleared log can always step back once.
std::int64_t furthest_back(const Game& game)
{
    const LogHistory& h = game.log_history;
    const int live = live_rows(game);
    return std::max<std::int64_t>(live == 0 && !h.rows.empty() ? 1 : 0,
                                  static_cast<std::int64_t>(h.rows.size()) - (kLogRows - 1) - live);
}

} // namespace

void scroll_log(Game& game, int rows)
{
    LogHistory& h = game.log_history;
    h.scroll = static_cast<int>(std::clamp<std::int64_t>(std::int64_t{h.scroll} + rows, 0, furthest_back(game)));
}

void show_newest_rows(Game& game) { game.log_history.scroll = 0; }

bool over_log(int x, int y) { return x >= 0 && x < kLogRight && y >= kLogTop && y < kPlayHeight; }

void post_silver(Game& game, std::string_view text) { post_message(game, text, Ink::silver); }

void clear_messages(Game& game)
{
    if (game.closing) return;
    for (tmoji_efe& m : game.message_log) m = tmoji_efe{};
}

void draw_message_log(Game& game, Canvas& canvas)
{
    // Scrolled back, the rows come from the history, from `scroll` rows before the newest.
    const LogHistory& history = game.log_history;
    const bool back = history.scroll > 0;
    const auto first = static_cast<std::size_t>(std::max(0, history.scroll - 1 + live_rows(game)));
    const tmoji_efe no_row{};
    for (int r = 0; r < kLogRows; ++r) {
        const std::size_t back_row = first + static_cast<std::size_t>(r);
        const tmoji_efe& entry = !back                            ? game.message_log[static_cast<std::size_t>(r)]
                                 : back_row < history.rows.size() ? history.rows[back_row]
                                                                  : no_row;
        if (entry.text.empty()) continue;
        const Colour band = lighten(0x000000, 20 * r);
        Font font = kMessageFont;
        int width = canvas.text_width(entry.text, font);
        while (width > 800 && font.size > kMessageFontSmallest) {
            font.size -= 1;
            width = canvas.text_width(entry.text, font);
        }
        const int x = 2;
        const int y = 565 - 25 * r;
        const Colour colour = lighten(message_colour(entry.colour_code, r, game.frame_no), 60 - 20 * r);
        canvas.text(x, y, entry.text, font, colour, band);
        if (r == 0 && !back && !game.line_queue[0].empty()) {
            // A dialogue line waits for a click: the bobbing marker after the newest row.
            const int my = 565 - (game.frame_no % 3) + 2;
            canvas.text(x + width, my, "▼", Font{kMarkerFontSize, font.bold}, colour, band);
        }
    }
    if (back) {
        // How far back the player is: an arrow and the count of newer rows, just above the log's
        // top left corner, where no row of any length reaches.
        const std::string where = "▲" + std::to_string(history.scroll);
        const Font font{kMarkerFontSize, true};
        canvas.text(2, kLogTop - canvas.text_height(where, font) - 1, where, font, 0xFFFFFF, 0x000000);
    }
    // Every text here names its own size, so nothing of the log's sizes carries over to later text.
}

} // namespace zen
