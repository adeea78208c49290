#include "bot/autoplay.h"

#include "bot/autoplay_policy.h"
#include "core/game_state.h"
#include "core/saturating.h"
#include "home/menu_commands.h"
#include "rules/catalog_rules.h"
#include "rules/prices.h"
#include "street/street_commands.h"
#include "ui/menu_buttons.h"

#include <algorithm>

namespace zen {

namespace {

// Where the bot clicks when any place will do (the start pictures, a dialogue line): the bottom
// left corner, where no button ever lies.
constexpr int kQuietX = 10;
constexpr int kQuietY = 590;

constexpr int kMostReplays = 4;   // times a cleared stage is played again before the next is tried
constexpr int kCrowded = 3;       // hazards on the street that are worth a rocket
constexpr int kSleepFatigue = 70; // tired enough to give a day for a night's sleep
constexpr int kWellFed = 88;      // below it the bot eats when it has money for two meals
constexpr int kHungry = 50;       // below it, when it has money for one

bool every_stage_cleared(const Game& game)
{
    for (int s = kFirstStage; s <= kLastStage; ++s)
        if (stage_value(game.my.stage_clears, s) < 1) return false;
    return true;
}

int record_with(const Game& game, std::int32_t menu, std::int32_t command)
{
    const MenuRecords range = menu_records(menu);
    for (int i = range.first; i <= range.last; ++i) {
        const tmenu& b = menu_record(game, i);
        if (b.visible == 1 && b.menu == menu && b.command == command && !b.caption.empty()) return i;
    }
    return 0;
}

} // namespace

std::vector<InputEvent> Autoplay::next_events(const Game& game)
{
    out_.clear();
    if (finished_) return out_;
    report_stage_end(game);

    if (holding_ && (game.on_street < 1 || game.open_menu != kMenuSalesFloor || !game.line_queue[0].empty())) let_go();
    if (game.title_step != kTitleDone) {
        play_title(game);
        return out_;
    }
    if (!game.line_queue[0].empty()) {
        click(kQuietX, kQuietY); // the next line
        return out_;
    }
    switch (game.open_menu) {
    case kMenuStart: play_start_menu(game); break;
    case kMenuStageSelect: play_stage_select(game); break;
    case kMenuHome: play_home(game); break;
    case kMenuMakeGame: play_make_game(game); break;
    case kMenuShop: play_shop(game); break;
    case kMenuSalesFloor: play_street(game); break;
    case kMenuWakeUp: press_button(game, kWakeUpRecord); break;
    case kMenuTimeUp: press_button(game, kTimeUpRecord); break;
    case kMenuStageCleared: press_button(game, kStageClearedRecord); break;
    case kMenuAbandon: press_command(game, kMenuAbandon, command_number(AbandonCommand::no)); break; // no, play on
    default: right_click(kQuietX, kQuietY); break; // options and the like: back
    }
    return out_;
}

void Autoplay::report_stage_end(const Game& game)
{
    if (game.stage == 0) {
        stage_ = 0;
        return;
    }
    if (game.stage != stage_) {
        stage_ = game.stage;
        reported_ = false;
    }
    const tmy& my = game.my;
    if (reported_ || (my.quota_done < 1 && my.game_over < 1)) return;
    reported_ = true;
    const bool won = my.quota_done >= 1;
    const bool again = won && stage_value(my.stage_clears, game.stage) >= 2;
    if (!won)
        ++lost_;
    else if (!again)
        ++cleared_;
    if (won) {
        replays_ = again ? replays_ + 1 : 0;
        last_clear_stage_ = game.stage;
        // An edited save may hold any day and hour the save keeps: counted wide, then cut.
        last_clear_minutes_ = clamp_to_int32((static_cast<std::int64_t>(my.day) * 24 + my.hour) * 60 +
                                             static_cast<std::int64_t>(my.minute));
    }
    if (!report_) return;
    std::fprintf(report_, "autoplay: stage %2d  %-9s  days %d/8  sales %6d/%-6d  money %7d  level %2d\n", game.stage,
                 again ? "replayed"
                 : won ? "cleared"
                       : "game over",
                 std::min(my.day + 1, 8), my.sales, game.map_table.at(game.stage).quota, my.money, my.level);
    std::fflush(report_);
}

bool Autoplay::before_frame(Game& game, std::int64_t, std::int64_t, const Deliver& deliver)
{
    for (const InputEvent& e : next_events(game)) deliver(e);
    return !finished_;
}

void Autoplay::play_title(const Game&) { click(kQuietX, kQuietY); }

void Autoplay::play_start_menu(const Game& game)
{
    if (game.stage == 0 && every_stage_cleared(game)) {
        finished_ = true;
        return;
    }
    if (press_command(game, kMenuStart, command_number(StartCommand::news))) return; // the news first
    press_command(game, kMenuStart, command_number(StartCommand::start));
}

void Autoplay::play_stage_select(const Game& game)
{
    for (int s = kFirstStage; s <= kLastStage; ++s) {
        if (stage_value(game.my.stage_clears, s) >= 1) continue;
        // Not strong enough yet for this quota at the pace the last stage was cleared: that stage
        // again first, for the money, the level and the shop.
        const int before = s - 1;
        if (before == last_clear_stage_ && replays_ < kMostReplays &&
            !pace_reaches(game.map_table.at(before).quota, last_clear_minutes_, game.map_table.at(s).quota) &&
            press_button(game, kStageSelectFirstRecord + before))
            return;
        if (press_button(game, kStageSelectFirstRecord + s)) return;
        break;
    }
    press_command(game, kMenuStageSelect, kStageSelectBack); // nothing left to play here
}

void Autoplay::play_home(const Game& game)
{
    const tmy& my = game.my;
    // A full stomach brings energy back sooner: eat early while the money allows.
    const int meal = meal_price(game);
    const bool hungry = (my.hunger < kWellFed && my.money >= 2 * meal) || (my.hunger < kHungry && my.money >= meal);
    if (hungry && press_command(game, kMenuHome, command_number(HomeCommand::eat))) return;
    // Starving with no money for a meal: a loan, the one way out (it costs a day).
    const bool starving = too_hungry_to_work(game) && my.money < meal;
    if (starving && press_command(game, kMenuHome, command_number(HomeCommand::shop))) return;
    const bool shop_news =
        game.stage != shop_stage_ || my.level != shop_level_ || (shop_money_ >= 0 && my.money >= shop_money_);
    if (shop_news && press_command(game, kMenuHome, command_number(HomeCommand::shop))) return;

    if (genre_to_make(game) != 0 && press_command(game, kMenuHome, command_number(HomeCommand::make))) return;
    // Tired: a night's sleep (it costs the day) clears the fatigue that slows the energy down and
    // would soon stop the gun.
    if (my.fatigue >= kSleepFatigue && my.day < kLastDay &&
        press_command(game, kMenuHome, command_number(HomeCommand::sleep)))
        return;
    const bool fit = !too_hungry_to_work(game) && !too_tired_to_work(game);
    if (fit && stock_on_hand(game) > 0 && press_command(game, kMenuHome, command_number(HomeCommand::go_out))) return;
    if (!fit && my.day < kLastDay) press_command(game, kMenuHome, command_number(HomeCommand::sleep));
}

void Autoplay::play_make_game(const Game& game)
{
    const int genre = genre_to_make(game);
    if (genre != 0) {
        const MenuRecords range = menu_records(kMenuMakeGame);
        for (int i = range.first; i <= range.last; ++i) {
            const tmenu& b = menu_record(game, i);
            if (b.visible == 1 && b.menu == kMenuMakeGame && b.param == genre) {
                press_button(game, i);
                return;
            }
        }
    }
    right_click(kQuietX, kQuietY); // back home
}

void Autoplay::play_shop(const Game& game)
{
    if (too_hungry_to_work(game) && game.my.money < meal_price(game) &&
        press_command(game, kMenuShop, command_number(ShopCommand::loan)))
        return;
    const int pick = shop_pick(game);
    if (pick != 0) {
        press_button(game, pick);
        return;
    }
    // Nothing to buy now: come back with the money for the cheapest wanted entry, or a new level.
    shop_stage_ = game.stage;
    shop_level_ = game.my.level;
    shop_money_ = -1;
    const MenuRecords range = menu_records(kMenuShop);
    for (int i = range.first; i <= range.last; ++i) {
        const tmenu& b = menu_record(game, i);
        if (b.visible != 1 || b.menu != kMenuShop || shop_wish(b) == 0 || game.my.level < b.need_level) continue;
        // What can be had now was passed over on purpose: only what it takes more money for counts.
        const int needed = b.param + meal_reserve(game);
        if (needed > game.my.money && (shop_money_ < 0 || needed < shop_money_)) shop_money_ = needed;
    }
    right_click(kQuietX, kQuietY);
}

void Autoplay::play_street(const Game& game)
{
    const tmy& my = game.my;
    const int hazards = hazards_on_street(game);
    if (my.rpg_ammo >= 1 && hazards >= kCrowded && !too_tired_to_shoot(game) &&
        press_command(game, kMenuSalesFloor, command_number(StreetCommand::launcher)))
        return;

    const int stock = stock_on_hand(game);
    const bool can_make = genre_to_make(game) != 0;
    const bool hungry = my.hunger < kHungry && my.money >= meal_price(game);
    const bool worn_out = my.fatigue >= kWornOutFatigue && my.day < kLastDay;
    const bool energy_wasted = my.energy >= my.energy_max && can_make;
    const bool nothing_to_sell = stock == 0;
    if ((hungry || worn_out || energy_wasted || nothing_to_sell) &&
        press_command(game, kMenuSalesFloor, command_number(StreetCommand::go_home)))
        return;

    if (hazards == 0 && my.shouts_used < shout_limit(game) && !too_worn_to_shout(game) &&
        press_command(game, kMenuSalesFloor, command_number(StreetCommand::shout)))
        return;

    target_ = too_tired_to_shoot(game) ? -1 : hazard_to_shoot(game, target_);
    Point at;
    if (target_ < 0 || !aim_at(game, target_, at)) {
        let_go();
        return;
    }
    hold(at.x, at.y);
}

bool Autoplay::press_command(const Game& game, std::int32_t menu, std::int32_t command)
{
    const int index = record_with(game, menu, command);
    return index != 0 && press_button(game, index);
}

bool Autoplay::press_button(const Game& game, int index)
{
    const tmenu& b = menu_record(game, index);
    if (b.visible != 1 || b.caption.empty() || b.locked >= 1 || b.enabled != 1) return false;
    // Still sliding in: wait for it where it will be.
    if (b.x != b.target_x) return true;
    click(b.target_x + b.width / 2, b.y + b.height / 2);
    return true;
}

void Autoplay::push(InputEvent::Type type, int x, int y, MouseButton button)
{
    if (type == InputEvent::Type::mouse_move) {
        if (x == mouse_x_ && y == mouse_y_) return; // already there
        mouse_x_ = x;
        mouse_y_ = y;
    }
    InputEvent e;
    e.type = type;
    e.x = x;
    e.y = y;
    e.button = button;
    out_.push_back(e);
}

void Autoplay::click(int x, int y)
{
    let_go();
    push(InputEvent::Type::mouse_move, x, y, MouseButton::left);
    push(InputEvent::Type::mouse_down, x, y, MouseButton::left);
    push(InputEvent::Type::mouse_up, x, y, MouseButton::left);
}

void Autoplay::right_click(int x, int y)
{
    let_go();
    push(InputEvent::Type::mouse_move, x, y, MouseButton::left);
    push(InputEvent::Type::mouse_down, x, y, MouseButton::right);
    push(InputEvent::Type::mouse_up, x, y, MouseButton::right);
}

void Autoplay::hold(int x, int y)
{
    push(InputEvent::Type::mouse_move, x, y, MouseButton::left);
    if (!holding_) push(InputEvent::Type::mouse_down, x, y, MouseButton::left);
    holding_ = true;
}

void Autoplay::let_go()
{
    if (!holding_) return;
    push(InputEvent::Type::mouse_up, 0, 0, MouseButton::left);
    holding_ = false;
}

} // namespace zen
