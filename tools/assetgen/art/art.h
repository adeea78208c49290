#pragma once
#include <filesystem>
#include <string>

namespace assetgen::art {

// Writes every file of this part of the pack into dir. On failure returns false and says why in error.
bool generate(const std::filesystem::path& dir, std::string& error);

// The desktop icon at each size, as dir/hicolor/NxN/apps/zentrifa.png (the icon theme's layout).
constexpr int kIconSizeCount = 5;
extern const int kIconSizes[kIconSizeCount];
bool write_icons(const std::filesystem::path& dir, std::string& error);

} // namespace assetgen::art

namespace assetgen::art {
// Draws every sprite on every stage background at the places the game uses, with the desk strip
// and the piles of games, into one PNG. Reads the pictures from cg_dir (generating them there first
// when they are missing).
bool contact_sheet(const std::filesystem::path& cg_dir, const std::filesystem::path& png, std::string& error);
} // namespace assetgen::art
