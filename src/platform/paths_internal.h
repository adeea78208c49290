#pragma once
// What each system answers for the shared rules of paths.cpp.
#include <filesystem>
#include <optional>

namespace zen::path_detail {

// A folder the game may create files in.
bool writable_dir(const std::filesystem::path& dir);
// A folder the game may list and read.
bool readable_dir(const std::filesystem::path& dir);
// The player's own folders for the game's save and for its settings; none when the system knows of
// none (no home folder).
std::optional<std::filesystem::path> user_data_dir();
std::optional<std::filesystem::path> user_config_dir();

} // namespace zen::path_detail
