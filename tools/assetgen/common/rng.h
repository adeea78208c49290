#pragma once
// A small seeded generator for the asset pack. Our own arithmetic only, so the same seed
// gives the same pictures and sounds on every machine and standard library.
#include <cstdint>

namespace assetgen {

class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}

    std::uint32_t next()
    {
        // PCG-XSH-RR 64/32
        std::uint64_t old = state_;
        state_ = old * 6364136223846793005ull + 1442695040888963407ull;
        auto xorshifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
        auto rot = static_cast<std::uint32_t>(old >> 59u);
        return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
    }

    // Uniform integer 0..n-1 (0 when n <= 0).
    int below(int n)
    {
        if (n <= 0) return 0;
        return static_cast<int>((static_cast<std::uint64_t>(next()) * static_cast<std::uint64_t>(n)) >> 32);
    }

    // Uniform double in [0, 1).
    double unit() { return static_cast<double>(next()) / 4294967296.0; }

    // Uniform double in [lo, hi).
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }

private:
    std::uint64_t state_;
};

} // namespace assetgen
