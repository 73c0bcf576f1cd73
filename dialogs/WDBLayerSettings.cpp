#include "dialogs/WDBLayerSettings.h"

#include "document/FieldLinks.h"
#include "document/KivSettings.h"
#include "platform/FieldCount.h"

#include <algorithm>
#include <cmath>

namespace kiv {

namespace {

using S = KivSettings;
using W = WDBLayerSettings;

// The sheet's fields, named once.
constexpr auto kLinks = fieldLinks<W>(
    link(&S::BDY_Layer, &W::BDY_Layer),
    link(&S::CIL_Layer, &W::CIL_Layer),
    link(&S::RIV_Layer, &W::RIV_Layer),
    link(&S::PBY_Layer, &W::PBY_Layer),
    link(&S::WDBColorFileName, &W::WDBColorFileName),
    link(&S::WDBMapFileName, &W::WDBMapFileName),
    link(&S::BackgraoundTexture, &W::BackgraoundTexture),
    link(&S::ZoomStyle, &W::ZoomStyle),
    link(&S::ActivateAllLayers, &W::ActivateAllLayers),
    link(&S::EnableTowns, &W::EnableTowns),
    link(&S::DynamicDisplayTowns, &W::DynamicDisplayTowns),
    link(&S::AllSmal, &W::AllSmal),
    link(&S::WDBSmalTowns, &W::WDBSmalTowns),
    link(&S::WDBBigTowns, &W::WDBBigTowns),
    link(&S::StaticGrid, &W::StaticGrid),
    link(&S::DrawGrid, &W::DrawGrid),
    link(&S::GridStyle, &W::GridStyle),
    link(&S::GridDistance, &W::GridDistance),
    link(&S::XExtension, &W::XExtension),
    link(&S::Language, &W::Language, TakeBack::Never));
// The colour table, kept in its own file rather than in the settings, is the one member not listed.
static_assert(fieldCount<W>() == kLinks.size() + 1);

} // namespace

WDBLayerSettings WDBLayerSettings::fromDocument(const KivSettings& d) { return kLinks.in(d); }

void WDBLayerSettings::toDocument(KivSettings& d) const { kLinks.copyOut(*this, d); }

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
