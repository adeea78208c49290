#pragma once
// The game controllers, for the SDL window: opened as they are plugged in, closed as they go,
// their buttons and sticks turned into the window's pad events. Only the window includes this.
#include "platform/window.h"

#include <SDL.h>

#include <filesystem>
#include <map>

namespace zen {

class SdlPads {
public:
    // Starts SDL's game controller support with its own mappings, SDL_GAMECONTROLLERCONFIG's and
    // those of `mappings` (a gamecontrollerdb.txt; missing or unreadable: none).
    explicit SdlPads(const std::filesystem::path& mappings);
    ~SdlPads();
    SdlPads(const SdlPads&) = delete;
    SdlPads& operator=(const SdlPads&) = delete;

    // A pad event for e, or false when e is none (or only plugs a pad in or out).
    bool translate(const SDL_Event& e, InputEvent& out);

private:
    bool started_ = false;
    std::map<SDL_JoystickID, SDL_GameController*> open_;
};

// The largest mappings file read (the community's whole database is about 600 KB).
constexpr std::uintmax_t kMaxMappingsBytes = 4u << 20;

} // namespace zen
