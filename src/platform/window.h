#pragma once
// The game window: events, presenting a frame, a warning box and the caption.
// A headless run has a window with no events and nothing shown.
#include "platform/canvas.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace zen {

enum class MouseButton { left, right, middle };

struct InputEvent {
    // focus_lost: the window went to the background or was minimised. wheel: the mouse wheel
    // turned y steps away from the player (negative: toward). pad_down, pad_up: a game controller's
    // button (key: "a", "b", "start", "dpup", "leftshoulder", ...); pad_axis: a stick or trigger
    // (key: "leftx", "lefty", "rightx", "righty", "lefttrigger", "righttrigger") now at x
    // (-32768..32767); pad_gone: a controller was unplugged.
    enum class Type {
        mouse_move,
        mouse_down,
        mouse_up,
        key,
        quit,
        focus_lost,
        wheel,
        pad_down,
        pad_up,
        pad_axis,
        pad_gone
    };
    Type type = Type::mouse_move;
    int x = 0; // play-area pixels
    int y = 0;
    MouseButton button = MouseButton::left;
    std::string key; // key name: "escape", "f11", "f12", "return", ...
};

struct WindowSize {
    int width = 800;
    int height = 600;
    bool operator==(const WindowSize&) const = default;
};
// The smallest and largest window the game opens.
constexpr WindowSize kSmallestWindow{200, 150};
constexpr WindowSize kLargestWindow{7680, 4320};

class Window {
public:
    virtual ~Window() = default;
    // Next pending event, without waiting; false when there is none.
    virtual bool poll_event(InputEvent& event) = 0;
    // Waits up to timeout_ms for an event; false when none came.
    virtual bool wait_event(InputEvent& event, int timeout_ms) = 0;
    virtual void present(const Canvas& frame) = 0;
    virtual void set_title(const std::string& title) = 0;
    // The game's own pointer, drawn over the frame shown at play-area (x, y) when visible, shown
    // at once (a controller moves it between the game's frames).
    virtual void show_pointer(int /*x*/, int /*y*/, bool /*visible*/) {}
    // Fullscreen (the desktop's size, the picture letterboxed) or a window.
    virtual bool fullscreen() const = 0;
    virtual void set_fullscreen(bool on) = 0;
    // The window's size on the desktop when not fullscreen; resizing keeps it centred where it was.
    virtual WindowSize size() const = 0;
    virtual void set_size(WindowSize size) = 0;
};

// The real SDL2 window (800 x 600 play area, resizable and letterboxed, F11/Alt+Enter fullscreen,
// F12 screenshot into shot_dir), with the first of icon_files that loads as its icon (none: the
// system's default). Game controllers are read with SDL's mappings and those of pad_mappings (a
// gamecontrollerdb.txt). Returns null with error set when no window can be opened.
std::unique_ptr<Window> make_sdl_window(const std::string& title, const std::string& shot_dir,
                                        const std::vector<std::filesystem::path>& icon_files,
                                        const std::filesystem::path& pad_mappings, std::string& error);
std::unique_ptr<Window> make_headless_window();

// A window icon: a PNG of at most kMaxIconSide on each side, as rows of unpremultiplied
// B, G, R, A bytes.
struct IconPicture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> bgra;
};
constexpr int kMaxIconSide = 1024;
// Loads an icon; on failure (missing, not a PNG, damaged, too large) out is left empty and error
// says why.
bool load_icon(const std::filesystem::path& file, IconPicture& out, std::string& error);

// Writes frame as a new PNG in folder (made when missing): zentrifa-STAMP.png, or when that name
// is taken by anything (a file, a link, a folder) zentrifa-STAMP-2.png, -3 and so on. Never writes
// through a link nor over a file. Returns the file written; empty, with error set, when none was.
std::filesystem::path save_new_screenshot(const Canvas& frame, const std::filesystem::path& folder,
                                          const std::string& stamp, std::string& error);

} // namespace zen
