// The player's folders on Windows: the game is one folder (zentrifa.exe beside cg\, dat\, fonts\),
// its save and settings in dat\ when that folder may be written (an unpacked zip), else in
// %APPDATA%\Zentrifa.
#include "platform/paths.h"

#include "platform/files_internal.h"
#include "platform/path_text.h"
#include "platform/paths_internal.h"
#include "platform/process.h"
#include "platform/windows/utf16.h"

#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>

#include <system_error>

namespace zen {

namespace fs = std::filesystem;

fs::path executable_path(const char* argv0)
{
    // The module's file name, however long: the buffer grows until the name fits.
    std::wstring name(MAX_PATH, L'\0');
    for (int tries = 0; tries < 8; ++tries) {
        const DWORD n = ::GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
        if (n == 0) break;
        if (n < name.size()) {
            name.resize(n);
            return fs::path(name);
        }
        name.resize(name.size() * 4);
    }
    // Else as it was started: the command line's own first word, in UTF-16, rather than the
    // code page's argv[0].
    const std::vector<std::string> args = program_arguments(0, nullptr);
    const char* fallback = argv0 && *argv0 ? argv0 : "zentrifa.exe";
    std::error_code ec;
    const fs::path given = utf8_path(!args.empty() && !args[0].empty() ? args[0] : fallback);
    const fs::path whole = fs::absolute(given, ec);
    return ec ? given : whole;
}

namespace path_detail {

bool writable_dir(const fs::path& dir)
{
    // Windows says whether a folder may be written only by trying (its read-only attribute means
    // nothing for folders): a file made there and gone when closed.
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) return false;
    for (unsigned attempt = 0; attempt < 10; ++attempt) {
        const fs::path probe = dir / file_detail::temporary_name(".zentrifa-write-test", 255, attempt);
        HANDLE h = ::CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            ::CloseHandle(h);
            return true;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    return false;
}

bool readable_dir(const fs::path& dir)
{
    HANDLE h = ::CreateFileW(dir.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                             nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool folder =
        ::GetFileInformationByHandle(h, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    ::CloseHandle(h);
    return folder;
}

std::optional<fs::path> user_data_dir()
{
    // The roaming application data folder, as the system knows it; else as APPDATA says.
    wchar_t* known = nullptr;
    std::optional<fs::path> roaming;
    if (::SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DEFAULT, nullptr, &known) == S_OK && known && *known)
        roaming = fs::path(known);
    ::CoTaskMemFree(known);
    if (!roaming) {
        const std::optional<std::string> app_data = environment_variable("APPDATA");
        if (app_data && utf8_path(*app_data).is_absolute()) roaming = utf8_path(*app_data);
    }
    if (!roaming) return std::nullopt;
    return *roaming / "Zentrifa";
}

std::optional<fs::path> user_config_dir() { return user_data_dir(); }

} // namespace path_detail

} // namespace zen
