#pragma once
// The menus of the whole game: home's and the street's, entered into the registry at start-up,
// and the button pass that runs the command of a clicked button through it.
namespace zen {

struct Game;

// Enters every menu (home's and the street's) into the game's registry. Giving up a stage saves
// the game before the stage ends.
void register_menus(Game& game);
// The button pass, then the command of the button it found clicked.
void run_button_pass(Game& game);

} // namespace zen
