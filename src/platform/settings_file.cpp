#include "platform/settings_file.h"

#include "platform/files.h"

#include <cstddef>
#include <system_error>

namespace zen {

namespace {

// A settings file is a few lines; anything larger is not one.
constexpr std::size_t kSettingsFileLimit = std::size_t{64} * 1024;

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool is_key(std::string_view s)
{
    if (s.empty()) return false;
    for (const char c : s)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-'))
            return false;
    return true;
}

std::string comment_lines(std::string_view comment)
{
    std::string out;
    std::size_t at = 0;
    while (at <= comment.size() && !comment.empty()) {
        const std::size_t end = comment.find('\n', at);
        const std::string_view line =
            comment.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at);
        out += "# ";
        out += line;
        out += '\n';
        if (end == std::string_view::npos) break;
        at = end + 1;
    }
    return out;
}

} // namespace

void SettingsFile::load(const std::filesystem::path& file, std::vector<std::string>& problems)
{
    path_ = file;
    lines_.clear();
    tail_.clear();
    writable_ = false;
    read_only_ = false;
    refusal_said_ = false;
    std::string bytes;
    std::string error;
    const ReadResult read = read_file_bytes(file, kSettingsFileLimit, bytes, error);
    if (read == ReadResult::missing) {
        writable_ = true;
        return;
    }
    if (read != ReadResult::ok) {
        problems.push_back(error + "; the settings are the defaults and the file is left as it is");
        return;
    }
    // The mode bits themselves, so a file the player locked stays locked for every user.
    std::error_code ec;
    const auto mode = std::filesystem::status(file, ec).permissions();
    using std::filesystem::perms;
    read_only_ = !ec && (mode & (perms::owner_write | perms::group_write | perms::others_write)) == perms::none;
    writable_ = !read_only_;
    // A byte-order mark, as some editors write, is no part of the first line.
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
    if (bytes.find('\0') != std::string::npos) {
        problems.push_back(file.string() +
                           " is not a text file; the settings are the defaults and the file is left as it is");
        writable_ = false;
        return;
    }
    std::string comment;     // the comment block being read, each line without its "# "
    std::string comment_raw; // the same lines as they stand in the file
    std::string loose;       // the blocks read since the last key that a blank line ends
    int number = 0;
    int bad_lines = 0;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = bytes.find('\n', at);
        if (end == std::string::npos) end = bytes.size();
        const std::string_view line = trim(std::string_view(bytes).substr(at, end - at));
        at = end + 1;
        ++number;
        if (line.empty()) {
            if (!comment_raw.empty()) loose += comment_raw + "\n";
            comment.clear();
            comment_raw.clear();
            continue;
        }
        if (line.front() == '#' || line.front() == ';') {
            std::string_view text = line.substr(1);
            if (!text.empty() && text.front() == ' ') text.remove_prefix(1);
            comment += comment.empty() ? "" : "\n";
            comment += text;
            comment_raw += line;
            comment_raw += '\n';
            continue;
        }
        const std::size_t eq = line.find('=');
        const std::string_view key = eq == std::string_view::npos ? std::string_view{} : trim(line.substr(0, eq));
        if (!is_key(key)) {
            if (++bad_lines <= kNamedBadLines)
                problems.push_back(file.string() + " line " + std::to_string(number) +
                                   ": not a \"key = value\" line; it is ignored, and the file is left as it is");
            writable_ = false;
            comment.clear();
            comment_raw.clear();
            continue;
        }
        const std::string value(trim(line.substr(eq + 1)));
        bool known = false;
        for (Line& l : lines_) {
            if (l.key != key) continue;
            l.value = value; // a key given twice: the later line wins, as it reads
            known = true;
        }
        if (!known) {
            lines_.push_back(Line{std::string(key), value, comment, number, loose});
            loose.clear();
        } else if (!loose.empty() || !comment_raw.empty()) {
            // The comments above a key given again stay, above the next key or at the end.
            loose += comment_raw.empty() ? "" : comment_raw + "\n";
        }
        comment.clear();
        comment_raw.clear();
    }
    if (bad_lines > kNamedBadLines)
        problems.push_back(file.string() + ": " + std::to_string(bad_lines - kNamedBadLines) +
                           " more lines that are not \"key = value\"; they are ignored");
    tail_ = loose + comment_raw;
    while (tail_.ends_with("\n\n")) tail_.pop_back();
}

const std::string* SettingsFile::get(std::string_view key) const
{
    for (const Line& l : lines_)
        if (l.key == key) return &l.value;
    return nullptr;
}

std::string SettingsFile::text() const
{
    std::string out;
    for (const Line& l : lines_) {
        if (!out.empty()) out += '\n';
        out += l.before;
        out += comment_lines(l.comment);
        out += l.key + " = " + l.value + "\n";
    }
    if (!tail_.empty()) {
        if (!out.empty()) out += '\n';
        out += tail_;
    }
    return out;
}

bool SettingsFile::set(std::string_view key, std::string_view value, std::string_view comment, std::string& error)
{
    Line* line = nullptr;
    for (Line& l : lines_)
        if (l.key == key) line = &l;
    if (!line) {
        lines_.push_back(Line{std::string(key), {}, {}, 0, {}});
        line = &lines_.back();
    }
    line->value = value;
    if (!comment.empty()) line->comment = comment;
    if (path_.empty()) {
        error = "no settings file is in use";
        return false;
    }
    if (!writable_) {
        error.clear();
        if (!refusal_said_)
            error = path_.string() + (read_only_ ? " is read-only, so it is left as it is and the settings changed in "
                                                   "this run are not kept"
                                                 : " could not be read in full, so it is left as it is");
        refusal_said_ = true;
        return false;
    }
    std::error_code ec;
    std::filesystem::create_directories(path_.parent_path(), ec);
    return replace_file(path_, text(), error);
}

} // namespace zen
