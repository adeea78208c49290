#pragma once
// What things cost at home and in the shop, and the limits of the player's body: when they are
// too tired or too hungry to work, to shout or to shoot, when they may eat or sleep. Home, the
// street and the bot all ask here; no other file names these numbers.
#include "core/text_table.h"

#include <cstdint>
#include <span>

namespace zen {

struct Game;

// The last day of a stage: days 0..7; the end of day 7 is the end of the stage.
constexpr std::int32_t kLastDay = 7;

// A meal at home: 100 yen a level of the stage.
std::int32_t meal_price(const Game& game);

// The shop's offers that grow with what the player has: a poster for the stage (at most 8),
// a point of maximum energy, an animal contract for the stage. Each has a price and a level the
// player must have reached.
constexpr std::int32_t kMostPosters = 8;
std::int32_t poster_price(const Game& game);
std::int32_t poster_level(const Game& game);
std::int32_t energy_upgrade_price(const Game& game);
std::int32_t energy_upgrade_level(const Game& game);
std::int32_t contract_price(const Game& game);
std::int32_t contract_level(const Game& game);

// A loan: 1000 yen for a day, offered while the money is below 500 and fewer than 3 were taken.
constexpr std::int32_t kLoanAmount = 1000;
bool loan_offered(const Game& game);

// A reference book of the shop teaches a genre: its record, price, genre and when it is offered.
struct Book {
    int record;
    Text title;
    std::int32_t price;
    std::int32_t genre;
    std::int32_t min_stage;
    std::int32_t min_level;
};
std::span<const Book> shop_books();

// The body. Above kWornOutFatigue or below kFaintHunger the player can neither make games nor go
// out to sell; from kHoarseFatigue (or at kFaintHunger and below) the voice is gone for shouting;
// at kExhaustedFatigue the gun and the launcher are too heavy.
// Hunger runs from 0 (starving) to kStomachFull, fatigue from 0 (rested) to kExhaustedFatigue.
constexpr std::int32_t kStomachFull = 100;
constexpr std::int32_t kWornOutFatigue = 90;
constexpr std::int32_t kFaintHunger = 10;
constexpr std::int32_t kHoarseFatigue = 80;
constexpr std::int32_t kExhaustedFatigue = 100;
bool too_tired_to_work(const Game& game);
bool too_hungry_to_work(const Game& game);
bool too_worn_to_shout(const Game& game);
bool too_tired_to_shoot(const Game& game);
// A meal is refused from 90 hunger on (full); sleep from 25 fatigue on, and never on the last day.
bool full_for_a_meal(const Game& game);
bool may_sleep(const Game& game);

} // namespace zen
