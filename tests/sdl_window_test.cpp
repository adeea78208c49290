// The real SDL window on SDL's dummy video driver: which keys the window keeps for itself,
// which events reach the game, and the F12 screenshot.
#include "platform/paths.h"
#include "platform/sdl_pads.h"
#include "platform/window.h"

#include "test_support.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace zen {
namespace {

namespace fs = std::filesystem;

void push_key(SDL_Keycode key, Uint16 mod = KMOD_NONE)
{
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = key;
    e.key.keysym.mod = mod;
    SDL_PushEvent(&e);
}

// The real window on SDL's dummy video driver, its screenshots into shots.
std::unique_ptr<Window> open_window(const fs::path& shots, std::string& error, const std::vector<fs::path>& icons = {})
{
    ::setenv("SDL_VIDEODRIVER", "dummy", 1);
    return make_sdl_window("Zentrifa test", shots.string(), icons, {}, error);
}

TEST(SdlWindow, KeepsWindowKeysAndHandsTheRestToTheGame)
{
    test::TempDir shots;
    std::string error;
    auto window = open_window(shots.path(), error);
    ASSERT_TRUE(window) << error;

    {
        // Shown from a canvas that is gone by the time of F12, as a question's is once answered.
        Canvas frame;
        frame.resize(800, 600);
        frame.fill(0x224466);
        window->present(frame);
    }
    InputEvent ev;
    while (window->poll_event(ev)) {
    } // whatever the window itself queued on opening

    // The mouse reaches the game in play-area pixels.
    SDL_Event m{};
    m.type = SDL_MOUSEBUTTONDOWN;
    m.button.windowID = 1; // the only window
    m.button.state = SDL_PRESSED;
    m.button.button = SDL_BUTTON_RIGHT;
    m.button.x = 123;
    m.button.y = 45;
    ASSERT_EQ(SDL_PushEvent(&m), 1) << SDL_GetError();
    ASSERT_TRUE(window->poll_event(ev));
    EXPECT_EQ(ev.type, InputEvent::Type::mouse_down);
    EXPECT_EQ(ev.button, MouseButton::right);
    EXPECT_EQ(ev.x, 123);
    EXPECT_EQ(ev.y, 45);

    // F12 writes a screenshot of the last frame; F11 and Alt+Enter switch fullscreen. None reach the game.
    push_key(SDLK_F12);
    push_key(SDLK_F11);
    push_key(SDLK_RETURN, KMOD_LALT);
    EXPECT_FALSE(window->poll_event(ev));
    int pngs = 0;
    for (const auto& f : fs::directory_iterator(shots.path())) {
        Canvas shot;
        ASSERT_TRUE(test::read_png(f.path(), shot));
        EXPECT_EQ(shot.pixel(400, 300), 0x224466u);
        ++pngs;
    }
    EXPECT_EQ(pngs, 1);

    // Other keys and closing reach the game.
    push_key(SDLK_ESCAPE);
    ASSERT_TRUE(window->poll_event(ev));
    EXPECT_EQ(ev.type, InputEvent::Type::key);
    EXPECT_EQ(ev.key, "escape");

    SDL_Event q{};
    q.type = SDL_QUIT;
    SDL_PushEvent(&q);
    ASSERT_TRUE(window->wait_event(ev, 100));
    EXPECT_EQ(ev.type, InputEvent::Type::quit);
    EXPECT_FALSE(window->wait_event(ev, 10)); // nothing more: the wait ends by itself
}

void push_finger(Uint32 type, SDL_FingerID finger, float x, float y)
{
    SDL_Event e{};
    e.type = type;
    e.tfinger.touchId = 1;
    e.tfinger.fingerId = finger;
    e.tfinger.x = x; // fractions of the window
    e.tfinger.y = y;
    e.tfinger.windowID = 1;
    SDL_PushEvent(&e);
}

// A touch screen under a letterboxed window: the first finger is the mouse with its left button
// held, at the play area's pixel under it; a second finger meanwhile does nothing.
TEST(SdlWindow, TurnsTheFirstFingerIntoTheMouse)
{
    test::TempDir shots;
    std::string error;
    auto window = open_window(shots.path(), error);
    ASSERT_TRUE(window) << error;
    window->set_size({1000, 500}); // the picture at 666 x 500, bars of 167 at each side
    InputEvent ev;
    while (window->poll_event(ev)) {
    }
    const auto next = [&](InputEvent::Type type, int x, int y) {
        ASSERT_TRUE(window->poll_event(ev));
        EXPECT_EQ(ev.type, type);
        EXPECT_EQ(ev.button, MouseButton::left);
        EXPECT_NEAR(ev.x, x, 1);
        EXPECT_NEAR(ev.y, y, 1);
    };
    push_finger(SDL_FINGERDOWN, 7, 0.5f, 0.25f);
    next(InputEvent::Type::mouse_down, 400, 150);
    push_finger(SDL_FINGERDOWN, 8, 0.7f, 0.7f);
    push_finger(SDL_FINGERMOTION, 8, 0.6f, 0.6f);
    EXPECT_FALSE(window->poll_event(ev)) << "a second finger moved the mouse";
    push_finger(SDL_FINGERMOTION, 7, 0.3f, 0.5f);
    next(InputEvent::Type::mouse_move, 160, 300);
    push_finger(SDL_FINGERUP, 8, 0.6f, 0.6f);
    EXPECT_FALSE(window->poll_event(ev));
    push_finger(SDL_FINGERUP, 7, 0.95f, 0.999f); // lifted over the right-hand bar
    next(InputEvent::Type::mouse_up, 799, 599);
    push_finger(SDL_FINGERDOWN, 8, 0.1f, 0.0f); // over the left-hand bar: the edge
    next(InputEvent::Type::mouse_down, 0, 0);
}

// What the window shows, read back from its renderer.
Colour shown(int x, int y)
{
    SDL_Renderer* r = SDL_GetRenderer(SDL_GetWindowFromID(1));
    Uint32 p = 0;
    const SDL_Rect at{x, y, 1, 1};
    if (!r || SDL_RenderReadPixels(r, &at, SDL_PIXELFORMAT_XRGB8888, &p, 4) != 0) return 0xDEAD;
    return p & 0xFFFFFFu;
}

// Only the rows that changed go to the window; the picture shown is still the whole last frame.
TEST(SdlWindow, ShowsEachFrameWhole)
{
    test::TempDir shots;
    std::string error;
    auto window = open_window(shots.path(), error);
    ASSERT_TRUE(window) << error;
    Canvas frame;
    frame.resize(800, 600);
    frame.fill(0x224466);
    window->present(frame);
    EXPECT_EQ(shown(400, 300), 0x224466u);

    frame.fill_rect(0, 100, 800, 111, 0xFF0000);
    frame.set_pixel(799, 599, 0x00FF00); // the last row too
    window->present(frame);
    window->present(frame); // the same frame again
    EXPECT_EQ(shown(400, 99), 0x224466u);
    EXPECT_EQ(shown(400, 100), 0xFF0000u);
    EXPECT_EQ(shown(10, 110), 0xFF0000u);
    EXPECT_EQ(shown(400, 111), 0x224466u);
    EXPECT_EQ(shown(799, 599), 0x00FF00u);

    frame.fill(0x224466);
    frame.set_pixel(0, 0, 0xFFFFFF); // the first row and the last change
    window->present(frame);
    EXPECT_EQ(shown(0, 0), 0xFFFFFFu);
    EXPECT_EQ(shown(400, 105), 0x224466u);
    EXPECT_EQ(shown(799, 599), 0x224466u);

    // Frames that change in scattered places (often a band's first or last row, the first or the
    // last column): what the window shows is the whole frame every time.
    SDL_Renderer* renderer = SDL_GetRenderer(SDL_GetWindowFromID(1));
    ASSERT_NE(renderer, nullptr);
    std::vector<Uint32> window_pixels(std::size_t{800} * 600);
    std::mt19937 rng(8);
    const auto coordinate = [&](int size) {
        const int edge = static_cast<int>(rng() % 3);
        const int at = static_cast<int>(rng() % static_cast<unsigned>(size));
        if (edge == 0) return at - at % 16; // a band's first row or column
        if (edge == 1) return std::min(size - 1, at - at % 16 + 15);
        return at;
    };
    for (int i = 0; i < 40; ++i) {
        for (int n = static_cast<int>(rng() % 6); n >= 0; --n) {
            const int x = coordinate(800);
            const int y = coordinate(600);
            const Colour c = rng() & 0xFFFFFFu;
            if (rng() % 2 == 0)
                frame.set_pixel(rng() % 4 == 0 ? 799 * static_cast<int>(rng() % 2) : x, y, c);
            else
                frame.fill_rect(x, y, x + 1 + static_cast<int>(rng() % 40), y + 1 + static_cast<int>(rng() % 40), c);
        }
        window->present(frame);
        ASSERT_EQ(SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_XRGB8888, window_pixels.data(), 800 * 4), 0);
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x)
                ASSERT_EQ(window_pixels[static_cast<std::size_t>(y) * 800 + static_cast<std::size_t>(x)] & 0xFFFFFFu,
                          frame.pixel(x, y))
                    << "frame " << i << " (" << x << ", " << y << ")";
    }
}

// F12's picture is always a new file: a link planted at its name is not written through (nor is
// the file it points to, nor a file made where a dangling one leads), an existing file is kept,
// and the picture takes the next free name.
TEST(SdlWindow, ScreenshotsNeverWriteThroughALinkNorOverAFile)
{
    test::TempDir dir;
    const fs::path shots = dir.path() / "screenshots";
    fs::create_directories(shots);
    const fs::path victim = dir.path() / "my.dat";
    test::write_file(victim, "progress\n");
    const fs::path nowhere = dir.path() / "made-through-a-link";
    fs::create_symlink(victim, shots / "zentrifa-20260101-120000.png");
    test::write_file(shots / "zentrifa-20260101-120000-2.png", "an older picture");
    fs::create_symlink(nowhere, shots / "zentrifa-20260101-120000-3.png");
    fs::create_directory(shots / "zentrifa-20260101-120000-4.png");

    Canvas frame;
    frame.resize(800, 600);
    frame.fill(0x336699);
    std::string error;
    const fs::path written = save_new_screenshot(frame, shots, "20260101-120000", error);
    EXPECT_EQ(written, shots / "zentrifa-20260101-120000-5.png") << error;
    EXPECT_EQ(test::read_file(victim), "progress\n");
    EXPECT_EQ(test::read_file(shots / "zentrifa-20260101-120000-2.png"), "an older picture");
    EXPECT_FALSE(fs::exists(nowhere));
    EXPECT_TRUE(fs::is_symlink(shots / "zentrifa-20260101-120000.png"));
    Canvas shot;
    ASSERT_TRUE(test::read_png(written, shot));
    EXPECT_EQ(shot.pixel(799, 599), 0x336699u);

    // The next one takes the name after it; a folder that is missing is made.
    EXPECT_EQ(save_new_screenshot(frame, shots, "20260101-120000", error), shots / "zentrifa-20260101-120000-6.png");
    EXPECT_EQ(save_new_screenshot(frame, dir.path() / "new", "x", error), dir.path() / "new" / "zentrifa-x.png");
    // A folder that cannot be made: no file, a reason.
    EXPECT_TRUE(save_new_screenshot(frame, victim / "sub", "x", error).empty());
    EXPECT_FALSE(error.empty());
}

// The window's icon is the pack's desktop icon, found from the data folder in a build and in an
// installed layout; anything broken in its place is refused without harm and the window still opens.
TEST(SdlWindow, TheIconComesFromThePackAndABrokenOneIsLeftOut)
{
    Paths built;
    built.data_dir = test::build_dir();
    const std::vector<fs::path> files = built.icon_files();
    ASSERT_FALSE(files.empty());
    IconPicture icon;
    std::string error;
    ASSERT_TRUE(load_icon(files.front(), icon, error)) << error;
    EXPECT_EQ(icon.width, 128);
    EXPECT_EQ(icon.height, 128);
    ASSERT_EQ(icon.bgra.size(), 128u * 128u * 4u);
    EXPECT_EQ(icon.bgra[3], 0) << "the corner outside the rounded tile is transparent";
    EXPECT_EQ(icon.bgra[(64 * 128 + 64) * 4 + 3], 255) << "the middle is opaque";
    Paths installed;
    installed.data_dir = "/usr/share/zentrifa/";
    EXPECT_EQ(installed.icon_files().back(), fs::path("/usr/share/icons/hicolor/128x128/apps/zentrifa.png"));

    test::TempDir dir;
    const std::string good = test::read_file(files.front());
    test::write_file(dir.path() / "empty.png", "");
    test::write_file(dir.path() / "cut.png", good.substr(0, good.size() / 2));
    test::write_file(dir.path() / "bmp.png", test::bmp_bytes(16, 16, 0x123456));
    // The same icon with a header, its check sum made good, claiming 60000 x 60000.
    std::string huge = good;
    for (const std::size_t at : {16u, 20u}) {
        huge[at + 2] = static_cast<char>(60000 >> 8);
        huge[at + 3] = static_cast<char>(60000 & 0xFF);
    }
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 12; i < 29; ++i) { // the chunk's type and data
        crc ^= static_cast<unsigned char>(huge[i]);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    crc ^= 0xFFFFFFFFu;
    for (int i = 0; i < 4; ++i) huge[29 + static_cast<std::size_t>(i)] = static_cast<char>(crc >> (24 - 8 * i));
    test::write_file(dir.path() / "huge.png", huge);
    fs::create_directory(dir.path() / "folder.png");
    for (const char* name : {"missing.png", "empty.png", "cut.png", "bmp.png", "huge.png", "folder.png"}) {
        SCOPED_TRACE(name);
        icon.width = 5;
        EXPECT_FALSE(load_icon(dir.path() / name, icon, error));
        EXPECT_EQ(icon.width, 0);
        EXPECT_TRUE(icon.bgra.empty());
        EXPECT_FALSE(error.empty());
        if (std::string(name) == "huge.png") {
            EXPECT_NE(error.find("60000 x 60000"), std::string::npos) << error;
        }
    }

    // Broken icons before the good one: the window opens with the good one; with only broken ones,
    // with the default.
    for (const bool with_good : {true, false}) {
        std::vector<fs::path> tried = {dir.path() / "missing.png", dir.path() / "cut.png", dir.path() / "folder.png"};
        if (with_good) tried.push_back(files.front());
        auto window = open_window(dir.path(), error, tried);
        EXPECT_TRUE(window) << error;
    }
}

// A virtual game controller, plugged in while the window is open: its buttons and sticks reach
// the game as pad events by their names, and unplugging it says so.
TEST(SdlWindow, TurnsAGameControllerIntoPadEvents)
{
    // The dummy driver's window never has the focus, without which SDL holds back a controller.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    test::TempDir shots;
    std::string error;
    auto window = open_window(shots.path(), error);
    ASSERT_TRUE(window) << error;
    InputEvent ev;
    while (window->poll_event(ev)) {
    }
    auto pad = std::make_unique<test::VirtualController>();
    ASSERT_NE(pad->stick, nullptr) << SDL_GetError();
    SDL_Joystick* joystick = pad->stick;
    // The window opens the controller as it is announced.
    while (window->poll_event(ev)) {
    }

    const auto next_pad_event = [&](InputEvent& out) {
        SDL_JoystickUpdate();
        for (int tries = 0; tries < 10; ++tries)
            if (window->wait_event(out, 20)) return true;
        return false;
    };
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, 1);
    ASSERT_TRUE(next_pad_event(ev));
    EXPECT_EQ(ev.type, InputEvent::Type::pad_down);
    EXPECT_EQ(ev.key, "a");
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, 0);
    ASSERT_TRUE(next_pad_event(ev));
    EXPECT_EQ(ev.type, InputEvent::Type::pad_up);
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_START, 1);
    ASSERT_TRUE(next_pad_event(ev));
    EXPECT_EQ(ev.key, "start");
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, 20000);
    ASSERT_TRUE(next_pad_event(ev));
    EXPECT_EQ(ev.type, InputEvent::Type::pad_axis);
    EXPECT_EQ(ev.key, "leftx");
    EXPECT_EQ(ev.x, 20000);

    pad.reset(); // unplugged
    bool gone = false;
    for (int tries = 0; tries < 10 && !gone; ++tries)
        gone = window->wait_event(ev, 20) && ev.type == InputEvent::Type::pad_gone;
    EXPECT_TRUE(gone);
}

// A controller SDL knows no mapping for, and a mappings file of tens of thousands of other
// controllers (lines for other systems, comments, Windows line ends, a line given twice) with
// one line for it: SDL is handed only that line, when the controller is plugged in, and its
// buttons then reach the game.
TEST(SdlWindow, AControllerFoundInALargeMappingsFileIsTakenWhenPluggedIn)
{
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_JOYSTICK), 0) << SDL_GetError();
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
    desc.naxes = 2;
    desc.nbuttons = 8;
    desc.vendor_id = 0x1234;
    desc.product_id = 0x5678;
    desc.name = "Homemade pad";
    const auto plug = [&desc] { return SDL_JoystickAttachVirtualEx(&desc); };
    int index = plug();
    ASSERT_GE(index, 0) << SDL_GetError();
    char guid[33] = {};
    SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(index), guid, sizeof guid);
    EXPECT_FALSE(SDL_IsGameController(index)) << "SDL must not know it by itself";
    SDL_JoystickDetachVirtual(index);

    std::string db = "# generated\r\n";
    std::mt19937 random(5);
    char line[160];
    for (int i = 0; i < 40000; ++i) {
        std::snprintf(line, sizeof line, "03000000%08x%08x%08x,Pad %d,a:b1,b:b0,platform:%s,\r\n",
                      static_cast<unsigned>(random()), static_cast<unsigned>(random()), static_cast<unsigned>(random()),
                      i, i % 4 == 0 ? "Windows" : "Linux");
        db += line;
        if (i == 20000) db += std::string(guid) + ",Homemade pad,a:b5,b:b4,platform:Linux,\r\n";
        if (i == 30000) db += std::string(guid) + ",Homemade pad,a:b0,b:b1,platform:Linux,\r\n"; // the later one
    }
    PadMappingIndex index_of_db;
    index_of_db.read(db, "Linux");
    EXPECT_EQ(index_of_db.size(), 30001u) << "only this system's lines, the one given twice once";
    const std::vector<std::string>* found = index_of_db.lines_for(guid);
    ASSERT_NE(found, nullptr);
    ASSERT_EQ(found->size(), 1u);
    EXPECT_EQ(found->front(), std::string(guid) + ",Homemade pad,a:b0,b:b1,platform:Linux,");
    std::string upper = guid;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    upper.replace(4, 4, "beef"); // a checksum SDL leaves out of the match
    EXPECT_EQ(index_of_db.lines_for(upper), found);
    EXPECT_EQ(index_of_db.lines_for("03000000000000000000000000000000"), nullptr);

    test::TempDir dir;
    test::write_file(dir.path() / "gamecontrollerdb.txt", db);
    ::setenv("SDL_VIDEODRIVER", "dummy", 1);
    std::string error;
    auto window = make_sdl_window("Zentrifa test", dir.path().string(), {}, dir.path() / "gamecontrollerdb.txt", error);
    ASSERT_TRUE(window) << error;
    EXPECT_LT(SDL_GameControllerNumMappings(), 10000) << "the file's mappings wait for their controllers";
    InputEvent ev;
    while (window->poll_event(ev)) {
    }
    index = plug();
    ASSERT_GE(index, 0) << SDL_GetError();
    SDL_Joystick* stick = SDL_JoystickOpen(index);
    ASSERT_NE(stick, nullptr) << SDL_GetError();
    while (window->poll_event(ev)) {
    }
    EXPECT_TRUE(SDL_IsGameController(index));
    SDL_JoystickSetVirtualButton(stick, 0, 1);
    SDL_JoystickUpdate();
    bool pressed = false;
    for (int tries = 0; tries < 10 && !pressed; ++tries)
        pressed = window->wait_event(ev, 20) && ev.type == InputEvent::Type::pad_down && ev.key == "a";
    EXPECT_TRUE(pressed);
    SDL_JoystickClose(stick);
    SDL_JoystickDetachVirtual(index);
    window.reset();
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

} // namespace
} // namespace zen
