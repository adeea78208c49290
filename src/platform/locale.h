#pragma once
// The language the system asks for.
#include <string>
#include <vector>

namespace zen {

// The languages the user asks for, most wanted first, each with its script and region when the
// system names them ("fr_FR", "ja", "zh-Hans", ...); empty when
// none is set or the locale is C or POSIX. The locale is LC_ALL, else LC_MESSAGES, else LANG;
// when it names a real locale, the languages of LANGUAGE (a list such as "fr:ja") come first, as
// they do for gettext, and the locale's own language last. With none of them set, SDL's preferred
// locales answer (the desktop's setting on systems that have one).
std::vector<std::string> system_languages();

// The same rule over given values (the environment's, in system_languages); exposed for tests.
std::vector<std::string> languages_of_locale(const char* language, const char* lc_all, const char* lc_messages,
                                             const char* lang);

} // namespace zen
