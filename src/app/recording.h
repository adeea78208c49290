#pragma once
// Recording a session: the seed and every input event as it was delivered, in the input-script
// format, so that `zentrifa --headless --seed S --input FILE` plays the same game again.
#include "core/texts.h"
#include "platform/window.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace zen {

// The input-script line of an event delivered before frame `frame` runs (no line end).
std::string script_line(std::int64_t frame, const InputEvent& event);

class Recording {
public:
    Recording() = default;
    ~Recording();
    Recording(const Recording&) = delete;
    Recording& operator=(const Recording&) = delete;

    // Creates (or empties) the file and writes its first line, a comment naming the program's
    // version, the seed and the language the session starts in. False with a message in error
    // when the file cannot be written.
    bool open(const std::filesystem::path& file, std::uint64_t seed, Lang lang, std::string& error);
    bool active() const { return out_ != nullptr; }

    // One line each, written out at once: a recording cut short still holds every whole line.
    void event(std::int64_t frame, const InputEvent& event);
    void answer(std::int64_t frame, bool yes);
    // The session ended before frame `frame` (closed, quit, or its frames ran out).
    void end(std::int64_t frame);

    // Closes the file. False, with why in error, when any of it could not be written: the file
    // then ends at its last whole line, and the session is not all in it.
    bool finish(std::string& error);

private:
    void line(const std::string& text);

    std::FILE* out_ = nullptr;
    std::string name_;
    bool failed_ = false;
    long whole_ = 0;           // bytes of the whole lines written
    std::int64_t kept_to_ = 0; // the frame of the last event written whole
};

} // namespace zen
