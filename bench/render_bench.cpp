// Frame cost of the presentation on the street: read against BM_PlainCopy in the same run.
#include "app/frame_tick.h"
#include "app/startup.h"
#include "core/game_state.h"
#include "render/effects.h"
#include "render/message_log.h"
#include "render/picture_store.h"
#include "render/status_panel.h"
#include "test_support.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace zen {
namespace {

// A stage in progress on the sales floor, with a full log.
void set_up_street(Game& game)
{
    start_up(game);
    game.title_step = 0;
    game.stage = 1;
    game.open_menu = 12;
    game.on_street = 1;
    game.my.day = 3;
    game.my.hour = 15;
    game.my.minute = 20;
    game.my.energy = 40;
    game.my.energy_max = 80;
    game.my.regen_acc = 250;
    game.my.hunger = 25;
    game.my.fatigue = 65;
    game.my.sales = 12000;
    game.my.level = 4;
    game.my.exp = 70;
    game.my.money = 54321;
    game.my.ad_power[1] = 5;
    show_picture(game, game.map_table.at(1).picture);
    const char* lines[] = {"いらっしゃいませ！", "シューティングゲームが売れた！ +1200円", "お客さんが増えてきた",
                           "ロボット犬が現れた！", "宣伝力が上がった"};
    for (int i = 0; i < 21; ++i) post_message(game, lines[i % 5], i % 3 == 0 ? Ink::yellow2 : Ink::silver);
}

// The frame as the game composes it on the street: background, figures, panel, effects, overlay.
void street_frame(Game& game, const std::vector<int>& sprites)
{
    game.frame_no = (game.frame_no + 1) % 1000;
    game.bak.fill(0);
    show_composed(game);
    for (std::size_t i = 0; i < sprites.size(); ++i) {
        const Canvas& sprite = game.char_bitmaps[static_cast<std::size_t>(sprites[i])];
        const int x = static_cast<int>(i * 25 % 760);
        const int y = 200 + static_cast<int>(i * 37 % 180);
        if (i % 3 == 0) {
            // Walking the other way: mirrored, and a little larger nearer the table.
            const int w = sprite.width() * 11 / 10;
            const int h = sprite.height() * 11 / 10;
            game.cg.stretch_draw(sprite, x + w, y, x, y + h);
        } else {
            game.cg.draw(sprite, x, y);
        }
    }
    status_panel(game, game.cg);
    status_panel_level(game, game.cg);
    effects_pass(game, game.cg, game.bak);
    game.cg.take_overlay(game.bak);
}

std::vector<int> street_sprites(const Game& game)
{
    std::vector<int> ids;
    for (int round = 0; ids.size() < 30 && round < 30; ++round)
        for (int id = 1; id < kCharBitmaps && ids.size() < 30; ++id)
            if (!game.char_bitmaps[static_cast<std::size_t>(id)].empty()) ids.push_back(id);
    return ids;
}

int live(const Game& game, FxKind kind)
{
    int n = 0;
    for (int s = 0; s < EffectsRing::kSlots; ++s)
        if (game.effects.fx_age[static_cast<std::size_t>(s)] >= 1 &&
            game.effects.fx_kind[static_cast<std::size_t>(s)] == kind)
            ++n;
    return n;
}

// A typical street moment: 30 figures, 10 floating texts, 2 smoke clouds, a red burst, the log and
// the panel. Ended effects are posted again one a frame, so their ages spread out.
void BM_FrameTypical(benchmark::State& state)
{
    test::TestGame g;
    Game& game = *g.game;
    set_up_street(game);
    const std::vector<int> sprites = street_sprites(game);
    int n = 0;
    for (auto _ : state) {
        ++n;
        if (live(game, FxKind::text) < 10) add_effect(game, 100 + (n * 70) % 600, 300, FxKind::text, "+1200円");
        if (live(game, FxKind::smoke) < 2) add_effect(game, 200 + (n * 90) % 400, 320, FxKind::smoke, "");
        if (live(game, FxKind::red_burst) < 1) add_effect(game, 450, 260, FxKind::red_burst, "");
        street_frame(game, sprites);
        benchmark::DoNotOptimize(game.cg.pixels());
    }
    state.counters["sprites"] = static_cast<double>(sprites.size());
}
BENCHMARK(BM_FrameTypical);

// The heaviest moment the game makes: an RPG shot over five hazards (fire, smoke and a reward text
// for each, a shake and the large explosion), a level-up bloom, a shout and an animal wave at once.
// The whole set is posted again when the explosion has ended.
void BM_FrameStress(benchmark::State& state)
{
    test::TestGame g;
    Game& game = *g.game;
    set_up_street(game);
    const std::vector<int> sprites;
    int frame = 0;
    for (auto _ : state) {
        if (frame % 21 == 0) {
            game.effects.fx_age.fill(0);
            for (int h = 0; h < 5; ++h) {
                const int x = 150 + 120 * h;
                const int y = 280 + 20 * (h % 2);
                add_effect(game, x, y, FxKind::fire_burst, "");
                add_effect(game, x, y, FxKind::smoke, "");
                add_effect(game, x, y - 40, FxKind::text, "+3000円");
            }
            add_effect(game, 400, 350, FxKind::shake, "");
            add_effect(game, 400, 350, FxKind::explosion, "");
            add_effect(game, 720, 530, FxKind::level_bloom, "");
            add_effect(game, 383, 490, FxKind::shout_wave, "");
            add_effect(game, 395, 400, FxKind::animal_wave, "");
        }
        ++frame;
        street_frame(game, sprites);
        benchmark::DoNotOptimize(game.cg.pixels());
    }
}
BENCHMARK(BM_FrameStress);

} // namespace
} // namespace zen
