#include "views2d/WDBScene.h"

#include "document/CKivDoc.h"

#include <algorithm>

namespace kiv {

namespace {
// The count says how much of the list was loaded last.
std::span<const tagTOWN> loaded(const std::vector<tagTOWN>& towns, int count)
{
    return std::span(towns).first(std::min<std::size_t>(towns.size(), std::max(0, count)));
}
} // namespace

WDBScene wdbScene(const CKivDoc& doc)
{
    WDBScene scene;
    scene.satellites = satelliteScene(doc);
    scene.tracks = doc.ShowCourseWDB != 0;
    scene.footprints = doc.FootprintWDB != 0;
    scene.footprintStyle = doc.FootprintStyleWDB;
    scene.colouredFootprints = doc.ColorFootprintWDB != 0;
    scene.zoomStyle = doc.ZoomStyle;
    scene.grid = doc.DrawGrid != 0;
    scene.staticGrid = doc.StaticGrid != 0;
    scene.gridDistance = doc.GridDistance;
    scene.gridStyle = doc.GridStyle;
    scene.towns = doc.EnableTowns != 0;
    scene.bigTowns = loaded(doc.BigTowns, doc.BigTownCount);
    scene.smallTowns = loaded(doc.SmalTowns, doc.SmalTownCount);
    scene.allSmallTowns = doc.AllSmal != 0;
    scene.townPopulationMin = doc.TownPopulationMin;
    scene.dynamicTowns = doc.DynamicDisplayTowns != 0;
    return scene;
}

} // namespace kiv
