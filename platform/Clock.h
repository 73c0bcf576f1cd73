#pragma once
// The clock service: the animation's tick count and the wall-clock "now", injected so that the
// simulated clock can be tested step by step.

#include "platform/Time.h"

#include <cstdint>

namespace kiv {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds of a monotonic clock; only differences mean anything.
    virtual std::uint64_t monotonicMs() = 0;
    // The wall clock.
    virtual Time now() = 0;

    // The 32-bit tick count of the animation and of the settings archives: it wraps after about
    // 49.7 days, and differences taken in 32 bits stay right across the wrap.
    std::uint32_t tickCount() { return static_cast<std::uint32_t>(monotonicMs()); }
};

} // namespace kiv
