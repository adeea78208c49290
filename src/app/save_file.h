#pragma once
// The save file my.dat: 3419 decimal integers, one per line, in a fixed order.
#include <cstdint>
#include <string>

namespace zen {

struct Game;

constexpr int kSaveLines = 3419;

// Writes the save through a temporary file renamed over my.dat, so the old file survives any
// failure. Returns false (and tells the player) when it cannot be written.
bool save_game(Game& game);

// Reads my.dat; a missing file starts a new game and writes it. A value that cannot be read, or
// that its field cannot hold, stops the reading there: the file is kept aside as my.dat.bad
// and the player is told.
void load_game(Game& game);

} // namespace zen
