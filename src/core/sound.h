#pragma once
// Sound effects and music, by file name.
#include <string>
#include <vector>

namespace zen {

struct Game;

// One loaded (or failed) effect of the wave list; the list only grows.
struct WaveEntry {
    std::string name;
    int handle = -1; // -1: the file could not be read; it stays silent
};

void play_sound(Game& game, const std::string& name);
void play_music(Game& game, const std::string& name);
// The tick's countdown of the repeat guard.
void count_down_sound_guard(Game& game);

} // namespace zen

namespace zen {
// The effect volume (hundredths of a decibel, -4000..0) as the mixer's linear gain.
double volume_gain(int volume);
}
