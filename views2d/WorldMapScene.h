#pragma once
// What the 2D world map draws, built from the document once per redraw: the satellites, the
// simulated instant the sun and moon stand for, the layer switches and the World Data Bank
// views' extents.

#include "views2d/SatelliteScene.h"

#include <QRectF>

#include <array>
#include <optional>

namespace kiv {
class CKivDoc;

inline constexpr int kMaxZoomBoxes = 10; // 1..9 used, one per World Data Bank view

struct WorldMapScene {
    SatelliteScene satellites;
    double julianDate = 0.0;
    bool nightTexture = false;
    bool observer = false;
    bool tracks = false;
    bool footprints = false;
    int footprintStyle = 0; // 2 grey area, 3 hatched, else the outline alone
    bool colouredFootprints = false;
    bool zoomBoxes = false;
    bool shadow = false;
    bool sun = false;
    bool moon = false;
    // The World Data Bank views 1..zoomBoxCount; an empty entry for a slot without its view.
    int zoomBoxCount = 0;
    std::array<std::optional<QRectF>, kMaxZoomBoxes> zoomBoxExtents{};
};

WorldMapScene worldMapScene(const CKivDoc& doc);

} // namespace kiv
