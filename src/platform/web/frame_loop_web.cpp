// The browser's loop calls the frames: a page must hand control back to the browser between them
// (to draw, to take input, to play sound). Each call runs the frames that are due and asks to be
// called again when the next one is; a headless run (a replay) plays back to back in slices, so
// the page stays alive while it runs.
#include "platform/frame_loop.h"

#include <emscripten.h>

namespace zen {

namespace {

// How long one call may run back-to-back frames before the browser gets its turn.
constexpr double kSliceMs = 12.0;

void end_session(FrameSteps* steps)
{
    emscripten_cancel_main_loop();
    const int code = steps->finish();
    delete steps;
    // The page hears the exit code (Module.onExit); nothing of the program runs after this.
    emscripten_force_exit(code);
}

// The browser calls again when the next frame is due (at once, for a run back to back).
void call_again_when_due(FrameSteps& steps)
{
    const std::int64_t wait = steps.ms_to_next_step();
    if (wait > 0)
        emscripten_set_main_loop_timing(EM_TIMING_SETTIMEOUT, static_cast<int>(wait));
    else
        emscripten_set_main_loop_timing(EM_TIMING_SETIMMEDIATE, 0);
}

void run_due_frames(void* arg)
{
    auto* steps = static_cast<FrameSteps*>(arg);
    // A timer may fire a little early: the frame is not run before it is due, where its input
    // would wait for the rest of the interval (a wait the page cannot do without Asyncify).
    if (steps->ms_to_next_step() > 0) {
        call_again_when_due(*steps);
        return;
    }
    const double start = emscripten_get_now();
    do {
        if (!steps->step()) {
            end_session(steps);
            return;
        }
    } while (steps->ms_to_next_step() == 0 && emscripten_get_now() - start < kSliceMs);
    call_again_when_due(*steps);
}

} // namespace

int drive_frames(std::unique_ptr<FrameSteps> steps)
{
    // The loop owns the steps from here; simulate_infinite_loop leaves main without returning.
    emscripten_set_main_loop_arg(run_due_frames, steps.release(), 0, 1);
    return 0; // never reached
}

} // namespace zen
