// The order of the places the game looks in, the same on every system; each system names its own
// places (posix/, windows/).
#include "platform/paths.h"

#include "platform/path_text.h"
#include "platform/paths_internal.h"

#include <system_error>

namespace zen {

namespace fs = std::filesystem;
using namespace path_detail;

std::vector<fs::path> Paths::icon_files() const
{
    const fs::path theme_file = fs::path("hicolor") / "128x128" / "apps" / "zentrifa.png";
    fs::path data = data_dir.lexically_normal();
    if (!data.has_filename()) data = data.parent_path(); // "share/zentrifa/" as "share/zentrifa"
    return {data / "icons" / theme_file, data.parent_path() / "icons" / theme_file};
}

// Where the installed data lies relative to the installed program (share/zentrifa beside bin/, on
// Windows too); the build passes the one of its install layout.
#ifndef ZENTRIFA_DATA_FROM_BIN
#define ZENTRIFA_DATA_FROM_BIN "../share/zentrifa"
#endif

fs::path installed_data_dir(const fs::path& executable)
{
    return (executable.parent_path() / ZENTRIFA_DATA_FROM_BIN).lexically_normal();
}

Paths resolve_paths(const fs::path& executable, const std::string& data_dir_option, const std::string& save_dir_option)
{
    Paths p;
    const fs::path beside = executable.parent_path();
    const fs::path installed = installed_data_dir(executable);
    std::error_code ec;
    if (!data_dir_option.empty()) {
        p.data_dir = utf8_path(data_dir_option);
    } else if (!readable_dir(beside / "cg") && fs::is_directory(installed, ec)) {
        p.data_dir = installed; // also when damaged: that is where the player has to look
    } else {
        p.data_dir = beside;
    }

    const fs::path portable_dir = beside / "dat";
    if (!save_dir_option.empty()) {
        p.save_dir = utf8_path(save_dir_option);
    } else if (writable_dir(portable_dir)) {
        p.save_dir = portable_dir; // portable: the save stays with the program
    } else {
        p.save_dir = user_data_dir().value_or(portable_dir); // or it has nowhere else to go
    }

    // The settings: beside the save in a portable copy, else in the player's configuration folder
    // (also when --save-dir moves only the save).
    const bool portable = save_dir_option.empty() && p.save_dir == portable_dir;
    const std::optional<fs::path> config_dir = portable ? std::nullopt : user_config_dir();
    p.settings_file = config_dir.value_or(p.save_dir) / "zentrifa.ini";
    return p;
}

} // namespace zen
