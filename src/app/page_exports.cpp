#include "app/page_exports.h"

#include "app/save_file.h"
#include "core/game_state.h"
#include "core/settings.h"
#include "core/texts.h"
#include "platform/platform.h"

#include <memory>
#include <string>

extern "C" {

const char* zentrifa_check_save(const char* path, const char* lang)
{
    using namespace zen;
    // The answer stays readable until the next call: the page copies it at once.
    static std::string answer;
    Platform platform = make_headless_platform(Paths{});
    auto game = std::make_unique<Game>(platform, 1);
    speak(*game, language_of_code(lang ? lang : "").value_or(Lang::en));
    answer = check_save_file(*game, path ? path : "");
    return answer.c_str();
}

} // extern "C"
