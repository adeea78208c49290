// The pause, as the window's input source meets it: what reaches the game, what the window shows,
// what the sound does and when the next frame is due.
#include "app/input_sources.h"
#include "app/pause.h"
#include "core/game_state.h"
#include "core/settings.h"
#include "core/texts.h"
#include "platform/audio.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <deque>

namespace zen {
namespace {

using test::HomeGame;

InputEvent key(const std::string& name)
{
    InputEvent e;
    e.type = InputEvent::Type::key;
    e.key = name;
    return e;
}

InputEvent mouse(InputEvent::Type type, int x, int y)
{
    InputEvent e;
    e.type = type;
    e.x = x;
    e.y = y;
    return e;
}

InputEvent of_type(InputEvent::Type type)
{
    InputEvent e;
    e.type = type;
    return e;
}

// A window that hands out the events it was given, each after the delay given with it (the
// player taking their time), then waits out every timeout on the game's clock; it keeps what
// it was shown.
class ScriptedWindow final : public Window {
public:
    explicit ScriptedWindow(Clock& clock) : clock_(clock) {}
    void add(const InputEvent& e, std::int64_t after_ms = 0) { events_.push_back({e, after_ms}); }
    bool poll_event(InputEvent& event) override { return wait_event(event, 0); }
    bool wait_event(InputEvent& event, int timeout_ms) override
    {
        if (events_.empty()) {
            clock_.sleep_until(clock_.now_ms() + timeout_ms);
            return false;
        }
        clock_.sleep_until(clock_.now_ms() + events_.front().second);
        event = events_.front().first;
        events_.pop_front();
        return true;
    }
    void present(const Canvas& frame) override
    {
        shown.resize(frame.width(), frame.height());
        shown.copy_rect(0, 0, frame, 0, 0, frame.width(), frame.height());
        ++presents;
        if (presents == 1) {
            first_shown.resize(frame.width(), frame.height());
            first_shown.copy_rect(0, 0, frame, 0, 0, frame.width(), frame.height());
        }
    }
    bool ask_yes_no(const std::string&, const std::string&, const std::string&) override { return false; }
    void show_warning(const std::string&) override {}
    void set_title(const std::string&) override {}

    Canvas shown;
    Canvas first_shown;
    int presents = 0;

private:
    Clock& clock_;
    std::deque<std::pair<InputEvent, std::int64_t>> events_;
};

class PauseAudio final : public Audio {
public:
    int load_effect(const std::string&) override { return -1; }
    void play_effect(int, double) override {}
    void play_music(const std::string&) override {}
    void stop_music() override {}
    void set_paused(bool paused) override { log += paused ? "hold " : "go "; }
    std::string log;
};

struct PausableGame : HomeGame {
    PausableGame()
    {
        auto w = std::make_unique<ScriptedWindow>(*platform.clock);
        window = w.get();
        platform.window = std::move(w);
        auto a = std::make_unique<PauseAudio>();
        audio = a.get();
        platform.audio = std::move(a);
        game->cg.fill(0x80C0FE);
        game->cg.fill_rect(0, 0, 10, 10, 0x000001);
    }
    // Runs the window source for one frame due `interval` from now; the events the game got, as
    // "type x y" or "key name".
    std::string frame(bool& running)
    {
        std::string got;
        WindowSource source;
        const std::int64_t due = platform.clock->now_ms() + game->timer_interval;
        running = source.before_frame(*game, 1, due, [&](const InputEvent& e) {
            got += e.type == InputEvent::Type::key ? "key " + e.key + "; "
                                                   : std::to_string(static_cast<int>(e.type)) + " " +
                                                         std::to_string(e.x) + " " + std::to_string(e.y) + "; ";
        });
        return got;
    }
    ScriptedWindow* window = nullptr;
    PauseAudio* audio = nullptr;
};

TEST(Pause, PHoldsTheGameUntilPressedAgainAndNoGameTimePasses)
{
    PausableGame g;
    ScriptedWindow& w = *g.window;
    w.add(mouse(InputEvent::Type::mouse_move, 1, 1));
    w.add(key("p"));
    // While paused the player clicks about and presses keys: none of it reaches the game.
    w.add(mouse(InputEvent::Type::mouse_down, 5, 5), 2000);
    w.add(mouse(InputEvent::Type::mouse_up, 5, 5));
    w.add(key("escape"));
    w.add(of_type(InputEvent::Type::focus_lost));
    const std::int64_t resumed_at = g.platform.clock->now_ms() + 2000 + 60000;
    w.add(key("p"), 60000);
    w.add(mouse(InputEvent::Type::mouse_move, 2, 2));
    bool running = false;
    EXPECT_EQ(g.frame(running), "0 1 1; 0 2 2; ");
    EXPECT_TRUE(running);
    EXPECT_EQ(g.audio->log, "hold go ");
    // The next frame comes a whole frame after the game played on, not at once.
    EXPECT_GE(g.platform.clock->now_ms(), resumed_at + g->timer_interval);

    // Shown while paused: the frame at half brightness, the word for pause in the middle.
    const Canvas& paused = w.first_shown;
    EXPECT_EQ(paused.pixel(700, 550), 0x40607Fu);
    EXPECT_EQ(paused.pixel(5, 300), 0x20303Fu);
    EXPECT_EQ(paused.pixel(5, 5), 0x000000u);
    EXPECT_TRUE(test::has_colour(paused, 200, 230, 600, 340, 0xFFFFFF));
    // And the frame itself again once the game plays on.
    EXPECT_EQ(w.shown.pixel(700, 550), 0x80C0FEu);
    EXPECT_FALSE(test::has_colour(w.shown, 0, 0, 799, 599, 0xFFFFFF));

    // English has its own word, drawn as wide as it is.
    Canvas ja_screen;
    Canvas en_screen;
    draw_pause_screen(*g, g->cg, ja_screen);
    g->lang = Lang::en;
    draw_pause_screen(*g, g->cg, en_screen);
    int differ = 0;
    for (int y = 230; y < 340; ++y)
        for (int x = 0; x < 800; ++x) differ += ja_screen.pixel(x, y) != en_screen.pixel(x, y);
    EXPECT_GT(differ, 100);
}

TEST(Pause, TheWindowGoingToTheBackgroundPausesUnlessTurnedOff)
{
    for (const bool on : {true, false}) {
        PausableGame g;
        g->pause_on_focus_loss = on;
        g.window->add(of_type(InputEvent::Type::focus_lost));
        g.window->add(mouse(InputEvent::Type::mouse_move, 3, 4));
        g.window->add(key("p"));
        g.window->add(mouse(InputEvent::Type::mouse_move, 5, 6));
        if (!on) g.window->add(of_type(InputEvent::Type::quit));
        bool running = false;
        // Off, the focus loss is dropped and P pauses instead, the move before it reaching the game;
        // the window is then closed while paused.
        EXPECT_EQ(g.frame(running), on ? "0 5 6; " : "0 3 4; ") << on;
        EXPECT_EQ(running, on) << on;
        EXPECT_EQ(g.audio->log, "hold go ") << on;
    }
    // Closing the window while paused ends the session; the sound is let go first.
    PausableGame g;
    g.window->add(key("p"));
    g.window->add(of_type(InputEvent::Type::quit), 500);
    bool running = true;
    EXPECT_EQ(g.frame(running), "");
    EXPECT_FALSE(running);
    EXPECT_EQ(g.audio->log, "hold go ");
}

TEST(Pause, TheSettingIsYesOrNo)
{
    test::TempDir dir;
    std::vector<std::string> problems;
    for (const auto& [text, fallback, expected, complaints] :
         std::vector<std::tuple<std::string, bool, bool, std::size_t>>{
             {"", true, true, 0},
             {"pause_on_focus_loss = no\n", true, false, 0},
             {"pause_on_focus_loss = yes\n", false, true, 0},
             {"pause_on_focus_loss = sometimes\n", true, true, 1},
             {"pause_on_focus_loss = 0\n", false, false, 1},
         }) {
        test::write_file(dir.path() / "zentrifa.ini", text);
        SettingsFile file;
        problems.clear();
        file.load(dir.path() / "zentrifa.ini", problems);
        EXPECT_EQ(yes_no_setting(file, kPauseOnFocusLossSetting, fallback, problems), expected) << text;
        EXPECT_EQ(problems.size(), complaints) << text;
    }
}

} // namespace
} // namespace zen
