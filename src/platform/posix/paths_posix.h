#pragma once
// Finding the program on POSIX systems that have no /proc.
#include <filesystem>

namespace zen {

// The program as argv[0] leads to it, links resolved: a bare name is looked up in path_env (the
// PATH), else taken from the working folder.
std::filesystem::path executable_from_argv0(const char* argv0, const char* path_env);

} // namespace zen
