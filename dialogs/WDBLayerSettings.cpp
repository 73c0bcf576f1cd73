#include "dialogs/WDBLayerSettings.h"

#include "document/KivSettings.h"

#include <algorithm>
#include <cmath>

namespace kiv {

WDBLayerSettings WDBLayerSettings::fromDocument(const KivSettings& d)
{
    WDBLayerSettings s;
    s.BDY_Layer = d.BDY_Layer;
    s.CIL_Layer = d.CIL_Layer;
    s.RIV_Layer = d.RIV_Layer;
    s.PBY_Layer = d.PBY_Layer;
    s.WDBColorFileName = d.WDBColorFileName;
    s.WDBMapFileName = d.WDBMapFileName;
    s.BackgraoundTexture = d.BackgraoundTexture;
    s.ZoomStyle = d.ZoomStyle;
    s.ActivateAllLayers = d.ActivateAllLayers;
    s.EnableTowns = d.EnableTowns;
    s.DynamicDisplayTowns = d.DynamicDisplayTowns;
    s.AllSmal = d.AllSmal;
    s.WDBSmalTowns = d.WDBSmalTowns;
    s.WDBBigTowns = d.WDBBigTowns;
    s.StaticGrid = d.StaticGrid;
    s.DrawGrid = d.DrawGrid;
    s.GridStyle = d.GridStyle;
    s.GridDistance = d.GridDistance;
    s.XExtension = d.XExtension;
    s.Language = d.Language;
    return s;
}

void WDBLayerSettings::toDocument(KivSettings& d) const
{
    d.BDY_Layer = BDY_Layer;
    d.CIL_Layer = CIL_Layer;
    d.RIV_Layer = RIV_Layer;
    d.PBY_Layer = PBY_Layer;
    d.BackgraoundTexture = BackgraoundTexture;
    d.ZoomStyle = ZoomStyle;
    d.ActivateAllLayers = ActivateAllLayers;
    d.EnableTowns = EnableTowns;
    d.DynamicDisplayTowns = DynamicDisplayTowns;
    d.AllSmal = AllSmal;
    d.StaticGrid = StaticGrid;
    d.GridDistance = GridDistance;
    d.GridStyle = GridStyle;
    d.XExtension = XExtension;
    d.DrawGrid = DrawGrid;
    d.WDBColorFileName = WDBColorFileName;
    d.WDBMapFileName = WDBMapFileName;
    d.WDBSmalTowns = WDBSmalTowns;
    d.WDBBigTowns = WDBBigTowns;
}

void WDBLayerSettings::setDefaults()
{
    colors.colors[0] = 0x02000000; // black, palette-relative
    BackgraoundTexture = 1;
    ActivateAllLayers = 0;
    ZoomStyle = 15;
    BDY_Layer = 1;
    CIL_Layer = 1;
    RIV_Layer = 0;
    PBY_Layer = 1;
    for (int i = 1; i <= 29; ++i)
        colors.widths[i] = 1;
    StaticGrid = 0;
    GridStyle = 1;
    GridDistance = 10.0;
    EnableTowns = 1;
    DynamicDisplayTowns = 1;
    AllSmal = 0;
}

void WDBLayerSettings::clamp()
{
    for (int i = 1; i <= 28; ++i)
        colors.widths[i] = clampedPenWidth(colors.widths[i]);
    XExtension = std::clamp(XExtension, kMinExtension, kMaxExtension);
    GridDistance = std::isfinite(GridDistance) ? std::clamp(GridDistance, kMinGridDistance, kMaxGridDistance) : 10.0;
    BDY_Layer &= 0x7;
    CIL_Layer &= 0xFFF;
    RIV_Layer &= 0x7FF;
    PBY_Layer &= 0x3;
    ZoomStyle &= 0xF;
    GridStyle &= 0x7;
}

} // namespace kiv
