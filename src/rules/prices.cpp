#include "rules/prices.h"

#include "core/game_state.h"
#include "core/saturating.h"

namespace zen {

namespace {

std::int64_t stage_level(const Game& game) { return game.map_table.at(game.stage).stage_level; }

constexpr std::int32_t kFullHunger = 90;
constexpr std::int32_t kSleepyFatigue = 25;
constexpr std::int32_t kLoanMoneyBelow = 500;
constexpr std::int32_t kMostLoans = 3;

constexpr Book kBooks[] = {
    {652, "参考書『ショーてぃんぐの作り方』", 500, 2, 1, 0},
    {653, "参考書『SLGの作り方』", 1000, 3, 2, 0},
    {654, "参考書『SLGの作り方Ⅱ』", 2000, 4, 3, 0},
    {655, "参考書『恋愛ゲーム作り方』", 3000, 5, 4, 0},
    {656, "参考書『ＲＰＧの作り方』", 4000, 6, 5, 0},
    {657, "参考書『格ゲーの作り方』", 5000, 7, 6, 0},
    {658, "参考書『FPSの作り方』", 9000, 8, 6, 0},
    {659, "参考書『Onlineゲーの作り方』", 10000, 9, 7, 0},
    {660, "参考書『ダンジョンゲームの作り方』", 12000, 10, 8, 28},
    {661, "参考書『スマホゲームの作り方』", 15000, 11, 9, 34},
    {662, "参考書『アナログゲームの作り方』", 20000, 12, 10, 40},
    {663, "参考書『魔のゲームの作り方』", 30000, 13, 12, 46},
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

std::int32_t energy_upgrade_price(const Game& game)
{
    return clamp_to_int32(2000 * (static_cast<std::int64_t>(game.my.energy_max) - 5) + 2000);
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
