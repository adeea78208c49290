// Builds: the home layer sees the layers below it.
#include "core/game_state.h"
#include "platform/canvas.h"
#include "render/message_log.h"
#include "rules/catalog_rules.h"
#include "rules/prices.h"
#include "ui/menu_registry.h"
