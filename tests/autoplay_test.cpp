// The autoplay bot: what it chooses to make, buy and shoot, that its hand clicks a button only
// where the button will be and holds the gun on a hazard, and, with the real program, that it clears
// the first stage of a fresh game in time and that its recorded session replays to the same game.
#include "app/frame_tick.h"
#include "app/run_loop.h"
#include "bot/autoplay.h"
#include "bot/autoplay_policy.h"
#include "core/game_state.h"
#include "scenario_support.h"
#include "street/sales_floor.h"
#include "test_support.h"
#include "ui/menu_buttons.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <sstream>

namespace zen {
namespace {

namespace fs = std::filesystem;
using test::HomeGame;
using test::q;
using test::read_file;
using test::run_program;
using test::StreetGame;
using test::TempDir;

std::vector<int> sorted(std::vector<int> v)
{
    std::sort(v.begin(), v.end());
    return v;
}

TEST(AutoplayPolicy, StocksWhatEachPasserByWantsThatEarnsMostForTheEnergy)
{
    HomeGame g;
    Game& game = *g;
    game.stage = 1; // kids want 1, 2, 9; girls 1, 3, 9
    EXPECT_EQ(genres_to_stock(game), std::vector<int>{1}) << "genre 1 is known from the start";

    game.my.genre_known[2] = 1;
    game.my.genre_known[3] = 1;
    game.my.energy_max = 3;
    EXPECT_EQ(sorted(genres_to_stock(game)), (std::vector<int>{2, 3}));

    // A game dearer in energy than a full stock of it is out of reach: the girls get genre 1.
    game.my.energy_max = 2;
    EXPECT_EQ(sorted(genres_to_stock(game)), (std::vector<int>{1, 2}));

    // The next copy is of the genre least in stock that the energy on hand pays for.
    game.my.item_count[2] = 4;
    game.my.item_count[1] = 1;
    game.my.energy = 2;
    EXPECT_EQ(genre_to_make(game), 1);
    game.my.item_count[1] = 6;
    EXPECT_EQ(genre_to_make(game), 2);
    game.my.energy = 1;
    EXPECT_EQ(genre_to_make(game), 1) << "genre 2 costs 2";
    game.my.energy = 0;
    EXPECT_EQ(genre_to_make(game), 0);
    EXPECT_EQ(stock_on_hand(game), 10);

    // Two tools that make extra copies of genre 1 make it earn more for the energy (500 a point)
    // than genre 2 (360) or genre 3 (400): both kinds get genre 1.
    game.my.energy_max = 3;
    game.my.item_count[150] = 1;
    game.my.item_count[160] = 1;
    EXPECT_EQ(genres_to_stock(game), std::vector<int>{1});

    // No stage, no passers-by to make games for.
    game.stage = 0;
    EXPECT_TRUE(genres_to_stock(game).empty());
}

TEST(AutoplayPolicy, PlaysTheLastStageAgainWhileItsPaceFallsShortOfTheNextQuota)
{
    constexpr int kDay = 24 * 60;
    EXPECT_FALSE(pace_reaches(8000, 7 * kDay, 12000)) << "8000 in 7 days is 9143 in 8";
    EXPECT_TRUE(pace_reaches(8000, 5 * kDay, 12000)) << "8000 in 5 days is 12800 in 8";
    EXPECT_TRUE(pace_reaches(14000, 8 * kDay, 4500)) << "the second round starts low";
    EXPECT_TRUE(pace_reaches(2000, 0, 3000)) << "cleared at once";
}

TEST(AutoplayPolicy, BuysBooksFirstKeepsMoneyForMealsAndNeverBorrows)
{
    HomeGame g;
    Game& game = *g;
    game.stage = 1;
    auto pick_with = [&](int money, int level) {
        game.my.money = money;
        game.my.level = level;
        show_menu(game, kMenuShop);
        const int pick = shop_pick(game);
        return pick == 0 ? std::string("nothing") : menu_record(game, pick).caption;
    };
    // Poor: only the loan could be had, and it costs a day.
    EXPECT_EQ(pick_with(0, 0), "nothing");
    // The book (500) and the megaphone (500) need 500 besides the 200 kept for two meals.
    EXPECT_EQ(pick_with(600, 0), "nothing");
    EXPECT_EQ(pick_with(700, 0), "参考書『ショーてぃんぐの作り方』 \\500");
    // With the level for a poster the book still comes first; once it is read, the poster.
    EXPECT_EQ(pick_with(700, 2), "参考書『ショーてぃんぐの作り方』 \\500");
    game.my.genre_known[2] = 1;
    EXPECT_EQ(pick_with(700, 2), "宣伝ポスター1 (必要Lv2) \\200");
    // Without the level, the megaphone; the poster would not be clickable.
    EXPECT_EQ(pick_with(700, 0), "メガホン \\500");
}

TEST(AutoplayPolicy, AimsWhereTheHazardWillBeAndNeverAtAButton)
{
    StreetGame g(2);
    Game& game = *g;
    ASSERT_TRUE(spawn_figure(game, 200, 0, 0)); // a robot dog, coming down the middle
    const int dog = g.slot_of(200);
    ASSERT_GE(dog, 0);
    tman& f = game.street_figures[static_cast<std::size_t>(dog)];
    f.x = 300;
    f.y = 250;
    f.target_x = 300;
    f.target_y = 380;
    Point at;
    ASSERT_TRUE(aim_at(game, dog, at));
    // After its step of 10 it stands at y 255 (half the step down): the aim is in that box.
    EXPECT_GE(at.y, 255 - f.height);
    EXPECT_LE(at.y, 255);
    EXPECT_LT(at.y, 250) << "the middle of the box it will have, not of the one it has";
    EXPECT_GE(at.x, 300 - f.width / 2);
    EXPECT_LE(at.x, 300 + f.width / 2);
    EXPECT_EQ(hazard_to_shoot(game, -1), dog);

    // Under the button column the aim moves to a part of the box clear of the buttons.
    const int row = 500; // the sales floor's first entry
    const tmenu& b = game.menu_buttons[row];
    f.x = b.target_x + 10;
    f.y = b.y + b.height + 5;
    f.target_x = f.x;
    f.target_y = f.y;
    while (game.menu_buttons[row].x != b.target_x) button_pass(game);
    ASSERT_TRUE(aim_at(game, dog, at));
    for (const tmenu& m : game.menu_buttons) {
        if (m.visible != 1) continue;
        EXPECT_FALSE(m.x <= at.x && at.x < m.x + m.width && m.y <= at.y && at.y < m.y + m.height) << m.caption;
    }

    // What cannot be hit is not shot at: a spent hazard, or one off the screen.
    f.hit_points = 0;
    EXPECT_FALSE(shootable(game, dog));
    f.hit_points = 10;
    f.x = -40;
    EXPECT_FALSE(shootable(game, dog));
    EXPECT_EQ(hazard_to_shoot(game, dog), -1);
}

TEST(AutoplayPolicy, KeepsShootingTheSameHazardUntilItIsGone)
{
    StreetGame g(3);
    Game& game = *g;
    ASSERT_TRUE(spawn_figure(game, 201, 0, 0));
    ASSERT_TRUE(spawn_figure(game, 201, 0, 0));
    int first = -1;
    int second = -1;
    for (int s = 0; s < kStreetSlots; ++s) {
        tman& f = game.street_figures[static_cast<std::size_t>(s)];
        if (f.age < 1) continue;
        f.x = 200;
        f.target_x = 200;
        f.y = first < 0 ? 200 : 300;
        f.target_y = f.y;
        (first < 0 ? first : second) = s;
    }
    EXPECT_EQ(hazard_to_shoot(game, -1), second) << "the one nearest the passers-by";
    EXPECT_EQ(hazard_to_shoot(game, first), first) << "the one already being shot";
    EXPECT_EQ(hazards_on_street(game), 2);
    game.street_figures[static_cast<std::size_t>(first)].age = 0;
    EXPECT_EQ(hazard_to_shoot(game, first), second);
}

void deliver(Game& game, const std::vector<InputEvent>& events)
{
    for (const InputEvent& e : events) deliver_event(game, e);
}

TEST(AutoplayHand, ClicksAButtonOnlyOnceItHasSlidIntoPlace)
{
    HomeGame g;
    Game& game = *g;
    game.stage = 1;
    game.my.energy = 5;
    show_menu(game, kMenuHome);
    Autoplay bot(nullptr);
    int waited = 0;
    while (game.menu_buttons[1].x != game.menu_buttons[1].target_x) {
        EXPECT_TRUE(bot.next_events(game).empty()) << "the buttons are still sliding in";
        button_pass(game);
        ++waited;
    }
    EXPECT_GT(waited, 3);
    // A new stage: first a look into the shop, where nothing can be bought without money.
    deliver(game, bot.next_events(game));
    ASSERT_EQ(game.open_menu, kMenuShop);
    deliver(game, bot.next_events(game));
    ASSERT_EQ(game.open_menu, kMenuHome);
    // Energy and nothing in stock: it makes a game.
    deliver(game, bot.next_events(game));
    ASSERT_EQ(game.open_menu, kMenuMakeGame);
    while (game.menu_buttons[300].x != game.menu_buttons[300].target_x) {
        EXPECT_TRUE(bot.next_events(game).empty());
        button_pass(game);
    }
    deliver(game, bot.next_events(game));
    EXPECT_EQ(game.my.item_count[1], 1);
    EXPECT_EQ(game.my.energy, 4);
}

TEST(AutoplayHand, HoldsTheGunOnAHazardAndLetsGoToShout)
{
    StreetGame g(2);
    Game& game = *g;
    game.my.item_count[1] = 5; // something to sell, no energy to make more: it stays out
    game.my.energy = 0;
    game.my.shouts_used = 1;
    while (game.menu_buttons[501].x != game.menu_buttons[501].target_x) button_pass(game);
    ASSERT_TRUE(spawn_figure(game, 200, 0, 0));
    const int dog = g.slot_of(200);
    tman& f = game.street_figures[static_cast<std::size_t>(dog)];
    f.x = 300;
    f.target_x = 300;
    f.y = 300;
    f.target_y = 300;
    const int hp = f.hit_points;

    Autoplay bot(nullptr);
    deliver(game, bot.next_events(game));
    EXPECT_EQ(game.fire_held, 1);
    frame_step(game);
    EXPECT_LT(game.street_figures[static_cast<std::size_t>(dog)].hit_points, hp) << "the gun hits it";

    // The hazard gone and a shout to spare: the button is let go before the shout is clicked.
    game.street_figures[static_cast<std::size_t>(dog)].age = 0;
    game.my.shouts_used = 0;
    const auto events = bot.next_events(game);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.front().type, InputEvent::Type::mouse_up);
    deliver(game, events);
    EXPECT_EQ(game.fire_held, 0);
    EXPECT_EQ(game.my.shouts_used, 1);
}

// The bot's stage lines on standard error: stage, outcome, days used.
struct StageLine {
    int stage = 0;
    std::string outcome;
    int days = 0;
};

std::vector<StageLine> stage_lines(const std::string& err)
{
    std::vector<StageLine> lines;
    std::istringstream in(err);
    std::string line;
    while (std::getline(in, line)) {
        StageLine l;
        int days = 0;
        char word[16] = {};
        if (std::sscanf(line.c_str(), "autoplay: stage %d %15s", &l.stage, word) != 2) continue;
        l.outcome = word;
        if (l.outcome == "game") l.outcome = "game over";
        const auto at = line.find("days ");
        if (at == std::string::npos || std::sscanf(line.c_str() + at, "days %d/8", &days) != 1) continue;
        l.days = days;
        lines.push_back(l);
    }
    return lines;
}

TEST(AutoplayProgram, ClearsTheFirstStageOfAFreshGameInTime)
{
    TempDir dir;
    // The start pictures, the news and eight days of 480 frames fit in 4200 frames.
    const auto r = run_program("--headless --autoplay --seed 11 --frames 4200 --save-dir " + q(dir.path()));
    ASSERT_EQ(r.exit_code, 0) << r.err;
    const auto lines = stage_lines(r.err);
    ASSERT_FALSE(lines.empty()) << r.err;
    EXPECT_EQ(lines.front().stage, 1);
    EXPECT_EQ(lines.front().outcome, "cleared") << r.err;
    EXPECT_LE(lines.front().days, 8);
    const auto save = test::save_lines(dir.path() / "my.dat");
    EXPECT_GE(save.at(test::kSaveStageClears + 1), 1);
}

TEST(AutoplayProgram, ItsRecordedSessionReplaysToTheSameGame)
{
    TempDir dir;
    const fs::path recorded = dir.path() / "bot.txt";
    fs::create_directories(dir.path() / "bot");
    fs::create_directories(dir.path() / "again");
    const auto bot = run_program("--headless --autoplay --seed 5 --frames 2500 --trace --record " + q(recorded) +
                                 " --save-dir " + q(dir.path() / "bot"));
    ASSERT_EQ(bot.exit_code, 0) << bot.err;
    // Played on the street: it sold, and it shouted.
    EXPECT_NE(bot.out.find("円を入手"), std::string::npos);
    EXPECT_NE(bot.out.find("いらっしゃい！！いらっしゃい！！"), std::string::npos);

    const auto again =
        run_program("--headless --trace --input " + q(recorded) + " --save-dir " + q(dir.path() / "again"));
    ASSERT_EQ(again.exit_code, 0) << again.err;
    const std::string save = read_file(dir.path() / "bot" / "my.dat");
    ASSERT_FALSE(save.empty());
    EXPECT_EQ(save, read_file(dir.path() / "again" / "my.dat"));
    EXPECT_EQ(bot.out, again.out);
}

// A save edited to the edges of what is read, the third stage under way: piles of nearly a billion
// copies of every genre and an hour nearly a billion hours before midnight. The bot sells from the
// piles and clears the stage, its own sums cut where they would overflow (the sanitizer build
// stops at any overflow; the plain build saw no stock at all in the piles' wrapped sum).
TEST(AutoplayProgram, PlaysOnFromASaveEditedToExtremes)
{
    TempDir dir;
    const fs::path save = dir.path() / "my.dat";
    ASSERT_EQ(run_program("--headless --frames 3 --save-dir " + q(dir.path())).exit_code, 0);
    test::set_save_line(save, test::kSaveStoryFlag, 1); // a game under way: the start goes on with it
    test::set_save_line(save, test::kSaveStage, 3);
    test::set_save_line(save, test::kSaveHour, -999999999);
    for (int genre = 1; genre <= 13; ++genre) {
        test::set_save_line(save, test::kSaveItemCount + genre, 999999999);
        test::set_save_line(save, test::kSaveGenreKnown + genre, 1);
    }
    const auto r = run_program("--headless --autoplay --seed 3 --frames 3000 --trace --save-dir " + q(dir.path()));
    ASSERT_EQ(r.exit_code, 0) << r.err;
    EXPECT_FALSE(fs::exists(dir.path() / "my.dat.bad")) << r.err;
    EXPECT_NE(r.out.find("円を入手"), std::string::npos) << "it sold from the piles";
    const auto lines = stage_lines(r.err);
    ASSERT_FALSE(lines.empty()) << r.err;
    EXPECT_EQ(lines.front().stage, 3) << r.err;
    EXPECT_EQ(lines.front().outcome, "cleared") << r.err;
}

} // namespace
} // namespace zen
