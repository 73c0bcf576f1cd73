#pragma once
// A ground track as pen moves: the ring's points joined in order, broken where a step jumps more
// than 200 degrees of longitude, which is a crossing of the map's left or right edge.

#include <QPoint>

#include <span>
#include <vector>

namespace kiv {

struct PathStep {
    bool draw = false; // a line from the current position, else a move
    QPoint to;
    bool operator==(const PathStep&) const = default;
};

// Replaces `out` with the path through points 0 .. count - 1 of the track (longitudes 0..360 or
// -180..180); `out` keeps its capacity, so a warm vector does not allocate.
void groundTrackPath(std::span<const double> lat, std::span<const double> lon, int count, int width, int height,
                     std::vector<PathStep>& out);

} // namespace kiv
