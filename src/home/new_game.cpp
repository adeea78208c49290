#include "home/new_game.h"

#include "core/game_state.h"
#include "core/texts.h"
#include "render/message_log.h"
#include "rules/prices.h"

namespace zen {

void new_game(Game& game)
{
    tmy& my = game.my;
    my.animal_came = 0;
    my.day = 0;
    my.money = 0;
    my.energy = 5;
    my.energy_max = 5;
    my.level = 0;
    my.exp = 0;
    game.stage = 0;
    my.game_over = 0;
    my.quota_done = 0;
    my.shouts_used = 1;
    my.loans = 0;
    my.news_index = 0;
    my.story_flag.fill(0);
    my.item_count.fill(0);
    my.genre_known.fill(0);
    my.ad_power.fill(0);
    my.animal_contracts.fill(0);
    my.stage_clears.fill(0);
    my.hunger = kStomachFull;
    my.fatigue = 0;
    my.sales = 0;
    my.volume = -1100;
    post_silver(game, tr(game, Text::welcome));
}

} // namespace zen
