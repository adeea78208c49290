#pragma once
// Bringing the game up to the start screen, closing it (which saves) and taking it down.
#include "platform/canvas.h"

#include <string>

namespace zen {

struct Game;

void start_up(Game& game);
// The window closes: from now on the log is not cleared, and the game is saved.
void close_game(Game& game);
// Frees sounds, music, pictures and bitmaps.
void shut_down(Game& game);

// A picture by file name from the cache, loaded on first use; the oldest slot is reused
// once all 3001 are taken. A missing file gives an empty picture.
Canvas& get_picture(Game& game, const std::string& name);

// Loads cg/name as a transparent 24-bit picture; a missing or broken file leaves out empty and
// prints one warning naming the file.
bool load_game_picture(Game& game, const std::string& name, Canvas& out);

extern const char* const kWindowCaption;

} // namespace zen
