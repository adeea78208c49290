#pragma once
// The few plain system calls that differ between systems, for the platform's own files
// (posix/system_posix.cpp, windows/system_windows.cpp).
#include <ctime>

namespace zen {

// The local time of t; false when the system cannot tell it.
bool local_time(std::time_t t, std::tm& out);

// The name of the device that swallows what is written to it.
const char* null_device();

} // namespace zen
