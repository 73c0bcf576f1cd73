#pragma once
// Geometry of a satellite's beam where it meets the earth. Lengths in thousands of km.

struct tagSATINFO;

namespace kiv {

inline constexpr double kEarthRadius = 6.378;
inline constexpr double kEarthRadiusSquared = 40.678884;
inline constexpr double kMaxBeamAngle = 179.99899;

// The full beam angle (degrees) as every user of it takes it: [0, kMaxBeamAngle], NaN as 0.
double clampBeamAngle(double degrees);

struct BeamFootprint {
    double beamHalfAngle = 0.0;   // rad
    double beamRadius = 0.0;      // radius of the cone in the plane through the centre
    double footprintRadius = 0.0; // radius of the lit circle, at most the horizon's
    double footprintDist = 0.0;   // distance of the circle's plane from the centre, + 0.05
};

// Where the cone of the given full angle, pointed at the centre from the given altitude, cuts
// the sphere; past the tangent it is the horizon circle.
BeamFootprint beamFootprint(double beamAngleDeg, double altitude);

void setFootprint(tagSATINFO& info, const BeamFootprint& footprint);

} // namespace kiv
