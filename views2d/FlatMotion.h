#pragma once
// What the flat maps (the 2D map and the World Data Bank views) list of their satellites for
// DrawnPositions, so that a step whose clock moved redraws them only when it moved something:
// each shown satellite's place, its track's newest point, its footprint's outline and the
// position lines of its label, as far as they fall on the picture.

#include "document/DrawnPositions.h"
#include "views2d/SatelliteLabel.h"
#include "views2d/SatelliteScene.h"

#include <QSize>

namespace kiv {

// A plate carrée part of the world in a picture: x = (longitude + lonOffset) · xPerDegree, with
// longitudes folded to -180..180, and y = (latTop - latitude) · yPerDegree, before truncation.
struct FlatMapping {
    double lonOffset = 180.0;
    double xPerDegree = 1.0;
    double latTop = 90.0;
    double yPerDegree = 1.0;
    QSize picture;
};

struct FlatLayers {
    bool tracks = false;
    bool footprints = false;
    LabelContent labels;
};

void listFlatSatellites(DrawnPositions& drawn, const SatelliteScene& satellites, const FlatMapping& mapping,
                        const FlatLayers& layers);

} // namespace kiv
