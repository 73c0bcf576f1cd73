#pragma once
// The instants the simulated clock may take: from 1970 on, where the settings archives, the
// element sets and the orbit models all make sense, up to the end of the year 3000.

#include "platform/Time.h"

namespace kiv {

inline constexpr Time kEarliestSimTime{0};
inline constexpr Time kLatestSimTime{32'535'215'999}; // 3000-12-31 23:59:59 UTC

inline constexpr bool isSimTimeInRange(Time t) { return t >= kEarliestSimTime && t <= kLatestSimTime; }

} // namespace kiv
