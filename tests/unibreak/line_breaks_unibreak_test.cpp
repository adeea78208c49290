// The game's own line breaking against libunibreak's for Japanese (the library the message log
// was first written with): the same break opportunities for every text of the game in every
// language, and for many random strings of the characters a text can hold.
#include "core/texts.h"
#include "render/line_breaks.h"

#include <gtest/gtest.h>
#include <linebreak.h>

#include <cstdint>
#include <cstdio>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace zen {
namespace {

void append_utf8(std::string& s, char32_t c)
{
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// One mark per byte: ! a row must end after it, / may, . may not, - inside a character.
std::string ours(std::string_view text)
{
    std::string marks;
    for (RowBreak b : row_breaks(text, Lang::ja)) {
        switch (b) {
        case RowBreak::must: marks += '!'; break;
        case RowBreak::allowed: marks += '/'; break;
        case RowBreak::never: marks += '.'; break;
        case RowBreak::inside: marks += '-'; break;
        }
    }
    return marks;
}

std::string theirs(std::string_view text)
{
    std::vector<char> brks(text.size());
    set_linebreaks_utf8(reinterpret_cast<const utf8_t*>(text.data()), text.size(), "ja", brks.data());
    std::string marks;
    for (char b : brks) {
        switch (b) {
        case LINEBREAK_MUSTBREAK: marks += '!'; break;
        case LINEBREAK_ALLOWBREAK: marks += '/'; break;
        case LINEBREAK_NOBREAK: marks += '.'; break;
        default: marks += '-'; break;
        }
    }
    return marks;
}

// The text, and under each character its code point and what both say after it.
std::string readable(std::string_view text, const std::string& a, const std::string& b)
{
    std::string out = "\"" + std::string(text) + "\"\n";
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (a[i] == '-' && b[i] == '-') continue;
        std::size_t start = i;
        while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) --start;
        char32_t c = static_cast<unsigned char>(text[start]);
        if (c >= 0xC0) {
            const int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : 1;
            c &= 0x3F >> extra;
            for (int k = 1; k <= extra && start + static_cast<std::size_t>(k) < text.size(); ++k)
                c = (c << 6) | (static_cast<unsigned char>(text[start + static_cast<std::size_t>(k)]) & 0x3F);
        }
        char line[64];
        std::snprintf(line, sizeof line, "  U+%04X  ours %c  libunibreak %c%s\n", static_cast<unsigned>(c), a[i], b[i],
                      a[i] == b[i] ? "" : "   <--");
        out += line;
    }
    return out;
}

// Checks one text; false (with the text shown) when the two disagree.
bool same_breaks(std::string_view text)
{
    const std::string a = ours(text);
    const std::string b = theirs(text);
    if (a == b) return true;
    ADD_FAILURE() << "breaks differ in\n" << readable(text, a, b);
    return false;
}

// {name} and {name:format} replaced by a value.
std::string filled(std::string_view text, std::string_view value)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t close = text.find('}', i);
        if (text[i] == '{' && close != std::string_view::npos) {
            out += value;
            i = close;
        } else {
            out += text[i];
        }
    }
    return out;
}

TEST(LineBreaksAgainstUnibreak, EveryTextOfEveryLanguage)
{
    int texts = 0;
    for (std::size_t lang = 0; lang < kLanguageCount; ++lang) {
        for (std::string_view text : kTexts[lang]) {
            if (text.empty()) continue;
            ++texts;
            // As they are, and with their placeholders filled as the game fills them.
            if (!same_breaks(text)) return;
            for (std::string_view value : {"12,345", "-7", "ゆうた", "Ana María", "50%"})
                if (!same_breaks(filled(text, value))) return;
        }
    }
    EXPECT_GE(texts, static_cast<int>(kTextCount)); // every text in one language at least
}

// Characters by the kinds a text can hold: [first, last] ranges, one drawn at a time.
struct Kind {
    char32_t first;
    char32_t last;
};

constexpr Kind kKinds[] = {
    // Ideographs, kana with their small letters, marks and the prolonged sound mark.
    {0x4E00, 0x9FFF},
    {0x3400, 0x4DBF},
    {0x3041, 0x3096},
    {0x3099, 0x30FF},
    {0x30FC, 0x30FC},
    {0x31F0, 0x31FF},
    {0xFF61, 0xFF9F},
    {0x3005, 0x3007},
    // Hangul syllables, jamo, compatibility and halfwidth letters.
    {0xAC00, 0xD7A3},
    {0x1100, 0x11FF},
    {0x3131, 0x318E},
    {0xFFA0, 0xFFDC},
    // Latin with accents, Greek, Cyrillic, Hebrew, digits.
    {'A', 'Z'},
    {'a', 'z'},
    {0xC0, 0x17F},
    {0x391, 0x3C9},
    {0x410, 0x44F},
    {0x5D0, 0x5EA},
    {'0', '9'},
    {0xFF10, 0xFF19},
    // Every ASCII punctuation mark, the full-width and CJK punctuation, brackets and quotes.
    {'!', '/'},
    {':', '@'},
    {'[', '`'},
    {'{', '~'},
    {0x3001, 0x3003},
    {0x3008, 0x301F},
    {0xFF01, 0xFF0F},
    {0xFF1A, 0xFF20},
    {0xFF3B, 0xFF40},
    {0xFF5B, 0xFF60},
    {0x2018, 0x201F},
    {0xAB, 0xAB},
    {0xBB, 0xBB},
    {0xA1, 0xBF},
    // Hyphens and dashes, ellipses, primes, per mille, currency, letterlike symbols, arrows,
    // maths, shapes, stars, notes, dingbats, circled numbers.
    {0x2010, 0x2015},
    {0xAD, 0xAD},
    {0x2212, 0x2212},
    {0x2024, 0x2027},
    {0x2030, 0x205E},
    {0x20A0, 0x20CF},
    {0x2100, 0x214F},
    {0x2190, 0x21FF},
    {0x2200, 0x22FF},
    {0x2300, 0x23FF},
    {0x2460, 0x24FF},
    {0x25A0, 0x25FF},
    {0x2600, 0x26FF},
    {0x2700, 0x27BF},
    {0xFE30, 0xFE6F},
    {0xFFE0, 0xFFEE},
    // Spaces and the characters that join or part: no-break space, ideographic space, zero-width
    // space, word joiner, zero-width joiner, tab.
    {' ', ' '},
    {' ', ' '},
    {0xA0, 0xA0},
    {0x3000, 0x3000},
    {0x2000, 0x200D},
    {0x2060, 0x2060},
    {0x202F, 0x202F},
    {'\t', '\t'},
    {0xFEFF, 0xFEFF},
    // Combining marks and variation selectors.
    {0x300, 0x36F},
    {0xFE00, 0xFE0F},
    {0x20D0, 0x20F0},
    // Emoji and pictographs, with skin tones.
    {0x1F300, 0x1F5FF},
    {0x1F600, 0x1F64F},
    {0x1F680, 0x1F6FF},
    {0x1F900, 0x1F9FF},
    {0x1FA70, 0x1FAFF},
    {0x1F3FB, 0x1F3FF},
    // Line and paragraph ends.
    {'\n', '\n'},
    {'\r', '\r'},
    {0x0B, 0x0C},
    {0x85, 0x85},
    {0x2028, 0x2029},
    // The object replacement character (never first in a line: libunibreak stops the program there).
    {0xFFFC, 0xFFFC},
};

bool ends_line(char32_t c)
{
    return c == '\n' || c == '\r' || c == 0x0B || c == 0x0C || c == 0x85 || c == 0x2028 || c == 0x2029;
}

TEST(LineBreaksAgainstUnibreak, RandomStringsOfEveryKindOfCharacter)
{
    // Regional indicators (flags) are left out: libunibreak stops the program on them.
    std::mt19937_64 draw(20261208);
    constexpr int kStrings = 300000;
    for (int n = 0; n < kStrings; ++n) {
        std::string text;
        const auto length = 1 + static_cast<int>(draw() % 24);
        char32_t previous = '\n';
        for (int k = 0; k < length; ++k) {
            const Kind& kind = kKinds[draw() % std::size(kKinds)];
            char32_t c = kind.first + static_cast<char32_t>(draw() % (kind.last - kind.first + 1));
            if (c == 0xFFFC && ends_line(previous)) c = 0x2014;
            append_utf8(text, c);
            previous = c;
        }
        ASSERT_TRUE(same_breaks(text)) << "string " << n;
    }
}

TEST(LineBreaksAgainstUnibreak, EveryCharacterBesideEveryKindOfNeighbour)
{
    // Each character after and before one of each class: letter, ideograph, space, digit,
    // closing and opening marks, combining mark, hyphen, glue, Hangul syllable and jamo,
    // zero-width space, quote, postfix and prefix, exclamation, word joiner, symbol, infix,
    // dash, break-before, Hebrew letter, tab, small kana, ellipsis.
    constexpr char32_t kNeighbours[] = {'a',    0x6F22, ' ',    '1',    0x3002, '(',    0x300, '-',    0xA0,   0xAC00,
                                        0xAC01, 0x1100, 0x1161, 0x11A8, 0x200B, 0x201D, '%',   ')',    '!',    0x2060,
                                        '$',    '/',    ',',    0x2014, 0xB4,   0x5D0,  '\t',  0x3041, 0x2026, 'a'};
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c == 0x40000) c = 0xE0000; // nothing assigned between
        if (c == 0xE1000) break;
        // Surrogates are no characters; libunibreak stops the program on flags and U+FFFF.
        if ((c >= 0xD800 && c <= 0xDFFF) || (c >= 0x1F1E6 && c <= 0x1F1FF) || c == 0xFFFF) continue;
        // The planes of ideographs are one class but at their ends: every eighth, and the ends.
        if (c >= 0x20000 && c < 0x40000 && c % 8 != 0 && (c & 0xFFFF) < 0xFFF0) continue;
        std::string text;
        for (char32_t n : kNeighbours) {
            append_utf8(text, n);
            append_utf8(text, c);
        }
        ASSERT_TRUE(same_breaks(text)) << "U+" << std::hex << static_cast<unsigned>(c);
    }
}

} // namespace
} // namespace zen
