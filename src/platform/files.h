#pragma once
// Reading and writing the game's files. Every file the game reads may be missing, empty, a folder,
// a pipe, huge or hostile: reads take regular files only, up to a size the caller names. Writes
// never follow a link planted in the way and never leave half a file under the real name.
#include <cstddef>
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

// Writes bytes as a new file; fails (with exists set) when the name is taken by anything,
// a link included. Nothing half-written remains on failure.
bool write_new_file(const std::filesystem::path& file, std::string_view bytes, bool& exists, std::string& error);

// Removes the temporary files that replace_file leaves beside file when the program is killed
// in the middle of a save. Returns how many it removed.
int remove_stale_temporaries(const std::filesystem::path& file);

} // namespace zen
