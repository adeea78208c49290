#include "core/texts.h"

#include "core/game_state.h"

#include <algorithm>
#include <cstddef>

namespace zen {

std::string_view text_in(Lang lang, Text id)
{
    const auto l = static_cast<std::size_t>(lang);
    const auto t = static_cast<std::size_t>(id);
    if (l >= static_cast<std::size_t>(kLanguageCount) || t >= static_cast<std::size_t>(kTextCount)) return {};
    return kTexts[l][t];
}

std::string tr(const Game& game, Text id) { return std::string(text_in(game.lang, id)); }

std::string tr(const Game& game, Text id, std::initializer_list<TextArg> args)
{
    return fill(text_in(game.lang, id), args);
}

namespace {

// A whole decimal number with an optional minus sign, within 64 bits; nothing else.
std::optional<std::int64_t> whole_number(std::string_view s)
{
    const bool negative = !s.empty() && s[0] == '-';
    if (negative) s.remove_prefix(1);
    if (s.empty() || s.size() > 18) return std::nullopt;
    std::int64_t v = 0;
    for (const char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return negative ? -v : v;
}

// {name:LOW..HIGH%}: where the value stands from LOW (0%) to HIGH (100%), as a whole percentage.
std::optional<std::string> percentage(std::string_view format, const std::string& value)
{
    if (format.size() < 4 || format.back() != '%') return std::nullopt;
    format.remove_suffix(1);
    const std::size_t dots = format.find("..");
    if (dots == std::string_view::npos) return std::nullopt;
    const auto low = whole_number(format.substr(0, dots));
    const auto high = whole_number(format.substr(dots + 2));
    const auto v = whole_number(value);
    if (!low || !high || !v || *high <= *low) return std::nullopt;
    const std::int64_t at = std::clamp(*v, *low, *high) - *low;
    const std::int64_t span = *high - *low;
    return std::to_string((200 * at + span) / (2 * span)) + "%"; // rounded to the nearest
}

// The plural classes of the Slavic languages, by the last digits: `one` for 1, 21, 101 (not 11),
// `few` for 2-4, 22-24 (not 12-14).
bool plural_class_met(std::string_view when, std::int64_t v)
{
    const std::int64_t units = (v < 0 ? -v : v) % 10;
    const std::int64_t tens = (v < 0 ? -v : v) % 100;
    if (when == "one") return units == 1 && tens != 11;
    return units >= 2 && units <= 4 && (tens < 12 || tens > 14); // "few"
}

// {name:WHEN=WORDS|...|WORDS}: the words of the first case the value meets, # standing for the
// value. WHEN is a number the value equals, <number it is below, or a plural class (one, few);
// a last case without WHEN takes every other value. No case met: the value as it is.
std::optional<std::string> wording(std::string_view format, const std::string& value)
{
    if (format.find_first_of("|=") == std::string_view::npos) return std::nullopt;
    const auto v = whole_number(value);
    while (true) {
        const std::size_t bar = format.find('|');
        const std::string_view choice = format.substr(0, bar);
        std::string_view words = choice;
        bool met = true;
        if (const std::size_t eq = choice.find('='); eq != std::string_view::npos) {
            std::string_view when = choice.substr(0, eq);
            const bool below = !when.empty() && when[0] == '<';
            if (below) when.remove_prefix(1);
            const auto n = whole_number(when);
            if (n) {
                met = v && (below ? *v < *n : *v == *n);
                words = choice.substr(eq + 1);
            } else if (!below && (when == "one" || when == "few")) {
                met = v && plural_class_met(when, *v);
                words = choice.substr(eq + 1);
            }
        }
        if (met) {
            std::string out;
            for (const char c : words) {
                if (c == '#')
                    out += value;
                else
                    out += c;
            }
            return out;
        }
        if (bar == std::string_view::npos) return value;
        format.remove_prefix(bar + 1);
    }
}

// {name:1.000}: a whole number's digits in groups of three, the mark between them as between 1
// and 000 in the format.
std::optional<std::string> grouped(std::string_view format, const std::string& value)
{
    if (format.size() < 5 || format.front() != '1' || !format.ends_with("000")) return std::nullopt;
    const std::string_view mark = format.substr(1, format.size() - 4);
    if (mark.find_first_of("0123456789") != std::string_view::npos || !whole_number(value)) return std::nullopt;
    const std::size_t sign = value[0] == '-' ? 1 : 0;
    std::string out = value.substr(0, sign);
    const std::size_t digits = value.size() - sign;
    for (std::size_t i = 0; i < digits; ++i) {
        if (i > 0 && (digits - i) % 3 == 0) out += mark;
        out += value[sign + i];
    }
    return out;
}

} // namespace

std::string fill(std::string_view text, std::initializer_list<TextArg> args)
{
    std::string out;
    out.reserve(text.size() + 16);
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find('{', at);
        if (open == std::string_view::npos) break;
        const std::size_t close = text.find('}', open);
        if (close == std::string_view::npos) break;
        std::string_view name = text.substr(open + 1, close - open - 1);
        // {name:0N}: the value padded with zeros to N characters (a clock's minutes); the other
        // formats are above.
        std::size_t width = 0;
        std::string_view format;
        if (const std::size_t colon = name.find(':'); colon != std::string_view::npos) {
            format = name.substr(colon + 1);
            if (format.size() == 2 && format[0] == '0' && format[1] >= '1' && format[1] <= '9')
                width = static_cast<std::size_t>(format[1] - '0');
            name = name.substr(0, colon);
        }
        const TextArg* arg = nullptr;
        for (const TextArg& a : args)
            if (a.name == name) arg = &a;
        out.append(text.substr(at, open - at));
        if (arg) {
            if (arg->value.size() < width) out.append(width - arg->value.size(), '0');
            if (auto shown = percentage(format, arg->value))
                out += *shown;
            else if (auto groups = grouped(format, arg->value))
                out += *groups;
            else if (auto words = wording(format, arg->value))
                out += *words;
            else
                out += arg->value;
        } else {
            out.append(text.substr(open, close + 1 - open));
        }
        at = close + 1;
    }
    out.append(text.substr(at));
    return out;
}

std::string num(std::int64_t value) { return std::to_string(value); }

std::optional<Lang> language_of_code(std::string_view code)
{
    for (int i = 0; i < kLanguageCount; ++i)
        if (kLanguageCodes[i] == code) return static_cast<Lang>(i);
    return std::nullopt;
}

std::string language_list()
{
    std::string out;
    for (int i = 0; i < kLanguageCount; ++i) {
        if (i > 0) out += i + 1 == kLanguageCount ? " or " : ", ";
        out += kLanguageCodes[i];
    }
    return out;
}

std::string_view language_code(Lang lang)
{
    const auto l = static_cast<std::size_t>(lang);
    return l < static_cast<std::size_t>(kLanguageCount) ? kLanguageCodes[l] : std::string_view{};
}

} // namespace zen
