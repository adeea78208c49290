// Where a text may be broken into rows. Each character has a line-break class (the table is made
// from the Unicode data at build time); a table of pairs of classes, worked out once from the
// rules below, says whether a row may end between two characters, directly or with spaces
// between them. Combining marks, spaces and the mandatory breaks are handled as the text goes.
#include "render/line_breaks.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <initializer_list>
#include <iterator>

namespace zen {

namespace {

// The classes the pair table knows, then those handled before it. The names are Unicode's.
// clang-format off
enum class C : std::uint8_t {
    op, cl, cp, qu, gl, ns, ex, sy, is, pr, po, nu, al, hl, id, in, hy, ba, bb, b2, zw, cm, wj,
    h2, h3, jl, jv, jt, ri,
    bk, cr, lf, nl, sp, cb
};
// clang-format on
constexpr std::size_t kPairClasses = static_cast<std::size_t>(C::ri) + 1;

struct ClassStart {
    char32_t first;
    C cls; // up to the next entry's first code point
};

constexpr ClassStart kClasses[] = {
#include "render/line_break_classes.inc"
};
static_assert(kClasses[0].first == 0, "the table starts at the first code point");

C class_of(char32_t c)
{
    const auto* after = std::upper_bound(std::begin(kClasses), std::end(kClasses), c,
                                         [](char32_t v, const ClassStart& s) { return v < s.first; });
    return std::prev(after)->cls;
}

// What the pair table says between a class before and a class after.
enum class Pair : std::uint8_t {
    direct,    // a row may end between them
    indirect,  // only when spaces stand between them
    mark,      // a combining mark: as indirect, and the mark then counts as a letter
    mark_held, // a combining mark after an opening: never; the opening stays in force
    never      // never, spaces or not
};

constexpr bool one_of(C c, std::initializer_list<C> set)
{
    for (C s : set)
        if (c == s) return true;
    return false;
}

constexpr bool hangul(C c) { return one_of(c, {C::jl, C::jv, C::jt, C::h2, C::h3}); }
constexpr bool letter(C c) { return c == C::al || c == C::hl; }

// Korean is written with spaces between words and breaks only there, as Latin letters do: its
// syllables and jamo count as letters (a word wider than a row is still cut where it must).
C tailored(C c, Lang lang) { return lang == Lang::ko && hangul(c) ? C::al : c; }

// No break between b and a when they stand side by side.
constexpr bool held_together(C b, C a)
{
    if (a == C::zw) return true;
    if (b == C::zw) return false;
    if (a == C::wj || b == C::wj || b == C::gl) return true;
    if (a == C::gl && b != C::ba && b != C::hy) return true;
    if (one_of(a, {C::cl, C::cp, C::ex, C::is, C::sy})) return true;
    if (b == C::op) return true;
    if (b == C::qu && a == C::op) return true;
    if ((b == C::cl || b == C::cp) && a == C::ns) return true;
    if (b == C::b2 && a == C::b2) return true;
    if (a == C::qu || b == C::qu) return true;
    if (one_of(a, {C::ba, C::hy, C::ns}) || b == C::bb) return true;
    // Inseparables, numbers with their letters, prefixes and postfixes.
    if (a == C::in && one_of(b, {C::al, C::hl, C::id, C::in, C::nu})) return true;
    if ((b == C::id && a == C::po) || (letter(b) && a == C::nu) || (b == C::nu && letter(a))) return true;
    if ((b == C::pr && (a == C::id || letter(a))) || (b == C::po && letter(a))) return true;
    if (one_of(b, {C::cl, C::cp, C::nu}) && (a == C::po || a == C::pr)) return true;
    if ((b == C::po || b == C::pr) && (a == C::op || a == C::nu)) return true;
    if (one_of(b, {C::hy, C::is, C::nu, C::sy}) && a == C::nu) return true;
    // Hangul syllables and jamo.
    if (b == C::jl && one_of(a, {C::jl, C::jv, C::h2, C::h3})) return true;
    if ((b == C::jv || b == C::h2) && (a == C::jv || a == C::jt)) return true;
    if ((b == C::jt || b == C::h3) && a == C::jt) return true;
    if ((hangul(b) && (a == C::in || a == C::po)) || (b == C::pr && hangul(a))) return true;
    // Words, and words with their brackets.
    if (letter(b) && letter(a)) return true;
    if (b == C::is && letter(a)) return true;
    if ((one_of(b, {C::al, C::hl, C::nu}) && a == C::op) || (b == C::cp && one_of(a, {C::al, C::hl, C::nu})))
        return true;
    return b == C::ri && a == C::ri;
}

// No break between b and a even with spaces between them.
constexpr bool held_across_spaces(C b, C a)
{
    if (b == C::zw) return a == C::zw;
    if (one_of(a, {C::zw, C::wj, C::cl, C::cp, C::ex, C::is, C::sy})) return true;
    if (b == C::op) return true;
    if (b == C::qu && a == C::op) return true;
    if ((b == C::cl || b == C::cp) && a == C::ns) return true;
    return b == C::b2 && a == C::b2;
}

constexpr Pair pair_rule(C b, C a)
{
    if (b == C::cm) b = C::al; // a mark with nothing to attach to is a letter
    if (a == C::cm) {
        if (b == C::zw) return Pair::direct;
        return b == C::op ? Pair::mark_held : Pair::mark;
    }
    if (held_across_spaces(b, a)) return Pair::never;
    return held_together(b, a) ? Pair::indirect : Pair::direct;
}

using PairTable = std::array<std::array<Pair, kPairClasses>, kPairClasses>;

constexpr PairTable make_pair_table()
{
    PairTable t{};
    for (std::size_t b = 0; b < kPairClasses; ++b)
        for (std::size_t a = 0; a < kPairClasses; ++a) t[b][a] = pair_rule(static_cast<C>(b), static_cast<C>(a));
    return t;
}

constexpr PairTable kPairs = make_pair_table();

// The character at text[i] and its length in bytes; 0 when the text ends inside it. A byte
// that cannot begin a character is a character of its own.
char32_t next_char(std::string_view text, std::size_t i, std::size_t& len)
{
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t n = 1;
    char32_t c = lead;
    if (lead >= 0xC2 && lead <= 0xF4) {
        n = lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        c = lead & (n == 2 ? 0x1Fu : n == 3 ? 0x0Fu : 0x07u);
    }
    if (n > text.size() - i) {
        len = 0;
        return 0;
    }
    for (std::size_t k = 1; k < n; ++k) c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
    len = n;
    return c;
}

// The class a row's first character carries forward: a line feed ends the row it starts, a
// leading space holds on to what follows, an object replacement character breaks after.
C row_start(C c)
{
    if (c == C::lf || c == C::nl) return C::bk;
    if (c == C::sp) return C::wj;
    if (c == C::cb) return C::ba;
    return c;
}

} // namespace

std::vector<RowBreak> row_breaks(std::string_view text, Lang lang)
{
    std::vector<RowBreak> out(text.size(), RowBreak::inside);
    std::size_t len = 0;
    const char32_t opening = text.empty() ? 0 : next_char(text, 0, len);
    if (len == 0) return out;
    // What the next character is paired with, and the class of the character just before it
    // (only whether that is a space counts; a leading space does not).
    C held = row_start(tailored(class_of(opening), lang));
    C before = C::wj;
    std::size_t last = len - 1; // the last byte of the character just read
    for (std::size_t i = len; i < text.size(); i += len) {
        const C now = tailored(class_of(next_char(text, i, len)), lang);
        if (len == 0) break;
        const bool after_space = before == C::sp;
        before = now;
        RowBreak& slot = out[last];
        last = i + len - 1;
        if (held == C::bk || (held == C::cr && now != C::lf)) {
            slot = RowBreak::must;
            held = row_start(now);
            continue;
        }
        switch (now) {
        case C::sp: slot = RowBreak::never; continue;
        case C::bk:
        case C::lf:
        case C::nl:
            slot = RowBreak::never;
            held = C::bk;
            continue;
        case C::cr:
            slot = RowBreak::never;
            held = C::cr;
            continue;
        case C::cb:
            slot = RowBreak::allowed;
            held = C::ba;
            continue;
        default: break;
        }
        switch (kPairs[static_cast<std::size_t>(held)][static_cast<std::size_t>(now)]) {
        case Pair::direct: slot = RowBreak::allowed; break;
        case Pair::indirect:
        case Pair::mark: slot = after_space ? RowBreak::allowed : RowBreak::never; break;
        case Pair::mark_held:
            slot = RowBreak::never;
            if (!after_space) continue;
            break;
        case Pair::never: slot = RowBreak::never; break;
        }
        held = now;
    }
    out[last] = RowBreak::must;
    return out;
}

} // namespace zen
