#pragma once
// What one World Data Bank view shows, as one plain record that settings archives can store:
// the extent in degrees (longitudes positive to the west: the whole world is left 180, right
// -180; latitudes top 90, bottom -90), the picture's size in pixels and the label switches.

namespace kiv {

struct WDBViewState {
    double left = 180.0;
    double right = -180.0;
    double top = 90.0;
    double bottom = -90.0;
    int width = 100;  // picture, not window
    int height = 50;
    bool showNames = false;
    bool showPositions = false;
    bool operator==(const WDBViewState&) const = default;
};

} // namespace kiv
