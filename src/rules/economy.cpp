#include "rules/economy.h"

#include "core/game_state.h"
#include "core/saturating.h"
#include "core/texts.h"
#include "render/effects.h"
#include "render/message_log.h"

#include <string>

namespace zen {

std::int64_t exp_to_next_level(std::int32_t level) { return 10 * static_cast<std::int64_t>(level) + 50; }

bool pay(Game& game, std::int32_t price)
{
    if (price > game.my.money) {
        post_message(game, tr(game, Text::not_enough_money), Ink::gray);
        return false;
    }
    game.my.money = saturating_add(game.my.money, -static_cast<std::int64_t>(price));
    post_message(game, tr(game, Text::paid, {{"price", num(price)}}), Ink::gray);
    play_sound(game, Sound::pay);
    return true;
}

void gain_money(Game& game, std::int32_t amount)
{
    if (amount <= 0) return;
    game.my.money = saturating_add(game.my.money, amount);
    play_sound(game, Sound::coin);
    post_message(game, tr(game, Text::money_gained, {{"amount", num(amount)}}), Ink::yellow2);
}

void gain_item(Game& game, std::int32_t id, std::int32_t count)
{
    if (id < 0 || static_cast<std::size_t>(id) >= game.my.item_count.size()) return;
    play_sound(game, Sound::item_get);
    std::int32_t& held = game.my.item_count[static_cast<std::size_t>(id)];
    held = kept_add(held, count);
    post_message(game,
                 tr(game, Text::item_gained,
                    {{"item", tr(game, game.item_table.at(id).name)}, {"count", num(count)}, {"held", num(held)}}),
                 Ink::green);
}

void gain_one_item(Game& game, std::int32_t id) { gain_item(game, id, 1); }

void gain_energy(Game& game, std::int32_t amount)
{
    if (amount >= 1) play_sound(game, Sound::energy_up);
    // A floating label near the top of the screen; the two draws in this order.
    const int x = 250 + game.fx_random(30);
    const int y = 15 + game.fx_random(15);
    add_effect(game, x, y, FxKind::energy_text, tr(game, Text::energy_gained, {{"amount", num(amount)}}));
    tmy& my = game.my;
    my.energy = kept_add(my.energy, amount);
    if (my.energy > my.energy_max) my.energy = my.energy_max;
}

void gain_exp(Game& game, std::int32_t amount)
{
    tmy& my = game.my;
    my.exp = kept_add(my.exp, amount);
    if (my.exp < exp_to_next_level(my.level)) return;
    my.level = kept_add(my.level, 1);
    my.exp = 0;
    post_message(game, tr(game, Text::level_up, {{"level", num(my.level)}}), Ink::pink);
    post_message(game, tr(game, Text::level_up_heal), Ink::aqua);
    play_sound(game, Sound::level_up_voice);
    play_sound(game, Sound::level_up);
    play_sound(game, Sound::heal);
    add_effect(game, 720, 530, FxKind::level_bloom, "");
    my.energy = my.energy_max;
    my.fatigue = 0;
}

} // namespace zen
