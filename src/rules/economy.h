#pragma once
// The economy: paying, receiving money and items, regaining energy, and experience with its
// level-ups. Each gives the player a sound, a message or a floating text at once; home, the
// street and the stage clock all pay and earn through it.
#include <cstdint>

namespace zen {

struct Game;

// True when the price has been paid; false when the player cannot pay it (nothing is taken).
bool pay(Game& game, std::int32_t price);
// Amounts of 0 or below do nothing. Money saturates here; the end-of-frame clamp cuts it to 999999999.
void gain_money(Game& game, std::int32_t amount);
// An id outside the catalog does nothing.
void gain_item(Game& game, std::int32_t id, std::int32_t count);
void gain_one_item(Game& game, std::int32_t id);
// Shows "MP +" with the amount; energy never rises above energy_max.
void gain_energy(Game& game, std::int32_t amount);
// At most one level per call; the excess is lost.
void gain_exp(Game& game, std::int32_t amount);

// Experience one level asks for: 10 x level + 50.
std::int64_t exp_to_next_level(std::int32_t level);

} // namespace zen
