#pragma once
// What one satellite's beam list holds, worked out from the draw style and the footprint
// values. The list is drawn in the satellite's turned frame: the earth's centre at the origin,
// the satellite on -z at distance alt + 6.378.

namespace kiv {

enum class BeamStyle { None = 0, Line = 1, Cone = 2, TransparentCone = 3 };

struct BeamPlan {
    BeamStyle style = BeamStyle::None;
    double satelliteDistance = 0.0; // from the centre
    double coneRadius = 0.0;        // where the cone meets the footprint's plane
    double coneHeight = 0.0;        // from the satellite down to that plane
    bool circle = false;            // the footprint circle
    double circleDistance = 0.0;    // of its plane from the centre
    double circleRadius = 0.0;
};

// Styles outside 0..3 draw no beam. The opaque cone has no footprint circle.
BeamPlan beamPlan(int beamDrawStyle, bool footprint, double altitude, double footprintRadius, double footprintDist);

} // namespace kiv
