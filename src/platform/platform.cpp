#include "platform/platform.h"

#include <SDL.h>

#include <csignal>

namespace zen {

namespace {

// The one thing a signal handler may safely do is set a flag like this: it is the process's,
// not a game's, as the signal is.
volatile std::sig_atomic_t stop_signal = 0;

extern "C" void note_stop_signal(int) { stop_signal = 1; }

} // namespace

Platform make_headless_platform(const Paths& paths)
{
    Platform p;
    p.paths = paths;
    p.fonts = std::make_unique<Fonts>();
    p.audio = make_silent_audio();
    p.window = make_headless_window();
    p.clock = make_virtual_clock();
    p.headless = true;
    return p;
}

void show_error_box(const std::string& title, const std::string& message)
{
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), message.c_str(), nullptr);
}

void catch_stop_signals()
{
    struct sigaction action {};
    action.sa_handler = note_stop_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int s : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(s, &action, nullptr);
}

bool stop_requested() { return stop_signal != 0; }

void quit_platform() { SDL_Quit(); }

} // namespace zen
