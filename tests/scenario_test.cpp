// The real program, run headless with input scripts, judged by what a player would see:
// the save file it leaves, the trace of messages and sounds, the pixels of its screenshot.
#include "app/save_file.h"
#include "platform/pictures.h"
#include "scenario_support.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>
#include <vector>

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
    // A save folder that cannot be made has no lock either: the run is refused at once, as when
    // another copy holds the folder, and says what is wrong.
    TempDir place;
    test::write_file(place.path() / "a-file", "");
    const auto r = run_program("--headless --frames 5 --save-dir " + q(place.path() / "a-file" / "saves"));
    EXPECT_EQ(r.exit_code, kExitSaveInUse);
    EXPECT_NE(r.err.find("cannot lock the save folder"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("must be one the game can write in"), std::string::npos) << r.err;
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

// A copy of the program running beside the test, as a second window would be.
class Running {
public:
    // Starts the program with the arguments; window runs get the dummy video and audio drivers.
    // in_child, when given, sets up the child's surroundings just before the program starts.
    explicit Running(const std::vector<std::string>& arguments, bool window = false,
                     const std::function<void()>& in_child = {})
    {
        err_ = dir_.path() / "err.txt";
        pid_ = ::fork();
        if (pid_ == 0) {
            const int out = ::open(err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            const int null = ::open("/dev/null", O_RDWR);
            ::dup2(null, 0);
            ::dup2(null, 1);
            ::dup2(out, 2);
            if (window) {
                ::setenv("SDL_VIDEODRIVER", "dummy", 1);
                ::setenv("SDL_AUDIODRIVER", "dummy", 1);
            }
            if (in_child) in_child();
            std::vector<char*> argv{const_cast<char*>(ZENTRIFA_EXE)};
            for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            ::execv(ZENTRIFA_EXE, argv.data());
            ::_exit(127);
        }
    }
    ~Running()
    {
        if (pid_ > 0 && !done_) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

    void signal(int s) const { ::kill(pid_, s); }
    // The exit code once it has ended (-1 when it did not end by itself within the time).
    int wait(int seconds = 60)
    {
        for (int tenth = 0; tenth < seconds * 10; ++tenth) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                done_ = true;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return -1;
    }
    std::string err() const { return test::read_file(err_); }

private:
    TempDir dir_;
    fs::path err_;
    pid_t pid_ = -1;
    bool done_ = false;
};

// Waits for a file to appear; false when it did not within the time.
bool appears(const fs::path& file, int seconds = 60)
{
    for (int tenth = 0; tenth < seconds * 10; ++tenth) {
        if (fs::exists(file)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

// A copy running without end: the save it wrote at the start is there once it is past loading.
std::vector<std::string> endless(const fs::path& save_dir)
{
    return {"--headless", "--frames", "1000000000", "--save-dir", save_dir.string()};
}

TEST(Scenario, ASecondCopyOnTheSameSaveFolderSaysSoAndEndsWithoutTouchingIt)
{
    TempDir save;
    const fs::path file = save.path() / "my.dat";
    Running first(endless(save.path()));
    ASSERT_TRUE(appears(file)) << first.err();
    const std::string first_save = test::read_file(file);
    // What the first copy's save leaves while it writes: a second copy must not clear it away.
    const fs::path inflight = save.path() / "my.dat.tmp-inflight";
    test::write_file(inflight, first_save.substr(0, 100));

    auto r = run_program("--headless --frames 5 --save-dir " + q(save.path()));
    EXPECT_EQ(r.exit_code, kExitSaveInUse) << r.err;
    EXPECT_NE(r.err.find("another copy of the game is already running"), std::string::npos) << r.err;
    EXPECT_EQ(test::read_file(file), first_save);
    EXPECT_TRUE(fs::exists(inflight));
    // With a window too (its box cannot show on the dummy driver, so only standard error says it).
    Running window_copy({"--save-dir", save.path().string(), "--frames", "50"}, true);
    EXPECT_EQ(window_copy.wait(), kExitSaveInUse) << window_copy.err();
    EXPECT_NE(window_copy.err().find("another copy"), std::string::npos) << window_copy.err();
    EXPECT_EQ(test::read_file(file), first_save);

    // The first copy plays on and saves as it ends; then the folder is free again.
    fs::remove(file);
    first.signal(SIGTERM);
    EXPECT_EQ(first.wait(), 0) << first.err();
    EXPECT_EQ(count_lines(test::read_file(file)), 3419);
    r = run_program("--headless --frames 5 --save-dir " + q(save.path()));
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_FALSE(fs::exists(inflight)) << "a stale temporary, once no copy runs";

    // A copy killed outright leaves no lock behind.
    Running killed(endless(save.path()));
    ASSERT_TRUE(appears(file)) << killed.err();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    killed.signal(SIGKILL);
    EXPECT_EQ(killed.wait(), 128 + SIGKILL);
    r = run_program("--headless --frames 5 --save-dir " + q(save.path()));
    EXPECT_EQ(r.exit_code, 0) << r.err;
}

TEST(Scenario, ASaveFolderWhoseLockCannotBeTakenIsRefusedAsForASecondCopy)
{
    // A folder, a link or a pipe at the lock's name: no lock could keep a second copy out, so no
    // copy plays, in a window or not, and the message says what to remove.
    for (const char* what : {"folder", "link", "pipe"}) {
        SCOPED_TRACE(what);
        TempDir save;
        const fs::path lock = save.path() / "my.dat.lock";
        test::write_file(save.path() / "elsewhere", "");
        if (std::string(what) == "folder") fs::create_directory(lock);
        if (std::string(what) == "link") fs::create_symlink(save.path() / "elsewhere", lock);
        if (std::string(what) == "pipe") {
            ASSERT_EQ(::mkfifo(lock.c_str(), 0644), 0);
        }
        const auto r = run_program("--headless --frames 5 --save-dir " + q(save.path()));
        EXPECT_EQ(r.exit_code, kExitSaveInUse) << r.err;
        EXPECT_NE(r.err.find("cannot lock the save folder"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(lock.string() + ": "), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("remove it"), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(save.path() / "my.dat"));
        Running window_copy({"--save-dir", save.path().string(), "--frames", "50"}, true);
        EXPECT_EQ(window_copy.wait(), kExitSaveInUse) << window_copy.err();
        EXPECT_FALSE(fs::exists(save.path() / "my.dat"));
    }
}

TEST(Scenario, AClosedPipeOrAFileSizeLimitFailsTheWriteAndTheGameStillSaves)
{
    // --trace | head: the reader is gone before the first line.
    TempDir save;
    const fs::path file = save.path() / "my.dat";
    Running traced({"--headless", "--frames", "40", "--trace", "--save-dir", save.path().string()}, false, [] {
        int ends[2];
        if (::pipe(ends) != 0) ::_exit(125);
        ::close(ends[0]);
        ::dup2(ends[1], 1);
        ::signal(SIGPIPE, SIG_DFL); // as a shell starts it
    });
    EXPECT_EQ(traced.wait(), 1) << traced.err();
    EXPECT_NE(traced.err().find("cannot write the trace"), std::string::npos) << traced.err();
    EXPECT_EQ(count_lines(test::read_file(file)), 3419);

    // ulimit -f: the save fits, the recording of a long session does not. It ends at its last whole
    // line, the game plays on and makes its closing save.
    TempDir work;
    const fs::path record = work.path() / "session.rec";
    fs::remove(file);
    Running limited({"--headless", "--frames", "3000", "--autoplay", "--seed", "5", "--record", record.string(),
                     "--save-dir", save.path().string()},
                    false, [] {
                        rlimit limit{};
                        ::getrlimit(RLIMIT_FSIZE, &limit);
                        limit.rlim_cur = rlim_t{12} * 1024;
                        ::setrlimit(RLIMIT_FSIZE, &limit);
                        ::signal(SIGXFSZ, SIG_DFL);
                    });
    EXPECT_EQ(limited.wait(), 1) << limited.err();
    EXPECT_NE(limited.err().find(record.string()), std::string::npos) << limited.err();
    EXPECT_EQ(count_lines(test::read_file(file)), 3419);
    EXPECT_LE(fs::file_size(record), 12u * 1024u);
}

TEST(Scenario, TermIntAndHangUpCloseTheGameWithASaveAsClosingTheWindowDoes)
{
    for (const bool window : {false, true}) {
        for (const int s : {SIGTERM, SIGINT, SIGHUP}) {
            SCOPED_TRACE(std::string(window ? "window, " : "headless, ") + strsignal(s));
            TempDir save;
            const fs::path file = save.path() / "my.dat";
            auto arguments = endless(save.path());
            if (window) arguments.erase(arguments.begin());
            Running game(arguments, window);
            ASSERT_TRUE(appears(file)) << game.err();
            fs::remove(file);
            game.signal(s);
            EXPECT_EQ(game.wait(), 0) << game.err();
            EXPECT_EQ(count_lines(test::read_file(file)), 3419);
        }
    }
}

TEST(Scenario, AKillRightAfterAClearFindsTheClearInTheSave)
{
    TempDir save;
    const fs::path file = save.path() / "my.dat";
    auto arguments = endless(save.path());
    arguments.insert(arguments.end(), {"--autoplay", "--seed", "1"});
    Running game(arguments);
    // The bot tells of a clear in the frame after it: by then the save must hold it.
    bool cleared = false;
    for (int tenth = 0; tenth < 600 && !cleared; ++tenth) {
        cleared = game.err().find("stage  1  cleared") != std::string::npos;
        if (!cleared) std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    game.signal(SIGKILL);
    ASSERT_EQ(game.wait(), 128 + SIGKILL);
    ASSERT_TRUE(cleared) << game.err();
    const auto saved = test::save_lines(file);
    ASSERT_EQ(saved.size(), static_cast<std::size_t>(kSaveLines) + 1);
    EXPECT_GE(saved[test::kSaveStageClears + 1], 1) << "the clear of stage 1";
}

TEST(Scenario, AFontOverrideThatIsNoFontIsRefusedAndTheSystemFontsServe)
{
    TempDir work;
    // The start screen of a new game, with its greeting in the log, drawn with the system's font.
    const fs::path script = work.path() / "start.txt";
    test::write_file(script, "1 click 400 300\n3 click 400 300\n");
    const fs::path shot = work.path() / "shot.png";
    const auto run = [&](const std::string& env) {
        TempDir save;
        return run_program("--headless --frames 8 --seed 1 --input " + q(script) + " --save-dir " + q(save.path()) +
                               " --screenshot " + q(shot),
                           env);
    };
    const auto plain = run("");
    ASSERT_EQ(plain.exit_code, 0) << plain.err;
    const std::string drawn = test::read_file(shot);
    ASSERT_FALSE(drawn.empty());
    // Set but empty: no override at all.
    const auto empty_setting = run("ZENTRIFA_FONT=");
    EXPECT_EQ(empty_setting.err, "");
    EXPECT_TRUE(test::read_file(shot) == drawn);

    const fs::path fifo = work.path() / "font.ttf";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    // Regular files that are no font, or a font cut off after its tables' list.
    const std::string font = test::read_file("/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf");
    std::string noise;
    std::uint32_t x = 3;
    for (int i = 0; i < 65536; ++i) noise += static_cast<char>((x = x * 1664525u + 1013904223u) >> 24);
    // The whole font with its glyphs' outlines wiped: it opens, but draws nothing.
    std::string hollow = font;
    const auto be32 = [&font](std::size_t at) {
        std::uint32_t v = 0;
        for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | static_cast<unsigned char>(font[at + i]);
        return v;
    };
    ASSERT_GT(font.size(), 12u);
    const std::size_t tables = be32(4) >> 16;
    for (std::size_t t = 0; t < tables && 12 + 16 * t + 16 <= font.size(); ++t)
        if (font.compare(12 + 16 * t, 4, "glyf") == 0)
            hollow.replace(be32(12 + 16 * t + 8), be32(12 + 16 * t + 12), be32(12 + 16 * t + 12), '\0');
    ASSERT_NE(hollow, font);
    const std::pair<const char*, std::string> files[] = {
        {"hollow.ttf", hollow},
        {"empty.ttf", ""},
        {"noise.ttf", noise},
        {"text.ttf", "This is no font.\n"},
        {"picture.ttf", test::bmp_bytes(64, 64, 0xFF0000)},
        {"cut.ttf", font.substr(0, std::min(font.size(), std::size_t{64} << 10))}};
    std::vector<fs::path> refused = {fifo, work.path(), fs::path("/dev/zero")};
    for (const auto& [name, bytes] : files) {
        test::write_file(work.path() / name, bytes);
        refused.push_back(work.path() / name);
    }
    // A pipe would hold the start for ever; a device or a folder is no font either.
    for (const fs::path& file : refused) {
        SCOPED_TRACE(file);
        const auto r = run("ZENTRIFA_FONT=" + q(file));
        EXPECT_EQ(r.exit_code, 0) << r.err;
        EXPECT_EQ(count_lines(r.err), 1) << r.err;
        EXPECT_NE(r.err.find("ZENTRIFA_FONT=" + file.string() + " is not a font file"), std::string::npos) << r.err;
        EXPECT_TRUE(test::read_file(shot) == drawn) << "the texts are drawn with the system's font";
    }
}

// Runs the program to its end and gives its exit code and the most memory it held at once (KiB).
std::pair<int, long> peak_memory_of(const std::vector<std::string>& arguments)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, 0);
        ::dup2(null, 1);
        ::dup2(null, 2);
        std::vector<char*> argv{const_cast<char*>(ZENTRIFA_EXE)};
        for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(ZENTRIFA_EXE, argv.data());
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    if (::wait4(pid, &status, 0, &usage) != pid) return {-1, 0};
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, usage.ru_maxrss};
}

// What the README promises of memory, on the largest files the game takes: an input script of the
// largest kind (a line an event, more events than a script may hold) and a pack whose sprites are
// all of the largest size allowed.
TEST(Scenario, TheLargestFilesTheGameTakesStayWithinTheMemoryItStates)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer's shadow memory and quarantine are not the game's own; the plain build measures";
#endif
    TempDir save;
    TempDir work;
    constexpr long kScriptMemoryKiB = 256 << 10;
    const fs::path script = work.path() / "in.txt";
    {
        std::ofstream out(script, std::ios::binary);
        const std::string lines = [] {
            std::string s;
            for (int i = 0; i < 4096; ++i) s += "1 key a\n";
            return s;
        }();
        for (int i = 0; i < 1024; ++i) out << lines; // 32 MiB, four million events
    }
    auto [code, peak] =
        peak_memory_of({"--headless", "--frames", "1", "--input", script.string(), "--save-dir", save.path().string()});
    EXPECT_EQ(code, 2) << "more events than a script may hold";
    EXPECT_LT(peak, kScriptMemoryKiB);
    fs::remove(script);

    // Every sprite that two character templates show 4096 x 4096 (64 MiB of pixels each): the
    // pictures are held within their 256 MB, each once however many show it, plus the picture
    // being read and its file.
    constexpr long kPictureMemoryKiB = 512 << 10;
    const fs::path data = work.path() / "data";
    fs::create_directories(data / "cg");
    fs::create_directory_symlink(test::build_dir() / "dat", data / "dat");
    const fs::path big = work.path() / "big.bmp";
    test::write_file(big, test::bmp_bytes(4096, 4096, rgb(0, 128, 255)));
    for (const auto& e : fs::directory_iterator(test::build_dir() / "cg")) {
        const std::string name = e.path().filename().string();
        const bool shown_twice = name == "usagi.bmp" || name == "tako.bmp" || name == "meteo.bmp" ||
                                 name == "kuma.bmp" || name == "dog.bmp" || name == "cat.bmp" ||
                                 name.rfind("robo0", 0) == 0;
        fs::create_symlink(shown_twice ? big : e.path(), data / "cg" / name);
    }
    std::tie(code, peak) = peak_memory_of(
        {"--headless", "--frames", "30", "--data-dir", data.string(), "--save-dir", save.path().string()});
    EXPECT_EQ(code, 0);
    EXPECT_LT(peak, kPictureMemoryKiB);
}

TEST(Scenario, OutputFilesThatAreNotFilesOfTheirOwnAreRefusedAndTheSaveComesFirst)
{
    TempDir save;
    TempDir work;
    const fs::path file = save.path() / "my.dat";
    const fs::path fifo = work.path() / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    auto r = run_program("--headless --frames 5 --save-dir " + q(save.path()));
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const std::string kept = test::read_file(file);
    struct Case {
        std::string option;
        fs::path path;
        const char* says;
    };
    const Case cases[] = {
        {"--record", file, "that is the save file"},
        {"--record", save.path() / "." / "my.dat", "that is the save file"},
        {"--record", work.path(), "is a folder"},
        {"--record", fifo, "not a regular file"},
        {"--screenshot", file, "that is the save file"},
        {"--screenshot", work.path(), "is a folder"},
        {"--screenshot", fifo, "not a regular file"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option + " " + c.path.string());
        r = run_program("--headless --frames 5 --save-dir " + q(save.path()) + " " + c.option + " " + q(c.path));
        EXPECT_EQ(r.exit_code, 2) << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(test::read_file(file), kept);
    }

    // A first run, no save yet: outputs named through links to where the save or its lock will be
    // (directly, through a chain, through a linked folder) are refused all the same, and nothing is
    // written; a chain of links to a new file of its own is fine, and the output is made at its end.
    TempDir first;
    fs::create_symlink(first.path() / "my.dat", work.path() / "to-save");
    fs::create_symlink(work.path() / "to-save", work.path() / "to-link");
    fs::create_symlink("to-link", work.path() / "relative-chain");
    fs::create_symlink(first.path() / "my.dat.lock", work.path() / "to-lock");
    fs::create_symlink(first.path(), work.path() / "folder-link");
    fs::create_symlink(work.path() / "folder-link" / "my.dat", work.path() / "via-folder");
    const Case first_cases[] = {
        {"--record", work.path() / "to-save", "that is the save file"},
        {"--screenshot", work.path() / "to-save", "that is the save file"},
        {"--screenshot", work.path() / "to-link", "that is the save file"},
        {"--record", work.path() / "relative-chain", "that is the save file"},
        {"--record", work.path() / "via-folder", "that is the save file"},
        {"--screenshot", work.path() / "to-lock", "that is the save folder's lock"},
    };
    for (const Case& c : first_cases) {
        SCOPED_TRACE(c.option + " " + c.path.string());
        r = run_program("--headless --frames 5 --save-dir " + q(first.path()) + " " + c.option + " " + q(c.path));
        EXPECT_EQ(r.exit_code, 2) << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(first.path() / "my.dat"));
    }
    fs::create_symlink(work.path() / "chain-end", work.path() / "chain-middle");
    fs::create_symlink(work.path() / "chain-middle", work.path() / "chain-start");
    r = run_program("--headless --frames 5 --save-dir " + q(first.path()) + " --screenshot " +
                    q(work.path() / "chain-start"));
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_EQ(test::read_file(work.path() / "chain-end").substr(1, 3), "PNG");
    EXPECT_EQ(count_lines(test::read_file(first.path() / "my.dat")), 3419);

    // A pipe put at the screenshot's name while the game runs: the save is written, the pipe is
    // left alone, and the run says so instead of waiting for a reader.
    fs::remove(file);
    const fs::path shot = work.path() / "shot.png";
    auto arguments = endless(save.path());
    arguments.insert(arguments.end(), {"--screenshot", shot.string()});
    Running game(arguments);
    ASSERT_TRUE(appears(file)) << game.err();
    fs::remove(file);
    ASSERT_EQ(::mkfifo(shot.c_str(), 0644), 0);
    game.signal(SIGTERM);
    EXPECT_EQ(game.wait(), 1) << game.err();
    EXPECT_EQ(count_lines(test::read_file(file)), 3419);
    EXPECT_NE(game.err().find("cannot write the screenshot"), std::string::npos) << game.err();
}

} // namespace
} // namespace zen
