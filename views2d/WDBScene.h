#pragma once
// What a World Data Bank view draws over its background and vectors, built from the document
// once per redraw: the grid's and the towns' settings, the town lists (the document's own,
// referenced for the paint) and the satellites.

#include "document/tagTOWN.h"
#include "views2d/SatelliteScene.h"

#include <span>

namespace kiv {
class CKivDoc;

struct WDBScene {
    SatelliteScene satellites;
    bool tracks = false;
    bool footprints = false;
    int footprintStyle = 0; // 2 grey area, 3 hatched, else the outline alone
    bool colouredFootprints = false;
    int zoomStyle = 0;      // what a drag keeps: 1 the grid, 4 the small towns
    bool grid = false;
    bool staticGrid = false;
    double gridDistance = 0.0;
    int gridStyle = 0;
    bool towns = false;
    std::span<const tagTOWN> bigTowns;   // as far as the lists were loaded last
    std::span<const tagTOWN> smallTowns;
    bool allSmallTowns = false;          // while dragging, whatever their population
    int townPopulationMin = 0;           // 0: no limit
    bool dynamicTowns = false;           // fewer towns the wider the view
};

WDBScene wdbScene(const CKivDoc& doc);

} // namespace kiv
