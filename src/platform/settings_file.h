#pragma once
// The player's settings file: plain "key = value" lines, a comment above each key. Which keys
// exist and what their values mean is the game's business; this reads and writes the lines.
// A file that could not be read in full (unreadable, not a regular file, too large, a line that is
// not "key = value") is never written over: the game then keeps its settings for this run only.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zen {

class SettingsFile {
public:
    struct Line {
        std::string key;
        std::string value;
        std::string comment; // the comment lines above it, each starting with "# "
        int number = 0;      // its line in the file as read; 0 for a key set in this run
    };

    SettingsFile() = default;

    // Reads `file`; a missing file is an empty one. Each problem adds one line to `problems`.
    void load(const std::filesystem::path& file, std::vector<std::string>& problems);

    const std::filesystem::path& path() const { return path_; }
    const std::vector<Line>& lines() const { return lines_; }
    // The value of `key` as read or set, or nullptr.
    const std::string* get(std::string_view key) const;
    // False when the file could not be read in full and must be left as it is.
    bool writable() const { return writable_; }

    // Sets `key` (with `comment` above it when it is new, or to replace its old comment) and writes
    // the whole file at once (a temporary file renamed over it). Every other line stays, unknown
    // keys included. False, with the reason in `error`, when the file may not or cannot be written.
    bool set(std::string_view key, std::string_view value, std::string_view comment, std::string& error);

    // The file's text as it would be written now.
    std::string text() const;

private:
    std::filesystem::path path_;
    std::vector<Line> lines_;
    bool writable_ = false;
};

} // namespace zen
