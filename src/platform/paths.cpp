#include "platform/paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

// Where the installed data lies relative to the installed program; the build passes the one of
// its install layout.
#ifndef ZENTRIFA_DATA_FROM_BIN
#define ZENTRIFA_DATA_FROM_BIN "../share/zentrifa"
#endif

namespace zen {

namespace fs = std::filesystem;

std::vector<fs::path> Paths::icon_files() const
{
    const fs::path theme_file = fs::path("hicolor") / "128x128" / "apps" / "zentrifa.png";
    fs::path data = data_dir.lexically_normal();
    if (!data.has_filename()) data = data.parent_path(); // "share/zentrifa/" as "share/zentrifa"
    return {data / "icons" / theme_file, data.parent_path() / "icons" / theme_file};
}

fs::path executable_from_argv0(const char* argv0, const char* path_env)
{
    const std::string name = argv0 && *argv0 ? argv0 : "zentrifa";
    std::error_code ec;
    fs::path found = name;
    if (name.find('/') == std::string::npos) {
        // Started by name: the first folder of the PATH that holds a program of that name.
        const std::string path = path_env ? path_env : "";
        for (std::size_t from = 0; from <= path.size();) {
            std::size_t to = path.find(':', from);
            if (to == std::string::npos) to = path.size();
            const fs::path candidate = fs::path(to > from ? path.substr(from, to - from) : ".") / name;
            if (fs::is_regular_file(candidate, ec) && ::access(candidate.c_str(), X_OK) == 0) {
                found = candidate;
                break;
            }
            from = to + 1;
        }
    }
    fs::path real = fs::weakly_canonical(fs::absolute(found, ec), ec);
    return ec ? fs::absolute(found, ec) : real;
}

fs::path executable_path(const char* argv0)
{
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && !self.empty()) return self;
    return executable_from_argv0(argv0, std::getenv("PATH"));
}

fs::path installed_data_dir(const fs::path& executable)
{
    return (executable.parent_path() / ZENTRIFA_DATA_FROM_BIN).lexically_normal();
}

namespace {

bool writable_dir(const fs::path& dir)
{
    std::error_code ec;
    return fs::is_directory(dir, ec) && ::access(dir.c_str(), W_OK | X_OK) == 0;
}

// A data folder the game can use: its cg/ is a folder it may list and read.
bool holds_pictures(const fs::path& dir)
{
    std::error_code ec;
    const fs::path cg = dir / "cg";
    return fs::is_directory(cg, ec) && ::access(cg.c_str(), R_OK | X_OK) == 0;
}

fs::path home_dir()
{
    const char* home = std::getenv("HOME");
    if (home && *home == '/') return home;
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir && *pw->pw_dir == '/') return pw->pw_dir;
    return {};
}

} // namespace

Paths resolve_paths(const fs::path& executable, const std::string& data_dir_option, const std::string& save_dir_option)
{
    Paths p;
    const fs::path beside = executable.parent_path();
    const fs::path installed = installed_data_dir(executable);
    std::error_code ec;
    if (!data_dir_option.empty()) {
        p.data_dir = data_dir_option;
    } else if (!holds_pictures(beside) && fs::is_directory(installed, ec)) {
        p.data_dir = installed; // also when damaged: that is where the player has to look
    } else {
        p.data_dir = beside;
    }

    const char* xdg = std::getenv("XDG_DATA_HOME");
    const bool xdg_usable = xdg && *xdg == '/'; // a relative XDG_DATA_HOME does not count
    const fs::path home = xdg_usable ? fs::path() : home_dir();
    if (!save_dir_option.empty()) {
        p.save_dir = save_dir_option;
    } else if (writable_dir(beside / "dat") || (!xdg_usable && home.empty())) {
        p.save_dir = beside / "dat"; // portable: the save stays with the program (or has nowhere else)
    } else if (xdg_usable) {
        p.save_dir = fs::path(xdg) / "zentrifa";
    } else {
        p.save_dir = home / ".local" / "share" / "zentrifa";
    }

    // The settings: beside the save in a portable copy, else in the player's configuration folder
    // (also when --save-dir moves only the save).
    const char* xdg_config = std::getenv("XDG_CONFIG_HOME");
    const fs::path config_home = home_dir();
    const bool portable = save_dir_option.empty() && p.save_dir == beside / "dat";
    if (!portable && xdg_config && *xdg_config == '/') {
        p.settings_file = fs::path(xdg_config) / "zentrifa" / "zentrifa.ini";
    } else if (!portable && !config_home.empty()) {
        p.settings_file = config_home / ".config" / "zentrifa" / "zentrifa.ini";
    } else {
        p.settings_file = p.save_dir / "zentrifa.ini"; // portable, or nowhere else to keep it
    }
    return p;
}

} // namespace zen
