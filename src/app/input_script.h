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

// How a recording's first line begins (a comment naming the version, the recording format and
// the seed, then the language the session started in, which older recordings leave out):
// "# zentrifa 1.1 format 2 seed N lang en ...".
constexpr const char* kRecordingHeader = "# zentrifa ";
// The recording format: it moves on whenever the same seed and input no longer play the same game
// (format 2: the screen effects draw from a random stream of their own). A recording of another
// format still plays, with a note that the game may differ.
constexpr int kRecordingFormat = 2;

// The last frame a script may name: some 250 hours of play at the game's 11 frames a second. A
// script that names a later one (a typo, or a hostile file) would keep a headless run going for
// days, so it is refused.
constexpr std::int64_t kLastScriptFrame = 10000000;

// The most events a script may hold: what it costs in memory is bounded by this, some 64 bytes an
// event (about 130 MB at most, and about 200 MB for a moment while the list grows), whatever the
// size of the file. Two million events are some 50 hours of play with an event on every frame.
constexpr std::size_t kScriptEventLimit = 2000000;

// What a script says besides its events, when it is a recording.
struct RecordingNotes {
    std::optional<std::uint64_t> seed; // from the first line
    std::string lang;                  // the language it was played in ("" in older recordings)
    std::string cut;                   // set when its last line was cut off and left out
    std::string other_format;          // set when it was made by a game of another format
};

// Reads a whole script, line by line; a malformed line (or one event too many) stops with "FILE:LINE: what is wrong" in error. With
// notes, a recording's seed is read from its first line, and the last line of a recording that
// has no line end (the recording was cut short) is left out instead of read.
bool parse_input_script(const std::filesystem::path& file, std::vector<ScriptEvent>& events, std::string& error,
                        RecordingNotes* notes = nullptr);
bool parse_input_script_text(const std::string& text, const std::string& name, std::vector<ScriptEvent>& events,
                             std::string& error, RecordingNotes* notes = nullptr);

} // namespace zen
