#pragma once
// The document's commands that run a dialog: what goes into the dialog, what comes back and
// what the document then does. Each command holds the animation timer off from before its
// dialog until after its last step. The dialogs themselves come in as editors, so that the
// program passes the real ones and tests pass scripted ones.

#include "document/ColorTableFile.h"
#include "document/ElementFile.h"
#include "document/IconTable.h"
#include "document/KivSettings.h"
#include "document/tagQUALITY.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>

namespace kiv {
class CKivDoc;
class CWDBView;

// An editor runs its dialog modally on a copy of the values: the edited copy on OK, nothing on
// Cancel.
template <class Values>
using Editor = std::function<std::optional<Values>(const Values&)>;

// The dialogs' values are the document's fields in the document's types; each command's list
// of links (DialogCommands.cpp) names them once, and the document's settings table holds their
// defaults and ranges.

struct GeneralOptions {
    int AutoArrangeWindows{};
    QString IconFileName;
    QString Satellitenfilename;
    QString ColorTableFileName;
    float AutoExtendX{};
    int AccuracyX{};
    int AccuracyY{};
    int NrOfOcularReflections{};
    int Sterne{};
    float BeamAngle{};
    int CalculateExact{};
    // Set by the dialog when a change needs the satellites reloaded.
    int ReloadNeeded{};

    friend bool operator==(const GeneralOptions&, const GeneralOptions&) = default;
};

struct FollowOptions {
    int FollowInWDB{};
    int FollowIn3D{};
    int FollowedSatellite{};
    int FollowMode3D{};

    friend bool operator==(const FollowOptions&, const FollowOptions&) = default;
};

struct WebDownload {
    std::array<QString, 5> urls; // in: the recent URLs, newest first
    QString url;                 // out: the URL downloaded
    QString localFileName;       // out: the file it was stored in
};

// The 2D satellite style dialog's values. The colours are not among them: that dialog sets
// them in the document at once, and they stay after Cancel.
struct SatelliteStyle2D {
    QString IconFileName;
    double RouteLengthFactor{};
    int NrOfPoints{};
    int SatelliteName2D{}; // the switches of the view the dialog was run from
    int SatellitePos2D{};
    int ShowCourse2D{};
    int PenWidth{};
    std::array<int, kMaxSatellites> shown{};
    IconTable icons; // the document's icon table, as a copy
};

// The 3D satellite style dialog's values, all of them copies: the dialog and its preview change
// nothing in the document before OK.
struct SatelliteStyle3D {
    int ShowCourse3D{};
    int BeamDrawStyle{};
    int SatelliteDrawStyle{};
    float TransparencyBeam{};
    int ShowCourseEarth3D{};
    int NrOfPoints{};
    double RouteLengthFactor{};
    float BeamAngle{};
    int SatModelNrFromFile{};
    std::array<int, kMaxSatellites> shown{};
    SlotColorTable colors{};
    // What the preview draws with; not taken back.
    QString SatelliteModelFileName;
    int AccuracyX{};
    int AccuracyY{};

    friend bool operator==(const SatelliteStyle3D&, const SatelliteStyle3D&) = default;
};

// The four background pictures of the texture dialog.
struct TextureNames {
    QString TextureErdeFileName; // the globe
    QString ErdkarteFileName;    // the 2D earth map
    QString NightMapFileName;
    QString WDBMapFileName;

    friend bool operator==(const TextureNames&, const TextureNames&) = default;
};

// The two render quality records of the globe, by the name of their profile section.
enum class QualityRecord { MouseMove, Normal };
// Runs the render quality dialog for a record, titled with the record's name.
using QualityEditor = std::function<std::optional<tagQUALITY>(const QString& name, const tagQUALITY&)>;

// The weather dialog's settings; the bounds are the weather picture's corners, longitudes
// counted positive to the west.
struct WeatherSettings {
    QString WeatherImageURL;
    QString WeatherBackgroundImage;
    QString WeatherTempFileName;
    double WeatherStartLat{};
    double WeatherStartLon{};
    double WeatherEndLat{};
    double WeatherEndLon{};
    int WeatherMapWidth{};
    int WeatherMapHeight{};
    int WeatherKeepOriginalSize{};
    std::array<QString, 5> WeatherImage; // the recent URLs, newest first

    friend bool operator==(const WeatherSettings&, const WeatherSettings&) = default;
};

namespace commands {

// What each command hands its dialog: the document's values through the dialog's list.
GeneralOptions generalOptionsOf(const KivSettings& settings);
FollowOptions followOptionsOf(const CKivDoc& doc);
TextureNames textureNamesOf(const KivSettings& settings);
WeatherSettings weatherSettingsOf(const KivSettings& settings);
// With the 2D map's label switches and the document's icon table.
SatelliteStyle2D satelliteStyle2DOf(const CKivDoc& doc);
SatelliteStyle3D satelliteStyle3DOf(const CKivDoc& doc);

// kCmdOpenLocal: a new element file from an open dialog; the same name, or Cancel, changes nothing.
void openLocal(CKivDoc& doc);
// kCmdOpenFromWeb: after a successful download the URL joins the recent list and the file is loaded.
void openFromWeb(CKivDoc& doc, const Editor<WebDownload>& edit);
// kCmdGeneral.
void editGeneralOptions(CKivDoc& doc, const Editor<GeneralOptions>& edit);
// kCmdSatelliteData: `run` shows the satellite data dialog and says whether it rewrote the element file.
void editSatelliteData(CKivDoc& doc, const std::function<bool()>& run);
// kCmdFollowSatellite.
void followSatellite(CKivDoc& doc, const Editor<FollowOptions>& edit);
// kCmdTextures: the changed maps reloaded (a map a weather picture replaced, also when its name
// stayed), the globe's texture and the 2D map's background renewed.
void editTextures(CKivDoc& doc, const Editor<TextureNames>& edit);
// kCmdWeather: on OK the settings are kept (the map size only when the picture's own size was not
// kept) and the URL joins the recent list. What the dialog applied to the views stays either way.
void editWeather(CKivDoc& doc, const Editor<WeatherSettings>& edit);

// kCmdSatelliteStyle of the 2D map: on OK the values, the icon table (saved to the icon list
// when it changed) and the shown flags; a changed number of route points reloads the satellites.
// Colours changed in the dialog are marked for saving, also after Cancel.
void satelliteStyle2D(CKivDoc& doc, const Editor<SatelliteStyle2D>& edit);
// kCmdSatelliteStyle of a World Data Bank view: the same on that view's own name and position
// switches, which are redrawn; the 2D map's stay as they are.
void satelliteStyle2D(CKivDoc& doc, const Editor<SatelliteStyle2D>& edit, CWDBView& view);
// kCmdSatelliteStyle3D: on OK the styles, the beam, the routes, the model number, the colours
// (marked for saving when they changed) and the shown flags; the satellites are reloaded and the
// globe's model and beam lists built anew.
void satelliteStyle3D(CKivDoc& doc, const Editor<SatelliteStyle3D>& edit);
// kCmdQualityMouseMove, kCmdQualityNormal: on OK the record is stored and written to the profile.
void editQuality(CKivDoc& doc, QualityRecord which, const QualityEditor& edit);

} // namespace commands

} // namespace kiv
