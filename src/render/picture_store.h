#pragma once
// Pictures by file name: loading from cg/, the picture cache, and the background picture with
// the composed background built from it.
#include "platform/canvas.h"

#include <string>

namespace zen {

struct Game;

// Loads cg/name as a transparent 24-bit picture; a missing or broken file leaves out empty and
// prints one warning naming the file.
bool load_game_picture(Game& game, const std::string& name, Canvas& out);

// A picture by file name from the cache, loaded on first use; the oldest slot is reused
// once all 3001 are taken. A missing file gives an empty picture.
Canvas& get_picture(Game& game, const std::string& name);

// Shows cg/name as the background: into work bitmap 0 (at (0, 0) when 600 high, else centred in
// the upper 800 x 480, over what was there), then rebuilds the composed background.
void show_picture(Game& game, const std::string& name);
// A script picture: laid into the composed background where show_picture would put it, while
// the background picture stays as it is, so rebuilding brings the background back.
void show_script_picture(Game& game, const std::string& name);
// Where a background picture lies: at (0, 0) when 600 high, else centred in the upper 800 x 480.
Point picture_position(int width, int height);

// The composed background (work bitmap 6) from the background picture, unless a script picture
// holds the screen.
void rebuild_background(Game& game);

} // namespace zen
