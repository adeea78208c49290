// Files on Windows: every path goes to the system in UTF-16 (the W calls), a save is put in place
// in one step by MoveFileExW, and the lock is a LockFileEx on a handle held while the game runs.
#include "platform/files.h"

#include "platform/files_internal.h"
#include "platform/windows/utf16.h"

#include <fcntl.h>
#include <io.h>
#include <winioctl.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace zen {

namespace fs = std::filesystem;
using namespace file_detail;
using windows::system_message;

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// The longest name a folder takes, in UTF-16 units.
constexpr std::size_t kLongestName = 255;
// One ReadFile or WriteFile moves at most this much.
constexpr std::size_t kLargestTransfer = std::size_t{1} << 30;

std::string explain(const fs::path& file, const char* what, DWORD err)
{
    return describe(file, what, err ? system_message(err) : "");
}

// A path as the W calls take it: as it is, or past MAX_PATH in the \\?\ form that lifts the limit
// (which takes only whole, absolute paths with backslashes).
std::wstring api_path(const fs::path& path)
{
    const std::wstring& plain = path.native();
    if (plain.size() < 248 || plain.starts_with(LR"(\\?\)")) return plain; // 248: CreateDirectoryW's limit
    std::error_code ec;
    fs::path whole = fs::absolute(path, ec);
    if (ec) return plain;
    whole = whole.lexically_normal();
    whole.make_preferred();
    const std::wstring& w = whole.native();
    return w.starts_with(LR"(\\)") ? LR"(\\?\UNC\)" + w.substr(2) : LR"(\\?\)" + w;
}

class Handle {
public:
    explicit Handle(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
    ~Handle()
    {
        if (valid()) ::CloseHandle(h_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
    HANDLE get() const { return h_; }
    void reset(HANDLE h)
    {
        if (valid()) ::CloseHandle(h_);
        h_ = h;
    }
    HANDLE release()
    {
        HANDLE h = h_;
        h_ = INVALID_HANDLE_VALUE;
        return h;
    }
    // Closes now; false (GetLastError says why) when the system reports a failure.
    bool close() { return ::CloseHandle(release()) != 0; }

private:
    HANDLE h_;
};

HANDLE open_file(const fs::path& file, DWORD access, DWORD share, DWORD how, DWORD flags)
{
    return ::CreateFileW(api_path(file).c_str(), access, share, nullptr, how, flags, nullptr);
}

bool write_all(HANDLE h, std::string_view bytes)
{
    while (!bytes.empty()) {
        DWORD n = 0;
        const auto part = static_cast<DWORD>(std::min(bytes.size(), kLargestTransfer));
        if (!::WriteFile(h, bytes.data(), part, &n, nullptr) || n == 0) return false;
        bytes.remove_prefix(n);
    }
    return true;
}

// Writes, flushes to the disk and closes an open file. Returns 0, or the error of the failure.
DWORD finish_file(Handle& h, std::string_view bytes)
{
    if (!write_all(h.get(), bytes) || !::FlushFileBuffers(h.get())) return ::GetLastError();
    if (!h.close()) return ::GetLastError();
    return 0;
}

// What lies at a path, links followed: its type (FILE_TYPE_DISK for a file or a folder) and
// attributes (0 for a pipe or a device). False (err) when nothing can be opened there.
bool look_at(const fs::path& file, DWORD& type, DWORD& attributes, DWORD& err)
{
    Handle h(open_file(file, FILE_READ_ATTRIBUTES, kShareAll, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS));
    if (!h.valid()) {
        err = ::GetLastError();
        return false;
    }
    type = ::GetFileType(h.get());
    BY_HANDLE_FILE_INFORMATION info{};
    attributes = type == FILE_TYPE_DISK && ::GetFileInformationByHandle(h.get(), &info) ? info.dwFileAttributes : 0;
    return true;
}

bool is_folder(const fs::path& file)
{
    DWORD type = 0;
    DWORD attributes = 0;
    DWORD err = 0;
    return look_at(file, type, attributes, err) && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The handle a lock or an open file keeps as a number (the shared header holds no system type).
HANDLE as_handle(std::intptr_t kept)
{
    return reinterpret_cast<HANDLE>(kept); // NOLINT(performance-no-int-to-ptr): it was a HANDLE
}

bool missing_error(DWORD err) { return err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND; }

// Symbolic links and junctions are links; other reparse points (files kept in the cloud,
// deduplicated ones) are files the system opens as such.
bool link_tag(ULONG tag) { return tag == IO_REPARSE_TAG_SYMLINK || tag == IO_REPARSE_TAG_MOUNT_POINT; }

} // namespace

namespace file_detail {

std::uint64_t process_number() { return ::GetCurrentProcessId(); }

LinkLook read_link(const fs::path& at, fs::path& to, std::string& error)
{
    const DWORD attributes = ::GetFileAttributesW(api_path(at).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return LinkLook::not_a_link;
    Handle h(open_file(at, FILE_READ_ATTRIBUTES, kShareAll, OPEN_EXISTING,
                       FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS));
    std::vector<unsigned char> data(MAXIMUM_REPARSE_DATA_BUFFER_SIZE);
    DWORD got = 0;
    if (!h.valid() || !::DeviceIoControl(h.get(), FSCTL_GET_REPARSE_POINT, nullptr, 0, data.data(),
                                         static_cast<DWORD>(data.size()), &got, nullptr)) {
        const DWORD err = ::GetLastError();
        if (err == ERROR_NOT_A_REPARSE_POINT || missing_error(err)) return LinkLook::not_a_link;
        error = explain(at, "cannot read the link", err);
        return LinkLook::failed;
    }
    // The reparse data: its tag, then the offsets and lengths (in bytes) of the two names, the
    // flags of a symbolic link, and the names themselves.
    const auto field = [&](std::size_t at_byte) {
        USHORT v = 0;
        if (at_byte + sizeof v <= got) std::memcpy(&v, data.data() + at_byte, sizeof v);
        return std::size_t{v};
    };
    ULONG tag = 0;
    if (got >= sizeof tag) std::memcpy(&tag, data.data(), sizeof tag);
    if (!link_tag(tag)) return LinkLook::not_a_link;
    const std::size_t names = tag == IO_REPARSE_TAG_SYMLINK ? 20 : 16;
    const auto name = [&](std::size_t offset, std::size_t length) {
        std::wstring text(length / sizeof(wchar_t), L'\0');
        if (names + offset + length <= got)
            std::memcpy(text.data(), data.data() + names + offset, text.size() * 2);
        else
            text.clear();
        return text;
    };
    // The name meant for people is the plain path; the other is the system's own form of it.
    std::wstring target = name(field(12), field(14));
    if (target.empty()) target = name(field(8), field(10));
    if (target.starts_with(LR"(\??\UNC\)"))
        target = LR"(\\)" + target.substr(8);
    else if (target.starts_with(LR"(\??\)"))
        target = target.substr(4);
    if (target.empty()) {
        error = explain(at, "cannot read the link", ERROR_INVALID_REPARSE_DATA);
        return LinkLook::failed;
    }
    to = fs::path(target);
    return LinkLook::link;
}

InputFile::~InputFile()
{
    if (handle_ != -1) ::CloseHandle(as_handle(handle_));
}

ReadResult InputFile::open(const fs::path& file, std::size_t max_bytes, std::string& error)
{
    file_ = file;
    Handle h(open_file(file, GENERIC_READ, kShareAll, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL));
    if (!h.valid()) {
        const DWORD err = ::GetLastError();
        if (err == ERROR_ACCESS_DENIED && is_folder(file)) {
            error = explain(file, "is a folder, not a file", 0);
            return ReadResult::not_a_file;
        }
        error = explain(file, "cannot open", err);
        return missing_error(err) ? ReadResult::missing : ReadResult::failed;
    }
    // A console, a device (NUL, COM1: names that are devices in every folder) or a pipe is never read.
    if (::GetFileType(h.get()) != FILE_TYPE_DISK) {
        error = explain(file, "is not a regular file", 0);
        return ReadResult::not_a_file;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    LARGE_INTEGER size{};
    if (!::GetFileInformationByHandle(h.get(), &info) || !::GetFileSizeEx(h.get(), &size)) {
        error = explain(file, "cannot read", ::GetLastError());
        return ReadResult::failed;
    }
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        error = explain(file, "is a folder, not a file", 0);
        return ReadResult::not_a_file;
    }
    if (size.QuadPart < 0 || static_cast<std::uintmax_t>(size.QuadPart) > max_bytes)
        return too_large(file, max_bytes, error);
    size_ = static_cast<std::uintmax_t>(size.QuadPart);
    handle_ = reinterpret_cast<std::intptr_t>(h.release());
    return ReadResult::ok;
}

bool InputFile::read(char* to, std::size_t room, std::size_t& got, std::string& error)
{
    DWORD n = 0;
    const auto part = static_cast<DWORD>(std::min(room, kLargestTransfer));
    if (!::ReadFile(as_handle(handle_), to, part, &n, nullptr)) {
        const DWORD err = ::GetLastError();
        if (err != ERROR_HANDLE_EOF && err != ERROR_BROKEN_PIPE) {
            error = explain(file_, "cannot read", err);
            return false;
        }
        n = 0;
    }
    got = n;
    return true;
}

} // namespace file_detail

bool replace_file(const fs::path& file, std::string_view bytes, std::string& error)
{
    // A save kept elsewhere through a link stays a link: the file it points to is the one
    // replaced, by a temporary beside it.
    fs::path target;
    if (!resolve_links(file, target, error)) return false;
    const fs::path folder = folder_of(target);
    // The file replaced keeps what its attributes say (hidden, say). One the player made
    // read-only is kept as it is, as Windows keeps such files.
    const DWORD old = ::GetFileAttributesW(api_path(target).c_str());
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD attributes = old == INVALID_FILE_ATTRIBUTES ? 0 : old;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        error = explain(target, "is a folder, not a file", 0);
        return false;
    }
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        error = explain(target, "is read-only; it was not replaced", 0);
        return false;
    }
    fs::path temp;
    Handle out;
    for (unsigned attempt = 0; attempt < 100 && !out.valid(); ++attempt) {
        temp = folder / temporary_name(target.filename(), kLongestName, attempt);
        // A new file only: whatever lies at the name is never written through.
        out.reset(open_file(temp, GENERIC_WRITE, 0, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL | (attributes & kKept) | FILE_FLAG_OPEN_REPARSE_POINT));
        if (!out.valid() && ::GetLastError() != ERROR_FILE_EXISTS && ::GetLastError() != ERROR_ALREADY_EXISTS) break;
    }
    if (!out.valid()) {
        error = explain(temp, "cannot create", ::GetLastError());
        return false;
    }
    if (const DWORD err = finish_file(out, bytes)) {
        out.reset(INVALID_HANDLE_VALUE);
        ::DeleteFileW(api_path(temp).c_str());
        error = explain(temp, "cannot write", err);
        return false;
    }
    // In place in one step, the rename written through to the disk before the call returns. A
    // virus scanner or an indexer may hold the old file open for a moment: the move is tried
    // again for up to half a second.
    DWORD err = 0;
    for (int attempt = 0; attempt < 10; ++attempt) {
        if (::MoveFileExW(api_path(temp).c_str(), api_path(target).c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        err = ::GetLastError();
        if (err != ERROR_ACCESS_DENIED && err != ERROR_SHARING_VIOLATION && err != ERROR_LOCK_VIOLATION) break;
        ::Sleep(50);
    }
    ::DeleteFileW(api_path(temp).c_str());
    error = explain(target, "cannot replace", err);
    return false;
}

bool write_new_file(const fs::path& file, std::string_view bytes, bool& exists, std::string& error, unsigned mode)
{
    exists = false;
    Handle out(open_file(file, GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT));
    if (!out.valid()) {
        const DWORD err = ::GetLastError();
        // Taken by anything: a file, a folder, a link (to nothing, too).
        exists = err == ERROR_FILE_EXISTS || err == ERROR_ALREADY_EXISTS ||
                 ::GetFileAttributesW(api_path(file).c_str()) != INVALID_FILE_ATTRIBUTES;
        error = explain(file, "cannot create", err);
        return false;
    }
    DWORD err = finish_file(out, bytes);
    // The one permission bit Windows has: without the owner's write bit, the file is read-only.
    if (err == 0 && !(mode & 0200u) && !::SetFileAttributesW(api_path(file).c_str(), FILE_ATTRIBUTE_READONLY))
        err = ::GetLastError();
    if (err != 0) {
        out.reset(INVALID_HANDLE_VALUE);
        ::DeleteFileW(api_path(file).c_str());
        error = explain(file, "cannot write", err);
        return false;
    }
    return true;
}

unsigned permission_bits(const fs::path& file, unsigned fallback)
{
    DWORD type = 0;
    DWORD attributes = 0;
    DWORD err = 0;
    if (!look_at(file, type, attributes, err) || type != FILE_TYPE_DISK) return fallback;
    return attributes & FILE_ATTRIBUTE_READONLY ? fallback & ~0222u : fallback;
}

namespace {

// Why what lies at a path cannot be written as an output file; null when it can.
const char* not_an_output(DWORD type, DWORD attributes)
{
    if (type != FILE_TYPE_DISK) return "is not a regular file (a pipe or a device)";
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? "is a folder, not a file" : nullptr;
}

} // namespace

bool can_be_output_file(const fs::path& file, std::string& error)
{
    DWORD type = 0;
    DWORD attributes = 0;
    DWORD err = 0;
    if (!look_at(file, type, attributes, err)) {
        if (missing_error(err)) return true; // a new file (a link to nothing makes one where it points)
        error = explain(file, "cannot be written", err);
        return false;
    }
    if (const char* why = not_an_output(type, attributes)) {
        error = explain(file, why, 0);
        return false;
    }
    return true;
}

std::FILE* open_output_file(const fs::path& file, std::string& error)
{
    // Not emptied before it is known to be a file.
    Handle h(open_file(file, GENERIC_WRITE, FILE_SHARE_READ, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL));
    if (!h.valid()) {
        const DWORD err = ::GetLastError();
        if (err == ERROR_ACCESS_DENIED && is_folder(file))
            error = explain(file, "is a folder, not a file", 0);
        else
            error = explain(file, "cannot be written", err);
        return nullptr;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const DWORD type = ::GetFileType(h.get());
    if (type == FILE_TYPE_DISK && !::GetFileInformationByHandle(h.get(), &info)) {
        error = explain(file, "cannot be written", ::GetLastError());
        return nullptr;
    }
    if (const char* why = not_an_output(type, info.dwFileAttributes)) {
        error = explain(file, why, 0);
        return nullptr;
    }
    if (!::SetEndOfFile(h.get())) {
        error = explain(file, "cannot be written", ::GetLastError());
        return nullptr;
    }
    const int fd = ::_open_osfhandle(reinterpret_cast<std::intptr_t>(h.get()), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
        error = explain(file, "cannot be written", ERROR_TOO_MANY_OPEN_FILES);
        return nullptr;
    }
    static_cast<void>(h.release()); // the descriptor closes it now
    std::FILE* out = ::_fdopen(fd, "wb");
    if (!out) {
        ::_close(fd);
        error = explain(file, "cannot be written", ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return out;
}

bool cut_output_file(std::FILE* out, long size) { return out && size >= 0 && ::_chsize_s(::_fileno(out), size) == 0; }

FileLock::~FileLock()
{
    if (handle_ != kNone) ::CloseHandle(as_handle(handle_));
}

FileLock::FileLock(FileLock&& other) noexcept : handle_(other.handle_) { other.handle_ = kNone; }

FileLock& FileLock::operator=(FileLock&& other) noexcept
{
    if (this != &other) {
        if (handle_ != kNone) ::CloseHandle(as_handle(handle_));
        handle_ = other.handle_;
        other.handle_ = kNone;
    }
    return *this;
}

FileLock::Result FileLock::take(const fs::path& file, std::string& error)
{
    if (handle_ != kNone) return Result::held;
    // A link planted at the name is opened as itself, never followed, and refused below. A lock
    // file the game may not write (read-only, another user's) still locks when read.
    constexpr DWORD kHow = FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT;
    Handle h(open_file(file, GENERIC_READ | GENERIC_WRITE, kShareAll, OPEN_ALWAYS, kHow));
    if (!h.valid() && ::GetLastError() == ERROR_ACCESS_DENIED)
        h.reset(open_file(file, GENERIC_READ, kShareAll, OPEN_EXISTING, kHow));
    const std::string mend = "; remove it (or make it an empty file the game can read) and start again";
    if (!h.valid()) {
        const DWORD err = ::GetLastError();
        if (is_folder(file))
            error = explain(file, ("is a folder" + mend).c_str(), 0);
        else if (err == ERROR_ACCESS_DENIED)
            error = explain(file, ("cannot be opened (another user's file?)" + mend).c_str(), err);
        else
            error = explain(file, "cannot be made or opened", err) + "; its folder must be one the game can write in";
        return Result::failed;
    }
    if (::GetFileType(h.get()) != FILE_TYPE_DISK) {
        error = explain(file, ("is not a regular file" + mend).c_str(), 0);
        return Result::failed;
    }
    FILE_ATTRIBUTE_TAG_INFO info{};
    if (!::GetFileInformationByHandleEx(h.get(), FileAttributeTagInfo, &info, sizeof info)) {
        error = explain(file, "cannot be read", ::GetLastError());
        return Result::failed;
    }
    if ((info.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && link_tag(info.ReparseTag)) {
        error = explain(file, ("is a symbolic link, which the game does not follow to lock" + mend).c_str(), 0);
        return Result::failed;
    }
    if (info.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        error = explain(file, ("is a folder" + mend).c_str(), 0);
        return Result::failed;
    }
    OVERLAPPED whole{};
    if (!::LockFileEx(h.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD, &whole)) {
        const DWORD err = ::GetLastError();
        if (err == ERROR_LOCK_VIOLATION || err == ERROR_IO_PENDING) return Result::busy;
        error = explain(file, "cannot be locked", err);
        return Result::failed;
    }
    handle_ = reinterpret_cast<std::intptr_t>(h.release());
    return Result::held;
}

} // namespace zen
