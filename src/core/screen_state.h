#pragma once
// What the presentation keeps between frames: the message log, the effects ring and the status
// panel's rolling numbers. render/ draws them; every layer posts into the first two.
#include "core/effect_kind.h"

#include <array>
#include <cstdint>
#include <deque>
#include <string>

namespace zen {

// One row of the message log.
struct tmoji_efe {
    std::string text; // empty = empty row
    std::int32_t colour_code = 0;
};

// 0 is the newest entry; 0..4 are drawn.
using MessageLog = std::array<tmoji_efe, 21>;

// The rows the log has shown, newest first, for the player to scroll back through (the mouse wheel
// over the log); only the screen reads it. `scroll` rows back from the newest, 0 when at the end.
struct LogHistory {
    static constexpr std::size_t kKept = 200;
    std::deque<tmoji_efe> rows;
    int scroll = 0;
};

// Short animations: floating texts, explosions, smoke, sparks, laser, waves, screen shake.
struct EffectsRing {
    static constexpr int kSlots = 100;
    static constexpr int kWorkSize = 230;
    std::array<std::int32_t, kSlots> fx_age{};
    std::array<FxKind, kSlots> fx_kind{};
    std::array<std::int32_t, kSlots> fx_x{};
    std::array<std::int32_t, kSlots> fx_y{};
    std::array<std::int32_t, kSlots> fx_x0{};
    std::array<std::int32_t, kSlots> fx_y0{};
    std::array<std::int32_t, kSlots> fx_vx{};
    std::array<std::int32_t, kSlots> fx_vy{};
    std::array<std::string, kSlots> fx_text{};
    std::array<std::array<std::int32_t, kWorkSize>, kSlots> fx_particles{};
    std::int32_t fx_cursor = 0;
};

// The status panel's displayed values, rolling toward the real ones.
struct StatusPanelState {
    std::int32_t shown_energy = 0;
    std::int32_t shown_hunger = 0;
    std::int32_t shown_fatigue = 0;
    std::int32_t shown_sales = 0;
    std::int32_t shown_exp = 0;
};

} // namespace zen
