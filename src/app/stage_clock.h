#pragma once
// The stage clock: while a stage runs, three game minutes pass every frame; hunger falls, energy
// regenerates, the quota clears the stage, the end of the last day ends it, and the left button
// held on the sales floor fires the street gun.
namespace zen {

struct Game;

// One frame of the clock. The frame runs it whenever a stage runs outside the start menu.
void clock_step(Game& game);

} // namespace zen
