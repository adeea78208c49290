#include "app/stage_clock.h"

#include "content/catalog_rules.h"
#include "core/game_state.h"
#include "core/saturating.h"
#include "render/economy.h"
#include "home/menu_buttons.h"
#include "render/effects.h"
#include "render/message_log.h"

#include <algorithm>
#include <string>

namespace zen {

namespace {

constexpr int kMinutesPerTick = 3;
constexpr int kHungerPeriod = 30; // frames per point of hunger
constexpr int kLastDay = 7;       // days 0..7; the end of day 7 is the end of the stage
constexpr int kRegenFull = 600;   // the regeneration a point of energy takes

std::string num(std::int64_t v) { return std::to_string(v); }

// Sales at the quota clear the stage; the clock goes on to its time limit in this same frame.
void check_quota(Game& game)
{
    tmy& my = game.my;
    const std::int32_t quota = game.map_table.at(game.stage).quota;
    if (my.sales < quota || my.quota_done != 0) return;
    my.quota_done = 1;
    play_sound(game, "battle_lvup.wav");
    post_silver(game, "ノルマ " + num(quota) + "円を達成！！！！！！！！！！");
    if (std::int32_t* clears = stage_entry(my.stage_clears, game.stage)) *clears = saturating_add(*clears, 1);
    show_menu(game, kMenuStageCleared);
}

// True when the last day is over: the stage ends in game over.
bool time_is_up(Game& game)
{
    tmy& my = game.my;
    if (my.day < kLastDay + 1 || my.game_over != 0) return false;
    my.game_over = 1;
    play_sound(game, "gameover.wav");
    post_silver(game, "ゲームオーバーです！");
    show_menu(game, kMenuTimeUp);
    return true;
}

// Three minutes; each hour of the last day is counted down, each new day announced.
void advance_time(Game& game)
{
    tmy& my = game.my;
    my.minute = saturating_add(my.minute, kMinutesPerTick);
    if (my.minute < 60) return;
    my.minute = 0;
    my.hour = saturating_add(my.hour, 1);
    if (my.day >= kLastDay && my.game_over == 0 && my.hour < 24) {
        post_silver(game, "＊＊＊　残り " + num(24 - static_cast<std::int64_t>(my.hour)) + "時間です　＊＊＊");
        play_sound(game, "time2.wav");
    }
    if (my.hour >= 24) {
        my.hour = 0;
        my.day = saturating_add(my.day, 1);
        if (my.day <= kLastDay) {
            play_sound(game, "time.wav");
            post_silver(game, "＊＊＊　残り " + num(kLastDay - static_cast<std::int64_t>(my.day)) + "日です　＊＊＊");
        }
    }
}

// A full stomach and a rested body bring energy back; each energy item adds to it.
void regenerate_energy(Game& game)
{
    tmy& my = game.my;
    std::int64_t r = my.hunger / 8 - my.fatigue / 10 + energy_item_count(game);
    if (my.hunger >= 90) r += 1;
    my.regen_acc = saturating_add(my.regen_acc, std::max<std::int64_t>(r, 0));
    if (my.regen_acc < kRegenFull) return;
    // At full energy the accumulator waits, full.
    my.regen_acc = kRegenFull;
    if (my.energy < my.energy_max) {
        my.regen_acc = 0;
        gain_energy(game, 1);
    }
}

// The first hazard in slot order under the pointer that can still be hit; -1 when none.
int hazard_under_mouse(const Game& game)
{
    for (int s = 0; s < kStreetSlots; ++s) {
        const tman& f = game.street_figures[static_cast<std::size_t>(s)];
        if (f.age < 1 || f.role != kRoleHazard || f.hit_points < 1) continue;
        if (f.x - f.width / 2 <= game.mouse_x && game.mouse_x <= f.x + f.width / 2 && f.y - f.height <= game.mouse_y &&
            game.mouse_y <= f.y)
            return s;
    }
    return -1;
}

// The left button held on the street, not over a button: one shot a frame at what is under it.
void fire_street_gun(Game& game)
{
    if (game.fire_held < 1 || game.hovered_button != 0 || game.on_street < 1) return;
    if (game.my.fatigue >= 100) {
        post_silver(game, "ダメだ、疲れで力がでない・・・!!"); // every frame the button stays down
        return;
    }
    const int slot = hazard_under_mouse(game);
    if (slot < 0) return;
    tman& f = game.street_figures[static_cast<std::size_t>(slot)];
    add_effect(game, game.mouse_x, game.mouse_y, kFxGunHit, "");
    play_sound(game, "gun.wav");
    f.hit_points = saturating_add(f.hit_points, -static_cast<std::int64_t>(gun_damage(game)));
    if (f.hit_points > 0) return;
    play_sound(game, "bom.wav");
    add_effect(game, f.x, f.y - f.height / 2, kFxRedBurst, "");
    add_effect(game, f.x, f.y - f.height / 2, kFxSmoke, "");
    f.age = 0;
    if (f.reward >= 1) {
        add_effect_at(game, slot, kFxText, "+\\" + num(f.reward));
        gain_money(game, f.reward);
    }
}

} // namespace

void clock_step(Game& game)
{
    tmy& my = game.my;
    if (my.game_over >= 1 || my.quota_done >= 1) return;
    if (game.frame_no % kHungerPeriod == 0) my.hunger = std::max(0, saturating_add(my.hunger, -1));
    check_quota(game);
    if (time_is_up(game)) return;
    advance_time(game);
    regenerate_energy(game);
    fire_street_gun(game);
}

} // namespace zen
