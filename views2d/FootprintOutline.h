#pragma once
// A satellite's footprint on the flat map: the true small circle around the sub-satellite point,
// sampled along great circles and projected like everything else on the map. A footprint that
// covers a pole is closed along the map's top or bottom edge.

#include <QPoint>
#include <QPointF>

#include <vector>

namespace kiv {

// Points per footprint, whatever the setting says.
int footprintPointCount(int accuracy);

// The footprint's angular radius (radians) from its circle's radius and the distance of the
// circle's plane from the centre (+0.05, as the document keeps it), both in thousands of km.
double footprintAngle(double footprintRadius, double footprintDist);

// The pole inside a circle of the given angular radius around lat (degrees): +1 north,
// -1 south, 0 none.
int coveredPole(double lat, double angle);

// The circle's n vertices as (x = longitude, y = latitude) in degrees, the longitudes unwrapped
// so that they change continuously from the first vertex (the one due north of the centre).
void footprintVertices(double lat, double lon, double angle, int n, std::vector<QPointF>& out);

// The footprint in map pixels, ready to fill. `outline` gets the vertices, the first repeated
// at the end; `polygon` the same plus, for a cap over a pole, the closure along the map's edge.
struct FootprintShape {
    std::vector<QPoint> outline;
    std::vector<QPoint> polygon;
    int minX = 0, maxX = 0; // x extent of the polygon
};
void footprintShape(double lat, double lon, double angle, int n, int width, int height, std::vector<QPointF>& scratch,
                    FootprintShape& out);

} // namespace kiv
