// The sales floor: the live figures, their arrival, walking and drawing, the sales table with its
// piles of games, and the sale itself.
#include "street/sales_floor.h"

#include "content/stages.h"
#include "core/game_state.h"
#include "core/saturating.h"
#include "core/texts.h"
#include "render/effects.h"
#include "render/picture_store.h"
#include "rules/catalog_rules.h"
#include "rules/economy.h"
#include "rules/prices.h"
#include "street/animal_helpers.h"
#include "street/hazards.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace zen {

namespace {

std::size_t at(int i) { return static_cast<std::size_t>(i); }

constexpr int kTableY = 389;  // a customer steps up to the table here to buy
constexpr int kPlayerX = 383; // the player's place behind the table, where an animal walks to
constexpr int kPlayerY = 391;
constexpr int kDeskY = 390;         // the desk strip covers the screen from here down
constexpr int kForcedArrival = 100; // a customer comes at the latest after this many ticks
constexpr int kPicks = 999;         // random picks before a choice gives up
constexpr int kPicksTaken = 989;    // a pick found after this many is not taken
constexpr int kPileStep = 3;        // a pile grows this many pixels per copy

std::int32_t doubled(std::int32_t v) { return saturating_add(v, v); }

// A genre the player has on the table: a game genre with one copy or more.
bool on_table(const Game& game, int id) { return is_genre(game, id) && count_of(game, id) >= 1; }

// A game the customer wants from the table: random picks among its four wishes until one is on
// the table, up to 999 picks, a pick after the 989th not taken. 0 when none. A customer none of
// whose wishes is on the table draws nothing: no pick could succeed.
int choose_wanted_genre(Game& game, const tman& f)
{
    if (std::none_of(f.wanted_genres.begin(), f.wanted_genres.end(), [&](int g) { return on_table(game, g); }))
        return 0;
    for (int pick = 0; pick < kPicks; ++pick) {
        const int g = f.wanted_genres[at(game.random(4))];
        if (g == 0 || !on_table(game, g)) continue;
        return pick < kPicksTaken ? g : 0;
    }
    return 0;
}

// Browsing, then to the pile of the game it wants, up to the table, buy, and away.
void customer_step(Game& game, int slot)
{
    tman& f = game.street_figures[at(slot)];
    if (f.state == 0 && f.visited == 0 && f.age > 30) {
        const int g = choose_wanted_genre(game, f);
        if (g != 0) {
            f.state = g;
            f.speed = doubled(f.speed);
            add_effect_at(game, slot, FxKind::text, "!");
            f.target_x = game.item_table.at(g).shelf_x;
        }
    }
    if (f.state >= 1 && f.visited == 0 && f.x == f.target_x) {
        f.target_y = kTableY;
        if (f.y == f.target_y) {
            f.visited = 1;
            sell_game(game, slot, f.state);
            f.target_x = f.exit_x;
            f.speed = doubled(f.speed);
        }
    }
}

// The animal walks up to the player, helps, and hurries off.
void animal_step(Game& game, int slot)
{
    tman& f = game.street_figures[at(slot)];
    if (f.state != 0 || f.x != f.target_x || f.y != f.target_y) return;
    f.state = 1;
    f.target_x = f.exit_x;
    animal_visit(game, slot);
    f.speed = doubled(f.speed);
}

// Walking right, the sprite is mirrored.
void draw_figure(Game& game, const tman& f)
{
    if (f.man_id < 0 || f.man_id >= kCharBitmaps) return;
    const Canvas& sprite = game.char_bitmaps[at(f.man_id)];
    if (f.facing == 1)
        game.cg.stretch_draw(sprite, f.x + f.width / 2, f.y - f.height, f.x - f.width / 2, f.y);
    else
        game.cg.draw(sprite, f.x - f.width / 2, f.y - f.height);
}

bool out_of_bounds(const tman& f)
{
    return f.x < -f.width || f.x > f.width + kPlayWidth || f.y < -f.height || f.y > f.height + kPlayHeight;
}

void process_figure(Game& game, int slot)
{
    tman& f = game.street_figures[at(slot)];
    f.age = saturating_add(f.age, 1);
    f.moved = 1;
    move_figure(f);
    switch (f.role) {
    case kRoleCustomer: customer_step(game, slot); break;
    case kRoleAnimal: animal_step(game, slot); break;
    case kRoleHazard: hazard_step(game, slot); break;
    default: break;
    }
    draw_figure(game, f);
    if (out_of_bounds(f)) f.age = 0;
}

void customer_arrival(Game& game)
{
    game.customer_timer = saturating_add(game.customer_timer, 1);
    // Each point of advertising power shortens the wait by 10 ticks, down to 20.
    const std::int64_t ad = stage_value(game.my.ad_power, game.stage);
    const int n = static_cast<int>(std::max<std::int64_t>(20, 100 - 10 * ad));
    if (game.random(n) == 0 || game.customer_timer >= kForcedArrival) {
        game.customer_timer = 0;
        const int kind = pick_customer_kind(game);
        if (kind != 0) spawn_figure(game, kind, 0, 0);
    }
}

// The area's animal, once between two nights, for a player who has a contract here.
void animal_arrival(Game& game)
{
    if (game.stage < kFirstStage) return;
    if (stage_value(game.my.animal_contracts, game.stage) < 1 || game.my.animal_came != 0) return;
    if (game.random(100) != 0) return;
    game.my.animal_came = 1;
    const int id = home_template(game, kRoleAnimal, game.stage);
    if (id != 0) spawn_figure(game, id, 0, 0);
}

// The stage's hazard comes only while games are on the table, and at once after a long wait.
// Outside a stage nothing comes: the hazards "of stage 0" are the ones other hazards leave behind.
void hazard_arrival(Game& game)
{
    const int n = game.stage >= 7 ? 50 : 100;
    game.hazard_timer = saturating_add(game.hazard_timer, 1);
    if (game.shelf_count < 1 || game.stage < kFirstStage) return;
    if (game.random(n) == 0 || game.hazard_timer >= n) {
        game.hazard_timer = 0;
        const int id = home_template(game, kRoleHazard, game.stage);
        if (id != 0) spawn_figure(game, id, 0, 0);
    }
}

// Every genre in stock gets its place on the table; the place depends only on the genre.
void lay_out_table(Game& game)
{
    game.shelf_count = 0;
    for (int id = 0; id <= ItemTable::kLastId; ++id) {
        if (!on_table(game, id)) continue;
        titem& item = *game.item_table.edit(id);
        const ShelfSpot spot = shelf_position(id);
        item.shelf_x = spot.x;
        item.shelf_y = spot.y;
        game.shelf_count += 1;
    }
}

// Back to front by depth band, in slot order within a band, so nearer figures cover farther ones.
// A figure beyond the first or the last band (an explosion below a low meteor's impact, a bomb
// landing at the very front) is never moved, drawn or run into anyone; it gives its slot back at
// once rather than hold it until the next stage.
void depth_pass(Game& game)
{
    for (tman& f : game.street_figures) {
        const int band = depth_band(f.y);
        if (f.age >= 1 && (band < kFirstBand || band > kLastBand)) f.age = 0;
    }
    for (int band = kFirstBand; band <= kLastBand; ++band) {
        for (int s = 0; s < kStreetSlots; ++s) {
            const tman& f = game.street_figures[at(s)];
            if (f.age >= 1 && f.moved == 0 && depth_band(f.y) == band) process_figure(game, s);
        }
    }
}

// One picture per copy, each 3 pixels above the last, drawn over the figures.
void draw_piles(Game& game)
{
    for (int id = 0; id <= ItemTable::kLastId; ++id) {
        if (!on_table(game, id)) continue;
        const titem& item = game.item_table.at(id);
        const Canvas& picture = get_picture(game, item.picture);
        if (picture.empty()) continue;
        // Copies above the top of the screen would not show: a pile stops there.
        const std::int64_t fits = (static_cast<std::int64_t>(item.shelf_y) + picture.height()) / kPileStep + 1;
        const std::int64_t copies = std::min<std::int64_t>(count_of(game, id), fits);
        const int left = item.shelf_x - picture.width() / 2;
        for (std::int64_t k = 0; k < copies; ++k)
            game.cg.draw(picture, left, item.shelf_y - kPileStep * static_cast<int>(k));
    }
}

} // namespace

void move_figure(tman& f)
{
    // Figures outside the screen hurry.
    std::int64_t step = f.speed;
    if (f.x < 0 || f.x > kPlayWidth) step *= 5;
    const std::int64_t half = step / 2;
    if (f.x < f.target_x) f.x = clamp_to_int32(f.x + step);
    if (f.x > f.target_x) f.x = clamp_to_int32(f.x - step);
    if (std::llabs(static_cast<std::int64_t>(f.x) - f.target_x) < step) f.x = f.target_x;
    if (f.y < f.target_y) f.y = clamp_to_int32(f.y + half);
    if (f.y > f.target_y) f.y = clamp_to_int32(f.y - half);
    if (std::llabs(static_cast<std::int64_t>(f.y) - f.target_y) < half) f.y = f.target_y;
}

int depth_band(std::int32_t y)
{
    // Truncated toward zero, so y from 280 to 298 is band 0; the result always fits an int.
    return static_cast<int>((static_cast<std::int64_t>(y) - 289) / 10);
}

bool spawn_figure(Game& game, int man_id, int x, int y)
{
    if (man_id < 0 || man_id >= kCharBitmaps) return false;
    const tman& model = game.man_table.at(man_id);
    if (model.name == Text::none && model.picture.empty()) return false; // no such template

    game.spawn_cursor += 1;
    if (game.spawn_cursor < 0 || game.spawn_cursor > kStreetSlots - 1) game.spawn_cursor = 0;
    const int slot = game.spawn_cursor;
    tman& f = game.street_figures[at(slot)];
    if (f.age != 0) return false; // the slot is held; no other is tried

    f = model;
    f.age = 1;
    f.man_id = man_id;
    const Canvas& sprite = game.char_bitmaps[at(man_id)];
    f.width = sprite.width();
    f.height = sprite.height();
    // From either side, walking to one pixel beyond the far bound, where it leaves.
    if (game.random(2) == 0) {
        f.x = game.random(10) - f.width;
        f.facing = 1;
        f.target_x = f.width + kPlayWidth + 1;
    } else {
        f.x = f.width + kPlayWidth - game.random(10);
        f.facing = 0;
        f.target_x = -f.width - 1;
    }
    f.y = kTableY - game.random(100); // 290..389
    f.target_y = f.y;
    f.visited = 0;
    f.state = 0;
    f.exit_x = f.target_x;
    if (f.role == kRoleAnimal) {
        f.target_x = kPlayerX;
        f.target_y = kPlayerY;
    }
    if (f.role == kRoleHazard) place_hazard(game, slot, man_id, x, y);
    return true;
}

int pick_customer_kind(Game& game)
{
    const tmap& map = game.map_table.at(game.stage);
    const auto& slots = map.customer_slots;
    if (std::all_of(slots.begin(), slots.end(), [](std::int32_t k) { return k == 0; })) return 0;
    for (int pick = 0; pick < kPicks; ++pick) {
        const int kind = slots[at(game.random(4))];
        if (kind == 0) continue;
        if (pick >= kPicksTaken || kind < 0 || kind >= kCharBitmaps) return 0;
        return kind;
    }
    return 0;
}

void street_tick(Game& game)
{
    tmy& my = game.my;
    if (game.on_street != 1 || my.game_over >= 1 || my.quota_done >= 1) return;

    game.cg.copy_rect(0, kDeskY, game.work_bitmaps[kWorkDesk], 0, 0, kPlayWidth, kPlayHeight - kDeskY);
    customer_arrival(game);
    animal_arrival(game);
    hazard_arrival(game);
    // Standing at the table tires.
    if (game.frame_no % 10 == 0) my.fatigue = std::min(kExhaustedFatigue, kept_add(my.fatigue, 1));
    lay_out_table(game);
    for (tman& f : game.street_figures) f.moved = 0;
    depth_pass(game);
    draw_piles(game);
}

void sell_game(Game& game, int slot, int genre_id)
{
    if (slot < 0 || slot >= kStreetSlots) return;
    tman& f = game.street_figures[at(slot)];
    if (!on_table(game, genre_id)) {
        add_effect_at(game, slot, FxKind::text, "λ....");
    } else {
        tmy& my = game.my;
        my.item_count[at(genre_id)] -= 1;
        f.visited = 2;
        const titem& genre = game.item_table.at(genre_id);
        const int price = sale_price(game, genre_id);
        add_effect_at(game, slot, FxKind::text,
                      tr(game, Text::sold, {{"genre", tr(game, genre.name)}, {"price", num(price)}}));
        gain_money(game, price);
        const int base_exp = game.random(3);
        gain_exp(game, boost_exp(game, saturating_add(base_exp, genre.energy_cost)));
        my.sales = kept_add(my.sales, price);
    }
    f.target_x = f.exit_x;
}

} // namespace zen
