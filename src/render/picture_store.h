#pragma once
// Pictures by file name: loading from cg/, the picture cache, and the background picture with
// the composed background built from it.
#include "platform/canvas.h"

#include <cstdint>
#include <string>

namespace zen {

struct Game;

// The most pixel memory the pictures the game holds may take together. The game draws at
// 800 x 600, under 2 MB a screen: this is some 140 screens, four pictures of the largest size, and
// ten times what the generated pack takes with every picture loaded (about 25 MB). Pictures of
// a player's own, each allowed up to 4096 x 4096, would otherwise take gigabytes at start-up.
constexpr std::uint64_t kPictureMemoryLimit = std::uint64_t{256} << 20;

// Loads cg/name as a transparent 24-bit picture; a missing or broken file, or one that would take
// the pictures held past kPictureMemoryLimit, leaves out empty and prints one warning naming the file.
bool load_game_picture(Game& game, const std::string& name, Canvas& out);
// The pixel memory of every picture the game holds: the screens, the work bitmaps, the sprites
// and the picture cache.
std::uint64_t picture_bytes_held(const Game& game);

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
