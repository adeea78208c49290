// Where the game keeps its data, save and settings on Windows, and the command line and the
// environment as UTF-8: a portable copy keeps everything beside the program, an installed one
// keeps the player's files in %APPDATA%\Zentrifa.
#include "platform/path_text.h"
#include "platform/paths.h"
#include "platform/process.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <fstream>

namespace zen {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

// The game's folder as the zip unpacks it: zentrifa.exe beside cg\ and dat\, in a folder whose
// name has Japanese and spaces.
struct GameFolder {
    TempDir root;
    fs::path folder = root.path() / utf8_path("ゲーム フォルダ");
    fs::path exe = folder / "zentrifa.exe";
    GameFolder()
    {
        fs::create_directories(folder / "cg");
        fs::create_directories(folder / "dat");
        test::write_file(exe, "");
    }
};

fs::path app_data_folder()
{
    const std::optional<std::string> app_data = environment_variable("APPDATA");
    return app_data ? utf8_path(*app_data) / "Zentrifa" : fs::path();
}

TEST(WindowsPaths, APortableCopyKeepsItsDataSaveAndSettingsBesideTheProgram)
{
    GameFolder g;
    const Paths p = resolve_paths(g.exe, "", "");
    EXPECT_EQ(p.data_dir, g.folder);
    EXPECT_EQ(p.save_dir, g.folder / "dat");
    EXPECT_EQ(p.settings_file, g.folder / "dat" / "zentrifa.ini");
    EXPECT_EQ(p.save_file().native(), g.folder.native() + L"\\dat\\my.dat");
    // The data is always beside the program: without its cg\ it is still looked for there.
    fs::remove_all(g.folder / "cg");
    EXPECT_EQ(resolve_paths(g.exe, "", "").data_dir, g.folder);
}

TEST(WindowsPaths, WithoutAWritableDatTheSaveAndSettingsGoToAppData)
{
    GameFolder g;
    const fs::path app_data = app_data_folder();
    ASSERT_FALSE(app_data.empty()) << "APPDATA is set on every Windows";
    fs::remove_all(g.folder / "dat");
    Paths p = resolve_paths(g.exe, "", "");
    EXPECT_EQ(p.save_dir, app_data) << "no dat\\";
    EXPECT_EQ(p.settings_file, app_data / "zentrifa.ini");
    test::write_file(g.folder / "dat", "not a folder");
    EXPECT_EQ(resolve_paths(g.exe, "", "").save_dir, app_data) << "dat is a file";
}

TEST(WindowsPaths, TheOptionsAreTakenAsUtf8)
{
    GameFolder g;
    const std::string saves = path_utf8(g.root.path()) + "\\セーブ データ";
    const std::string data = path_utf8(g.root.path()) + "\\山田の パック";
    const Paths p = resolve_paths(g.exe, data, saves);
    EXPECT_EQ(p.data_dir.native(), g.root.path().native() + L"\\山田の パック");
    EXPECT_EQ(p.save_dir.native(), g.root.path().native() + L"\\セーブ データ");
    // Only the save moves: the settings stay with the player.
    EXPECT_EQ(p.settings_file, app_data_folder() / "zentrifa.ini");
}

TEST(WindowsPaths, TheProgramIsTheModuleItself)
{
    std::wstring self(32768, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    EXPECT_EQ(executable_path("some other name").native(), self);
    // Installed, the game is in bin\ and its data in share\zentrifa\ beside it.
    EXPECT_EQ(installed_data_dir(executable_path(nullptr)),
              fs::path(self).parent_path().parent_path() / "share" / "zentrifa");
}

TEST(WindowsProcess, EnvironmentVariablesAreReadAsUtf8)
{
    ASSERT_EQ(::_wputenv_s(L"ZENTRIFA_TEST_名前", L"山田 太郎"), 0);
    EXPECT_EQ(environment_variable("ZENTRIFA_TEST_名前"), std::optional<std::string>("山田 太郎"));
    ASSERT_EQ(::_wputenv_s(L"ZENTRIFA_TEST_名前", L""), 0); // removes it
    EXPECT_EQ(environment_variable("ZENTRIFA_TEST_名前"), std::nullopt);
    EXPECT_EQ(environment_variable(""), std::nullopt);
}

// The child's part: writes the arguments it was started with, one a line, to the file its parent
// names.
TEST(WindowsChild, WritesItsArguments)
{
    const std::optional<std::string> out = environment_variable("ZENTRIFA_CHILD_ARGUMENTS");
    if (!out) GTEST_SKIP() << "run by the arguments test in another process";
    std::ofstream file(utf8_path(*out), std::ios::binary);
    for (const std::string& argument : program_arguments(__argc, __argv)) file << argument << '\n';
}

TEST(WindowsProcess, TheCommandLineIsReadInUtf16AndHandedOnAsUtf8)
{
    TempDir dir;
    const fs::path out = dir.path() / utf8_path("引数.txt");
    std::wstring self(32768, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    std::wstring command = L"\"" + self +
                           L"\" --gtest_filter=WindowsChild.WritesItsArguments --save-dir \"C:\\山田 太郎\\セーブ\" "
                           L"Ω \"say \\\"hi\\\"\"";
    ::SetEnvironmentVariableW(L"ZENTRIFA_CHILD_ARGUMENTS", out.c_str());
    STARTUPINFOW start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION child{};
    const BOOL ran =
        ::CreateProcessW(self.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &child);
    ::SetEnvironmentVariableW(L"ZENTRIFA_CHILD_ARGUMENTS", nullptr);
    ASSERT_TRUE(ran);
    ::WaitForSingleObject(child.hProcess, 60000);
    ::CloseHandle(child.hThread);
    ::CloseHandle(child.hProcess);
    EXPECT_EQ(test::read_file(out), path_utf8(fs::path(self)) +
                                        "\n--gtest_filter=WindowsChild.WritesItsArguments\n--save-dir\n"
                                        "C:\\山田 太郎\\セーブ\nΩ\nsay \"hi\"\n");
}

} // namespace
} // namespace zen
