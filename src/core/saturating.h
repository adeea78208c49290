#pragma once
// Arithmetic on the game's 32-bit numbers that stops at the ends of the range instead of wrapping.
// Money, experience, counts and days come from play and from the save file, so any of them may
// already stand at a limit.
#include <cstdint>
#include <limits>

namespace zen {

constexpr std::int32_t clamp_to_int32(std::int64_t v)
{
    if (v > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (v < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(v);
}

constexpr std::int32_t saturating_add(std::int32_t a, std::int64_t b)
{
    // b is at most a 32-bit value or the difference of two in every caller, so the sum fits 64 bits.
    return clamp_to_int32(static_cast<std::int64_t>(a) + b);
}

// The largest number the save file keeps, either way from 0. What the game writes it must read
// again, so a kept number the game raises or lowers (a day, a stage's clears, a pile's stock)
// stops here. No number of honest play comes near it, and two of them add up within 32 bits.
constexpr std::int32_t kKeptLimit = 999999999;

constexpr std::int32_t kept_add(std::int32_t a, std::int64_t b)
{
    const std::int64_t sum = static_cast<std::int64_t>(a) + b;
    return static_cast<std::int32_t>(sum > kKeptLimit ? kKeptLimit : (sum < -kKeptLimit ? -kKeptLimit : sum));
}

} // namespace zen
