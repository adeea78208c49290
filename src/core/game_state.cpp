#include "core/game_state.h"

#include <algorithm>

namespace zen {

// The screen's stream starts from the seed mixed with a constant of its own, so its numbers are
// not the game's numbers shifted.
Game::Game(Platform& p, std::uint64_t seed) : platform(p), rng(seed), fx_rng(seed ^ 0x9e3779b97f4a7c15ull) {}

void Game::trace_line(std::string_view what, std::string_view detail)
{
    if (!trace) return;
    *trace << what << ' ' << detail << '\n';
    trace->flush();
}

void clamp_stats(Game& game)
{
    tmy& my = game.my;
    if (my.money > kMoneyLimit) my.money = kMoneyLimit;
    my.hunger = std::clamp(my.hunger, 0, 100);
    my.fatigue = std::clamp(my.fatigue, 0, 100);
}

const tmenu& menu_record(const Game& game, int index)
{
    static const tmenu none{};
    if (index < 0 || index >= kMenuButtons) return none;
    return game.menu_buttons[static_cast<std::size_t>(index)];
}

std::int32_t* stage_entry(std::array<std::int32_t, 100>& table, std::int32_t stage)
{
    return stage >= 0 && static_cast<std::size_t>(stage) < table.size() ? &table[static_cast<std::size_t>(stage)]
                                                                        : nullptr;
}

std::int32_t stage_value(const std::array<std::int32_t, 100>& table, std::int32_t stage)
{
    return stage >= 0 && static_cast<std::size_t>(stage) < table.size() ? table[static_cast<std::size_t>(stage)] : 0;
}

void make_play_area(Game& game, Canvas& c)
{
    c.resize(kPlayWidth, kPlayHeight);
    c.set_fonts(game.platform.fonts.get());
}

Colour blink_colour(const Game& game)
{
    switch (game.frame_no % 8) {
    case 0: return 0x555555;
    case 1:
    case 7: return 0x444444;
    case 2:
    case 6: return 0x333333;
    case 3:
    case 5: return 0x222222;
    default: return 0x000000;
    }
}

} // namespace zen
