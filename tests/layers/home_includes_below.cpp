// Builds: the home layer sees the layers below it.
#include "content/catalog_rules.h"
#include "core/game_state.h"
#include "platform/canvas.h"
#include "render/message_log.h"
