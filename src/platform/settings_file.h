#pragma once
// The player's settings file: plain "key = value" lines, a comment above each key. Which keys
// exist and what their values mean is the game's business; this reads and writes the lines.
// A file that could not be read in full (unreadable, not a regular file, too large, a line that is
// not "key = value") or that no one may write (its mode has no write bit, even for a user who
// could write it anyway) is never written over: the game then keeps its settings for this run
// only. Comments anywhere in the file stay where they are when it is written.
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
        std::string comment; // the comment lines right above it, each without its "# "
        int number = 0;      // its line in the file as read; 0 for a key set in this run
        std::string before;  // comment blocks above that comment, each as read and then a blank line
    };

    // How many of a file's lines that are not "key = value" are named one by one; the rest are
    // counted on one line.
    static constexpr int kNamedBadLines = 3;

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
    // keys and comments included. False, with the reason in `error`, when the file may not or
    // cannot be written; that it may not is said once, and `error` is empty on later calls.
    bool set(std::string_view key, std::string_view value, std::string_view comment, std::string& error);

    // The file's text as it would be written now.
    std::string text() const;

private:
    std::filesystem::path path_;
    std::vector<Line> lines_;
    std::string tail_; // the comments after the last key, as read
    bool writable_ = false;
    bool read_only_ = false; // readable, but no one may write it
    bool refusal_said_ = false;
};

} // namespace zen
