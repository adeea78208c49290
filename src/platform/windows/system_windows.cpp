#include "platform/system.h"

namespace zen {

bool local_time(std::time_t t, std::tm& out) { return ::localtime_s(&out, &t) == 0; }

const char* null_device() { return "NUL"; }

std::string system_japanese_font() { return {}; }

void file_written(const std::filesystem::path&) {}

bool window_is_a_page_canvas() { return false; }

} // namespace zen
