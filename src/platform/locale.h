#pragma once
// The language the system asks for.
#include <string>

namespace zen {

// The two-letter language of the user's locale ("ja", "en", "fr", ...), or "" when none is set or
// it is the C or POSIX locale. The locale is LC_ALL, else LC_MESSAGES, else LANG; when it names a
// real locale, LANGUAGE (a list such as "fr:en") comes first, as it does for gettext. With none of
// them set, SDL's preferred locales answer (the desktop's setting on systems that have one).
std::string system_language();

// The same rule over given values (the environment's, in system_language); exposed for tests.
std::string language_of_locale(const char* language, const char* lc_all, const char* lc_messages, const char* lang);

} // namespace zen
