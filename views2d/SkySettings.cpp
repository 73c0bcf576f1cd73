#include "views2d/SkySettings.h"

#include "document/FieldLinks.h"
#include "platform/FieldCount.h"

#include <numbers>

namespace kiv {

namespace {

constexpr double kRad = std::numbers::pi / 180.0;

using S = KivSettings;
using K = SkySettings;

// The switches, steps and colours, named once; the observer and the zoom box are converted by
// hand, and the grid's points come from the sphere approximation and never go back.
constexpr auto kLinks = fieldLinks<K>(
    link(&S::ShowCourseOBS, &K::showRoute), link(&S::bOBSShowAziEleDist, &K::showAziEleDist),
    link(&S::OBSShowAscDesc, &K::showRaDec), link(&S::bOBSShowName, &K::showName),
    link(&S::bOBSShowIcons, &K::showIcons), link(&S::bOBSDrawAscDesc, &K::drawRaDec),
    link(&S::bOBSDrawAlt, &K::drawElevation), link(&S::bOBSDrawEleDegrees, &K::drawEleDegrees),
    link(&S::bOBSDrawAzi, &K::drawAzimuth), link(&S::bOBSDrawAziDegrees, &K::drawAziDegrees),
    link(&S::bOBSDrawCoord, &K::drawCoord), link(&S::bOBSDrawCompas, &K::drawCompass),
    link(&S::bOBSDrawHiddenLines, &K::hiddenLines), link(&S::bOBSDrawCompassLines, &K::compassLines),
    link(&S::bOBSDrawHemiSphere, &K::hemisphere), link(&S::bOBSDispaly2D, &K::flat), link(&S::bOBSDrawMan, &K::drawMan),
    link(&S::fTwilight, &K::twilight), link(&S::fOBSAzimuthDelta, &K::azimuthStep),
    link(&S::fOBSElevationDelta, &K::elevationStep), link(&S::AccuracyX, &K::points, TakeBack::Never),
    link(&S::AccuracyY, &K::pointsY, TakeBack::Never), link(&S::cColorBackground, &K::background),
    link(&S::cColorText, &K::text), link(&S::cColorEleLines, &K::elevationLines),
    link(&S::cColorAziLines, &K::azimuthLines), link(&S::cColorManLines, &K::manLines),
    link(&S::cColorManHead, &K::manHead), link(&S::cColorManGround, &K::manGround));
// observer, zoomStart, zoomEnd, zoomBox
static_assert(fieldCount<K>() == kLinks.size() + 4);

} // namespace

SkySettings SkySettings::from(const KivSettings& s)
{
    SkySettings k = kLinks.in(s);
    k.observer = {s.fUserLat * kRad, s.fUserLon * kRad, s.fUserAlt, 0.0};
    k.zoomStart = {s.bOBSStartZoomboxAzi, s.bOBSStartZoomboxEle, 0.0, 0.0};
    k.zoomEnd = {s.bOBSEndZoomboxAzi, s.bOBSEndZoomboxEle, 0.0, 0.0};
    k.zoomBox = false;
    return k;
}

void SkySettings::storeInto(KivSettings& s) const
{
    kLinks.copyOut(*this, s);
    s.bOBSDrawZoombox = zoomBox;
    s.fUserLat = observer.x / kRad;
    s.fUserLon = observer.y / kRad;
    s.fUserAlt = observer.z;
    s.bOBSStartZoomboxAzi = zoomStart.x;
    s.bOBSStartZoomboxEle = zoomStart.y;
    s.bOBSEndZoomboxAzi = zoomEnd.x;
    s.bOBSEndZoomboxEle = zoomEnd.y;
}

} // namespace kiv
