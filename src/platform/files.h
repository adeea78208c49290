#pragma once
// Reading and writing the game's files. Every file the game reads may be missing, empty, a folder,
// a pipe, huge or hostile: reads take regular files only, up to a size the caller names. Writes
// never follow a link planted in the way and never leave half a file under the real name.
#include <cstddef>
#include <cstdio>
#include <filesystem>
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

// Writes bytes to a new temporary file beside file (a fresh name, created exclusively, never
// through a link), flushes it to the disk, renames it over file and flushes the folder. On
// failure the old file is untouched, no temporary file remains, and error says why.
bool replace_file(const std::filesystem::path& file, std::string_view bytes, std::string& error);

// Writes bytes as a new file with the permission bits mode; fails (with exists set) when the name
// is taken by anything, a link included. Nothing half-written remains on failure.
bool write_new_file(const std::filesystem::path& file, std::string_view bytes, bool& exists, std::string& error,
                    unsigned mode = 0644);

// The permission bits of a file (links followed); fallback when it has none to read.
unsigned permission_bits(const std::filesystem::path& file, unsigned fallback);

// Removes the temporary files that replace_file leaves beside file when the program is killed
// in the middle of a save. Returns how many it removed.
int remove_stale_temporaries(const std::filesystem::path& file);

// An output file the player names (a recording, a screenshot): a regular file, or a new name.
// A folder, a pipe or a device is refused with error naming the file; nothing is created.
bool can_be_output_file(const std::filesystem::path& file, std::string& error);
// Opens such a file for writing from its start (emptied, or created), refusing what
// can_be_output_file refuses without ever blocking on a pipe; null with error set.
std::FILE* open_output_file(const std::filesystem::path& file, std::string& error);

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
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

} // namespace zen
