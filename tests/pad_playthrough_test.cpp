// The game played with a game controller alone. The first stage from the title to its clear, in a
// window, by the run loop: the bot decides from the game what its hand would do, and a player at
// the pad carries it out with the stick and the buttons; the game gets nothing but what the
// controller's pointer makes of the pad's events, and the frames run on while the pointer travels.
// And one click of the start menu with SDL's virtual controller on the real window.
#include "app/input.h"
#include "app/input_sources.h"
#include "app/recording.h"
#include "app/run_loop.h"
#include "bot/autoplay.h"
#include "core/game_state.h"
#include "core/menu_keys.h"
#include "rules/catalog_rules.h"
#include "scenario_support.h"
#include "test_support.h"
#include "ui/menu_buttons.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <sstream>

namespace zen {
namespace {

namespace fs = std::filesystem;

constexpr int kAxisFull = 32767;

// A player holding a game controller in front of the window. Each frame it is told what the bot's
// hand would do (moves, presses and releases of the mouse); it carries that out with the pad only:
// the left stick toward the place, easing off as the pointer it sees on the screen comes near, A
// for the left button (held while the bot holds it: the gun), B for the right. Everything happens
// on the game's virtual clock while the window waits for events, as a real window's would.
class PadPlayerWindow final : public test::FakeWindow {
public:
    PadPlayerWindow(Clock& clock, double pointer_speed, double dead_zone)
        : clock_(clock), top_speed_(900.0 * pointer_speed), dead_zone_(dead_zone)
    {}

    // The bot's events for the next frame; a move replaces a move still under way.
    void want(const std::vector<InputEvent>& events)
    {
        for (const InputEvent& e : events) {
            if (e.type == InputEvent::Type::mouse_move && !wanted_.empty() &&
                wanted_.back().type == InputEvent::Type::mouse_move)
                wanted_.back() = e;
            else
                wanted_.push_back(e);
        }
    }
    // True while a press or a release is still to be made: the bot waits for its hand.
    bool busy() const
    {
        return std::any_of(wanted_.begin(), wanted_.end(),
                           [](const InputEvent& e) { return e.type != InputEvent::Type::mouse_move; });
    }

    bool wait_event(InputEvent& event, int timeout_ms) override
    {
        if (out_.empty()) play();
        if (!out_.empty()) {
            event = out_.front();
            out_.pop_front();
            ++handed_out;
            if (event.type != InputEvent::Type::pad_down && event.type != InputEvent::Type::pad_up &&
                event.type != InputEvent::Type::pad_axis)
                ++not_pad;
            return true;
        }
        // Nothing to do until the pointer has moved on, the button has been held long enough, or
        // the frame is due.
        std::int64_t until = clock_.now_ms() + timeout_ms;
        if (held_until_ > clock_.now_ms()) until = std::min(until, held_until_);
        clock_.sleep_until(until);
        return false;
    }
    void show_pointer(int x, int y, bool visible) override
    {
        pointer_x_ = x;
        pointer_y_ = y;
        pointer_visible_ = visible;
    }

    int handed_out = 0; // pad events the window gave the game's window source
    int not_pad = 0;    // of them, anything but a controller's
    int a_presses = 0;
    int b_presses = 0;
    int travels = 0; // times the stick was pushed toward a new place

private:
    // Decides the next pad events for what the bot wants, from the pointer where it is shown.
    void play()
    {
        while (!wanted_.empty() && out_.empty()) {
            const InputEvent& e = wanted_.front();
            const bool release = e.type == InputEvent::Type::mouse_up;
            if (release) {
                // A button is let go where the pointer is, once it has been held a moment.
                if (clock_.now_ms() < held_until_) return;
                out_.push_back(pad(InputEvent::Type::pad_up, e.button == MouseButton::right ? "b" : "a"));
                wanted_.pop_front();
                return;
            }
            if (!pointer_visible_ || pointer_x_ != e.x || pointer_y_ != e.y) {
                steer(e.x, e.y); // or, leaning the right way already, let the pointer travel
                return;
            }
            steer(pointer_x_, pointer_y_); // there: the stick back to the middle
            if (e.type == InputEvent::Type::mouse_down) {
                const bool right = e.button == MouseButton::right;
                out_.push_back(pad(InputEvent::Type::pad_down, right ? "b" : "a"));
                ++(right ? b_presses : a_presses);
                held_until_ = clock_.now_ms() + kHoldMs;
            }
            wanted_.pop_front();
        }
        if (wanted_.empty()) steer(pointer_x_, pointer_y_);
    }

    // Leans the stick toward (x, y): at full tilt while far, less as the pointer comes near, so
    // that one of the pointer's steps covers a part of what is left and never overshoots.
    void steer(int x, int y)
    {
        const double dx = x - pointer_x_;
        const double dy = y - pointer_y_;
        const double distance = std::hypot(dx, dy);
        int lean_x = 0;
        int lean_y = 0;
        if (distance > 0 && pointer_visible_) {
            const double speed = std::min(top_speed_, distance * kShareOfRestPerStep / kStepSeconds);
            // The pointer's speed grows with the square of the lean past the dead zone.
            const double past = std::sqrt(speed / top_speed_);
            const double tilt = std::min(1.0, dead_zone_ + past * (1.0 - dead_zone_) + 1e-6);
            lean_x = static_cast<int>(std::lround(dx / distance * tilt * kAxisFull));
            lean_y = static_cast<int>(std::lround(dy / distance * tilt * kAxisFull));
        } else if (distance > 0) {
            lean_x = 1; // any touch of the stick wakes the pointer where the mouse was
        }
        if (lean_x != stick_x_ || lean_y != stick_y_) {
            if (stick_x_ == 0 && stick_y_ == 0) ++travels;
            out_.push_back(pad(InputEvent::Type::pad_axis, "leftx", lean_x));
            out_.push_back(pad(InputEvent::Type::pad_axis, "lefty", lean_y));
            stick_x_ = lean_x;
            stick_y_ = lean_y;
        }
    }

    static InputEvent pad(InputEvent::Type type, const std::string& name, int value = 0)
    {
        InputEvent e;
        e.type = type;
        e.key = name;
        e.x = value;
        return e;
    }

    static constexpr double kStepSeconds = 0.010;      // the pointer steps at least this often
    static constexpr double kShareOfRestPerStep = 0.6; // of the way left, at most, in one step
    static constexpr std::int64_t kHoldMs = 40;        // a press lasts at least this long

    Clock& clock_;
    double top_speed_;
    double dead_zone_;
    std::deque<InputEvent> wanted_;
    std::deque<InputEvent> out_;
    int pointer_x_ = 0;
    int pointer_y_ = 0;
    bool pointer_visible_ = false;
    int stick_x_ = 0;
    int stick_y_ = 0;
    std::int64_t held_until_ = 0;
};

// The stage under way, as a failure message shows it.
std::string stage_state(const Game& game)
{
    const tmy& my = game.my;
    std::ostringstream out;
    out << "stage " << game.stage << ", day " << my.day << " hour " << my.hour << ", sales " << my.sales << " of "
        << (game.stage >= 1 ? game.map_table.at(game.stage).quota : 0) << ", money " << my.money << ", level "
        << my.level << ", energy " << my.energy << "/" << my.energy_max << ", hunger " << my.hunger << ", fatigue "
        << my.fatigue << ", quota_done " << my.quota_done << ", game_over " << my.game_over << ", cleared "
        << stage_value(my.stage_clears, 1) << " times, menu " << game.open_menu << ", on_street " << game.on_street;
    return out.str();
}

// Asks the bot, before each frame, what its hand would do, and hands that to the player at the pad
// (not to the game). The first stage played to its end, the session goes on into the second, where
// the gun is held on the hazards with A while the stick follows them, until the gun has brought a
// few of them down (or that stage ends too).
class PadPlayer final : public InputSource {
public:
    explicit PadPlayer(PadPlayerWindow& window) : window_(window) {}
    bool before_frame(Game& game, std::int64_t frame, std::int64_t, const Deliver&) override
    {
        frames = frame;
        const tmy& my = game.my;
        const bool over = my.quota_done >= 1 || my.game_over >= 1;
        if (game.stage == 1 && over && first_end_frame < 0) {
            first_end_frame = frame;
            first_stage = stage_state(game) + ", after " + std::to_string(window_.handed_out) + " pad events";
            first_cleared = my.quota_done >= 1 && my.game_over == 0 && stage_value(my.stage_clears, 1) >= 1;
            if (!first_cleared) return false;
        }
        if (game.stage == 2) {
            watch_the_gun(game);
            if (over || hazards_downed >= kHazardsToDown) return false;
        }
        if (!window_.busy()) window_.want(bot_.next_events(game));
        return true;
    }
    bool spent(std::int64_t) const override { return false; }

    std::int64_t frames = 0;
    std::int64_t first_end_frame = -1; // the frame the first stage ended before
    std::string first_stage;           // as it ended
    bool first_cleared = false;
    int gun_hits = 0;       // frames a hazard lost hit points while A held the gun
    int aimed_moving = 0;   // of them, frames the stick moved the pointer on before, A held all along
    int hazards_downed = 0; // hazards the gun brought down

private:
    static constexpr int kHazardsToDown = 3;

    // What the last frame's gun did to the hazards: it fires while A holds it, where the pointer
    // was when the frame ran (the pointer is where the pad left it before this frame).
    void watch_the_gun(const Game& game)
    {
        const bool firing = game.on_street >= 1 && game.fire_held >= 1;
        const bool moved = game.mouse_x != last_mouse_x_ || game.mouse_y != last_mouse_y_;
        bool hit = false;
        for (std::size_t s = 0; s < game.street_figures.size(); ++s) {
            const tman& f = game.street_figures[s];
            const bool live = f.age >= 1 && f.role == kRoleHazard && f.hit_points >= 1;
            const int was = hit_points_[s];
            if (firing && was > 0 && live && f.hit_points < was) hit = true;
            // Gone with no more hit points than one shot takes: the gun brought it down.
            if (firing && was > 0 && !live && was <= gun_damage(game)) {
                hit = true;
                ++hazards_downed;
            }
            hit_points_[s] = live ? f.hit_points : 0;
        }
        if (hit) {
            ++gun_hits;
            aimed_moving += was_firing_ && moved ? 1 : 0;
        }
        was_firing_ = firing;
        last_mouse_x_ = game.mouse_x;
        last_mouse_y_ = game.mouse_y;
    }

    PadPlayerWindow& window_;
    Autoplay bot_{nullptr};
    std::array<int, kStreetSlots> hit_points_{}; // of the live hazards, as the frame before left them
    bool was_firing_ = false;
    int last_mouse_x_ = -1;
    int last_mouse_y_ = -1;
};

int count_of(const std::string& text, const std::string& word)
{
    int n = 0;
    for (std::size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++n;
    return n;
}

TEST(PadPlaythrough, FromTheTitleThroughAClearedFirstStageWithTheControllerAlone)
{
    constexpr std::uint64_t kSeed = 11;
    test::TempDir dir;
    test::TestGame g(kSeed);
    Game& game = *g;
    // A fresh game in a window, the pointer at its usual speed and dead zone.
    auto owned = std::make_unique<PadPlayerWindow>(*g.platform.clock, game.pointer_speed, game.dead_zone);
    PadPlayerWindow& window = *owned;
    g.platform.window = std::move(owned);
    g.platform.headless = false;
    Recording recording;
    std::string error;
    ASSERT_TRUE(recording.open(dir.path() / "pad.rec", kSeed, Lang::ja, error)) << error;
    PadPlayer player(window);
    Options options;
    options.frames = 6000; // the whole session takes about 1800
    const int code = run_game(game, options, {}, &recording, &player);

    std::ostringstream told;
    told << "exit " << code << "; the first stage ended before frame " << player.first_end_frame << " ("
         << (player.first_stage.empty() ? "never" : player.first_stage) << "); the session ended before frame "
         << player.frames << " (" << stage_state(game) << "); " << window.handed_out << " pad events, A pressed "
         << window.a_presses << " times, B " << window.b_presses << " times, the stick pushed " << window.travels
         << " times; the gun hit in " << player.gun_hits << " frames (" << player.aimed_moving
         << " of them after the stick moved it on), " << player.hazards_downed << " hazards down";
    const std::string state = told.str();
    ASSERT_TRUE(code == 0 && player.first_cleared) << "the first stage was not cleared with the pad: " << state;
    std::printf("played with the pad: %s\n", state.c_str());
    EXPECT_EQ(window.not_pad, 0);
    // On the second stage the gun was held on the hazards with A, the stick keeping it on them.
    EXPECT_GE(player.hazards_downed, 3) << state;
    EXPECT_GT(player.aimed_moving, 0) << state;

    // The game got mouse events, made of the pad's by the controller's pointer: every move, press
    // and release. Nothing else reached it.
    const std::string recorded = test::read_file(dir.path() / "pad.rec");
    EXPECT_GT(count_of(recorded, " move "), window.travels) << state;
    EXPECT_EQ(count_of(recorded, " down left "), window.a_presses) << state;
    EXPECT_EQ(count_of(recorded, " down right "), window.b_presses) << state;
    EXPECT_EQ(count_of(recorded, " key "), 0);

    // What the game got is the whole session: played again headless, the same save.
    fs::create_directories(dir.path() / "replay");
    const test::RunResult r = test::run_program("--headless --input " + test::q(dir.path() / "pad.rec") +
                                                " --save-dir " + test::q(dir.path() / "replay"));
    EXPECT_EQ(r.exit_code, 0) << r.err;
    const std::string save = test::read_file(g.save_dir.path() / "my.dat");
    EXPECT_FALSE(save.empty());
    EXPECT_EQ(save, test::read_file(dir.path() / "replay" / "my.dat"));
}

// The whole chain on the real SDL window (the dummy video driver) and SDL's virtual controller:
// the d-pad takes the game's pointer to the start menu's first button and A clicks it, through
// the window source, as a mouse click there would.
TEST(PadPlaythrough, ARealControllerClicksTheStartMenuThroughTheRealWindow)
{
    const auto at_the_start_menu = [](test::HomeGame& g) {
        g->title_step = kTitleDone;
        show_menu(*g, kMenuStart);
        for (int i = 0; i < 40; ++i) button_pass(*g); // slid into place
    };
    test::HomeGame g;
    at_the_start_menu(g);
    ::setenv("SDL_VIDEODRIVER", "dummy", 1);
    // The dummy driver's window never has the focus, without which SDL holds back a controller.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    std::string error;
    g.platform.window = make_sdl_window("Zentrifa test", g.save_dir.path().string(), {}, {}, error);
    ASSERT_TRUE(g.platform.window) << error;
    g.platform.clock = make_system_clock(); // the real window waits in real time
    g.platform.headless = false;
    Window& window = *g.platform.window;
    InputEvent ev;
    while (window.poll_event(ev)) {
    }
    test::VirtualController pad;
    ASSERT_NE(pad.stick, nullptr) << SDL_GetError();
    SDL_Joystick* joystick = pad.stick;
    while (window.poll_event(ev)) { // the window opens the controller as it is announced
    }

    // What reaches the game, as "move x y", "down x y", "up x y".
    std::string got;
    WindowSource source;
    const auto press = [&](SDL_GameControllerButton button) {
        for (const Uint8 state : {1, 0}) {
            SDL_JoystickSetVirtualButton(joystick, button, state);
            SDL_JoystickUpdate();
            const std::int64_t due = g.platform.clock->now_ms() + 150;
            ASSERT_TRUE(source.before_frame(*g, 1, due, [&](const InputEvent& e) {
                const char* what = e.type == InputEvent::Type::mouse_move   ? "move"
                                   : e.type == InputEvent::Type::mouse_down ? "down"
                                   : e.type == InputEvent::Type::mouse_up   ? "up"
                                                                            : "other";
                got += std::string(what) + " " + std::to_string(e.x) + " " + std::to_string(e.y) + "; ";
                deliver_event(*g, e);
            }));
        }
    };
    press(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    const int x = g->mouse_x;
    const int y = g->mouse_y;
    const tmenu* first = nullptr;
    for (const tmenu& b : g->menu_buttons)
        if (b.visible == 1 && !b.caption.empty() && b.width > 0 && (!first || b.target_y < first->target_y)) first = &b;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(x, first->target_x + first->width / 2);
    EXPECT_EQ(y, first->target_y + first->height / 2);
    press(SDL_CONTROLLER_BUTTON_A);
    const std::string at = std::to_string(x) + " " + std::to_string(y);
    EXPECT_EQ(got, "move " + at + "; down " + at + "; up " + at + "; ");

    // The same as the mouse's click on that place.
    test::HomeGame m;
    at_the_start_menu(m);
    on_mouse_move(*m, x, y);
    on_mouse_down(*m, x, y, MouseButton::left);
    on_mouse_up(*m, MouseButton::left);
    EXPECT_NE(g->open_menu, kMenuStart);
    EXPECT_EQ(g->open_menu, m->open_menu);
    EXPECT_EQ(g->my.story_flag[0], m->my.story_flag[0]);
}

} // namespace
} // namespace zen
