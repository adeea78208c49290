// The real program, run headless with input scripts, judged by what a player would see:
// the save file it leaves, the trace of messages and sounds, the pixels of its screenshot.
#include "app/save_file.h"
#include "platform/pictures.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

namespace zen {
namespace {

namespace fs = std::filesystem;
using test::run_program;
using test::TempDir;

int count_lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

std::string q(const fs::path& p) { return "'" + p.string() + "'"; }

TEST(Scenario, HeadlessRunShowsTheStartScreenAndLeavesASave)
{
    TempDir save;
    const fs::path shot = save.path() / "s.png";
    const auto r =
        run_program("--headless --frames 30 --seed 3 --save-dir " + q(save.path()) + " --screenshot " + q(shot));
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const std::string dat = test::read_file(save.path() / "my.dat");
    EXPECT_EQ(count_lines(dat), 3419);
    EXPECT_EQ(dat.substr(0, 7), "-1100\r\n");

    // The final frame is the start-up picture.
    Canvas frame;
    ASSERT_TRUE(test::read_png(shot, frame));
    ASSERT_EQ(frame.width(), 800);
    ASSERT_EQ(frame.height(), 600);
    Canvas title;
    std::string error;
    ASSERT_TRUE(load_picture(test::build_dir() / "cg" / "title.bmp", title, error)) << error;
    for (auto [x, y] : {std::pair{10, 10}, {400, 300}, {799, 599}, {123, 456}})
        EXPECT_EQ(frame.pixel(x, y), title.pixel(x, y)) << x << "," << y;
}

TEST(Scenario, ClicksLeadThroughTheTitleAndTheNextStartReadsTheSaveBack)
{
    TempDir save;
    TempDir work;
    const fs::path script = work.path() / "in.txt";
    test::write_file(script, "# start screen, title, start menu\n"
                             "5 click 400 300\n"
                             "10 rclick 10 10\n"
                             "15 move 700 50\n"
                             "20 quit\n");
    const fs::path shot = work.path() / "s.png";
    const auto r = run_program("--headless --frames 100 --seed 3 --trace --input " + q(script) + " --save-dir " +
                               q(save.path()) + " --screenshot " + q(shot));
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.out.find("message silver ようこそ、ゲームメーカー達の極悪熾烈な競争世界へ！！\n"), std::string::npos);
    const auto title_music = r.out.find("music title_for_game.mp3\n");
    const auto started = r.out.find("message silver 創作者達の戦いが動き出した....\n");
    EXPECT_NE(title_music, std::string::npos) << r.out;
    EXPECT_NE(started, std::string::npos) << r.out;
    EXPECT_LT(title_music, started);
    EXPECT_NE(r.out.find("sound 1.wav\n"), std::string::npos);

    // The last frame shows the start picture, not the start-up picture.
    Canvas frame;
    ASSERT_TRUE(test::read_png(shot, frame));
    Canvas start;
    std::string error;
    ASSERT_TRUE(load_picture(test::build_dir() / "cg" / "start.jpg", start, error)) << error;
    EXPECT_EQ(frame.pixel(400, 100), start.pixel(400, 100));

    // A second run reads the saved values back: a changed save shows up in the next save.
    std::string dat = test::read_file(save.path() / "my.dat");
    const auto at = dat.find("5\r\n0\r\n"); // lines 4 and 5: energy_max 5, money 0
    ASSERT_NE(at, std::string::npos);
    dat.replace(at, 6, "5\r\n4321\r\n");
    test::write_file(save.path() / "my.dat", dat);
    const auto again = run_program("--headless --frames 3 --save-dir " + q(save.path()));
    ASSERT_EQ(again.exit_code, 0) << again.err;
    EXPECT_NE(test::read_file(save.path() / "my.dat").find("\r\n4321\r\n"), std::string::npos);
}

TEST(Scenario, TheSameSeedAndScriptGiveTheSameRun)
{
    TempDir work;
    const fs::path script = work.path() / "in.txt";
    test::write_file(script, "3 click 1 1\n6 click 1 1\n9 down left 300 300\n12 up left 300 300\n");
    std::string first_trace;
    std::string first_save;
    for (int run = 0; run < 2; ++run) {
        TempDir save;
        const auto r = run_program("--headless --frames 200 --seed 77 --trace --input " + q(script) + " --save-dir " +
                                   q(save.path()));
        ASSERT_EQ(r.exit_code, 0) << r.err;
        const std::string dat = test::read_file(save.path() / "my.dat");
        if (run == 0) {
            first_trace = r.out;
            first_save = dat;
        } else {
            EXPECT_EQ(r.out, first_trace);
            EXPECT_EQ(dat, first_save);
        }
    }
}

TEST(Scenario, EscapeOnTheStartScreenResetsOnlyAfterThreeYes)
{
    for (const char* answers : {"yes yes yes", "yes no yes"}) {
        SCOPED_TRACE(answers);
        TempDir save;
        TempDir work;
        // A game in progress: 500 yen.
        std::string dat;
        for (int line = 1; line <= 3419; ++line)
            dat += (line == 5 ? "500" : (line == 1 ? "-1100" : "0")) + std::string("\r\n");
        test::write_file(save.path() / "my.dat", dat);
        std::string script;
        std::string a = answers;
        for (std::size_t p = 0; p < a.size();) {
            const auto space = a.find(' ', p);
            script += "2 answer " + a.substr(p, space - p) + "\n";
            p = space == std::string::npos ? a.size() : space + 1;
        }
        script += "3 key escape\n5 quit\n";
        test::write_file(work.path() / "in.txt", script);
        const auto r = run_program("--headless --frames 50 --input " + q(work.path() / "in.txt") + " --save-dir " +
                                   q(save.path()));
        ASSERT_EQ(r.exit_code, 0) << r.err;
        const std::string after = test::read_file(save.path() / "my.dat");
        const bool reset = std::string(answers) == "yes yes yes";
        EXPECT_EQ(after.find("\r\n500\r\n") == std::string::npos, reset);
    }
}

TEST(Scenario, BadInputStopsWithAClearMessage)
{
    TempDir work;
    const fs::path script = work.path() / "broken.txt";
    test::write_file(script, "1 click 10 10\n\n2 jump 3 4\n");
    auto r = run_program("--headless --frames 5 --input " + q(script) + " --save-dir " + q(work.path()));
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_NE(r.err.find("broken.txt:3:"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("jump"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(work.path() / "my.dat")); // nothing ran

    r = run_program("--headless --frames many");
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_NE(r.err.find("--frames"), std::string::npos);
    r = run_program("--bogus");
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_NE(r.err.find("usage"), std::string::npos);
}

TEST(Scenario, RunsWithAnEmptyPictureFolder)
{
    TempDir data;
    fs::create_directories(data.path() / "cg");
    fs::create_directories(data.path() / "dat");
    const fs::path shot = data.path() / "s.png";
    const auto r = run_program("--headless --frames 20 --data-dir " + q(data.path()) + " --save-dir " + q(data.path()) +
                               " --screenshot " + q(shot));
    ASSERT_EQ(r.exit_code, 0) << r.err;
    // Each missing picture is named once.
    for (const char* name : {"picture title.bmp:", "picture usagi.bmp:", "picture desk.bmp:"}) {
        const auto first = r.err.find(name);
        EXPECT_NE(first, std::string::npos) << name;
        EXPECT_EQ(r.err.find(name, first + 1), std::string::npos) << name;
    }
    EXPECT_TRUE(fs::exists(data.path() / "my.dat"));
    Canvas frame;
    ASSERT_TRUE(test::read_png(shot, frame));
    EXPECT_EQ(frame.pixel(400, 300), 0u); // black, where the picture would be
}

// The generated pack copied into a folder of its own, to be damaged there.
fs::path copy_of_pack(const TempDir& dir)
{
    for (const char* sub : {"cg", "dat"})
        fs::copy(test::build_dir() / sub, dir.path() / sub, fs::copy_options::recursive);
    fs::remove(dir.path() / "dat" / "my.dat");
    return dir.path();
}

TEST(Scenario, FoldersAndPipesWhereFilesShouldBeNeitherCrashNorHang)
{
    TempDir data;
    copy_of_pack(data);
    // The start-up picture, the title picture and the click sound: each a folder or a pipe.
    for (const char* name : {"cg/title.bmp", "cg/title.jpg", "dat/1.wav"}) {
        fs::remove(data.path() / name);
        fs::create_directory(data.path() / name);
    }
    fs::remove(data.path() / "cg" / "desk.bmp");
    ASSERT_EQ(::mkfifo((data.path() / "cg" / "desk.bmp").c_str(), 0644), 0);
    TempDir work;
    test::write_file(work.path() / "in.txt", "3 click 400 300\n6 click 400 300\n");
    TempDir save;
    auto r = run_program("--headless --frames 10 --trace --input " + q(work.path() / "in.txt") + " --data-dir " +
                         q(data.path()) + " --save-dir " + q(save.path()));
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.out.find("sound 1.wav"), std::string::npos) << "the game went on past the start screen";
    EXPECT_NE(r.err.find("title.bmp"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("desk.bmp"), std::string::npos) << r.err;
    EXPECT_EQ(count_lines(test::read_file(save.path() / "my.dat")), 3419);

    // A folder given as the input script.
    r = run_program("--headless --frames 5 --input " + q(work.path()) + " --save-dir " + q(save.path()));
    EXPECT_EQ(r.exit_code, 2);
    EXPECT_NE(r.err.find("folder"), std::string::npos) << r.err;
}

TEST(Scenario, ASaveThatCannotBeReadOrWrittenEndsTheRunWithAnErrorAndKeepsWhatIsThere)
{
    // my.dat a folder or a pipe: the run starts at once, and does not replace it.
    for (const bool pipe : {false, true}) {
        TempDir save;
        const fs::path file = save.path() / "my.dat";
        if (pipe) {
            ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0);
        } else {
            fs::create_directory(file);
        }
        const auto r = run_program("--headless --frames 5 --save-dir " + q(save.path()));
        EXPECT_EQ(r.exit_code, 1) << r.err;
        EXPECT_NE(r.err.find("will not save over it"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("not saving"), std::string::npos) << r.err;
        EXPECT_EQ(fs::symlink_status(file).type(), pipe ? fs::file_type::fifo : fs::file_type::directory);
    }
    // A save folder that cannot be made: every save fails, and the last one is the run's error.
    TempDir place;
    test::write_file(place.path() / "a-file", "");
    const auto r = run_program("--headless --frames 5 --save-dir " + q(place.path() / "a-file" / "saves"));
    EXPECT_EQ(r.exit_code, 1);
    EXPECT_NE(r.err.find("cannot write the save file"), std::string::npos) << r.err;
}

TEST(Scenario, ADataFolderWithoutPicturesIsRefusedAtOnce)
{
    TempDir save;
    for (const fs::path& data : {fs::path("/no/such/zentrifa/data"), save.path()}) {
        const auto r = run_program("--headless --frames 5 --data-dir " + q(data) + " --save-dir " + q(save.path()));
        EXPECT_EQ(r.exit_code, 1);
        EXPECT_EQ(count_lines(r.err), 1) << r.err;
        EXPECT_NE(r.err.find(data.string()), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("--data-dir"), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(save.path() / "my.dat")) << "nothing ran";
    }
}

} // namespace
} // namespace zen
