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
#include "platform/frame_loop.h"
#include "platform/path_text.h"
#include "platform/platform.h"

#include <algorithm>
#include <cstdio>
#include <memory>
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

namespace {

// One session of frames, moved on one frame at a time: the native loop calls step() until it
// says stop, the browser calls it from its own loop (see platform/frame_loop.h).
class Session : public FrameSteps {
public:
    Session(Game& game, const Options& options, const std::vector<ScriptEvent>& script, Recording* recording,
            InputSource* bot)
        : game_(game), options_(options), recording_(recording), script_source_(script),
          window_source_(PadFeel{game.pointer_speed, game.dead_zone})
    {
        // Before each frame: the script's events, then the bot's hand, then (in a window) the
        // player's events as they come until the tick is due.
        sources_.push_back(&script_source_);
        if (bot) sources_.push_back(bot);
        if (!game.platform.headless) sources_.push_back(&window_source_);
    }

    bool step() override
    {
        // The start (the save read, or a new one written) is a step of its own: in a browser page,
        // writing a file may wait for the browser's storage, which only the loop's steps may do,
        // and the first frame is then called when it is due rather than waited for.
        if (!started_) {
            start_up(game_);
            progress_ = progress_of(game_);
            last_tick_ = game_.platform.clock->now_ms();
            started_ = true;
            return true;
        }
        if (options_.frames && frame_ > *options_.frames) return false;
        // SIGTERM, SIGINT, SIGHUP: the game closes as when its window closes.
        if (stop_requested()) return false;
        // Headless, only the script (or the bot) moves the game: without --frames the run closes
        // once the frame of the script's last event has run, so a recording cut short before its
        // quit line ends where its file does instead of running on for ever.
        if (game_.platform.headless && !options_.frames &&
            std::all_of(sources_.begin(), sources_.end(), [&](const InputSource* s) { return s->spent(frame_); }))
            return false;
        const std::int64_t due = next_due();
        for (InputSource* source : sources_)
            if (!source->before_frame(game_, frame_, due, deliver_)) return false;
        Clock& clock = *game_.platform.clock;
        // Headless, back to back: the virtual clock jumps to the next tick.
        if (game_.platform.headless) clock.sleep_until(due);
        last_tick_ = clock.now_ms();
        tick(game_);
        // A cleared or lost stage and each new day are kept at once: a session that ends
        // without a close (a power cut, a kill) loses at most the day under way.
        save_on_progress(game_, progress_);
        game_.platform.window->present(game_.cg);
        ++frame_;
        return true;
    }

    std::int64_t ms_to_next_step() override
    {
        if (game_.platform.headless) return 0;
        return std::max<std::int64_t>(0, next_due() - game_.platform.clock->now_ms());
    }

    int finish() override;

private:
    // When the next frame is due: one timer interval after the last.
    std::int64_t next_due() const { return last_tick_ + game_.timer_interval; }

    Game& game_;
    const Options& options_;
    Recording* recording_;
    ScriptSource script_source_;
    WindowSource window_source_;
    std::vector<InputSource*> sources_;
    Progress progress_;
    bool started_ = false;
    std::int64_t last_tick_ = 0;
    std::int64_t frame_ = 1;
    // Made once: it reads the frame number as the session moves it on.
    const InputSource::Deliver deliver_ = [this](const InputEvent& ev) {
        deliver_and_record(game_, ev, frame_, recording_);
    };
};

int Session::finish()
{
    Game& game = game_;
    const Options& options = options_;
    // However the session ended, its replay stops before the same frame.
    int code = 0;
    if (recording_) {
        recording_->end(frame_);
        std::string why;
        if (!recording_->finish(why)) {
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

} // namespace

int run_game(Game& game, const Options& options, const std::vector<ScriptEvent>& script, Recording* recording,
             InputSource* bot)
{
    // In the browser the session outlives this call: the browser's loop owns it.
    auto session = std::make_unique<Session>(game, options, script, recording, bot);
    return drive_frames(std::move(session));
}

} // namespace zen
