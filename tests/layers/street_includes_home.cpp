// Must not build: home and the street stand side by side; the street opens menus through the
// Game, never by calling home.
#include "home/menu_buttons.h"
