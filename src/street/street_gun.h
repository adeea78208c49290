#pragma once
// The street gun: while the left button is held on the sales floor, away from the buttons, each
// frame of a running stage fires one shot at the hazard under the pointer.
namespace zen {

struct Game;

// One frame's shot, if the button is held; refused (and said so) while the player is exhausted.
void fire_street_gun(Game& game);

} // namespace zen
