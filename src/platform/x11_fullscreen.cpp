#include "platform/x11_fullscreen.h"

#include <SDL.h>

#ifdef ZENTRIFA_X11
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

namespace zen {

#ifdef ZENTRIFA_X11
namespace {

bool x11_info(SDL_Window* window, SDL_SysWMinfo& info)
{
    SDL_VERSION(&info.version);
    return SDL_GetWindowWMInfo(window, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_X11 &&
           info.info.x11.display != nullptr;
}

} // namespace

bool lacks_window_manager(SDL_Window* window)
{
    SDL_SysWMinfo info;
    if (!x11_info(window, info)) return false;
    Display* display = info.info.x11.display;
    // Every window manager that can make a window fullscreen names itself here.
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) return true;
    Atom type = None;
    int format = 0;
    unsigned long items = 0;
    unsigned long after = 0;
    unsigned char* value = nullptr;
    const int status = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW, &type,
                                          &format, &items, &after, &value);
    const bool named = status == Success && type == XA_WINDOW && items == 1;
    if (value) XFree(value);
    return !named;
}

bool place_on_x(SDL_Window* window, int x, int y, int width, int height)
{
    SDL_SysWMinfo info;
    if (!x11_info(window, info) || width < 1 || height < 1) return false;
    Display* display = info.info.x11.display;
    XMoveResizeWindow(display, info.info.x11.window, x, y, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XRaiseWindow(display, info.info.x11.window);
    XFlush(display);
    return true;
}

#else

bool lacks_window_manager(SDL_Window*) { return false; }
bool place_on_x(SDL_Window*, int, int, int, int) { return false; }

#endif

} // namespace zen
