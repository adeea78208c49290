#include "platform/platform.h"

#include <SDL.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <ctime>

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
    p.fonts = std::make_unique<Fonts>(paths.data_dir / "fonts");
    p.audio = make_silent_audio();
    p.window = make_headless_window();
    p.clock = make_virtual_clock();
    p.headless = true;
    return p;
}

void show_error_box(const std::string& title, const std::string& message)
{
    if (stop_requested()) return;
    // A modal box cannot be asked to close, so it is shown by a child process of its own (with
    // what it starts in turn, in a process group of its own): the game waits for it, looking
    // for a stop request as it waits, and takes the box down at once when one comes.
    const pid_t child = ::fork();
    if (child < 0) {
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), message.c_str(), nullptr);
        return;
    }
    if (child == 0) {
        ::setpgid(0, 0);
        for (const int s : {SIGTERM, SIGINT, SIGHUP}) ::signal(s, SIG_DFL);
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), message.c_str(), nullptr);
        ::_exit(0);
    }
    ::setpgid(child, child); // set on both sides: the group is the child's before either goes on
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child || (done < 0 && errno != EINTR)) return;
        if (stop_requested()) {
            ::kill(-child, SIGKILL);
            ::kill(child, SIGKILL);
            while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
            }
            return;
        }
        const timespec step{0, 20'000'000};
        ::nanosleep(&step, nullptr);
    }
}

void catch_stop_signals()
{
    struct sigaction action {};
    action.sa_handler = note_stop_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int s : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(s, &action, nullptr);
    // A reader gone from a pipe (--trace | head) or a file grown past the size limit must not end
    // the game unsaved: the write fails instead, and is reported as any failed write is.
    for (const int s : {SIGPIPE, SIGXFSZ}) ::signal(s, SIG_IGN);
}

bool stop_requested() { return stop_signal != 0; }

void quit_platform() { SDL_Quit(); }

} // namespace zen
