// The player's folders on POSIX systems: XDG_DATA_HOME and XDG_CONFIG_HOME, else under the home
// folder; the program itself through /proc.
#include "platform/paths.h"

#include "platform/paths_internal.h"
#include "platform/posix/paths_posix.h"
#include "platform/process.h"

#include <pwd.h>
#include <unistd.h>

#include <system_error>

namespace zen {

namespace fs = std::filesystem;

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
    const std::optional<std::string> path = environment_variable("PATH");
    return executable_from_argv0(argv0, path ? path->c_str() : nullptr);
}

namespace path_detail {

namespace {

// An XDG folder variable when it holds an absolute path (a relative one does not count).
std::optional<fs::path> xdg_dir(const char* variable)
{
    const std::optional<std::string> value = environment_variable(variable);
    if (value && value->starts_with('/')) return fs::path(*value);
    return std::nullopt;
}

std::optional<fs::path> home_dir()
{
    const std::optional<std::string> home = environment_variable("HOME");
    if (home && home->starts_with('/')) return fs::path(*home);
    if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir && *pw->pw_dir == '/') return fs::path(pw->pw_dir);
    return std::nullopt;
}

} // namespace

std::optional<fs::path> user_data_dir()
{
    if (auto xdg = xdg_dir("XDG_DATA_HOME")) return *xdg / "zentrifa";
    if (auto home = home_dir()) return *home / ".local" / "share" / "zentrifa";
    return std::nullopt;
}

std::optional<fs::path> user_config_dir()
{
    if (auto xdg = xdg_dir("XDG_CONFIG_HOME")) return *xdg / "zentrifa";
    if (auto home = home_dir()) return *home / ".config" / "zentrifa";
    return std::nullopt;
}

} // namespace path_detail

} // namespace zen
