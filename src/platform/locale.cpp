#include "platform/locale.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace zen {

namespace {

bool letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// "ja_JP.UTF-8" -> "ja_JP", "zh-Hans-CN" -> "zh-Hans-CN", "de@euro" -> "de": the language in lower
// case, with its script and region as given (Chinese is written two ways); "C", "C.UTF-8",
// "POSIX" -> "".
std::string language_part(std::string_view locale)
{
    const std::size_t end = locale.find_first_of(".@:");
    std::string_view code = locale.substr(0, end);
    const std::string_view language = code.substr(0, code.find_first_of("_-"));
    if (language == "C" || language == "POSIX" || language.empty()) return {};
    std::string out;
    for (const char c : language) {
        if (!letter(c)) return {}; // not a language code
        out += static_cast<char>(c | 0x20);
    }
    for (const char c : code.substr(language.size())) {
        if (!letter(c) && !(c >= '0' && c <= '9') && c != '_' && c != '-') break;
        out += c;
    }
    return out;
}

bool set(const char* v) { return v && *v; }

// The language of `locale` at the end of `out`, unless it is there already or names none.
void add_language(std::vector<std::string>& out, std::string_view locale)
{
    std::string code = language_part(locale);
    if (!code.empty() && std::find(out.begin(), out.end(), code) == out.end()) out.push_back(std::move(code));
}

} // namespace

std::vector<std::string> languages_of_locale(const char* language, const char* lc_all, const char* lc_messages,
                                             const char* lang)
{
    std::vector<std::string> out;
    const char* locale = set(lc_all) ? lc_all : set(lc_messages) ? lc_messages : set(lang) ? lang : nullptr;
    if (locale && language_part(locale).empty()) return out; // C or POSIX: LANGUAGE does not count
    if (set(language)) {
        std::string_view list = language;
        while (!list.empty()) {
            const std::size_t colon = list.find(':');
            add_language(out, list.substr(0, colon));
            list = colon == std::string_view::npos ? std::string_view{} : list.substr(colon + 1);
        }
    }
    if (locale) add_language(out, locale);
    return out;
}

std::vector<std::string> system_languages()
{
    const char* language = std::getenv("LANGUAGE");
    const char* lc_all = std::getenv("LC_ALL");
    const char* lc_messages = std::getenv("LC_MESSAGES");
    const char* lang = std::getenv("LANG");
    if (set(language) || set(lc_all) || set(lc_messages) || set(lang))
        return languages_of_locale(language, lc_all, lc_messages, lang);
    std::vector<std::string> found;
    if (SDL_Locale* locales = SDL_GetPreferredLocales()) {
        for (const SDL_Locale* l = locales; l->language; ++l)
            add_language(found, std::string(l->language) + (l->country ? std::string("_") + l->country : ""));
        SDL_free(locales);
    }
    return found;
}

} // namespace zen
