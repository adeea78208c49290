#include "street/street_commands.h"

#include "core/game_state.h"
#include "core/saturating.h"
#include "core/texts.h"
#include "render/effects.h"
#include "render/message_log.h"
#include "render/picture_store.h"
#include "rules/catalog_rules.h"
#include "rules/prices.h"
#include "street/hazards.h"
#include "street/sales_floor.h"
#include "ui/menu_buttons.h"
#include "ui/menu_registry.h"

#include <string>

namespace zen {

namespace {

// The street stops and is no longer drawn; the stage's time runs on at home.
void go_home(Game& game)
{
    show_menu(game, kMenuHome);
    game.on_street = 0;
    post_silver(game, tr(game, Text::back_home));
    show_picture(game, "pc.jpg");
}

// A shout always counts, even when the customer it calls finds no room on the street.
void shout(Game& game)
{
    tmy& my = game.my;
    add_effect(game, 383, 490, FxKind::shout_wave, "");
    post_silver(game, tr(game, Text::shout_call));
    my.shouts_used = kept_add(my.shouts_used, 1);
    play_sound(game, Sound::shout);
    const int kind = pick_customer_kind(game);
    if (kind != 0 && spawn_figure(game, kind, 0, 0))
        post_silver(game, tr(game, Text::customer_comes, {{"name", tr(game, game.man_table.at(kind).name)}}));
    if (shout_limit(game) <= my.shouts_used) post_silver(game, tr(game, Text::voice_gone));
    show_menu(game, kMenuSalesFloor);
}

void fire_launcher(Game& game)
{
    if (too_tired_to_shoot(game)) {
        post_silver(game, tr(game, Text::too_tired_to_shoot));
        return;
    }
    if (rpg_shot(game)) show_menu(game, kMenuSalesFloor);
}

// Home, the shout with the shouts left, and the launcher's shot with the rockets left once it has
// been bought: then the rows are narrower, to make room for the third.
void build_sales_floor(Game& game, std::int32_t)
{
    const tmy& my = game.my;
    const bool launcher = held(game, kItemLauncher);
    const std::int64_t shouts_left = static_cast<std::int64_t>(shout_limit(game)) - my.shouts_used;
    menu_entry(game, 500, kMenuSalesFloor, tr(game, Text::street_home), StreetCommand::go_home, 200);
    menu_entry(game, 501, kMenuSalesFloor, tr(game, Text::street_shout, {{"left", num(shouts_left)}}),
               StreetCommand::shout, 200)
        .locked = (too_worn_to_shout(game) || shouts_left <= 0) ? 1 : 0;
    tmenu& rpg = menu_entry(game, 502, kMenuSalesFloor,
                            launcher ? tr(game, Text::street_launcher, {{"left", num(my.rpg_ammo)}}) : std::string(),
                            StreetCommand::launcher, 200);
    rpg.locked = my.rpg_ammo <= 0 ? 1 : 0;
    for (int i = menu_records(kMenuSalesFloor).first; i <= menu_records(kMenuSalesFloor).last; ++i) {
        tmenu& b = game.menu_buttons[static_cast<std::size_t>(i)];
        b.menu = kMenuSalesFloor;
        b.width = 200;
        b.back_to = 0;
        b.height = launcher ? 40 : 45;
    }
}

} // namespace

void street_command(Game& game, int index)
{
    switch (static_cast<StreetCommand>(menu_record(game, index).command)) {
    case StreetCommand::go_home: go_home(game); break;
    case StreetCommand::shout: shout(game); break;
    case StreetCommand::launcher: fire_launcher(game); break;
    }
}

void register_street_menus(Game& game)
{
    register_menu(game, {kMenuSalesFloor, build_sales_floor, street_command, false});
}

} // namespace zen
