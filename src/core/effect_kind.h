#pragma once
// The kinds of short animation the effects ring can hold. The numbers are the kinds' own numbers
// (the effect gallery names its pictures by them); a slot that never held an effect has none.
#include <cstdint>

namespace zen {

enum class FxKind : std::int32_t {
    none = 0,
    animal_text = 17, // an animal helper's words over its head
    energy_text = 18, // "MP +n" where energy came back
    text = 19,        // rewards, sales and remarks over a figure
    level_bloom = 64,
    red_burst = 82,
    explosion = 88,
    smoke = 146,
    fire_burst = 147,
    laser = 170, // a beam from (x0, y0) to (x, y)
    sparks = 253,
    gun_hit = 266,
    animal_wave = 395,
    shout_wave = 396,
    shake = 504, // the whole play area shakes
};

} // namespace zen
