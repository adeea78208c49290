#pragma once
// Fullscreen where nobody carries it out. A window asks the window manager to cover the display;
// on an X server without one (a bare kiosk, a handheld's session, Xvfb) that request goes
// unanswered, SDL believes the window covers the display, and the picture is drawn for the display
// while the window keeps its old size: cropped. There the window is placed by hand.
struct SDL_Window;

namespace zen {

// True when the window lies on an X server without a window manager (one that says so on the root
// window); false anywhere else, where the system's own fullscreen works.
bool lacks_window_manager(SDL_Window* window);

// Moves and sizes the window on the X server itself. False where the window is not on X.
bool place_on_x(SDL_Window* window, int x, int y, int width, int height);

} // namespace zen
