// The monkey soak: the real game, headless, in sessions that each start up from the save the last
// one left and close saving, fed a seeded random stream of mouse moves, clicks, right clicks, held
// buttons, keys, answers to the yes/no questions and now and then a closed window. Positions fall
// outside the play area too, as a window delivers them while a button is held and the mouse
// leaves. After each session the save must be exactly what the game writes, and nothing else may
// lie beside it. Built with ASan and UBSan (scripts/soak.sh), any fault ends the soak.
//
//   zentrifa_soak --frames N [--seed S] [--data-dir DIR] [--keep-save DIR]
#include "app/run_loop.h"
#include "app/save_file.h"
#include "core/game_state.h"
#include "platform/files.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace zen;

namespace {

struct Settings {
    std::int64_t frames = 10000;
    std::uint64_t seed = 1;
    fs::path data_dir = ZENTRIFA_BUILD_DIR;
    fs::path save_dir;
};

// A random session of input: what a player in a hurry, or a cat on the mouse, would do.
class Monkey {
public:
    explicit Monkey(std::uint64_t seed) : rng_(seed) {}

    std::vector<ScriptEvent> session(std::int64_t frames)
    {
        std::vector<ScriptEvent> events;
        for (std::int64_t f = 1; f <= frames; ++f) {
            const int n = rng_.below(100) < 60 ? 1 + rng_.below(3) : 0;
            for (int i = 0; i < n; ++i) events.push_back(one(f));
            // Let go of a held button after a while, somewhere.
            for (auto& [button, until] : held_)
                if (until == f) events.push_back(mouse(f, ScriptEvent::Kind::up, button));
        }
        held_.clear();
        return events;
    }

    std::map<std::string, std::int64_t> counts;

private:
    // Mostly on the play area, a fifth of the time outside it, now and then far outside.
    void place(ScriptEvent& e)
    {
        const int r = rng_.below(100);
        if (r < 80) {
            e.x = rng_.below(800);
            e.y = rng_.below(600);
        } else if (r < 98) {
            e.x = rng_.below(1000) - 100;
            e.y = rng_.below(800) - 100;
        } else {
            e.x = static_cast<int>(rng_.next32());
            e.y = static_cast<int>(rng_.next32());
        }
        if (e.x < 0 || e.x > 799 || e.y < 0 || e.y > 599) ++counts["outside the play area"];
    }

    ScriptEvent mouse(std::int64_t frame, ScriptEvent::Kind kind, MouseButton button)
    {
        ScriptEvent e;
        e.frame = frame;
        e.kind = kind;
        e.button = button;
        place(e);
        return e;
    }

    ScriptEvent one(std::int64_t frame)
    {
        static constexpr MouseButton kButtons[] = {MouseButton::left, MouseButton::right, MouseButton::middle};
        static constexpr const char* kKeys[] = {"escape", "escape", "escape", "return", "space",
                                                "f11",    "f12",    "a",      "up"};
        const int r = rng_.below(10000);
        ScriptEvent e;
        e.frame = frame;
        if (r < 4500) {
            ++counts["move"];
            return mouse(frame, ScriptEvent::Kind::move, MouseButton::left);
        }
        if (r < 7500) {
            ++counts["click"];
            return mouse(frame, ScriptEvent::Kind::click, MouseButton::left);
        }
        if (r < 8500) {
            ++counts["right click"];
            return mouse(frame, ScriptEvent::Kind::rclick, MouseButton::right);
        }
        if (r < 9300) {
            // A button held down for up to five seconds of frames (fire on the street).
            const MouseButton b = kButtons[rng_.below(3)];
            ++counts["held button"];
            held_[b] = frame + 1 + rng_.below(55);
            return mouse(frame, ScriptEvent::Kind::down, b);
        }
        if (r < 9600) {
            ++counts["button up"];
            return mouse(frame, ScriptEvent::Kind::up, kButtons[rng_.below(3)]);
        }
        if (r < 9850) {
            e.kind = ScriptEvent::Kind::answer;
            e.yes = rng_.below(3) != 0;
            ++counts[e.yes ? "answer yes" : "answer no"];
            return e;
        }
        if (r < 9998) {
            e.kind = ScriptEvent::Kind::key;
            e.key = kKeys[rng_.below(9)];
            ++counts["key " + e.key];
            return e;
        }
        e.kind = ScriptEvent::Kind::quit; // the window closed: the session ends here, saving
        ++counts["window closed"];
        return e;
    }

    Random rng_;
    std::map<MouseButton, std::int64_t> held_;
};

bool fail(const std::string& what)
{
    std::fprintf(stderr, "zentrifa_soak: %s\n", what.c_str());
    return false;
}

// The save is exactly what the game writes from what it reads, and nothing else lies beside it.
bool save_is_valid(Platform& platform)
{
    const fs::path file = platform.paths.save_file();
    std::string text;
    std::string error;
    if (read_file_bytes(file, std::size_t{1} << 20, text, error) != ReadResult::ok) return fail(error);
    auto fresh = std::make_unique<Game>(platform, 1);
    const SaveReading r = read_save_text(*fresh, text);
    if (r.problem != SaveReading::Problem::none)
        return fail("the save does not read back (line " + std::to_string(r.line) + ")");
    if (save_text(*fresh) != text) return fail("the save is not what the game writes");
    for (const auto& e : fs::directory_iterator(platform.paths.save_dir))
        // The save, and the lock a running game holds on its folder (an empty file that stays).
        if (e.path().filename() != "my.dat" && e.path().filename() != "my.dat.lock")
            return fail("a stray file beside the save: " + e.path().string());
    return true;
}

bool parse(int argc, char** argv, Settings& s)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string a = argv[i];
        const char* v = argv[i + 1];
        if (a == "--frames")
            s.frames = std::atoll(v);
        else if (a == "--seed")
            s.seed = std::strtoull(v, nullptr, 10);
        else if (a == "--data-dir")
            s.data_dir = v;
        else if (a == "--keep-save")
            s.save_dir = v;
        else
            return false;
    }
    return argc % 2 == 1 && s.frames > 0;
}

} // namespace

int main(int argc, char** argv)
{
    Settings settings;
    if (!parse(argc, argv, settings)) {
        std::fprintf(stderr, "usage: zentrifa_soak --frames N [--seed S] [--data-dir DIR] [--keep-save DIR]\n");
        return 2;
    }
    std::string temp;
    if (settings.save_dir.empty()) {
        temp = (fs::temp_directory_path() / "zentrifa-soak-XXXXXX").string();
        if (!::mkdtemp(temp.data())) {
            fail("cannot make a save folder");
            return 1;
        }
        settings.save_dir = temp;
    }
    fs::create_directories(settings.save_dir);
    Paths paths{settings.data_dir, settings.save_dir, settings.save_dir / "zentrifa.ini"};

    Monkey monkey(settings.seed);
    Random lengths(settings.seed ^ 0x5eedull);
    const auto start = std::chrono::steady_clock::now();
    std::int64_t frames_run = 0;
    int sessions = 0;
    bool ok = true;
    while (ok && frames_run < settings.frames) {
        // A session as long as a sitting, from a minute to a quarter of an hour of frames.
        const std::int64_t length = std::min<std::int64_t>(settings.frames - frames_run, 600 + lengths.below(9400));
        const std::vector<ScriptEvent> script = monkey.session(length);
        Platform platform = make_headless_platform(paths);
        {
            auto game = std::make_unique<Game>(platform, settings.seed + static_cast<std::uint64_t>(sessions));
            Options options;
            options.headless = true;
            options.frames = length;
            // A session whose save failed would end non-zero; the check below says why.
            run_game(*game, options, script);
            // Where the monkey got to, so a soak that never left the title says so.
            if (game->stage != 0) ++monkey.counts["session ended in a stage"];
            if (game->on_street != 0) ++monkey.counts["session ended on street"];
            if (game->my.sales > 0) ++monkey.counts["session with sales"];
        }
        ok = save_is_valid(platform);
        // Events are delivered before their frame runs: a close at frame F ends after F - 1 frames.
        std::int64_t ran = length;
        for (const ScriptEvent& e : script)
            if (e.kind == ScriptEvent::Kind::quit) {
                ran = e.frame - 1;
                break;
            }
        frames_run += ran;
        ++sessions;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("soak: %lld frames run in %d sessions, %.1f s (%.0f frames/s), seed %llu\n",
                static_cast<long long>(frames_run), sessions, seconds, static_cast<double>(frames_run) / seconds,
                static_cast<unsigned long long>(settings.seed));
    for (const auto& [what, n] : monkey.counts) std::printf("  %-24s %lld\n", what.c_str(), static_cast<long long>(n));
    std::printf("soak: %s\n", ok ? "every save valid" : "FAILED");
    if (!temp.empty()) {
        std::error_code ec;
        fs::remove_all(temp, ec);
    }
    return ok ? 0 : 1;
}
