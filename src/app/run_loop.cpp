#include "app/run_loop.h"

#include "app/autoplay.h"
#include "app/frame_tick.h"
#include "app/input.h"
#include "app/recording.h"
#include "app/startup.h"
#include "core/game_state.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace zen {

void deliver_event(Game& game, const InputEvent& event)
{
    switch (event.type) {
    case InputEvent::Type::mouse_move: on_mouse_move(game, event.x, event.y); break;
    case InputEvent::Type::mouse_down: on_mouse_down(game, event.x, event.y, event.button); break;
    case InputEvent::Type::mouse_up: on_mouse_up(game, event.button); break;
    case InputEvent::Type::key: on_key(game, event.key); break;
    case InputEvent::Type::quit: break;
    }
}

namespace {

// Hands an event to the game before frame `frame` and writes it into the recording: first the
// answers its yes/no questions were given (a replay must have them waiting), then the event.
void deliver_and_record(Game& game, const InputEvent& event, std::int64_t frame, Recording* recording)
{
    game.answers_given.clear();
    deliver_event(game, event);
    if (!recording) return;
    for (const bool yes : game.answers_given) recording->answer(frame, yes);
    recording->event(frame, event);
}

// Plays one script event; false when it asks to quit.
bool play_script_event(Game& game, const ScriptEvent& e, Recording* recording)
{
    auto mouse = [&](InputEvent::Type type, MouseButton b) {
        InputEvent ev;
        ev.type = type;
        ev.x = e.x;
        ev.y = e.y;
        ev.button = b;
        deliver_and_record(game, ev, e.frame, recording);
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
        deliver_and_record(game, ev, e.frame, recording);
        break;
    }
    // An answer waits for its question; the recording writes it when a question takes it.
    case ScriptEvent::Kind::answer: game.scripted_answers.push_back(e.yes); break;
    case ScriptEvent::Kind::quit: return false;
    }
    return true;
}

} // namespace

int run_game(Game& game, const Options& options, const std::vector<ScriptEvent>& script, Recording* recording,
             Autoplay* bot)
{
    start_up(game);
    Clock& clock = *game.platform.clock;
    Window& window = *game.platform.window;

    // Headless, only the script (or the bot) moves the game: without --frames the run closes once
    // the frame of the script's last event has run, so a recording cut short before its quit line
    // ends where its file does instead of running on for ever.
    const bool until_script_ends = game.platform.headless && !options.frames && !bot;
    std::int64_t last_scripted = 1;
    for (const ScriptEvent& e : script) last_scripted = std::max(last_scripted, e.frame);

    std::size_t next_event = 0;
    std::int64_t last_tick = clock.now_ms();
    bool running = true;
    std::int64_t frame = 1;
    for (; running; ++frame) {
        if (options.frames && frame > *options.frames) break;
        if (until_script_ends && frame > last_scripted) break;
        // Script events for this frame, in file order.
        while (running && next_event < script.size() && script[next_event].frame <= frame)
            running = play_script_event(game, script[next_event++], recording);
        if (!running) break;
        // The bot's hand, between frames like any other.
        if (bot) {
            for (const InputEvent& ev : bot->next_events(game)) deliver_and_record(game, ev, frame, recording);
            if (bot->finished()) break;
        }

        if (game.platform.headless) {
            // Back to back: the virtual clock jumps to the next tick.
            clock.sleep_until(last_tick + game.timer_interval);
        } else {
            // Window events as they come until the tick is due.
            InputEvent ev;
            for (;;) {
                const std::int64_t wait = last_tick + game.timer_interval - clock.now_ms();
                if (wait <= 0) break;
                if (!window.wait_event(ev, static_cast<int>(wait))) continue;
                if (ev.type == InputEvent::Type::quit) {
                    running = false;
                    break;
                }
                deliver_and_record(game, ev, frame, recording);
            }
            if (!running) break;
        }
        last_tick = clock.now_ms();
        tick(game);
        window.present(game.cg);
    }

    // However the session ended, its replay stops before the same frame.
    if (recording) recording->end(frame);

    int code = 0;
    if (!options.screenshot.empty() && !game.cg.save_png(options.screenshot)) {
        std::fprintf(stderr, "zentrifa: cannot write the screenshot %s\n", options.screenshot.c_str());
        code = 1;
    }
    std::string told;
    if (!close_game(game, &told)) {
        // The log goes with the window: say it where the player still looks. Standard error has
        // the details already.
        window.show_warning(told);
        code = 1;
    }
    shut_down(game);
    return code;
}

} // namespace zen
