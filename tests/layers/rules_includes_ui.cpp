// Must not build: the rules and the button column stand side by side; a rule decides, and the
// side that owns the screen opens the menu that follows.
#include "ui/menu_buttons.h"
