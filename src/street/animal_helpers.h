#pragma once
// The animal helpers: with a contract for the area, its animal walks up to the sales table once
// between two nights of sleep and restores the player's voice or energy.
namespace zen {

struct Game;

// The animal in street slot `slot` has reached the player: it says its line and helps.
void animal_visit(Game& game, int slot);

} // namespace zen
