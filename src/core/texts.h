#pragma once
// Every text a player sees comes from one table (core/texts/*.txt, made into core/text_table.h by
// the build), asked for by its name in the language in use. A text may hold placeholders such as
// {price}; the caller names their values.
#include "core/text_table.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace zen {

struct Game;

// The value of one placeholder: {name} in the text becomes value.
struct TextArg {
    std::string_view name;
    std::string value;
};

// The text `id` in `lang`, byte for byte; Text::none is empty.
std::string_view text_in(Lang lang, Text id);

// The text `id` in the game's language, its placeholders filled in.
std::string tr(const Game& game, Text id);
std::string tr(const Game& game, Text id, std::initializer_list<TextArg> args);

// `text` with each {name} of `args` replaced by its value; other braces stay as they are. A
// format after a colon shows a number another way: {name:02} padded with zeros to two characters;
// {name:-4000..0%} where it stands in that range, as a percentage; {name:<0=gone|1=# day|# days}
// the words of the first case the number meets (equal to, below, or of a Slavic plural class:
// {n:one=# день|few=# дня|# дней}), # standing for the number;
// {name:1.000} its digits in groups of three, with the mark between 1 and 000 ({name:1,000},
// {name:1 000}) between the groups.
// So one language can say a number in words while another shows it as it is.
std::string fill(std::string_view text, std::initializer_list<TextArg> args);

// A number as the texts show it.
std::string num(std::int64_t value);

// "ja", "en", "zh-Hans": the language of that code, or nothing for a code the game does not speak.
std::optional<Lang> language_of_code(std::string_view code);
std::string_view language_code(Lang lang);
// The codes of every language the game speaks, as a message lists them: "ja, en, ... or de".
std::string language_list();

} // namespace zen
