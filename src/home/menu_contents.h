#pragma once
// What every home menu offers: each menu's records in the button table, their captions, commands,
// sizes and arguments, and the rules that hide an entry or grey it out.
namespace zen {

struct Game;

// Enters the home menus into the registry (key, builder, command handler): the start menu, the
// stage select, the home menu and its make-game, shop, options, sound and abandon menus, and the
// wake-up, time-up and stage-cleared screens. The sales floor's menu is the street's own.
void register_home_menus(Game& game);

// Turns the caption of each switch of the open menu to its setting as it stands: a window key
// (F11) can change a setting while the menu that shows it is open.
void follow_switches(Game& game);

} // namespace zen
