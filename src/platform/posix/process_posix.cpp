// The arguments and the environment on POSIX systems: bytes, handed on as they are.
#include "platform/process.h"

#include <cstdlib>

namespace zen {

std::vector<std::string> program_arguments(int argc, char** argv)
{
    std::vector<std::string> args;
    for (int i = 0; i < argc && argv && argv[i]; ++i) args.emplace_back(argv[i]);
    return args;
}

std::optional<std::string> environment_variable(const char* name)
{
    const char* value = std::getenv(name);
    if (!value) return std::nullopt;
    return std::string(value);
}

} // namespace zen
