#pragma once
// A satellite's footprint on the flat map: the true small circle around the sub-satellite point,
// sampled along great circles and projected like everything else on the map. A footprint that
// covers a pole is closed along the pole's latitude, the whole map's top or bottom edge.

#include <QPoint>
#include <QPointF>
#include <QSize>

#include <vector>

namespace kiv {

struct MapExtent;

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

// The footprint in pixels of a picture of `extent`, ready to fill. `outline` gets the vertices
// and the first again at the end (a turn away for a cap over a pole, so that no line runs across
// the picture); `polygon` the same plus, for a cap, the closure along the pole's latitude. Both
// are cut to the picture and two pictures around it, however far the footprint reaches.
struct FootprintShape {
    std::vector<QPoint> outline;
    std::vector<QPoint> polygon;
    int minX = 0, maxX = 0;              // x extent of the polygon
    double westLon = 0.0, eastLon = 0.0; // its east longitudes, unwrapped
    // Kept between calls, so that drawing does not allocate: the paths before they are cut.
    std::vector<QPointF> outlinePixels, polygonPixels, cutPixels;
};
void footprintShape(double lat, double lon, double angle, int n, const MapExtent& extent, QSize picture,
                    std::vector<QPointF>& scratch, FootprintShape& out);
// The same on the whole-world map.
void footprintShape(double lat, double lon, double angle, int n, int width, int height, std::vector<QPointF>& scratch,
                    FootprintShape& out);

} // namespace kiv
