// What the window costs between the game's frames, in a real SDL window (on the display named by
// DISPLAY, else on SDL's dummy driver): a still menu's frames, the game's own pointer while a
// controller's stick is held, and a pause. Each iteration is one second of real time, played the
// way the run loop plays it. The counters: main_cpu and process_cpu, the share of a core the main
// thread and the whole process used (the GL driver's threads are in the second); pointer_updates,
// how often a second the pointer was shown at a new place.
#include "app/frame_tick.h"
#include "app/input_sources.h"
#include "app/run_loop.h"
#include "core/game_state.h"
#include "platform/clock.h"
#include "test_support.h"

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>

namespace zen {
namespace {

double cpu_seconds(int who)
{
    rusage u{};
    getrusage(who, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// The real window, counting the pointer's new places.
class CountingWindow final : public Window {
public:
    explicit CountingWindow(std::unique_ptr<Window> real) : real_(std::move(real)) {}
    bool poll_event(InputEvent& e) override { return real_->poll_event(e); }
    bool wait_event(InputEvent& e, int timeout_ms) override { return real_->wait_event(e, timeout_ms); }
    void present(const Canvas& frame) override { real_->present(frame); }
    void set_title(const std::string& t) override { real_->set_title(t); }
    bool fullscreen() const override { return real_->fullscreen(); }
    void set_fullscreen(bool on) override { real_->set_fullscreen(on); }
    WindowSize size() const override { return real_->size(); }
    void set_size(WindowSize s) override { real_->set_size(s); }
    void show_pointer(int x, int y, bool visible) override
    {
        if (visible && (x != x_ || y != y_)) ++moves;
        x_ = x;
        y_ = y;
        real_->show_pointer(x, y, visible);
    }
    long moves = 0;

private:
    std::unique_ptr<Window> real_;
    int x_ = -1;
    int y_ = -1;
};

struct WindowGame : test::HomeGame {
    WindowGame()
    {
        if (!std::getenv("DISPLAY")) {
            ::setenv("SDL_VIDEODRIVER", "dummy", 1);
            // The dummy driver's window never has the focus a controller's events wait for.
            SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        }
        std::string error;
        auto real = make_sdl_window("Zentrifa bench", (save_dir.path() / "shots").string(), {}, {}, error);
        if (!real) return;
        auto w = std::make_unique<CountingWindow>(std::move(real));
        window = w.get();
        platform.window = std::move(w);
        platform.clock = make_system_clock();
        platform.headless = false;
    }
    // One second of play as the run loop plays it: input until each frame is due, then the frame.
    void play_a_second(WindowSource& source)
    {
        Clock& clock = *platform.clock;
        const std::int64_t end = clock.now_ms() + 1000;
        std::int64_t last = clock.now_ms();
        while (last < end) {
            source.before_frame(*game, 1, last + game->timer_interval,
                                [&](const InputEvent& e) { deliver_event(*game, e); });
            last = clock.now_ms();
            tick(*game);
            platform.window->present(game->cg);
        }
    }
    CountingWindow* window = nullptr;
};

// Runs `second` once per iteration and reports the counters.
template <typename Second>
void measure(benchmark::State& state, WindowGame& g, Second second)
{
    double main_cpu = 0;
    double process_cpu = 0;
    double wall = 0;
    const long moves_before = g.window->moves;
    for (auto _ : state) {
        const double thread0 = cpu_seconds(RUSAGE_THREAD);
        const double process0 = cpu_seconds(RUSAGE_SELF);
        const auto start = std::chrono::steady_clock::now();
        second();
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        main_cpu += cpu_seconds(RUSAGE_THREAD) - thread0;
        process_cpu += cpu_seconds(RUSAGE_SELF) - process0;
    }
    state.counters["main_cpu"] = main_cpu / wall;
    state.counters["process_cpu"] = process_cpu / wall;
    state.counters["pointer_updates"] = static_cast<double>(g.window->moves - moves_before) / wall;
}

void BM_WindowStillMenu(benchmark::State& state)
{
    WindowGame g;
    if (!g.window) return state.SkipWithError("no window");
    WindowSource source;
    g.play_a_second(source); // the first frames show the whole picture
    measure(state, g, [&] { g.play_a_second(source); });
}
BENCHMARK(BM_WindowStillMenu)->UseRealTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// A controller's left stick held over, to the right for one second and to the left the next.
void BM_WindowPointerMoving(benchmark::State& state)
{
    WindowGame g;
    if (!g.window) return state.SkipWithError("no window");
    test::VirtualController pad;
    if (!pad.stick) return state.SkipWithError("no virtual controller");
    WindowSource source(PadFeel{0.5, 0.2}); // 450 pixels a second: a second's travel stays on screen
    g.play_a_second(source);
    Sint16 lean = 32767;
    measure(state, g, [&] {
        SDL_JoystickSetVirtualAxis(pad.stick, SDL_CONTROLLER_AXIS_LEFTX, lean);
        lean = static_cast<Sint16>(-lean);
        g.play_a_second(source);
    });
}
BENCHMARK(BM_WindowPointerMoving)->UseRealTime()->Iterations(4)->Unit(benchmark::kMillisecond);

Uint32 press_p(Uint32, void*)
{
    for (const Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
        SDL_Event e{};
        e.type = type;
        e.key.keysym.sym = SDLK_p;
        SDL_PushEvent(&e);
    }
    return 0;
}

// Paused for a second: P, and P again a second later.
void BM_WindowPaused(benchmark::State& state)
{
    WindowGame g;
    if (!g.window) return state.SkipWithError("no window");
    WindowSource source;
    g.play_a_second(source);
    measure(state, g, [&] {
        press_p(0, nullptr);
        const SDL_TimerID resume = SDL_AddTimer(1000, press_p, nullptr);
        // A frame's input waits for the P; after the pause the frame is due a frame later.
        source.before_frame(*g.game, 1, g.platform.clock->now_ms() + 5000, [](const InputEvent&) {});
        SDL_RemoveTimer(resume);
    });
}
BENCHMARK(BM_WindowPaused)->UseRealTime()->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace zen
