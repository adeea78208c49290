// Builds: the street sees every layer below it.
#include "content/stages.h"
#include "core/game_state.h"
#include "render/effects.h"
#include "rules/economy.h"
#include "street/hazards.h"
#include "ui/menu_buttons.h"
