#include "platform/SystemClock.h"

#include <chrono>

namespace kiv {

std::uint64_t SystemClock::monotonicMs()
{
    const auto sinceEpoch = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceEpoch).count());
}

Time SystemClock::now()
{
    return Time::currentTime();
}

} // namespace kiv
