#pragma once
// Reading and writing the game's files. Every file the game reads may be missing, empty, a folder,
// a pipe, huge or hostile: reads take regular files only, up to a size the caller names. Writes
// never follow a link planted in the way and never leave half a file under the real name.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace zen {

enum class ReadResult {
    ok,
    missing,    // no such file (or a link to nothing)
    not_a_file, // a folder, a pipe, a device: never read, so it never blocks
    too_large,  // larger than the caller's limit: nothing is read
    failed,     // it exists but cannot be read (permissions, I/O error)
};

// Reads a whole regular file of at most max_bytes into bytes. On anything but ok, bytes is
// empty and error says what is wrong, naming the file.
ReadResult read_file_bytes(const std::filesystem::path& file, std::size_t max_bytes, std::string& bytes,
                           std::string& error);

// Reads a regular file of at most max_bytes as a stream of lines, handing each to `each` without
// its line end ('\n'); has_end is false only for a last line that has none. A line longer than
// max_line is refused (too_large, error naming the line). Memory is one line and one block, not
// the file. `each` returning false stops the reading (ok).
ReadResult read_file_lines(const std::filesystem::path& file, std::size_t max_bytes, std::size_t max_line,
                           std::string& error, const std::function<bool(std::string_view line, bool has_end)>& each);

// Follows file through its symbolic links (on Windows also its junctions) to what they point to, at
// most 40 of them: target is file itself when it is no link, and where a link to nothing points. False (error says why) for
// a loop of links or a link that cannot be read.
bool resolve_links(const std::filesystem::path& file, std::filesystem::path& target, std::string& error);

// Writes bytes to a new temporary file beside file (a fresh name, created exclusively, never
// through a link), flushes it to the disk, renames it over file and flushes the folder. When file
// is a symbolic link, it stays one: the file it points to is replaced (the temporary beside that),
// and made where a link to nothing points; a loop of links is refused. The file keeps its
// permission bits (on Windows its attributes; a read-only file there is refused and kept as it is).
// On failure the old file is untouched, no temporary file remains, and error says why.
bool replace_file(const std::filesystem::path& file, std::string_view bytes, std::string& error);

// Writes bytes as a new file with the permission bits mode (on Windows: read-only when mode
// lacks the owner's write bit); fails (with exists set) when the name is taken by anything, a link
// included. Nothing half-written remains on failure.
bool write_new_file(const std::filesystem::path& file, std::string_view bytes, bool& exists, std::string& error,
                    unsigned mode = 0644);

// The permission bits of a file (links followed); fallback when it has none to read. Windows has
// no such bits: fallback there, less its write bits when the file is read-only.
unsigned permission_bits(const std::filesystem::path& file, unsigned fallback);

// Removes the temporary files that replace_file leaves beside file (beside what it points to,
// when it is a link) when the program is killed in the middle of a save. Returns how many it removed.
int remove_stale_temporaries(const std::filesystem::path& file);

// An output file the player names (a recording, a screenshot): a regular file, or a new name.
// A folder, a pipe or a device is refused with error naming the file; nothing is created.
bool can_be_output_file(const std::filesystem::path& file, std::string& error);
// Opens such a file for writing from its start (emptied, or created), refusing what
// can_be_output_file refuses without ever blocking on a pipe; null with error set.
std::FILE* open_output_file(const std::filesystem::path& file, std::string& error);

// Cuts an open output file back to its first `size` bytes (what was written whole before a write
// failed); false when the system refuses.
bool cut_output_file(std::FILE* out, long size);

// An exclusive lock on a file, taken without waiting and held while the object lives. The system
// releases it when the process ends, however it ends, so a crash never leaves a stale lock.
class FileLock {
public:
    enum class Result {
        held,
        busy,   // another process holds it
        failed, // the file cannot be made or locked (error says why)
    };
    FileLock() = default;
    ~FileLock();
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Creates the file when it is missing (never through a link) and locks it.
    Result take(const std::filesystem::path& file, std::string& error);
    bool held() const { return handle_ != kNone; }

private:
    // The system's handle of the open file (a descriptor, or a Windows HANDLE), kNone when none.
    static constexpr std::intptr_t kNone = -1;
    std::intptr_t handle_ = kNone;
};

} // namespace zen
