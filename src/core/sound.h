#pragma once
// Sound effects and music, by their names in core/sound_names.h.
#include "core/sound_names.h"

#include <string>
#include <vector>

namespace zen {

struct Game;

// One loaded (or failed) effect of the wave list; the list only grows.
struct WaveEntry {
    std::string name;
    int handle = -1; // -1: the file could not be read; it stays silent
};

// An effect is heard once a tick, however often it is asked for; Sound::none plays nothing.
void play_sound(Game& game, Sound sound);
void play_music(Game& game, Music music);
// Stops whatever music plays (the trace shows nothing).
void stop_music(Game& game);
// The tick's countdown of the repeat guard.
void count_down_sound_guard(Game& game);

} // namespace zen

namespace zen {
// The effect volume (hundredths of a decibel, -4000..0) as the mixer's linear gain.
double volume_gain(int volume);
} // namespace zen
