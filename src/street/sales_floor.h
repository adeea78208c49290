#pragma once
// The sales floor: passers-by walk in from either side, pick a game they like from the player's
// stock, walk to its pile on the sales table and buy a copy. Customers, animals and hazards share
// the live table street_figures; each street tick spawns, moves and draws them in depth order.
#include <cstdint>

namespace zen {

struct Game;
struct tman;

// Places a copy of template man_id in the slot after the last one tried; false when that slot is
// still held (no other slot is tried) or the id names no template. x and y are used only by the
// hazards that appear at a given point.
bool spawn_figure(Game& game, int man_id, int x, int y);

// One of the current stage's customer kinds, picked among its four slots; 0 when none comes.
int pick_customer_kind(Game& game);

// One street frame: desk, arrivals, fatigue, the sales table, every figure in depth order, the
// piles. Does nothing unless the player is on the sales floor of a stage still running.
void street_tick(Game& game);
// One step of a figure toward its target: speed pixels across, half that up or down, five times as
// fast outside the screen; it stops on the target rather than pass it.
void move_figure(tman& f);

// The customer in slot buys one copy of genre_id, or finds the pile sold out ("λ...."); either
// way it turns to leave.
void sell_game(Game& game, int slot, int genre_id);

// Depth bands of the street: a figure's band is (y - 289) / 10; bands kFirstBand to kLastBand are
// drawn back to front, and a figure in no band (y outside -10..398) leaves the street.
constexpr int kFirstBand = -29;
constexpr int kLastBand = 10;
int depth_band(std::int32_t y);

} // namespace zen
