// Must not build: the button column sits below the menus' owners; it reaches them only through
// the registry they fill.
#include "home/menu_contents.h"
