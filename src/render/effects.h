#pragma once
// The effects ring: floating texts, explosions, smoke, sparks, laser, waves, screen shake.
#include "core/screen_state.h"
#include "platform/canvas.h"

#include <string_view>

namespace zen {

struct Game;

void add_effect(Game& game, int x, int y, int kind, std::string_view text);
void add_effect_at(Game& game, int slot, int kind, std::string_view text);
void add_beam(Game& game, int x0, int y0, int x, int y, int kind);
void effects_pass(Game& game, Canvas& screen, Canvas& overlay);

// How far a floating text jumps at an age: up and down a few times, then sinking.
int bounce_offset(int age);
// The screen shake's displacement at an age (random within max(2, 5 - age) - 1 each way).
Point shake_offset(Game& game, int age);
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
