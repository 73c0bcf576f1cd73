#pragma once
// A clock that moves only when the test says so.

#include "platform/Clock.h"

namespace kiv::test {

class ManualClock final : public Clock {
public:
    std::uint64_t monotonicMs() override { return ms_; }
    Time now() override { return now_; }

    void setMonotonicMs(std::uint64_t ms) { ms_ = ms; }
    void setNow(Time now) { now_ = now; }
    // Moves both clocks on; whole seconds of the wall clock follow the milliseconds.
    void advanceMs(std::uint64_t ms)
    {
        now_ += static_cast<std::int64_t>((ms_ % 1000 + ms) / 1000);
        ms_ += ms;
    }

private:
    std::uint64_t ms_ = 0;
    Time now_{1'700'000'000}; // 2023-11-14 22:13:20 UTC
};

} // namespace kiv::test
