#include "app/run_loop.h"

#include "app/frame_tick.h"
#include "app/input.h"
#include "app/input_sources.h"
#include "app/recording.h"
#include "app/save_file.h"
#include "app/startup.h"
#include "core/game_state.h"
#include "core/settings.h"
#include "platform/files.h"
#include "platform/path_text.h"
#include "platform/platform.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

namespace zen {

void deliver_event(Game& game, const InputEvent& event)
{
    switch (event.type) {
    case InputEvent::Type::mouse_move: on_mouse_move(game, event.x, event.y); break;
    case InputEvent::Type::mouse_down: on_mouse_down(game, event.x, event.y, event.button); break;
    case InputEvent::Type::mouse_up: on_mouse_up(game, event.button); break;
    case InputEvent::Type::key: on_key(game, event.key); break;
    default: break; // closing, and the window's own events (the pause, the wheel, a pad's)
    }
}

namespace {

// Hands an event to the game before frame `frame` and writes it into the recording: first the
// answers its yes/no questions were given (a replay must have them waiting), then the event.
// A question asked in the window runs frames behind it: they count as the loop's own, so what
// follows is recorded at the frame it came before.
void deliver_and_record(Game& game, const InputEvent& event, std::int64_t& frame, Recording* recording)
{
    game.answers_given.clear();
    deliver_event(game, event);
    if (recording) {
        for (const bool yes : game.answers_given) recording->answer(frame, yes);
        recording->event(frame, event);
    }
    frame += std::exchange(game.frames_in_question, 0);
}

} // namespace

int run_game(Game& game, const Options& options, const std::vector<ScriptEvent>& script, Recording* recording,
             InputSource* bot)
{
    start_up(game);
    Clock& clock = *game.platform.clock;
    Window& window = *game.platform.window;

    // Before each frame: the script's events, then the bot's hand, then (in a window) the player's
    // events as they come until the tick is due.
    ScriptSource script_source(script);
    WindowSource window_source(PadFeel{game.pointer_speed, game.dead_zone});
    std::vector<InputSource*> sources{&script_source};
    if (bot) sources.push_back(bot);
    if (!game.platform.headless) sources.push_back(&window_source);

    Progress progress = progress_of(game);
    std::int64_t last_tick = clock.now_ms();
    std::int64_t frame = 1;
    // Made once: it reads the frame number as the loop moves it on.
    const InputSource::Deliver deliver = [&](const InputEvent& ev) { deliver_and_record(game, ev, frame, recording); };
    for (bool running = true; running; ++frame) {
        if (options.frames && frame > *options.frames) break;
        // SIGTERM, SIGINT, SIGHUP: the game closes as when its window closes.
        if (stop_requested()) break;
        // Headless, only the script (or the bot) moves the game: without --frames the run closes
        // once the frame of the script's last event has run, so a recording cut short before its
        // quit line ends where its file does instead of running on for ever.
        if (game.platform.headless && !options.frames &&
            std::all_of(sources.begin(), sources.end(), [&](const InputSource* s) { return s->spent(frame); }))
            break;
        const std::int64_t due = last_tick + game.timer_interval;
        for (InputSource* source : sources) {
            running = source->before_frame(game, frame, due, deliver);
            if (!running) break;
        }
        if (!running) break;
        // Headless, back to back: the virtual clock jumps to the next tick.
        if (game.platform.headless) clock.sleep_until(due);
        last_tick = clock.now_ms();
        tick(game);
        // A cleared or lost stage and each new day are kept at once: a session that ends
        // without a close (a power cut, a kill) loses at most the day under way.
        save_on_progress(game, progress);
        window.present(game.cg);
    }

    // However the session ended, its replay stops before the same frame.
    int code = 0;
    if (recording) {
        recording->end(frame);
        std::string why;
        if (!recording->finish(why)) {
            std::fprintf(stderr, "zentrifa: %s\n", why.c_str());
            code = 1;
        }
    }

    // The save first: whatever becomes of the screenshot, the session is kept.
    std::string told;
    const bool saved = close_game(game, &told);
    // Fullscreen or not, and the window's size, for the next start.
    if (!game.platform.headless) remember_window(game);
    if (!options.screenshot.empty()) {
        // Checked again: a pipe put at that name during the run would hold the program for ever.
        std::string why;
        if (!can_be_output_file(options.screenshot, why) || !game.cg.save_png(options.screenshot, &why)) {
            std::fprintf(stderr, "zentrifa: cannot write the screenshot %s\n",
                         why.empty() ? path_utf8(options.screenshot).c_str() : why.c_str());
            code = 1;
        }
    }
    // A trace whose reader went away (--trace | head) or whose disk filled up stopped there; the
    // game played on and saved all the same.
    if (game.trace && !game.trace->flush()) {
        std::fprintf(stderr, "zentrifa: cannot write the trace to standard output (its reader is gone or its disk "
                             "is full); it stops short\n");
        code = 1;
    }
    if (!saved) {
        // The log goes with the window: say it where the player still looks, in a box of its own
        // once the window is gone (a stop request takes the box down too). Standard error has the
        // details already.
        if (!game.platform.headless) {
            game.platform.window = make_headless_window();
            show_error_box("Q.Z.", told);
        }
        code = 1;
    }
    shut_down(game);
    return code;
}

} // namespace zen
