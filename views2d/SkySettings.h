#pragma once
// The sky view's copy of its settings: taken from the document when the view opens and after
// the options dialog, given back before the settings are saved or edited. Latitude and
// longitude are radians here (the orbit library's observer), degrees in the document.

#include "document/KivSettings.h"
#include "orbit/CSGP4_SDP4.h"
#include "platform/ColorRef.h"

namespace kiv {

struct SkySettings {
    bool showRoute = true;
    bool showAziEleDist = true;
    bool showRaDec = true;
    bool showName = true;
    bool showIcons = true;
    bool drawRaDec = true;
    bool drawElevation = true;
    bool drawEleDegrees = true;
    bool drawAzimuth = true;
    bool drawAziDegrees = true;
    bool drawCoord = true;
    bool drawCompass = true;
    bool hiddenLines = true;
    bool compassLines = true;
    bool hemisphere = false;
    bool flat = false;
    bool drawMan = true;
    double twilight = -18.0; // degrees; satellites lower than this are not shown
    double azimuthStep = 36.0;
    double elevationStep = 15.0;
    int points = 10; // per grid line
    int pointsY = 10;
    COLORREF background = 0x400000, text = 0, elevationLines = 0, azimuthLines = 0;
    COLORREF manLines = 0, manHead = 0, manGround = 0;
    tagVECTOR observer; // latitude (rad), east longitude (rad), altitude (km)
    tagVECTOR zoomStart, zoomEnd;
    bool zoomBox = false;

    // Taking the settings always ends with the zoom box off.
    static SkySettings from(const KivSettings& s);
    void storeInto(KivSettings& s) const;
    // The label lines shown at all.
    bool anyLabel() const { return showName || showAziEleDist || showRaDec; }
};

} // namespace kiv
