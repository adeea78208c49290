#pragma once
// UTF-8, the game's text, to and from UTF-16, the Windows API's. Windows files of the platform only.
#include <string>
#include <string_view>

namespace zen {

std::wstring utf16(std::string_view utf8);
std::string utf8(std::wstring_view utf16);

} // namespace zen
