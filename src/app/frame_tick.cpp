#include "app/frame_tick.h"

#include "app/commands.h"
#include "core/game_state.h"
#include "home/menu_contents.h"
#include "render/effects.h"
#include "render/picture_store.h"
#include "render/status_panel.h"
#include "rules/stage_clock.h"
#include "street/sales_floor.h"
#include "street/street_gun.h"
#include "ui/menu_buttons.h"

namespace zen {

// Only a background smaller than the play area leaves part of the screen to the black it is
// first filled with; one that covers it is not cleared for nothing.
void show_composed(Game& game)
{
    const Canvas& composed = game.work_bitmaps[kWorkComposed];
    if (composed.width() < game.cg.width() || composed.height() < game.cg.height()) game.cg.fill(0);
    game.cg.copy_rect(0, 0, composed, 0, 0, kPlayWidth, kPlayHeight);
}

void tick(Game& game)
{
    count_down_sound_guard(game);
    frame_step(game);
    regulate_frame_rate(game, game.platform.clock->now_ms());
}

void regulate_frame_rate(Game& game, std::int64_t now_ms)
{
    if (now_ms <= game.next_rate_check) return;
    game.next_rate_check = now_ms + 1000;
    const int n = game.frames_this_second;
    if (n >= 13) game.timer_interval += n - 12;
    if (n <= 10 && game.timer_interval - (12 - n) >= kShortestInterval) game.timer_interval -= 12 - n;
    game.frames_this_second = 0;
}

void frame_step(Game& game)
{
    game.frames_this_second += 1;
    game.frame_no += 1;
    if (game.frame_no > 999) game.frame_no = 0;

    if (game.title_step == kTitleStartScreen || game.title_step == kTitleScreen) {
        // The start and title screens only show their picture.
        show_composed(game);
        return;
    }
    compose_frame(game);
    clamp_stats(game);
}

// One frame of the stage clock, then the street gun while time runs on.
void run_stage_clock(Game& game)
{
    if (clock_stopped(game)) return;
    pass_hunger(game);
    if (check_quota(game)) show_menu(game, kMenuStageCleared); // time still runs to the end of this frame
    if (time_is_up(game)) {
        show_menu(game, kMenuTimeUp);
        return;
    }
    advance_time(game);
    regenerate_energy(game);
    fire_street_gun(game);
}

void compose_frame(Game& game)
{
    game.bak.fill(0); // black since the last frame took it; only the title leaves a picture in it
    if (game.bg_dirty == 1) rebuild_background(game);
    show_composed(game);

    // The street layer: desk, figures and piles, only on the sales floor of a running stage.
    street_tick(game);

    // Time passes while a stage runs, at home and on the street; only the start menu stops it.
    if (game.open_menu != kMenuStart && game.stage != 0) {
        run_stage_clock(game);
        status_panel(game, game.cg);
    }
    status_panel_level(game, game.cg);

    follow_switches(game);
    run_button_pass(game);

    effects_pass(game, game.cg, game.bak);
    game.cg.take_overlay(game.bak);
}

} // namespace zen
