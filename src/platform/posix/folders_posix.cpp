// What the game may do in a folder, on POSIX systems (and in a browser page, whose files are
// Emscripten's POSIX ones).
#include "platform/paths_internal.h"

#include <unistd.h>

#include <system_error>

namespace zen::path_detail {

namespace fs = std::filesystem;

bool writable_dir(const fs::path& dir)
{
    std::error_code ec;
    return fs::is_directory(dir, ec) && ::access(dir.c_str(), W_OK | X_OK) == 0;
}

bool readable_dir(const fs::path& dir)
{
    std::error_code ec;
    return fs::is_directory(dir, ec) && ::access(dir.c_str(), R_OK | X_OK) == 0;
}

} // namespace zen::path_detail
