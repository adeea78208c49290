// The arguments and the environment on Windows: the system keeps them in UTF-16; the game gets
// them in UTF-8, whatever the code page of the console.
#include "platform/process.h"

#include "platform/windows/utf16.h"

#include <shellapi.h>

#include <cstdlib>

namespace zen {

std::vector<std::string> program_arguments(int argc, char** argv)
{
    std::vector<std::string> args;
    int count = 0;
    if (wchar_t** wide = ::CommandLineToArgvW(::GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i) args.push_back(windows::utf8_of(wide[i]));
        ::LocalFree(static_cast<void*>(wide));
        return args;
    }
    // Without the wide command line: what the runtime made of it, in the code page.
    for (int i = 0; i < argc && argv && argv[i]; ++i) args.emplace_back(argv[i]);
    return args;
}

std::optional<std::string> environment_variable(const char* name)
{
    const std::wstring wide_name = windows::utf16_of(name ? name : "");
    if (wide_name.empty()) return std::nullopt;
    const wchar_t* value = ::_wgetenv(wide_name.c_str());
    if (!value) return std::nullopt;
    return windows::utf8_of(value);
}

} // namespace zen
