#include "platform/system.h"

namespace zen {

bool local_time(std::time_t t, std::tm& out) { return ::localtime_r(&t, &out) != nullptr; }

const char* null_device() { return "/dev/null"; }

void file_written(const std::filesystem::path&) {}

bool window_is_a_page_canvas() { return false; }

} // namespace zen
