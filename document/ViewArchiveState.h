#pragma once
// What a settings archive keeps of a view beyond the document's settings: the globe's camera and
// switches, the 2D map's and the World Data Bank views' own label switches and the WDB views'
// regions, the sky view's turn and tilt. The views hand these out and take them back through
// their ports; the records are plain so that the archive code needs no view.

#include "platform/ColorRef.h"

#include <array>
#include <cstdint>

namespace kiv {

struct GlobeArchiveState {
    int lighting = 1;
    int texturing = 1;
    // Column-major, as GL loads them.
    std::array<float, 16> projection{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    std::array<float, 16> modelView{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

    friend bool operator==(const GlobeArchiveState&, const GlobeArchiveState&) = default;
};

struct MapArchiveState {
    int showNames = 0;
    int showPositions = 0;

    friend bool operator==(const MapArchiveState&, const MapArchiveState&) = default;
};

inline constexpr int kWDBArchiveLayers = 32;

struct WDBArchiveState {
    std::array<COLORREF, kWDBArchiveLayers> layerColors{};
    std::array<std::int32_t, kWDBArchiveLayers> penWidths{};
    // The region of the background bitmap, in pixels.
    std::int32_t sourceLeft = 0, sourceRight = 0, sourceTop = 0, sourceBottom = 0;
    // The geographic extent in degrees (longitudes west-positive, as the view keeps them).
    double leftLongitude = 180.0, rightLongitude = -180.0, topLatitude = 90.0, bottomLatitude = -90.0;
    std::int32_t clientWidth = 0, clientHeight = 0;
    int showNames = 0;
    int showPositions = 0;

    friend bool operator==(const WDBArchiveState&, const WDBArchiveState&) = default;
};

struct ObsArchiveState {
    double turn = 90.0; // degrees
    double tilt = 90.0; // degrees; 90 is the flat polar plot

    friend bool operator==(const ObsArchiveState&, const ObsArchiveState&) = default;
};

} // namespace kiv
