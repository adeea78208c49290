#include "app/pad_pointer.h"

#include "core/game_state.h"
#include "render/message_log.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace zen {

namespace {

constexpr double kTopSpeed = 900.0;    // pixels a second at full tilt
constexpr double kPreciseShare = 0.25; // of the speed while a shoulder button is held
constexpr double kTriggerDown = 0.5;   // of the trigger's travel: pressed past it
constexpr double kTriggerUp = 0.3;     // and let go below it
constexpr double kScrollRowsPerSecond = 12.0;
constexpr int kLongestStepMs = 100; // a longer gap (a stall) moves no further than this
// Where the d-pad leads out of the menu column: the middle of the play area beside it.
constexpr int kPlayAreaX = 300;
constexpr int kPlayAreaY = 300;

double unit(int raw) { return std::clamp(raw / 32767.0, -1.0, 1.0); }

// The visible buttons of the menu column, top to bottom, as the centres of their boxes.
std::vector<std::pair<int, int>> column_buttons(const Game& game)
{
    std::vector<std::pair<int, int>> centres;
    for (const tmenu& b : game.menu_buttons)
        if (b.visible == 1 && !b.caption.empty() && b.width > 0 && b.height > 0)
            centres.emplace_back(b.target_x + b.width / 2, b.target_y + b.height / 2);
    std::sort(centres.begin(), centres.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    return centres;
}

} // namespace

void PadPointer::wake(const Game& game)
{
    if (visible_) return;
    visible_ = true;
    // It appears where the mouse was last.
    x_ = game.mouse_x;
    y_ = game.mouse_y;
}

bool PadPointer::moving() const
{
    return std::hypot(stick_x_, stick_y_) > feel_.dead_zone || std::abs(scroll_y_) > feel_.dead_zone;
}

void PadPointer::move_to(Game& game, double x, double y, const InputSource::Deliver& deliver)
{
    const int before_x = this->x();
    const int before_y = this->y();
    x_ = std::clamp(x, 0.0, static_cast<double>(kPlayWidth - 1));
    y_ = std::clamp(y, 0.0, static_cast<double>(kPlayHeight - 1));
    if (this->x() == before_x && this->y() == before_y && game.mouse_x == before_x && game.mouse_y == before_y) return;
    InputEvent move;
    move.type = InputEvent::Type::mouse_move;
    move.x = this->x();
    move.y = this->y();
    deliver(move);
}

void PadPointer::press(Game& game, bool down, const InputSource::Deliver& deliver)
{
    if (down == left_pressed_) return;
    left_pressed_ = down;
    move_to(game, x_, y_, deliver);
    InputEvent e;
    e.type = down ? InputEvent::Type::mouse_down : InputEvent::Type::mouse_up;
    e.button = MouseButton::left;
    e.x = x();
    e.y = y();
    deliver(e);
}

void PadPointer::jump(Game& game, int direction, const InputSource::Deliver& deliver)
{
    const std::vector<std::pair<int, int>> buttons = column_buttons(game);
    if (buttons.empty()) return;
    // The button under the pointer, else the nearest below (down) or above (up) it.
    int at = -1;
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (std::abs(buttons[i].first - x()) < 150 && std::abs(buttons[i].second - y()) < 16) at = static_cast<int>(i);
    int to = 0;
    const int last = static_cast<int>(buttons.size()) - 1;
    if (at >= 0) {
        to = std::clamp(at + direction, 0, last);
    } else if (direction == 0) {
        to = 0;
    } else {
        to = direction > 0 ? 0 : last;
        for (int i = 0; i <= last; ++i)
            if (direction > 0 ? buttons[i].second > y() : buttons[i].second < y()) {
                to = i;
                if (direction > 0) break;
            }
    }
    move_to(game, buttons[static_cast<std::size_t>(to)].first, buttons[static_cast<std::size_t>(to)].second, deliver);
}

bool PadPointer::on_event(Game& game, const InputEvent& e, std::int64_t now_ms, const InputSource::Deliver& deliver)
{
    using T = InputEvent::Type;
    if (e.type != T::pad_down && e.type != T::pad_up && e.type != T::pad_axis && e.type != T::pad_gone) return false;
    if (e.type == T::pad_gone) {
        release(game, deliver);
        return true;
    }
    step(game, now_ms, deliver); // the stick's travel until now, at its old tilt
    wake(game);
    const bool down = e.type == T::pad_down;
    if (e.type == T::pad_axis) {
        if (e.key == "leftx") stick_x_ = unit(e.x);
        if (e.key == "lefty") stick_y_ = unit(e.x);
        if (e.key == "righty") scroll_y_ = unit(e.x);
        if (e.key == "righttrigger") {
            const double t = unit(e.x);
            if (!trigger_held_ && t > kTriggerDown) trigger_held_ = true;
            if (trigger_held_ && t < kTriggerUp) trigger_held_ = false;
            press(game, a_held_ || trigger_held_, deliver);
        }
        return true;
    }
    if (e.key == "a") {
        a_held_ = down;
        press(game, a_held_ || trigger_held_, deliver);
    } else if (e.key == "b" && down) {
        move_to(game, x_, y_, deliver);
        for (const T type : {T::mouse_down, T::mouse_up}) {
            InputEvent r;
            r.type = type;
            r.button = MouseButton::right;
            r.x = x();
            r.y = y();
            deliver(r);
        }
    } else if (e.key == "leftshoulder" || e.key == "rightshoulder") {
        shoulders_ = std::max(0, shoulders_ + (down ? 1 : -1));
    } else if (down && (e.key == "dpup" || e.key == "dpdown")) {
        jump(game, e.key == "dpdown" ? 1 : -1, deliver);
    } else if (down && e.key == "dpleft") {
        move_to(game, kPlayAreaX, kPlayAreaY, deliver);
    } else if (down && e.key == "dpright") {
        jump(game, 0, deliver); // back to the column: the button under the pointer, else the first
    }
    return true;
}

void PadPointer::step(Game& game, std::int64_t now_ms, const InputSource::Deliver& deliver)
{
    const std::int64_t since = last_step_ms_ < 0 ? 0 : now_ms - last_step_ms_;
    last_step_ms_ = now_ms;
    const double seconds = static_cast<double>(std::clamp<std::int64_t>(since, 0, kLongestStepMs)) / 1000.0;
    if (seconds <= 0) return;
    const double tilt = std::hypot(stick_x_, stick_y_);
    if (tilt > feel_.dead_zone) {
        // Past the dead zone the speed grows with the square of the tilt: fine near the middle.
        const double past = std::min(1.0, (tilt - feel_.dead_zone) / (1.0 - feel_.dead_zone));
        const double speed = kTopSpeed * feel_.speed * past * past * (shoulders_ > 0 ? kPreciseShare : 1.0);
        move_to(game, x_ + stick_x_ / tilt * speed * seconds, y_ + stick_y_ / tilt * speed * seconds, deliver);
    }
    if (std::abs(scroll_y_) > feel_.dead_zone) {
        // Pushed up (negative), the log goes back; down, forward.
        scroll_owed_ += -scroll_y_ * kScrollRowsPerSecond * seconds;
        const int rows = static_cast<int>(scroll_owed_);
        if (rows != 0) {
            scroll_log(game, rows);
            scroll_owed_ -= rows;
        }
    } else {
        scroll_owed_ = 0;
    }
}

void PadPointer::release(Game& game, const InputSource::Deliver& deliver)
{
    a_held_ = false;
    trigger_held_ = false;
    press(game, false, deliver);
    stick_x_ = stick_y_ = scroll_y_ = 0;
    shoulders_ = 0;
}

} // namespace zen
