#pragma once
// The fixed display-list numbers of the globe's context.

namespace kiv::lists {

inline constexpr unsigned kCross = 43210;
inline constexpr unsigned kSatelliteModel = 43211;
inline constexpr unsigned kEarth = 43212;
inline constexpr unsigned kMoon = 43213;
inline constexpr unsigned kSun = 43214;
inline constexpr unsigned kStars = 43215;
inline constexpr unsigned kFlareDiscs = 43216; // 20 discs
inline constexpr unsigned kFlareRing = 43237;
inline constexpr unsigned kOrbits = 44000;     // + slot
inline constexpr unsigned kBeams = 44255;      // + slot

} // namespace kiv::lists
