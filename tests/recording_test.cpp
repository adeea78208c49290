// Recording a session and playing it again: the recorded file is an input script the strict parser
// reads, a replay gives the same save and the same trace byte for byte, a window session replays
// headless, and a recording cut short replays up to its last whole line.
#include "app/command_line.h"
#include "app/input_script.h"
#include "app/recording.h"
#include "app/run_loop.h"
#include "app/save_file.h"
#include "core/game_state.h"
#include "core/random.h"
#include "scenario_support.h"
#include "test_support.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace zen {
namespace {

namespace fs = std::filesystem;
using test::read_file;
using test::run_program;
using test::TempDir;
using test::write_file;

std::string q(const fs::path& p) { return "'" + p.string() + "'"; }

InputEvent mouse(InputEvent::Type type, MouseButton b, int x, int y)
{
    InputEvent e;
    e.type = type;
    e.button = b;
    e.x = x;
    e.y = y;
    return e;
}

TEST(Recording, WritesAnInputScriptTheStrictParserReads)
{
    TempDir dir;
    const fs::path file = dir.path() / "session.txt";
    {
        Recording r;
        std::string error;
        ASSERT_TRUE(r.open(file, 18446744073709551615ull, Lang::en, error)) << error;
        r.event(1, mouse(InputEvent::Type::mouse_move, MouseButton::left, 0, 599));
        r.event(1, mouse(InputEvent::Type::mouse_down, MouseButton::middle, 799, 0));
        r.event(7, mouse(InputEvent::Type::mouse_up, MouseButton::right, 12, 34));
        r.answer(9, true);
        r.answer(9, false);
        InputEvent key;
        key.type = InputEvent::Type::key;
        key.key = "escape";
        r.event(9, key);
        r.end(12);
    }
    const std::string text = read_file(file);
    EXPECT_EQ(text.substr(0, text.find('\n')), std::string("# zentrifa ") + ZENTRIFA_VERSION + " format 2" +
                                                   " seed 18446744073709551615 lang en (replay: zentrifa --headless "
                                                   "--seed 18446744073709551615 --input FILE)");

    std::vector<ScriptEvent> events;
    std::string error;
    RecordingNotes notes;
    ASSERT_TRUE(parse_input_script(file, events, error, &notes)) << error;
    EXPECT_EQ(notes.seed, 18446744073709551615ull);
    EXPECT_EQ(notes.lang, "en");
    EXPECT_TRUE(notes.cut.empty());
    EXPECT_TRUE(notes.other_format.empty()) << notes.other_format;
    ASSERT_EQ(events.size(), 7u);
    EXPECT_EQ(events[0].kind, ScriptEvent::Kind::move);
    EXPECT_EQ(events[0].y, 599);
    EXPECT_EQ(events[1].kind, ScriptEvent::Kind::down);
    EXPECT_EQ(events[1].button, MouseButton::middle);
    EXPECT_EQ(events[1].x, 799);
    EXPECT_EQ(events[2].kind, ScriptEvent::Kind::up);
    EXPECT_EQ(events[2].button, MouseButton::right);
    EXPECT_EQ(events[2].frame, 7);
    // The answers stand before the key whose questions took them, so a replay has them waiting.
    EXPECT_EQ(events[3].kind, ScriptEvent::Kind::answer);
    EXPECT_TRUE(events[3].yes);
    EXPECT_FALSE(events[4].yes);
    EXPECT_EQ(events[5].kind, ScriptEvent::Kind::key);
    EXPECT_EQ(events[5].key, "escape");
    EXPECT_EQ(events[6].kind, ScriptEvent::Kind::quit);
    EXPECT_EQ(events[6].frame, 12);
}

TEST(Recording, ACutRecordingEndsAtItsLastWholeLine)
{
    const std::string whole = "# zentrifa 1.1 seed 4\n3 down left 100 200\n3 up left 100 200\n8 move 123 456\n";
    // Cut inside the last line: "8 move 123 45" would read as an event, with a wrong number.
    for (const std::size_t cut : {whole.size() - 2, whole.size() - 5, whole.size() - 9}) {
        std::vector<ScriptEvent> events;
        std::string error;
        RecordingNotes notes;
        ASSERT_TRUE(parse_input_script_text(whole.substr(0, cut), "rec", events, error, &notes)) << error;
        EXPECT_EQ(events.size(), 2u) << cut;
        EXPECT_NE(notes.cut.find("rec:4:"), std::string::npos) << notes.cut;
        EXPECT_EQ(notes.seed, 4u);
        // Made before recordings named their format: it plays, with a note that it may differ.
        EXPECT_NE(notes.other_format.find("another version"), std::string::npos) << notes.other_format;
    }
    // Cut right after a line end: every line is whole.
    std::vector<ScriptEvent> events;
    std::string error;
    RecordingNotes notes;
    ASSERT_TRUE(parse_input_script_text(whole, "rec", events, error, &notes));
    EXPECT_EQ(events.size(), 3u);
    EXPECT_TRUE(notes.cut.empty());
    // A script someone wrote may end without a line end; its last line is read like the others.
    events.clear();
    ASSERT_TRUE(parse_input_script_text("3 click 10 20", "mine", events, error, &notes));
    EXPECT_EQ(events.size(), 1u);
    EXPECT_FALSE(parse_input_script_text("3 click 10", "mine", events, error, &notes));
}

// A session from the start picture through the home game and out on the street of stage 2, with
// its robot dogs, with a monkey's clicks mixed in. It starts from a save where stage 1 is cleared.
std::string session_script()
{
    std::string s = "2 answer yes\n"
                    "2 answer yes\n"
                    "2 answer no\n"
                    "3 key escape\n" // the reset, refused at the last question: the recording must carry the answers
                    "6 click 400 300\n"
                    "12 click 400 300\n" // the start menu
                    "20 move 690 32\n"
                    "24 click 690 32\n" // < START >
                    "40 click 590 76\n" // stage 2, the second row
                    "60 click 690 32\n" // make a game
                    "80 click 590 32\n"
                    "85 click 590 32\n"
                    "90 click 590 32\n"
                    "95 click 590 32\n"
                    "110 rclick 300 300\n"
                    "120 click 690 76\n"      // the sales floor
                    "140 click 690 76\n"      // a shout
                    "160 down left 280 330\n" // the gun held where the robot dogs come down
                    "300 move 276 345\n"
                    "450 move 282 320\n"
                    "600 up left 282 320\n";
    Random r(99);
    bool held = false; // the left button, pressed by the last event and let go at the next
    for (int frame = 650; frame < 3000; frame += 1 + r.below(40)) {
        const int x = r.below(800);
        const int y = r.below(600);
        const std::string at = std::to_string(frame) + " ";
        const std::string where = std::to_string(x) + " " + std::to_string(y) + "\n";
        if (held) s += at + "up left " + where;
        held = false;
        switch (r.below(5)) {
        case 0: s += at + "move " + where; break;
        case 1: s += at + "rclick " + where; break;
        case 2:
            s += at + "down left " + where;
            held = true;
            break;
        default:
            // Mostly clicks in the button column, where the menus are.
            s += at + "click " + std::to_string(500 + x % 300) + " " + std::to_string(y) + "\n";
            break;
        }
    }
    return s;
}

// A save of a game that has cleared stage 1 and read its first news, in folder.
void prepare_save(const fs::path& folder)
{
    fs::create_directories(folder);
    ASSERT_EQ(run_program("--headless --frames 1 --save-dir " + q(folder)).exit_code, 0);
    const fs::path save = folder / "my.dat";
    test::set_save_line(save, test::kSaveStoryFlag, 1);
    test::set_save_line(save, test::kSaveStageClears + 1, 1);
    test::set_save_line(save, test::kSaveNewsRead, 1);
}

TEST(Recording, AReplayGivesTheSameSaveAndTheSameTrace)
{
    TempDir dir;
    const fs::path script = dir.path() / "script.txt";
    const fs::path recorded = dir.path() / "recorded.txt";
    write_file(script, session_script());
    for (const char* folder : {"first", "again", "third"}) prepare_save(dir.path() / folder);

    // Played in English: the replay, with no --lang, speaks the language the session started in.
    const auto first = run_program("--headless --seed 7 --frames 3000 --trace --lang en --input " + q(script) +
                                   " --record " + q(recorded) + " --save-dir " + q(dir.path() / "first"));
    ASSERT_EQ(first.exit_code, 0) << first.err;
    // It went out on stage 2, shouted, and shot at a robot dog.
    for (const char* played : {"sound dog.wav\n", "sound fuu.wav\n", "sound gun.wav\n"})
        EXPECT_NE(first.out.find(played), std::string::npos) << played << first.out;
    // Seeded from the recording itself: no --seed, no --frames.
    const auto again =
        run_program("--headless --trace --input " + q(recorded) + " --save-dir " + q(dir.path() / "again"));
    ASSERT_EQ(again.exit_code, 0) << again.err;

    const std::string save = read_file(dir.path() / "first" / "my.dat");
    ASSERT_FALSE(save.empty());
    EXPECT_EQ(save, read_file(dir.path() / "again" / "my.dat"));
    EXPECT_GT(first.out.size(), 1000u) << "the session should have said and played a good deal";
    EXPECT_EQ(first.out, again.out);

    // The recording of the replay is the recording of the session.
    const auto third = run_program("--headless --input " + q(recorded) + " --record " + q(dir.path() / "third.txt") +
                                   " --save-dir " + q(dir.path() / "third"));
    ASSERT_EQ(third.exit_code, 0) << third.err;
    EXPECT_EQ(read_file(recorded), read_file(dir.path() / "third.txt"));
}

TEST(Recording, AKilledRecordingStillReplays)
{
    TempDir dir;
    const fs::path script = dir.path() / "script.txt";
    const fs::path recorded = dir.path() / "recorded.txt";
    write_file(script, session_script());
    fs::create_directories(dir.path() / "s");
    ASSERT_EQ(run_program("--headless --seed 3 --frames 1500 --input " + q(script) + " --record " + q(recorded) +
                          " --save-dir " + q(dir.path() / "s"))
                  .exit_code,
              0);
    // As if the program had been killed while writing a line.
    std::string text = read_file(recorded);
    const std::size_t cut = text.rfind('\n', text.size() - 2) + 4;
    write_file(recorded, text.substr(0, cut));
    // No --frames: the replay ends with the file (it once ran on until the test's time ran out),
    // after the frame of its last whole event, as a replay told to stop there does.
    std::vector<ScriptEvent> events;
    std::string error;
    RecordingNotes notes;
    ASSERT_TRUE(parse_input_script_text(text.substr(0, cut), "rec", events, error, &notes)) << error;
    ASSERT_FALSE(events.empty());
    const std::int64_t last = events.back().frame;
    for (const char* folder : {"open", "told", "later"}) fs::create_directories(dir.path() / folder);
    const auto replay = run_program("--headless --input " + q(recorded) + " --save-dir " + q(dir.path() / "open"));
    EXPECT_EQ(replay.exit_code, 0) << replay.err;
    EXPECT_NE(replay.err.find("cut off"), std::string::npos) << replay.err;
    for (const auto& [folder, frames] : {std::pair{"told", last}, std::pair{"later", last + 100}})
        ASSERT_EQ(run_program("--headless --frames " + std::to_string(frames) + " --input " + q(recorded) +
                              " --save-dir " + q(dir.path() / folder))
                      .exit_code,
                  0);
    const std::string save = read_file(dir.path() / "open" / "my.dat");
    EXPECT_EQ(save, read_file(dir.path() / "told" / "my.dat"));
    EXPECT_NE(save, read_file(dir.path() / "later" / "my.dat")) << "the stage clock should have run on";
}

TEST(Recording, AnUnwritableRecordingStopsTheGameBeforeItStarts)
{
    TempDir dir;
    for (const fs::path& bad : {dir.path() / "no" / "such" / "folder" / "rec.txt", dir.path()}) {
        const auto r = run_program("--headless --frames 5 --record " + q(bad) + " --save-dir " + q(dir.path()));
        EXPECT_EQ(r.exit_code, 2) << bad;
        EXPECT_NE(r.err.find(bad.string()), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(dir.path() / "my.dat")) << "nothing was played, nothing saved";
    }
}

// A disk that fills up while the game plays (16 KiB per file here: the save fits, the recording
// and the screenshot do not): the run ends in an error that says which file, the recording ends at
// its last whole line and still replays, and no half picture is left under the screenshot's name.
TEST(Recording, AFullDiskEndsTheRunWithAnErrorAndLeavesNoHalfFile)
{
    TempDir dir;
    const fs::path rec = dir.path() / "rec.txt";
    const fs::path shot = dir.path() / "shot.png";
    const fs::path err = dir.path() / "err.txt";
    // Writes past the limit fail with EFBIG instead of ending the program.
    const std::string command = "bash -c \"trap '' XFSZ; ulimit -f 16; exec '" + std::string(ZENTRIFA_EXE) +
                                "' --headless --autoplay --seed 1 --frames 6000 --save-dir " + q(dir.path()) +
                                " --record " + q(rec) + " --screenshot " + q(shot) + "\" 2>" + q(err) + " </dev/null";
    const int status = std::system(command.c_str());
    const std::string told = read_file(err);
    ASSERT_TRUE(WIFEXITED(status)) << told;
    EXPECT_EQ(WEXITSTATUS(status), 1) << told;
    EXPECT_NE(told.find("the recording " + rec.string() + " could not be written in full"), std::string::npos) << told;
    EXPECT_NE(told.find("cannot write the screenshot"), std::string::npos) << told;
    EXPECT_FALSE(fs::exists(shot));
    for (const auto& e : fs::directory_iterator(dir.path()))
        EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();

    const std::string recorded = read_file(rec);
    ASSERT_GT(recorded.size(), 8000u);
    EXPECT_EQ(recorded.back(), '\n') << "cut mid-line";
    std::vector<ScriptEvent> events;
    std::string error;
    RecordingNotes notes;
    ASSERT_TRUE(parse_input_script(rec, events, error, &notes)) << error;
    EXPECT_TRUE(notes.cut.empty()) << notes.cut;
    EXPECT_EQ(test::save_lines(dir.path() / "my.dat").size(), static_cast<std::size_t>(kSaveLines) + 1);
}

// A person at the window: events arrive while the frames run, at whatever moments they come;
// the recording replays headless to the same save.
TEST(Recording, AWindowSessionReplaysHeadless)
{
    ::setenv("SDL_VIDEODRIVER", "dummy", 1);
    TempDir save;
    TempDir replay_save;
    const fs::path recorded = save.path() / "window.txt";
    std::string error;
    {
        Paths paths;
        paths.data_dir = test::build_dir();
        paths.save_dir = save.path();
        Platform platform = make_headless_platform(paths);
        auto window = make_sdl_window("Zentrifa test", (save.path() / "shots").string(), {}, {}, error);
        ASSERT_TRUE(window) << error;
        platform.window = std::move(window);
        platform.clock = make_system_clock();
        platform.headless = false;
        Game game(platform, 424242);
        Recording recording;
        ASSERT_TRUE(recording.open(recorded, 424242, Lang::ja, error)) << error;

        // The player: clicks through the title, starts a new game, picks a stage, makes a game.
        std::thread player([] {
            const std::pair<int, int> clicks[] = {{400, 300}, {400, 300}, {690, 32}, {400, 560},
                                                  {690, 32},  {590, 32},  {690, 32}, {590, 32}};
            for (const auto& [x, y] : clicks) {
                std::this_thread::sleep_for(std::chrono::milliseconds(230));
                for (const Uint32 type : {SDL_MOUSEMOTION, SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
                    SDL_Event e{};
                    e.type = type;
                    if (type == SDL_MOUSEMOTION) {
                        e.motion.windowID = 1;
                        e.motion.x = x;
                        e.motion.y = y;
                    } else {
                        e.button.windowID = 1;
                        e.button.button = SDL_BUTTON_LEFT;
                        e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
                        e.button.x = x;
                        e.button.y = y;
                    }
                    SDL_PushEvent(&e);
                }
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
        });
        Options options;
        options.frames = 200; // a bound, should the quit not come
        const int code = run_game(game, options, {}, &recording);
        player.join();
        EXPECT_EQ(code, 0);
    }
    std::vector<ScriptEvent> events;
    RecordingNotes notes;
    ASSERT_TRUE(parse_input_script(recorded, events, error, &notes)) << error;
    EXPECT_EQ(notes.seed, 424242u);
    ASSERT_GE(events.size(), 24u) << read_file(recorded);
    EXPECT_EQ(events.back().kind, ScriptEvent::Kind::quit);

    const auto r = run_program("--headless --input " + q(recorded) + " --save-dir " + q(replay_save.path()));
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const std::string saved = read_file(save.path() / "my.dat");
    EXPECT_EQ(saved, read_file(replay_save.path() / "my.dat"));
    // The session got somewhere: a stage is running in the save (line 2012).
    std::size_t at = 0;
    for (int line = 1; line < 2012; ++line) at = saved.find('\n', at) + 1;
    EXPECT_NE(saved.substr(at, saved.find('\r', at) - at), "0") << "no stage was started";
}

} // namespace
} // namespace zen
