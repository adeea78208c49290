#pragma once
// Scripted input: one event per line, "FRAME EVENT ARGS"; '#' starts a comment. An event is
// delivered after frame FRAME - 1 has run and before frame FRAME runs, in file order.
#include "platform/window.h"

#include <filesystem>
#include <string>
#include <vector>

namespace zen {

struct ScriptEvent {
    enum class Kind { move, down, up, click, rclick, key, answer, quit };
    std::int64_t frame = 0;
    Kind kind = Kind::move;
    int x = 0;
    int y = 0;
    MouseButton button = MouseButton::left;
    std::string key;
    bool yes = false;
};

// Reads a whole script; a malformed line stops with "FILE:LINE: what is wrong" in error.
bool parse_input_script(const std::filesystem::path& file, std::vector<ScriptEvent>& events, std::string& error);
bool parse_input_script_text(const std::string& text, const std::string& name, std::vector<ScriptEvent>& events,
                             std::string& error);

} // namespace zen
