#pragma once
// The catalog of game genres (ids 1..13) and shop items (ids 50..203), one table for both.
#include "core/content_tables.h"

namespace zen {

struct Game;

// Fills every genre and shop-item row.
void build_catalog(Game& game);

} // namespace zen
