// Frame cost, measured against the yardstick BM_PlainCopy (one plain copy of an 800 x 600 frame)
// in the same run: report ratios, not milliseconds alone.
#include "app/frame_tick.h"
#include "app/startup.h"
#include "core/game_state.h"
#include "render/message_log.h"
#include "render/picture_store.h"
#include "test_support.h"

#include <benchmark/benchmark.h>

namespace zen {
namespace {

void BM_PlainCopy(benchmark::State& state)
{
    Canvas from;
    Canvas to;
    from.resize(800, 600);
    to.resize(800, 600);
    from.fill(0x336699);
    for (auto _ : state) {
        to.copy_rect(0, 0, from, 0, 0, 800, 600);
        benchmark::DoNotOptimize(to.pixels());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PlainCopy);

void BM_FrameStartScreen(benchmark::State& state)
{
    test::TestGame g;
    start_up(*g.game);
    for (auto _ : state) {
        frame_step(*g.game);
        benchmark::DoNotOptimize(g.game->cg.pixels());
    }
}
BENCHMARK(BM_FrameStartScreen);

// The start menu as a player sees it: the picture, the message log, the effects pass and the overlay.
void BM_FrameComposed(benchmark::State& state)
{
    test::TestGame g;
    Game& game = *g.game;
    start_up(game);
    game.title_step = 0;
    show_picture(game, "start.jpg");
    for (int i = 0; i < 5; ++i) post_silver(game, "創作者達の戦いが動き出した....");
    for (auto _ : state) {
        frame_step(game);
        benchmark::DoNotOptimize(game.cg.pixels());
    }
}
BENCHMARK(BM_FrameComposed);

} // namespace
} // namespace zen
