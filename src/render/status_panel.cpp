// The stage's vital numbers over the picture. Energy, fullness, fatigue, sales and experience
// roll toward their real values a fifth of the way each frame.
#include "render/status_panel.h"

#include "core/game_state.h"
#include "core/texts.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace zen {

namespace {

constexpr Font kPanelFont{15, true};
constexpr Font kMoneyFont{17, true};
constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kCyan = 0x00FFFF;

bool panel_shown(const Game& game) { return game.stage != 0 && game.open_menu != kMenuStart; }

// A left-column line: a black shadow one pixel down and right, then the text. Returns its width.
int left_line(Canvas& canvas, int y, const std::string& text, Colour colour)
{
    canvas.text(3, y + 1, text, kPanelFont, 0x000000);
    canvas.text(2, y, text, kPanelFont, colour);
    return canvas.text_width(text, kPanelFont);
}

void right_line(Canvas& canvas, int y, const std::string& text, Font font, Colour colour)
{
    canvas.text(kPlayWidth - canvas.text_width(text, font), y, text, font, colour);
}

// A box filled with its brush and outlined in its pen; the pen is the brush unless given.
void box(Canvas& canvas, int x1, int y1, int x2, int y2, Colour brush, Colour pen)
{
    canvas.rectangle(x1, y1, x2, y2, Pen{pen, 1}, brush);
}
void box(Canvas& canvas, int x1, int y1, int x2, int y2, Colour brush) { box(canvas, x1, y1, x2, y2, brush, brush); }

// A bar's length: the quotient in floating point, cut toward zero.
int bar(double value, double divisor, double full)
{
    const double length = value / divisor * full;
    // Far past the screen edge a bar looks the same; keep the cut inside an int.
    return static_cast<int>(std::clamp(length, -1e6, 1e6));
}

} // namespace

std::int32_t ease(std::int32_t shown, std::int32_t real)
{
    std::int64_t s = shown;
    const std::int64_t v = real;
    if (s < v) s += std::llabs(v - s) / 5 + 1;
    if (v < s) s -= std::llabs(v - s) / 5 + 1;
    return static_cast<std::int32_t>(s);
}

void status_panel(Game& game, Canvas& canvas)
{
    if (!panel_shown(game)) return;
    const tmy& my = game.my;
    StatusPanelState& panel = game.panel;

    left_line(canvas, 2,
              tr(game, Text::panel_clock,
                 {{"day", num(my.day)}, {"hour", num(my.hour)}, {"minute", num(my.minute)}, {"left", num(7 - my.day)}}),
              kWhite);

    // Energy, with the regeneration strip under its bar.
    panel.shown_energy = ease(panel.shown_energy, my.energy);
    Colour colour = kWhite;
    if (my.energy <= 0) colour = 0x800000;
    if (my.energy >= my.energy_max) colour = kCyan;
    int bx = left_line(canvas, 32,
                       tr(game, Text::panel_energy, {{"now", num(panel.shown_energy)}, {"max", num(my.energy_max)}}),
                       colour) +
             12;
    box(canvas, bx, 34, bx + 200, 48, 0x883366);
    box(canvas, bx, 34, bx + bar(panel.shown_energy, std::max(my.energy_max, 1), 200), 46, 0xFF99CC);
    box(canvas, bx, 48, bx + 200, 57, 0x884477);
    box(canvas, bx, 48, bx + bar(my.regen_acc, kRegenFull, 200), 55, 0xEE99DD);

    // Fullness: the empty bar warns by blinking when the player gets hungry.
    panel.shown_hunger = ease(panel.shown_hunger, my.hunger);
    colour = kWhite;
    if (my.hunger < 30) colour = 0xFFFFCC;
    if (my.hunger < 10) colour = 0xFF0000;
    bx = left_line(canvas, 62, tr(game, Text::panel_food, {{"now", num(panel.shown_hunger)}}), colour) + 12;
    const Colour hunger_pen = (my.hunger < 30 && game.frame_no % 4 == 0) ? 0xFF0000 : 0xBB6633;
    const Colour hunger_brush = (my.hunger < 10 && game.frame_no % 3 == 0) ? 0x000000 : 0xBB6633;
    box(canvas, bx, 66, bx + 100, 78, hunger_brush, hunger_pen);
    box(canvas, bx, 66, bx + static_cast<int>(panel.shown_hunger * 0.01 * 100), 76, 0xFF9966);

    // Fatigue: the filled part warns.
    panel.shown_fatigue = ease(panel.shown_fatigue, my.fatigue);
    colour = kWhite;
    if (my.fatigue >= 60) colour = 0xFFFFCC;
    if (my.fatigue >= 90) colour = 0xFF0000;
    bx = left_line(canvas, 107, tr(game, Text::panel_fatigue, {{"now", num(panel.shown_fatigue)}}), colour) + 12;
    box(canvas, bx, 111, bx + 100, 123, 0xBB3333);
    const Colour fatigue_pen = (my.fatigue >= 60 && game.frame_no % 4 == 0) ? 0xFF0000 : 0xDD9999;
    const Colour fatigue_brush = (my.fatigue >= 90 && game.frame_no % 3 == 0) ? 0xFF0000 : 0xDD9999;
    box(canvas, bx, 111, bx + static_cast<int>(panel.shown_fatigue * 0.01 * 100), 121, fatigue_brush, fatigue_pen);

    // The right column: the place, its advertising, and the sales against the quota.
    const tmap& place = game.map_table.at(game.stage);
    right_line(canvas, 432, tr(game, Text::panel_place, {{"stage", tr(game, place.name)}}), kPanelFont, kWhite);
    const std::int32_t ad =
        game.stage > 0 && game.stage < 100 ? game.my.ad_power[static_cast<std::size_t>(game.stage)] : 0;
    right_line(canvas, 456, tr(game, Text::panel_publicity, {{"ad", num(ad)}}), kPanelFont, ad >= 8 ? kCyan : kWhite);
    panel.shown_sales = ease(panel.shown_sales, my.sales);
    right_line(canvas, 480, tr(game, Text::panel_sales, {{"sales", num(my.sales)}, {"quota", num(place.quota)}}),
               kPanelFont, my.sales >= place.quota ? kCyan : kWhite);
    box(canvas, 595, 506, 795, 518, 0x111155);
    box(canvas, 595, 506, 595 + std::min(200, bar(panel.shown_sales, std::max(place.quota, 1), 200)), 516, 0x6666CC);
}

void status_panel_level(Game& game, Canvas& canvas)
{
    if (!panel_shown(game)) return;
    const tmy& my = game.my;
    StatusPanelState& panel = game.panel;
    panel.shown_exp = ease(panel.shown_exp, my.exp);
    const std::int32_t needed = 10 * my.level + 50;
    right_line(
        canvas, 528,
        tr(game, Text::panel_level, {{"level", num(my.level)}, {"exp", num(panel.shown_exp)}, {"needed", num(needed)}}),
        kPanelFont, kWhite);
    box(canvas, 595, 554, 795, 566, 0x114433);
    // Experience past the threshold runs on past the bar's end.
    box(canvas, 595, 554, 595 + bar(panel.shown_exp, std::max(needed, 1), 200), 564, 0x66CC99);
    right_line(canvas, 576, tr(game, Text::panel_money, {{"money", num(my.money)}}), kMoneyFont, 0xFFFF00);
}

} // namespace zen
