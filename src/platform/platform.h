#pragma once
// The services a run of the game gets from the machine: where its files are, the typeface,
// the sound device, the window and the clock. A window run and a headless run differ only here.
#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/fonts.h"
#include "platform/paths.h"
#include "platform/settings_file.h"
#include "platform/window.h"

#include <memory>

namespace zen {

struct Platform {
    Paths paths;
    std::unique_ptr<Fonts> fonts;
    std::unique_ptr<Audio> audio;
    std::unique_ptr<Window> window;
    std::unique_ptr<Clock> clock;
    SettingsFile settings;
    bool headless = true;
};

// Headless services: no window, no sound device, a virtual clock.
Platform make_headless_platform(const Paths& paths);

// Releases what the platform libraries still hold once every service is gone (end of the program).
void quit_platform();

} // namespace zen
