#include "street/animal_helpers.h"

#include "content/stages.h"
#include "core/game_state.h"
#include "street/sales_floor.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <array>

namespace zen {
namespace {

using test::StreetGame;

// Street ticks until the area's animal has been sent; the ticks it took, or -1 within `limit`.
int ticks_until_sent(StreetGame& g, int limit)
{
    for (int i = 1; i <= limit; ++i) {
        g.ticks(1);
        if (g->my.animal_came == 1) return i;
    }
    return -1;
}

int animals_on_street(const Game& game)
{
    int n = 0;
    for (const tman& f : game.street_figures) n += f.age >= 1 && f.role == kRoleAnimal;
    return n;
}

TEST(AnimalArrival, OnceBetweenTwoNightsAndOnlyWithAContract)
{
    StreetGame g(8);
    g->map_table.edit(8)->customer_slots = {};
    // A contract elsewhere brings nobody here.
    g->my.animal_contracts[2] = 1;
    EXPECT_EQ(ticks_until_sent(g, 3000), -1);
    EXPECT_EQ(animals_on_street(*g), 0);

    g->my.animal_contracts[8] = 1;
    const int waited = ticks_until_sent(g, 3000);
    EXPECT_GT(waited, 0);
    EXPECT_EQ(g.live(111), 1); // 野良猫番長 of the second cycle's park
    // Walks up to the player, helps, and is gone; no second visit until the player sleeps,
    // not in this stage, not in the next.
    g.ticks(600);
    EXPECT_EQ(animals_on_street(*g), 0);
    EXPECT_EQ(g->my.animal_came, 1);
    g->stage = 9;
    g->my.animal_contracts[9] = 1;
    g.ticks(3000);
    EXPECT_EQ(animals_on_street(*g), 0);
    g->my.animal_came = 0; // a night's sleep
    EXPECT_GT(ticks_until_sent(g, 3000), 0);
    EXPECT_EQ(g.live(112), 1);

    // A held slot where the cursor points: no animal this time, yet the visit is used up.
    g->street_figures.fill(tman{});
    g->my.animal_came = 0;
    for (tman& f : g->street_figures) f.age = 1;
    EXPECT_GT(ticks_until_sent(g, 3000), 0);
    EXPECT_EQ(g.live(112), 0);
    g.ticks(2000);
    EXPECT_EQ(g->my.animal_came, 1);
}

TEST(AnimalVisit, AtThePlayersPlaceItRestoresVoiceOrEnergy)
{
    StreetGame g(1);
    g->map_table.edit(1)->customer_slots = {};
    ASSERT_TRUE(spawn_figure(*g, 100, 0, 0));
    tman& rabbit = g->street_figures[static_cast<std::size_t>(g->spawn_cursor)];
    const int speed = rabbit.speed;
    g->my.shouts_used = 3;
    g->my.energy = 0;
    int guard = 0;
    while (rabbit.state == 0 && ++guard < 300) g.ticks(1);
    EXPECT_EQ(rabbit.x, 383);
    EXPECT_EQ(rabbit.y, 391);
    EXPECT_EQ(rabbit.speed, 2 * speed);
    EXPECT_EQ(rabbit.target_x, rabbit.exit_x);
    EXPECT_TRUE(g->my.shouts_used == 0 || g->my.energy == g->my.energy_max);
    EXPECT_EQ(g->open_menu, kMenuSalesFloor);

    // Both outcomes, about as often, each with its own lines, even when nothing was missing.
    int voice = 0;
    int energy = 0;
    for (int i = 0; i < 200; ++i) {
        g->my.shouts_used = 0;
        g->my.energy = g->my.energy_max;
        g.take_trace();
        animal_visit(*g, g->spawn_cursor);
        const std::string trace = g.take_trace();
        const auto cursor = static_cast<std::size_t>(g->effects.fx_cursor);
        const std::string floating = g->effects.fx_text[cursor];
        EXPECT_EQ(g->effects.fx_kind[cursor], FxKind::animal_text);
        EXPECT_EQ(g->effects.fx_kind[(cursor + 99) % 100], FxKind::animal_wave);
        EXPECT_EQ(g->effects.fx_y[cursor], rabbit.y - rabbit.height);
        if (floating == "喉が回復!") {
            ++voice;
            EXPECT_NE(trace.find("sound taberu.wav\nsound kaifuku.wav\n"
                                 "message aqua 空き缶うさぎ『まあ、ジュースでも飲んでがんばれや！』\n"
                                 "message aqua 咽が回復しました!\n"),
                      std::string::npos)
                << trace;
        } else {
            ++energy;
            EXPECT_EQ(floating, "エナジーが回復!");
            EXPECT_NE(trace.find("message aqua 空き缶うさぎ『特別ジュース持ってきたで！』\n"
                                 "message aqua エナジーが回復しました!\n"),
                      std::string::npos)
                << trace;
        }
        EXPECT_NE(trace.find("sound 2.wav\n"), std::string::npos); // the street menu, rebuilt
    }
    EXPECT_NEAR(voice, 100, 25);
    EXPECT_EQ(voice + energy, 200);

    // The outcomes themselves.
    for (int i = 0; i < 20; ++i) {
        g->my.shouts_used = 4;
        g->my.energy = 1;
        animal_visit(*g, g->spawn_cursor);
        const bool restored_voice = g->my.shouts_used == 0 && g->my.energy == 1;
        const bool restored_energy = g->my.shouts_used == 4 && g->my.energy == g->my.energy_max;
        EXPECT_TRUE(restored_voice != restored_energy);
    }

    // Some other figure by the table says nothing and helps with nothing.
    rabbit.name = zen::Text::man_200;
    g->my.shouts_used = 4;
    g->my.energy = 1;
    g.take_trace();
    animal_visit(*g, g->spawn_cursor);
    animal_visit(*g, 256);
    animal_visit(*g, -1);
    EXPECT_EQ(g.take_trace(), "");
    EXPECT_EQ(g->my.shouts_used, 4);
    EXPECT_EQ(g->my.energy, 1);
    EXPECT_EQ(g->effects.fx_kind[static_cast<std::size_t>(g->effects.fx_cursor)], FxKind::animal_wave);
}

TEST(AnimalVisit, EveryAreaHasItsAnimalWithItsOwnLines)
{
    const char* voice_lines[] = {
        "空き缶うさぎ『まあ、ジュースでも飲んでがんばれや！』",
        "野良猫番長『よおやってるかい？　水でも飲みな！』",
        "小鳥『おやおや、がんばっているね。これを飲みなさい』",
        "たこ『僕のスミを飲んでがんばって！』",
        "わんゴロ『コーラを飲んでがんばるだワン』",
        "るっクマ『ここが正念場だよ！水分を取ってがんばってね♪』",
    };
    const char* energy_lines[] = {
        "空き缶うさぎ『特別ジュース持ってきたで！』",
        "野良猫番長『せいがでるなあ！！　ファイトじゃあ！』",
        "小鳥『私が怖いのかね？　気にせず頑張るのです』",
        "たこ『僕の脚をお食べ！！』",
        "わんゴロ『わしも応援しとるだワン』",
        "るっクマ『フレーフレー！！エナジーをあげるよ☆』",
    };
    for (int stage = 1; stage <= 12; ++stage) {
        StreetGame g(stage);
        const int id = home_template(*g, kRoleAnimal, stage);
        ASSERT_NE(id, 0);
        ASSERT_TRUE(spawn_figure(*g, id, 0, 0));
        std::string heard;
        for (int i = 0; i < 30; ++i) {
            g.take_trace();
            animal_visit(*g, g->spawn_cursor);
            heard += g.take_trace();
        }
        // The octopus and the dog swap their areas in the second cycle.
        const int area = std::array{0, 1, 2, 3, 4, 5, 0, 1, 2, 4, 3, 5}[static_cast<std::size_t>(stage - 1)];
        EXPECT_NE(heard.find(voice_lines[area]), std::string::npos) << stage;
        EXPECT_NE(heard.find(energy_lines[area]), std::string::npos) << stage;
    }
}

} // namespace
} // namespace zen
