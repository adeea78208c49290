#include "home/commands.h"

#include "core/game_state.h"
#include "core/line_queue.h"
#include "render/picture_store.h"
#include "test_support.h"
#include "ui/menu_buttons.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace zen {
namespace {

using test::HomeGame;

// The record of the shown button whose caption starts with text; -1 when there is none.
int entry_of(const Game& game, const std::string& text)
{
    for (int i = 0; i < kMenuButtons; ++i) {
        const tmenu& b = game.menu_buttons[static_cast<std::size_t>(i)];
        if (b.visible == 1 && b.caption.rfind(text, 0) == 0) return i;
    }
    return -1;
}

// Opens the menu and runs the handler on the entry beginning with text, as a click would,
// a tick after the last sound.
void choose(HomeGame& g, MenuKey menu, const std::string& text, void (*handler)(Game&, int))
{
    show_menu(*g, menu);
    const int index = entry_of(*g, text);
    ASSERT_GE(index, 0) << text;
    count_down_sound_guard(*g);
    g.take_trace();
    handler(*g, index);
}

// A stage in progress at home, rested and fed, with some money.
void at_home(HomeGame& g, int stage = 1)
{
    g->stage = stage;
    g->my.story_flag[0] = 1;
    g->my.money = 5000;
    g->my.energy = 5;
    g->my.hunger = 80;
    g->my.fatigue = 30;
    show_menu(*g, kMenuHome);
}

bool has_line(const std::string& trace, const std::string& line)
{
    return trace.find(line + "\n") != std::string::npos;
}

TEST(HomeCommands, MenusOpenFromTheHomeMenu)
{
    HomeGame g;
    at_home(g);
    choose(g, kMenuHome, "ゲームを造る", home_command);
    EXPECT_EQ(g->open_menu, kMenuMakeGame);
    EXPECT_EQ(g.take_trace(), "sound 1.wav\nmessage silver 何をつくりますか\nsound 2.wav\n");
    choose(g, kMenuHome, "OPTION", home_command);
    EXPECT_EQ(g->open_menu, kMenuOptions);
    choose(g, kMenuHome, ">お店へ", home_command);
    EXPECT_EQ(g->open_menu, kMenuShop);
    EXPECT_TRUE(has_line(g.take_trace(), "message silver 何を買いますか"));
    choose(g, kMenuHome, "×このステージを断念", home_command);
    EXPECT_EQ(g->open_menu, kMenuAbandon);
    EXPECT_TRUE(has_line(g.take_trace(), "message silver ステージを断念していいですか？"));
}

TEST(HomeCommands, GoingOutNeedsRestAndFood)
{
    HomeGame g;
    at_home(g, 2);
    g->my.fatigue = 91;
    choose(g, kMenuHome, ">> 売り場へ", home_command);
    EXPECT_EQ(g.take_trace(), "message silver 疲れでヘトヘトだ....眠らないと....\n");
    g->my.fatigue = 90;
    g->my.hunger = 9;
    choose(g, kMenuHome, ">> 売り場へ", home_command);
    EXPECT_EQ(g.take_trace(), "message silver お腹が減って倒れそうだ....\n");
    EXPECT_EQ(g->open_menu, kMenuHome);
    EXPECT_EQ(g->on_street, 0);

    g->my.hunger = 10;
    choose(g, kMenuHome, ">> 売り場へ", home_command);
    EXPECT_EQ(g->on_street, 1);
    EXPECT_EQ(g->open_menu, kMenuSalesFloor);
    EXPECT_TRUE(has_line(g.take_trace(), "message silver 現場は眠らない....！"));
    // The park's picture is the background now.
    ASSERT_FALSE(g->work_bitmaps[kWorkComposed].empty());
    const Point at = picture_position(g->haikei.width(), g->haikei.height());
    for (auto [x, y] : {std::pair{100, 100}, {400, 300}, {700, 50}})
        EXPECT_EQ(g->work_bitmaps[kWorkComposed].pixel(at.x + x, at.y + y), g->haikei.pixel(x, y));
}

TEST(HomeCommands, EatingCostsTheStagePriceAndFillsUpToAHundred)
{
    HomeGame g;
    at_home(g, 2);
    g->my.hunger = 85;
    choose(g, kMenuHome, "ご飯を食べる", home_command);
    EXPECT_EQ(g->my.money, 4800);
    EXPECT_EQ(g->my.hunger, 100); // 85 + at least 20, never above 100
    EXPECT_EQ(g.take_trace(), "message gray 200円支払った\nsound katan.wav\nsound taberu.wav\nsound 2.wav\n");
    EXPECT_EQ(g->open_menu, kMenuHome);

    // 20 + 2 per table item + 0..14.
    g->my.item_count[120] = 1;
    g->my.item_count[121] = 1;
    for (int i = 0; i < 20; ++i) {
        g->my.hunger = 0;
        choose(g, kMenuHome, "ご飯を食べる", home_command);
        EXPECT_GE(g->my.hunger, 24);
        EXPECT_LE(g->my.hunger, 38);
    }

    // Too poor: nothing changes.
    g->my.money = 199;
    g->my.hunger = 50;
    choose(g, kMenuHome, "ご飯を食べる", home_command);
    EXPECT_EQ(g->my.money, 199);
    EXPECT_EQ(g->my.hunger, 50);
    EXPECT_EQ(g.take_trace(), "message gray お金が足りません\n");
}

TEST(HomeCommands, SleepingRestoresAndTheWakeUpCostsADay)
{
    HomeGame g;
    at_home(g);
    g->my.fatigue = 60;
    g->my.energy = 1;
    g->my.energy_max = 9;
    g->my.shouts_used = 3;
    g->my.animal_came = 1;
    g->my.rpg_ammo = 0;
    g->my.item_count[110] = 1; // blanket: one more energy
    g->my.item_count[51] = 1;  // one more rocket
    g->my.day = 6;
    g->my.hunger = 81;
    choose(g, kMenuHome, "寝る", home_command);
    EXPECT_EQ(g->my.energy, 5);
    EXPECT_EQ(g->my.fatigue, 0);
    EXPECT_EQ(g->my.shouts_used, 0);
    EXPECT_EQ(g->my.animal_came, 0);
    EXPECT_EQ(g->my.rpg_ammo, 2);
    EXPECT_EQ(g->open_menu, kMenuWakeUp);
    EXPECT_EQ(g.take_trace(),
              "sound sleep.wav\nmessage silver すうすうすうすうすう MP+4 & 疲労=0\nsound hp.wav\nsound 2.wav\n");

    choose(g, kMenuWakeUp, "起床", wake_up_command);
    EXPECT_EQ(g->my.hunger, 40);
    EXPECT_EQ(g->my.day, 7);
    EXPECT_EQ(g->open_menu, kMenuHome);
    // Counted from the day before waking.
    EXPECT_TRUE(has_line(g.take_trace(), "message silver 気分さっぱり！！ おはようございます！！ 残り：1日"));

    // A home menu opened on day 6 and clicked after midnight: the last day allows no sleep.
    g->my.day = 6;
    g->my.fatigue = 60;
    show_menu(*g, kMenuHome);
    const int sleep = entry_of(*g, "寝る");
    ASSERT_GE(sleep, 0);
    g->my.day = 7;
    count_down_sound_guard(*g);
    g.take_trace();
    home_command(*g, sleep);
    EXPECT_EQ(g->my.fatigue, 60);
    EXPECT_EQ(g->open_menu, kMenuHome);
    EXPECT_EQ(g.take_trace(), "");
}

TEST(HomeCommands, AbandoningEndsTheStageWithoutTheNews)
{
    HomeGame g;
    at_home(g, 3);
    g->on_street = 1;
    g->my.sales = 900;
    g->my.quota_done = 1;
    g->my.item_count[2] = 5;
    g->my.item_count[100] = 1;
    g->my.news_index = 2;
    choose(g, kMenuAbandon, "いいえ", abandon_command);
    EXPECT_EQ(g->open_menu, kMenuHome);
    EXPECT_EQ(g->stage, 3);
    choose(g, kMenuAbandon, "はい", abandon_command);
    EXPECT_EQ(g->stage, 0);
    EXPECT_EQ(g->on_street, 0);
    EXPECT_EQ(g->my.sales, 0);
    EXPECT_EQ(g->my.quota_done, 0);
    EXPECT_EQ(g->my.item_count[2], 0);   // unsold copies are lost
    EXPECT_EQ(g->my.item_count[100], 1); // items are kept
    EXPECT_EQ(g->my.news_index, 2);
    EXPECT_EQ(g->open_menu, kMenuStart);
}

TEST(HomeCommands, OptionsExplainAndCreditWithTheMenuStayingOpen)
{
    HomeGame g;
    at_home(g);
    choose(g, kMenuOptions, "クレジット", options_command);
    EXPECT_EQ(g->open_menu, kMenuOptions);
    const std::string credits = g.take_trace();
    EXPECT_NE(credits.find("Zentrifa"), std::string::npos);
    EXPECT_NE(credits.find("the Zentrifa team"), std::string::npos);
    EXPECT_EQ(g->message_log[1].text, ""); // the log was cleared first
    choose(g, kMenuOptions, "寝るコマンドについて", options_command);
    EXPECT_EQ(g.take_trace(), "message silver [寝る]コマンドによって、疲労が完全回復し、MPもやや回復します。"
                              "しかし疲れていない時や、最終日は、寝ることはできません。\n");
    choose(g, kMenuOptions, "エナジーの回復率について", options_command);
    EXPECT_EQ(g.take_trace(), "message silver エナジー回復率は、お腹と疲労によって決まります。"
                              "お腹があるほど回復しますが、疲労が高ければ回復率は弱まります。\n");
    choose(g, kMenuOptions, "SOUND", options_command);
    EXPECT_EQ(g->open_menu, kMenuSound);
}

TEST(HomeCommands, VolumeStepsStopAtTheEnds)
{
    HomeGame g;
    g->my.volume = -3700;
    choose(g, kMenuSound, "音量を下げる", sound_command);
    EXPECT_EQ(g->my.volume, -4000);
    EXPECT_EQ(g.take_trace(), "message silver 音量＝-4000\nsound 1.wav\n");
    choose(g, kMenuSound, "音量を下げる", sound_command);
    EXPECT_EQ(g->my.volume, -4000);
    g->my.volume = -300;
    choose(g, kMenuSound, "音量を上げる", sound_command);
    EXPECT_EQ(g->my.volume, 0);
    EXPECT_EQ(g.take_trace(), "message silver 音量＝0\nsound 1.wav\n");
}

TEST(StartCommands, NewGameLeadsToStageSelectAndAStageInProgressResumes)
{
    HomeGame g;
    g->my.money = 777;
    g->my.story_flag[0] = 0;
    g->map_table.edit(1)->quota = 1; // start rebuilds the stage table
    choose(g, kMenuStart, "<< NEW GAME >>", start_command);
    EXPECT_EQ(g->my.money, 0);
    EXPECT_EQ(g->my.story_flag[0], 1);
    EXPECT_EQ(g->open_menu, kMenuStageSelect);
    EXPECT_EQ(g->map_table.at(1).quota, 2000);
    EXPECT_TRUE(has_line(g.take_trace(), "message silver どのステージをしますか"));

    g->stage = 4;
    choose(g, kMenuStart, "< START >", start_command);
    EXPECT_EQ(g->open_menu, kMenuHome);
    EXPECT_EQ(g->message_log[0].text, "海でのプレイを再開！！！！");
    g->my.quota_done = 1;
    choose(g, kMenuStart, "< START >", start_command);
    EXPECT_EQ(g->open_menu, kMenuStageCleared);
    EXPECT_EQ(g->message_log[0].text, "海、ノルマ達成！！！");
    g->my.game_over = 1; // game over comes first
    choose(g, kMenuStart, "< START >", start_command);
    EXPECT_EQ(g->open_menu, kMenuTimeUp);
    EXPECT_EQ(g->message_log[0].text, "ゲームオーバーです！");
}

TEST(StartCommands, TheNewsIsQueuedLineByLineAndReadOnce)
{
    HomeGame g;
    g->my.news_index = 3;
    choose(g, kMenuStart, "ニュース", start_command);
    EXPECT_EQ(g->my.news_read[3], 1);
    EXPECT_EQ(g->line_queue[0], "あなたのライバルの『ハーミット・ワークス』を憶えていますか？");
    EXPECT_FALSE(g->line_queue[6].empty());
    EXPECT_TRUE(g->line_queue[7].empty()); // entry 3 has seven lines
    EXPECT_EQ(entry_of(*g, "ニュース"), -1);
    EXPECT_EQ(g->open_menu, kMenuStart);
    const std::string trace = g.take_trace();
    EXPECT_TRUE(has_line(trace, "message silver ....ニュースが届いています...."));
    EXPECT_TRUE(has_line(trace, "music universe_for_game.mp3"));

    g->my.stage_clears[5] = 1;
    g->my.stage_clears[6] = 1;
    g->my.stage_clears[12] = 1;
    choose(g, kMenuStart, "クリア", start_command);
    EXPECT_EQ(g.take_trace(),
              "sound lvcap.wav\nmessage silver クリアおめでとう！！　君は世界一のゲームメーカーさ！！！\n");
    choose(g, kMenuStart, "TRUE CLEAR!!", start_command);
    EXPECT_EQ(g->message_log[0].text, "....!?....なんだ、この只ならぬ空気は....!!");
    choose(g, kMenuStart, "LEGEND CLEAR!!", start_command);
    EXPECT_EQ(g->message_log[0].text, "LEGEND CLEAR!! 君こそ、真の宇宙最強のゲームメーカーだ！！");
}

TEST(MakeGame, CostsEnergyHungerAndFatigueAndAddsToTheStock)
{
    HomeGame g;
    at_home(g);
    g->my.genre_known[3] = 1;
    g->my.hunger = 50;
    g->my.fatigue = 10;
    g->my.exp = 0;
    choose(g, kMenuMakeGame, "開発：SLG", make_game_command);
    EXPECT_EQ(g->my.energy, 2);
    EXPECT_EQ(g->my.item_count[3], 1);
    EXPECT_EQ(g->my.exp, 3);
    EXPECT_GE(g->my.hunger, 45);
    EXPECT_LE(g->my.hunger, 47);
    EXPECT_GE(g->my.fatigue, 13);
    EXPECT_LE(g->my.fatigue, 14);
    EXPECT_EQ(g.take_trace(), "message silver カタカタカタカタカタ....よし完成！！！\nsound item_get.wav\n"
                              "message green Item【SLG『おしゃれ舞踏会』】を 1個入手した(所持:1個)\nsound 2.wav\n");
    EXPECT_EQ(g->open_menu, kMenuMakeGame);
    EXPECT_NE(entry_of(*g, "開発：SLG『おしゃれ舞踏会』(1) E-3"), -1); // the new stock shows

    // Refusals change nothing.
    auto refused = [&](int energy, int hunger, int fatigue, const std::string& message) {
        g->my.energy = energy;
        g->my.hunger = hunger;
        g->my.fatigue = fatigue;
        choose(g, kMenuMakeGame, "開発：SLG", make_game_command);
        EXPECT_EQ(g.take_trace(), "message silver " + message + "\n");
        EXPECT_EQ(g->my.energy, energy);
        EXPECT_EQ(g->my.hunger, hunger);
        EXPECT_EQ(g->my.fatigue, fatigue);
        EXPECT_EQ(g->my.item_count[3], 1);
    };
    refused(2, 50, 10, "エナジーが足らない");
    refused(5, 50, 91, "疲れでヘトヘトだ....眠らないと....");
    refused(5, 9, 10, "お腹が減って倒れそうだ....");
}

TEST(MakeGame, ToolsMakeExtraCopiesAndTheMultipliersRaiseTheExperience)
{
    HomeGame g;
    at_home(g);
    for (int tool : {150, 160, 170, 180, 190}) g->my.item_count[static_cast<std::size_t>(tool)] = 1;
    int most = 0;
    int least = 99;
    for (int i = 0; i < 60; ++i) {
        g->my.item_count[1] = 0;
        g->my.energy = 5;
        g->my.hunger = 100;
        g->my.fatigue = 0;
        choose(g, kMenuMakeGame, "開発：ミニゲーム", make_game_command);
        const int copies = g->my.item_count[1];
        most = std::max(most, copies);
        least = std::min(least, copies);
    }
    EXPECT_EQ(least, 1);
    EXPECT_GT(most, 2);
    EXPECT_LE(most, 6);

    // 5 base experience with both multipliers: (5 + 2) x 2.
    g->my.genre_known[5] = 1;
    g->my.item_count[202] = 1;
    g->my.item_count[203] = 1;
    g->my.exp = 0;
    g->my.level = 5;
    g->my.energy = 5;
    choose(g, kMenuMakeGame, "開発：恋愛SLG", make_game_command);
    EXPECT_EQ(g->my.exp, 14);
    EXPECT_EQ(g->my.energy, 0);
}

TEST(StageSelectCommands, AStageStartsAfreshAndBackReturns)
{
    HomeGame g;
    g->my.stage_clears[1] = 1;
    g->my.day = 5;
    g->my.sales = 100;
    g->my.energy = 0;
    g->my.energy_max = 8;
    g->my.hunger = 3;
    g->my.fatigue = 77;
    g->my.shouts_used = 4;
    g->street_figures[17].age = 9;
    choose(g, kMenuStageSelect, "公園", stage_select_command);
    EXPECT_EQ(g->stage, 2);
    EXPECT_EQ(g->my.day, 0);
    EXPECT_EQ(g->my.sales, 0);
    EXPECT_EQ(g->my.energy, 8);
    EXPECT_EQ(g->my.hunger, 100);
    EXPECT_EQ(g->my.fatigue, 0);
    EXPECT_EQ(g->my.shouts_used, 0);
    EXPECT_EQ(g->my.rpg_ammo, 1);
    EXPECT_EQ(g->street_figures[17].age, 0);
    EXPECT_EQ(g->open_menu, kMenuHome);
    const std::string trace = g.take_trace();
    // Never cleared before: the extra line comes first.
    EXPECT_NE(trace.find("message silver ....俺の戦いは終わらない....\nmessage silver 公園をプレイ！！！！！\n"),
              std::string::npos)
        << trace;

    choose(g, kMenuStageSelect, ">Back", stage_select_command);
    EXPECT_EQ(g->open_menu, kMenuStart);

    // A record naming no stage does nothing.
    show_menu(*g, kMenuStageSelect);
    g->menu_buttons[401].command = 13;
    g.take_trace();
    stage_select_command(*g, 401);
    EXPECT_EQ(g.take_trace(), "");
    EXPECT_EQ(g->stage, 2);
}

TEST(StageEnds, TimeUpAndClearRemoveTheStockAndAdvanceTheNews)
{
    HomeGame g;
    at_home(g, 1);
    g->my.item_count[1] = 7;
    g->my.news_index = 2;
    choose(g, kMenuTimeUp, "タイムリミット", time_up_command);
    EXPECT_EQ(g->stage, 0);
    EXPECT_EQ(g->my.item_count[1], 0);
    EXPECT_EQ(g->my.news_index, 2); // entry 3 waits for a clear of stage 1
    EXPECT_EQ(g->open_menu, kMenuStart);

    at_home(g, 1);
    g->on_street = 1;
    g->my.stage_clears[1] = 1;
    choose(g, kMenuStageCleared, "ステージクリア", stage_cleared_command);
    EXPECT_EQ(g->my.news_index, 3);
    EXPECT_EQ(g->on_street, 0);
    EXPECT_EQ(g->line_queue[0], "Congraturation!!!!!!");
    EXPECT_TRUE(has_line(g.take_trace(), "sound clear.wav"));

    // Past the end of the table the story stays where it is.
    g->my.news_index = 99;
    at_home(g, 1);
    choose(g, kMenuTimeUp, "タイムリミット", time_up_command);
    EXPECT_EQ(g->my.news_index, 99);
}

TEST(ShopCommands, EveryPurchasePaysFirstAndReopensTheShop)
{
    HomeGame g;
    at_home(g, 1);
    g->my.level = 10;
    g->my.money = 10000;
    choose(g, kMenuShop, "エナジーPowerUp", shop_command);
    EXPECT_EQ(g->my.energy_max, 6);
    EXPECT_EQ(g->my.money, 8000);
    EXPECT_EQ(g.take_trace(), "message gray 2000円支払った\nsound katan.wav\nsound bp.wav\n"
                              "message silver 【最大エナジー】が+1された！！\nsound 2.wav\n");
    EXPECT_EQ(g->open_menu, kMenuShop);
    EXPECT_NE(entry_of(*g, "エナジーPowerUp2"), -1);

    choose(g, kMenuShop, "宣伝ポスター1", shop_command);
    EXPECT_EQ(g->my.ad_power[1], 1);
    EXPECT_EQ(g->message_log[0].colour_code, 306); // aqua
    choose(g, kMenuShop, "動物と契約", shop_command);
    EXPECT_EQ(g->my.animal_contracts[1], 1);
    EXPECT_EQ(entry_of(*g, "動物と契約"), -1);

    choose(g, kMenuShop, "参考書『ショーてぃんぐ", shop_command);
    EXPECT_EQ(g->my.genre_known[2], 1);
    EXPECT_TRUE(has_line(g.take_trace(),
                         "message yellow 読破！ 新しいゲーム・ショーてぃんぐ『ネビュラ・ゼロ』を造れるようになった！"));
    EXPECT_EQ(entry_of(*g, "参考書『ショーてぃんぐ"), -1);

    const std::int32_t before = g->my.money;
    choose(g, kMenuShop, "メガホン", shop_command);
    EXPECT_EQ(g->my.item_count[100], 1);
    EXPECT_EQ(g->my.money, before - 500);
    EXPECT_EQ(g->message_log[0].text, "声を出す最大回数が +1された！");
    EXPECT_TRUE(has_line(g.take_trace(), "sound skill_up.wav"));
    EXPECT_EQ(entry_of(*g, "メガホン"), -1);
}

TEST(ShopCommands, TheLoanCostsADayAndRefusalsChangeNothing)
{
    HomeGame g;
    at_home(g, 1);
    g->my.money = 0;
    g->my.day = 6;
    choose(g, kMenuShop, "借金", shop_command);
    EXPECT_EQ(g->my.day, 7);
    EXPECT_EQ(g->my.loans, 1);
    EXPECT_EQ(g->my.money, 1000);
    EXPECT_EQ(g.take_trace(), "message gray 0円支払った\nsound katan.wav\n"
                              "message silver 時間1日と引き換えに、借金した → 残り0日\n"
                              "sound coin.wav\nmessage yellow2 お金 1000円を入手\nsound 2.wav\n");

    // Too poor for the megaphone: a greyed entry, and a forced click is refused all the same.
    g->my.money = 499;
    show_menu(*g, kMenuShop);
    const int megaphone = entry_of(*g, "メガホン");
    ASSERT_NE(megaphone, -1);
    EXPECT_EQ(g->menu_buttons[static_cast<std::size_t>(megaphone)].locked, 1);
    g.take_trace();
    shop_command(*g, megaphone);
    EXPECT_EQ(g.take_trace(), "message gray お金が足りません\n");
    EXPECT_EQ(g->my.money, 499);
    EXPECT_EQ(g->my.item_count[100], 0);

    // A record naming an item outside the catalog takes nothing.
    g->menu_buttons[static_cast<std::size_t>(megaphone)].item_id = 5000;
    shop_command(*g, megaphone);
    EXPECT_EQ(g.take_trace(), "");
    EXPECT_EQ(g->my.money, 499);
}

TEST(SharedSteps, MadeGamesRocketsAndNews)
{
    HomeGame g;
    for (int id = 1; id <= 13; ++id) g->my.item_count[static_cast<std::size_t>(id)] = id;
    g->my.item_count[50] = 1;
    clear_made_games(*g);
    for (int id = 1; id <= 13; ++id) EXPECT_EQ(g->my.item_count[static_cast<std::size_t>(id)], 0);
    EXPECT_EQ(g->my.item_count[50], 1);

    refill_rockets(*g);
    EXPECT_EQ(g->my.rpg_ammo, 1);
    g->my.item_count[51] = 1;
    g->my.item_count[52] = 1;
    refill_rockets(*g);
    EXPECT_EQ(g->my.rpg_ammo, 3);

    g->my.news_index = 0;
    advance_news(*g); // entry 1 needs nothing
    EXPECT_EQ(g->my.news_index, 1);
    advance_news(*g);
    advance_news(*g); // entry 3 needs a clear of stage 1
    EXPECT_EQ(g->my.news_index, 2);
}

} // namespace
} // namespace zen
