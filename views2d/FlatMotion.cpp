#include "views2d/FlatMotion.h"

#include "views2d/FootprintOutline.h"
#include "views2d/MapProjection.h"

#include <QPointF>

#include <algorithm>
#include <vector>

namespace kiv {

namespace {

// An icon reaches this far from its centre; an outline a pen's width beyond its points.
constexpr double kIconReach = 17.0;
constexpr double kPenReach = 2.0;

QPointF place(const FlatMapping& m, double lat, double lon)
{
    return {(lon + m.lonOffset) * m.xPerDegree, (m.latTop - lat) * m.yPerDegree};
}

// Whether the box from `low` to `high` comes within `reach` of the picture.
bool onPicture(const FlatMapping& m, QPointF low, QPointF high, double reach)
{
    return high.x() >= -reach && low.x() < m.picture.width() + reach && high.y() >= -reach &&
           low.y() < m.picture.height() + reach;
}

bool iconOnPicture(const FlatMapping& m, QPointF at) { return onPicture(m, at, at, kIconReach); }

// The outline's vertices in the picture (their longitudes unwrapped, as the maps draw them),
// when any of it falls on the picture.
void listFootprint(DrawnPositions& drawn, const tagSATINFO& info, const FlatMapping& m, int points,
                   std::vector<QPointF>& vertices)
{
    footprintVertices(info.lat, foldLongitude(info.lon), footprintAngle(info.footprintRadius, info.footprintDist),
                      points, vertices);
    QPointF low(1e300, 1e300), high(-1e300, -1e300);
    for (QPointF& v : vertices) {
        v = place(m, v.y(), v.x());
        low = {std::min(low.x(), v.x()), std::min(low.y(), v.y())};
        high = {std::max(high.x(), v.x()), std::max(high.y(), v.y())};
    }
    const bool shown = !vertices.empty() && onPicture(m, low, high, kPenReach);
    drawn.exact(shown ? 1.0 : 0.0);
    for (std::size_t k = 0; shown && k < vertices.size(); ++k)
        drawn.point(vertices[k].x(), vertices[k].y());
}

} // namespace

void listFlatSatellites(DrawnPositions& drawn, const SatelliteScene& satellites, const FlatMapping& m,
                        const FlatLayers& layers)
{
    std::vector<QPointF> vertices;
    const int points = footprintPointCount(satellites.footprintAccuracy);
    for (const tagSATINFO& info : satellites.info) {
        if (drawn.decided())
            return;
        if (!info.shown)
            continue;
        const QPointF at = place(m, info.lat, foldLongitude(info.lon));
        const bool iconShown = iconOnPicture(m, at);
        drawn.exact(iconShown ? 1.0 : 0.0);
        if (iconShown)
            drawn.point(at.x(), at.y());
        if (layers.tracks)
            drawn.exact(info.lastTrack);
        if (layers.footprints)
            listFootprint(drawn, info, m, points, vertices);
    }
    if (!layers.labels.positions)
        return;
    // The texts last: they cost most, and a moved place has mostly decided already.
    std::string line;
    for (const tagSATINFO& info : satellites.info) {
        if (drawn.decided())
            return;
        if (!info.shown || !iconOnPicture(m, place(m, info.lat, foldLongitude(info.lon))))
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
