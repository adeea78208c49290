// Must not build: home and the street stand side by side; the street builds and runs its own menu
// and opens the others through the registry of menus, never by calling home.
#include "home/menu_contents.h"
