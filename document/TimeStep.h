#pragma once
// How far one animation step moves the simulated clock.

#include <cstdint>

namespace kiv {

// Time factors with a meaning of their own; any other value is that many seconds.
inline constexpr int kRealTime = 1;
inline constexpr int kOneMonth = 2592000;

// Seconds to add for one step. Real time adds the whole seconds of the wall-clock time elapsed
// and keeps the fraction in realTimeRemainder; one month adds the days of the current local month
// (February always 28).
std::int64_t stepSeconds(int timeFactor, int localMonth, double& realTimeRemainder, std::uint32_t elapsedMs);

// "Jan" ... "Dec"; the clock pane says "Mai", the title "May".
const char* monthAbbreviation(int month, bool clockPane);

} // namespace kiv
