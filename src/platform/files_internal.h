#pragma once
// What the systems' halves of the file code share (files.cpp, and posix/ or windows/): the names
// of temporaries, the messages, and the few steps each system takes its own way.
#include "platform/files.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace zen::file_detail {

// The temporary name of a file being saved: "my.dat.tmp-" and eight letters (see temporary_name).
constexpr std::string_view kTempMark = ".tmp";
constexpr std::size_t kSuffixLetters = 8;
// Links followed to reach a file before giving up on it as a loop (the system's own limit).
constexpr int kLinkHops = 40;

// "FILE: what: reason", the file named in UTF-8; without the reason when there is none.
std::string describe(const std::filesystem::path& file, std::string_view what, std::string_view reason = {});

std::filesystem::path folder_of(const std::filesystem::path& file);

// A file over its limit: says so in error.
ReadResult too_large(const std::filesystem::path& file, std::size_t max_bytes, std::string& error);

// A fresh temporary name for a file named `name`: "NAME.tmp-" and eight letters, NAME cut short
// where the whole would pass `longest`, the longest name a folder takes (in the system's units).
// Each attempt gives another name.
std::filesystem::path temporary_name(const std::filesystem::path& name, std::size_t longest, unsigned attempt);

// --- Each system's own ---

// This process's number, to make temporary names differ between processes.
std::uint64_t process_number();

enum class LinkLook {
    not_a_link, // anything else, or nothing at all
    link,       // `to` holds where it points, as the link says it (maybe relative to its folder)
    failed,     // error says why
};
// What lies at `at`, links not followed.
LinkLook read_link(const std::filesystem::path& at, std::filesystem::path& to, std::string& error);

// A regular file open for reading; closed when the object goes.
class InputFile {
public:
    InputFile() = default;
    ~InputFile();
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

    // Opens a regular file of at most max_bytes; anything else is refused without blocking (a pipe
    // with no writer, a device) and error says why.
    ReadResult open(const std::filesystem::path& file, std::size_t max_bytes, std::string& error);
    // Its size when opened (a file like those of /proc may hold more or less).
    std::uintmax_t size() const { return size_; }
    // Reads up to `room` bytes into `to`; got is 0 at the end. False (error naming the file) when
    // the system fails.
    bool read(char* to, std::size_t room, std::size_t& got, std::string& error);

private:
    std::intptr_t handle_ = -1;
    std::uintmax_t size_ = 0;
    std::filesystem::path file_;
};

} // namespace zen::file_detail
