#include "rules/stage_clock.h"

#include "core/game_state.h"
#include "core/saturating.h"
#include "core/texts.h"
#include "render/message_log.h"
#include "rules/catalog_rules.h"
#include "rules/economy.h"
#include "rules/prices.h"

#include <algorithm>
#include <string>

namespace zen {

namespace {

constexpr int kMinutesPerTick = 3;
constexpr int kHungerPeriod = 30; // frames per point of hunger
constexpr int kWellFed = 90;      // from this hunger on, a point more of regeneration

} // namespace

// Sales at the quota clear the stage; the clock goes on to its time limit in this same frame.
bool check_quota(Game& game)
{
    tmy& my = game.my;
    const std::int32_t quota = game.map_table.at(game.stage).quota;
    if (my.sales < quota || my.quota_done != 0) return false;
    my.quota_done = 1;
    play_sound(game, Sound::quota_reached);
    post_silver(game, tr(game, Text::quota_reached, {{"quota", num(quota)}}));
    if (std::int32_t* clears = stage_entry(my.stage_clears, game.stage)) *clears = kept_add(*clears, 1);
    return true;
}

// True when the last day is over: the stage ends in game over.
bool time_is_up(Game& game)
{
    tmy& my = game.my;
    if (my.day < kLastDay + 1 || my.game_over != 0) return false;
    my.game_over = 1;
    play_sound(game, Sound::game_over);
    post_silver(game, tr(game, Text::game_over));
    return true;
}

// Three minutes; each hour of the last day is counted down, each new day announced.
void advance_time(Game& game)
{
    tmy& my = game.my;
    my.minute = kept_add(my.minute, kMinutesPerTick);
    if (my.minute < 60) return;
    my.minute = 0;
    my.hour = kept_add(my.hour, 1);
    if (my.day >= kLastDay && my.game_over == 0 && my.hour < 24) {
        post_silver(game, tr(game, Text::hours_left, {{"hours", num(24 - static_cast<std::int64_t>(my.hour))}}));
        play_sound(game, Sound::last_hours);
    }
    if (my.hour >= 24) {
        my.hour = 0;
        my.day = kept_add(my.day, 1);
        if (my.day <= kLastDay) {
            play_sound(game, Sound::new_day);
            post_silver(game, tr(game, Text::days_left, {{"days", num(kLastDay - static_cast<std::int64_t>(my.day))}}));
        }
    }
}

// A full stomach and a rested body bring energy back; each energy item adds to it.
void regenerate_energy(Game& game)
{
    tmy& my = game.my;
    std::int64_t r = my.hunger / 8 - my.fatigue / 10 + energy_item_count(game);
    if (my.hunger >= kWellFed) r += 1;
    my.regen_acc = saturating_add(my.regen_acc, std::max<std::int64_t>(r, 0));
    if (my.regen_acc < kRegenFull) return;
    // At full energy the accumulator waits, full.
    my.regen_acc = kRegenFull;
    if (my.energy < my.energy_max) {
        my.regen_acc = 0;
        gain_energy(game, 1);
    }
}

bool clock_stopped(const Game& game) { return game.my.game_over >= 1 || game.my.quota_done >= 1; }

void pass_hunger(Game& game)
{
    if (game.frame_no % kHungerPeriod == 0) game.my.hunger = std::max(0, kept_add(game.my.hunger, -1));
}

} // namespace zen
