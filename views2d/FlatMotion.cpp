#include "views2d/FlatMotion.h"

#include "views2d/FootprintOutline.h"
#include "views2d/MapProjection.h"

#include <QPointF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kiv {

namespace {

// An icon reaches this far from its centre; an outline a pen's width beyond its points.
constexpr double kIconReach = 17.0;
constexpr double kPenReach = 2.0;
constexpr double kDeg = std::numbers::pi / 180.0;
// Footprints reaching this close to a pole count every change.
constexpr double kNearPole = 89.999;

// A satellite's place in the picture, its longitude folded into the world.
QPointF place(const tagSATINFO& info, const MapExtent& extent, QSize picture)
{
    return extent.pixelOf(info.lat, foldLongitude(info.lon), picture);
}

// Whether the box from `low` to `high` comes within `reach` of the picture.
bool onPicture(QSize picture, QPointF low, QPointF high, double reach)
{
    return high.x() >= -reach && low.x() < picture.width() + reach && high.y() >= -reach &&
           low.y() < picture.height() + reach;
}

bool iconOnPicture(QSize picture, QPointF at) { return onPicture(picture, at, at, kIconReach); }

// A footprint's outline, without working out its vertices. A vertex lies `angle` from the centre
// at a bearing from the centre's north, so it moves on the sphere by at most the centre's move
// (the change of the centre's unit vector), the turn of its north (scaled by sin angle) and the
// change of the angle; the √3 bounds their sum by the length of the vector of all three, and a
// move on the sphere widens by up to 1 / cos(latitude) on the map. Listed only while the
// outline's box, or its copy a turn away, comes near the picture.
void listFootprint(DrawnPositions& drawn, const tagSATINFO& info, const MapExtent& extent, QSize picture)
{
    const double xPerDegree = picture.width() / (extent.left - extent.right);
    const double yPerDegree = picture.height() / (extent.top - extent.bottom);
    const double angle = footprintAngle(info.footprintRadius, info.footprintDist);
    const double lat = info.lat * kDeg, lon = foldLongitude(info.lon) * kDeg;
    const double reach = std::min(std::fabs(info.lat) + angle / kDeg, kNearPole);
    const double widening = 1.0 / std::cos(reach * kDeg);
    const double halfWidth = std::min(angle / kDeg * widening, 180.0);
    const QPointF centre = place(info, extent, picture);
    const QPointF spread(halfWidth * xPerDegree, angle / kDeg * yPerDegree);
    bool shown = false;
    for (const double turn : {0.0, 360.0, -360.0}) { // the maps draw it again a turn away
        const QPointF at = centre + QPointF(turn * xPerDegree, 0.0);
        shown = shown || (angle > 0.0 && onPicture(picture, at - spread, at + spread, kPenReach));
    }
    drawn.exact(shown ? coveredPole(info.lat, angle) + 2.0 : 0.0);
    if (!shown)
        return;
    const double sinAngle = std::sin(angle);
    const double values[] = {std::cos(lat) * std::cos(lon),
                             std::cos(lat) * std::sin(lon),
                             std::sin(lat),
                             -sinAngle * std::sin(lat) * std::cos(lon),
                             -sinAngle * std::sin(lat) * std::sin(lon),
                             sinAngle * std::cos(lat),
                             angle};
    const double pixelsPerRadian = std::max(yPerDegree, xPerDegree * widening) / kDeg;
    drawn.values(values, std::numbers::sqrt3 * pixelsPerRadian);
}

} // namespace

void listFlatSatellites(DrawnPositions& drawn, const SatelliteScene& satellites, const MapExtent& extent,
                        QSize picture, const FlatLayers& layers)
{
    for (const tagSATINFO& info : satellites.info) {
        if (drawn.decided())
            return;
        if (!info.shown)
            continue;
        const QPointF at = place(info, extent, picture);
        const bool iconShown = iconOnPicture(picture, at);
        drawn.exact(iconShown ? 1.0 : 0.0);
        if (iconShown)
            drawn.point(at.x(), at.y());
        if (layers.tracks)
            drawn.exact(info.lastTrack);
        if (layers.footprints)
            listFootprint(drawn, info, extent, picture);
    }
    if (!layers.labels.positions)
        return;
    // The texts last: they cost most, and a moved place has mostly decided already.
    std::string line;
    for (const tagSATINFO& info : satellites.info) {
        if (drawn.decided())
            return;
        if (!info.shown || !iconOnPicture(picture, place(info, extent, picture)))
            continue;
        latitudeLine(info.lat, line);
        drawn.text(line);
        longitudeLine(info.lon, satellites.eastLetter, line);
        drawn.text(line);
        altitudeLine(info.alt, line);
        drawn.text(line);
    }
}

} // namespace kiv
