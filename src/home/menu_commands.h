#pragma once
// The home menus' command numbers (each button record carries one in its `command`) and the
// records of the home menus that other files name. The menu's builder sets them, its handler
// switches on them, the bot presses them.
#include "core/menu_keys.h"

#include <cstdint>

namespace zen {

enum class HomeCommand : std::int32_t { abandon = 1, make = 2, options = 3, go_out = 4, eat = 5, sleep = 6, shop = 7 };
enum class AbandonCommand : std::int32_t { yes = 1, no = 2 };
enum class OptionsCommand : std::int32_t {
    sound = 1,
    energy_help = 2,
    credits = 3,
    sleep_help = 4,
    language = 5,
    pause_in_background = 6,
    fullscreen = 7,
    more_languages = 8, // the menu of every language, when the options have no room for them all
};
enum class SoundCommand : std::int32_t { quieter = 1, louder = 2 };
enum class StartCommand : std::int32_t { start = 2, cleared = 3, true_clear = 4, news = 5, legend_clear = 6 };
enum class MakeGameCommand : std::int32_t { make = 1 };
enum class ShopCommand : std::int32_t { energy = 1, poster = 2, loan = 3, book = 4, item = 5, animal = 6 };
// A stage-select entry's command is its stage number; the way back is this one.
constexpr std::int32_t kStageSelectBack = -1;

// Records that files besides the menus' builder name.
constexpr int kStageSelectFirstRecord = menu_records(kMenuStageSelect).first; // + stage
constexpr int kWakeUpRecord = menu_records(kMenuWakeUp).first;
constexpr int kTimeUpRecord = menu_records(kMenuTimeUp).first;
constexpr int kStageClearedRecord = menu_records(kMenuStageCleared).first;

} // namespace zen
