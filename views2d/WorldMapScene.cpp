#include "views2d/WorldMapScene.h"

#include "document/CKivDoc.h"

#include <algorithm>

namespace kiv {

WorldMapScene worldMapScene(const CKivDoc& doc)
{
    WorldMapScene scene;
    scene.satellites = satelliteScene(doc);
    scene.julianDate = doc.SimTime.julianDate();
    scene.nightTexture = doc.DayNight2D != 0;
    scene.observer = doc.ShowObs != 0;
    scene.tracks = doc.ShowCourse2D != 0;
    scene.footprints = doc.Footprint2D != 0;
    scene.footprintStyle = doc.FootprintStyle;
    scene.colouredFootprints = doc.Footprint2DColored != 0;
    scene.zoomBoxes = doc.ShowWDB != 0;
    scene.shadow = doc.DrawDayNightLine2D != 0;
    scene.sun = doc.DrawSun2D != 0;
    scene.moon = doc.DrawMoon2D != 0;
    scene.zoomBoxCount = std::clamp(doc.Views.wdbCount(), 0, kMaxZoomBoxes - 1);
    for (int i = 1; i <= scene.zoomBoxCount; ++i) {
        if (const WDBViewPort* view = doc.Views.wdb(i))
            scene.zoomBoxExtents[i] = view->Extent();
    }
    return scene;
}

} // namespace kiv
