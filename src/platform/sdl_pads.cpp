#include "platform/sdl_pads.h"

#include "platform/files.h"

#include <cstdio>

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

constexpr std::size_t kGuidDigits = 32;

// The GUID as the index keys it: lower case, with the checksum (digits 4 to 7) and the version
// (digits 24 to 27) as zeros; empty when it is no GUID.
std::string guid_key(std::string_view guid)
{
    if (guid.size() != kGuidDigits) return {};
    std::string key(guid);
    for (std::size_t i = 0; i < key.size(); ++i) {
        char& c = key[i];
        if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return {};
        if ((i >= 4 && i < 8) || (i >= 24 && i < 28)) c = '0';
    }
    return key;
}

bool same_letters(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

} // namespace

void PadMappingIndex::read(std::string_view text, std::string_view platform)
{
    constexpr std::string_view kPlatformField = "platform:";
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        // "GUID,name,mapping,...,platform:Linux,": SDL itself takes only lines for its platform.
        const std::size_t comma = line.find(',');
        const std::size_t field = line.find(kPlatformField);
        if (comma == std::string_view::npos || field == std::string_view::npos) continue;
        const std::string_view rest = line.substr(field + kPlatformField.size());
        if (!same_letters(rest.substr(0, rest.find(',')), platform)) continue;
        const std::string_view guid = line.substr(0, comma);
        std::string key = guid_key(guid);
        if (key.empty()) continue;
        std::vector<std::string>& lines = by_guid_[std::move(key)];
        bool replaced = false;
        for (std::string& kept : lines) {
            if (!same_letters(std::string_view(kept).substr(0, comma), guid) || kept[comma] != ',') continue;
            kept = line;
            replaced = true;
        }
        if (!replaced && lines.size() < kLinesPerGuid) {
            lines.emplace_back(line);
            ++count_;
        }
    }
}

const std::vector<std::string>* PadMappingIndex::lines_for(std::string_view guid) const
{
    const auto it = by_guid_.find(guid_key(guid));
    return it == by_guid_.end() ? nullptr : &it->second;
}

SdlPads::SdlPads(const std::filesystem::path& mappings)
{
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::fprintf(stderr, "zentrifa: no game controllers: %s\n", SDL_GetError());
        return;
    }
    started_ = true;
    // SDL reads SDL_GAMECONTROLLERCONFIG itself; the file beside the settings comes on top, only
    // when it is a plain file of a sane size (a pipe or a huge file would hold the start). Its
    // lines reach SDL as their controllers are plugged in: the ones already there are announced
    // like any other, as SDL starts.
    if (mappings.empty()) return;
    std::string text;
    std::string error;
    const ReadResult read = read_file_bytes(mappings, kMaxMappingsBytes, text, error);
    if (read == ReadResult::missing) return;
    if (read != ReadResult::ok) {
        std::fprintf(stderr, "zentrifa: %s; no controller mappings are read from it\n", error.c_str());
        return;
    }
    index_.read(text, SDL_GetPlatform());
}

void SdlPads::plugged_in(int device)
{
    if (index_.size() > 0) {
        char guid[kGuidDigits + 1] = {};
        SDL_JoystickGetGUIDString(SDL_JoystickGetDeviceGUID(device), guid, sizeof guid);
        if (const std::vector<std::string>* lines = index_.lines_for(guid))
            for (const std::string& line : *lines) static_cast<void>(SDL_GameControllerAddMapping(line.c_str()));
    }
    if (!SDL_IsGameController(device)) return;
    if (SDL_GameController* pad = SDL_GameControllerOpen(device)) {
        const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
        if (open_.contains(id))
            SDL_GameControllerClose(pad); // SDL counts the opens: the one kept stays open
        else
            open_[id] = pad;
    }
}

SdlPads::~SdlPads()
{
    for (auto& [id, pad] : open_) SDL_GameControllerClose(pad);
    if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool SdlPads::translate(const SDL_Event& e, InputEvent& out)
{
    switch (e.type) {
    case SDL_JOYDEVICEADDED: // SDL announces a controller it knows twice, as a joystick first
        plugged_in(e.jdevice.which);
        return false;
    case SDL_CONTROLLERDEVICEADDED: plugged_in(e.cdevice.which); return false;
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
