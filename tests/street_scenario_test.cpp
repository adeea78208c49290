// The street played by the real program, headless, with input scripts: selling on stage 1 from a
// fresh game, shooting a robot dog on stage 2, a save near its quota that clears the stage, and a
// save on the last day that runs out of time.
#include "platform/pictures.h"
#include "scenario_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace zen {
namespace {

namespace fs = std::filesystem;
using namespace test;

// Buttons stand at the right edge from y = 10, one row every 44 pixels.
// From the start picture through a new game to stage 1 with five copies of the first genre, then
// out to the street (frame 70).
constexpr const char* kFreshStageOneOnTheStreet = "5 click 400 300\n"  // the title
                                                  "10 click 400 300\n" // the start menu
                                                  "20 click 700 30\n"  // << NEW GAME >>
                                                  "30 click 600 30\n"  // stage 1
                                                  "40 click 700 30\n"  // make a game
                                                  "50 click 600 30\n"  // five copies
                                                  "52 click 600 30\n"
                                                  "54 click 600 30\n"
                                                  "56 click 600 30\n"
                                                  "58 click 600 30\n"
                                                  "60 rclick 600 30\n" // back home
                                                  "70 click 700 76\n"; // >> 売り場へ!! <<

RunResult play(const TempDir& save, const TempDir& work, const std::string& script, int frames,
               const fs::path& shot = {})
{
    write_file(work.path() / "in.txt", script);
    std::string args = "--headless --seed 3 --trace --frames " + std::to_string(frames) + " --input " +
                       q(work.path() / "in.txt") + " --save-dir " + q(save.path());
    if (!shot.empty()) args += " --screenshot " + q(shot);
    return run_program(args);
}

TEST(StreetScenario, AFreshGameSellsItsFirstGamesOnTheStreet)
{
    TempDir save;
    TempDir work;
    const fs::path shot = work.path() / "street.png";
    const RunResult r = play(save, work,
                             std::string(kFreshStageOneOnTheStreet) + "80 click 700 76\n", // shout
                             600, shot);
    ASSERT_EQ(r.exit_code, 0) << r.err;
    expect_in_order(r.out, {
                               "message silver 現場は眠らない....！",
                               "message silver いらっしゃい！！いらっしゃい！！　いいゲームあるよ！！",
                               "sound fuu.wav",
                               "message silver 咽が枯れた....ゴホッ....ゴホッ",
                               "sound coin.wav",
                               "message yellow2 お金 100円を入手",
                           });
    EXPECT_TRUE(r.out.find("message silver キッズが近寄ってきた\n") != std::string::npos ||
                r.out.find("message silver ガールが近寄ってきた\n") != std::string::npos)
        << r.out;

    const auto v = save_lines(save.path() / "my.dat");
    ASSERT_EQ(v.size(), 3420u);
    const long long sold = 5 - v[kSaveItemCount + 1];
    EXPECT_GE(sold, 2);
    EXPECT_EQ(v[kSaveSales], 100 * sold);
    EXPECT_EQ(v[kSaveMoney], 100 * sold);
    EXPECT_EQ(v[kSaveStage], 1);

    // The last frame shows the street: the desk strip below y 390 and the status panel's sales.
    Canvas frame;
    ASSERT_TRUE(read_png(shot, frame));
    Canvas desk;
    std::string error;
    ASSERT_TRUE(load_picture(build_dir() / "cg" / "desk.bmp", desk, error)) << error;
    EXPECT_EQ(frame.pixel(60, 400), desk.pixel(60, 10));
    EXPECT_EQ(frame.pixel(150, 450), desk.pixel(150, 60));
}

TEST(StreetScenario, HoldingTheButtonShootsARobotDogDown)
{
    TempDir save;
    TempDir work;
    // A first run leaves a save; stage 1 cleared once opens stage 2.
    RunResult r = play(save, work, "5 click 400 300\n10 click 400 300\n20 click 700 30\n30 quit\n", 40);
    ASSERT_EQ(r.exit_code, 0) << r.err;
    set_save_line(save.path() / "my.dat", kSaveStageClears + 1, 1);

    r = play(save, work,
             "5 click 400 300\n"
             "10 click 400 300\n"
             "20 click 700 30\n" // < START >
             "30 click 600 76\n" // stage 2, second row
             "40 click 700 30\n" // make a game
             "50 click 600 30\n"
             "52 click 600 30\n"
             "54 click 600 30\n"
             "60 rclick 600 30\n"
             "70 click 700 76\n"      // out to the street
             "80 down left 278 340\n" // where the dog comes down, held
             "330 up left 278 340\n",
             360);
    ASSERT_EQ(r.exit_code, 0) << r.err;
    expect_in_order(r.out, {
                               "message silver 公園をプレイ！！！！！",
                               "message silver 現場は眠らない....！",
                               "sound dog.wav",
                               "sound gun.wav",
                               "sound bom.wav",
                               "message yellow2 お金 40円を入手",
                           });
    // Every dog shot down paid 40; the rest of the money is what the copies sold for.
    int rewards = 0;
    for (std::size_t at = 0; (at = r.out.find("message yellow2 お金 40円を入手\n", at)) != std::string::npos; ++at)
        ++rewards;
    const auto v = save_lines(save.path() / "my.dat");
    EXPECT_EQ(v[kSaveStage], 2);
    EXPECT_EQ(v[kSaveMoney], v[kSaveSales] + 40LL * rewards);
    EXPECT_EQ(v[kSaveSales] % 100, 0);
}

TEST(StreetScenario, ASaveNearItsQuotaClearsTheStageAndTheStoryMovesOn)
{
    TempDir save;
    TempDir work;
    RunResult r = play(save, work, std::string(kFreshStageOneOnTheStreet) + "80 quit\n", 90);
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const fs::path dat = save.path() / "my.dat";
    // Fifty yen short, three copies in stock, customers drawn in by posters; the next news entry
    // waits for a clear of stage 1.
    set_save_line(dat, kSaveSales, 1950);
    set_save_line(dat, kSaveItemCount + 1, 3);
    set_save_line(dat, kSaveAdPower + 1, 8);
    set_save_line(dat, kSaveNewsIndex, 2);
    const long long money = save_lines(dat)[kSaveMoney];

    r = play(save, work,
             "5 click 400 300\n"
             "10 click 400 300\n"
             "20 click 700 30\n"  // < START >: the stage resumes at home
             "30 click 700 76\n"  // out to the street
             "400 click 700 30\n" // the stage-cleared button
             "410 click 10 10\n"  // Congraturation!!!!!!
             "420 quit\n",
             430);
    ASSERT_EQ(r.exit_code, 0) << r.err;
    expect_in_order(r.out, {
                               "message silver 家の前の道路でのプレイを再開！！！！",
                               "message yellow2 お金 100円を入手",
                               "sound battle_lvup.wav",
                               "message silver ノルマ 2000円を達成！！！！！！！！！！",
                               "sound clear.wav",
                               "message silver Congraturation!!!!!!",
                           });
    // One sale is enough; nothing moves on the street once the stage is won.
    EXPECT_EQ(r.out.find("お金 100円を入手"), r.out.rfind("お金 100円を入手"));
    const auto v = save_lines(dat);
    EXPECT_EQ(v[kSaveStage], 0);
    EXPECT_EQ(v[kSaveStageClears + 1], 1);
    EXPECT_EQ(v[kSaveNewsIndex], 3);
    EXPECT_EQ(v[kSaveItemCount + 1], 0); // the unsold copies go with the stage
    EXPECT_EQ(v[kSaveMoney], money + 100);
}

TEST(StreetScenario, ASaveOnTheLastDayRunsOutOfTime)
{
    TempDir save;
    TempDir work;
    RunResult r =
        play(save, work, "5 click 400 300\n10 click 400 300\n20 click 700 30\n30 click 600 30\n40 quit\n", 50);
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const fs::path dat = save.path() / "my.dat";
    set_save_line(dat, kSaveDay, 7);
    set_save_line(dat, kSaveHour, 22);
    set_save_line(dat, kSaveMinute, 57);
    set_save_line(dat, kSaveItemCount + 2, 4);

    // Out on the street when the time is up: the street's picture fills the whole screen, the
    // band the desk covered while selling included.
    TempDir street_save;
    fs::copy_file(dat, street_save.path() / "my.dat");
    r = play(street_save, work,
             "5 click 400 300\n"
             "10 click 400 300\n"
             "20 click 700 30\n"  // < START >
             "30 click 700 76\n", // out to the street
             58, work.path() / "up.png");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    Canvas shot;
    Canvas street;
    std::string error;
    ASSERT_TRUE(read_png(work.path() / "up.png", shot));
    ASSERT_TRUE(load_picture(build_dir() / "cg" / "map01.jpg", street, error)) << error;
    ASSERT_EQ(street.height(), 600);
    int same = 0;
    for (int y = 560; y < 600; ++y)
        for (int x = 320; x < 580; ++x) same += shot.pixel(x, y) == street.pixel(x, y) ? 1 : 0;
    EXPECT_EQ(same, 40 * 260) << "the lower band is not the street's";

    r = play(save, work,
             "5 click 400 300\n"
             "10 click 400 300\n"
             "20 click 700 30\n" // < START >
             "60 click 700 30\n" // the time-up button
             "70 quit\n",
             80);
    ASSERT_EQ(r.exit_code, 0) << r.err;
    // 23:00 counts the last hour; midnight ends the day; the next frame ends the stage.
    expect_in_order(r.out, {
                               "message silver 家の前の道路でのプレイを再開！！！！",
                               "message silver ＊＊＊　残り 1時間です　＊＊＊",
                               "sound gameover.wav",
                               "message silver ゲームオーバーです！",
                           });
    EXPECT_EQ(r.out.find("残り 0日"), std::string::npos);
    const auto v = save_lines(dat);
    EXPECT_EQ(v[kSaveStage], 0);
    EXPECT_EQ(v[kSaveGameOver], 1);
    EXPECT_EQ(v[kSaveDay], 8);
    EXPECT_EQ(v[kSaveItemCount + 2], 0);
    EXPECT_EQ(v[kSaveNewsIndex], 1); // the story moves on after a lost stage too
    EXPECT_EQ(v[kSaveStageClears + 1], 0);
}

} // namespace
} // namespace zen
