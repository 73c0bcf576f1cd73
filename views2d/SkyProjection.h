#pragma once
// The observer's sky as a unit sphere seen from outside: x points north (azimuth 0), z east
// (azimuth 90°), y to the zenith. A turn about y and a tilt about x put it on the view; the
// screen point keeps the depth (positive toward the viewer) for the back-face tests. With
// turn 90 and tilt -90 the view looks down on the zenith: a flat polar plot, north up, east
// right. Pixels come from truncation toward zero.

#include "orbit/CSGP4_SDP4.h"

#include <vector>

namespace kiv {

// Degrees to radians for the turn and tilt.
inline constexpr double kSkyDegToRad = 0.017453292522222223;

struct SkyVector {
    double x = 0.0, y = 0.0, z = 0.0;
};

// The direction of azimuth and elevation (radians).
SkyVector azElToSkyPoint(double azimuth, double elevation);
SkyVector rotateAboutY(SkyVector p, double degrees);
SkyVector rotateAboutX(SkyVector p, double degrees);

struct ScreenPoint {
    double x = 0.0, y = 0.0, z = 0.0;
    // With the hemisphere rule on: the sky point lies below the horizon, so a line is not drawn
    // to it (the drawing moves there instead).
    bool belowHorizon = false;
};

struct SkyProjection {
    double turn = 90.0; // degrees about y
    double tilt = -90.0; // degrees about x
    int centreX = 160, centreY = 160;
    int radius = 150;
    bool hemisphere = false;

    ScreenPoint project(SkyVector p) const;
    // A sky point turned and tilted, still on the unit sphere.
    SkyVector turned(SkyVector p) const;

    // The sines and cosines of the last turn and tilt, worked out again only when they change:
    // a redraw projects thousands of points through the same two angles.
    struct Rotation {
        double turn = 0.0, tilt = 0.0;
        double cosTurn = 1.0, sinTurn = 0.0, cosTilt = 1.0, sinTilt = 0.0;
        bool valid = false;
    };
    mutable Rotation rotation;
};

// The grid lines, N points each, spaced by the steps (degrees). Meridian k lies at azimuth
// 90 - k·step (meridian 0 points east) and runs from the nadir over the horizon to the zenith;
// circle k lies at elevation 90 - k·step (circle 0 is the zenith). Whatever of 360° or 180° is
// left over after the last whole step stays undrawn. The horizon is one ring.
struct SkyMeshes {
    int points = 0;        // N per line
    double azimuthStep = 0.0, elevationStep = 0.0;
    std::vector<SkyVector> azimuth;   // meridianCount() lines
    std::vector<SkyVector> elevation; // circleCount() lines
    std::vector<SkyVector> horizon;   // one line

    int meridianCount() const { return points ? static_cast<int>(azimuth.size()) / points : 0; }
    int circleCount() const { return points ? static_cast<int>(elevation.size()) / points : 0; }
    const SkyVector& meridian(int k, int j) const { return azimuth[k * points + j]; }
    const SkyVector& circle(int k, int j) const { return elevation[k * points + j]; }

    // Steps are kept to 1..90 degrees and N to 3..2000, whatever the settings say.
    void build(int pointCount, double azimuthStepDeg, double elevationStepDeg);
};

// The labels: a meridian's compass azimuth (0..359) and a circle's elevation, in degrees.
double meridianLabel(int k, double step);
double circleLabel(int k, double step);

} // namespace kiv
