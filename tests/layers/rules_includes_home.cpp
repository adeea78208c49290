// Must not build: the rules sit below home and the street, which call them.
#include "home/commands.h"
