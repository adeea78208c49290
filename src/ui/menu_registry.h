#pragma once
// The registry of menus: home and the street each enter the menus they own ({key, build, run})
// when the game starts. Opening a menu builds it through its entry and a click on one of its
// buttons runs its entry; a key nobody entered builds nothing and runs nothing.
#include "core/menu_handlers.h"

#include <cstdint>

namespace zen {

struct Game;

// Enters a menu's handlers; a key entered again has its handlers replaced. False when the table is
// full.
bool register_menu(Game& game, const MenuHandlers& handlers);
// The entry of a key, null when none.
MenuHandlers* registered_menu(Game& game, std::int32_t key);
// Builds the menus that are built at every opening and the menu now opening (game.open_menu),
// in the order they were entered.
void build_menus(Game& game);
// Runs the command of the button record at index, through the entry of the record's menu.
void run_command(Game& game, int index);

} // namespace zen
