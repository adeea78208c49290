// Builds: the rules see the content tables, the log and effects they speak through, and core.
#include "content/catalog.h"
#include "core/game_state.h"
#include "render/message_log.h"
