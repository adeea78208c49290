#pragma once
// Scripted input: one event per line, "FRAME EVENT ARGS"; '#' starts a comment. An event is
// delivered after frame FRAME - 1 has run and before frame FRAME runs, in file order.
#include "platform/window.h"

#include <cstdint>
#include <filesystem>
#include <optional>
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

// How a recording's first line begins (a comment naming the version and the seed).
constexpr const char* kRecordingHeader = "# zentrifa ";

// What a script says besides its events, when it is a recording.
struct RecordingNotes {
    std::optional<std::uint64_t> seed; // from the first line
    std::string cut;                   // set when its last line was cut off and left out
};

// Reads a whole script; a malformed line stops with "FILE:LINE: what is wrong" in error. With
// notes, a recording's seed is read from its first line, and the last line of a recording that
// has no line end (the recording was cut short) is left out instead of read.
bool parse_input_script(const std::filesystem::path& file, std::vector<ScriptEvent>& events, std::string& error,
                        RecordingNotes* notes = nullptr);
bool parse_input_script_text(const std::string& text, const std::string& name, std::vector<ScriptEvent>& events,
                             std::string& error, RecordingNotes* notes = nullptr);

} // namespace zen
