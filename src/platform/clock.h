#pragma once
// Wall-clock time for the frame-rate regulation and the frame timer. A headless run uses a
// virtual clock that the frame loop advances itself, so a run is the same every time.
#include <cstdint>
#include <memory>

namespace zen {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since some fixed start.
    virtual std::int64_t now_ms() = 0;
    // Waits until now_ms() >= deadline (a virtual clock jumps there).
    virtual void sleep_until(std::int64_t deadline_ms) = 0;
    // Seconds since the epoch, for seeding.
    virtual std::uint64_t seed_time() = 0;
};

std::unique_ptr<Clock> make_system_clock();
std::unique_ptr<Clock> make_virtual_clock(std::int64_t start_ms = 0);

} // namespace zen
