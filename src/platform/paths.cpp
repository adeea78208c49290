#include "platform/paths.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace zen {

namespace fs = std::filesystem;

fs::path executable_path(const char* argv0)
{
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && !self.empty()) return self;
    return fs::absolute(argv0 ? argv0 : "zentrifa", ec);
}

static bool writable_dir(const fs::path& dir)
{
    std::error_code ec;
    return fs::is_directory(dir, ec) && ::access(dir.c_str(), W_OK) == 0;
}

Paths resolve_paths(const fs::path& executable, const std::string& data_dir_option, const std::string& save_dir_option)
{
    Paths p;
    const fs::path beside = executable.parent_path();
    std::error_code ec;
    if (!data_dir_option.empty()) {
        p.data_dir = data_dir_option;
    } else if (fs::is_directory(beside / "cg", ec) || fs::is_directory(beside / "dat", ec)) {
        p.data_dir = beside;
    } else {
#ifdef ZENTRIFA_INSTALL_DATA_DIR
        p.data_dir = ZENTRIFA_INSTALL_DATA_DIR;
#else
        p.data_dir = beside;
#endif
    }
    if (!save_dir_option.empty()) {
        p.save_dir = save_dir_option;
    } else if (writable_dir(beside / "dat")) {
        p.save_dir = beside / "dat"; // portable: the save stays with the program
    } else {
        const char* xdg = std::getenv("XDG_DATA_HOME");
        const char* home = std::getenv("HOME");
        if (xdg && *xdg) p.save_dir = fs::path(xdg) / "zentrifa";
        else if (home && *home) p.save_dir = fs::path(home) / ".local" / "share" / "zentrifa";
        else p.save_dir = beside / "dat";
    }
    return p;
}

} // namespace zen
