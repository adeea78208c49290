#pragma once
// The hazards of the street: robot dogs, cars, planes with their bombs, laser robots with their
// walls of fire, meteors. They live in street_figures with role 2 and run the customers over.
namespace zen {

struct Game;

// The hazard's own placement when it is spawned into slot: where it appears, where it heads and
// the sound it comes with. x and y are the point a parent hazard gives (a bomb, an explosion).
void place_hazard(Game& game, int slot, int man_id, int x, int y);

// One tick of the hazard in slot, after it has moved: its phases, the hazards it leaves behind,
// then the customers it runs over.
void hazard_step(Game& game, int slot);

// The rocket launcher's shot: every hazard that can be destroyed is, wherever it is, and pays its
// reward. False when no rocket was left (the player is told).
bool rpg_shot(Game& game);
// A hazard shot down (by the gun or a rocket): its slot is freed, and its reward, when it has one,
// floats where it was and is paid.
void destroy_hazard(Game& game, int slot);

} // namespace zen
