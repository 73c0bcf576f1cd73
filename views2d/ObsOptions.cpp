#include "views2d/ObsOptions.h"

namespace kiv {

ObsOptions ObsOptions::from(const KivSettings& s)
{
    ObsOptions o;
    o.showRaDec = s.OBSShowAscDesc != 0;
    o.showName = s.bOBSShowName != 0;
    o.drawElevation = s.bOBSDrawAlt != 0;
    o.drawAzimuth = s.bOBSDrawAzi != 0;
    o.drawIcons = s.bOBSShowIcons != 0;
    o.showAziEleDist = s.bOBSShowAziEleDist != 0;
    o.showRoute = s.ShowCourseOBS != 0;
    o.compass = s.bOBSDrawCompas != 0;
    o.hiddenLines = s.bOBSDrawHiddenLines != 0;
    o.compassLines = s.bOBSDrawCompassLines != 0;
    o.hemisphere = s.bOBSDrawHemiSphere != 0;
    o.altitude = s.fUserAlt;
    o.latitude = s.fUserLat;
    o.westLongitude = 0.0 - s.fUserLon;
    o.twilight = s.fTwilight;
    o.azimuthStep = s.fOBSAzimuthDelta;
    o.elevationStep = s.fOBSElevationDelta;
    o.background = s.cColorBackground;
    o.text = s.cColorText;
    o.elevationLines = s.cColorEleLines;
    o.azimuthLines = s.cColorAziLines;
    o.manLines = s.cColorManLines;
    o.manHead = s.cColorManHead;
    o.manGround = s.cColorManGround;
    return o;
}

void ObsOptions::storeInto(KivSettings& s) const
{
    s.OBSShowAscDesc = showRaDec;
    s.bOBSShowName = showName;
    s.bOBSDrawAlt = drawElevation;
    s.bOBSDrawAzi = drawAzimuth;
    s.bOBSShowIcons = drawIcons;
    s.bOBSShowAziEleDist = showAziEleDist;
    s.ShowCourseOBS = showRoute;
    s.bOBSDrawCoord = compass;
    s.bOBSDrawCompas = compass;
    s.bOBSDrawHiddenLines = hiddenLines;
    s.bOBSDrawCompassLines = compassLines;
    s.bOBSDrawHemiSphere = hemisphere;
    s.fUserAlt = altitude;
    s.fUserLat = latitude;
    s.fUserLon = 0.0 - westLongitude;
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
}

std::optional<int> twilightPreset(double twilight)
{
    for (int k = 0; k < 3; ++k) {
        if (twilight == kTwilightPresets[k])
            return k;
    }
    return std::nullopt;
}

std::pair<double, double> StepMemory::toggle(bool on, double azimuthStep, double elevationStep)
{
    if (!on)
        return saved_;
    saved_ = {azimuthStep, elevationStep};
    return {36.0, 15.0};
}

} // namespace kiv
