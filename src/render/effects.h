#pragma once
// The effects ring (floating texts, explosions, smoke, sparks, laser, waves, screen shake)
// and the background picture.
#include "platform/canvas.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zen {

struct Game;

struct EffectsRing {
    static constexpr int slots = 100;
    static constexpr int work_size = 230;
    std::array<std::int32_t, slots> fx_age{};
    std::array<std::int32_t, slots> fx_kind{};
    std::array<std::int32_t, slots> fx_x{};
    std::array<std::int32_t, slots> fx_y{};
    std::array<std::int32_t, slots> fx_x0{};
    std::array<std::int32_t, slots> fx_y0{};
    std::array<std::int32_t, slots> fx_vx{};
    std::array<std::int32_t, slots> fx_vy{};
    std::array<std::string, slots> fx_text{};
    std::array<std::array<std::int32_t, work_size>, slots> fx_particles{};
    std::int32_t fx_cursor = 0;
    // Where a street figure's head is, (x, y - height) of the figure in that slot; the street
    // sets it. Without it (or without a figure there) a figure post takes the random point.
    bool (*figure_head)(const Game& game, int slot, int& x, int& y) = nullptr;
};

void add_effect(Game& game, int x, int y, int kind, std::string_view text);
void add_effect_at(Game& game, int slot, int kind, std::string_view text);
void add_beam(Game& game, int x0, int y0, int x, int y, int kind);
void effects_pass(Game& game, Canvas& screen, Canvas& overlay);
void show_picture(Game& game, const std::string& name);

// How far a floating text jumps at an age: up and down a few times, then sinking.
int bounce_offset(int age);
// The screen shake's displacement at an age (random within max(2, 5 - age) - 1 each way).
Point shake_offset(Game& game, int age);
// Where a background picture lies: at (0, 0) when 600 high, else centred in the upper 800 x 480.
Point picture_position(int width, int height);
// Effect kinds the game posts.
constexpr int kFxAnimalText = 17;
constexpr int kFxEnergyText = 18;
constexpr int kFxText = 19;
constexpr int kFxLevelBloom = 64;
constexpr int kFxRedBurst = 82;
constexpr int kFxExplosion = 88;
constexpr int kFxSmoke = 146;
constexpr int kFxFireBurst = 147;
constexpr int kFxLaser = 170;
constexpr int kFxSparks = 253;
constexpr int kFxGunHit = 266;
constexpr int kFxAnimalWave = 395;
constexpr int kFxShoutWave = 396;
constexpr int kFxShake = 504;

} // namespace zen
