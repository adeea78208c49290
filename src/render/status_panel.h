#pragma once
// The stage's vital numbers drawn over the picture: clock, energy, fullness, fatigue,
// advertising, sales against the quota, level, experience and money.
#include <cstdint>

namespace zen {

struct Game;
class Canvas;

struct StatusPanelState {
    std::int32_t shown_energy = 0;
    std::int32_t shown_hunger = 0;
    std::int32_t shown_fatigue = 0;
    std::int32_t shown_sales = 0;
    std::int32_t shown_exp = 0;
};

std::int32_t ease(std::int32_t shown, std::int32_t real);
void status_panel(Game& game, Canvas& canvas);
void status_panel_level(Game& game, Canvas& canvas);

} // namespace zen
