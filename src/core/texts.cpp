#include "core/texts.h"

#include "core/game_state.h"

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
        // {name:0N}: the value padded with zeros to N characters (a clock's minutes).
        std::size_t width = 0;
        if (const std::size_t colon = name.find(':'); colon != std::string_view::npos) {
            const std::string_view padding = name.substr(colon + 1);
            if (padding.size() == 2 && padding[0] == '0' && padding[1] >= '1' && padding[1] <= '9')
                width = static_cast<std::size_t>(padding[1] - '0');
            name = name.substr(0, colon);
        }
        const TextArg* arg = nullptr;
        for (const TextArg& a : args)
            if (a.name == name) arg = &a;
        out.append(text.substr(at, open - at));
        if (arg) {
            if (arg->value.size() < width) out.append(width - arg->value.size(), '0');
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

std::string_view language_code(Lang lang)
{
    const auto l = static_cast<std::size_t>(lang);
    return l < static_cast<std::size_t>(kLanguageCount) ? kLanguageCodes[l] : std::string_view{};
}

} // namespace zen
