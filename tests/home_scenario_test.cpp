// The home game played by the real program, headless, with input scripts: from the start picture
// through a new game, stage 1, making games, the shop and a meal; then, from that save, the news,
// a night's sleep and giving the stage up.
#include "platform/canvas.h"
#include "scenario_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <vector>

namespace zen {
namespace {

namespace fs = std::filesystem;
using namespace test;

TEST(HomeScenario, FromTheStartPictureToAbandoningAStage)
{
    TempDir save;
    TempDir work;
    const fs::path dat = save.path() / "my.dat";

    // Buttons stand at the right edge from y = 10, one row every 44 pixels.
    test::write_file(work.path() / "first.txt",
                     "5 click 400 300\n"  // the title
                     "10 click 400 300\n" // the start menu
                     "20 click 700 30\n"  // << NEW GAME >>
                     "30 click 600 30\n"  // stage 1
                     "40 click 700 30\n"  // make a game
                     "50 click 600 30\n"  // five copies of the first genre
                     "52 click 600 30\n"
                     "54 click 600 30\n"
                     "56 click 600 30\n"
                     "58 click 600 30\n"
                     "60 rclick 600 30\n" // back home
                     "70 click 700 200\n" // the shop
                     "80 click 640 250\n" // the loan, sixth row
                     "90 click 640 160\n" // the megaphone, fourth row
                     "100 rclick 640 160\n"
                     "110 click 700 110\n" // eat
                     "120 move 10 500\n");
    const fs::path shot = work.path() / "home.png";
    auto r = run_program("--headless --frames 130 --seed 3 --trace --input " + q(work.path() / "first.txt") +
                         " --save-dir " + q(save.path()) + " --screenshot " + q(shot));
    ASSERT_EQ(r.exit_code, 0) << r.err;
    expect_in_order(r.out, {
                               "music title_for_game.mp3",
                               "message silver 創作者達の戦いが動き出した....",
                               "message silver どのステージをしますか",
                               "message silver 家の前の道路をプレイ！！！！！",
                               "message silver 何をつくりますか",
                               "message green Item【ミニゲーム『ころりんぱ』】を 1個入手した(所持:5個)",
                               "message silver 何を買いますか",
                               "message silver 時間1日と引き換えに、借金した → 残り6日",
                               "message yellow2 お金 1000円を入手",
                               "message gray 500円支払った",
                               "message aqua 声を出す最大回数が +1された！",
                               "message gray 100円支払った",
                               "sound taberu.wav",
                           });
    std::vector<long long> v = save_lines(dat);
    ASSERT_EQ(v.size(), 3420u);
    EXPECT_EQ(v[kSaveStage], 1);
    EXPECT_EQ(v[kSaveStoryFlag], 1);
    EXPECT_EQ(v[kSaveItemCount + 1], 5);   // the stock
    EXPECT_EQ(v[kSaveItemCount + 100], 1); // the megaphone
    EXPECT_EQ(v[kSaveMoney], 400);         // 1000 borrowed, 500 and 100 spent
    EXPECT_EQ(v[kSaveLoans], 1);
    EXPECT_EQ(v[kSaveDay], 1);
    EXPECT_EQ(v[kSaveEnergy], 1); // all five spent, and one point back while time ran
    EXPECT_EQ(v[kSaveExp], 5);
    // The home menu on the last frame: its column's left border, slid into place.
    Canvas frame;
    ASSERT_TRUE(test::read_png(shot, frame));
    for (int y : {20, 100, 300}) EXPECT_EQ(frame.pixel(590, y), 0x808080u) << y;
    EXPECT_EQ(frame.pixel(700, 54), 0x808080u); // the line two rows share

    // Tired out: the next start reads the news, sleeps, wakes and gives the stage up.
    set_save_line(dat, kSaveFatigue, 60);
    test::write_file(work.path() / "second.txt",
                     "5 click 400 300\n"
                     "10 click 400 300\n"
                     "20 click 700 70\n" // the news, second row
                     "30 click 10 10\n"  // five lines, one click each
                     "32 click 10 10\n"
                     "34 click 10 10\n"
                     "36 click 10 10\n"
                     "38 click 10 10\n"
                     "50 click 700 30\n"  // < START >
                     "60 click 700 160\n" // sleep, fourth row
                     "70 click 700 30\n"  // wake up
                     "80 click 700 290\n" // give the stage up, seventh row
                     "90 click 700 30\n"  // yes
                     "100 quit\n");
    r = run_program("--headless --frames 200 --seed 3 --trace --input " + q(work.path() / "second.txt") +
                    " --save-dir " + q(save.path()));
    ASSERT_EQ(r.exit_code, 0) << r.err;
    expect_in_order(r.out, {
                               "message silver ....ニュースが届いています....",
                               "music universe_for_game.mp3",
                               "message silver 悪いニュースです....",
                               "message silver ゲーム作りは、これからは趣味ぐらいにしておきましょう。",
                               "message silver 家の前の道路でのプレイを再開！！！！",
                               "sound sleep.wav",
                               "message silver すうすうすうすうすう MP+3 & 疲労=0",
                               "message silver 気分さっぱり！！ おはようございます！！ 残り：6日",
                               "message silver ステージを断念していいですか？",
                           });
    v = save_lines(dat);
    EXPECT_EQ(v[kSaveStage], 0);
    EXPECT_EQ(v[kSaveItemCount + 1], 0);   // unsold copies are gone with the stage
    EXPECT_EQ(v[kSaveItemCount + 100], 1); // the megaphone stays
    EXPECT_EQ(v[kSaveDay], 2);
    EXPECT_EQ(v[kSaveFatigue], 0);
    EXPECT_EQ(v[kSaveHunger], 49); // a point lost on the 30th frame before bed, then halved by the night
    EXPECT_EQ(v[kSaveEnergy], 4);  // the saved point and three from the night
    EXPECT_EQ(v[kSaveNewsRead + 0], 1);
    EXPECT_EQ(v[kSaveMoney], 400);
}

} // namespace
} // namespace zen
