#include "core/sound.h"

#include "core/game_state.h"
#include "platform/path_text.h"

#include <cmath>

namespace zen {

double volume_gain(int volume)
{
    // Hundredths of a decibel to a linear gain: 0 is full, -2000 a tenth, -4000 a hundredth.
    const int v = volume > 0 ? 0 : (volume < -4000 ? -4000 : volume);
    return std::pow(10.0, v / 2000.0);
}

void play_sound(Game& game, Sound sound)
{
    const std::string name(sound_file(sound));
    if (name.empty() || name == game.last_sound) return;
    game.last_sound = name;
    game.sound_guard = 1;
    game.trace_line("sound", name);

    WaveEntry* entry = nullptr;
    for (WaveEntry& e : game.wave_list)
        if (e.name == name) {
            entry = &e;
            break;
        }
    if (!entry) {
        // First use: load it once; a file that fails stays in the list and stays silent.
        game.wave_list.push_back(
            WaveEntry{name, game.platform.audio->load_effect(path_utf8(game.platform.paths.sound(name)))});
        entry = &game.wave_list.back();
    }
    if (entry->handle >= 0) game.platform.audio->play_effect(entry->handle, volume_gain(game.my.volume));
}

void play_music(Game& game, Music music)
{
    const std::string name(music_file(music));
    game.trace_line("music", name);
    game.platform.audio->play_music(path_utf8(game.platform.paths.sound(name)));
}

void stop_music(Game& game) { game.platform.audio->stop_music(); }

void count_down_sound_guard(Game& game)
{
    if (game.sound_guard >= 1) {
        --game.sound_guard;
        if (game.sound_guard == 0) game.last_sound.clear();
    }
}

} // namespace zen
