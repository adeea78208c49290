// `cmake --install` into a staging folder, then the installed game run from somewhere else, the
// way a player starts it from the menu: it finds its pack under share/ and saves in the player's
// data folder, never in the installed tree.
#include "platform/paths.h"
#include "platform/pictures.h"
#include "platform/window.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sys/wait.h>

namespace zen {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

std::string q(const fs::path& p) { return "'" + p.string() + "'"; }

int shell(const std::string& command)
{
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::vector<fs::path> files_under(const fs::path& dir)
{
    std::vector<fs::path> out;
    for (const auto& e : fs::recursive_directory_iterator(dir))
        if (!e.is_directory()) out.push_back(fs::relative(e.path(), dir));
    std::sort(out.begin(), out.end());
    return out;
}

TEST(Install, TheInstalledGameFindsItsPackAndSavesInXdgDataHome)
{
    TempDir staging;
    TempDir player;
    const fs::path log = player.path() / "install.log";
    // Any prefix will do: the program finds share/zentrifa from where it lies.
    ASSERT_EQ(shell("DESTDIR=" + q(staging.path()) + " '" ZENTRIFA_CMAKE "' --install " + q(test::build_dir()) +
                    " --prefix /opt/zentrifa-test >" + q(log) + " 2>&1"),
              0)
        << test::read_file(log);
    const fs::path prefix = staging.path() / "opt" / "zentrifa-test";
    const fs::path data = prefix / "share" / "zentrifa";
    for (const char* file :
         {"bin/zentrifa", "share/zentrifa/cg/title.bmp", "share/zentrifa/dat/1.wav",
          "share/zentrifa/dat/title_for_game.mp3", "share/man/man6/zentrifa.6.gz",
          "share/applications/org.zentrifa.Zentrifa.desktop", "share/metainfo/org.zentrifa.Zentrifa.metainfo.xml",
          "share/icons/hicolor/48x48/apps/zentrifa.png", "share/icons/hicolor/128x128/apps/zentrifa.png",
          "share/icons/hicolor/256x256/apps/zentrifa.png", "share/doc/zentrifa/copyright",
          "share/licenses/zentrifa/LICENSE"})
        EXPECT_TRUE(fs::is_regular_file(prefix / file)) << file;
    // Only the pack itself: no save, no screenshots of the build's own runs.
    for (const fs::path& f : files_under(data)) {
        const std::string ext = f.extension().string();
        EXPECT_TRUE(ext == ".bmp" || ext == ".jpg" || ext == ".wav" || ext == ".mp3" ||
                    (ext == ".otf" && f.parent_path().filename() == "fonts"))
            << f;
    }
    // The languages' faces the build cut down go with the pack, where the game looks for them.
    for (const fs::path& face : files_under(test::build_dir() / "fonts"))
        EXPECT_TRUE(fs::is_regular_file(data / "fonts" / face.filename())) << face;
    const auto shipped = files_under(prefix);

    const fs::path xdg = player.path() / "xdg";
    const fs::path shot = player.path() / "s.png";
    const fs::path out = player.path() / "out.txt";
    ASSERT_EQ(shell("cd " + q(player.path()) + " && XDG_DATA_HOME=" + q(xdg) + " HOME=" + q(player.path()) + " " +
                    q(prefix / "bin" / "zentrifa") + " --headless --frames 30 --seed 3 --screenshot s.png >" + q(out) +
                    " 2>&1 </dev/null"),
              0)
        << test::read_file(out);

    EXPECT_TRUE(fs::is_regular_file(xdg / "zentrifa" / "my.dat"));
    EXPECT_EQ(files_under(prefix), shipped) << "the installed tree is left as it was";

    // The frame is the installed start-up picture.
    Canvas frame;
    ASSERT_TRUE(test::read_png(shot, frame));
    Canvas title;
    std::string error;
    ASSERT_TRUE(load_picture(data / "cg" / "title.bmp", title, error)) << error;
    for (auto [x, y] : {std::pair{10, 10}, {400, 300}, {799, 599}})
        EXPECT_EQ(frame.pixel(x, y), title.pixel(x, y)) << x << "," << y;

    // The window's icon is found from the installed data folder, in the prefix's icon theme.
    Paths installed;
    installed.data_dir = data;
    IconPicture icon;
    bool found = false;
    for (const fs::path& f : installed.icon_files()) found = found || load_icon(f, icon, error);
    EXPECT_TRUE(found) << error;
}

} // namespace
} // namespace zen
