#pragma once
// Where the game finds its pictures and sounds (cg/, dat/) and keeps its save file.
#include <filesystem>
#include <string>
#include <vector>

namespace zen {

struct Paths {
    std::filesystem::path data_dir;      // holds cg/ and dat/
    std::filesystem::path save_dir;      // holds my.dat
    std::filesystem::path settings_file; // zentrifa.ini

    std::filesystem::path picture(const std::string& name) const { return data_dir / "cg" / name; }
    std::filesystem::path sound(const std::string& name) const { return data_dir / "dat" / name; }
    std::filesystem::path save_file() const { return save_dir / "my.dat"; }
    // Locked by the running game for as long as it runs.
    std::filesystem::path save_lock_file() const { return save_dir / "my.dat.lock"; }
    // The desktop icon the pack draws, where it may lie: in icons/ beside cg/ in a build, in the
    // icon theme of the prefix (share/icons beside share/zentrifa) once installed.
    std::vector<std::filesystem::path> icon_files() const;
};

// Data: --data-dir as given, else beside the executable, else the installed data folder
// (share/zentrifa next to the bin/ the executable is in, whatever the prefix; on Windows the
// installed game is one folder, so that is the folder of the executable too). A folder counts
// only when its cg/ is a folder the game can read; when none does, the one a player would look
// into: the installed folder if there is one, else the folder beside the executable.
// Save: --save-dir, else dat/ beside the executable when it is a writable folder (a build or an
// unpacked copy keeps its save with it), else $XDG_DATA_HOME/zentrifa when that is an absolute
// path, else ~/.local/share/zentrifa; on Windows %APPDATA%\Zentrifa.
// Settings: zentrifa.ini beside the save in a portable copy (no --save-dir, the save in dat/ beside
// the executable), else $XDG_CONFIG_HOME/zentrifa/ when that is an absolute path, else
// ~/.config/zentrifa/; on Windows %APPDATA%\Zentrifa.
// With none of the player's folders to be had, the save and the settings stay in dat/.
Paths resolve_paths(const std::filesystem::path& executable, const std::string& data_dir_option,
                    const std::string& save_dir_option);

// The installed data folder as seen from the executable.
std::filesystem::path installed_data_dir(const std::filesystem::path& executable);

// The running program: what the system says it is (/proc/self/exe, links resolved; on Windows
// the module's own file name), else where argv[0] leads.
std::filesystem::path executable_path(const char* argv0);

} // namespace zen
