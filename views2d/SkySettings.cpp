#include "views2d/SkySettings.h"

#include <numbers>

namespace kiv {

namespace {
constexpr double kRad = std::numbers::pi / 180.0;
}

SkySettings SkySettings::from(const KivSettings& s)
{
    SkySettings k;
    k.showRoute = s.ShowCourseOBS != 0;
    k.showAziEleDist = s.bOBSShowAziEleDist != 0;
    k.showRaDec = s.OBSShowAscDesc != 0;
    k.showName = s.bOBSShowName != 0;
    k.showIcons = s.bOBSShowIcons != 0;
    k.drawRaDec = s.bOBSDrawAscDesc != 0;
    k.drawElevation = s.bOBSDrawAlt != 0;
    k.drawEleDegrees = s.bOBSDrawEleDegrees != 0;
    k.drawAzimuth = s.bOBSDrawAzi != 0;
    k.drawAziDegrees = s.bOBSDrawAziDegrees != 0;
    k.drawCoord = s.bOBSDrawCoord != 0;
    k.drawCompass = s.bOBSDrawCompas != 0;
    k.hiddenLines = s.bOBSDrawHiddenLines != 0;
    k.compassLines = s.bOBSDrawCompassLines != 0;
    k.hemisphere = s.bOBSDrawHemiSphere != 0;
    k.flat = s.bOBSDispaly2D != 0;
    k.drawMan = s.bOBSDrawMan != 0;
    k.twilight = s.fTwilight;
    k.azimuthStep = s.fOBSAzimuthDelta;
    k.elevationStep = s.fOBSElevationDelta;
    k.points = s.AccuracyX;
    k.pointsY = s.AccuracyY;
    k.background = s.cColorBackground;
    k.text = s.cColorText;
    k.elevationLines = s.cColorEleLines;
    k.azimuthLines = s.cColorAziLines;
    k.manLines = s.cColorManLines;
    k.manHead = s.cColorManHead;
    k.manGround = s.cColorManGround;
    k.observer = {s.fUserLat * kRad, s.fUserLon * kRad, s.fUserAlt, 0.0};
    k.zoomStart = {s.bOBSStartZoomboxAzi, s.bOBSStartZoomboxEle, 0.0, 0.0};
    k.zoomEnd = {s.bOBSEndZoomboxAzi, s.bOBSEndZoomboxEle, 0.0, 0.0};
    k.zoomBox = false;
    return k;
}

void SkySettings::storeInto(KivSettings& s) const
{
    s.ShowCourseOBS = showRoute;
    s.bOBSShowAziEleDist = showAziEleDist;
    s.OBSShowAscDesc = showRaDec;
    s.bOBSShowName = showName;
    s.bOBSShowIcons = showIcons;
    s.bOBSDrawAscDesc = drawRaDec;
    s.bOBSDrawAlt = drawElevation;
    s.bOBSDrawEleDegrees = drawEleDegrees;
    s.bOBSDrawAzi = drawAzimuth;
    s.bOBSDrawAziDegrees = drawAziDegrees;
    s.bOBSDrawCoord = drawCoord;
    s.bOBSDrawCompas = drawCompass;
    s.bOBSDrawHiddenLines = hiddenLines;
    s.bOBSDrawCompassLines = compassLines;
    s.bOBSDrawHemiSphere = hemisphere;
    s.bOBSDispaly2D = flat;
    s.bOBSDrawMan = drawMan;
    s.bOBSDrawZoombox = zoomBox;
    s.fTwilight = twilight;
    s.fOBSAzimuthDelta = azimuthStep;
    s.fOBSElevationDelta = elevationStep;
    s.cColorBackground = background;
    s.cColorText = text;
    s.cColorEleLines = elevationLines;
    s.cColorAziLines = azimuthLines;
    s.cColorManLines = manLines;
    s.cColorManHead = manHead;
    s.cColorManGround = manGround;
    s.fUserLat = observer.x / kRad;
    s.fUserLon = observer.y / kRad;
    s.fUserAlt = observer.z;
    s.bOBSStartZoomboxAzi = zoomStart.x;
    s.bOBSStartZoomboxEle = zoomStart.y;
    s.bOBSEndZoomboxAzi = zoomEnd.x;
    s.bOBSEndZoomboxEle = zoomEnd.y;
}

} // namespace kiv
