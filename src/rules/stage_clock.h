#pragma once
// The stage clock: while a stage runs, three game minutes pass every frame; hunger falls, energy
// regenerates, the quota clears the stage and the end of the last day ends it. The frame runs the
// steps in this order, whenever a stage runs outside the start menu, and opens the screens that
// follow (stage cleared, time up) at once.
namespace zen {

struct Game;

// True once the stage is cleared or lost: the clock stands still.
bool clock_stopped(const Game& game);
// A point of hunger every 30 frames.
void pass_hunger(Game& game);
// Sales at the quota clear the stage (told, counted in stage_clears); true when it happened now.
bool check_quota(Game& game);
// True when the last day has ended now: the stage is lost (told).
bool time_is_up(Game& game);
// Three minutes; each hour of the last day is counted down, each new day announced.
void advance_time(Game& game);
// A full stomach and a rested body bring energy back; each energy item adds to it.
void regenerate_energy(Game& game);

} // namespace zen
