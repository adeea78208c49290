// Reading and writing files: what is not a plain file is never read, sizes are bounded before
// anything is allocated, and a save never writes through a planted link or leaves half a file.
#include "platform/files.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <functional>
#include <set>

namespace zen {
namespace {

namespace fs = std::filesystem;
using test::names_in;
using test::TempDir;

TEST(Files, ReadsOnlyRegularFilesAndOnlyUpToTheirLimit)
{
    TempDir dir;
    const fs::path& d = dir.path();
    test::write_file(d / "ten", "0123456789");
    fs::create_directory(d / "folder");
    ASSERT_EQ(::mkfifo((d / "pipe").c_str(), 0644), 0);
    fs::create_symlink(d / "ten", d / "link");
    fs::create_symlink(d / "nowhere", d / "dangling");

    struct Case {
        fs::path file;
        std::size_t limit;
        ReadResult expected;
    };
    const Case cases[] = {
        {d / "ten", 10, ReadResult::ok},
        {d / "link", 10, ReadResult::ok},
        {d / "ten", 9, ReadResult::too_large},
        {d / "missing", 10, ReadResult::missing},
        {d / "dangling", 10, ReadResult::missing},
        {d / "ten" / "below", 10, ReadResult::missing},
        {d / "folder", 10, ReadResult::not_a_file},
        {d / "pipe", 10, ReadResult::not_a_file}, // returns at once: nobody writes into it
        {"/dev/zero", 10, ReadResult::not_a_file},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file.string());
        std::string bytes = "stale";
        std::string error;
        EXPECT_EQ(read_file_bytes(c.file, c.limit, bytes, error), c.expected);
        if (c.expected == ReadResult::ok) {
            EXPECT_EQ(bytes, "0123456789");
        } else {
            EXPECT_TRUE(bytes.empty());
            EXPECT_NE(error.find(c.file.filename().string()), std::string::npos) << error;
        }
    }
    // A file whose size says nothing of its contents is still read to its end, within the limit.
    std::string bytes;
    std::string error;
    EXPECT_EQ(read_file_bytes("/proc/self/status", 1 << 20, bytes, error), ReadResult::ok);
    EXPECT_NE(bytes.find("Name:"), std::string::npos);
    EXPECT_EQ(read_file_bytes("/proc/self/status", 16, bytes, error), ReadResult::too_large);
}

TEST(Files, ReplaceNeverWritesThroughAPlantedLinkAndLeavesNoTemporaryFile)
{
    TempDir dir;
    const fs::path file = dir.path() / "my.dat";
    const fs::path victim = dir.path() / "victim.txt";
    test::write_file(victim, "precious");
    // The old fixed temporary name, and the new file's own name, planted as links to the victim.
    fs::create_symlink(victim, dir.path() / "my.dat.tmp");
    std::string error;
    ASSERT_TRUE(replace_file(file, "first", error)) << error;
    EXPECT_EQ(test::read_file(file), "first");
    EXPECT_EQ(test::read_file(victim), "precious");
    ASSERT_TRUE(replace_file(file, "second", error)) << error;
    EXPECT_EQ(test::read_file(file), "second");
    EXPECT_EQ(names_in(dir.path()), (std::set<std::string>{"my.dat", "my.dat.tmp", "victim.txt"}));
}

mode_t mode_of(const fs::path& file)
{
    struct stat st {};
    return ::stat(file.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(Files, AReplacedFileKeptThroughLinksStaysLinkedAndKeepsItsPermissions)
{
    TempDir dir;
    TempDir synced; // another folder, as a synced one would be
    const fs::path file = dir.path() / "my.dat";
    const fs::path kept = synced.path() / "zentrifa.dat";
    test::write_file(kept, "old");
    ASSERT_EQ(::chmod(kept.c_str(), 0600), 0);
    // Relative, and through a second link: each is followed from the folder it lies in.
    fs::create_symlink("hop", file);
    fs::create_symlink(fs::relative(kept, dir.path()), dir.path() / "hop");
    std::string error;
    ASSERT_TRUE(replace_file(file, "new", error)) << error;
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_TRUE(fs::is_symlink(dir.path() / "hop"));
    EXPECT_EQ(test::read_file(kept), "new");
    EXPECT_EQ(mode_of(kept), 0600u);
    EXPECT_EQ(names_in(synced.path()), std::set<std::string>{"zentrifa.dat"}) << "the temporary went beside it";
    EXPECT_EQ(names_in(dir.path()), (std::set<std::string>{"hop", "my.dat"}));
    // Plain files keep their bits too, odd ones included.
    const fs::path plain = dir.path() / "plain.dat";
    test::write_file(plain, "old");
    ASSERT_EQ(::chmod(plain.c_str(), 0640), 0);
    ASSERT_TRUE(replace_file(plain, "new", error)) << error;
    EXPECT_EQ(mode_of(plain), 0640u);

    // A link to nothing: the file is made where it points.
    fs::remove(kept);
    ASSERT_TRUE(replace_file(file, "made", error)) << error;
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(test::read_file(kept), "made");

    // A loop of links: refused, nothing written anywhere, no temporary left.
    const fs::path loop = dir.path() / "loop.dat";
    fs::create_symlink("loop2.dat", loop);
    fs::create_symlink("loop.dat", dir.path() / "loop2.dat");
    const auto before = names_in(dir.path());
    EXPECT_FALSE(replace_file(loop, "lost", error));
    EXPECT_NE(error.find("loop"), std::string::npos) << error;
    EXPECT_EQ(names_in(dir.path()), before);
    EXPECT_TRUE(fs::is_symlink(loop));
}

TEST(Files, AReplaceThatCannotBeWrittenKeepsTheOldFile)
{
    TempDir dir;
    const fs::path file = dir.path() / "my.dat";
    test::write_file(file, "old");
    std::string error;
    bool written = false;
    {
        test::FileSizeLimit full_disk(100);
        written = replace_file(file, std::string(5000, 'x'), error);
    }
    EXPECT_FALSE(written);
    EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
    EXPECT_EQ(test::read_file(file), "old");
    EXPECT_EQ(names_in(dir.path()), std::set<std::string>{"my.dat"});

    // A folder where the file should go.
    fs::remove(file);
    fs::create_directory(file);
    EXPECT_FALSE(replace_file(file, "new", error));
    EXPECT_EQ(names_in(dir.path()), std::set<std::string>{"my.dat"});
    // No folder at all.
    EXPECT_FALSE(replace_file(dir.path() / "no" / "my.dat", "new", error));
}

TEST(Files, AFileWhosePathJustFitsTheSystemsLimitIsReplacedAndSoIsOneWithTheLongestName)
{
    TempDir dir;
    // Folders down to where "my.dat" makes a path of the longest length the system takes: the
    // temporary's longer name beside it would not fit as a whole path.
    fs::path folder = dir.path();
    const std::size_t whole = PATH_MAX - 1;
    while (folder.string().size() + 1 + 200 + 1 + 6 + 10 < whole) folder /= std::string(200, 'd');
    folder /= std::string(whole - folder.string().size() - 1 - 1 - 6, 'e');
    fs::create_directories(folder);
    const fs::path file = folder / "my.dat";
    ASSERT_EQ(file.string().size(), whole);
    std::string error;
    ASSERT_TRUE(replace_file(file, "first", error)) << error;
    ASSERT_TRUE(replace_file(file, "second", error)) << error;
    EXPECT_EQ(test::read_file(file), "second");
    EXPECT_EQ(names_in(folder), std::set<std::string>{"my.dat"});

    // A name as long as a folder takes: its temporary's name is cut to fit.
    const fs::path longest = dir.path() / std::string(NAME_MAX, 'n');
    ASSERT_TRUE(replace_file(longest, "one", error)) << error;
    ASSERT_TRUE(replace_file(longest, "two", error)) << error;
    EXPECT_EQ(test::read_file(longest), "two");
    EXPECT_EQ(names_in(dir.path()), (std::set<std::string>{std::string(200, 'd'), longest.filename().string()}));
}

// Takes the lock on file in a child process that runs as another user (nobody), as a game started
// by that user would, and holds it while this lives. `ran` is false when no such child could be
// started; `got` is what it got.
struct OtherUsersLock {
    pid_t pid = -1;
    int result = -1;
    int release = -1;
    bool ran = false;
    FileLock::Result got = FileLock::Result::failed;
    explicit OtherUsersLock(const fs::path& file)
    {
        int to_parent[2];
        int to_child[2];
        if (::pipe(to_parent) != 0 || ::pipe(to_child) != 0) return;
        pid = ::fork();
        if (pid == 0) {
            ::close(to_parent[0]);
            ::close(to_child[1]);
            char r = 'x';
            if (::setgid(65534) == 0 && ::setuid(65534) == 0) {
                FileLock lock;
                std::string error;
                r = static_cast<char>('0' + static_cast<int>(lock.take(file, error)));
                static_cast<void>(::write(to_parent[1], &r, 1));
                static_cast<void>(::read(to_child[0], &r, 1)); // held until the parent is done
            } else {
                static_cast<void>(::write(to_parent[1], &r, 1));
            }
            ::_exit(0);
        }
        ::close(to_parent[1]);
        ::close(to_child[0]);
        result = to_parent[0];
        release = to_child[1];
        char r = 'x';
        ran = ::read(result, &r, 1) == 1 && r >= '0' && r <= '2';
        if (ran) got = static_cast<FileLock::Result>(r - '0');
    }
    ~OtherUsersLock()
    {
        if (release >= 0) ::close(release);
        if (result >= 0) ::close(result);
        if (pid > 0) ::waitpid(pid, nullptr, 0);
    }
    OtherUsersLock(const OtherUsersLock&) = delete;
    OtherUsersLock& operator=(const OtherUsersLock&) = delete;
};

TEST(Files, TheLockIsTakenOnlyOnAFileOfItsOwnAndWhereItIsOnlyReadable)
{
    TempDir dir;
    const fs::path& d = dir.path();
    const fs::path file = d / "my.dat.lock";
    std::string error;
    {
        FileLock first;
        ASSERT_EQ(first.take(file, error), FileLock::Result::held) << error;
        FileLock second;
        EXPECT_EQ(second.take(file, error), FileLock::Result::busy);
    }

    // A file this user may only read (another user's, left by a run as root) still locks, and
    // keeps a second copy out. Shown with a copy that runs as another user, when the tests may
    // start one (as root).
    if (::geteuid() == 0) {
        ASSERT_EQ(::chmod(d.c_str(), 0755), 0);
        ASSERT_EQ(::chmod(file.c_str(), 0644), 0);
        OtherUsersLock other(file);
        if (other.ran) {
            EXPECT_EQ(other.got, FileLock::Result::held) << "the lock of a file another user owns";
            FileLock mine;
            EXPECT_EQ(mine.take(file, error), FileLock::Result::busy);
        }
    }

    // What cannot be locked says so, and says what to do; nothing is made or followed.
    const fs::path victim = d / "victim";
    test::write_file(victim, "precious");
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> make;
        const char* says;
    };
    const Case cases[] = {
        {"a folder", [](const fs::path& f) { fs::create_directory(f); }, "is a folder"},
        {"a link", [&](const fs::path& f) { fs::create_symlink(victim, f); }, "symbolic link"},
        {"a link to nothing", [&](const fs::path& f) { fs::create_symlink(d / "nothing", f); }, "symbolic link"},
        {"a pipe", [](const fs::path& f) { ASSERT_EQ(::mkfifo(f.c_str(), 0644), 0); }, "not a regular file"},
        {"a missing folder", [](const fs::path&) {}, "must be one the game can write in"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::path at = d / c.what / "my.dat.lock";
        if (std::string(c.what) != "a missing folder") {
            fs::create_directory(d / c.what);
            c.make(at);
        }
        FileLock lock;
        error.clear();
        EXPECT_EQ(lock.take(at, error), FileLock::Result::failed);
        EXPECT_FALSE(lock.held());
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
        if (std::string(c.what) != "a missing folder") {
            EXPECT_NE(error.find("remove it"), std::string::npos) << error;
        }
    }
    EXPECT_EQ(test::read_file(victim), "precious");
    EXPECT_FALSE(fs::exists(d / "nothing"));
}

TEST(Files, NewFilesAreCreatedOnlyWhereNothingIs)
{
    TempDir dir;
    const fs::path victim = dir.path() / "victim.txt";
    test::write_file(victim, "precious");
    fs::create_symlink(victim, dir.path() / "link.bad");
    bool exists = false;
    std::string error;
    EXPECT_FALSE(write_new_file(dir.path() / "link.bad", "copy", exists, error));
    EXPECT_TRUE(exists);
    EXPECT_FALSE(write_new_file(victim, "copy", exists, error));
    EXPECT_TRUE(exists);
    EXPECT_EQ(test::read_file(victim), "precious");
    ASSERT_TRUE(write_new_file(dir.path() / "fresh.bad", "copy", exists, error)) << error;
    EXPECT_EQ(test::read_file(dir.path() / "fresh.bad"), "copy");
    EXPECT_FALSE(write_new_file(dir.path() / "no" / "x.bad", "copy", exists, error));
    EXPECT_FALSE(exists);
}

TEST(Files, StaleTemporariesOfOneFileAreRemovedAndNothingElse)
{
    TempDir dir;
    const fs::path& d = dir.path();
    const fs::path victim = d / "victim.txt";
    test::write_file(victim, "precious");
    test::write_file(d / "my.dat", "save");
    test::write_file(d / "my.dat.tmp", "old crash");
    test::write_file(d / "my.dat.tmp-k3j9x2ab", "new crash");
    fs::create_symlink(victim, d / "my.dat.tmp-link");
    fs::create_directory(d / "my.dat.tmp-folder");
    test::write_file(d / "my.dat.tmpfile", "not ours");
    test::write_file(d / "other.dat.tmp", "not ours");
    EXPECT_EQ(remove_stale_temporaries(d / "my.dat"), 3);
    EXPECT_EQ(names_in(d),
              (std::set<std::string>{"my.dat", "my.dat.tmp-folder", "my.dat.tmpfile", "other.dat.tmp", "victim.txt"}));
    EXPECT_EQ(test::read_file(victim), "precious");
    EXPECT_EQ(remove_stale_temporaries(d / "no" / "my.dat"), 0);
}

} // namespace
} // namespace zen
