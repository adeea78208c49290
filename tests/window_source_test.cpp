// Playing in a window, as the window's input source meets it: the pause and the questions asked in
// the window; what reaches the game, what the window shows, what the sound does, when frames run,
// and what a recording keeps.
#include "app/input_sources.h"
#include "app/pause.h"
#include "app/question.h"
#include "app/recording.h"
#include "app/run_loop.h"
#include "core/game_state.h"
#include "core/settings.h"
#include "core/texts.h"
#include "platform/audio.h"
#include "render/message_log.h"
#include "test_support.h"
#include "ui/menu_buttons.h"

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

InputEvent pad(InputEvent::Type type, const std::string& name, int value = 0)
{
    InputEvent e;
    e.type = type;
    e.key = name;
    e.x = value;
    return e;
}

InputEvent of_type(InputEvent::Type type)
{
    InputEvent e;
    e.type = type;
    return e;
}

// A window that hands out the events it was given, each the given time after the one before (the
// player taking their time), on the game's virtual clock, and waits out every timeout on it; it
// keeps what it was shown.
class ScriptedWindow final : public test::FakeWindow {
public:
    explicit ScriptedWindow(Clock& clock) : clock_(clock), last_at_(clock.now_ms()) {}
    void add(const InputEvent& e, std::int64_t after_ms = 0)
    {
        last_at_ += after_ms;
        events_.push_back({e, last_at_});
    }
    bool wait_event(InputEvent& event, int timeout_ms) override
    {
        const std::int64_t until = clock_.now_ms() + timeout_ms;
        if (events_.empty() || events_.front().second > until) {
            clock_.sleep_until(until);
            return false;
        }
        clock_.sleep_until(events_.front().second);
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
    void show_pointer(int x, int y, bool visible) override
    {
        if (visible && (x != pointer_x || y != pointer_y)) pointer_moves.push_back(clock_.now_ms());
        pointer_x = x;
        pointer_y = y;
        pointer_visible = visible;
    }

    int pointer_x = -1;
    int pointer_y = -1;
    bool pointer_visible = false;
    std::vector<std::int64_t> pointer_moves; // when the pointer was shown at a new place
    Canvas shown;
    Canvas first_shown;
    int presents = 0;

private:
    Clock& clock_;
    std::int64_t last_at_;
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
            if (e.type == InputEvent::Type::mouse_move) deliver_event(*game, e); // where the pointer is
            got += e.type == InputEvent::Type::key ? "key " + e.key + "; "
                                                   : std::to_string(static_cast<int>(e.type)) + " " +
                                                         std::to_string(e.x) + " " + std::to_string(e.y) + "; ";
        });
        return got;
    }
    // Runs the window source for one frame, every event going into the game as in play; the
    // source lives on from frame to frame, as in the run loop.
    bool play_frame()
    {
        const std::int64_t due = platform.clock->now_ms() + game->timer_interval;
        return source.before_frame(*game, 1, due, [&](const InputEvent& e) { deliver_event(*game, e); });
    }
    WindowSource source;
    ScriptedWindow* window = nullptr;
    PauseAudio* audio = nullptr;
};

TEST(Pause, PHoldsTheGameUntilPressedAgainAndNoGameTimePasses)
{
    PausableGame g;
    ScriptedWindow& w = *g.window;
    w.add(mouse(InputEvent::Type::mouse_move, 1, 1));
    w.add(key("p"));
    // While paused the player presses keys and lets go of a button pressed before the pause: none
    // of it reaches the game, nor plays on.
    w.add(mouse(InputEvent::Type::mouse_up, 5, 5), 2000);
    w.add(key("escape"));
    w.add(of_type(InputEvent::Type::focus_lost));
    const std::int64_t resumed_at = g.platform.clock->now_ms() + 2000 + 60000;
    w.add(key("p"), 60000);
    w.add(mouse(InputEvent::Type::mouse_move, 2, 2));
    // A click plays on as P does, and the click is the pause's: the game sees neither half.
    w.add(key("p"));
    w.add(mouse(InputEvent::Type::mouse_down, 7, 7), 3000);
    w.add(mouse(InputEvent::Type::mouse_up, 7, 7));
    w.add(mouse(InputEvent::Type::mouse_move, 3, 3));
    w.add(of_type(InputEvent::Type::quit), 1000); // after the frame: still waiting
    bool running = false;
    EXPECT_EQ(g.frame(running), "0 1 1; 0 2 2; 0 3 3; ");
    EXPECT_TRUE(running);
    EXPECT_EQ(g.audio->log, "hold go hold go ");
    // The next frame comes a whole frame after the game played on, not at once.
    EXPECT_GE(g.platform.clock->now_ms(), resumed_at + 3000 + g->timer_interval);

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

TEST(WindowSource, TheWheelOverTheLogScrollsItsHistoryAndNothingElse)
{
    PausableGame g;
    for (int i = 0; i < 30; ++i) post_silver(*g, "row " + std::to_string(i));
    InputEvent wheel = of_type(InputEvent::Type::wheel);
    wheel.y = 3;
    g.window->add(mouse(InputEvent::Type::mouse_move, 300, 100)); // over the street: no scrolling
    g.window->add(wheel);
    g.window->add(mouse(InputEvent::Type::mouse_move, 100, 560)); // over the log
    g.window->add(wheel);
    g.window->add(wheel);
    wheel.y = -1;
    g.window->add(wheel);
    bool running = false;
    EXPECT_EQ(g.frame(running), "0 300 100; 0 100 560; ");
    EXPECT_EQ(g->log_history.scroll, 5);
}

TEST(Settings, TheWindowsSizeAndFullscreenAreReadAndRemembered)
{
    test::TempDir dir;
    const auto size_of = [&](const std::string& text, std::size_t complaints) {
        test::write_file(dir.path() / "zentrifa.ini", text);
        SettingsFile file;
        std::vector<std::string> problems;
        file.load(dir.path() / "zentrifa.ini", problems);
        const WindowSize s = window_size_setting(file, problems);
        EXPECT_EQ(problems.size(), complaints) << text;
        return std::to_string(s.width) + "x" + std::to_string(s.height);
    };
    EXPECT_EQ(size_of("", 0), "800x600");
    EXPECT_EQ(size_of("window_size = 1000x500\n", 0), "1000x500");
    EXPECT_EQ(size_of("window_size = 1000x\n", 1), "800x600");
    EXPECT_EQ(size_of("window_size = 100x100\n", 1), "800x600");
    EXPECT_EQ(size_of("window_size = 99999999999x500\n", 1), "800x600");
    EXPECT_EQ(size_of("window_size = 1000x500px\n", 1), "800x600");

    // What the player left the window as goes into the file, and only what changed.
    HomeGame g;
    const std::filesystem::path ini = g.save_dir.path() / "zentrifa.ini";
    remember_window(*g);
    EXPECT_FALSE(std::filesystem::exists(ini)) << "nothing changed: nothing written";
    g->platform.window->set_size({1000, 500});
    remember_window(*g);
    EXPECT_NE(test::read_file(ini).find("window_size = 1000x500\n"), std::string::npos);
    EXPECT_EQ(test::read_file(ini).find("fullscreen"), std::string::npos);
    g->platform.window->set_fullscreen(true);
    g->platform.window->set_size({1920, 1080}); // the desktop's, while fullscreen
    remember_window(*g);
    EXPECT_NE(test::read_file(ini).find("fullscreen = yes\n"), std::string::npos);
    EXPECT_NE(test::read_file(ini).find("window_size = 1000x500\n"), std::string::npos);
}

TEST(Settings, NumbersAreReadTheCWayWholeAndInRange)
{
    test::TempDir dir;
    const auto speed_of = [&](const std::string& value, std::size_t complaints) {
        test::write_file(dir.path() / "zentrifa.ini", "pointer_speed = " + value + "\n");
        SettingsFile file;
        std::vector<std::string> problems;
        file.load(dir.path() / "zentrifa.ini", problems);
        const double v = number_setting(file, kPointerSpeedSetting, 1.0, 0.25, 4.0, problems);
        EXPECT_EQ(problems.size(), complaints) << value;
        return v;
    };
    EXPECT_EQ(speed_of("1.5", 0), 1.5);
    EXPECT_EQ(speed_of("0.25", 0), 0.25);
    EXPECT_EQ(speed_of("4", 0), 4.0);
    EXPECT_EQ(speed_of(".5", 0), 0.5);
    EXPECT_EQ(speed_of("2.5e-1", 0), 0.25);
    // A decimal comma, a sign or a unit, a number out of range or none: the fallback, and a word.
    for (const char* bad : {"1,5", "+2", "2x", "2 x", "4.01", "0.2", "-1", "nan", "inf", "0x2", "", "."})
        EXPECT_EQ(speed_of(bad, 1), 1.0) << bad;
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

InputEvent button(InputEvent::Type type, int x, int y)
{
    InputEvent e = mouse(type, x, y);
    e.button = MouseButton::left;
    return e;
}

TEST(Question, AskedInTheWindowWhileTheGameRunsBehindIt)
{
    PausableGame g;
    const std::string question = test::ja(Text::reset_ask_1);
    const QuestionLayout l = question_layout(*g, question);
    ASSERT_LT(l.left, l.yes_x);
    ASSERT_GT(l.right, l.no_x + QuestionLayout::kButtonWidth);
    const int yes_x = l.yes_x + 10;
    const int no_x = l.no_x + 10;
    const int y = l.buttons_y + 10;
    ASSERT_EQ(question_button_at(l, yes_x, y), 1);
    ASSERT_EQ(question_button_at(l, no_x, y), 2);
    ASSERT_EQ(question_button_at(l, 400, y), 0); // between the two

    struct Case {
        const char* how;
        std::vector<std::pair<InputEvent, std::int64_t>> events;
        bool yes;
    };
    const std::vector<Case> cases{
        {"Enter", {{key("return"), 1000}}, true},
        {"Escape", {{key("escape"), 1000}}, false},
        {"a controller's A", {{pad(InputEvent::Type::pad_down, "a"), 1000}}, true},
        {"a controller's B", {{pad(InputEvent::Type::pad_down, "b"), 1000}}, false},
        {"a click on Yes",
         {{button(InputEvent::Type::mouse_down, yes_x, y), 1000}, {button(InputEvent::Type::mouse_up, yes_x, y), 50}},
         true},
        // A press that leaves the button it began on answers nothing; the next click does.
        {"a click on No after a slip",
         {{button(InputEvent::Type::mouse_down, yes_x, y), 1000},
          {button(InputEvent::Type::mouse_up, no_x, y), 50},
          {key("p"), 50},
          {button(InputEvent::Type::mouse_down, no_x, y), 50},
          {button(InputEvent::Type::mouse_up, no_x, y), 50}},
         false},
    };
    for (const Case& c : cases) {
        PausableGame h;
        for (const auto& [e, after] : c.events) h.window->add(e, after);
        const std::int32_t frame_no = h->frame_no;
        std::int64_t frames = 0;
        EXPECT_EQ(ask_in_window(*h, question, frames), c.yes) << c.how;
        // About a second of frames ran behind the question, each shown with the question over it.
        EXPECT_GE(frames, 1000 / h->timer_interval) << c.how;
        EXPECT_LE(frames, 1300 / h->timer_interval + 1) << c.how;
        EXPECT_EQ(h->frame_no - frame_no, frames) << c.how;
        EXPECT_GE(h.window->presents, frames) << c.how;
        EXPECT_FALSE(h->close_requested) << c.how;
    }

    // Drawn over the frame: the box in the middle, the game's picture around it.
    std::int64_t frames = 0;
    g.window->add(mouse(InputEvent::Type::mouse_move, yes_x, y), 10);
    g.window->add(key("escape"), 10);
    EXPECT_FALSE(ask_in_window(*g, question, frames));
    const Canvas& asked = g.window->first_shown;
    EXPECT_EQ(asked.pixel(5, 5), 0x000001u);
    EXPECT_EQ(asked.pixel(l.left + 5, l.bottom - 5), 0x101018u);
    EXPECT_TRUE(test::has_colour(asked, l.left, l.top + 30, l.right, l.buttons_y, 0xFFFFFF));
    // And the game's own frame once answered.
    EXPECT_EQ(g.window->shown.pixel(400, 300), 0x80C0FEu);

    // Closing the window answers no and closes the game.
    PausableGame h;
    h.window->add(of_type(InputEvent::Type::quit), 200);
    EXPECT_FALSE(ask_in_window(*h, question, frames));
    EXPECT_TRUE(h->close_requested);
}

// The Escape reset asked in the window, with the game's frames running behind its questions, and
// a controller's clicks; the session's recording played again headless: the same save, and the
// same last frame number.
TEST(Question, ASessionWithQuestionsReplaysToTheSameSave)
{
    for (const bool reset : {false, true}) {
        test::TempDir dir;
        std::string save_before;
        std::string save_after;
        {
            PausableGame g;
            g.platform.headless = false;
            ScriptedWindow& w = *g.window;
            w.add(mouse(InputEvent::Type::mouse_move, 300, 300), 500);
            w.add(key("escape"), 500);
            w.add(key("return"), 700);
            w.add(key(reset ? "return" : "escape"), 700);
            if (reset) w.add(pad(InputEvent::Type::pad_down, "a"), 700); // the last yes by a controller
            // A controller moves the pointer and clicks the title on: recorded as the mouse.
            w.add(pad(InputEvent::Type::pad_axis, "leftx", 32767), 400);
            w.add(pad(InputEvent::Type::pad_axis, "leftx", 0), 300);
            w.add(pad(InputEvent::Type::pad_down, "a"), 100);
            w.add(pad(InputEvent::Type::pad_up, "a"), 100);
            w.add(mouse(InputEvent::Type::mouse_move, 310, 300), 400);
            w.add(of_type(InputEvent::Type::quit), 400);
            Recording recording;
            std::string error;
            ASSERT_TRUE(recording.open(dir.path() / "session.rec", 5, Lang::ja, error)) << error;
            Options options;
            EXPECT_EQ(run_game(*g, options, {}, &recording), 0);
            save_before = test::read_file(g.save_dir.path() / "my.dat");
        }
        const std::string rec = test::read_file(dir.path() / "session.rec");
        EXPECT_NE(rec.find("answer yes\n"), std::string::npos) << rec;
        // The frames that ran behind the questions count: the move after them is recorded at the
        // frame it came before, about one frame per 90 ms of the session.
        const std::size_t at = rec.find(" move 310 300");
        ASSERT_NE(at, std::string::npos) << rec;
        const int move_frame = std::stoi(rec.substr(rec.rfind('\n', at) + 1));
        EXPECT_NE(rec.find(" down left "), std::string::npos) << rec;
        const int session_ms = reset ? 4400 : 3700;
        EXPECT_GE(move_frame, session_ms / 90 - 2) << rec;
        EXPECT_LE(move_frame, session_ms / 90 + 6) << rec;
        std::filesystem::create_directories(dir.path() / "replay");
        const test::RunResult r = test::run_program("--headless --input " + (dir.path() / "session.rec").string() +
                                                    " --save-dir " + (dir.path() / "replay").string());
        EXPECT_EQ(r.exit_code, 0) << r.err;
        save_after = test::read_file(dir.path() / "replay" / "my.dat");
        EXPECT_FALSE(save_before.empty());
        EXPECT_EQ(save_before, save_after) << rec;
    }
}

// A game controller plays as the mouse: the stick moves the game's pointer between the game's
// frames, the d-pad walks the menu column, A clicks, B goes back, Start pauses.
TEST(Pad, TheStickMovesThePointerSmoothlyAndTheButtonsClick)
{
    PausableGame g;
    g->title_step = kTitleDone;
    show_menu(*g, kMenuHome);
    for (int i = 0; i < 12; ++i) button_pass(*g);
    ScriptedWindow& w = *g.window;
    // Full tilt to the right for half a second, then let go: 900 pixels a second, shown anew at
    // least 60 times a second (not at the game's 11).
    const std::int64_t start = g.platform.clock->now_ms();
    w.add(pad(InputEvent::Type::pad_axis, "leftx", 32767), 10);
    w.add(pad(InputEvent::Type::pad_axis, "leftx", 0), 500);
    while (g.platform.clock->now_ms() < start + 600) ASSERT_TRUE(g.play_frame());
    EXPECT_NEAR(g->mouse_x, 450, 20);
    EXPECT_EQ(g->mouse_y, 0);
    EXPECT_TRUE(w.pointer_visible);
    EXPECT_GE(w.pointer_moves.size(), 30u);
    for (std::size_t i = 1; i < w.pointer_moves.size(); ++i)
        EXPECT_LE(w.pointer_moves[i] - w.pointer_moves[i - 1], 1000 / 60) << i;

    // A slight lean inside the dead zone moves nothing; a shoulder button held makes it slow.
    w.add(pad(InputEvent::Type::pad_axis, "lefty", 6000));
    w.add(pad(InputEvent::Type::pad_axis, "lefty", 0), 300);
    w.add(pad(InputEvent::Type::pad_down, "rightshoulder"));
    w.add(pad(InputEvent::Type::pad_axis, "lefty", 32767));
    w.add(pad(InputEvent::Type::pad_axis, "lefty", 0), 400);
    w.add(pad(InputEvent::Type::pad_up, "rightshoulder"));
    const std::int64_t lean = g.platform.clock->now_ms();
    while (g.platform.clock->now_ms() < lean + 800) ASSERT_TRUE(g.play_frame());
    EXPECT_NEAR(g->mouse_y, 90, 10);

    // Down from the pointer, the d-pad goes to the nearest button below it, then the next.
    const tmenu& third = g->menu_buttons[3];
    ASSERT_GT(third.target_y + third.height / 2, g->mouse_y);
    w.add(pad(InputEvent::Type::pad_down, "dpdown"));
    w.add(pad(InputEvent::Type::pad_down, "dpdown"));
    w.add(pad(InputEvent::Type::pad_down, "dpup"));
    ASSERT_TRUE(g.play_frame());
    EXPECT_EQ(g->mouse_x, third.target_x + third.width / 2);
    EXPECT_EQ(g->mouse_y, third.target_y + third.height / 2);
    // Left, out into the play area; right, back to the column's first button; A runs it; B goes back.
    const tmenu& first = g->menu_buttons[1];
    w.add(pad(InputEvent::Type::pad_down, "dpleft"));
    ASSERT_TRUE(g.play_frame());
    EXPECT_LT(g->mouse_x, first.target_x);
    w.add(pad(InputEvent::Type::pad_down, "dpright"));
    ASSERT_TRUE(g.play_frame());
    EXPECT_EQ(g->mouse_x, first.target_x + first.width / 2);
    EXPECT_EQ(g->mouse_y, first.target_y + first.height / 2);
    w.add(pad(InputEvent::Type::pad_down, "a"));
    w.add(pad(InputEvent::Type::pad_up, "a"), 50);
    ASSERT_TRUE(g.play_frame());
    EXPECT_EQ(g->open_menu, kMenuMakeGame);
    w.add(pad(InputEvent::Type::pad_down, "b"));
    ASSERT_TRUE(g.play_frame());
    EXPECT_EQ(g->open_menu, kMenuHome);

    // The mouse hides the pointer again; Start pauses and resumes.
    w.add(mouse(InputEvent::Type::mouse_move, 5, 5));
    w.add(pad(InputEvent::Type::pad_down, "start"));
    w.add(pad(InputEvent::Type::pad_down, "start"), 1000);
    ASSERT_TRUE(g.play_frame());
    EXPECT_FALSE(w.pointer_visible);
    EXPECT_EQ(g.audio->log, "hold go ");
}

TEST(Pad, HoldingAOrTheTriggerHoldsTheButton)
{
    PausableGame g;
    g->on_street = 1;
    g.window->add(pad(InputEvent::Type::pad_down, "a"), 10);
    ASSERT_TRUE(g.play_frame());
    EXPECT_EQ(g->fire_held, 1);
    g.window->add(pad(InputEvent::Type::pad_axis, "righttrigger", 30000));
    g.window->add(pad(InputEvent::Type::pad_up, "a"));
    ASSERT_TRUE(g.play_frame());
    EXPECT_EQ(g->fire_held, 1) << "the trigger still holds it";
    g.window->add(pad(InputEvent::Type::pad_axis, "righttrigger", 12000)); // between: still held
    ASSERT_TRUE(g.play_frame());
    EXPECT_EQ(g->fire_held, 1);
    g.window->add(pad(InputEvent::Type::pad_axis, "righttrigger", 0));
    ASSERT_TRUE(g.play_frame());
    EXPECT_EQ(g->fire_held, 0);
    // Unplugged while A is held: the button is let go.
    g.window->add(pad(InputEvent::Type::pad_down, "a"));
    g.window->add(pad(InputEvent::Type::pad_gone, ""));
    ASSERT_TRUE(g.play_frame());
    EXPECT_EQ(g->fire_held, 0);
}

} // namespace
} // namespace zen
