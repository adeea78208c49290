#include "street/street_gun.h"

#include "core/game_state.h"
#include "core/saturating.h"
#include "core/texts.h"
#include "render/effects.h"
#include "render/message_log.h"
#include "rules/catalog_rules.h"
#include "rules/prices.h"
#include "street/hazards.h"

namespace zen {

namespace {

// The first hazard in slot order under the pointer that can still be hit; -1 when none.
int hazard_under_mouse(const Game& game)
{
    for (int s = 0; s < kStreetSlots; ++s) {
        const tman& f = game.street_figures[static_cast<std::size_t>(s)];
        if (f.age < 1 || f.role != kRoleHazard || f.hit_points < 1) continue;
        if (f.x - f.width / 2 <= game.mouse_x && game.mouse_x <= f.x + f.width / 2 && f.y - f.height <= game.mouse_y &&
            game.mouse_y <= f.y)
            return s;
    }
    return -1;
}

} // namespace

void fire_street_gun(Game& game)
{
    if (game.fire_held < 1 || game.hovered_button != 0 || game.on_street < 1) return;
    if (too_tired_to_shoot(game)) {
        post_silver(game, tr(game, Text::too_tired_to_shoot)); // every frame the button stays down
        return;
    }
    const int slot = hazard_under_mouse(game);
    if (slot < 0) return;
    tman& f = game.street_figures[static_cast<std::size_t>(slot)];
    add_effect(game, game.mouse_x, game.mouse_y, FxKind::gun_hit, "");
    play_sound(game, Sound::gunshot);
    f.hit_points = saturating_add(f.hit_points, -static_cast<std::int64_t>(gun_damage(game)));
    if (f.hit_points > 0) return;
    play_sound(game, Sound::small_blast);
    add_effect(game, f.x, f.y - f.height / 2, FxKind::red_burst, "");
    add_effect(game, f.x, f.y - f.height / 2, FxKind::smoke, "");
    destroy_hazard(game, slot);
}

} // namespace zen
