#include "rules/prices.h"

#include "core/game_state.h"
#include "core/saturating.h"

#include <algorithm>

namespace zen {

namespace {

std::int64_t stage_level(const Game& game) { return game.map_table.at(game.stage).stage_level; }

constexpr std::int32_t kFullHunger = 90;
constexpr std::int32_t kSleepyFatigue = 25;
constexpr std::int32_t kLoanMoneyBelow = 500;
constexpr std::int32_t kMostLoans = 3;

constexpr Book kBooks[] = {
    {652, Text::book_652, 500, 2, 1, 0},      {653, Text::book_653, 1000, 3, 2, 0},
    {654, Text::book_654, 2000, 4, 3, 0},     {655, Text::book_655, 3000, 5, 4, 0},
    {656, Text::book_656, 4000, 6, 5, 0},     {657, Text::book_657, 5000, 7, 6, 0},
    {658, Text::book_658, 9000, 8, 6, 0},     {659, Text::book_659, 10000, 9, 7, 0},
    {660, Text::book_660, 12000, 10, 8, 28},  {661, Text::book_661, 15000, 11, 9, 34},
    {662, Text::book_662, 20000, 12, 10, 40}, {663, Text::book_663, 30000, 13, 12, 46},
};

} // namespace

std::int32_t meal_price(const Game& game) { return clamp_to_int32(100 * stage_level(game)); }

std::int32_t poster_price(const Game& game)
{
    return clamp_to_int32(
        200 * static_cast<std::int64_t>(stage_value(game.my.ad_power, game.stage)) * stage_level(game) + 200);
}

std::int32_t poster_level(const Game& game)
{
    return clamp_to_int32(2 * static_cast<std::int64_t>(stage_value(game.my.ad_power, game.stage)) +
                          2 * stage_level(game));
}

// A game never started has no energy yet; below the five a new game starts with, the point is free.
std::int32_t energy_upgrade_price(const Game& game)
{
    return clamp_to_int32(std::max<std::int64_t>(0, 2000 * (static_cast<std::int64_t>(game.my.energy_max) - 5) + 2000));
}

std::int32_t energy_upgrade_level(const Game& game)
{
    return clamp_to_int32(6 * (static_cast<std::int64_t>(game.my.energy_max) - 5));
}

// Doubled on the six later stages.
std::int32_t contract_price(const Game& game)
{
    return clamp_to_int32((300 * stage_level(game) + 500) * (game.stage >= 7 ? 2 : 1));
}

std::int32_t contract_level(const Game& game) { return clamp_to_int32(2 * stage_level(game)); }

bool loan_offered(const Game& game) { return game.my.money < kLoanMoneyBelow && game.my.loans < kMostLoans; }

std::span<const Book> shop_books() { return kBooks; }

bool too_tired_to_work(const Game& game) { return game.my.fatigue > kWornOutFatigue; }
bool too_hungry_to_work(const Game& game) { return game.my.hunger < kFaintHunger; }
bool too_worn_to_shout(const Game& game) { return game.my.fatigue >= kHoarseFatigue || game.my.hunger <= kFaintHunger; }
bool too_tired_to_shoot(const Game& game) { return game.my.fatigue >= kExhaustedFatigue; }
bool full_for_a_meal(const Game& game) { return game.my.hunger >= kFullHunger; }
bool may_sleep(const Game& game) { return game.my.fatigue >= kSleepyFatigue && game.my.day < kLastDay; }

} // namespace zen
