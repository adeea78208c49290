// Builds: the bot reads the game through the rules and the named menus of home and the street.
#include "core/input_source.h"
#include "home/menu_commands.h"
#include "rules/prices.h"
#include "street/street_commands.h"
