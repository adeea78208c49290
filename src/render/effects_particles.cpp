// The effect kinds made of particles (smoke, fire, sparks, streaks, discs) and the two that
// spin out from a point (the level-up bloom and the spiral waves). On its first frame a kind
// creates its particles in the slot's work block; from then on it moves and draws the live ones.
#include "core/game_state.h"
#include "render/effects.h"
#include "render/effects_kinds.h"

#include <algorithm>

namespace zen {

namespace {

std::size_t at(int s) { return static_cast<std::size_t>(s); }

// Particle i of slot s.
std::int32_t* particle_of(Game& game, int s, int i)
{
    return game.effects.fx_particles[at(s)].data() + particle::first +
           static_cast<std::ptrdiff_t>(particle::record) * i;
}

// True on the first frame: the caller creates its particles (the block is marked created).
bool first_frame(Game& game, int s)
{
    std::int32_t& created = game.effects.fx_particles[at(s)][0];
    if (created == 1) return false;
    created = 1;
    return true;
}

template <std::size_t N>
Colour pick(const Colour (&list)[N], int index)
{
    return list[static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(N) - 1))];
}

Colour darker(Colour c, int amount)
{
    return rgb(std::max(0, red_of(c) - amount), std::max(0, green_of(c) - amount), std::max(0, blue_of(c) - amount));
}

// One slot of the ring as a kind sees it: its age and point, and its two work values.
struct Slot {
    int age;
    int x;
    int y;
    std::int32_t& vx;
    std::int32_t& vy;
};

Slot slot_of(Game& game, int s)
{
    EffectsRing& fx = game.effects;
    return {fx.fx_age[at(s)], fx.fx_x[at(s)], fx.fx_y[at(s)], fx.fx_vx[at(s)], fx.fx_vy[at(s)]};
}

void end_after(Game& game, int s, int last_age)
{
    if (game.effects.fx_age[at(s)] > last_age) game.effects.fx_age[at(s)] = 0;
}

} // namespace

void draw_smoke(Game& game, int s, Canvas& screen)
{
    using namespace particle;
    Slot fx = slot_of(game, s);
    if (first_frame(game, s)) {
        for (int i = 0; i < 7; ++i) {
            std::int32_t* p = particle_of(game, s, i);
            p[x] = fx.x - 15 + game.fx_random(29);
            p[y] = fx.y - 15 + game.fx_random(20);
            p[size] = 5 + game.fx_random(6);
            p[angle] = 2 + game.fx_random(3); // puffs around the centre
            p[speed] = 1 + game.fx_random(3); // rise period
            p[life] = game.fx_random(15);     // a puff born at 0 never shows
        }
    } else {
        static const Colour greys[] = {0x111111, 0x333333, 0x555555, 0x777777, 0x999999, 0xBBBBBB, 0xCCCCCC};
        for (int i = 0; i < 7; ++i) {
            std::int32_t* p = particle_of(game, s, i);
            if (p[life] <= 0) continue;
            p[life] += 1;
            const int period = std::max(1, p[speed]);
            if (game.frame_no % period == 0) p[y] -= 1;
            if (game.frame_no % (period + 1) == 0) p[x] += game.fx_random(3) - 1;
            if (p[life] % 5 == 0) {
                if (p[life] <= 15) {
                    if (p[size] < 8) p[size] += 1;
                } else {
                    p[size] -= 1;
                }
            }
            if (p[size] <= 0 || p[life] >= 30) {
                p[life] = 0;
                continue;
            }
            const Colour pen = pick(greys, p[life] / 5);
            const Colour brush = pen + 0x111100; // red and green raised by 17
            const int r = p[size];
            const int small = std::max(1, r - 1);
            screen.circle(p[x], p[y], r, Pen{pen, 1}, brush);
            for (int u = 0; u <= p[angle]; ++u) {
                const Point q = polar(p[x], p[y], 70 * u, r);
                screen.circle(q.x, q.y, small, Pen{pen, 1}, brush);
                screen.circle(q.x + 20, q.y + 10, small, Pen{pen, 1}, brush);
                screen.circle(q.x + 10, q.y - 10, small, Pen{pen, 1}, brush);
            }
        }
    }
    end_after(game, s, 40);
}

void draw_fire_burst(Game& game, int s, Canvas& overlay)
{
    using namespace particle;
    Slot fx = slot_of(game, s);
    if (first_frame(game, s)) {
        for (int i = 0; i < 20; ++i) {
            std::int32_t* p = particle_of(game, s, i);
            p[x] = fx.x - 50 + game.fx_random(100);
            p[y] = fx.y - 15 + game.fx_random(30);
            p[life] = 1 + game.fx_random(9);
            p[speed] = 20 + game.fx_random(40);
            p[size] = 7;
        }
    } else {
        static const Colour fire[] = {0xEEAA00, 0xEE8800, 0xEE6600, 0xDD4400, 0xAA2200,
                                      0x880000, 0x550000, 0x330000, 0x110000};
        for (int i = 0; i < 20; ++i) {
            std::int32_t* p = particle_of(game, s, i);
            if (p[life] <= 0) continue;
            p[life] += 1;
            p[y] -= p[speed];
            p[speed] = std::max(1, p[speed] / 2);
            if (game.frame_no % p[speed] == 0) p[x] += game.fx_random(3) - 1;
            if (p[life] < 10)
                p[size] = 7;
            else if (p[life] % 3 == 0)
                p[size] = std::max(1, p[size] - 1);
            if (p[life] >= 30) {
                p[life] = 0;
                continue;
            }
            const Colour c = pick(fire, p[life] / 3);
            overlay.ellipse(p[x], p[y], p[x] + p[size], p[y] + p[size], Pen{c, 1}, c);
        }
    }
    // The flat shock ring along the ground.
    if (fx.age == 2) {
        fx.vx = 15 + game.fx_random(6); // radius base
        fx.vy = 4 + game.fx_random(3);  // width base
    }
    if (fx.age < 14) {
        static const Colour ring[] = {0xFFCC00, 0xFFCC00, 0xFFCC00, 0xFFCC00, 0xFF9900, 0xFF9900, 0xFF9900,
                                      0xFF4400, 0xFF4400, 0xFF1100, 0xFF1100, 0xAA0000, 0xAA0000, 0x550000};
        const int r = fx.age + fx.vx;
        overlay.ellipse(fx.x - r, fx.y - r / 3, fx.x + r, fx.y + r / 3, Pen{pick(ring, fx.age), fx.vy - fx.age},
                        std::nullopt);
    }
    end_after(game, s, 30);
}

void draw_sparks(Game& game, int s, Canvas& screen)
{
    using namespace particle;
    Slot fx = slot_of(game, s);
    if (first_frame(game, s)) {
        for (int i = 0; i < 20; ++i) {
            std::int32_t* p = particle_of(game, s, i);
            p[x] = fx.x - 15 + game.fx_random(30);
            p[y] = fx.y - 15 + game.fx_random(30);
            p[size] = 6 + game.fx_random(4);     // length
            p[speed] = 25 + game.fx_random(20);  // upward
            p[distance] = 2 + game.fx_random(3); // pen width
            p[life] = 1;
        }
    } else {
        const bool wear = game.frame_no % 3 == 0;
        for (int i = 0; i < 20; ++i) {
            std::int32_t* p = particle_of(game, s, i);
            if (p[life] <= 0) continue;
            p[y] -= p[speed];
            p[speed] = std::max(1, p[speed] / 2);
            if (wear) {
                p[size] = std::max(1, p[size] - 1);
                p[distance] = std::max(1, p[distance] - 1);
            }
            const int px = p[x];
            const int py = p[y];
            const int len = p[size];
            const Pen pen{0xFF0000, p[distance]};
            screen.line(px, py - len, px, py + len, pen);
            screen.line(px + 10, py - len / 2 - 10, px + 15, py + len / 2 - 15, pen);
            screen.line(px - 10, py - len / 2 - 5, px - 10, py + len / 2 - 5, pen);
        }
    }
    end_after(game, s, 15);
}

void draw_gun_hit(Game& game, int s, Canvas& overlay)
{
    using namespace particle;
    Slot fx = slot_of(game, s);
    if (first_frame(game, s)) {
        for (int i = 0; i < 10; ++i) {
            std::int32_t* p = particle_of(game, s, i);
            p[angle] = game.fx_random(360);
            p[distance] = 40 + game.fx_random(10);
            p[speed] = 10 + game.fx_random(15);
            p[life] = 1 + game.fx_random(9);
        }
        fx.vx = 10; // the ring's radius
        fx.vy = 20; // and how far it opens next
    } else {
        static const Colour green[] = {0xAAFFAA, 0x99FF99, 0x55DD55, 0x22AA22, 0x006600, 0x003300};
        for (int i = 0; i < 10; ++i) {
            std::int32_t* p = particle_of(game, s, i);
            if (p[life] <= 0) continue;
            p[life] += 1;
            p[speed] = std::max(1, p[speed] / 2);
            p[distance] = std::max(0, p[distance] - p[speed]);
            const int l = p[life];
            const Colour c = l <= 5 ? green[0] : pick(green, (l - 6) / 3 + 1);
            const Point a = polar(fx.x, fx.y, p[angle], p[distance]);
            const Point b = polar(fx.x, fx.y, p[angle], p[distance] + std::max(2, 40 - l));
            overlay.line(a.x, a.y, b.x, b.y, Pen{c, std::max(1, 6 - l)});
        }
    }
    fx.vx += fx.vy;
    fx.vy = std::max(1, fx.vy - fx.vy / 2 - 1);
    static const Colour ring[] = {0xAAFFAA, 0x99DD99, 0x55AA55, 0x228822, 0x005500, 0x003300, 0x000000};
    const Colour rc = fx.age <= 0 ? ring[0] : pick(ring, (fx.age - 1) / 3 + 1);
    overlay.circle(fx.x, fx.y, fx.vx, Pen{rc, 3 - fx.age / 3}, std::nullopt);
    end_after(game, s, 12);
}

void draw_red_burst(Game& game, int s, Canvas& overlay)
{
    using namespace particle;
    Slot fx = slot_of(game, s);
    if (first_frame(game, s)) {
        for (int i = 0; i < 10; ++i) {
            std::int32_t* p = particle_of(game, s, i);
            p[x] = fx.x;
            p[y] = fx.y;
            p[angle] = game.fx_random(360);
            p[size] = 10 + game.fx_random(4);
            p[life] = 1 + game.fx_random(9);
            p[speed] = 60 + game.fx_random(15);
            p[distance] = 9;
        }
    } else {
        static const Colour discs[] = {0xCCAAAA, 0xBB9999, 0xAA8888, 0x997777, 0x886666, 0x775555,
                                       0x664444, 0x553333, 0x442222, 0x331111, 0x220000, 0x110000};
        for (int i = 0; i < 10; ++i) {
            std::int32_t* p = particle_of(game, s, i);
            if (p[life] <= 0) continue;
            p[life] += 1;
            p[speed] = std::max(1, p[speed] / 2);
            p[distance] += p[speed];
            p[size] = std::max(1, p[size] - 1);
            const int l = p[life];
            const Colour c = l <= 7 ? discs[0] : l <= 9 ? discs[1] : pick(discs, l - 8);
            const Point q = polar(p[x], p[y], p[angle], p[distance]);
            overlay.circle(q.x, q.y, p[size], Pen{c, 1}, c);
        }
    }
    static const Colour inner[] = {0xFF0000, 0xDD0000, 0xBB0000, 0x990000, 0x770000,
                                   0x550000, 0x440000, 0x330000, 0x220000, 0x110000};
    const Colour c1 = fx.age <= 2 ? inner[0] : pick(inner, fx.age - 2);
    overlay.circle(fx.x, fx.y, fx.age + 5, Pen{c1, std::max(1, 20 - fx.age)}, std::nullopt);
    static const Colour outer[] = {0x220000, 0x330000, 0x440000, 0x550000, 0xFFCC00, 0xDD9900, 0xBB6600,
                                   0x993300, 0x771100, 0x550000, 0x440000, 0x330000, 0x220000, 0x110000};
    const Colour c2 = fx.age < 0 ? outer[0] : fx.age <= 13 ? outer[static_cast<std::size_t>(fx.age)] : 0x000000;
    overlay.circle(fx.x, fx.y, fx.age + 20, Pen{c2, std::max(1, 5 - fx.age)}, std::nullopt);
    end_after(game, s, 16);
}

void draw_level_bloom(Game& game, int s, Canvas& overlay)
{
    Slot fx = slot_of(game, s);
    static const Colour pale[] = {0xFFFFFF, 0xFFFFD2, 0xEFCEB4, 0xDAB6AD, 0xC6B7B7, 0xB7AEAE};
    const int m = fx.age % 10;
    const Colour brush = pale[std::min(m, 10 - m)];
    const Colour pen = darker(brush, 34);
    const int r = game.fx_random(2) - fx.age / 2 + 20;
    for (int u = 1; u <= 9; ++u) {
        const int v = std::min(60, 2 * fx.age + u);
        const int spiral = v * (60 - v) / 2;
        for (int j = 1; j <= 13; ++j) {
            const Point q = polar(fx.x, fx.y, v + 30 * j, spiral);
            overlay.circle(q.x, q.y, r, Pen{pen, 1}, brush);
        }
        overlay.circle(fx.x, fx.y, v + 30, Pen{pen, 1}, std::nullopt);
    }
    end_after(game, s, 30);
}

void draw_wave(Game& game, int s, Canvas& overlay)
{
    using namespace particle;
    Slot fx = slot_of(game, s);
    const bool shout = game.effects.fx_kind[at(s)] == FxKind::shout_wave;
    static const Colour blue[] = {0xFFFFFF, 0xAACCFF, 0x8899FF, 0x5555DD, 0x3333AA,
                                  0x110077, 0x110044, 0x000022, 0x000011};
    static const Colour green[] = {0xFFFFFF, 0xAAFFCC, 0x88FF99, 0x55DD55, 0x33AA33,
                                   0x117700, 0x114400, 0x002200, 0x001100};
    const Colour(&list)[9] = shout ? green : blue;

    // The rings spread fast, then slow down.
    if (fx.age == 2) {
        fx.vx = 0;
        fx.vy = shout ? 80 : 40;
    }
    fx.vx += fx.vy;
    fx.vy = std::max(1, fx.vy - fx.vy / 3);
    const int spread = fx.vx;
    for (int u = 1; u <= 4; ++u) {
        const int v = fx.age + (shout ? 7 : 3) * u;
        const int radius = 2 * v + spread;
        const Pen pen{pick(list, v / 3 - 2), 14 - fx.age / 2};
        // A ring wholly outside the picture is not drawn.
        if (radius - pen.width > 1100) continue;
        Point corners[13];
        for (int j = 0; j <= 12; ++j) corners[j] = polar(fx.x, fx.y, v + 30 * j - 5 * fx.age, radius);
        overlay.polyline(corners, 13, pen);
    }

    if (first_frame(game, s)) {
        for (int i = 0; i < 10; ++i) {
            std::int32_t* p = particle_of(game, s, i);
            p[angle] = game.fx_random(360);
            p[life] = 1 + game.fx_random(9);
            p[speed] = 60;
            p[distance] = shout ? 0 : 220 + game.fx_random(100);
            p[size] = (shout ? 400 : 240) - 20 * p[life]; // length
        }
        return;
    }
    for (int i = 0; i < 10; ++i) {
        std::int32_t* p = particle_of(game, s, i);
        if (p[life] <= 0) continue;
        p[life] += 1;
        p[distance] = std::max(0, p[distance] - p[speed]);
        p[speed] = std::max(1, p[speed] / 2);
        p[size] = std::max(1, shout ? p[size] - p[size] / 20 - 1 : p[size] - p[size] / 5 - 1);
        const int l = p[life];
        const int a = shout ? p[angle] + 10 * l : p[angle];
        const Pen pen{pick(list, l / 3 - 1), 3 - l / 6};
        for (int half = 0; half < 2; ++half) {
            const Point from = polar(fx.x, fx.y, a + 180 * half, p[distance]);
            const Point to = polar(fx.x, fx.y, a + 180 * half, p[distance] + p[size]);
            overlay.line(from.x, from.y, to.x, to.y, pen);
        }
    }
}

} // namespace zen
