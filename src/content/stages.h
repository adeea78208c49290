#pragma once
// The stages (where the player sells) and the character templates (customers, animals, hazards).
#include "core/content_tables.h"

namespace zen {

struct Game;

// Writes every stage and character template. Run again, it restores every value.
void build_stage_tables(Game& game);

// The template of the given role that lives on the given stage: ids 0..255 are scanned and the
// last match wins. 0 when there is none (id 0 is never a template). The street spawns its animal
// (role 1) and its hazard (role 2) with this.
int home_template(const Game& game, int role, int home_stage);

} // namespace zen
