#pragma once
// The game's one random generator. Our own generator and reduction, so that a seed means the
// same game with every compiler and standard library.
#include <cstdint>

namespace zen {

class Random {
public:
    explicit Random(std::uint64_t seed = 0) { reseed(seed); }

    void reseed(std::uint64_t seed)
    {
        state_ = 0;
        next32();
        state_ += seed;
        next32();
    }

    // Uniform integer 0..n-1; 0 when n <= 0.
    int below(int n)
    {
        if (n <= 0) return 0;
        return static_cast<int>((static_cast<std::uint64_t>(next32()) * static_cast<std::uint64_t>(n)) >> 32);
    }

    std::uint32_t next32()
    {
        // PCG-XSH-RR 64/32
        const std::uint64_t old = state_;
        state_ = old * 6364136223846793005ull + 1442695040888963407ull;
        const auto xorshifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
        const auto rot = static_cast<std::uint32_t>(old >> 59u);
        return (xorshifted >> rot) | (xorshifted << ((32u - rot) & 31u));
    }

private:
    std::uint64_t state_ = 0;
};

} // namespace zen
