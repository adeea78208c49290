#include "app/input_script.h"

#include "platform/files.h"

#include <charconv>
#include <sstream>
#include <string_view>

namespace zen {

namespace {

// A script of a million frames with an event on each is some twenty megabytes.
constexpr std::size_t kInputScriptLimit = std::size_t{256} << 20;

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

bool parse_input_script_text(const std::string& text, const std::string& name, std::vector<ScriptEvent>& events,
                             std::string& error, RecordingNotes* notes)
{
    std::istringstream in(text);
    std::string line;
    int number = 0;
    std::int64_t last_frame = 0;
    // A recording ends every line as it writes it, so a last line with no line end is what a
    // recording killed mid-write leaves: even when it reads as an event, its numbers may be cut.
    const bool recording = text.rfind(kRecordingHeader, 0) == 0;
    if (recording && notes) {
        // "# zentrifa VERSION format F seed N ..."; recordings before format 2 name no format.
        const std::size_t first_line_end = text.find('\n');
        const auto number_after = [&](std::string_view word, std::uint64_t& value) {
            const std::size_t at = text.find(word);
            if (at == std::string::npos || at >= first_line_end) return false;
            const char* first = text.data() + at + word.size();
            const auto [end, ec] = std::from_chars(first, text.data() + text.size(), value);
            return ec == std::errc() && end != first;
        };
        std::uint64_t seed = 0;
        if (number_after(" seed ", seed)) notes->seed = seed;
        std::uint64_t format = 1;
        if (!number_after(" format ", format) || format != kRecordingFormat)
            notes->other_format = name + ": made by another version of the game (recording format " +
                                  std::to_string(format) + ", this game writes " + std::to_string(kRecordingFormat) +
                                  "); it plays, but the game may differ";
    }
    while (std::getline(in, line)) {
        ++number;
        if (recording && notes && in.eof() && text.back() != '\n') {
            notes->cut =
                name + ":" + std::to_string(number) + ": the recording's last line is cut off; it ends before it";
            return true;
        }
        if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::vector<std::string> w;
        for (std::string s; words >> s;) w.push_back(s);
        if (w.empty()) continue;
        auto fail = [&](const std::string& what) {
            error = name + ":" + std::to_string(number) + ": " + what;
            return false;
        };
        ScriptEvent e;
        if (!to_int(w[0], e.frame) || e.frame < 0) return fail("\"" + shown(w[0]) + "\" is not a frame number");
        if (e.frame > kLastScriptFrame)
            return fail("frame " + shown(w[0]) + " is past the last frame a script may name, " +
                        std::to_string(kLastScriptFrame));
        if (e.frame < last_frame)
            return fail("frame " + shown(w[0]) + " comes before frame " + std::to_string(last_frame) +
                        " of an earlier line");
        if (w.size() < 2) return fail("an event is missing after the frame number");
        const std::string& ev = w[1];
        auto want_args = [&](std::size_t n, const char* shape) {
            if (w.size() != n + 2) {
                fail("\"" + shown(ev) + "\" takes " + shape);
                return false;
            }
            return true;
        };
        auto position = [&](std::size_t at) {
            std::int64_t x = 0;
            std::int64_t y = 0;
            if (!to_int(w[at], x) || !to_int(w[at + 1], y)) {
                fail("\"" + shown(w[at]) + " " + shown(w[at + 1]) + "\" is not a position X Y");
                return false;
            }
            if (x < 0 || x > 799 || y < 0 || y > 599) {
                fail("position " + shown(w[at]) + " " + shown(w[at + 1]) + " is outside the 800 x 600 play area");
                return false;
            }
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
        last_frame = e.frame;
        events.push_back(e);
    }
    return true;
}

bool parse_input_script(const std::filesystem::path& file, std::vector<ScriptEvent>& events, std::string& error,
                        RecordingNotes* notes)
{
    std::string text;
    std::string why;
    if (read_file_bytes(file, kInputScriptLimit, text, why) != ReadResult::ok) {
        error = "cannot read the input script " + why;
        return false;
    }
    return parse_input_script_text(text, file.string(), events, error, notes);
}

} // namespace zen
