// Whole frames on the street, read against BM_PlainCopy in the same run.
#include "app/frame_tick.h"
#include "app/input.h"
#include "app/startup.h"
#include "core/game_state.h"
#include "core/settings.h"
#include "core/texts.h"
#include "render/message_log.h"
#include "render/picture_store.h"
#include "street/sales_floor.h"
#include "test_support.h"
#include "ui/menu_buttons.h"

#include <benchmark/benchmark.h>

namespace zen {
namespace {

void frames(Game& game, int n)
{
    for (int i = 0; i < n; ++i) frame_step(game);
}

// A click where a player would click, then the frames until the next one.
void click_at(Game& game, int x, int y, bool right = false)
{
    click(game, x, y, right);
    frames(game, 10);
}

int live(const Game& game, int role)
{
    int n = 0;
    for (const tman& f : game.street_figures) n += f.age >= 1 && f.role == role;
    return n;
}

// The park reached by playing: the title, a new game, stage 2 (its first stage cleared once),
// five copies of the first genre, out to the sales floor, and on until a robot dog is on the street
// among the customers; in Japanese, and again in English.
void street_typical_frames(benchmark::State& state, Lang lang)
{
    test::TestGame g;
    Game& game = *g.game;
    speak(game, lang);
    start_up(game);
    click_at(game, 400, 300);
    click_at(game, 400, 300);
    click_at(game, 700, 30); // << NEW GAME >>
    game.my.stage_clears[1] = 1;
    show_menu(game, kMenuStageSelect);
    frames(game, 10);
    click_at(game, 600, 76); // the park
    click_at(game, 700, 30); // make a game
    for (int i = 0; i < 5; ++i) click_at(game, 600, 30);
    click_at(game, 600, 30, true);
    click_at(game, 700, 76); // out to the street
    if (game.on_street != 1 || game.stage != 2) state.SkipWithError("the park's street was not reached");
    // The stock is kept up while waiting, as in the measured frames: sold out, no hazard comes.
    for (int i = 0; i < 2000 && (live(game, kRoleHazard) < 1 || live(game, kRoleCustomer) < 3); ++i) {
        game.my.item_count[1] = 5;
        frame_step(game);
    }
    if (live(game, kRoleHazard) < 1) state.SkipWithError("no hazard came");

    double figures = 0;
    for (auto _ : state) {
        // The stage goes on: games in stock, the quota and the last day still ahead.
        game.my.item_count[1] = 5;
        game.my.sales = 0;
        game.my.day = 3;
        figures += live(game, kRoleCustomer) + live(game, kRoleHazard);
        frame_step(game);
        benchmark::DoNotOptimize(game.cg.pixels());
    }
    state.counters["figures"] = benchmark::Counter(figures, benchmark::Counter::kAvgIterations);
}
void BM_FrameStreetTypical(benchmark::State& state) { street_typical_frames(state, Lang::ja); }
BENCHMARK(BM_FrameStreetTypical);
void BM_FrameStreetTypicalEnglish(benchmark::State& state) { street_typical_frames(state, Lang::en); }
BENCHMARK(BM_FrameStreetTypicalEnglish);

// Every free slot filled again: every hazard kind, every customer kind and an animal, all on the screen.
void fill_street(Game& game)
{
    static constexpr int kKinds[] = {200, 201, 202, 203, 204, 205, 206, 207, 210, 211, 212,
                                     213, 214, 1,   2,   3,   4,   5,   6,   7,   100};
    for (int s = 0; s < kStreetSlots; ++s) {
        if (game.street_figures[static_cast<std::size_t>(s)].age >= 1) continue;
        game.spawn_cursor = s - 1;
        const int kind = kKinds[static_cast<std::size_t>(s) % std::size(kKinds)];
        const int x = 40 + (s * 37) % 720;
        const int y = 120 + (s * 53) % 270;
        if (!spawn_figure(game, kind, x, y)) continue;
        tman& f = game.street_figures[static_cast<std::size_t>(s)];
        f.x = x;
        f.y = y;
    }
}

// The heaviest street: all 256 slots live, thirteen genres piled twenty high, a full log and panel.
void BM_FrameStreetWorst(benchmark::State& state)
{
    test::TestGame g;
    Game& game = *g.game;
    start_up(game);
    game.title_step = kTitleDone;
    game.stage = 12;
    game.on_street = 1;
    game.my.energy = 3;
    game.my.energy_max = 20;
    show_picture(game, game.map_table.at(12).picture);
    show_menu(game, kMenuSalesFloor);
    for (int i = 0; i < 21; ++i)
        post_message(game, i % 2 ? "スマホゲーム『じいさんと湖』購入 +\\2500" : "お金 2500円を入手",
                     i % 3 ? Ink::silver : Ink::yellow2);
    double figures = 0;
    for (auto _ : state) {
        for (int id = 1; id <= 13; ++id) game.my.item_count[static_cast<std::size_t>(id)] = 20;
        game.my.sales = 0;
        game.my.day = 3;
        game.my.fatigue = 50;
        fill_street(game);
        figures += live(game, kRoleCustomer) + live(game, kRoleAnimal) + live(game, kRoleHazard);
        frame_step(game);
        benchmark::DoNotOptimize(game.cg.pixels());
    }
    state.counters["figures"] = benchmark::Counter(figures, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_FrameStreetWorst);

} // namespace
} // namespace zen
