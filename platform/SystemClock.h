#pragma once

#include "platform/Clock.h"

namespace kiv {

// The real clock: steady_clock for the tick count, the system time for now.
class SystemClock final : public Clock {
public:
    std::uint64_t monotonicMs() override;
    Time now() override;
};

} // namespace kiv
