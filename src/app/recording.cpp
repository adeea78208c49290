#include "app/recording.h"

#include "app/input_script.h"
#include "platform/files.h"
#include "platform/path_text.h"

#include <cerrno>
#include <cstring>

namespace zen {

namespace {

const char* button_word(MouseButton b)
{
    switch (b) {
    case MouseButton::right: return "right";
    case MouseButton::middle: return "middle";
    case MouseButton::left: break;
    }
    return "left";
}

std::string position(const InputEvent& e) { return std::to_string(e.x) + " " + std::to_string(e.y); }

} // namespace

std::string script_line(std::int64_t frame, const InputEvent& e)
{
    const std::string at = std::to_string(frame) + " ";
    switch (e.type) {
    case InputEvent::Type::mouse_move: return at + "move " + position(e);
    case InputEvent::Type::mouse_down: return at + "down " + button_word(e.button) + " " + position(e);
    case InputEvent::Type::mouse_up: return at + "up " + button_word(e.button) + " " + position(e);
    case InputEvent::Type::key: return at + "key " + (e.key.empty() ? std::string("unknown") : e.key);
    default: break; // the window's own events (the pause, the wheel, a pad's) never reach the game
    }
    return at + "quit";
}

Recording::~Recording()
{
    if (out_) std::fclose(out_);
}

bool Recording::open(const std::filesystem::path& file, std::uint64_t seed, Lang lang, std::string& error)
{
    std::string why;
    out_ = open_output_file(file, why);
    if (!out_) {
        error = "cannot write the recording " + why;
        return false;
    }
    // Unbuffered: each line goes out in one write as it comes, and a line the disk refused is not
    // left waiting in a buffer to be written after the cut.
    std::setvbuf(out_, nullptr, _IONBF, 0);
    name_ = path_utf8(file);
    line(std::string(kRecordingHeader) + ZENTRIFA_VERSION + " format " + std::to_string(kRecordingFormat) + " seed " +
         std::to_string(seed) + " lang " + std::string(language_code(lang)) + " (replay: zentrifa --headless --seed " +
         std::to_string(seed) + " --input FILE)");
    if (failed_) {
        error = "cannot write the recording " + name_;
        return false;
    }
    return true;
}

void Recording::line(const std::string& text)
{
    if (!out_ || failed_) return;
    const std::string whole = text + "\n";
    if (std::fwrite(whole.data(), 1, whole.size(), out_) != whole.size() || std::fflush(out_) != 0) {
        failed_ = true;
        // A disk that filled up mid-line leaves part of it: cut back to the last whole line, so
        // the file still replays up to there.
        std::clearerr(out_);
        static_cast<void>(cut_output_file(out_, whole_));
        std::fprintf(stderr, "zentrifa: the recording %s could not be written on; it stops here\n", name_.c_str());
        return;
    }
    whole_ += static_cast<long>(whole.size());
}

void Recording::event(std::int64_t frame, const InputEvent& e)
{
    line(script_line(frame, e));
    if (!failed_) kept_to_ = frame;
}

void Recording::answer(std::int64_t frame, bool yes)
{
    line(std::to_string(frame) + (yes ? " answer yes" : " answer no"));
}

void Recording::end(std::int64_t frame) { line(std::to_string(frame) + " quit"); }

bool Recording::finish(std::string& error)
{
    if (!out_) return true;
    std::FILE* out = out_;
    out_ = nullptr;
    // The close reports what the disk refused late (a full disk over the network, a quota).
    const bool closed = std::fclose(out) == 0;
    if (failed_ || !closed) {
        error = "the recording " + name_ + " could not be written in full" +
                (failed_ ? " (the disk refused it); it holds the session only up to frame " + std::to_string(kept_to_)
                         : std::string(" (the file could not be closed)"));
        return false;
    }
    return true;
}

} // namespace zen
