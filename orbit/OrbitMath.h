#pragma once
// Constants and small vector helpers shared by the orbit library's models.

#include <cmath>

namespace kiv::orbit {

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kTwoPi = 2.0 * kPi;
inline constexpr double kDegToRad = kPi / 180.0;
inline constexpr double kRadToDeg = 180.0 / kPi;

// WGS-84 ellipsoid for geodetic latitude, longitude and altitude.
inline constexpr double kWgs84EquatorialRadiusKm = 6378.137;
inline constexpr double kWgs84Flattening = 1.0 / 298.257223563;

// Mean rotation rate of the earth, rad/s.
inline constexpr double kEarthRotationRadPerSec = 7.29211514670698e-5;

struct Vec3 {
    double x = 0.0, y = 0.0, z = 0.0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(double s, Vec3 a) { return {s * a.x, s * a.y, s * a.z}; }
inline double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline double norm(Vec3 a) { return std::sqrt(dot(a, a)); }

// Reduces v into [0, m).
inline double modulus(double v, double m)
{
    double r = std::fmod(v, m);
    if (r < 0.0)
        r += m;
    return r >= m ? 0.0 : r;
}

} // namespace kiv::orbit
