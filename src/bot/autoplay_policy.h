#pragma once
// What the autoplay bot wants, worked out from the game as it stands: which games to make for the
// passers-by of the stage, what is worth buying, which hazard to shoot and where to hold the gun.
// Pure reading: nothing here changes the game.
#include "platform/canvas.h"

#include <cstdint>
#include <vector>

namespace zen {

struct Game;
struct tmenu;

// The genres worth stocking on the current stage: for each kind of passer-by of the stage, the
// genre it looks for that earns most for the energy spent (the tools held for a genre make extra
// copies), among those the player can make with a full stock of energy.
std::vector<int> genres_to_stock(const Game& game);
// Copies on hand of the genres worth stocking.
int stock_on_hand(const Game& game);

// The genre to make next, 0 when none: the one least in stock among those the energy on hand pays
// for and whose making leaves the player fit to go out.
int genre_to_make(const Game& game);

// Whether a quota reached after minutes_used game minutes promises next_quota within the eight
// days of a stage at the same pace.
bool pace_reaches(int quota, int minutes_used, int next_quota);

// Money kept back for meals when shopping.
int meal_reserve(const Game& game);
// How much the bot wants a shop entry (0: never, e.g. the loan); higher is wanted sooner.
int shop_wish(const tmenu& entry);
// The shop entry to buy now, 0 when none: the most wished entry that is shown, can be bought and
// leaves the meal reserve. A cheaper, lesser entry waits while a much wished one is still out of
// reach.
int shop_pick(const Game& game);

// A hazard the gun can hit on screen, for the slot, else false.
bool shootable(const Game& game, int slot);
// The hazard to shoot: the one being shot while it lasts, else the lowest on the street (nearest
// the passers-by); -1 when there is none.
int hazard_to_shoot(const Game& game, int current);
// Shootable hazards on the street now.
int hazards_on_street(const Game& game);

// Where to hold the gun on the hazard in slot: inside the box it will have after its next step,
// inside the play area and off every menu button. False when there is no such point.
bool aim_at(const Game& game, int slot, Point& at);

} // namespace zen
