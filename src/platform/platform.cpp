#include "platform/platform.h"

#include <SDL.h>

namespace zen {

Platform make_headless_platform(const Paths& paths)
{
    Platform p;
    p.paths = paths;
    p.fonts = std::make_unique<Fonts>(paths.data_dir / "fonts");
    p.audio = make_silent_audio();
    p.window = make_headless_window();
    p.clock = make_virtual_clock();
    p.headless = true;
    return p;
}

void quit_platform() { SDL_Quit(); }

} // namespace zen
