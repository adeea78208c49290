#include "app/input_sources.h"

#include "app/pause.h"
#include "core/game_state.h"
#include "render/message_log.h"

#include <algorithm>

namespace zen {

namespace {

// Plays one script event; false when it asks to quit.
bool play_script_event(Game& game, const ScriptEvent& e, const InputSource::Deliver& deliver)
{
    auto mouse = [&](InputEvent::Type type, MouseButton b) {
        InputEvent ev;
        ev.type = type;
        ev.x = e.x;
        ev.y = e.y;
        ev.button = b;
        deliver(ev);
    };
    switch (e.kind) {
    case ScriptEvent::Kind::move: mouse(InputEvent::Type::mouse_move, MouseButton::left); break;
    case ScriptEvent::Kind::down: mouse(InputEvent::Type::mouse_down, e.button); break;
    case ScriptEvent::Kind::up: mouse(InputEvent::Type::mouse_up, e.button); break;
    case ScriptEvent::Kind::click:
        mouse(InputEvent::Type::mouse_down, MouseButton::left);
        mouse(InputEvent::Type::mouse_up, MouseButton::left);
        break;
    case ScriptEvent::Kind::rclick:
        mouse(InputEvent::Type::mouse_down, MouseButton::right);
        mouse(InputEvent::Type::mouse_up, MouseButton::right);
        break;
    case ScriptEvent::Kind::key: {
        InputEvent ev;
        ev.type = InputEvent::Type::key;
        ev.key = e.key;
        deliver(ev);
        break;
    }
    // An answer waits for its question; the recording writes it when a question takes it.
    case ScriptEvent::Kind::answer: game.scripted_answers.push_back(e.yes); break;
    case ScriptEvent::Kind::quit: return false;
    }
    return true;
}

} // namespace

ScriptSource::ScriptSource(const std::vector<ScriptEvent>& script) : script_(script)
{
    for (const ScriptEvent& e : script) last_frame_ = std::max(last_frame_, e.frame);
}

bool ScriptSource::before_frame(Game& game, std::int64_t frame, std::int64_t, const Deliver& deliver)
{
    while (next_ < script_.size() && script_[next_].frame <= frame)
        if (!play_script_event(game, script_[next_++], deliver)) return false;
    return true;
}

bool WindowSource::before_frame(Game& game, std::int64_t, std::int64_t deadline_ms, const Deliver& deliver)
{
    // While a stick is held the pointer steps this often, however slow the game's frames.
    constexpr std::int64_t kPointerStepMs = 10;
    Clock& clock = *game.platform.clock;
    Window& window = *game.platform.window;
    InputEvent ev;
    for (;;) {
        const std::int64_t now = clock.now_ms();
        pointer_.step(game, now, deliver);
        window.show_pointer(pointer_.x(), pointer_.y(), pointer_.visible());
        const std::int64_t wait = deadline_ms - now;
        if (wait <= 0) {
            // Due: what came in meanwhile still goes before the frame (in a browser page, whose
            // loop calls the frame only when it is due, that is all the input there is).
            if (!window.poll_event(ev)) return true;
        } else {
            const std::int64_t timeout = pointer_.moving() ? std::min(wait, kPointerStepMs) : wait;
            if (!window.wait_event(ev, static_cast<int>(timeout))) continue;
        }
        if (ev.type == InputEvent::Type::quit) return false;
        if (pauses_game(game, ev)) {
            pointer_.release(game, deliver);
            if (!hold_pause(game)) return false;
            // No game time passed: the frame is due a whole frame after the game plays on.
            deadline_ms = clock.now_ms() + game.timer_interval;
            continue;
        }
        if (ev.type == InputEvent::Type::focus_lost) continue;
        // The wheel over the log scrolls its history: the screen's business, not the game's.
        if (ev.type == InputEvent::Type::wheel) {
            if (over_log(game.mouse_x, game.mouse_y)) scroll_log(game, ev.y);
            continue;
        }
        if (pointer_.on_event(game, ev, clock.now_ms(), deliver)) continue;
        if (ev.type == InputEvent::Type::mouse_move) pointer_.hide();
        deliver(ev);
        if (game.close_requested) return false; // closed while a question was open
    }
}

} // namespace zen
