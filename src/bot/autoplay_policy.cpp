#include "bot/autoplay_policy.h"

#include "core/game_state.h"
#include "core/saturating.h"
#include "home/menu_commands.h"
#include "rules/catalog_rules.h"
#include "rules/prices.h"
#include "street/sales_floor.h"

#include <algorithm>
#include <cstdlib>

namespace zen {

namespace {

// Genre 1 is always known: the make-game menu teaches it the first time it opens.
bool can_make(const Game& game, int genre)
{
    if (genre == kFirstGenre) return true;
    return is_catalog_id(genre) && game.my.genre_known[static_cast<std::size_t>(genre)] >= 1;
}

int price_of(const Game& game, int id) { return game.item_table.at(id).price; }
int cost_of(const Game& game, int genre) { return game.item_table.at(genre).energy_cost; }

// What a copy of the genre earns for each point of energy spent on it, in thirds of a yen: every
// tool held for the genre adds a third of a copy on average.
int earnings_per_energy(const Game& game, int genre)
{
    const int tools = static_cast<int>(std::count_if(extra_copy_chain(genre).begin(), extra_copy_chain(genre).end(),
                                                     [&](int tool) { return held(game, tool); }));
    return price_of(game, genre) * (3 + tools) / std::max(1, cost_of(game, genre));
}

// The genre a kind of passer-by looks for that earns most for the energy, among those that can be
// made with a full stock of energy; the dearer of two that earn alike.
int best_genre_for(const Game& game, int kind)
{
    int best = 0;
    for (const std::int32_t g : game.man_table.at(kind).wanted_genres) {
        if (g < kFirstGenre || !is_genre(game, g) || !can_make(game, g)) continue;
        if (cost_of(game, g) > game.my.energy_max) continue;
        const int earns = best == 0 ? -1 : earnings_per_energy(game, best);
        if (earnings_per_energy(game, g) > earns ||
            (earnings_per_energy(game, g) == earns && price_of(game, g) > price_of(game, best)))
            best = g;
    }
    return best;
}

constexpr int kMostCopies = 15; // a higher pile would wait long for its buyers

bool inside(const tmenu& b, int x, int y)
{
    return b.visible == 1 && b.x <= x && x < b.x + b.width && b.y <= y && y < b.y + b.height;
}

bool off_the_buttons(const Game& game, int x, int y)
{
    for (const tmenu& b : game.menu_buttons)
        if (inside(b, x, y)) return false;
    return true;
}

} // namespace

std::vector<int> genres_to_stock(const Game& game)
{
    std::vector<int> genres;
    for (const std::int32_t kind : game.map_table.at(game.stage).customer_slots) {
        if (kind == 0) continue;
        const int g = best_genre_for(game, kind);
        if (g != 0 && std::find(genres.begin(), genres.end(), g) == genres.end()) genres.push_back(g);
    }
    return genres;
}

int stock_on_hand(const Game& game)
{
    // Piles of an edited save may each hold up to a billion copies.
    std::int32_t n = 0;
    for (const int g : genres_to_stock(game)) n = saturating_add(n, count_of(game, g));
    return n;
}

int genre_to_make(const Game& game)
{
    const tmy& my = game.my;
    if (too_hungry_to_work(game)) return 0;
    int pick = 0;
    for (const int g : genres_to_stock(game)) {
        // Making a copy spends its energy and adds about as much fatigue; the fatigue must stay low
        // enough to go out and sell it.
        const int cost = cost_of(game, g);
        if (cost > my.energy || my.fatigue + cost + 1 > kWornOutFatigue || count_of(game, g) >= kMostCopies) continue;
        if (pick == 0 || count_of(game, g) < count_of(game, pick) ||
            (count_of(game, g) == count_of(game, pick) && price_of(game, g) > price_of(game, pick)))
            pick = g;
    }
    return pick;
}

bool pace_reaches(int quota, int minutes_used, int next_quota)
{
    constexpr std::int64_t kStageMinutes = std::int64_t{8} * 24 * 60;
    return static_cast<std::int64_t>(quota) * kStageMinutes >=
           static_cast<std::int64_t>(next_quota) * std::max(1, minutes_used);
}

int meal_reserve(const Game& game) { return 2 * meal_price(game); }

int shop_wish(const tmenu& entry)
{
    switch (static_cast<ShopCommand>(entry.command)) {
    case ShopCommand::energy: return 90; // more energy: the dearer games need it
    case ShopCommand::poster: return 80; // more passers-by on this street
    case ShopCommand::loan: return 0;    // a loan costs a day
    case ShopCommand::book: return 100;  // a dearer game to make
    case ShopCommand::animal: return 80; // a stock of energy or a day's shouts once a night
    case ShopCommand::item: break;
    }
    const int id = entry.item_id;
    if (id == kItemInflation) return 95;
    if (kEnergyItems.has(id)) return 95; // energy comes back sooner
    if (id == kItemGameMakerSoul) return 95;
    if (kGunItems.has(id) || kBigGunItems.has(id) || id == kItemBestGun) return 65;
    if (kShoutItems.has(id)) return 60; // one more shout a day
    if (id == kItemExpBoost || id == kItemExpDouble) return 55;
    if (kExtraCopyTools.has(id)) return 92; // a third more copies of a genre for the same energy
    if (id >= kItemLauncher && id <= kItemLauncherStock2) return 45;
    if (kSleepItems.has(id) || kMealItems.has(id)) return 30;
    return 20;
}

int shop_pick(const Game& game)
{
    const MenuRecords shop = menu_records(kMenuShop);
    const int budget = game.my.money - meal_reserve(game);
    int pick = 0;
    int pick_wish = 0;
    int out_of_reach = 0; // the most wished entry the player has the level for but not the money
    for (int i = shop.first; i <= shop.last; ++i) {
        const tmenu& b = game.menu_buttons[static_cast<std::size_t>(i)];
        if (b.visible != 1 || b.menu != kMenuShop || b.caption.empty()) continue;
        const int wish = shop_wish(b);
        if (wish == 0) continue;
        if (b.locked >= 1 || b.param > budget) {
            if (game.my.level >= b.need_level) out_of_reach = std::max(out_of_reach, wish);
            continue;
        }
        if (wish > pick_wish) {
            pick = i;
            pick_wish = wish;
        }
    }
    // Save up for a book, more energy or a poster rather than spend on a trinket.
    if (out_of_reach >= 80 && pick_wish < 60) return 0;
    return pick;
}

bool shootable(const Game& game, int slot)
{
    if (slot < 0 || slot >= kStreetSlots) return false;
    const tman& f = game.street_figures[static_cast<std::size_t>(slot)];
    if (f.age < 1 || f.role != kRoleHazard || f.hit_points < 1) return false;
    return f.x >= 0 && f.x < kPlayWidth && f.y >= 0 && f.y - f.height < kPlayHeight;
}

int hazard_to_shoot(const Game& game, int current)
{
    Point at;
    if (shootable(game, current) && aim_at(game, current, at)) return current;
    int pick = -1;
    for (int s = 0; s < kStreetSlots; ++s) {
        if (!shootable(game, s) || !aim_at(game, s, at)) continue;
        if (pick < 0 ||
            game.street_figures[static_cast<std::size_t>(s)].y > game.street_figures[static_cast<std::size_t>(pick)].y)
            pick = s;
    }
    return pick;
}

int hazards_on_street(const Game& game)
{
    int n = 0;
    for (int s = 0; s < kStreetSlots; ++s)
        if (shootable(game, s)) ++n;
    return n;
}

bool aim_at(const Game& game, int slot, Point& at)
{
    if (slot < 0 || slot >= kStreetSlots) return false;
    const tman& f = game.street_figures[static_cast<std::size_t>(slot)];
    tman next = f; // where the street will move it next frame
    move_figure(next);
    const int x = next.x;
    const int y = next.y;
    // The box after the step, inside the play area; tried from its middle outward.
    const int left = std::max(0, x - f.width / 2);
    const int right = std::min(kPlayWidth - 1, x + f.width / 2);
    const int top = std::max(0, y - f.height);
    const int bottom = std::min(kPlayHeight - 1, y);
    if (left > right || top > bottom) return false;
    const int cx = (left + right) / 2;
    const int cy = (top + bottom) / 2;
    const Point tries[] = {{cx, cy}, {left, cy}, {cx, bottom}, {left, bottom}, {left, top}, {cx, top}};
    for (const Point& p : tries) {
        if (off_the_buttons(game, p.x, p.y)) {
            at = p;
            return true;
        }
    }
    return false;
}

} // namespace zen
