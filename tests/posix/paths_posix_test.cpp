// Where the game looks for its data and its save: the order of the places, and what happens
// when a place is missing or damaged.
#include "platform/paths.h"
#include "platform/posix/paths_posix.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

namespace zen {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// Sets an environment variable for one scope, then puts back what was there.
class EnvVar {
public:
    EnvVar(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name)) old_ = old;
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~EnvVar()
    {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    EnvVar(const EnvVar&) = delete;
    EnvVar& operator=(const EnvVar&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

// An installed layout under a prefix of its own: PREFIX/bin/zentrifa and PREFIX/share/zentrifa.
struct Layout {
    TempDir root;
    fs::path prefix = root.path() / "some" / "prefix";
    fs::path bin = prefix / "bin";
    fs::path exe = bin / "zentrifa";
    fs::path installed = prefix / "share" / "zentrifa";

    Layout()
    {
        fs::create_directories(bin);
        test::write_file(exe, "");
    }
    static void make_data(const fs::path& dir)
    {
        fs::create_directories(dir / "cg");
        fs::create_directories(dir / "dat");
    }
};

bool running_as_root() { return ::geteuid() == 0; }

TEST(DataLookup, TheOptionComesFirstThenBesideTheProgramThenTheInstalledFolder)
{
    Layout l;
    Layout::make_data(l.bin);
    Layout::make_data(l.installed);

    EXPECT_EQ(resolve_paths(l.exe, "/my/own/pack", "").data_dir, "/my/own/pack");
    EXPECT_EQ(resolve_paths(l.exe, "", "").data_dir, l.bin);

    fs::remove_all(l.bin / "cg");
    fs::remove_all(l.bin / "dat");
    EXPECT_EQ(resolve_paths(l.exe, "", "").data_dir, l.installed) << "found from bin/, whatever the prefix";
    EXPECT_EQ(installed_data_dir(l.exe), l.installed);
    // The folder given by the player is taken as it is, even when it is not there: the game says
    // what is wrong with it rather than quietly using another pack.
    EXPECT_EQ(resolve_paths(l.exe, (l.root.path() / "gone").string(), "").data_dir, l.root.path() / "gone");
}

TEST(DataLookup, ADamagedCopyBesideTheProgramGivesWayToTheInstalledOne)
{
    struct Damage {
        const char* what;
        void (*apply)(const fs::path& beside);
        bool needs_permissions;
    };
    const Damage damages[] = {
        {"only dat/, no cg/", [](const fs::path& b) { fs::create_directories(b / "dat"); }, false},
        {"cg is a file", [](const fs::path& b) { test::write_file(b / "cg", "not a folder"); }, false},
        {"cg is a dangling link", [](const fs::path& b) { fs::create_directory_symlink(b / "nowhere", b / "cg"); },
         false},
        {"cg cannot be read",
         [](const fs::path& b) {
             fs::create_directories(b / "cg");
             fs::permissions(b / "cg", fs::perms::none);
         },
         true},
    };
    for (const Damage& d : damages) {
        SCOPED_TRACE(d.what);
        if (d.needs_permissions && running_as_root()) continue; // root reads any folder
        Layout l;
        Layout::make_data(l.installed);
        d.apply(l.bin);
        EXPECT_EQ(resolve_paths(l.exe, "", "").data_dir, l.installed);

        // With the installed folder damaged as well, the player is told about the installed one...
        fs::remove_all(l.installed / "cg");
        test::write_file(l.installed / "cg", "not a folder");
        EXPECT_EQ(resolve_paths(l.exe, "", "").data_dir, l.installed);
        // ...and with no installed folder at all, about the copy beside the program.
        fs::remove_all(l.prefix / "share");
        EXPECT_EQ(resolve_paths(l.exe, "", "").data_dir, l.bin);
    }
}

TEST(SaveLookup, TheOptionThenAWritableDatBesideTheProgramThenXdgDataHome)
{
    Layout l;
    Layout::make_data(l.bin);
    const EnvVar xdg("XDG_DATA_HOME", "/xdg/data");
    const EnvVar home("HOME", "/home/player");

    EXPECT_EQ(resolve_paths(l.exe, "", "/saves").save_dir, "/saves");
    EXPECT_EQ(resolve_paths(l.exe, "", "").save_dir, l.bin / "dat") << "a build keeps its save with it";

    // dat/ beside the program that is no writable folder: the save goes to the player's data.
    fs::remove_all(l.bin / "dat");
    EXPECT_EQ(resolve_paths(l.exe, "", "").save_dir, "/xdg/data/zentrifa") << "no dat/";
    test::write_file(l.bin / "dat", "not a folder");
    EXPECT_EQ(resolve_paths(l.exe, "", "").save_dir, "/xdg/data/zentrifa") << "dat is a file";
    if (!running_as_root()) {
        fs::remove(l.bin / "dat");
        fs::create_directories(l.bin / "dat");
        fs::permissions(l.bin / "dat", fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(resolve_paths(l.exe, "", "").save_dir, "/xdg/data/zentrifa") << "read-only dat/";
        fs::permissions(l.bin / "dat", fs::perms::owner_all);
    }
}

TEST(SaveLookup, WithoutAUsableXdgDataHomeTheSaveGoesUnderHome)
{
    Layout l; // installed: nothing beside the program
    {
        const EnvVar xdg("XDG_DATA_HOME", nullptr);
        const EnvVar home("HOME", "/home/player");
        EXPECT_EQ(resolve_paths(l.exe, "", "").save_dir, "/home/player/.local/share/zentrifa");
    }
    {
        const EnvVar xdg("XDG_DATA_HOME", "");
        const EnvVar home("HOME", "/home/player");
        EXPECT_EQ(resolve_paths(l.exe, "", "").save_dir, "/home/player/.local/share/zentrifa") << "empty";
    }
    {
        const EnvVar xdg("XDG_DATA_HOME", "relative/data");
        const EnvVar home("HOME", "/home/player");
        EXPECT_EQ(resolve_paths(l.exe, "", "").save_dir, "/home/player/.local/share/zentrifa") << "relative";
    }
    {
        // No HOME either: the home folder of the account.
        const passwd* pw = ::getpwuid(::getuid());
        ASSERT_NE(pw, nullptr);
        const EnvVar xdg("XDG_DATA_HOME", nullptr);
        const EnvVar home("HOME", nullptr);
        EXPECT_EQ(resolve_paths(l.exe, "", "").save_dir, fs::path(pw->pw_dir) / ".local" / "share" / "zentrifa");
    }
}

TEST(ExecutableLookup, WithoutProcTheProgramIsFoundFromArgv0)
{
    Layout l;
    fs::permissions(l.exe, fs::perms::owner_all);
    const fs::path real = fs::canonical(l.exe);
    TempDir games;
    fs::create_symlink(l.exe, games.path() / "zentrifa"); // e.g. /usr/games/zentrifa -> /usr/bin/zentrifa
    TempDir decoy;
    test::write_file(decoy.path() / "zentrifa", "not a program"); // no execute permission

    const std::string path = "/no/such/folder:" + decoy.path().string() + ":" + l.bin.string();
    EXPECT_EQ(executable_from_argv0("zentrifa", path.c_str()), real);
    const std::string via_link = games.path().string() + ":" + l.bin.string();
    EXPECT_EQ(executable_from_argv0("zentrifa", via_link.c_str()), real) << "the link leads to the real program";
    EXPECT_EQ(executable_from_argv0((games.path() / "zentrifa").c_str(), nullptr), real);
    // Nothing on the PATH: the name is taken as it is, from the working folder.
    EXPECT_EQ(executable_from_argv0("zentrifa", nullptr), fs::weakly_canonical(fs::current_path() / "zentrifa"));
}

} // namespace
} // namespace zen
