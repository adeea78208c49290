#pragma once
// The sales floor's menu (menu 12) and what its buttons do: go home, shout, fire the rocket
// launcher.
#include <cstdint>

namespace zen {

struct Game;

enum class StreetCommand : std::int32_t { go_home = 1, shout = 2, launcher = 3 };

// The command of the clicked record index; a number the menu does not know does nothing.
void street_command(Game& game, int index);
// Enters the sales floor's menu into the registry.
void register_street_menus(Game& game);

} // namespace zen
