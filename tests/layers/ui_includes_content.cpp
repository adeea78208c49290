// Must not build: the button column knows buttons, not the game's catalog.
#include "content/catalog.h"
