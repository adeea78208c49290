#include "app/input_script.h"

#include "app/command_line.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace zen {
namespace {

TEST(InputScript, ReadsEveryEventInFileOrder)
{
    std::vector<ScriptEvent> e;
    std::string error;
    ASSERT_TRUE(parse_input_script_text("# comment\n"
                                        "40 move 10 20\n"
                                        "41 down right 1 2   # trailing comment\n"
                                        "42 up middle 799 599\n"
                                        "\n"
                                        "50 click 0 0\n"
                                        "50 rclick 5 6\n"
                                        "70 key escape\n"
                                        "80 answer no\n"
                                        "90 quit\n",
                                        "s.txt", e, error))
        << error;
    ASSERT_EQ(e.size(), 8u);
    EXPECT_EQ(e[0].kind, ScriptEvent::Kind::move);
    EXPECT_EQ(e[0].frame, 40);
    EXPECT_EQ(e[0].y, 20);
    EXPECT_EQ(e[1].button, MouseButton::right);
    EXPECT_EQ(e[2].button, MouseButton::middle);
    EXPECT_EQ(e[2].x, 799);
    EXPECT_EQ(e[4].kind, ScriptEvent::Kind::rclick);
    EXPECT_EQ(e[5].key, "escape");
    EXPECT_FALSE(e[6].yes);
    EXPECT_EQ(e[7].kind, ScriptEvent::Kind::quit);
}

TEST(InputScript, MalformedLinesNameTheFileTheLineAndTheFault)
{
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"1 click 10 10\nx click 1 1\n", "s.txt:2: \"x\" is not a frame number"},
        {"5 click 1\n", "s.txt:1: \"click\" takes X Y"},
        {"5 click 1 2 3\n", "s.txt:1: \"click\" takes X Y"},
        {"5 click 800 2\n", "s.txt:1: position 800 2 is outside"},
        {"5 down up 1 2\n", "s.txt:1: \"up\" is not left, right or middle"},
        {"5 answer maybe\n", "s.txt:1: \"maybe\" is not yes or no"},
        {"5 fly 1 2\n", "s.txt:1: unknown event \"fly\""},
        {"9 quit\n3 quit\n", "s.txt:2: frame 3 comes before frame 9"},
        {"9\n", "s.txt:1: an event is missing"},
        {"-1 quit\n", "s.txt:1: \"-1\" is not a frame number"},
        {"5 quit now\n", "s.txt:1: \"quit\" takes nothing"},
        // Frames that would keep a headless run going for days (or for ever).
        {"1 click 1 1\n10000001 quit\n", "s.txt:2: frame 10000001 is past the last frame a script may name"},
        {"4000000000 quit\n", "s.txt:1: frame 4000000000 is past"},
    };
    for (const Case& c : cases) {
        std::vector<ScriptEvent> e;
        std::string error;
        EXPECT_FALSE(parse_input_script_text(c.text, "s.txt", e, error)) << c.text;
        EXPECT_EQ(error.rfind(c.expected, 0), 0u) << "got: " << error;
    }
    std::vector<ScriptEvent> e;
    std::string error;
    EXPECT_FALSE(parse_input_script("/no/such/script.txt", e, error));
    EXPECT_NE(error.find("/no/such/script.txt"), std::string::npos);
    // A folder or a pipe given as the script.
    test::TempDir dir;
    ASSERT_EQ(::mkfifo((dir.path() / "pipe").c_str(), 0644), 0);
    for (const auto& bad : {dir.path(), dir.path() / "pipe"}) {
        error.clear();
        EXPECT_FALSE(parse_input_script(bad, e, error));
        EXPECT_NE(error.find(bad.string()), std::string::npos) << error;
    }
}

TEST(InputScript, AnOffendingWordIsQuotedCutShortAndReadable)
{
    struct Case {
        std::string text;
        std::string expected_start;
    };
    const std::string huge(5'000'000, '7');
    const Case cases[] = {
        {huge + " quit\n", "s.txt:1: \"7777777777"},
        {"1 " + huge + "\n", "s.txt:1: unknown event \"7777"},
        {"1 click " + huge + " 5\n", "s.txt:1: \"7777"},
        {std::string("1 key\x01\x02\xff\x1b[2J\n", 12), "s.txt:1: unknown event \"key\\x01\\x02\\xff\\x1b[2J\""},
    };
    for (const Case& c : cases) {
        std::vector<ScriptEvent> e;
        std::string error;
        EXPECT_FALSE(parse_input_script_text(c.text, "s.txt", e, error));
        EXPECT_EQ(error.rfind(c.expected_start, 0), 0u) << error.substr(0, 200);
        EXPECT_LT(error.size(), 200u);
        for (char ch : error)
            EXPECT_TRUE(ch >= 0x20 && ch < 0x7F) << "raw byte " << int(static_cast<unsigned char>(ch));
    }
}

TEST(CommandLine, ParsesEveryOptionAndRefusesBadOnes)
{
    const char* argv[] = {"zentrifa", "--headless", "--frames", "120",          "--seed",
                          "42",       "--input",    "in.txt",   "--screenshot", "s.png",
                          "--trace",  "--data-dir", "d",        "--save-dir",   "v"};
    Options o;
    std::string error;
    ASSERT_TRUE(parse_options(15, argv, o, error)) << error;
    EXPECT_TRUE(o.headless);
    EXPECT_EQ(*o.frames, 120);
    EXPECT_EQ(*o.seed, 42u);
    EXPECT_EQ(o.input, "in.txt");
    EXPECT_EQ(o.screenshot, "s.png");
    EXPECT_TRUE(o.trace);
    EXPECT_EQ(o.data_dir, "d");
    EXPECT_EQ(o.save_dir, "v");

    for (auto bad : {std::vector<const char*>{"z", "--frames"},
                     {"z", "--frames", "-3"},
                     {"z", "--seed", "x1"},
                     {"z", "--colour"}}) {
        Options p;
        std::string e;
        EXPECT_FALSE(parse_options(static_cast<int>(bad.size()), bad.data(), p, e));
        EXPECT_FALSE(e.empty());
    }
}

} // namespace
} // namespace zen
