#pragma once
// The drawings of the effect kinds, shared by the effects pass. Each draws slot s of the ring
// at its current age; the kinds with particles keep them in the slot's own work block.
#include "platform/canvas.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace zen {

struct Game;

void draw_floating_text(Game& game, int s, int bounce, Canvas& screen);
void draw_explosion(Game& game, int s, Canvas& overlay);
void draw_laser(Game& game, int s, Canvas& overlay);
void draw_shake(Game& game, int s, Canvas& screen);
void draw_smoke(Game& game, int s, Canvas& screen);
void draw_fire_burst(Game& game, int s, Canvas& overlay);
void draw_sparks(Game& game, int s, Canvas& screen);
void draw_gun_hit(Game& game, int s, Canvas& overlay);
void draw_red_burst(Game& game, int s, Canvas& overlay);
void draw_level_bloom(Game& game, int s, Canvas& overlay);
void draw_wave(Game& game, int s, Canvas& overlay);

// A particle record in a slot's work block: entry 0 is the created flag, records from entry 3.
namespace particle {
constexpr int first = 3;
constexpr int record = 11;
constexpr int max_count = 20;
constexpr int angle = 0; // or the smoke's puff count
constexpr int x = 1;
constexpr int y = 2;
constexpr int distance = 3; // or the pen width
constexpr int speed = 4;    // or the smoke's rise period
constexpr int size = 5;
constexpr int life = 6; // 0: dead
} // namespace particle

// Cosine and sine of whole degrees (any integer, negative too).
inline double cos_deg(int deg)
{
    static const std::array<double, 360> table = [] {
        std::array<double, 360> t{};
        for (int i = 0; i < 360; ++i) t[static_cast<std::size_t>(i)] = std::cos(i * 3.14159265358979323846 / 180.0);
        return t;
    }();
    return table[static_cast<std::size_t>(((deg % 360) + 360) % 360)];
}
inline double sin_deg(int deg) { return cos_deg(deg - 90); }

// The point at distance d along an angle from (x, y).
inline Point polar(int x, int y, int deg, int d)
{
    return {x + static_cast<int>(std::lround(cos_deg(deg) * d)), y + static_cast<int>(std::lround(sin_deg(deg) * d))};
}

} // namespace zen
