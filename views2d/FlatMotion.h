#pragma once
// What the flat maps (the 2D map and the World Data Bank views) list of their satellites for
// DrawnPositions, so that a step whose clock moved redraws them only when it moved something:
// each shown satellite's place, its track's newest point, its footprint's outline and the
// position lines of its label, as far as they fall on the picture.

#include "document/DrawnPositions.h"
#include "views2d/MapExtent.h"
#include "views2d/SatelliteLabel.h"
#include "views2d/SatelliteScene.h"

#include <QSize>

namespace kiv {

struct FlatLayers {
    bool tracks = false;
    bool footprints = false;
    LabelContent labels;
};

// The satellites as a picture of `extent` draws them.
void listFlatSatellites(DrawnPositions& drawn, const SatelliteScene& satellites, const MapExtent& extent,
                        QSize picture, const FlatLayers& layers);

} // namespace kiv
