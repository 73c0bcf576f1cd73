#pragma once
// Sun and moon by the low-precision series of the astronomical almanacs (about 0.01 degree for
// the sun, a few hundredths of a degree and some ten km for the moon), the earth's shadow and
// the moon's phase. Vectors are geocentric, equator and equinox of date, in km.

#include "orbit/OrbitMath.h"

namespace kiv::orbit {

Vec3 sunPosition(double jd);
Vec3 moonPosition(double jd);

enum class Shadow { Sunlit = 0, Penumbra = 1, Umbra = 2 };

struct Eclipse {
    // Angle by which the earth's disc covers the sun's, seen from the object (rad); positive
    // when the sun is wholly hidden.
    double depthRad = 0.0;
    Shadow shadow = Shadow::Sunlit;
};

Eclipse eclipseOf(Vec3 objectKm, Vec3 sunKm);

// Illuminated fraction of the moon's disc (0 new, 1 full) seen from a point (all geocentric).
double illuminatedFraction(Vec3 sunKm, Vec3 moonKm, Vec3 observerKm);

} // namespace kiv::orbit
