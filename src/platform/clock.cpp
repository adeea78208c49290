#include "platform/clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace zen {

namespace {

class SystemClock final : public Clock {
public:
    std::int64_t now_ms() override
    {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now() - start_).count();
    }
    void sleep_until(std::int64_t deadline_ms) override
    {
        const std::int64_t now = now_ms();
        if (deadline_ms > now) std::this_thread::sleep_for(std::chrono::milliseconds(deadline_ms - now));
    }
    std::uint64_t seed_time() override
    {
        using namespace std::chrono;
        return static_cast<std::uint64_t>(duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count());
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// Time that only moves when the frame loop moves it: a headless run is the same every time.
class VirtualClock final : public Clock {
public:
    explicit VirtualClock(std::int64_t start) : now_(start) {}
    std::int64_t now_ms() override { return now_; }
    void sleep_until(std::int64_t deadline_ms) override
    {
        if (deadline_ms > now_) now_ = deadline_ms;
    }
    std::uint64_t seed_time() override { return static_cast<std::uint64_t>(std::time(nullptr)); }

private:
    std::int64_t now_;
};

} // namespace

std::unique_ptr<Clock> make_system_clock() { return std::make_unique<SystemClock>(); }
std::unique_ptr<Clock> make_virtual_clock(std::int64_t start_ms) { return std::make_unique<VirtualClock>(start_ms); }

} // namespace zen
