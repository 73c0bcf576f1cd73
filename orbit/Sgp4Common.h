#pragma once
// Constants and helpers shared by the parts of the SGP4 model (Spacetrack Report #3 in its
// 2006 revision).

#include "orbit/OrbitMath.h"

#include <cmath>

namespace kiv::orbit {

namespace wgs72 {
inline constexpr double kMuKm3PerSec2 = 398600.8;
inline constexpr double kEarthRadiusKm = 6378.135;
// sqrt(mu / radius^3) in earth radii^1.5 per minute: 60 / sqrt(6378.135^3 / 398600.8), the
// double the published code computes at run time.
inline constexpr double kXke = 0.07436691613317342;
inline constexpr double kJ2 = 0.001082616;
inline constexpr double kJ3 = -0.00000253881;
inline constexpr double kJ4 = -0.00000165597;
inline constexpr double kJ3OverJ2 = kJ3 / kJ2;
// Velocity unit: earth radii per minute in km/s.
inline constexpr double kKmPerSecPerRadiiPerMin = kEarthRadiusKm * kXke / 60.0;
} // namespace wgs72

// std::fmod(x, 2 pi), which the published code applies to angles, without the library call
// for angles already in range (fmod is exact, so this gives the same double).
inline double fmodTwoPi(double x)
{
    return std::fabs(x) < kTwoPi ? x : std::fmod(x, kTwoPi);
}

} // namespace kiv::orbit
