#pragma once
#include <filesystem>
#include <string>

namespace assetgen::sound {

// The loudest sample of every effect, in dBFS: a little headroom under full scale.
constexpr double kPeakDb = -1.5;

// Writes every file of this part of the pack into dir. On failure returns false and says why in error.
bool generate(const std::filesystem::path& dir, std::string& error);

} // namespace assetgen::sound
