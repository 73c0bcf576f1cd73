#include "document/BeamFootprint.h"

#include "document/tagSATINFO.h"

#include <algorithm>
#include <cmath>

namespace kiv {

namespace {
constexpr double kPi = 3.141592654; // as every drawing of the beam writes it
}

double clampBeamAngle(double degrees)
{
    if (!(degrees > 0.0))
        return 0.0;
    return std::min(degrees, kMaxBeamAngle);
}

BeamFootprint beamFootprint(double beamAngleDeg, double altitude)
{
    BeamFootprint f;
    const double angle = clampBeamAngle(beamAngleDeg);
    const double h = std::isfinite(altitude) ? altitude : 0.0;
    const double a = angle * kPi / 360.0;
    const double d = h + kEarthRadius;
    f.beamHalfAngle = a;
    f.beamRadius = d * std::tan(a);

    double horizon = 0.0;
    if (h > 0.0) {
        const double q = 1.0 / (h / kEarthRadius + 1.0);
        horizon = kEarthRadius * std::sqrt(1.0 - q * q);
    }
    const double s = std::sin(a);
    double r = horizon;
    if (angle <= 0.0)
        r = 0.0;
    else if (d * s < kEarthRadius)
        r = std::min(horizon, s * (d * std::cos(a) - std::sqrt(kEarthRadiusSquared - d * d * s * s)));
    f.footprintRadius = std::max(0.0, r);
    f.footprintDist = std::sqrt(std::max(0.0, kEarthRadiusSquared - f.footprintRadius * f.footprintRadius)) + 0.05;
    return f;
}

void setFootprint(tagSATINFO& info, const BeamFootprint& footprint)
{
    info.beamHalfAngle = footprint.beamHalfAngle;
    info.beamRadius = footprint.beamRadius;
    info.footprintRadius = footprint.footprintRadius;
    info.footprintDist = footprint.footprintDist;
}

} // namespace kiv
