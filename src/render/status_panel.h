#pragma once
// The stage's vital numbers drawn over the picture: clock, energy, fullness, fatigue,
// advertising, sales against the quota, level, experience and money.
#include "core/screen_state.h"

#include <cstdint>

namespace zen {

struct Game;
class Canvas;

std::int32_t ease(std::int32_t shown, std::int32_t real);
void status_panel(Game& game, Canvas& canvas);
void status_panel_level(Game& game, Canvas& canvas);

} // namespace zen
