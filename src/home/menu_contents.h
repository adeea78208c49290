#pragma once
// What every menu offers: each menu's records in the button table, their captions, commands,
// sizes and arguments, and the rules that hide an entry or grey it out.
namespace zen {

struct Game;

// Rewrites the records of the menus that are built at every opening, and those of the menu now
// opening (open_menu) when it is one that is built only when opened.
void build_menu_contents(Game& game);

} // namespace zen
