#pragma once
// Where the game finds its pictures and sounds (cg/, dat/) and keeps its save file.
#include <filesystem>
#include <string>

namespace zen {

struct Paths {
    std::filesystem::path data_dir; // holds cg/ and dat/
    std::filesystem::path save_dir; // holds my.dat

    std::filesystem::path picture(const std::string& name) const { return data_dir / "cg" / name; }
    std::filesystem::path sound(const std::string& name) const { return data_dir / "dat" / name; }
    std::filesystem::path save_file() const { return save_dir / "my.dat"; }
};

// Data: --data-dir, else beside the executable, else the installed data folder.
// Save: --save-dir, else dat/ beside the executable when writable, else $XDG_DATA_HOME/zentrifa
// (~/.local/share/zentrifa).
Paths resolve_paths(const std::filesystem::path& executable, const std::string& data_dir_option,
                    const std::string& save_dir_option);

std::filesystem::path executable_path(const char* argv0);

} // namespace zen
