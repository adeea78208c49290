#pragma once
// A new game: the player's progress starts afresh.

namespace zen {

struct Game;

// Resets the player's progress and welcomes the player; leaves rpg_ammo, hour, minute,
// regen_acc and news_read as they are. It writes no save; closing the window does.
void new_game(Game& game);

} // namespace zen
