// The real SDL window on SDL's dummy video driver: which keys the window keeps for itself,
// which events reach the game, and the F12 screenshot.
#include "platform/window.h"

#include "test_support.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

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

TEST(SdlWindow, KeepsWindowKeysAndHandsTheRestToTheGame)
{
    ::setenv("SDL_VIDEODRIVER", "dummy", 1);
    test::TempDir shots;
    std::string error;
    auto window = make_sdl_window("Zentrifa test", shots.path().string(), error);
    ASSERT_TRUE(window) << error;

    Canvas frame;
    frame.resize(800, 600);
    frame.fill(0x224466);
    window->present(frame);
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
    ::setenv("SDL_VIDEODRIVER", "dummy", 1);
    test::TempDir shots;
    std::string error;
    auto window = make_sdl_window("Zentrifa test", shots.path().string(), error);
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

} // namespace
} // namespace zen
