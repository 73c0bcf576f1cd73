#pragma once
// The day/night line on the flat map: a quarter of the terminator computed by turning a quarter
// circle by the sun's latitude, mirrored into 120 points, rotated to start at the map's left
// edge and closed over the dark pole (or, for the day side, over the lit one).

#include <QPoint>
#include <QPointF>

#include <array>

namespace kiv {

inline constexpr int kTerminatorEntries = 120;
inline constexpr int kTerminatorPoints = 124;

struct TerminatorEntries {
    std::array<QPointF, kTerminatorEntries> entries; // (x = longitude offset from the sun, y = negated latitude)
    bool sunNorth = false;                           // the sun stands north of the equator
};

// The 120 unprojected entries for the sun's latitude.
TerminatorEntries terminatorEntries(double sunLat);

struct TerminatorPolygon {
    std::array<QPoint, kTerminatorPoints> points;
    int start = 0; // the entry the polygon begins with
};

// The night side (or, with `daySide`, the day side) as a closed polygon in map pixels. Sun
// longitudes may be east 0..360 or -180..180.
TerminatorPolygon terminatorPolygon(double sunLat, double sunLon, int width, int height, bool daySide = false);

} // namespace kiv
