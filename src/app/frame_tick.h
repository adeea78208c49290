#pragma once
// One frame of the game, run by every tick of the frame timer.
#include <cstdint>

namespace zen {

struct Game;

// The timer event: sound guard, frame step, frame-rate regulation.
void tick(Game& game);
void frame_step(Game& game);
void compose_frame(Game& game);
// The composed background onto the black screen, the first layer of every frame.
void show_composed(Game& game);
// The stage clock's steps in their order, the screens they open, and the street gun.
void run_stage_clock(Game& game);
// Once a second: 13 or more frames lengthen the interval, 10 or fewer shorten it (not below 70 ms).
void regulate_frame_rate(Game& game, std::int64_t now_ms);

} // namespace zen
