// Builds: the street sees home and every layer below it.
#include "content/stages.h"
#include "core/game_state.h"
#include "home/economy.h"
#include "render/effects.h"
#include "street/hazards.h"
