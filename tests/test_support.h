#pragma once
// Fresh games for tests: headless services, a fixed seed, files in a temporary folder.
#include "core/game_state.h"
#include "core/texts.h"

#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

struct _SDL_Joystick; // NOLINT(bugprone-reserved-identifier): SDL_Joystick, as SDL declares it

namespace zen::test {

// A text of the game as the Japanese edition shows it.
inline std::string ja(Text text) { return std::string(text_in(Lang::ja, text)); }

// A temporary folder removed when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// The folder of the built program, with the generated cg/ and dat/.
std::filesystem::path build_dir();
// Its fonts/: the languages' faces, and IPA P Gothic where the system has no font service
// (Windows); elsewhere the game finds that one through the system.
inline std::filesystem::path game_fonts_dir() { return build_dir() / "fonts"; }

// A game on headless services. Pictures and sounds come from the build's pack (or from
// data_dir when given); the save file lives in its own temporary folder.
struct TestGame {
    explicit TestGame(std::uint64_t seed = 1, const std::filesystem::path& data_dir = {});
    TempDir save_dir;
    Platform platform;
    std::unique_ptr<Game> game;
    Game& operator*() { return *game; }
    Game* operator->() { return game.get(); }
};

// While it lives, files this process writes stop growing after max_bytes, as on a full disk
// (a limit that stops root too, where folder permissions would not).
class FileSizeLimit {
public:
    explicit FileSizeLimit(long max_bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    long saved_cur_ = 0;
    void (*saved_handler_)(int) = nullptr;
};

// A window for tests that play in one: it opens at the usual size, shows nothing and
// has no events of its own (each test's window says what the player does in its wait_event).
class FakeWindow : public Window {
public:
    bool poll_event(InputEvent& event) override { return wait_event(event, 0); }
    void present(const Canvas&) override {}
    void set_title(const std::string&) override {}
    bool fullscreen() const override { return false; }
    void set_fullscreen(bool) override {}
    WindowSize size() const override { return {}; }
    void set_size(WindowSize) override {}
};

// A JPEG of w x h pixels (0xRRGGBB, rows top first) in one of the flavours a player's camera or
// editor writes.
struct JpegStyle {
    int quality = 95;
    bool subsample = false; // 4:2:0 colour instead of 4:4:4
    bool progressive = false;
    bool grey = false;
    bool arithmetic = false; // arithmetic instead of Huffman coding
    int restart_rows = 0;    // restart markers every so many rows of blocks
};
std::vector<unsigned char> encode_jpeg(int w, int h, const std::vector<Colour>& pixels, const JpegStyle& style);

// A game ready to play at home, as start-up and the title screens leave it (without the sprites):
// the content tables, an 800 x 600 play area with fonts, a new game, its trace collected.
struct HomeGame : TestGame {
    explicit HomeGame(std::uint64_t seed = 1);
    std::ostringstream trace;
    // The messages, sounds and music since the last call, one per line.
    std::string take_trace();
};

// A stage running, the player out on its sales floor: the home game with the character sprites
// and the desk, the stage chosen as the stage select leaves it, the sales-floor menu open.
struct StreetGame : HomeGame {
    explicit StreetGame(int stage, std::uint64_t seed = 1);
    // The live figures of a template.
    int live(int man_id) const;
    // The slot of the first live figure of a template; -1 when none.
    int slot_of(int man_id) const;
    // Runs n street ticks, the frame counter moving on as the frames would move it.
    void ticks(int n);
};

// A game controller of SDL's own making, with every axis and button a controller has, opened
// (for the real window to find as if plugged in); closed and unplugged at the end of its life.
// Empty (no stick) when SDL cannot make one.
struct VirtualController {
    VirtualController();
    ~VirtualController();
    VirtualController(const VirtualController&) = delete;
    VirtualController& operator=(const VirtualController&) = delete;
    int index = -1;
    _SDL_Joystick* stick = nullptr;
};

std::string read_file(const std::filesystem::path& file);
// The names of the files in a folder, as UTF-8.
std::set<std::string> names_in(const std::filesystem::path& dir);
// Reads a PNG written by the game into a canvas; false when it cannot.
bool read_png(const std::filesystem::path& file, Canvas& out);

// Runs the built program with the given arguments; stdout and stderr are collected.
struct RunResult {
    int exit_code = -1;
    std::string out;
    std::string err;
};
// Runs the program with its own empty settings folder, in Japanese (the C locale) unless `env`
// ("NAME=value ...", after those defaults) says otherwise.
RunResult run_program(const std::string& arguments, const std::string& env = "");
void write_file(const std::filesystem::path& file, const std::string& text);

// The bytes of a plain 24-bit BMP of one colour.
std::string bmp_bytes(int width, int height, Colour colour);
// Whether any pixel of the rectangle x1 <= x < x2, y1 <= y < y2 has the colour.
bool has_colour(const Canvas& c, int x1, int y1, int x2, int y2, Colour colour);
bool all_black(const Canvas& c);

} // namespace zen::test
