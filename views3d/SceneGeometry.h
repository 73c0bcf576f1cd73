#pragma once
// The shapes of the globe's scene as plain numbers, so that they can be tested without GL: the
// textured earth sphere, circles (footprints, flare discs), the solid cube, the flare's size
// and disc table, and the render-detail values as every shape takes them.

#include "views3d/Matrix4.h"

#include <array>
#include <vector>

namespace kiv {

// Slices and stacks of spheres and points of circles: AccuracyX and AccuracyY, raised to the
// least that still makes a closed shape.
struct Detail {
    int slices = 35;
    int stacks = 20;

    static Detail of(int accuracyX, int accuracyY);
};

struct SphereVertex {
    Vec3 position; // also the normal: the earth is lit brighter for its unnormalised length
    float s = 0.0f;
    float t = 0.0f;
};

// One quad strip per slice, from the north pole down. The texture's left edge is longitude
// -180 and its top row the north pole when the offset is 90 degrees; faces wind counter-
// clockwise seen from outside.
std::vector<std::vector<SphereVertex>> texturedSphere(double radius, Detail detail, double offsetDeg);

// n points of a circle of radius r about the origin in the xy plane, counter-clockwise from +x,
// the first point not repeated.
std::vector<Vec3> circlePoints(double radius, int points);

// The solid cube of the given edge about the origin: a quad strip of ten vertices for the four
// sides, then eight vertices of quads for the top and bottom.
struct CubeVertices {
    std::array<Vec3, 10> sides;
    std::array<Vec3, 8> caps;
};
CubeVertices cubeVertices(double edge);

// The coordinate cross's axes reach this far from the centre each way.
inline constexpr double kCrossHalfLength = 26.62;

struct FlareDisc {
    double position; // along the line from the sun through the centre, in sun-to-centre lengths
    double radius;   // in flare scales
};
inline constexpr int kFlareDiscs = 20;
extern const std::array<FlareDisc, kFlareDiscs> kFlareDiscTable;

// Whether the straight line from a to b passes through the sphere of the radius about the
// origin (the earth hiding the sun from the eye).
bool segmentMeetsSphere(Vec3 a, Vec3 b, double radius);

// The flare's size for a window: 33 pixels on a 1024 x 768 window, by the tighter side.
double flareScale(int width, int height);

} // namespace kiv
