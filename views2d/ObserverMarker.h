#pragma once
// The observer's position on the flat map, as the sky view reports it: a cross turned by the
// viewing azimuth with the letters D, U, R and L at its ends and an arrow head at the U end.

#include <QPoint>

#include <array>

namespace kiv {

struct ObserverMarkerState {
    double x = 0.0;       // fraction of the map's width
    double y = 0.0;       // fraction of the map's height
    double azimuth = 0.0; // radians
    double flip = 0.0;    // above 0: the azimuth is turned by half a turn
};

struct ObserverMarkerShape {
    std::array<QPoint, 2> line1;   // the D-U line
    std::array<QPoint, 2> line2;   // the R-L line
    std::array<QPoint, 3> arrow;   // polyline at the U end
    std::array<QPoint, 4> letters; // top-left corners of D, U, R, L
};

ObserverMarkerShape observerMarker(const ObserverMarkerState& state, int width, int height);

inline constexpr std::array<char, 4> kObserverLetters{'D', 'U', 'R', 'L'};

} // namespace kiv
