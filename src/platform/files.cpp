#include "platform/files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <functional>
#include <system_error>

namespace zen {

namespace fs = std::filesystem;

namespace {

// The temporary name of a file being saved: "my.dat.tmp-" and eight letters (see fresh_suffix).
constexpr std::string_view kTempMark = ".tmp";
constexpr std::size_t kSuffixLetters = 8;
// Links followed to reach a file before giving up on it as a loop (the system's own limit).
constexpr int kLinkHops = 40;

std::string describe(const fs::path& file, const char* what, int err)
{
    return file.string() + ": " + what + (err ? std::string(": ") + std::strerror(err) : std::string());
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

// A name nobody else is likely to pick at the same moment: the process, the clock and a count.
std::string fresh_suffix(unsigned attempt)
{
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    std::uint64_t v = static_cast<std::uint64_t>(now.tv_nsec) ^ (static_cast<std::uint64_t>(now.tv_sec) << 30) ^
                      (static_cast<std::uint64_t>(::getpid()) << 12) ^ (std::uint64_t{attempt} * 0x9E3779B97F4A7C15ull);
    v ^= v >> 29;
    v *= 0xBF58476D1CE4E5B9ull;
    v ^= v >> 32;
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz234567";
    std::string s(kSuffixLetters, 'a');
    for (char& c : s) {
        c = kLetters[v & 31u];
        v >>= 5;
    }
    return s;
}

fs::path folder_of(const fs::path& file) { return file.has_parent_path() ? file.parent_path() : fs::path("."); }

// A file over its limit: says so in error.
ReadResult too_large(const fs::path& file, std::size_t max_bytes, std::string& error)
{
    error = describe(file, ("is larger than " + std::to_string(max_bytes) + " bytes").c_str(), 0);
    return ReadResult::too_large;
}

// Opens a regular file of at most max_bytes for reading into fd (st: what it is); anything else
// says why in error. Non-blocking, so that opening a pipe returns at once instead of waiting for a
// writer.
ReadResult open_for_reading(const fs::path& file, std::size_t max_bytes, Fd& fd, struct stat& st, std::string& error)
{
    Fd opened(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (opened.get() < 0) {
        const int err = errno;
        error = describe(file, "cannot open", err);
        return err == ENOENT || err == ENOTDIR ? ReadResult::missing : ReadResult::failed;
    }
    if (::fstat(opened.get(), &st) != 0) {
        error = describe(file, "cannot read", errno);
        return ReadResult::failed;
    }
    if (!S_ISREG(st.st_mode)) {
        error = describe(file, S_ISDIR(st.st_mode) ? "is a folder, not a file" : "is not a regular file", 0);
        return ReadResult::not_a_file;
    }
    if (st.st_size < 0 || static_cast<std::uintmax_t>(st.st_size) > max_bytes) return too_large(file, max_bytes, error);
    fd.reset(opened.release());
    return ReadResult::ok;
}

} // namespace

ReadResult read_file_bytes(const fs::path& file, std::size_t max_bytes, std::string& bytes, std::string& error)
{
    bytes.clear();
    struct stat st {};
    Fd fd(-1);
    if (const ReadResult opened = open_for_reading(file, max_bytes, fd, st, error); opened != ReadResult::ok)
        return opened;
    // The size can change while we read (or lie, as in /proc): read to the end, one byte past
    // the limit at most.
    bytes.resize(static_cast<std::size_t>(st.st_size) + 1);
    std::size_t have = 0;
    for (;;) {
        if (have == bytes.size()) {
            if (bytes.size() > max_bytes) break;
            bytes.resize(std::min(max_bytes + 1, bytes.size() * 2 + 4096));
        }
        const ssize_t n = ::read(fd.get(), bytes.data() + have, bytes.size() - have);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            bytes.clear();
            error = describe(file, "cannot read", err);
            return ReadResult::failed;
        }
        if (n == 0) break;
        have += static_cast<std::size_t>(n);
    }
    if (have > max_bytes) {
        bytes.clear();
        return too_large(file, max_bytes, error);
    }
    bytes.resize(have);
    return ReadResult::ok;
}

ReadResult read_file_lines(const fs::path& file, std::size_t max_bytes, std::size_t max_line, std::string& error,
                           const std::function<bool(std::string_view line, bool has_end)>& each)
{
    struct stat st {};
    Fd fd(-1);
    if (const ReadResult opened = open_for_reading(file, max_bytes, fd, st, error); opened != ReadResult::ok)
        return opened;
    const auto line_too_long = [&](int line) {
        error = describe(
            file, ("line " + std::to_string(line) + " is longer than " + std::to_string(max_line) + " bytes").c_str(),
            0);
        return ReadResult::too_large;
    };
    // The line being read, and what came after it in the last block read.
    std::string pending;
    std::string block(std::size_t{64} << 10, '\0');
    std::size_t total = 0;
    int lines = 0;
    for (;;) {
        const ssize_t n = ::read(fd.get(), block.data(), block.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            error = describe(file, "cannot read", errno);
            return ReadResult::failed;
        }
        if (n == 0) break;
        total += static_cast<std::size_t>(n);
        if (total > max_bytes) return too_large(file, max_bytes, error); // it grew while being read
        pending.append(block.data(), static_cast<std::size_t>(n));
        std::size_t at = 0;
        for (std::size_t end; (end = pending.find('\n', at)) != std::string::npos; at = end + 1) {
            if (end - at > max_line) return line_too_long(lines + 1);
            ++lines;
            if (!each(std::string_view(pending).substr(at, end - at), true)) return ReadResult::ok;
        }
        pending.erase(0, at);
        if (pending.size() > max_line) return line_too_long(lines + 1);
    }
    if (!pending.empty()) each(pending, false);
    return ReadResult::ok;
}

bool resolve_links(const fs::path& file, fs::path& target, std::string& error)
{
    target = file;
    for (int hops = 0;; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0) {
            // Nothing there (a link to nothing ends here: the file is made where it points), or a
            // folder on the way that cannot be looked into, which the write will report.
            return true;
        }
        if (!S_ISLNK(st.st_mode)) return true;
        if (hops >= kLinkHops) {
            error = describe(file,
                             ("leads through more than " + std::to_string(kLinkHops) +
                              " symbolic links (a loop of links?); nothing is written")
                                 .c_str(),
                             0);
            return false;
        }
        std::error_code ec;
        const fs::path to = fs::read_symlink(target, ec);
        if (ec) {
            error = describe(target, "cannot read the link", ec.value());
            return false;
        }
        target = to.is_absolute() ? to : folder_of(target) / to;
    }
}

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
        error = describe(folder, "cannot open the folder", errno);
        return false;
    }
    // The bits of the file replaced (a private save stays private); a new file gets the usual ones.
    struct stat old {};
    const bool had_bits = ::fstatat(dir.get(), name.c_str(), &old, 0) == 0 && S_ISREG(old.st_mode);
    // "NAME.tmp-" and eight letters, the name cut short where that would pass the longest name a
    // folder takes.
    const std::string tail = std::string(kTempMark) + "-";
    const long longest = ::fpathconf(dir.get(), _PC_NAME_MAX);
    const std::size_t room = longest > 0 ? static_cast<std::size_t>(longest) : 255;
    const std::string base =
        name.substr(0, room > tail.size() + kSuffixLetters ? room - tail.size() - kSuffixLetters : 0) + tail;
    std::string temp;
    int fd_number = -1;
    for (unsigned attempt = 0; attempt < 100 && fd_number < 0; ++attempt) {
        temp = base + fresh_suffix(attempt);
        // Exclusive and without following links: whatever lies at the name is never written through.
        // Private until its bits are set, so a private save is never readable by others on the way.
        fd_number = ::openat(dir.get(), temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                             had_bits ? 0600 : 0644);
        if (fd_number < 0 && errno != EEXIST) break;
    }
    if (fd_number < 0) {
        error = describe(folder / temp, "cannot create", errno);
        return false;
    }
    Fd fd(fd_number);
    if (had_bits && ::fchmod(fd.get(), old.st_mode & 07777) != 0) {
        const int err = errno;
        ::unlinkat(dir.get(), temp.c_str(), 0);
        error = describe(folder / temp, "cannot set the permissions of", err);
        return false;
    }
    if (const int err = finish_file(fd, bytes)) {
        ::unlinkat(dir.get(), temp.c_str(), 0);
        error = describe(folder / temp, "cannot write", err);
        return false;
    }
    if (::renameat(dir.get(), temp.c_str(), dir.get(), name.c_str()) != 0) {
        const int err = errno;
        ::unlinkat(dir.get(), temp.c_str(), 0);
        error = describe(target, "cannot replace", err);
        return false;
    }
    // The rename itself reaches the disk with the folder. Some file systems cannot flush a folder;
    // the file is in place all the same, so that is not a failed save.
    ::fsync(dir.get());
    return true;
}

bool write_new_file(const fs::path& file, std::string_view bytes, bool& exists, std::string& error, unsigned mode)
{
    exists = false;
    mode &= 07777u;
    Fd fd(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (fd.get() < 0) {
        exists = errno == EEXIST;
        error = describe(file, "cannot create", errno);
        return false;
    }
    // Created private, then given its bits exactly (the umask leaves them alone this way).
    int err = ::fchmod(fd.get(), static_cast<mode_t>(mode)) == 0 ? 0 : errno;
    if (err == 0) err = finish_file(fd, bytes);
    if (err != 0) {
        ::unlink(file.c_str());
        error = describe(file, "cannot write", err);
        return false;
    }
    return true;
}

unsigned permission_bits(const fs::path& file, unsigned fallback)
{
    struct stat st {};
    return ::stat(file.c_str(), &st) == 0 ? static_cast<unsigned>(st.st_mode) & 07777u : fallback;
}

int remove_stale_temporaries(const fs::path& file)
{
    // The temporaries lie beside the file the save's link points to.
    fs::path target;
    std::string unused;
    if (!resolve_links(file, target, unused)) return 0;
    const std::string legacy = target.filename().string() + std::string(kTempMark);
    const std::string prefix = legacy + "-";
    std::error_code ec;
    fs::directory_iterator it(folder_of(target), ec);
    int removed = 0;
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name != legacy && name.rfind(prefix, 0) != 0) continue;
        // Files and links only (a link is removed, not what it points to); a folder of that name
        // is somebody else's.
        const fs::file_status s = it->symlink_status(ec);
        if (ec) break;
        if (!fs::is_regular_file(s) && !fs::is_symlink(s)) continue;
        std::error_code gone;
        if (fs::remove(it->path(), gone)) ++removed;
    }
    return removed;
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
        error = describe(file, "cannot be written", errno);
        return false;
    }
    if (const char* why = not_an_output(st.st_mode)) {
        error = describe(file, why, 0);
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
            error = describe(file, not_an_output(S_IFDIR), 0);
        else if (err == ENXIO)
            error = describe(file, not_an_output(S_IFIFO), 0);
        else
            error = describe(file, "cannot be written", err);
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        error = describe(file, "cannot be written", errno);
        return nullptr;
    }
    if (const char* why = not_an_output(st.st_mode)) {
        error = describe(file, why, 0);
        return nullptr;
    }
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (::ftruncate(fd.get(), 0) != 0 || flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0) {
        error = describe(file, "cannot be written", errno);
        return nullptr;
    }
    std::FILE* out = ::fdopen(fd.get(), "wb");
    if (!out) {
        error = describe(file, "cannot be written", errno);
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
    if (fd_ >= 0) ::close(fd_);
}

FileLock::FileLock(FileLock&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }

FileLock& FileLock::operator=(FileLock&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

FileLock::Result FileLock::take(const fs::path& file, std::string& error)
{
    if (fd_ >= 0) return Result::held;
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
            error = describe(file, ("is a symbolic link, which the game does not follow to lock" + mend).c_str(), 0);
        else if (err == EISDIR)
            error = describe(file, ("is a folder" + mend).c_str(), 0);
        else if (err == EACCES || err == EPERM)
            error = describe(file, ("cannot be opened (another user's file?)" + mend).c_str(), err);
        else
            error = describe(file, "cannot be made or opened", err) + "; its folder must be one the game can write in";
        return Result::failed;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        error = describe(file, "cannot be read", errno);
        return Result::failed;
    }
    if (!S_ISREG(st.st_mode)) {
        error = describe(
            file,
            ((S_ISDIR(st.st_mode) ? std::string("is a folder") : std::string("is not a regular file")) + mend).c_str(),
            0);
        return Result::failed;
    }
    while (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) continue;
        if (errno == EWOULDBLOCK) return Result::busy;
        error = describe(file, "cannot be locked", errno);
        return Result::failed;
    }
    fd_ = fd.release();
    return Result::held;
}

} // namespace zen
