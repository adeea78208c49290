// The options as a player meets them: --help and the manual page name every option the program
// takes, and the version shown by --version and in the window caption is the build's.
#include "app/command_line.h"
#include "app/startup.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace zen {
namespace {

// An option name as the manual page's roff source writes it: every "-" as "\-".
std::string roff(const std::string& name)
{
    std::string out;
    for (char c : name) out += c == '-' ? std::string("\\-") : std::string(1, c);
    return out;
}

// True when a line right after a ".TP" (the head of an entry) names the option as a whole word.
bool has_entry(const std::string& man, const std::string& option)
{
    for (std::size_t at = man.find(".TP\n"); at != std::string::npos; at = man.find(".TP\n", at + 1)) {
        const std::size_t head = at + 4;
        const std::string line = man.substr(head, man.find('\n', head) - head);
        for (std::size_t p = line.find(option); p != std::string::npos; p = line.find(option, p + 1)) {
            const std::size_t end = p + option.size();
            if (end == line.size() || (line[end] != '\\' && !std::isalnum(static_cast<unsigned char>(line[end]))))
                return true;
        }
    }
    return false;
}

TEST(CommandLine, EveryOptionIsTakenAndShownInTheHelpAndTheManualPage)
{
    const std::string help = usage_text();
    const std::string man = test::read_file(std::string(ZENTRIFA_SOURCE_DIR) + "/packaging/zentrifa.6.in");
    ASSERT_FALSE(man.empty());
    ASSERT_FALSE(option_list().empty());
    for (const OptionInfo& o : option_list()) {
        SCOPED_TRACE(o.name);
        std::vector<const char*> argv = {"zentrifa", o.name};
        if (*o.value) argv.push_back(o.id == OptionId::Lang ? "en" : "1");
        Options options;
        std::string error;
        EXPECT_TRUE(parse_options(static_cast<int>(argv.size()), argv.data(), options, error)) << error;

        std::string line = std::string("  ") + o.name + (*o.value ? std::string(" ") + o.value : "");
        EXPECT_NE(help.find(line), std::string::npos) << help;
        EXPECT_NE(help.find(o.help), std::string::npos);
        EXPECT_TRUE(has_entry(man, roff(o.name))) << "the manual page has no entry for it";
    }
}

TEST(CommandLine, VersionAndHelpPrintAndStopBeforeTheGameStarts)
{
    test::TempDir save;
    const std::string save_dir = " --save-dir '" + save.path().string() + "'";

    const auto version = test::run_program("--version" + save_dir);
    EXPECT_EQ(version.exit_code, 0);
    EXPECT_EQ(version.out, std::string("zentrifa ") + ZENTRIFA_VERSION + "\n");
    for (const char* help : {"--help", "-h"}) {
        const auto r = test::run_program(help + save_dir);
        EXPECT_EQ(r.exit_code, 0) << help;
        EXPECT_EQ(r.out, usage_text()) << help;
    }
    EXPECT_FALSE(std::filesystem::exists(save.path() / "my.dat")) << "no game ran, nothing was saved";

    const auto bad = test::run_program("--colour red" + save_dir);
    EXPECT_EQ(bad.exit_code, 2);
    EXPECT_EQ(bad.err, "zentrifa: unknown option --colour\n" + usage_text());
}

TEST(CommandLine, TheWindowCaptionCarriesTheBuildsVersion)
{
    for (const Lang lang : {Lang::ja, Lang::en})
        EXPECT_EQ(window_title(lang), std::string("Zentrifa ver") + ZENTRIFA_VERSION + " - made by the Zentrifa team");
}

} // namespace
} // namespace zen
