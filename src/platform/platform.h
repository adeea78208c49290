#pragma once
// The services a run of the game gets from the machine: where its files are, the typeface,
// the sound device, the window and the clock. A window run and a headless run differ only here.
#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/fonts.h"
#include "platform/paths.h"
#include "platform/settings_file.h"
#include "platform/window.h"

#include <memory>
#include <string>

namespace zen {

struct Platform {
    Paths paths;
    std::unique_ptr<Fonts> fonts;
    std::unique_ptr<Audio> audio;
    std::unique_ptr<Window> window;
    std::unique_ptr<Clock> clock;
    SettingsFile settings;
    // The save folder's lock, held for the whole run once taken.
    FileLock save_lock;
    bool headless = true;
};

// Headless services: no window, no sound device, a virtual clock.
Platform make_headless_platform(const Paths& paths);

// A modal error box that needs no game window (one may not be open yet). It returns when the
// player closes it, or at once on a stop request (the box then goes).
void show_error_box(const std::string& title, const std::string& message);

// From now on SIGTERM, SIGINT and SIGHUP no longer end the process at once: they are noted, and
// stop_requested() turns true, so the game can close as it does when its window closes (the
// window reports a stop request as its closing, wherever the game waits for it). SIGPIPE and
// SIGXFSZ are ignored: the write that met them fails instead. Call it before the window opens
// (the window library then leaves these signals to the game).
void catch_stop_signals();
bool stop_requested();

// Connects the standard streams where the system does not: a Windows game started from a
// console writes its messages there (on other systems they are connected already).
void connect_standard_streams();

// Releases what the platform libraries still hold once every service is gone (end of the program).
void quit_platform();

} // namespace zen
