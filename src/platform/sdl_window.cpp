#include "platform/sdl_pads.h"
#include "platform/window.h"
#include "platform/x11_fullscreen.h"

#include "platform/files.h"
#include "platform/path_text.h"
#include "platform/platform.h"
#include "platform/system.h"

#include <SDL.h>
#include <png.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <vector>

namespace zen {

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
// Rows compared and sent to the texture together.
constexpr int kUploadBand = 16;

// A key's name as one lower-case word ("escape", "f5", "left_shift"), so that it can stand in an
// input script or a recording.
std::string key_name(SDL_Keycode key)
{
    std::string name = SDL_GetKeyName(key);
    for (char& c : name) {
        const auto u = static_cast<unsigned char>(c);
        c = std::isalnum(u) ? static_cast<char>(std::tolower(u)) : '_';
    }
    return name.empty() ? "unknown" : name;
}

// The game's own pointer: an arrow, white with a black edge, its tip at the top-left corner.
constexpr int kPointerWidth = 12;
constexpr int kPointerHeight = 19;
constexpr const char* kPointerShape[kPointerHeight] = {
    "X           ", "XX          ", "X.X         ", "X..X        ", "X...X       ", "X....X      ", "X.....X     ",
    "X......X    ", "X.......X   ", "X........X  ", "X.........X ", "X......XXXXX", "X...X..X    ", "X..XX..X    ",
    "X.X  X..X   ", "XX   X..X   ", "X     X..X  ", "      X..X  ", "       XX   ",
};

SDL_Texture* make_pointer(SDL_Renderer* renderer)
{
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, kPointerWidth, kPointerHeight, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!s) return nullptr;
    SDL_LockSurface(s);
    for (int y = 0; y < kPointerHeight; ++y) {
        auto* row =
            reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + static_cast<std::ptrdiff_t>(y) * s->pitch);
        for (int x = 0; x < kPointerWidth; ++x) {
            const char c = kPointerShape[y][x];
            row[x] = c == 'X' ? 0xFF000000u : c == '.' ? 0xFFFFFFFFu : 0x00000000u;
        }
    }
    SDL_UnlockSurface(s);
    SDL_Texture* t = SDL_CreateTextureFromSurface(renderer, s);
    SDL_FreeSurface(s);
    if (t) SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);
    return t;
}

// The pointer in play-area pixels: the letterbox bars around a scaled window count as the edge.
int inside(int v, int size) { return std::clamp(v, 0, size - 1); }

MouseButton button_of(Uint8 b)
{
    if (b == SDL_BUTTON_RIGHT) return MouseButton::right;
    if (b == SDL_BUTTON_MIDDLE) return MouseButton::middle;
    return MouseButton::left;
}

// The first icon that loads becomes the window's; a broken one is named on standard error, and
// with none the window keeps the system's default.
void set_icon(SDL_Window* window, const std::vector<std::filesystem::path>& files)
{
    for (const std::filesystem::path& file : files) {
        std::error_code ec;
        if (!std::filesystem::exists(file, ec)) continue;
        IconPicture icon;
        std::string error;
        if (!load_icon(file, icon, error)) {
            std::fprintf(stderr, "zentrifa: window icon %s\n", error.c_str());
            continue;
        }
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(icon.bgra.data(), icon.width, icon.height, 32,
                                                                  icon.width * 4, SDL_PIXELFORMAT_BGRA32);
        if (!surface) continue;
        SDL_SetWindowIcon(window, surface); // SDL keeps its own copy
        SDL_FreeSurface(surface);
        return;
    }
}

class SdlWindow final : public Window {
public:
    SdlWindow(SDL_Window* w, SDL_Renderer* r, SDL_Texture* t, std::string shot_dir,
              const std::filesystem::path& pad_mappings)
        : window_(w), renderer_(r), texture_(t), shot_dir_(std::move(shot_dir)), pads_(pad_mappings),
          pointer_(make_pointer(r))
    {}
    ~SdlWindow() override
    {
        if (pointer_) SDL_DestroyTexture(pointer_);
        SDL_DestroyTexture(texture_);
        SDL_DestroyRenderer(renderer_);
        SDL_DestroyWindow(window_);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    bool poll_event(InputEvent& event) override
    {
        if (stopping(event)) return true;
        // Pump, then take queued events directly: SDL_PollEvent stops at the end of each pump
        // cycle, which would leave events pushed since then waiting for another call.
        SDL_PumpEvents();
        SDL_Event e;
        while (SDL_PeepEvents(&e, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0)
            if (translate(e, event)) return true;
        return false;
    }

    bool wait_event(InputEvent& event, int timeout_ms) override
    {
        SDL_Event e;
        const Uint64 until = SDL_GetTicks64() + static_cast<Uint64>(timeout_ms < 0 ? 0 : timeout_ms);
        for (;;) {
            if (stopping(event)) return true;
            const Uint64 now = SDL_GetTicks64();
            if (now >= until) return poll_event(event);
            // In short steps: a stop signal does not wake the wait.
            const Uint64 step = std::min<Uint64>(until - now, kStopCheckMs);
            if (!SDL_WaitEventTimeout(&e, static_cast<int>(step))) continue;
            if (translate(e, event)) return true;
        }
    }

    // The run loop presents once per game frame. Only the rows that changed since the last
    // frame shown go to the texture, and a frame like the last one (a still menu) is not shown
    // again unless the window needs painting anew.
    void present(const Canvas& frame) override
    {
        if (frame.empty() || frame.width() != kWidth || frame.height() != kHeight) return;
        const auto* pixels = reinterpret_cast<const char*>(frame.pixels());
        const std::size_t row_bytes = static_cast<std::size_t>(kWidth) * sizeof(std::uint32_t);
        const auto row_at = [&](int y) { return pixels + static_cast<std::ptrdiff_t>(y) * frame.pitch(); };
        const auto shown_at = [&](int y) { return shown_.data() + static_cast<std::size_t>(y) * row_bytes; };
        if (shown_.empty()) {
            shown_.resize(row_bytes * kHeight);
            repaint_ = true;
        }
        // Only what changed goes to the texture, band of rows by band, each band's changed rows
        // and columns: software GL converts every pixel it is given, and on the street most of
        // the picture stands still from one frame to the next.
        bool changed = false;
        for (int band = 0; band < kHeight; band += kUploadBand) {
            int x1 = kWidth;
            int x2 = 0;
            int y1 = -1;
            int y2 = -1;
            for (int y = band; y < std::min(kHeight, band + kUploadBand); ++y) {
                const auto* now = reinterpret_cast<const std::uint32_t*>(row_at(y));
                const auto* was = reinterpret_cast<const std::uint32_t*>(shown_at(y));
                int left = 0;
                int right = kWidth - 1;
                if (!repaint_) {
                    if (std::memcmp(now, was, row_bytes) == 0) continue;
                    while (now[left] == was[left]) ++left;
                    while (now[right] == was[right]) --right;
                }
                x1 = std::min(x1, left);
                x2 = std::max(x2, right + 1);
                if (y1 < 0) y1 = y;
                y2 = y + 1;
            }
            if (y1 < 0) continue;
            const std::size_t offset = static_cast<std::size_t>(x1) * sizeof(std::uint32_t);
            const std::size_t bytes = static_cast<std::size_t>(x2 - x1) * sizeof(std::uint32_t);
            for (int y = y1; y < y2; ++y) std::memcpy(shown_at(y) + offset, row_at(y) + offset, bytes);
            const SDL_Rect area{x1, y1, x2 - x1, y2 - y1};
            SDL_UpdateTexture(texture_, &area, row_at(y1) + offset, frame.pitch());
            changed = true;
        }
        if (!changed) return; // the same picture as before
        render();
        repaint_ = false;
    }

    void show_pointer(int x, int y, bool visible) override
    {
        if (visible == pointer_visible_ && (!visible || (x == pointer_x_ && y == pointer_y_))) return;
        pointer_visible_ = visible;
        pointer_x_ = x;
        pointer_y_ = y;
        if (!shown_.empty()) render(); // the frame in the texture, the pointer over it
    }

    void set_title(const std::string& title) override { SDL_SetWindowTitle(window_, title.c_str()); }

private:
    // How long a wait for the player goes at most before it looks for a stop request again.
    static constexpr Uint64 kStopCheckMs = 50;

    // A stop request (SIGTERM and the like) is the window closing, wherever the game waits.
    static bool stopping(InputEvent& out)
    {
        if (!stop_requested()) return false;
        out = InputEvent{};
        out.type = InputEvent::Type::quit;
        return true;
    }

    // Window keys (fullscreen, screenshot) are handled here; the game never sees them.
    bool translate(const SDL_Event& e, InputEvent& out)
    {
        switch (e.type) {
        case SDL_QUIT:
            out = InputEvent{};
            out.type = InputEvent::Type::quit;
            return true;
        case SDL_MOUSEMOTION:
            out = InputEvent{};
            out.type = InputEvent::Type::mouse_move;
            out.x = inside(e.motion.x, 800);
            out.y = inside(e.motion.y, 600);
            return true;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            out = InputEvent{};
            out.type = e.type == SDL_MOUSEBUTTONDOWN ? InputEvent::Type::mouse_down : InputEvent::Type::mouse_up;
            out.x = inside(e.button.x, 800);
            out.y = inside(e.button.y, 600);
            out.button = button_of(e.button.button);
            return true;
        case SDL_MOUSEWHEEL:
            out = InputEvent{};
            out.type = InputEvent::Type::wheel;
            out.y = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
            return out.y != 0;
        case SDL_WINDOWEVENT:
            // Uncovered, resized or back from the task bar: the next frame is shown in full.
            repaint_ = repaint_ || e.window.event == SDL_WINDOWEVENT_EXPOSED ||
                       e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED || e.window.event == SDL_WINDOWEVENT_RESTORED;
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST || e.window.event == SDL_WINDOWEVENT_MINIMIZED) {
                out = InputEvent{};
                out.type = InputEvent::Type::focus_lost;
                return true;
            }
            return false;
        case SDL_RENDER_TARGETS_RESET:
        case SDL_RENDER_DEVICE_RESET: // the texture may have lost what it held
            repaint_ = true;
            return false;
        case SDL_KEYDOWN: {
            // A held key counts once: its repeats would answer a question before it is read.
            if (e.key.repeat != 0) return false;
            const SDL_Keycode k = e.key.keysym.sym;
            if (k == SDLK_F11 || (k == SDLK_RETURN && (e.key.keysym.mod & KMOD_ALT))) {
                toggle_fullscreen();
                return false;
            }
            if (k == SDLK_F12) {
                screenshot();
                return false;
            }
            out = InputEvent{};
            out.type = InputEvent::Type::key;
            out.key = key_name(k);
            return true;
        }
        case SDL_FINGERDOWN:
        case SDL_FINGERMOTION:
        case SDL_FINGERUP: return touch(e.tfinger, out);
        default: return pads_.translate(e, out);
        }
    }

    // A touch screen: the first finger down is the mouse with its left button held, until it is
    // lifted; other fingers meanwhile are ignored. SDL has already turned the finger's place into
    // a fraction of the play area (outside 0..1 over the letterbox bars).
    bool touch(const SDL_TouchFingerEvent& f, InputEvent& out)
    {
        if (f.type == SDL_FINGERDOWN) {
            if (touching_) return false;
            touching_ = true;
            finger_ = f.fingerId;
        } else if (!touching_ || f.fingerId != finger_) {
            return false;
        }
        out = InputEvent{};
        out.type = f.type == SDL_FINGERDOWN ? InputEvent::Type::mouse_down
                   : f.type == SDL_FINGERUP ? InputEvent::Type::mouse_up
                                            : InputEvent::Type::mouse_move;
        out.x = inside(static_cast<int>(std::floor(f.x * kWidth)), kWidth);
        out.y = inside(static_cast<int>(std::floor(f.y * kHeight)), kHeight);
        out.button = MouseButton::left;
        if (f.type == SDL_FINGERUP) touching_ = false;
        return true;
    }

    // The texture's frame, letterboxed, and the game's pointer over it when it shows.
    void render()
    {
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
        SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
        if (pointer_visible_ && pointer_) {
            const SDL_Rect at{pointer_x_, pointer_y_, kPointerWidth, kPointerHeight};
            SDL_RenderCopy(renderer_, pointer_, nullptr, &at);
        }
        SDL_RenderPresent(renderer_);
    }

    void toggle_fullscreen() { set_fullscreen(!fullscreen()); }

public:
    bool fullscreen() const override { return (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0; }
    void set_fullscreen(bool on) override
    {
        if (on == fullscreen()) return;
        if (on) windowed_ = size();
        SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
        // With no window manager to carry it out, the window covers the display by hand, and
        // back in a window it takes its own size again, centred.
        SDL_Rect display;
        if (lacks_window_manager(window_) &&
            SDL_GetDisplayBounds(std::max(0, SDL_GetWindowDisplayIndex(window_)), &display) == 0) {
            if (on) {
                place_on_x(window_, display.x, display.y, display.w, display.h);
            } else {
                place_on_x(window_, display.x + (display.w - windowed_.width) / 2,
                           display.y + (display.h - windowed_.height) / 2, windowed_.width, windowed_.height);
            }
        }
        repaint_ = true;
    }
    WindowSize size() const override
    {
        WindowSize s;
        SDL_GetWindowSize(window_, &s.width, &s.height);
        return s;
    }
    void set_size(WindowSize s) override
    {
        SDL_SetWindowSize(window_, s.width, s.height);
        SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        repaint_ = true;
    }

private:
    void screenshot()
    {
        // What the window shows, from its own copy: the canvas it came from (a question's, the
        // pause's) may be gone by now.
        if (shown_.empty()) return;
        Canvas frame;
        frame.resize(kWidth, kHeight);
        const std::size_t row_bytes = static_cast<std::size_t>(kWidth) * sizeof(std::uint32_t);
        auto* pixels = reinterpret_cast<char*>(frame.pixels());
        for (int y = 0; y < kHeight; ++y)
            std::memcpy(pixels + static_cast<std::ptrdiff_t>(y) * frame.pitch(),
                        shown_.data() + static_cast<std::size_t>(y) * row_bytes, row_bytes);
        char stamp[32];
        const std::time_t t = std::time(nullptr);
        std::tm local{};
        if (local_time(t, local))
            std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
        else
            std::snprintf(stamp, sizeof stamp, "%lld", static_cast<long long>(t));
        std::string error;
        const std::filesystem::path file = save_new_screenshot(frame, shot_dir_, stamp, error);
        if (!file.empty())
            std::fprintf(stderr, "zentrifa: screenshot %s\n", path_utf8(file).c_str());
        else
            std::fprintf(stderr, "zentrifa: cannot write a screenshot: %s\n", error.c_str());
    }

    SDL_Window* window_;
    SDL_Renderer* renderer_;
    SDL_Texture* texture_;
    std::string shot_dir_;
    std::vector<char> shown_; // the frame on the window, row by row
    bool repaint_ = true;
    SdlPads pads_;
    bool touching_ = false;
    SDL_FingerID finger_ = 0;
    SDL_Texture* pointer_;
    bool pointer_visible_ = false;
    WindowSize windowed_; // the window's size before it went fullscreen
    int pointer_x_ = 0;
    int pointer_y_ = 0;
};

class HeadlessWindow final : public Window {
public:
    bool poll_event(InputEvent&) override { return false; }
    bool wait_event(InputEvent&, int) override { return false; }
    void present(const Canvas&) override {}
    void set_title(const std::string& title) override { title_ = title; }
    // Headless, a window that is not there keeps what it was told.
    bool fullscreen() const override { return fullscreen_; }
    void set_fullscreen(bool on) override { fullscreen_ = on; }
    WindowSize size() const override { return size_; }
    void set_size(WindowSize s) override { size_ = s; }

private:
    std::string title_;
    bool fullscreen_ = false;
    WindowSize size_;
};

} // namespace

bool load_icon(const std::filesystem::path& file, IconPicture& out, std::string& error)
{
    out = IconPicture{};
    // The largest icon as an uncompressed PNG, and a header.
    constexpr std::size_t kIconFileLimit = std::size_t{kMaxIconSide} * kMaxIconSide * 4 + (std::size_t{1} << 16);
    std::string bytes;
    if (read_file_bytes(file, kIconFileLimit, bytes, error) != ReadResult::ok) return false;
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) {
        error = file.string() + ": not a PNG picture (" + image.message + ")";
        return false;
    }
    // The size from the header, before anything is set aside for the pixels.
    if (image.width < 1 || image.height < 1 || image.width > kMaxIconSide || image.height > kMaxIconSide) {
        error = file.string() + ": an icon of unusable size " + std::to_string(image.width) + " x " +
                std::to_string(image.height);
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_BGRA;
    std::vector<unsigned char> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        error = file.string() + ": damaged PNG (" + image.message + ")";
        png_image_free(&image);
        return false;
    }
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    out.bgra = std::move(pixels);
    return true;
}

std::unique_ptr<Window> make_sdl_window(const std::string& title, const std::string& shot_dir,
                                        const std::vector<std::filesystem::path>& icon_files,
                                        const std::filesystem::path& pad_mappings, std::string& error)
{
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        error = SDL_GetError();
        return nullptr;
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    // Touches become the mouse in the window's own way (one finger), not also in SDL's.
    SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "0");
    // A page's canvas keeps the picture's own size (the page scales it); the window of a desktop
    // is the player's to resize, the picture scaled inside it.
    const bool canvas = window_is_a_page_canvas();
    if (canvas) SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    SDL_Window* w = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kWidth, kHeight,
                                     canvas ? 0u : SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!w) {
        error = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    SDL_Renderer* r = SDL_CreateRenderer(w, -1, SDL_RENDERER_ACCELERATED);
    if (!r) r = SDL_CreateRenderer(w, -1, SDL_RENDERER_SOFTWARE);
    if (!r) {
        error = SDL_GetError();
        SDL_DestroyWindow(w);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    // Scaled to fit and letterboxed; SDL maps mouse positions back to play-area pixels.
    SDL_RenderSetLogicalSize(r, kWidth, kHeight);
    SDL_Texture* t = SDL_CreateTexture(r, SDL_PIXELFORMAT_XRGB8888, SDL_TEXTUREACCESS_STREAMING, kWidth, kHeight);
    if (!t) {
        error = SDL_GetError();
        SDL_DestroyRenderer(r);
        SDL_DestroyWindow(w);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return nullptr;
    }
    SDL_SetWindowMinimumSize(w, kWidth / 4, kHeight / 4);
    set_icon(w, icon_files);
    return std::make_unique<SdlWindow>(w, r, t, shot_dir, pad_mappings);
}

std::unique_ptr<Window> make_headless_window() { return std::make_unique<HeadlessWindow>(); }

std::filesystem::path save_new_screenshot(const Canvas& frame, const std::filesystem::path& folder,
                                          const std::string& stamp, std::string& error)
{
    std::string bytes;
    if (!frame.encode_png(bytes)) {
        error = "the frame cannot be encoded as PNG";
        return {};
    }
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    // Enough names for a key held down for the whole second.
    constexpr int kNamesPerStamp = 1000;
    for (int n = 1; n <= kNamesPerStamp; ++n) {
        const std::string suffix = n == 1 ? "" : "-" + std::to_string(n);
        std::filesystem::path file = folder / ("zentrifa-" + stamp + suffix + ".png");
        bool taken = false;
        if (write_new_file(file, bytes, taken, error)) return file;
        if (!taken) return {};
    }
    error = "every name for " + stamp + " in " + folder.string() + " is taken";
    return {};
}

} // namespace zen
