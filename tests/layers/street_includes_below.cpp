// Builds: the street sees every layer below it.
#include "content/stages.h"
#include "core/game_state.h"
#include "render/economy.h"
#include "render/effects.h"
#include "street/hazards.h"
