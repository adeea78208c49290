#pragma once
// The effects ring: floating texts, explosions, smoke, sparks, laser, waves, screen shake.
#include "core/effect_kind.h"
#include "core/screen_state.h"
#include "platform/canvas.h"

#include <string_view>

namespace zen {

struct Game;

void add_effect(Game& game, int x, int y, FxKind kind, std::string_view text);
void add_effect_at(Game& game, int slot, FxKind kind, std::string_view text);
void add_beam(Game& game, int x0, int y0, int x, int y, FxKind kind);
void effects_pass(Game& game, Canvas& screen, Canvas& overlay);

// How far a floating text jumps at an age: up and down a few times, then sinking.
int bounce_offset(int age);
// The screen shake's displacement at an age (random within max(2, 5 - age) - 1 each way).
Point shake_offset(Game& game, int age);

} // namespace zen
