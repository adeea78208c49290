// A home frame with the shop open, read against BM_PlainCopy in the same run.
#include "app/frame_tick.h"
#include "app/startup.h"
#include "core/game_state.h"
#include "core/settings.h"
#include "core/texts.h"
#include "render/message_log.h"
#include "render/picture_store.h"
#include "test_support.h"
#include "ui/menu_buttons.h"

#include <benchmark/benchmark.h>

namespace zen {
namespace {

// The shop of the last stage with twelve entries, the pointer on one with a hint, a full log and
// the status panel: the busiest menu screen at home; in Japanese, and again in English.
void home_menu_frames(benchmark::State& state, Lang lang)
{
    test::TestGame g;
    Game& game = *g.game;
    speak(game, lang);
    start_up(game);
    game.title_step = kTitleDone;
    game.stage = 12;
    game.my.level = 40;
    game.my.money = 123456;
    game.my.energy = 12;
    game.my.energy_max = 20;
    game.my.hunger = 70;
    game.my.fatigue = 35;
    show_picture(game, "pc.jpg");
    for (int i = 0; i < 21; ++i)
        post_message(game, i % 2 ? tr(game, Text::ask_buy) : tr(game, Text::money_gained, {{"amount", "1200"}}),
                     i % 3 ? Ink::silver : Ink::yellow2);
    show_menu(game, kMenuShop);
    int shown = 0;
    for (const tmenu& b : game.menu_buttons) shown += b.visible;
    if (shown != 12) state.SkipWithError("the shop does not show twelve entries");
    game.mouse_x = 640;
    game.mouse_y = 10 + 44 * 4 + 20;               // the fifth entry, an item with its description as hint
    for (int i = 0; i < 12; ++i) frame_step(game); // the buttons slide in
    if (game.hovered_button == 0 || game.menu_buttons[static_cast<std::size_t>(game.hovered_button)].hint.empty())
        state.SkipWithError("no hovered entry with a hint");
    for (auto _ : state) {
        frame_step(game);
        benchmark::DoNotOptimize(game.cg.pixels());
    }
}
void BM_FrameHomeMenu(benchmark::State& state) { home_menu_frames(state, Lang::ja); }
BENCHMARK(BM_FrameHomeMenu);
void BM_FrameHomeMenuEnglish(benchmark::State& state) { home_menu_frames(state, Lang::en); }
BENCHMARK(BM_FrameHomeMenuEnglish);

} // namespace
} // namespace zen
