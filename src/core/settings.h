#pragma once
// The settings a player keeps between runs, in the settings file (zentrifa.ini): which keys there
// are, what each holds, and how the language is chosen at start-up.
#include "core/text_table.h"
#include "platform/settings_file.h"
#include "platform/window.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zen {

struct Game;

// One key of the settings file, with the comment written above it.
struct SettingKey {
    std::string_view key;
    std::string_view comment;
};

inline constexpr SettingKey kLanguageSetting{"language",
                                             "The language of the game's texts: ja (日本語), en (English), zh-Hans "
                                             "(简体中文), ko (한국어), es (español), de (Deutsch), zh-Hant (繁體中文), "
                                             "fr (français), pt-BR (português do Brasil), ru (русский) or it "
                                             "(italiano)."};

inline constexpr SettingKey kPauseOnFocusLossSetting{
    "pause_on_focus_loss", "Pause the game when its window goes to the background or is minimised: yes or no."};

inline constexpr SettingKey kPointerSpeedSetting{
    "pointer_speed", "How fast a game controller's stick moves the pointer: 0.25 to 4 times the usual speed (1)."};

inline constexpr SettingKey kDeadZoneSetting{
    "dead_zone", "How far a game controller's stick may lean before it moves anything: 0 to 0.9 of its travel (0.2)."};

inline constexpr SettingKey kFullscreenSetting{
    "fullscreen", "Play on the whole screen (yes) or in a window (no); F11 and the options menu switch it."};

inline constexpr SettingKey kWindowSizeSetting{
    "window_size", "The window's size, width x height in pixels, as it was when the game last closed."};

// Every key the game knows.
inline constexpr SettingKey kSettingKeys[] = {kLanguageSetting, kPauseOnFocusLossSetting, kPointerSpeedSetting,
                                              kDeadZoneSetting, kFullscreenSetting,       kWindowSizeSetting};

// A yes/no setting: the file's value when it is yes or no, else `fallback` (a bad value adds a
// problem).
bool yes_no_setting(const SettingsFile& file, const SettingKey& key, bool fallback, std::vector<std::string>& problems);
// A number setting: the file's value when it is a number from lowest to highest, else `fallback`
// (a bad value adds a problem).
double number_setting(const SettingsFile& file, const SettingKey& key, double fallback, double lowest, double highest,
                      std::vector<std::string>& problems);

// One line in `problems` for each key of the file the game does not know.
void check_setting_keys(const SettingsFile& file, std::vector<std::string>& problems);

// The language: --lang when given (`option`, already checked), else the file's setting when it is
// one the game speaks (a bad one adds a problem), else the system's: the first of its languages
// (most wanted first) that the game speaks (see spoken_language); Japanese for a system with no
// language or the C/POSIX locale (`system` empty), English when it speaks none of them.
Lang choose_language(std::string_view option, const SettingsFile& file, const std::vector<std::string>& system,
                     std::vector<std::string>& problems);

// The game's language for one of the system's ("ja", "de_AT", "zh_CN", "zh-Hans"): a code of the
// game's as it stands, else the language before its region; Chinese in its simplified script only
// (China, Singapore, or Hans named), others have none.
std::optional<Lang> spoken_language(std::string_view system_language);

// The window's size from the settings file ("1000x750"), within the smallest and largest window;
// the usual 800 x 600 when it is not set or not such a size (a bad value adds a problem).
WindowSize window_size_setting(const SettingsFile& file, std::vector<std::string>& problems);

// The window as the player leaves it (fullscreen or not, and its size) into the settings file,
// when that differs from what the file says.
void remember_window(Game& game);

// The player switched fullscreen from the options menu; the settings file remembers it.
void switch_fullscreen(Game& game, bool on);

// The player switched pausing in the background; the settings file remembers it.
void switch_pause_on_focus_loss(Game& game, bool on);

// The player switched the language in play: every text from now on is in `lang`, and the settings
// file remembers it (a file that cannot be written says so on standard error; the game goes on).
void switch_language(Game& game, Lang lang);

// Every text from now on is in `lang`, drawn with its face.
void speak(Game& game, Lang lang);

} // namespace zen
