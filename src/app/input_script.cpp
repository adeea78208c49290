#include "app/input_script.h"

#include "platform/files.h"
#include "platform/path_text.h"

#include <charconv>
#include <string_view>
#include <utility>

namespace zen {

namespace {

// A script of a million frames with an event on each is some twenty megabytes. It is read as a
// stream, so the file's size costs no memory; its events do (kScriptEventLimit).
constexpr std::size_t kInputScriptLimit = std::size_t{256} << 20;
// No line the game writes comes near this; a longer one is not a script.
constexpr std::size_t kLongestScriptLine = 4096;

bool to_int(const std::string& s, std::int64_t& out)
{
    if (s.empty()) return false;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && p == s.data() + s.size();
}

// A word of the script as an error message shows it: printable, and cut after a few dozen
// characters, whatever the file holds.
std::string shown(const std::string& word)
{
    constexpr std::size_t kShownLength = 40;
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (const char ch : word) {
        const auto c = static_cast<unsigned char>(ch);
        if (out.size() >= kShownLength) {
            out += "...";
            break;
        }
        if (c >= 0x20 && c < 0x7F) {
            out += ch;
        } else {
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    return out;
}

bool button_named(const std::string& s, MouseButton& b)
{
    if (s == "left")
        b = MouseButton::left;
    else if (s == "right")
        b = MouseButton::right;
    else if (s == "middle")
        b = MouseButton::middle;
    else
        return false;
    return true;
}

} // namespace

namespace {

// Reads a script line by line, as a stream: what it costs in memory is its events, never the file.
class ScriptParser {
public:
    ScriptParser(std::string name, std::vector<ScriptEvent>& events, std::string& error, RecordingNotes* notes)
        : name_(std::move(name)), events_(events), error_(error), notes_(notes)
    {}

    // One line without its line end; has_end is false only for a last line that has none. False
    // stops the reading: on a bad line (error says why), or at a recording's cut last line.
    bool line(std::string_view text, bool has_end);
    bool failed() const { return failed_; }

private:
    void read_header(std::string_view first_line);
    bool fail(const std::string& what)
    {
        error_ = name_ + ":" + std::to_string(number_) + ": " + what;
        failed_ = true;
        return false;
    }

    std::string name_;
    std::vector<ScriptEvent>& events_;
    std::string& error_;
    RecordingNotes* notes_;
    int number_ = 0;
    std::int64_t last_frame_ = 0;
    bool recording_ = false;
    bool failed_ = false;
};

void ScriptParser::read_header(std::string_view first_line)
{
    // A recording ends every line as it writes it, so a last line with no line end is what a
    // recording killed mid-write leaves: even when it reads as an event, its numbers may be cut.
    recording_ = first_line.rfind(kRecordingHeader, 0) == 0;
    if (!recording_ || !notes_) return;
    // "# zentrifa VERSION format F seed N ..."; recordings before format 2 name no format.
    const auto number_after = [&](std::string_view word, std::uint64_t& value) {
        const std::size_t at = first_line.find(word);
        if (at == std::string_view::npos) return false;
        const char* first = first_line.data() + at + word.size();
        const auto [end, ec] = std::from_chars(first, first_line.data() + first_line.size(), value);
        return ec == std::errc() && end != first;
    };
    std::uint64_t seed = 0;
    if (number_after(" seed ", seed)) notes_->seed = seed;
    if (const std::size_t at = first_line.find(" lang "); at != std::string_view::npos) {
        const std::string_view rest = first_line.substr(at + 6);
        notes_->lang = rest.substr(0, rest.find(' '));
    }
    std::uint64_t format = 1;
    if (!number_after(" format ", format) || format != kRecordingFormat)
        notes_->other_format = name_ + ": made by another version of the game (recording format " +
                               std::to_string(format) + ", this game writes " + std::to_string(kRecordingFormat) +
                               "); it plays, but the game may differ";
}

bool ScriptParser::line(std::string_view text, bool has_end)
{
    if (number_++ == 0) read_header(text);
    if (recording_ && notes_ && !has_end) {
        notes_->cut =
            name_ + ":" + std::to_string(number_) + ": the recording's last line is cut off; it ends before it";
        return false;
    }
    if (const auto hash = text.find('#'); hash != std::string_view::npos) text = text.substr(0, hash);
    std::vector<std::string> w;
    for (std::size_t at = 0; at < text.size();) {
        const auto space = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
        while (at < text.size() && space(text[at])) ++at;
        const std::size_t start = at;
        while (at < text.size() && !space(text[at])) ++at;
        if (at > start) w.emplace_back(text.substr(start, at - start));
    }
    if (w.empty()) return true;
    ScriptEvent e;
    if (!to_int(w[0], e.frame) || e.frame < 0) return fail("\"" + shown(w[0]) + "\" is not a frame number");
    if (e.frame > kLastScriptFrame)
        return fail("frame " + shown(w[0]) + " is past the last frame a script may name, " +
                    std::to_string(kLastScriptFrame));
    if (e.frame < last_frame_)
        return fail("frame " + shown(w[0]) + " comes before frame " + std::to_string(last_frame_) +
                    " of an earlier line");
    if (w.size() < 2) return fail("an event is missing after the frame number");
    if (events_.size() >= kScriptEventLimit)
        return fail("more than " + std::to_string(kScriptEventLimit) +
                    " events; a script may hold no more (split it, or record shorter sessions)");
    const std::string& ev = w[1];
    auto want_args = [&](std::size_t n, const char* shape) {
        if (w.size() != n + 2) return fail("\"" + shown(ev) + "\" takes " + shape);
        return true;
    };
    auto position = [&](std::size_t at) {
        std::int64_t x = 0;
        std::int64_t y = 0;
        if (!to_int(w[at], x) || !to_int(w[at + 1], y))
            return fail("\"" + shown(w[at]) + " " + shown(w[at + 1]) + "\" is not a position X Y");
        if (x < 0 || x > 799 || y < 0 || y > 599)
            return fail("position " + shown(w[at]) + " " + shown(w[at + 1]) + " is outside the 800 x 600 play area");
        e.x = static_cast<int>(x);
        e.y = static_cast<int>(y);
        return true;
    };
    if (ev == "move" || ev == "click" || ev == "rclick") {
        if (!want_args(2, "X Y") || !position(2)) return false;
        e.kind = ev == "move" ? ScriptEvent::Kind::move
                              : (ev == "click" ? ScriptEvent::Kind::click : ScriptEvent::Kind::rclick);
    } else if (ev == "down" || ev == "up") {
        if (!want_args(3, "left|right|middle X Y")) return false;
        if (!button_named(w[2], e.button)) return fail("\"" + shown(w[2]) + "\" is not left, right or middle");
        if (!position(3)) return false;
        e.kind = ev == "down" ? ScriptEvent::Kind::down : ScriptEvent::Kind::up;
    } else if (ev == "key") {
        if (!want_args(1, "a key name")) return false;
        e.kind = ScriptEvent::Kind::key;
        e.key = w[2];
    } else if (ev == "answer") {
        if (!want_args(1, "yes or no")) return false;
        if (w[2] != "yes" && w[2] != "no") return fail("\"" + shown(w[2]) + "\" is not yes or no");
        e.kind = ScriptEvent::Kind::answer;
        e.yes = w[2] == "yes";
    } else if (ev == "quit") {
        if (!want_args(0, "nothing")) return false;
        e.kind = ScriptEvent::Kind::quit;
    } else {
        return fail("unknown event \"" + shown(ev) + "\" (move, down, up, click, rclick, key, answer, quit)");
    }
    last_frame_ = e.frame;
    events_.push_back(std::move(e));
    return true;
}

} // namespace

bool parse_input_script_text(const std::string& text, const std::string& name, std::vector<ScriptEvent>& events,
                             std::string& error, RecordingNotes* notes)
{
    ScriptParser parser(name, events, error, notes);
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at);
        const bool has_end = end != std::string::npos;
        const std::size_t stop = has_end ? end : text.size();
        if (!parser.line(std::string_view(text).substr(at, stop - at), has_end)) break;
        at = has_end ? end + 1 : text.size();
    }
    return !parser.failed();
}

bool parse_input_script(const std::filesystem::path& file, std::vector<ScriptEvent>& events, std::string& error,
                        RecordingNotes* notes)
{
    ScriptParser parser(path_utf8(file), events, error, notes);
    std::string why;
    const ReadResult read =
        read_file_lines(file, kInputScriptLimit, kLongestScriptLine, why,
                        [&](std::string_view line, bool has_end) { return parser.line(line, has_end); });
    if (parser.failed()) return false;
    if (read != ReadResult::ok) {
        error = "cannot read the input script " + why;
        return false;
    }
    return true;
}

} // namespace zen
