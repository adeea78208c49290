#pragma once
// Paths as the game's texts hold them: UTF-8, on every system. A path is made from a UTF-8 string
// and written out as one only through these two, so a folder named 山田 or "My Games" reaches the
// system as it is, whatever the system's own encoding of names (UTF-16 on Windows).
#include <filesystem>
#include <string>
#include <string_view>

namespace zen {

inline std::filesystem::path utf8_path(std::string_view utf8)
{
    return std::filesystem::path(std::u8string_view(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

inline std::string path_utf8(const std::filesystem::path& path)
{
    const std::u8string s = path.u8string();
    return std::string(reinterpret_cast<const char*>(s.data()), s.size());
}

} // namespace zen
