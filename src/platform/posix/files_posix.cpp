// Files on POSIX systems: descriptors, opened without following links where a write could be
// led astray, and flock for the lock.
#include "platform/files.h"

#include "platform/files_internal.h"
#include "platform/system.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

namespace zen {

namespace fs = std::filesystem;
using namespace file_detail;

namespace {

std::string explain(const fs::path& file, const char* what, int err)
{
    return describe(file, what, err ? std::strerror(err) : "");
}

class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    // Takes another descriptor, closing the one held.
    void reset(int fd)
    {
        if (fd_ >= 0) ::close(fd_);
        fd_ = fd;
    }
    // Hands the descriptor over; this no longer closes it.
    int release()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    // Closes now; false (with errno) when the close reports a failed write.
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool write_all(int fd, std::string_view bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Writes, flushes to the disk and closes an open file. Returns 0, or the errno of the failure.
int finish_file(Fd& fd, std::string_view bytes)
{
    if (!write_all(fd.get(), bytes) || ::fsync(fd.get()) != 0) return errno;
    if (!fd.close()) return errno;
    return 0;
}

} // namespace

namespace file_detail {

std::uint64_t process_number() { return static_cast<std::uint64_t>(::getpid()); }

LinkLook read_link(const fs::path& at, fs::path& to, std::string& error)
{
    struct stat st {};
    if (::lstat(at.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return LinkLook::not_a_link;
    std::error_code ec;
    to = fs::read_symlink(at, ec);
    if (ec) {
        error = explain(at, "cannot read the link", ec.value());
        return LinkLook::failed;
    }
    return LinkLook::link;
}

InputFile::~InputFile()
{
    if (handle_ >= 0) ::close(static_cast<int>(handle_));
}

ReadResult InputFile::open(const fs::path& file, std::size_t max_bytes, std::string& error)
{
    file_ = file;
    // Non-blocking, so that opening a pipe returns at once instead of waiting for a writer.
    Fd opened(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (opened.get() < 0) {
        const int err = errno;
        error = explain(file, "cannot open", err);
        return err == ENOENT || err == ENOTDIR ? ReadResult::missing : ReadResult::failed;
    }
    struct stat st {};
    if (::fstat(opened.get(), &st) != 0) {
        error = explain(file, "cannot read", errno);
        return ReadResult::failed;
    }
    if (!S_ISREG(st.st_mode)) {
        error = explain(file, S_ISDIR(st.st_mode) ? "is a folder, not a file" : "is not a regular file", 0);
        return ReadResult::not_a_file;
    }
    if (st.st_size < 0 || static_cast<std::uintmax_t>(st.st_size) > max_bytes) return too_large(file, max_bytes, error);
    size_ = static_cast<std::uintmax_t>(st.st_size);
    handle_ = opened.release();
    return ReadResult::ok;
}

bool InputFile::read(char* to, std::size_t room, std::size_t& got, std::string& error)
{
    for (;;) {
        const ssize_t n = ::read(static_cast<int>(handle_), to, room);
        if (n >= 0) {
            got = static_cast<std::size_t>(n);
            return true;
        }
        if (errno != EINTR) break;
    }
    error = explain(file_, "cannot read", errno);
    return false;
}

} // namespace file_detail

bool replace_file(const fs::path& file, std::string_view bytes, std::string& error)
{
    // A save kept elsewhere through a link stays a link: the file it points to is the one
    // replaced, by a temporary beside it.
    fs::path target;
    if (!resolve_links(file, target, error)) return false;
    const fs::path folder = folder_of(target);
    const std::string name = target.filename().string();
    // The temporary is made, renamed and flushed through the folder, by its name alone: a file whose
    // whole path just fits the system's limit is saved too, though the temporary's longer name
    // would not fit.
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    // A folder the game may write in but not list still takes the save (it is only not flushed).
    if (dir.get() < 0 && errno == EACCES) dir.reset(::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() < 0) {
        error = explain(folder, "cannot open the folder", errno);
        return false;
    }
    // The bits of the file replaced (a private save stays private); a new file gets the usual ones.
    struct stat old {};
    const bool had_bits = ::fstatat(dir.get(), name.c_str(), &old, 0) == 0 && S_ISREG(old.st_mode);
    // The name cut short where it would pass the longest name a folder takes.
    const long longest = ::fpathconf(dir.get(), _PC_NAME_MAX);
    const std::size_t room = longest > 0 ? static_cast<std::size_t>(longest) : 255;
    std::string temp;
    int fd_number = -1;
    for (unsigned attempt = 0; attempt < 100 && fd_number < 0; ++attempt) {
        temp = temporary_name(name, room, attempt).string();
        // Exclusive and without following links: whatever lies at the name is never written through.
        // Private until its bits are set, so a private save is never readable by others on the way.
        fd_number = ::openat(dir.get(), temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                             had_bits ? 0600 : 0644);
        if (fd_number < 0 && errno != EEXIST) break;
    }
    if (fd_number < 0) {
        error = explain(folder / temp, "cannot create", errno);
        return false;
    }
    Fd fd(fd_number);
    if (had_bits && ::fchmod(fd.get(), old.st_mode & 07777) != 0) {
        const int err = errno;
        ::unlinkat(dir.get(), temp.c_str(), 0);
        error = explain(folder / temp, "cannot set the permissions of", err);
        return false;
    }
    if (const int err = finish_file(fd, bytes)) {
        ::unlinkat(dir.get(), temp.c_str(), 0);
        error = explain(folder / temp, "cannot write", err);
        return false;
    }
    if (::renameat(dir.get(), temp.c_str(), dir.get(), name.c_str()) != 0) {
        const int err = errno;
        ::unlinkat(dir.get(), temp.c_str(), 0);
        error = explain(target, "cannot replace", err);
        return false;
    }
    // The rename itself reaches the disk with the folder. Some file systems cannot flush a folder;
    // the file is in place all the same, so that is not a failed save.
    ::fsync(dir.get());
    file_written(target);
    return true;
}

bool write_new_file(const fs::path& file, std::string_view bytes, bool& exists, std::string& error, unsigned mode)
{
    exists = false;
    mode &= 07777u;
    Fd fd(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (fd.get() < 0) {
        exists = errno == EEXIST;
        error = explain(file, "cannot create", errno);
        return false;
    }
    // Created private, then given its bits exactly (the umask leaves them alone this way).
    int err = ::fchmod(fd.get(), static_cast<mode_t>(mode)) == 0 ? 0 : errno;
    if (err == 0) err = finish_file(fd, bytes);
    if (err != 0) {
        ::unlink(file.c_str());
        error = explain(file, "cannot write", err);
        return false;
    }
    file_written(file);
    return true;
}

unsigned permission_bits(const fs::path& file, unsigned fallback)
{
    struct stat st {};
    return ::stat(file.c_str(), &st) == 0 ? static_cast<unsigned>(st.st_mode) & 07777u : fallback;
}

namespace {

// Why a file of this type cannot be written as an output file; null when it can.
const char* not_an_output(mode_t mode)
{
    if (S_ISREG(mode)) return nullptr;
    return S_ISDIR(mode) ? "is a folder, not a file" : "is not a regular file (a pipe or a device)";
}

} // namespace

bool can_be_output_file(const fs::path& file, std::string& error)
{
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0) {
        if (errno == ENOENT) return true; // a new file (a link to nothing makes one where it points)
        error = explain(file, "cannot be written", errno);
        return false;
    }
    if (const char* why = not_an_output(st.st_mode)) {
        error = explain(file, why, 0);
        return false;
    }
    return true;
}

std::FILE* open_output_file(const fs::path& file, std::string& error)
{
    // Non-blocking, so that a pipe with no reader fails at once and one with a reader is seen
    // for what it is before anything is written to it; not emptied before it is known to be a file.
    Fd fd(::open(file.c_str(), O_WRONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644));
    if (fd.get() < 0) {
        const int err = errno;
        if (err == EISDIR)
            error = explain(file, not_an_output(S_IFDIR), 0);
        else if (err == ENXIO)
            error = explain(file, not_an_output(S_IFIFO), 0);
        else
            error = explain(file, "cannot be written", err);
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        error = explain(file, "cannot be written", errno);
        return nullptr;
    }
    if (const char* why = not_an_output(st.st_mode)) {
        error = explain(file, why, 0);
        return nullptr;
    }
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (::ftruncate(fd.get(), 0) != 0 || flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        error = explain(file, "cannot be written", errno);
        return nullptr;
    }
    std::FILE* out = ::fdopen(fd.get(), "wb");
    if (!out) {
        error = explain(file, "cannot be written", errno);
        return nullptr;
    }
    static_cast<void>(fd.release());
    return out;
}

bool cut_output_file(std::FILE* out, long size)
{
    return out && size >= 0 && ::ftruncate(::fileno(out), static_cast<off_t>(size)) == 0;
}

FileLock::~FileLock()
{
    if (handle_ != kNone) ::close(static_cast<int>(handle_));
}

FileLock::FileLock(FileLock&& other) noexcept : handle_(other.handle_) { other.handle_ = kNone; }

FileLock& FileLock::operator=(FileLock&& other) noexcept
{
    if (this != &other) {
        if (handle_ != kNone) ::close(static_cast<int>(handle_));
        handle_ = other.handle_;
        other.handle_ = kNone;
    }
    return *this;
}

FileLock::Result FileLock::take(const fs::path& file, std::string& error)
{
    if (handle_ != kNone) return Result::held;
    // Never through a link planted at the name, and never blocking on a pipe put there. A lock
    // file the game may not write (another user's, after a run as root) still locks when read.
    constexpr int kHow = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    Fd fd(::open(file.c_str(), O_RDWR | O_CREAT | kHow, 0644));
    if (fd.get() < 0 && (errno == EACCES || errno == EPERM || errno == EROFS || errno == ETXTBSY))
        fd.reset(::open(file.c_str(), O_RDONLY | kHow));
    const std::string mend = "; remove it (or make it an empty file the game can read) and start again";
    if (fd.get() < 0) {
        const int err = errno;
        if (err == ELOOP)
            error = explain(file, ("is a symbolic link, which the game does not follow to lock" + mend).c_str(), 0);
        else if (err == EISDIR)
            error = explain(file, ("is a folder" + mend).c_str(), 0);
        else if (err == EACCES || err == EPERM)
            error = explain(file, ("cannot be opened (another user's file?)" + mend).c_str(), err);
        else
            error = explain(file, "cannot be made or opened", err) + "; its folder must be one the game can write in";
        return Result::failed;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        error = explain(file, "cannot be read", errno);
        return Result::failed;
    }
    if (!S_ISREG(st.st_mode)) {
        error = explain(
            file,
            ((S_ISDIR(st.st_mode) ? std::string("is a folder") : std::string("is not a regular file")) + mend).c_str(),
            0);
        return Result::failed;
    }
    while (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        if (errno == EWOULDBLOCK) return Result::busy;
        error = explain(file, "cannot be locked", errno);
        return Result::failed;
    }
    handle_ = fd.release();
    return Result::held;
}

} // namespace zen
