#pragma once
// MP3 through libmp3lame: constant bit rate, joint stereo, with the LAME tag (encoder delay and
// padding, so players can trim the edges exactly).
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace assetgen::music {

// Encodes 16-bit stereo (left and right of equal length, 44.1 kHz) and writes the file.
bool write_mp3(const std::filesystem::path& path, const std::vector<std::int16_t>& left,
               const std::vector<std::int16_t>& right, int kbps, std::string& error);

} // namespace assetgen::music
