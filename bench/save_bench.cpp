// The cost of a save, now that the game saves along the way (a cleared or lost stage, each new
// day): the whole atomic write, temporary file, flush to the disk and rename included, and the
// text alone. A frame lasts some 90 ms; a save must stay far below what a player could feel.
#include "app/save_file.h"
#include "core/game_state.h"
#include "home/new_game.h"
#include "test_support.h"

#include <benchmark/benchmark.h>

namespace zen {
namespace {

// A game well into play: large numbers make the longest lines.
void played(Game& game)
{
    new_game(game);
    game.stage = 9;
    game.my.day = 5;
    game.my.money = 123456789;
    game.my.level = 48;
    game.my.sales = 98765;
    for (auto& v : game.my.item_count) v = 123;
    for (auto& v : game.my.stage_clears) v = 3;
}

void BM_SaveGame(benchmark::State& state)
{
    test::TestGame g;
    played(*g);
    for (auto _ : state) {
        if (!save_game(*g)) state.SkipWithError("the save failed");
    }
}
BENCHMARK(BM_SaveGame)->Unit(benchmark::kMicrosecond);

void BM_SaveText(benchmark::State& state)
{
    test::TestGame g;
    played(*g);
    for (auto _ : state) benchmark::DoNotOptimize(save_text(*g));
}
BENCHMARK(BM_SaveText)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace zen
