#pragma once
// What the program was started with, as UTF-8 text on every system (Windows hands both over in
// UTF-16).
#include <optional>
#include <string>
#include <vector>

namespace zen {

// The program's arguments, its own name first: argv as it is on POSIX systems; on Windows the
// command line in UTF-16, split as the system splits it.
std::vector<std::string> program_arguments(int argc, char** argv);

// The value of an environment variable; none when it is not set.
std::optional<std::string> environment_variable(const char* name);

} // namespace zen
