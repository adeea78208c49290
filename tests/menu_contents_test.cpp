#include "home/menu_contents.h"

#include "app/input.h"
#include "core/game_state.h"
#include "home/new_game.h"
#include "rules/prices.h"
#include "test_support.h"
#include "ui/menu_buttons.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zen {
namespace {

using test::HomeGame;
using Captions = std::vector<std::string>;

// The captions of the buttons on screen, top to bottom.
Captions shown(const Game& game)
{
    Captions out;
    for (const tmenu& b : game.menu_buttons)
        if (b.visible == 1) out.push_back(b.caption);
    return out;
}

const tmenu* button(const Game& game, const std::string& caption)
{
    for (const tmenu& b : game.menu_buttons)
        if (b.visible == 1 && b.caption == caption) return &b;
    return nullptr;
}

bool greyed(const Game& game, const std::string& caption)
{
    const tmenu* b = button(game, caption);
    return b && b->locked >= 1;
}

TEST(StartMenu, NewGameAndNewsAtFirstThenStartAndTheClears)
{
    HomeGame g;
    show_menu(*g, kMenuStart);
    EXPECT_EQ(shown(*g), (Captions{"<< NEW GAME >>", "ニュース　　"}));
    EXPECT_EQ(button(*g, "ニュース　　")->icon, "mail.bmp");

    g->my.story_flag[0] = 1;
    g->my.news_read[0] = 1;
    show_menu(*g, kMenuStart);
    EXPECT_EQ(shown(*g), (Captions{"< START >"}));

    g->my.stage_clears[5] = 1;
    g->my.stage_clears[6] = 2;
    g->my.stage_clears[12] = 1;
    g->my.news_index = 3; // unread
    show_menu(*g, kMenuStart);
    EXPECT_EQ(shown(*g), (Captions{"< START >", "クリア", "TRUE CLEAR!!", "LEGEND CLEAR!!", "ニュース　　"}));

    // An entry with no text (past the story), or an index out of the table: no news.
    for (int index : {17, 99, 100, -1}) {
        g->my.news_index = index;
        show_menu(*g, kMenuStart);
        EXPECT_EQ(shown(*g).size(), 4u) << index;
    }
}

TEST(HomeMenu, EatAndSleepGreyOutAndThePriceFollowsTheStage)
{
    HomeGame g;
    g->stage = 3;
    g->my.hunger = 90;
    g->my.fatigue = 24;
    show_menu(*g, kMenuHome);
    EXPECT_EQ(shown(*g), (Captions{"ゲームを造る", ">> 売り場へ!! <<", "ご飯を食べる \\300", "寝る", ">お店へ",
                                   "OPTION", "×このステージを断念"}));
    EXPECT_EQ(button(*g, "ご飯を食べる \\300")->param, 300);
    EXPECT_TRUE(greyed(*g, "ご飯を食べる \\300"));
    EXPECT_TRUE(greyed(*g, "寝る"));
    EXPECT_FALSE(greyed(*g, "ゲームを造る"));

    g->my.hunger = 89;
    g->my.fatigue = 25;
    show_menu(*g, kMenuHome);
    EXPECT_FALSE(greyed(*g, "ご飯を食べる \\300"));
    EXPECT_FALSE(greyed(*g, "寝る"));
    g->my.day = 7; // the last day
    show_menu(*g, kMenuHome);
    EXPECT_TRUE(greyed(*g, "寝る"));
}

TEST(MakeGameMenu, ListsKnownGenresWithStockAndCostAndForgetsThemAfterAReset)
{
    HomeGame g;
    show_menu(*g, kMenuMakeGame);
    EXPECT_EQ(shown(*g), (Captions{"開発：ミニゲーム『ころりんぱ』(0) E-1"})); // genre 1 is always known

    g->my.genre_known[3] = 1;
    g->my.genre_known[13] = 1;
    g->my.item_count[3] = 4;
    show_menu(*g, kMenuMakeGame);
    EXPECT_EQ(shown(*g), (Captions{"開発：ミニゲーム『ころりんぱ』(0) E-1", "開発：SLG『おしゃれ舞踏会』(4) E-3",
                                   "開発：魔のゲーム『ＺＸＱ』(0) E-13"}));
    const tmenu* slg = button(*g, "開発：SLG『おしゃれ舞踏会』(4) E-3");
    EXPECT_EQ(slg->param, 3);
    EXPECT_EQ(slg->param2, 3);
    EXPECT_EQ(slg->icon, "game04.bmp");
    EXPECT_EQ(slg->right_align, 1);
    EXPECT_EQ(slg->width, 400);
    EXPECT_EQ(g->back_menu, kMenuHome);

    new_game(*g);
    show_menu(*g, kMenuMakeGame);
    EXPECT_EQ(shown(*g), (Captions{"開発：ミニゲーム『ころりんぱ』(0) E-1"}));
    EXPECT_EQ(g->menu_buttons[301].param, 0);
}

TEST(StageSelect, LockedStagesReadQuestionMarksAndTheSecondCycleWaitsForStageSix)
{
    HomeGame g;
    show_menu(*g, kMenuStageSelect);
    EXPECT_EQ(shown(*g),
              (Captions{"家の前の道路 ノルマ：2000円 クリア：0", "????", "????", "????", "????", "????", ">Back"}));
    EXPECT_TRUE(greyed(*g, "????"));
    EXPECT_EQ(g->menu_buttons[401].command, 1);
    EXPECT_EQ(g->menu_buttons[499].command, -1);

    for (int s = 1; s <= 6; ++s) g->my.stage_clears[static_cast<std::size_t>(s)] = 1;
    g->my.stage_clears[2] = 3;
    show_menu(*g, kMenuStageSelect);
    Captions c = shown(*g);
    ASSERT_EQ(c.size(), 13u);
    EXPECT_EQ(c[1], "公園 ノルマ：3000円 クリア：3");
    EXPECT_EQ(c[6], "家の前の道路ｱﾅｻﾞｰ ノルマ：4500円 クリア：0");
    EXPECT_EQ(c[7], "????");
    EXPECT_EQ(c[12], ">Back");
    EXPECT_FALSE(g->menu_buttons[406].locked);
    EXPECT_EQ(g->menu_buttons[408].locked, 1);

    // A new game: the later stages are gone from the list again.
    new_game(*g);
    show_menu(*g, kMenuStageSelect);
    EXPECT_EQ(shown(*g).size(), 7u);
}

TEST(SalesFloorMenu, TheLauncherAddsAThirdNarrowerRow)
{
    HomeGame g;
    g->stage = 1;
    g->my.shouts_used = 0;
    show_menu(*g, kMenuSalesFloor);
    EXPECT_EQ(shown(*g), (Captions{">> 自宅へ！ <<", "声を出す 残:1"}));
    EXPECT_EQ(g->menu_buttons[501].height, 45);
    EXPECT_EQ(g->menu_buttons[501].y, 54);
    EXPECT_EQ(g->back_menu, 0);

    g->my.item_count[50] = 1;
    g->my.item_count[100] = 1;
    g->my.rpg_ammo = 0;
    show_menu(*g, kMenuSalesFloor);
    EXPECT_EQ(shown(*g), (Captions{">> 自宅へ！ <<", "声を出す 残:2", "RPGを撃つ 残:0"}));
    EXPECT_EQ(g->menu_buttons[502].height, 40);
    EXPECT_EQ(g->menu_buttons[502].y, 10 + 39 * 2);
    EXPECT_TRUE(greyed(*g, "RPGを撃つ 残:0"));
    EXPECT_FALSE(greyed(*g, "声を出す 残:2"));

    // Hoarse, tired or hungry: the shout greys out.
    for (auto [used, fatigue, hunger] : {std::tuple{2, 0, 100}, {0, 80, 100}, {0, 0, 10}}) {
        g->my.shouts_used = used;
        g->my.fatigue = fatigue;
        g->my.hunger = hunger;
        show_menu(*g, kMenuSalesFloor);
        EXPECT_EQ(g->menu_buttons[501].locked, 1) << used << " " << fatigue << " " << hunger;
    }
}

TEST(OtherMenus, FixedEntriesAndTheirWaysBack)
{
    // Each fixed menu shows its entries; a right click leads back from the questions and the
    // options (the sound settings back to the options), never away from the screens that end a
    // night or a stage; and every caption fits its button at the largest size.
    HomeGame g;
    struct Fixed {
        MenuKey key;
        Captions captions;
        MenuKey right_click_leads_to;
    };
    const Fixed menus[] = {
        {kMenuAbandon, {"はい", "いいえ"}, kMenuHome},
        {kMenuOptions,
         {"エナジーの回復率について", "寝るコマンドについて", "SOUND", "クレジット", "Play in English",
          "裏にいる間も続ける", "全画面で遊ぶ", "用简体中文游玩", "한국어로 플레이", "Jugar en español",
          "Auf Deutsch spielen", "その他の言語"},
         kMenuHome},
        {kMenuLanguages,
         {"Play in English", "用简体中文游玩", "한국어로 플레이", "Jugar en español", "Auf Deutsch spielen",
          "用繁體中文遊玩", "Jouer en français", "Jogar em português", "Играть на русском", "Gioca in italiano"},
         kMenuOptions},
        {kMenuSound, {"音量を下げる", "音量を上げる"}, kMenuOptions},
        {kMenuWakeUp, {"起床"}, kMenuWakeUp},
        {kMenuTimeUp, {"タイムリミット！！"}, kMenuTimeUp},
        {kMenuStageCleared, {"ステージクリア!"}, kMenuStageCleared},
    };
    g->title_step = kTitleDone;
    for (const Fixed& m : menus) {
        show_menu(*g, m.key);
        EXPECT_EQ(shown(*g), m.captions) << m.key;
        for (const std::string& caption : m.captions) {
            const tmenu* b = button(*g, caption);
            ASSERT_NE(b, nullptr) << caption;
            EXPECT_LT(g->cg.text_extent(b->caption, Font{12, true}).width, b->width) << caption;
        }
        on_mouse_down(*g, 10, 590, MouseButton::right);
        EXPECT_EQ(g->open_menu, m.right_click_leads_to) << m.key;
    }
}

// The shop of a stage with the player's level and money.
Captions shop(Game& game, int stage, int level, int money)
{
    game.stage = stage;
    game.my.level = level;
    game.my.money = money;
    show_menu(game, kMenuShop);
    return shown(game);
}

TEST(ShopMenu, PricesLevelsAndLocksOnAFirstVisit)
{
    HomeGame g;
    EXPECT_EQ(shop(*g, 1, 0, 0),
              (Captions{"宣伝ポスター1 (必要Lv2) \\200", "エナジーPowerUp1 \\2000", "動物と契約 (必要Lv2) \\800",
                        "メガホン \\500", "参考書『ショーてぃんぐの作り方』 \\500", "借金(\\1000) -1日"}));
    EXPECT_TRUE(greyed(*g, "宣伝ポスター1 (必要Lv2) \\200")); // level and money
    EXPECT_TRUE(greyed(*g, "メガホン \\500"));                // money
    EXPECT_FALSE(greyed(*g, "借金(\\1000) -1日"));
    EXPECT_EQ(g->back_menu, kMenuHome);
    const tmenu* megaphone = button(*g, "メガホン \\500");
    EXPECT_EQ(megaphone->item_id, 100);
    EXPECT_EQ(megaphone->hint, "声を出す最大回数が +1");
    EXPECT_EQ(megaphone->command, 5);

    // Level 2 and enough money: the poster is open, the contract still too dear.
    shop(*g, 1, 2, 600);
    EXPECT_FALSE(greyed(*g, "宣伝ポスター1 (必要Lv2) \\200"));
    EXPECT_TRUE(greyed(*g, "動物と契約 (必要Lv2) \\800"));
    EXPECT_EQ(button(*g, "借金(\\1000) -1日"), nullptr); // 500 yen or more: no loan
    // The third loan was the last.
    g->my.loans = 3;
    shop(*g, 1, 0, 0);
    EXPECT_EQ(button(*g, "借金(\\1000) -1日"), nullptr);
    g->my.loans = 2;
    shop(*g, 1, 0, 499);
    EXPECT_NE(button(*g, "借金(\\1000) -1日"), nullptr);
}

TEST(ShopMenu, BoughtAndLearntEntriesVanishAndPricesGrow)
{
    HomeGame g;
    g->my.item_count[100] = 1;
    g->my.genre_known[2] = 1;
    g->my.ad_power[1] = 2;
    g->my.animal_contracts[1] = 1;
    g->my.energy_max = 7;
    EXPECT_EQ(shop(*g, 1, 0, 99999), (Captions{"宣伝ポスター3 (必要Lv6) \\600", "エナジーPowerUp3 (必要Lv12) \\6000"}));
    g->my.ad_power[1] = 8; // eight posters at most
    EXPECT_EQ(shop(*g, 1, 0, 99999), (Captions{"エナジーPowerUp3 (必要Lv12) \\6000"}));
    // A second-cycle contract costs double.
    EXPECT_EQ(shop(*g, 7, 0, 99999)[2], "動物と契約 (必要Lv14) \\5200");
    // A game saved before it was ever started has no energy: its next point costs nothing, never
    // less; at the far end of what the save keeps the price stops at the largest number.
    g->my.energy_max = 0;
    EXPECT_EQ(shop(*g, 1, 0, 99999)[0], "エナジーPowerUp-4");
    EXPECT_EQ(energy_upgrade_price(*g), 0);
    g->my.energy_max = 999999999;
    EXPECT_EQ(energy_upgrade_price(*g), 2147483647);
}

TEST(ShopMenu, TwelveEntriesAtMostAndBooksNeverLostBehindItems)
{
    HomeGame g;
    // Stage 12 with a high level and nothing held: every item reaches the shop, the first of
    // each line is offered, the later ones wait for their prerequisite.
    Captions c = shop(*g, 12, 99, 999999);
    ASSERT_EQ(c.size(), 12u);
    EXPECT_EQ(c[0], "宣伝ポスター1 (必要Lv24) \\200");
    EXPECT_EQ(c[2], "動物と契約 (必要Lv24) \\8200");
    EXPECT_EQ(c[3], "ＲＰＧランチャー \\5000");
    EXPECT_EQ(c[7], "堅いビー玉 \\600");
    // More than 22 items: the books keep their own records, after the first 22 items.
    EXPECT_EQ(c[8], "参考書『ショーてぃんぐの作り方』 \\500");
    EXPECT_EQ(c[11], "参考書『恋愛ゲーム作り方』 \\3000");

    // Every item held: the books come up, none hidden by the id of an item once placed there.
    for (int id = 50; id <= 203; ++id)
        if (g->item_table.at(id).kind == kKindShopItem) g->my.item_count[static_cast<std::size_t>(id)] = 1;
    c = shop(*g, 12, 99, 999999);
    ASSERT_EQ(c.size(), 12u);
    EXPECT_EQ(c[3], "参考書『ショーてぃんぐの作り方』 \\500");
    EXPECT_EQ(c[11], "参考書『ダンジョンゲームの作り方』 \\12000");

    // An item that comes after the first 22 is not lost behind the books: with the launcher,
    // voice and sleep lines held, the first drive is the 26th eligible item, and it is offered.
    for (int id = 50; id <= 203; ++id) g->my.item_count[static_cast<std::size_t>(id)] = 0;
    for (int id : {50, 51, 52, 100, 101, 102, 103, 104, 105, 110, 111, 112, 113, 114})
        g->my.item_count[static_cast<std::size_t>(id)] = 1;
    for (int genre = 2; genre <= 13; ++genre) g->my.genre_known[static_cast<std::size_t>(genre)] = 1;
    c = shop(*g, 12, 99, 999999);
    EXPECT_EQ(c, (Captions{"宣伝ポスター1 (必要Lv24) \\200", "エナジーPowerUp1 \\2000", "動物と契約 (必要Lv24) \\8200",
                           "お箸 \\400", "堅いビー玉 \\600", "積み木 \\400", "5インチドライブ \\900",
                           "時代の風 \\10000", "能力再起 \\20000", "夢 \\30000"}));
}

} // namespace
} // namespace zen
