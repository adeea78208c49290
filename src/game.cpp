// Zentrifa: the program entry. Options, platform, the one Game, the frame loop.
#include "app/command_line.h"
#include "app/input_script.h"
#include "app/recording.h"
#include "app/run_loop.h"
#include "app/save_file.h"
#include "app/startup.h"
#include "bot/autoplay.h"
#include "core/game_state.h"
#include "core/settings.h"
#include "core/texts.h"
#include "fx_gallery/fx_gallery.h"
#include "platform/locale.h"
#include "platform/path_text.h"
#include "platform/process.h"

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    using namespace zen;
    connect_standard_streams();
    // The arguments as UTF-8, whatever the system hands over: a folder named 山田 stays one.
    const std::vector<std::string> args = program_arguments(argc, argv);
    std::vector<const char*> arg_texts;
    arg_texts.reserve(args.size());
    for (const std::string& a : args) arg_texts.push_back(a.c_str());
    Options options;
    std::string error;
    if (!parse_options(static_cast<int>(arg_texts.size()), arg_texts.data(), options, error)) {
        std::fprintf(stderr, "zentrifa: %s\n%s", error.c_str(), usage_text().c_str());
        return 2;
    }
    if (options.help || options.version) {
        std::fputs((options.help ? usage_text() : version_text()).c_str(), stdout);
        return 0;
    }
    std::vector<ScriptEvent> script;
    RecordingNotes recorded;
    if (!options.input.empty() && !parse_input_script(options.input, script, error, &recorded)) {
        std::fprintf(stderr, "zentrifa: %s\n", error.c_str());
        return 2;
    }
    if (!recorded.other_format.empty()) std::fprintf(stderr, "zentrifa: %s\n", recorded.other_format.c_str());
    if (!recorded.cut.empty()) std::fprintf(stderr, "zentrifa: %s\n", recorded.cut.c_str());
    // A recording replays with its own seed unless another is asked for.
    if (!options.seed) options.seed = recorded.seed;

    // From here on a signal to stop closes the game as its window does: with a save.
    catch_stop_signals();

    const Paths paths = resolve_paths(executable_path(arg_texts.empty() ? "zentrifa" : arg_texts[0]), options.data_dir,
                                      options.save_dir);
    if (!data_folder_usable(paths, error)) {
        std::fprintf(stderr, "zentrifa: %s\n", error.c_str());
        return 1;
    }
    if (!output_files_usable(options, paths, error)) {
        std::fprintf(stderr, "zentrifa: %s\n", error.c_str());
        return 2;
    }
    Platform platform = make_headless_platform(paths);
    // The settings file (only read here), then the language: --lang, the one a recording was
    // played in, the setting, the system's.
    std::vector<std::string> problems;
    platform.settings.load(paths.settings_file, problems);
    check_setting_keys(platform.settings, problems);
    const Lang lang = choose_language(options.lang.empty() ? recorded.lang : options.lang, platform.settings,
                                      system_languages(), problems);
    const bool pause_on_focus_loss = yes_no_setting(platform.settings, kPauseOnFocusLossSetting, true, problems);
    const double pointer_speed = number_setting(platform.settings, kPointerSpeedSetting, 1.0, 0.25, 4.0, problems);
    const double dead_zone = number_setting(platform.settings, kDeadZoneSetting, 0.2, 0.0, 0.9, problems);
    const bool fullscreen = yes_no_setting(platform.settings, kFullscreenSetting, false, problems);
    const WindowSize window_size = window_size_setting(platform.settings, problems);
    for (const std::string& p : problems) std::fprintf(stderr, "zentrifa: %s\n", p.c_str());
    // The save folder is this copy's for the whole run, before anything in it is written or cleared.
    // Without a lock a second copy would play on the same save too: no lock, no game.
    switch (lock_save_folder(platform, error)) {
    case FileLock::Result::held: break;
    case FileLock::Result::busy:
        std::fprintf(stderr,
                     "zentrifa: another copy of the game is already running on the save folder %s; close it "
                     "first. This copy ends without touching the save.\n",
                     path_utf8(paths.save_dir).c_str());
        if (!options.headless)
            show_error_box("Q.Z.", fill(text_in(lang, Text::save_in_use), {{"folder", path_utf8(paths.save_dir)}}));
        return kExitSaveInUse;
    case FileLock::Result::failed:
        std::fprintf(stderr,
                     "zentrifa: cannot lock the save folder, so a second copy of the game could not be kept out; "
                     "this copy ends without touching the save. %s\n",
                     error.c_str());
        if (!options.headless) show_error_box("Q.Z.", fill(text_in(lang, Text::save_lock_unusable), {{"why", error}}));
        return kExitSaveInUse;
    }
    // The seed, and the recording that names it, before any window opens.
    const std::uint64_t seed = options.seed       ? *options.seed
                               : options.headless ? make_virtual_clock()->seed_time()
                                                  : make_system_clock()->seed_time();
    Recording recording;
    if (!options.record.empty() && !recording.open(options.record, seed, lang, error)) {
        std::fprintf(stderr, "zentrifa: %s\n", error.c_str());
        return 2;
    }

    if (!options.headless) {
        auto window = make_sdl_window(window_title(lang), path_utf8(paths.save_dir / "screenshots"), paths.icon_files(),
                                      paths.settings_file.parent_path() / "gamecontrollerdb.txt", error);
        if (!window) {
            std::fprintf(stderr,
                         "zentrifa: cannot open the game window: %s\n"
                         "(no display? run with --headless)\n",
                         error.c_str());
            return 1;
        }
        if (window_size != WindowSize{}) window->set_size(window_size);
        window->set_fullscreen(fullscreen);
        platform.window = std::move(window);
        platform.clock = make_system_clock();
        platform.audio = make_sdl_audio();
        platform.headless = false;
    }

    auto game = std::make_unique<Game>(platform, seed);
    speak(*game, lang);
    game->pause_on_focus_loss = pause_on_focus_loss;
    game->pointer_speed = pointer_speed;
    game->dead_zone = dead_zone;
    if (options.trace) game->trace = &std::cout;
    Autoplay bot(stderr);
    const int code = options.fx_gallery.empty()
                         ? run_game(*game, options, script, recording.active() ? &recording : nullptr,
                                    options.autoplay ? &bot : nullptr)
                         : render_fx_gallery(*game, path_utf8(options.fx_gallery));
    game.reset();
    platform = Platform{};
    quit_platform();
    return code;
}
