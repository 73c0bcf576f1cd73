#pragma once
// The document's settings that outlive a run. Member names are the profile keys, spelling and
// all, since profiles and settings archives use them. BOOL settings are ints: the stored files
// treat only 1 as true. Defaults come from the settings table, not from here.

#include "document/tagQUALITY.h"
#include "platform/ColorRef.h"

#include <QString>

#include <array>

namespace kiv {

struct KivSettings {
    // Allgemein
    QString Satellitenfilename;
    double RouteLengthFactor = 0.0;
    int NrOfPoints = 0;
    float AutoExtendX = 0.0f;
    int AccuracyX = 0;
    int AccuracyY = 0;
    int NrOfOcularReflections = 0;
    int AutoArrangeWindows = 0;
    QString IconFileName;
    QString ColorTableFileName;
    int ShowCourse3D = 0;
    int ShowCourse2D = 0;
    int ShowCourseWDB = 0;
    int ShowCourseOBS = 0;
    int SatelliteDrawStyle = 0;
    int SatModelNrFromFile = 0;
    int BeamDrawStyle = 0;
    float TransparencyBeam = 0.0f;
    float BeamAngle = 0.0f;
    int ShowCenterCross = 0;
    int CameraPos = 0;
    int Footprint3D = 0;
    int Footprint2D = 0;
    int FootprintWDB = 0;
    int CalculateExact = 0;
    // The names are crossed on purpose, as stored: ActualLongitude holds the latitude (degrees)
    // and ActualLatitude the west-positive longitude of the point the globe looks at.
    float ActualLongitude = 0.0f;
    float ActualLatitude = 0.0f;
    int Sterne = 0;
    int TimeFactor = 0;
    int Language = 1;
    int Show3D = 0;
    int Show2D = 0;
    int ShowWDB = 0;
    int ShowObs = 0;

    // Datei: most recent first
    std::array<QString, 5> InternetFileName;
    std::array<QString, 5> WeatherImage;

    // Weltkarte
    int PenWidth = 0;
    int FootprintStyle = 0;
    int Footprint2DColored = 0;
    int SatelliteName2D = 0;
    int SatellitePos2D = 0;
    int DrawMoon2D = 0;
    int DrawSun2D = 0;
    int DrawDayNightLine2D = 0;

    // Texture
    QString TextureErdeFileName;
    QString ErdkarteFileName;
    int TextureInterpolation = 0;
    float TextureDeltaErde = 0.0f;
    int DayNight3D = 0;
    int DayNight2D = 0;
    int DayNightWDB = 0;
    QString NightMapFileName;

    // WorldDataBase
    QString WDBMainFilePath;
    QString WDBMapFileName;
    QString WDBColorFileName;
    QString WDBSmalTowns;
    QString WDBBigTowns;
    int BDY_Layer = 0;
    int CIL_Layer = 0;
    int RIV_Layer = 0;
    int PBY_Layer = 0;
    int FootprintStyleWDB = 0;
    int ColorFootprintWDB = 0;
    int SatelliteNameWDB = 0;
    int SatellitePosWDB = 0;
    int BackgraoundTexture = 0;
    int ZoomStyle = 0;
    int ActivateAllLayers = 0;
    int EnableTowns = 0;
    int DynamicDisplayTowns = 0;
    int AllSmal = 0;
    int StaticGrid = 0;
    int DrawGrid = 0;
    int XExtension = 0;
    int GridStyle = 0;
    double GridDistance = 0.0;

    // ObserverView
    int bOBSShowAziEleDist = 0;
    int OBSShowAscDesc = 0;
    int bOBSShowName = 0;
    int bOBSShowIcons = 0;
    int bOBSDrawAscDesc = 0;
    int bOBSDrawAlt = 0;
    int bOBSDrawAzi = 0;
    int bOBSDrawEleDegrees = 0;
    int bOBSDrawAziDegrees = 0;
    int bOBSDrawCoord = 0;
    int bOBSDrawCompas = 0;
    int bOBSDrawHiddenLines = 0;
    int bOBSDrawCompassLines = 0;
    int bOBSDrawHemiSphere = 0;
    int bOBSDispaly2D = 0;
    int bOBSDrawMan = 0;
    int bOBSDrawZoombox = 0;
    double bOBSStartZoomboxAzi = 0.0;
    double bOBSStartZoomboxEle = 0.0;
    double bOBSEndZoomboxAzi = 0.0;
    double bOBSEndZoomboxEle = 0.0;
    double fOBSAzimuthDelta = 0.0;
    double fOBSElevationDelta = 0.0;
    double fUserLat = 0.0;
    double fUserLon = 0.0;
    double fUserAlt = 0.0;
    double fTwilight = 0.0;
    COLORREF cColorBackground = 0;
    COLORREF cColorAziLines = 0;
    COLORREF cColorEleLines = 0;
    COLORREF cColorManLines = 0;
    COLORREF cColorManHead = 0;
    COLORREF cColorManGround = 0;
    COLORREF cColorText = 0;

    // Weather
    QString WeatherImageURL;
    QString WeatherBackgroundImage;
    QString WeatherTempFileName;
    double WeatherStartLat = 0.0;
    double WeatherStartLon = 0.0;
    double WeatherEndLat = 0.0;
    double WeatherEndLon = 0.0;
    int WeatherMapWidth = 0;
    int WeatherMapHeight = 0;
    int WeatherKeepOriginalSize = 0;

    // Render quality
    tagQUALITY MouseMove;
    tagQUALITY Normal;
};

} // namespace kiv
