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
    writable_ = false;
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
    writable_ = true;
    if (bytes.find('\0') != std::string::npos) {
        problems.push_back(file.string() +
                           " is not a text file; the settings are the defaults and the file is left as it is");
        writable_ = false;
        return;
    }
    std::string comment;
    int number = 0;
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t end = bytes.find('\n', at);
        if (end == std::string::npos) end = bytes.size();
        const std::string_view line = trim(std::string_view(bytes).substr(at, end - at));
        at = end + 1;
        ++number;
        if (line.empty()) {
            comment.clear();
            continue;
        }
        if (line.front() == '#' || line.front() == ';') {
            std::string_view text = line.substr(1);
            if (!text.empty() && text.front() == ' ') text.remove_prefix(1);
            comment += comment.empty() ? "" : "\n";
            comment += text;
            continue;
        }
        const std::size_t eq = line.find('=');
        const std::string_view key = eq == std::string_view::npos ? std::string_view{} : trim(line.substr(0, eq));
        if (!is_key(key)) {
            problems.push_back(file.string() + " line " + std::to_string(number) +
                               ": not a \"key = value\" line; it is ignored, and the file is left as it is");
            writable_ = false;
            comment.clear();
            continue;
        }
        const std::string value(trim(line.substr(eq + 1)));
        bool known = false;
        for (Line& l : lines_) {
            if (l.key != key) continue;
            l.value = value; // a key given twice: the later line wins, as it reads
            known = true;
        }
        if (!known) lines_.push_back(Line{std::string(key), value, comment, number});
        comment.clear();
    }
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
        out += comment_lines(l.comment);
        out += l.key + " = " + l.value + "\n";
    }
    return out;
}

bool SettingsFile::set(std::string_view key, std::string_view value, std::string_view comment, std::string& error)
{
    Line* line = nullptr;
    for (Line& l : lines_)
        if (l.key == key) line = &l;
    if (!line) {
        lines_.push_back(Line{std::string(key), {}, {}, 0});
        line = &lines_.back();
    }
    line->value = value;
    if (!comment.empty()) line->comment = comment;
    if (path_.empty()) {
        error = "no settings file is in use";
        return false;
    }
    if (!writable_) {
        error = path_.string() + " could not be read in full, so it is left as it is";
        return false;
    }
    std::error_code ec;
    std::filesystem::create_directories(path_.parent_path(), ec);
    return replace_file(path_, text(), error);
}

} // namespace zen
