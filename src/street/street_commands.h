#pragma once
// What the sales floor's buttons do (menu 12): go home, shout, fire the rocket launcher.
namespace zen {

struct Game;

// The command of the clicked record index; a number the menu does not know does nothing.
void street_command(Game& game, int index);

} // namespace zen
