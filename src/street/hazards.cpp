// Each hazard template has a placement and a behaviour per tick; the table at the end joins them
// by template id. A hazard's phase is its `state`; some phases use `age` as their timer.
#include "street/hazards.h"

#include "core/game_state.h"
#include "core/saturating.h"
#include "core/texts.h"
#include "render/effects.h"
#include "render/message_log.h"
#include "rules/economy.h"
#include "street/sales_floor.h"

#include <span>
#include <string>

namespace zen {

namespace {

std::size_t at(int i) { return static_cast<std::size_t>(i); }

// The hazards that only other hazards leave behind.
constexpr int kBomb = 203;
constexpr int kExplosion = 204;
constexpr int kWallOfFire = 206;

bool arrived(const tman& f) { return f.x == f.target_x && f.y == f.target_y; }

// Placements. The figure already stands where every street figure starts (a random side, far
// edge as target); x and y are the point a parent hazard gives.

void come_down_at_centre(Game& game, tman& f, int target_y)
{
    f.facing = game.random(2);
    const int right = game.random(10);
    const int left = game.random(10);
    f.x = 278 + right - left;
    f.target_x = f.x;
    f.y = 247;
    f.home_y = 247;
    f.target_y = target_y;
}
void come_down_to_the_front(Game& game, tman& f, int, int) { come_down_at_centre(game, f, 380); }
void come_down_to_the_lane(Game& game, tman& f, int, int) { come_down_at_centre(game, f, 300); }

void drive_at_the_back(Game& game, tman& f, int, int)
{
    f.y = 141 + game.random(80);
    f.target_y = f.y;
    f.home_y = f.y;
}

void fly_high(Game& game, tman& f, int, int)
{
    f.y = 121 + game.random(80);
    f.target_y = f.y;
    f.home_y = f.y;
}

void fall_from_the_point(Game& game, tman& f, int x, int y)
{
    f.x = x;
    f.target_x = x;
    f.y = y;
    f.target_y = 300 + game.random(100);
    f.home_y = f.target_y;
}

void stay_at_the_point(Game&, tman& f, int x, int y)
{
    f.x = x;
    f.target_x = x;
    f.y = y;
    f.target_y = y;
    f.home_y = y;
}

void descend_from_the_top(Game& game, tman& f, int, int)
{
    f.x = 50 + game.random(700);
    f.target_x = f.x;
    f.y = 0;
    f.target_y = 195 + game.random(40);
    f.home_y = 0;
}

void fall_slanted(Game& game, tman& f, int, int)
{
    f.x = 50 + game.random(700);
    f.target_x = 50 + game.random(700);
    f.y = 0;
    f.target_y = 275 + game.random(100);
    f.home_y = f.target_y;
}

// Behaviours, one tick each.

// The robot dog comes down to the front and goes back up to where it came from.
void go_back_up(Game& game, int slot)
{
    tman& f = game.street_figures[at(slot)];
    if (f.state == 0 && arrived(f)) {
        f.state = 1;
        f.target_x = f.exit_x;
        f.target_y = f.home_y;
    }
    if (f.state == 1 && arrived(f)) f.age = 0;
}

// The second-cycle dog runs sideways along the lane, down into the crowd, and off the far side.
void run_sideways_and_leave(Game& game, int slot)
{
    tman& f = game.street_figures[at(slot)];
    if (f.state == 0 && arrived(f)) {
        f.state = 1;
        f.target_x = f.facing == 0 ? 50 : 750;
    }
    if (f.state == 1 && arrived(f)) {
        f.state = 2;
        f.target_y = 350 + game.random(30);
    }
    if (f.state == 2 && arrived(f)) {
        f.state = 3;
        f.facing = 1 - f.facing;
        f.target_x = f.facing == 1 ? f.width + kPlayWidth + 1 : -f.width - 1;
    }
}

// A lane a car swerves into: top + random(spread), with a honk or without.
struct Lane {
    int top;
    int spread;
    bool honk;
};

constexpr Lane kCarLanes[] = {{300, 40, true}};
constexpr Lane kFastCarLanes[] = {{300, 40, true}, {280, 20, false}, {300, 40, true}};

// Each time the phase timer passes `wait`, the car swerves into its next lane (the timer starts
// again at 1); after the last lane it heads back to the back of the street and stays there.
void swerve_in_turn(Game& game, int slot, int wait, std::span<const Lane> lanes)
{
    tman& f = game.street_figures[at(slot)];
    const auto n = static_cast<std::int32_t>(lanes.size());
    if (f.age <= wait || f.state < 0 || f.state > n) return;
    if (f.state == n) {
        f.state += 1;
        f.target_y = f.home_y;
        return;
    }
    const Lane& lane = lanes[static_cast<std::size_t>(f.state)];
    f.state += 1;
    f.target_y = lane.top + game.random(lane.spread);
    f.age = 1;
    if (lane.honk) play_sound(game, Sound::car_pass);
}

// The car drives across at the back, swerves into the customers' lane once and back.
void swerve_once(Game& game, int slot) { swerve_in_turn(game, slot, 19, kCarLanes); }

// The second-cycle car swerves twice as often: in, half out, in again, and back.
void swerve_four_times(Game& game, int slot) { swerve_in_turn(game, slot, 9, kFastCarLanes); }

// The plane drops up to four bombs on its way across.
void drop_bombs(Game& game, int slot)
{
    tman& f = game.street_figures[at(slot)];
    if (f.state <= 3 && f.age > 14 && game.random(20) == 0) {
        f.state += 1;
        spawn_figure(game, kBomb, f.x, f.y);
        play_sound(game, Sound::falling);
    }
}

// A bomb explodes where it lands.
void explode_on_landing(Game& game, int slot)
{
    tman& f = game.street_figures[at(slot)];
    if (f.y != f.target_y) return;
    f.age = 0;
    play_sound(game, Sound::big_blast);
    spawn_figure(game, kExplosion, f.x, f.y);
}

// Explosions and walls of fire stand for ten ticks.
void burn_out(Game& game, int slot)
{
    tman& f = game.street_figures[at(slot)];
    if (f.age > 9) f.age = 0;
}

// The laser robot comes down, slows, fires its laser, leaves a wall of fire and flies back up
// out of sight, where it stays.
void fire_laser(Game& game, int slot)
{
    tman& f = game.street_figures[at(slot)];
    if (f.state == 0 && arrived(f)) {
        f.speed = f.speed / 2;
        f.state = 1;
        f.age = 1;
    }
    if (f.state == 1 && f.age > 4) {
        play_sound(game, Sound::laser);
        f.state = 2;
        f.age = 1;
        add_beam(game, f.x, f.y, f.x, f.y + f.height / 2, FxKind::laser);
    }
    if (f.state == 2 && f.age > 4) {
        play_sound(game, Sound::fire);
        f.state = 3;
        spawn_figure(game, kWallOfFire, f.x, f.y + f.height / 2 + 20);
        f.target_y = f.home_y;
    }
}

// A meteor strikes with a shake, a large explosion and four explosions around the impact.
void strike(Game& game, int slot)
{
    tman& f = game.street_figures[at(slot)];
    if (f.y != f.target_y) return;
    f.age = 0;
    play_sound(game, Sound::debris_blast);
    add_effect(game, 0, 0, FxKind::shake, "");
    add_effect(game, f.x, f.y, FxKind::explosion, "");
    for (int j = 0; j < 4; ++j) spawn_figure(game, kExplosion, f.x + 20 * j - 40, f.y + 40 * (j % 2));
}

struct HazardKind {
    int id;
    Sound sound; // when it appears
    void (*place)(Game& game, tman& f, int x, int y);
    void (*step)(Game& game, int slot);
};

constexpr HazardKind kHazardKinds[] = {
    {200, Sound::dog, come_down_to_the_front, go_back_up},
    {201, Sound::car_horn, drive_at_the_back, swerve_once},
    {202, Sound::plane, fly_high, drop_bombs},
    {kBomb, Sound::none, fall_from_the_point, explode_on_landing},
    {kExplosion, Sound::none, stay_at_the_point, burn_out},
    {205, Sound::giant_robot, descend_from_the_top, fire_laser},
    {kWallOfFire, Sound::none, stay_at_the_point, burn_out},
    {207, Sound::meteor, fall_slanted, strike},
    {210, Sound::dog, come_down_to_the_lane, run_sideways_and_leave},
    {211, Sound::car_horn, drive_at_the_back, swerve_four_times},
    {212, Sound::plane, fly_high, drop_bombs},
    {213, Sound::giant_robot, descend_from_the_top, fire_laser},
    {214, Sound::meteor, fall_slanted, strike},
};

const HazardKind* hazard_kind(int man_id)
{
    for (const HazardKind& k : kHazardKinds)
        if (k.id == man_id) return &k;
    return nullptr;
}

// Every customer the hazard touches is lost, with the sale it would have made.
void run_over_customers(Game& game, const tman& h)
{
    for (tman& c : game.street_figures) {
        if (c.age < 1 || c.role != kRoleCustomer) continue;
        const bool touches = h.x - h.width / 3 <= c.x + c.width / 3 && c.x - c.width / 3 <= h.x + h.width / 3 &&
                             h.y - h.height <= c.y && c.y - c.height / 2 <= h.y;
        if (!touches) continue;
        c.age = 0;
        add_effect(game, c.x, c.y, FxKind::sparks, "");
        play_sound(game, c.sound);
        play_sound(game, Sound::bump);
    }
}

} // namespace

void place_hazard(Game& game, int slot, int man_id, int x, int y)
{
    if (slot < 0 || slot >= kStreetSlots) return;
    tman& f = game.street_figures[at(slot)];
    if (const HazardKind* kind = hazard_kind(man_id)) {
        play_sound(game, kind->sound);
        kind->place(game, f, x, y);
    }
    f.exit_x = f.target_x;
}

void hazard_step(Game& game, int slot)
{
    if (slot < 0 || slot >= kStreetSlots) return;
    if (const HazardKind* kind = hazard_kind(game.street_figures[at(slot)].man_id)) kind->step(game, slot);
    run_over_customers(game, game.street_figures[at(slot)]);
}

bool rpg_shot(Game& game)
{
    tmy& my = game.my;
    if (my.rpg_ammo <= 0) {
        post_message(game, tr(game, Text::no_rockets), Ink::silver);
        return false;
    }
    my.rpg_ammo -= 1;
    play_sound(game, Sound::rocket);
    post_message(game, tr(game, Text::rocket_fired, {{"left", num(my.rpg_ammo)}}), Ink::silver);
    add_effect(game, 0, 0, FxKind::shake, "");
    add_effect(game, 400, 350, FxKind::explosion, "");
    // Explosions and walls of fire have no hit points: they burn on.
    for (int s = 0; s < kStreetSlots; ++s) {
        tman& f = game.street_figures[at(s)];
        if (f.age < 1 || f.role != kRoleHazard || f.hit_points < 1) continue;
        const int mid_y = f.y - f.height / 2;
        add_effect(game, f.x, mid_y, FxKind::fire_burst, "");
        add_effect(game, f.x, mid_y, FxKind::smoke, "");
        destroy_hazard(game, s);
    }
    return true;
}

void destroy_hazard(Game& game, int slot)
{
    if (slot < 0 || slot >= kStreetSlots) return;
    tman& f = game.street_figures[at(slot)];
    f.age = 0;
    if (f.reward >= 1) {
        add_effect_at(game, slot, FxKind::text, "+\\" + std::to_string(f.reward));
        gain_money(game, f.reward);
    }
}

} // namespace zen
