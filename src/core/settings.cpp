#include "core/settings.h"

#include "core/game_state.h"
#include "core/texts.h"
#include "platform/path_text.h"

#include <cctype>
#include <charconv>
#include <cstdio>
#include <locale>
#include <sstream>
#include <system_error>

namespace zen {

namespace {

// A value from the file as a message quotes it: a control character (which could move the
// terminal's cursor or change its colours) as \xNN, and no more than a line's worth.
std::string shown(std::string_view value)
{
    constexpr std::size_t kLongest = 60;
    std::string out;
    for (const char c : value.substr(0, kLongest)) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            out += "\\x";
            out += kHex[b >> 4];
            out += kHex[b & 15];
        } else {
            out += c;
        }
    }
    if (value.size() > kLongest) out += "...";
    return out;
}

} // namespace

void check_setting_keys(const SettingsFile& file, std::vector<std::string>& problems)
{
    int unknown = 0;
    for (const SettingsFile::Line& line : file.lines()) {
        bool known = false;
        for (const SettingKey& k : kSettingKeys) known = known || k.key == line.key;
        if (!known && ++unknown <= SettingsFile::kNamedBadLines)
            problems.push_back(path_utf8(file.path()) + " line " + std::to_string(line.number) +
                               ": unknown setting \"" + line.key + "\"; it is kept and does nothing");
    }
    if (unknown > SettingsFile::kNamedBadLines)
        problems.push_back(path_utf8(file.path()) + ": " + std::to_string(unknown - SettingsFile::kNamedBadLines) +
                           " more unknown settings; they are kept and do nothing");
}

Lang choose_language(std::string_view option, const SettingsFile& file, const std::vector<std::string>& system,
                     std::vector<std::string>& problems)
{
    if (const std::optional<Lang> chosen = language_of_code(option)) return *chosen;
    if (const std::string* value = file.get(kLanguageSetting.key)) {
        if (const std::optional<Lang> set = language_of_code(*value)) return *set;
        problems.push_back(path_utf8(file.path()) + ": language = " + shown(*value) +
                           " is not a language of the game (" + language_list() + "); the system's language is used");
    }
    if (system.empty()) return Lang::ja;
    for (const std::string& code : system)
        if (const std::optional<Lang> spoken = spoken_language(code)) return *spoken;
    return Lang::en;
}

std::optional<Lang> spoken_language(std::string_view system_language)
{
    if (const std::optional<Lang> as_is = language_of_code(system_language)) return as_is;
    const std::size_t cut = system_language.find_first_of("_-");
    const std::string_view language = system_language.substr(0, cut);
    // Portuguese, wherever it is spoken, is the Brazilian until the game has another.
    if (language == "pt") return language_of_code("pt-BR");
    if (language != "zh") return cut == std::string_view::npos ? std::nullopt : language_of_code(language);
    // zh_CN, zh_SG, zh_Hans, zh-Hans-CN are simplified; zh_TW, zh_HK, zh_MO, zh-Hant traditional;
    // zh alone is neither.
    std::string_view rest = cut == std::string_view::npos ? std::string_view{} : system_language.substr(cut + 1);
    while (!rest.empty()) {
        const std::size_t next = rest.find_first_of("_-");
        const std::string_view part = rest.substr(0, next);
        if (part == "Hant" || part == "TW" || part == "HK" || part == "MO") return language_of_code("zh-Hant");
        if (part == "Hans" || part == "CN" || part == "SG") return language_of_code("zh-Hans");
        rest = next == std::string_view::npos ? std::string_view{} : rest.substr(next + 1);
    }
    return std::nullopt;
}

bool yes_no_setting(const SettingsFile& file, const SettingKey& key, bool fallback, std::vector<std::string>& problems)
{
    const std::string* value = file.get(key.key);
    if (!value) return fallback;
    if (*value == "yes") return true;
    if (*value == "no") return false;
    problems.push_back(path_utf8(file.path()) + ": " + std::string(key.key) + " = " + shown(*value) +
                       " is neither yes nor no; " + (fallback ? "yes" : "no") + " is used");
    return fallback;
}

namespace {

void remember(Game& game, const SettingKey& key, const std::string& value)
{
    std::string error;
    // Refused and already said so: nothing more to say.
    if (!game.platform.settings.set(key.key, value, key.comment, error) && !error.empty())
        std::fprintf(stderr, "zentrifa: the setting %s is not remembered for the next start: %s\n",
                     std::string(key.key).c_str(), error.c_str());
}

} // namespace

WindowSize window_size_setting(const SettingsFile& file, std::vector<std::string>& problems)
{
    const std::string* value = file.get(kWindowSizeSetting.key);
    if (!value) return {};
    WindowSize s;
    const char* first = value->data();
    const char* last = first + value->size();
    const auto [x_at, e1] = std::from_chars(first, last, s.width);
    if (e1 == std::errc{} && x_at != last && *x_at == 'x') {
        const auto [end, e2] = std::from_chars(x_at + 1, last, s.height);
        if (e2 == std::errc{} && end == last && s.width >= kSmallestWindow.width &&
            s.height >= kSmallestWindow.height && s.width <= kLargestWindow.width && s.height <= kLargestWindow.height)
            return s;
    }
    problems.push_back(path_utf8(file.path()) + ": window_size = " + shown(*value) + " is not a size from " +
                       std::to_string(kSmallestWindow.width) + "x" + std::to_string(kSmallestWindow.height) + " to " +
                       std::to_string(kLargestWindow.width) + "x" + std::to_string(kLargestWindow.height) +
                       "; 800x600 is used");
    return {};
}

void remember_window(Game& game)
{
    if (!game.platform.window) return;
    const Window& window = *game.platform.window;
    const std::string full = window.fullscreen() ? "yes" : "no";
    const std::string* kept_full = game.platform.settings.get(kFullscreenSetting.key);
    if (kept_full ? *kept_full != full : window.fullscreen()) remember(game, kFullscreenSetting, full);
    if (window.fullscreen()) return; // the window's own size is the one it will come back to
    const WindowSize s = window.size();
    const std::string size = std::to_string(s.width) + "x" + std::to_string(s.height);
    const std::string* kept_size = game.platform.settings.get(kWindowSizeSetting.key);
    if (kept_size ? *kept_size != size : s != WindowSize{}) remember(game, kWindowSizeSetting, size);
}

void switch_fullscreen(Game& game, bool on)
{
    game.platform.window->set_fullscreen(on);
    remember(game, kFullscreenSetting, on ? "yes" : "no");
}

void switch_pause_on_focus_loss(Game& game, bool on)
{
    game.pause_on_focus_loss = on;
    remember(game, kPauseOnFocusLossSetting, on ? "yes" : "no");
}

double number_setting(const SettingsFile& file, const SettingKey& key, double fallback, double lowest, double highest,
                      std::vector<std::string>& problems)
{
    const std::string* value = file.get(key.key);
    if (!value) return fallback;
    // Read in the C way whatever the locale: a dot before the decimals, nothing before or after
    // the number. (Through a stream of the classic locale: not every standard library reads a
    // double with std::from_chars.)
    double v = 0;
    std::istringstream in(*value);
    in.imbue(std::locale::classic());
    const bool plain = !value->empty() && (std::isdigit(static_cast<unsigned char>(value->front())) ||
                                           value->front() == '-' || value->front() == '.');
    if (plain && in >> std::noskipws >> v && in.peek() == std::char_traits<char>::eof() && v >= lowest && v <= highest)
        return v;
    char range[64];
    std::snprintf(range, sizeof range, "%g to %g", lowest, highest);
    problems.push_back(path_utf8(file.path()) + ": " + std::string(key.key) + " = " + shown(*value) +
                       " is not a number from " + range + "; " + std::to_string(fallback).substr(0, 4) + " is used");
    return fallback;
}

void speak(Game& game, Lang lang)
{
    game.lang = lang;
    if (game.platform.fonts) game.platform.fonts->use_language(language_code(lang));
}

void switch_language(Game& game, Lang lang)
{
    speak(game, lang);
    remember(game, kLanguageSetting, std::string(language_code(lang)));
}

} // namespace zen
