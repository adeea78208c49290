// Kill-during-save trials: the real program is killed (SIGKILL) at random moments around its
// saves, many times. Afterwards my.dat must be the whole old file or the whole new one (or, when
// there was none, none at all), and once the program has started again nothing but my.dat may lie
// in the save folder.
//
// Each run starts from an old save with money in it, resets to a new game (Escape, three answers)
// and closes after a few frames, saving the new game; a quarter of the runs start with no save
// at all, which makes start-up write one too. Half the kills fall anywhere in the run, half in
// its last fifth, where the closing save is.
//
//   zentrifa_kill_trials --trials N [--seed S]
#include "core/random.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string read_all(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void write_all(const fs::path& file, const std::string& text) { std::ofstream(file, std::ios::binary) << text; }

// Starts the game on save_dir; returns its process id.
pid_t start(const fs::path& save_dir, const fs::path& script)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        const std::string save = save_dir.string();
        const std::string input = script.string();
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execl(ZENTRIFA_EXE, ZENTRIFA_EXE, "--headless", "--seed", "7", "--frames", "40", "--input", input.c_str(),
                "--save-dir", save.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    return pid;
}

double seconds_since(std::chrono::steady_clock::time_point t)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

// Runs the game to its end; returns its exit code and how long it took.
int run(const fs::path& save_dir, const fs::path& script, double& took)
{
    const auto t = std::chrono::steady_clock::now();
    int status = 0;
    ::waitpid(start(save_dir, script), &status, 0);
    took = seconds_since(t);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The files in the save folder besides its lock (which stays, empty, once a game has run there).
std::vector<std::string> names_in(const fs::path& dir)
{
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.path().filename() != "my.dat.lock") names.push_back(e.path().filename().string());
    return names;
}

} // namespace

int main(int argc, char** argv)
{
    int trials = 100;
    std::uint64_t seed = 1;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        if (a == "--trials")
            trials = std::atoi(argv[i + 1]);
        else if (a == "--seed")
            seed = std::strtoull(argv[i + 1], nullptr, 10);
    }
    std::string root = (fs::temp_directory_path() / "zentrifa-kill-XXXXXX").string();
    if (!::mkdtemp(root.data())) return 1;
    const fs::path dir = fs::path(root) / "save";
    const fs::path script = fs::path(root) / "reset.txt";
    write_all(script, "2 answer yes\n2 answer yes\n2 answer yes\n3 key escape\n");

    // The old save: a game in progress with 500 yen. The new one: what an unkilled run leaves.
    std::string old_save;
    for (int line = 1; line <= 3419; ++line)
        old_save += (line == 5 ? "500" : (line == 1 ? "-1100" : "0")) + std::string("\r\n");
    fs::create_directories(dir);
    write_all(dir / "my.dat", old_save);
    double full = 0;
    double took = 0;
    int code = run(dir, script, full);
    const std::string new_save = read_all(dir / "my.dat");
    for (int i = 0; i < 4; ++i) {
        write_all(dir / "my.dat", old_save);
        run(dir, script, took);
        full = std::min(full, took);
    }
    if (code != 0 || new_save == old_save || new_save.size() < std::size_t{3419} * 2) {
        std::fprintf(stderr, "kill trials: the unkilled run did not save a new game (exit code %d)\n", code);
        return 1;
    }

    zen::Random rng(seed);
    int old_kept = 0;
    int new_whole = 0;
    int none = 0;
    int finished = 0;
    int stray_files = 0;
    int bad = 0;
    const auto t0 = std::chrono::steady_clock::now();
    for (int t = 0; t < trials; ++t) {
        fs::remove_all(dir);
        fs::create_directories(dir);
        const bool fresh = rng.below(4) == 0;
        if (!fresh) write_all(dir / "my.dat", old_save);
        const double at = rng.below(2) ? full * rng.below(1100) / 1000.0 : full * (0.8 + rng.below(250) / 1000.0);
        const pid_t pid = start(dir, script);
        const timespec pause{static_cast<time_t>(at),
                             static_cast<long>((at - static_cast<double>(static_cast<long>(at))) * 1e9)};
        ::nanosleep(&pause, nullptr);
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        if (WIFEXITED(status)) ++finished;

        const bool exists = fs::exists(dir / "my.dat");
        const std::string now = exists ? read_all(dir / "my.dat") : std::string();
        if (exists && now == old_save && !fresh)
            ++old_kept;
        else if (exists && now == new_save)
            ++new_whole;
        else if (!exists && fresh)
            ++none;
        else {
            ++bad;
            std::fprintf(stderr, "kill trials: trial %d (killed at %.1f ms): my.dat is %s (%zu bytes)\n", t, at * 1000,
                         exists ? "neither the old save nor the new one" : "gone", now.size());
        }
        // The next start clears whatever the kill left, and saves again.
        const std::vector<std::string> left = names_in(dir);
        if (left.size() > (exists ? 1u : 0u)) ++stray_files;
        run(dir, script, took);
        const std::vector<std::string> after = names_in(dir);
        if (after != std::vector<std::string>{"my.dat"} || read_all(dir / "my.dat") != new_save) {
            ++bad;
            std::fprintf(stderr, "kill trials: trial %d: after the next start the folder holds %zu files\n", t,
                         after.size());
        }
    }
    fs::remove_all(root);
    std::printf("kill trials: %d kills in %.1f s (a run takes %.1f ms): old save whole %d, new save whole %d, "
                "no save yet %d, run already over %d; stray files left by a kill %d, all cleared by the next "
                "start; torn or lost saves %d\n",
                trials, seconds_since(t0), full * 1000, old_kept, new_whole, none, finished, stray_files, bad);
    return bad == 0 ? 0 : 1;
}
