#include "platform/sdl_pads.h"

#include <cstdio>
#include <system_error>

namespace zen {

namespace {

std::string button_name(Uint8 button)
{
    const char* name = SDL_GameControllerGetStringForButton(static_cast<SDL_GameControllerButton>(button));
    return name ? name : "unknown";
}

std::string axis_name(Uint8 axis)
{
    const char* name = SDL_GameControllerGetStringForAxis(static_cast<SDL_GameControllerAxis>(axis));
    return name ? name : "unknown";
}

} // namespace

SdlPads::SdlPads(const std::filesystem::path& mappings)
{
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::fprintf(stderr, "zentrifa: no game controllers: %s\n", SDL_GetError());
        return;
    }
    started_ = true;
    // SDL reads SDL_GAMECONTROLLERCONFIG itself; the file beside the settings comes on top, only
    // when it is a plain file of a sane size (a pipe or a huge file would hold the start).
    std::error_code ec;
    if (mappings.empty() || !std::filesystem::is_regular_file(mappings, ec)) return;
    const std::uintmax_t size = std::filesystem::file_size(mappings, ec);
    if (ec || size > kMaxMappingsBytes) {
        std::fprintf(stderr, "zentrifa: %s: not read (larger than %ju bytes)\n", mappings.c_str(), kMaxMappingsBytes);
        return;
    }
    if (SDL_GameControllerAddMappingsFromFile(mappings.c_str()) < 0)
        std::fprintf(stderr, "zentrifa: %s: %s\n", mappings.c_str(), SDL_GetError());
}

SdlPads::~SdlPads()
{
    for (auto& [id, pad] : open_) SDL_GameControllerClose(pad);
    if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool SdlPads::translate(const SDL_Event& e, InputEvent& out)
{
    switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED:
        if (SDL_GameController* pad = SDL_GameControllerOpen(e.cdevice.which)) {
            const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
            if (open_.contains(id))
                SDL_GameControllerClose(pad); // SDL counts the opens: the one kept stays open
            else
                open_[id] = pad;
        }
        return false;
    case SDL_CONTROLLERDEVICEREMOVED:
        if (auto it = open_.find(e.cdevice.which); it != open_.end()) {
            SDL_GameControllerClose(it->second);
            open_.erase(it);
        }
        // Whatever the pad held is let go.
        out = InputEvent{};
        out.type = InputEvent::Type::pad_gone;
        return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
        out = InputEvent{};
        out.type = e.type == SDL_CONTROLLERBUTTONDOWN ? InputEvent::Type::pad_down : InputEvent::Type::pad_up;
        out.key = button_name(e.cbutton.button);
        return true;
    case SDL_CONTROLLERAXISMOTION:
        out = InputEvent{};
        out.type = InputEvent::Type::pad_axis;
        out.key = axis_name(e.caxis.axis);
        out.x = e.caxis.value;
        return true;
    default: return false;
    }
}

} // namespace zen
