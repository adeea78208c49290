#pragma once
#include <filesystem>
#include <string>

namespace assetgen::music {

// Writes every file of this part of the pack into dir. On failure returns false and says why in error.
bool generate(const std::filesystem::path& dir, std::string& error);

} // namespace assetgen::music
