// The effects ring: posting, the pass that draws every live effect each frame, and the kinds
// without particles (floating texts, explosion rings, laser, screen shake).
#include "render/effects.h"

#include "core/game_state.h"
#include "render/effects_kinds.h"
#include "render/message_log.h"

#include <algorithm>

namespace zen {

namespace {

std::size_t at(int s) { return static_cast<std::size_t>(s); }

int post_slot(Game& game)
{
    EffectsRing& fx = game.effects;
    fx.fx_cursor += 1;
    if (fx.fx_cursor > EffectsRing::kSlots - 1) fx.fx_cursor = 0;
    return fx.fx_cursor;
}

void post(Game& game, int x0, int y0, int x, int y, FxKind kind, std::string_view text, int vx, int vy)
{
    EffectsRing& fx = game.effects;
    const std::size_t s = at(post_slot(game));
    fx.fx_age[s] = 1;
    fx.fx_kind[s] = kind;
    fx.fx_x[s] = x;
    fx.fx_y[s] = y;
    fx.fx_x0[s] = x0;
    fx.fx_y0[s] = y0;
    fx.fx_vx[s] = vx;
    fx.fx_vy[s] = vy;
    fx.fx_text[s].assign(text);
    fx.fx_particles[s][0] = 0;
}

// The colours of the large explosion's rings by age.
Colour explosion_colour(int a)
{
    static const Colour list[] = {0xFFFFFF, 0xFFFFFF, 0xFFFF00, 0xFCB803, 0xFD3A02,
                                  0xFF0000, 0x9E1212, 0x711313, 0x491414, 0x763434};
    return list[std::clamp(a, 0, 9)];
}

} // namespace

void add_effect(Game& game, int x, int y, FxKind kind, std::string_view text)
{
    post(game, x, y, x, y, kind, text, 0, 0);
}

void add_effect_at(Game& game, int slot, FxKind kind, std::string_view text)
{
    // Over the head of the street figure in that slot, (x, y - height). The slot is read even when
    // the figure has just been removed: a reward floats where the hazard was shot down.
    if (slot >= 0 && slot < kStreetSlots) {
        const tman& f = game.street_figures[static_cast<std::size_t>(slot)];
        add_effect(game, f.x, f.y - f.height, kind, text);
        return;
    }
    // No figure (slot -1, or a number outside the street): a point near the top of the screen.
    const int x = 230 + game.fx_random(21);
    const int y = 35 + game.fx_random(20);
    add_effect(game, x, y, kind, text);
}

void add_beam(Game& game, int x0, int y0, int x, int y, FxKind kind) { post(game, x0, y0, x, y, kind, {}, x0, y0); }

int bounce_offset(int age)
{
    static const int early[] = {-12, -12, -10, 6, 4, -3, -2, 3, 2, -1};
    if (age < 0) return -12;
    if (age <= 9) return early[age];
    if (age <= 99) return 1;
    return 0;
}

Point shake_offset(Game& game, int age)
{
    const int a = std::max(2, 5 - age);
    const int dx = game.fx_random(a) - game.fx_random(a);
    const int dy = game.fx_random(a) - game.fx_random(a);
    return {dx, dy};
}

void effects_pass(Game& game, Canvas& screen, Canvas& overlay)
{
    draw_message_log(game, screen);
    EffectsRing& fx = game.effects;
    for (int s = 0; s < EffectsRing::kSlots; ++s) {
        if (fx.fx_age[at(s)] < 1) continue;
        fx.fx_age[at(s)] += 1;
        const int b = bounce_offset(fx.fx_age[at(s)]);
        switch (fx.fx_kind[at(s)]) {
        case FxKind::animal_text:
        case FxKind::energy_text:
        case FxKind::text: draw_floating_text(game, s, b, screen); break;
        case FxKind::level_bloom: draw_level_bloom(game, s, overlay); break;
        case FxKind::red_burst: draw_red_burst(game, s, overlay); break;
        case FxKind::explosion: draw_explosion(game, s, overlay); break;
        case FxKind::smoke: draw_smoke(game, s, screen); break;
        case FxKind::fire_burst: draw_fire_burst(game, s, overlay); break;
        case FxKind::laser: draw_laser(game, s, overlay); break;
        case FxKind::sparks: draw_sparks(game, s, screen); break;
        case FxKind::gun_hit: draw_gun_hit(game, s, overlay); break;
        case FxKind::animal_wave:
        case FxKind::shout_wave: draw_wave(game, s, overlay); break;
        case FxKind::shake: draw_shake(game, s, screen); break;
        default: fx.fx_age[at(s)] = 0; break; // none: nothing to draw
        }
    }
}

void draw_floating_text(Game& game, int s, int bounce, Canvas& screen)
{
    EffectsRing& fx = game.effects;
    const FxKind kind = fx.fx_kind[at(s)];
    const int age = fx.fx_age[at(s)];
    int y = fx.fx_y[at(s)];
    fx.fx_y[at(s)] += bounce;
    if (kind != FxKind::animal_text) y -= 2;

    static const Colour fades[3][6] = {
        {0x10D0DD, 0x00B0BB, 0x008399, 0x005077, 0x003055, 0x001033},
        {0xDD99BB, 0xBB7799, 0x995577, 0x773355, 0x551133, 0x330011},
        {0xDDDDDD, 0xBBBBBB, 0x999999, 0x555555, 0x333333, 0x111111},
    };
    const int k = kind == FxKind::animal_text ? 0 : kind == FxKind::energy_text ? 1 : 2;
    const Font font{k == 0 ? 12 : k == 1 ? 15 : 11, true};
    const Colour main = k == 0 ? 0x2FFFFF : k == 1 ? 0xFFACD6 : 0xFFFFFF;
    const Colour fade = age < 30 ? main : fades[k][std::min(5, (age - 30) / 2)];

    const std::string& text = fx.fx_text[at(s)];
    const int x = fx.fx_x[at(s)] - screen.text_width(text, font) / 2;
    screen.text(x + 1, y + 1, text, font, 0x000000);
    screen.text(x, y, text, font, main);
    screen.text(x, y, text, font, fade);

    // These texts age twice as fast as the rest: an ended one lands on 0 (free).
    if (age > 42) fx.fx_age[at(s)] = -1;
    fx.fx_age[at(s)] += 1;
}

void draw_explosion(Game& game, int s, Canvas& overlay)
{
    EffectsRing& fx = game.effects;
    const int a = fx.fx_age[at(s)];
    const int x = fx.fx_x[at(s)];
    const int y = fx.fx_y[at(s)];
    overlay.circle(x, y, 5 * a + 150, Pen{explosion_colour(a), 15 - a}, std::nullopt);
    for (int u = 1; u <= 3; ++u) {
        const int v = a + u;
        if (v >= 18) continue;
        overlay.circle(x, y, 27 * v - 27, Pen{explosion_colour(v), std::max(1, 40 - 2 * v)}, std::nullopt);
    }
    if (a > 20) fx.fx_age[at(s)] = 0;
}

void draw_laser(Game& game, int s, Canvas& overlay)
{
    static const Colour outer[] = {0x0000FF, 0x0000DD, 0x0000BB, 0x000099, 0x000077, 0x000044, 0x000022};
    static const Colour middle[] = {0xDDDDFF, 0xBBDDFF, 0x99CCFF, 0x77AAFF, 0x555585, 0x333355, 0x113344};
    static const Colour core[] = {0xFFFFFF, 0xDDFFFF, 0xBBEEFF, 0x99DDFF, 0x777C85, 0x555A6B, 0x335566};
    EffectsRing& fx = game.effects;
    const int age = fx.fx_age[at(s)];
    const std::size_t i = static_cast<std::size_t>(std::clamp(age / 2, 0, 6));
    const int x0 = fx.fx_x0[at(s)];
    const int y0 = fx.fx_y0[at(s)];
    const int x = fx.fx_x[at(s)];
    const int y = fx.fx_y[at(s)];
    overlay.line(x0, y0, x, y, Pen{outer[i], 62 - age});
    overlay.line(x0, y0, x, y, Pen{middle[i], 23 - age});
    overlay.line(x0, y0, x, y, Pen{core[i], 20 - age});
    if (age > 20) fx.fx_age[at(s)] = 0;
}

void draw_shake(Game& game, int s, Canvas& screen)
{
    EffectsRing& fx = game.effects;
    const int age = fx.fx_age[at(s)];
    // The play area shakes; the log and the panel below it stay still.
    const Point d = shake_offset(game, age);
    screen.copy_rect(d.x, d.y, screen, 0, 0, 800, 480);
    if (age > 10) fx.fx_age[at(s)] = 0;
}

} // namespace zen
