#pragma once
// The game controllers, for the SDL window: opened as they are plugged in, closed as they go,
// their buttons and sticks turned into the window's pad events. Only the window includes this.
#include "platform/window.h"

#include <SDL.h>

#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zen {

// The mappings of a gamecontrollerdb.txt for this system, by controller, read in one pass. SDL
// takes a mapping by looking through every one it already has, so handing it tens of thousands at
// the start would take time that grows with the square of their number: it is given only the
// lines of each controller as it is plugged in.
class PadMappingIndex {
public:
    // Keeps each line whose platform is `platform` (as SDL names it: "Linux"), under its
    // controller's GUID; a later line for the same GUID replaces the earlier one, as in SDL.
    void read(std::string_view text, std::string_view platform);
    // The lines for a controller's GUID as SDL writes it (32 hex digits), or null. The GUID's
    // checksum and version are left out of the match, as SDL leaves them out when it looks.
    const std::vector<std::string>* lines_for(std::string_view guid) const;
    std::size_t size() const { return count_; }

    // The most lines kept under one GUID (its checksum and version aside).
    static constexpr std::size_t kLinesPerGuid = 16;

private:
    std::unordered_map<std::string, std::vector<std::string>> by_guid_;
    std::size_t count_ = 0;
};

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

    // How many of the file's mappings are waiting for their controller.
    std::size_t known_mappings() const { return index_.size(); }

private:
    // Gives SDL the file's mappings for the joystick at `device`, then opens it when SDL now
    // takes it for a game controller.
    void plugged_in(int device);

    bool started_ = false;
    PadMappingIndex index_;
    std::map<SDL_JoystickID, SDL_GameController*> open_;
};

// The largest mappings file read (the community's whole database is about 600 KB).
constexpr std::uintmax_t kMaxMappingsBytes = 4u << 20;

} // namespace zen
