#include "street/street_commands.h"

#include "content/catalog_rules.h"
#include "core/game_state.h"
#include "core/saturating.h"
#include "render/effects.h"
#include "render/message_log.h"
#include "render/picture_store.h"
#include "street/hazards.h"
#include "street/sales_floor.h"

namespace zen {

namespace {

// The street stops and is no longer drawn; the stage's time runs on at home.
void go_home(Game& game)
{
    open_menu_of(game, kMenuHome);
    game.on_street = 0;
    post_silver(game, "どうする！....こうしている間にも時は動いているぞ！");
    show_picture(game, "pc.jpg");
}

// A shout always counts, even when the customer it calls finds no room on the street.
void shout(Game& game)
{
    tmy& my = game.my;
    add_effect(game, 383, 490, kFxShoutWave, "");
    post_silver(game, "いらっしゃい！！いらっしゃい！！　いいゲームあるよ！！");
    my.shouts_used = saturating_add(my.shouts_used, 1);
    play_sound(game, "fuu.wav");
    const int kind = pick_customer_kind(game);
    if (kind != 0 && spawn_figure(game, kind, 0, 0)) post_silver(game, game.man_table.at(kind).name + "が近寄ってきた");
    if (shout_limit(game) <= my.shouts_used) post_silver(game, "咽が枯れた....ゴホッ....ゴホッ");
    open_menu_of(game, kMenuSalesFloor);
}

void fire_launcher(Game& game)
{
    if (game.my.fatigue >= 100) {
        post_silver(game, "ダメだ、疲れで力がでない・・・!!");
        return;
    }
    if (rpg_shot(game)) open_menu_of(game, kMenuSalesFloor);
}

} // namespace

void street_command(Game& game, int index)
{
    switch (menu_record(game, index).command) {
    case 1: go_home(game); break;
    case 2: shout(game); break;
    case 3: fire_launcher(game); break;
    default: break;
    }
}

} // namespace zen
