#pragma once
// The few plain system calls that differ between systems, for the platform's own files
// (posix/system_posix.cpp, windows/system_windows.cpp).
#include <ctime>
#include <filesystem>
#include <string>

namespace zen {

// The local time of t; false when the system cannot tell it.
bool local_time(std::time_t t, std::tm& out);

// The name of the device that swallows what is written to it.
const char* null_device();

// The file of IPA P Gothic (or another Japanese font) as the system's font service finds it; empty
// when the system has none (Windows: the game's own copy in its data folder is used).
std::string system_japanese_font();

// Told after a file of the game's was written whole (a save, the settings, a screenshot): a
// browser page then copies its save folder into the browser's storage. Nothing to do elsewhere.
void file_written(const std::filesystem::path& file);

// True in a browser page: the game's window is the page's canvas, which keeps the picture's own
// size (the page scales it, crisp, and SDL maps the mouse through that scale) and is drawn into
// pixel for pixel; a desktop's window is resizable instead.
bool window_is_a_page_canvas();

} // namespace zen
