// Files on Windows: names in any script reach the disk as they are, a save is replaced in one
// step or not at all, the lock keeps a second copy of the game out, and what is not a plain file
// (a folder, a device, a pipe) is never read.
#include "platform/files.h"
#include "platform/path_text.h"
#include "platform/process.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <set>
#include <thread>

namespace zen {
namespace {

namespace fs = std::filesystem;
using test::names_in;
using test::TempDir;

DWORD attributes_of(const fs::path& file) { return ::GetFileAttributesW(file.c_str()); }

// A player's folder: a Japanese name with spaces, below a folder with spaces.
fs::path player_folder(const TempDir& dir)
{
    fs::path folder = dir.path() / utf8_path("山田 太郎") / "My Games";
    fs::create_directories(folder);
    return folder;
}

TEST(WindowsFiles, ASaveInAFolderNamedInJapaneseIsWrittenReplacedReadAndLocked)
{
    TempDir dir;
    const fs::path folder = player_folder(dir);
    // The folder's name on the disk is the Japanese one, not its bytes in some code page.
    EXPECT_EQ(fs::directory_iterator(dir.path())->path().filename().native(), L"山田 太郎");

    const fs::path file = folder / utf8_path("セーブ 1.dat");
    std::string error;
    ASSERT_TRUE(replace_file(file, "first", error)) << error;
    ASSERT_TRUE(replace_file(file, "second", error)) << error;
    std::string bytes;
    ASSERT_EQ(read_file_bytes(file, 100, bytes, error), ReadResult::ok) << error;
    EXPECT_EQ(bytes, "second");
    EXPECT_EQ(names_in(folder), std::set<std::string>{"セーブ 1.dat"});
    std::vector<std::string> lines;
    ASSERT_TRUE(replace_file(file, "one\ntwo", error)) << error;
    EXPECT_EQ(read_file_lines(file, 100, 10, error,
                              [&](std::string_view line, bool) {
                                  lines.emplace_back(line);
                                  return true;
                              }),
              ReadResult::ok);
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two"}));

    // What goes wrong names the file in UTF-8, with the system's reason.
    EXPECT_EQ(read_file_bytes(folder / utf8_path("無い.dat"), 100, bytes, error), ReadResult::missing);
    EXPECT_NE(error.find("山田 太郎"), std::string::npos) << error;
    EXPECT_NE(error.find("無い.dat: cannot open: "), std::string::npos) << error;

    FileLock first;
    ASSERT_EQ(first.take(folder / "my.dat.lock", error), FileLock::Result::held) << error;
    EXPECT_TRUE(first.held());
    FileLock second;
    EXPECT_EQ(second.take(folder / "my.dat.lock", error), FileLock::Result::busy);
    EXPECT_FALSE(second.held());
    FileLock moved = std::move(first);
    EXPECT_TRUE(moved.held());
    EXPECT_FALSE(first.held()); // NOLINT(bugprone-use-after-move): a moved-from lock holds nothing
    moved = FileLock();
    EXPECT_EQ(second.take(folder / "my.dat.lock", error), FileLock::Result::held) << "released when it goes";
}

TEST(WindowsFiles, OnlyPlainFilesAreReadAndOnlyUpToTheirLimit)
{
    TempDir dir;
    const fs::path& d = dir.path();
    test::write_file(d / "ten", "0123456789");
    fs::create_directory(d / "folder");
    // A pipe with a server waiting: opening it would connect at once; it is never read.
    const std::wstring pipe = L"\\\\.\\pipe\\zentrifa-test-" + std::to_wstring(::GetCurrentProcessId());
    HANDLE server = ::CreateNamedPipeW(pipe.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 0, 0, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);

    struct Case {
        fs::path file;
        std::size_t limit;
        ReadResult expected;
    };
    const Case cases[] = {
        {d / "ten", 10, ReadResult::ok},
        {d / "ten", 9, ReadResult::too_large},
        {d / "missing", 10, ReadResult::missing},
        {d / "gone" / "missing", 10, ReadResult::missing},
        {d / "ten" / "below", 10, ReadResult::missing},
        {d / "folder", 10, ReadResult::not_a_file},
        {d / "NUL", 10, ReadResult::not_a_file}, // a device in every folder
        {fs::path(pipe), 10, ReadResult::not_a_file},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(path_utf8(c.file));
        std::string bytes = "stale";
        std::string error;
        EXPECT_EQ(read_file_bytes(c.file, c.limit, bytes, error), c.expected) << error;
        if (c.expected == ReadResult::ok) {
            EXPECT_EQ(bytes, "0123456789");
        } else {
            EXPECT_TRUE(bytes.empty());
            EXPECT_NE(error.find(path_utf8(c.file.filename())), std::string::npos) << error;
        }
    }
    ::CloseHandle(server);
}

TEST(WindowsFiles, AHugeFileIsRefusedWithoutBeingRead)
{
    TempDir dir;
    const fs::path file = dir.path() / "huge.dat";
    {
        // Five gigabytes, made by moving its end (nothing is written).
        HANDLE h = ::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        LARGE_INTEGER end{};
        end.QuadPart = 5LL << 30;
        ASSERT_TRUE(::SetFilePointerEx(h, end, nullptr, FILE_BEGIN) && ::SetEndOfFile(h));
        ::CloseHandle(h);
    }
    std::string bytes;
    std::string error;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(read_file_bytes(file, 1 << 20, bytes, error), ReadResult::too_large);
    EXPECT_NE(error.find("larger than 1048576 bytes"), std::string::npos) << error;
    EXPECT_LT(bytes.capacity(), std::size_t{1} << 20) << "nothing was read into memory";
    int lines = 0;
    EXPECT_EQ(read_file_lines(file, 1 << 20, 100, error,
                              [&](std::string_view, bool) {
                                  ++lines;
                                  return true;
                              }),
              ReadResult::too_large);
    EXPECT_EQ(lines, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

TEST(WindowsFiles, AReplaceThatCannotBeDoneKeepsTheOldFileAndLeavesNoTemporary)
{
    TempDir dir;
    const fs::path folder = player_folder(dir);
    const fs::path file = folder / "my.dat";
    test::write_file(file, "old");
    std::string error;

    // A save the player made read-only is kept as it is.
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(replace_file(file, "new", error));
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_EQ(test::read_file(file), "old");
    EXPECT_NE(attributes_of(file) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(names_in(folder), std::set<std::string>{"my.dat"});
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL));

    // Another program holds the save open and will not let it go: the temporary written is
    // removed again.
    {
        HANDLE held = ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        EXPECT_FALSE(replace_file(file, "new", error));
        EXPECT_NE(error.find("my.dat: cannot replace: "), std::string::npos) << error;
        ::CloseHandle(held);
    }
    EXPECT_EQ(test::read_file(file), "old");
    EXPECT_EQ(names_in(folder), std::set<std::string>{"my.dat"});

    // ...and one that holds it only for a moment (a virus scanner) does not stop the save.
    {
        HANDLE held = ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(held, INVALID_HANDLE_VALUE);
        std::thread scanner([held] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            ::CloseHandle(held);
        });
        EXPECT_TRUE(replace_file(file, "new", error)) << error;
        scanner.join();
    }
    EXPECT_EQ(test::read_file(file), "new");
    EXPECT_EQ(names_in(folder), std::set<std::string>{"my.dat"});

    // A folder where the save should be.
    fs::remove(file);
    fs::create_directory(file);
    EXPECT_FALSE(replace_file(file, "new", error));
    EXPECT_NE(error.find("is a folder"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_directory(file));
    EXPECT_EQ(names_in(folder), std::set<std::string>{"my.dat"});
    // No folder at all.
    EXPECT_FALSE(replace_file(folder / "no" / "my.dat", "new", error));
    EXPECT_EQ(names_in(folder), std::set<std::string>{"my.dat"});
}

TEST(WindowsFiles, AReplacedFileKeepsItsAttributes)
{
    TempDir dir;
    const fs::path file = dir.path() / "my.dat";
    test::write_file(file, "old");
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN));
    if (!(attributes_of(file) & FILE_ATTRIBUTE_HIDDEN)) GTEST_SKIP() << "this file system keeps no hidden files";
    std::string error;
    ASSERT_TRUE(replace_file(file, "new", error)) << error;
    EXPECT_EQ(test::read_file(file), "new");
    EXPECT_NE(attributes_of(file) & FILE_ATTRIBUTE_HIDDEN, 0u);
}

TEST(WindowsFiles, PathsLongerThanTheOldLimitAndTheLongestNamesAreSaved)
{
    TempDir dir;
    fs::path folder = dir.path();
    while (folder.native().size() < 400) folder /= utf8_path(std::string(60, 'd') + "山田");
    fs::create_directories(folder);
    const fs::path file = folder / "my.dat";
    std::string error;
    ASSERT_TRUE(replace_file(file, "first", error)) << error;
    ASSERT_TRUE(replace_file(file, "second", error)) << error;
    std::string bytes;
    ASSERT_EQ(read_file_bytes(file, 100, bytes, error), ReadResult::ok) << error;
    EXPECT_EQ(bytes, "second");
    FileLock lock;
    EXPECT_EQ(lock.take(folder / "my.dat.lock", error), FileLock::Result::held) << error;
    bool exists = false;
    EXPECT_TRUE(write_new_file(folder / "shot.bmp", "picture", exists, error)) << error;
    EXPECT_EQ(remove_stale_temporaries(file), 0);

    // A name as long as a folder takes: its temporary's name is cut to fit...
    const fs::path longest = dir.path() / std::string(255, 'n');
    ASSERT_TRUE(replace_file(longest, "one", error)) << error;
    ASSERT_TRUE(replace_file(longest, "two", error)) << error;
    EXPECT_EQ(test::read_file(longest), "two");
    // ...and not between the two halves of a character beyond the first plane (U+1F3AE, where
    // the cut falls).
    const fs::path game_pad = dir.path() / utf8_path(std::string(241, 'p') + "\xF0\x9F\x8E\xAE");
    ASSERT_TRUE(replace_file(game_pad, "one", error)) << error;
    ASSERT_TRUE(replace_file(game_pad, "two", error)) << error;
    EXPECT_EQ(test::read_file(game_pad), "two");
    EXPECT_EQ(names_in(dir.path()).size(), 3u) << "no temporary left";
}

// Makes a symbolic link at `link` to `to` (a relative `to` is read from the link's folder); false
// where the system makes none (without the right or developer mode; Wine's are no links).
bool make_link(const fs::path& link, const fs::path& to)
{
    ::CreateSymbolicLinkW(link.c_str(), to.c_str(), SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
    const DWORD attributes = attributes_of(link);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

TEST(WindowsFiles, ASaveKeptThroughLinksStaysLinkedAndNothingIsWrittenThroughAPlantedOne)
{
    TempDir dir;
    TempDir synced; // another folder, as a synced one would be
    const fs::path file = dir.path() / "my.dat";
    const fs::path kept = synced.path() / "zentrifa.dat";
    test::write_file(kept, "old");
    if (!make_link(dir.path() / "hop", fs::relative(kept, dir.path())))
        GTEST_SKIP() << "this system makes no symbolic links here";
    // Relative, and through a second link: each is followed from the folder it lies in.
    ASSERT_TRUE(make_link(file, "hop"));
    std::string error;
    ASSERT_TRUE(replace_file(file, "new", error)) << error;
    EXPECT_EQ(test::read_file(kept), "new");
    EXPECT_NE(attributes_of(file) & FILE_ATTRIBUTE_REPARSE_POINT, 0u) << "still a link";
    EXPECT_EQ(names_in(synced.path()), std::set<std::string>{"zentrifa.dat"}) << "the temporary went beside it";
    EXPECT_EQ(names_in(dir.path()), (std::set<std::string>{"hop", "my.dat"}));

    // A link to nothing: the file is made where it points.
    fs::remove(kept);
    ASSERT_TRUE(replace_file(file, "made", error)) << error;
    EXPECT_EQ(test::read_file(kept), "made");

    // A loop of links: refused, nothing written.
    ASSERT_TRUE(make_link(dir.path() / "loop.dat", "loop2.dat"));
    ASSERT_TRUE(make_link(dir.path() / "loop2.dat", "loop.dat"));
    EXPECT_FALSE(replace_file(dir.path() / "loop.dat", "lost", error));
    EXPECT_NE(error.find("loop"), std::string::npos) << error;

    // A new file, the lock and a stale temporary never go through a link planted at their name.
    const fs::path victim = dir.path() / "victim.txt";
    test::write_file(victim, "precious");
    ASSERT_TRUE(make_link(dir.path() / "shot.bmp", victim));
    bool exists = false;
    EXPECT_FALSE(write_new_file(dir.path() / "shot.bmp", "copy", exists, error));
    EXPECT_TRUE(exists);
    ASSERT_TRUE(make_link(dir.path() / "my.dat.lock", victim));
    FileLock lock;
    EXPECT_EQ(lock.take(dir.path() / "my.dat.lock", error), FileLock::Result::failed);
    EXPECT_NE(error.find("symbolic link"), std::string::npos) << error;
    ASSERT_TRUE(make_link(synced.path() / "zentrifa.dat.tmp-k3j9x2ab", victim));
    EXPECT_EQ(remove_stale_temporaries(file), 1);
    EXPECT_EQ(test::read_file(victim), "precious");
}

TEST(WindowsFiles, NewFilesAreCreatedOnlyWhereNothingIs)
{
    TempDir dir;
    const fs::path& d = dir.path();
    const fs::path taken = d / "shot 1.bmp";
    test::write_file(taken, "precious");
    fs::create_directory(d / "folder.bmp");
    bool exists = false;
    std::string error;
    EXPECT_FALSE(write_new_file(taken, "copy", exists, error));
    EXPECT_TRUE(exists);
    EXPECT_EQ(test::read_file(taken), "precious");
    EXPECT_FALSE(write_new_file(d / "folder.bmp", "copy", exists, error));
    EXPECT_TRUE(exists);
    EXPECT_FALSE(write_new_file(d / "no" / "x.bmp", "copy", exists, error));
    EXPECT_FALSE(exists);

    const fs::path fresh = d / utf8_path("山田 2.bmp");
    ASSERT_TRUE(write_new_file(fresh, "copy", exists, error)) << error;
    EXPECT_EQ(test::read_file(fresh), "copy");
    EXPECT_EQ(attributes_of(fresh) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(permission_bits(fresh, 0644), 0644u);
    // Without the owner's write bit: read-only, and read back as such.
    const fs::path kept = d / "kept.dat";
    ASSERT_TRUE(write_new_file(kept, "copy", exists, error, 0444)) << error;
    EXPECT_NE(attributes_of(kept) & FILE_ATTRIBUTE_READONLY, 0u);
    EXPECT_EQ(permission_bits(kept, 0644), 0444u);
    EXPECT_EQ(permission_bits(d / "missing", 0600), 0600u);
    ::SetFileAttributesW(kept.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(WindowsFiles, StaleTemporariesOfOneFileAreRemovedAndNothingElse)
{
    TempDir dir;
    const fs::path folder = player_folder(dir);
    test::write_file(folder / "my.dat", "save");
    test::write_file(folder / "my.dat.tmp", "old crash");
    test::write_file(folder / "my.dat.tmp-k3j9x2ab", "new crash");
    fs::create_directory(folder / "my.dat.tmp-folder");
    test::write_file(folder / "my.dat.tmpfile", "not ours");
    test::write_file(folder / "other.dat.tmp", "not ours");
    EXPECT_EQ(remove_stale_temporaries(folder / "my.dat"), 2);
    EXPECT_EQ(names_in(folder),
              (std::set<std::string>{"my.dat", "my.dat.tmp-folder", "my.dat.tmpfile", "other.dat.tmp"}));
    EXPECT_EQ(remove_stale_temporaries(folder / "no" / "my.dat"), 0);
}

TEST(WindowsFiles, OutputFilesAreFilesOrNewNames)
{
    TempDir dir;
    const fs::path& d = dir.path();
    const fs::path file = d / utf8_path("録画 1.txt");
    test::write_file(file, "old and long contents");
    fs::create_directory(d / "folder");
    std::string error;
    EXPECT_TRUE(can_be_output_file(file, error)) << error;
    EXPECT_TRUE(can_be_output_file(d / "new.txt", error)) << error;
    EXPECT_FALSE(can_be_output_file(d / "folder", error));
    EXPECT_NE(error.find("is a folder"), std::string::npos) << error;
    EXPECT_FALSE(can_be_output_file(d / "NUL", error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;

    std::FILE* out = open_output_file(file, error);
    ASSERT_NE(out, nullptr) << error;
    EXPECT_GE(std::fputs("line 1\nline 2\n", out), 0);
    EXPECT_EQ(std::fflush(out), 0);
    EXPECT_TRUE(cut_output_file(out, 7));
    std::fclose(out);
    EXPECT_EQ(test::read_file(file), "line 1\n") << "emptied when opened, then cut back";

    EXPECT_EQ(open_output_file(d / "folder", error), nullptr);
    EXPECT_NE(error.find("is a folder"), std::string::npos) << error;
    EXPECT_EQ(open_output_file(d / "NUL", error), nullptr);
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    EXPECT_EQ(open_output_file(d / "no" / "x.txt", error), nullptr);
    EXPECT_NE(error.find("cannot be written"), std::string::npos) << error;
}

TEST(WindowsFiles, TheLockIsTakenOnlyOnAFileOfItsOwnAndWhereItIsOnlyReadable)
{
    TempDir dir;
    const fs::path& d = dir.path();
    std::string error;
    // A lock file the game may not write still locks.
    const fs::path read_only = d / "my.dat.lock";
    test::write_file(read_only, "");
    ASSERT_TRUE(::SetFileAttributesW(read_only.c_str(), FILE_ATTRIBUTE_READONLY));
    {
        FileLock lock;
        EXPECT_EQ(lock.take(read_only, error), FileLock::Result::held) << error;
        FileLock second;
        EXPECT_EQ(second.take(read_only, error), FileLock::Result::busy);
    }
    ::SetFileAttributesW(read_only.c_str(), FILE_ATTRIBUTE_NORMAL);

    fs::create_directories(d / "folder" / "my.dat.lock");
    FileLock lock;
    EXPECT_EQ(lock.take(d / "folder" / "my.dat.lock", error), FileLock::Result::failed);
    EXPECT_NE(error.find("is a folder; remove it"), std::string::npos) << error;
    EXPECT_EQ(lock.take(d / "NUL", error), FileLock::Result::failed);
    EXPECT_NE(error.find("is not a regular file; remove it"), std::string::npos) << error;
    EXPECT_EQ(lock.take(d / "missing" / "my.dat.lock", error), FileLock::Result::failed);
    EXPECT_NE(error.find("must be one the game can write in"), std::string::npos) << error;
    EXPECT_FALSE(lock.held());
}

// --- Another copy of the game: this program run again, as a child process ---

// Runs this test program again with the arguments given (after its own name) and the
// environment variable set; returns its exit code, -1 when it could not be run.
int run_child(const std::wstring& arguments, const wchar_t* variable, const std::wstring& value)
{
    std::wstring self(32768, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    std::wstring command = L"\"" + self + L"\" " + arguments;
    ::SetEnvironmentVariableW(variable, value.c_str());
    STARTUPINFOW start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION child{};
    const BOOL ran =
        ::CreateProcessW(self.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &child);
    ::SetEnvironmentVariableW(variable, nullptr);
    if (!ran) return -1;
    ::WaitForSingleObject(child.hProcess, 60000);
    DWORD code = 0;
    ::GetExitCodeProcess(child.hProcess, &code);
    ::CloseHandle(child.hThread);
    ::CloseHandle(child.hProcess);
    return static_cast<int>(code);
}

// The child's part: takes the lock its parent names and reports what it got in its exit code
// (10 + the result), holding it until it ends.
TEST(WindowsChild, TakesTheLockItsParentNames)
{
    const std::optional<std::string> file = environment_variable("ZENTRIFA_CHILD_LOCK");
    if (!file) GTEST_SKIP() << "run by the lock test in another process";
    FileLock lock;
    std::string error;
    const FileLock::Result got = lock.take(utf8_path(*file), error);
    std::fflush(nullptr);
    std::_Exit(10 + static_cast<int>(got));
}

TEST(WindowsFiles, TheLockKeepsAnotherProcessOutAndIsFreedWhenThatProcessEnds)
{
    TempDir dir;
    const fs::path file = player_folder(dir) / "my.dat.lock";
    const std::wstring child = L"--gtest_filter=WindowsChild.TakesTheLockItsParentNames";
    const int held = 10 + static_cast<int>(FileLock::Result::held);
    const int busy = 10 + static_cast<int>(FileLock::Result::busy);
    std::string error;
    {
        FileLock mine;
        ASSERT_EQ(mine.take(file, error), FileLock::Result::held) << error;
        EXPECT_EQ(run_child(child, L"ZENTRIFA_CHILD_LOCK", file.native()), busy);
    }
    // Free now; the child takes it, and the system lets it go when the child ends.
    EXPECT_EQ(run_child(child, L"ZENTRIFA_CHILD_LOCK", file.native()), held);
    FileLock again;
    EXPECT_EQ(again.take(file, error), FileLock::Result::held) << error;
}

} // namespace
} // namespace zen
