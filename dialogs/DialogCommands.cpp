#include "dialogs/DialogCommands.h"

#include "document/BeamFootprint.h"
#include "document/CKivDoc.h"
#include "document/SettingsTable.h"
#include "document/TimerBracket.h"
#include "document/ColorTableFile.h"
#include "platform/DataPaths.h"
#include "platform/LanguageText.h"
#include "platform/PictureSource.h"
#include "platform/IniProfile.h"
#include "platform/UiServices.h"
#include "views2d/CWDBView.h"

#include <algorithm>

namespace kiv::commands {

namespace {

GeneralOptions generalOptionsOf(const CKivDoc& doc)
{
    return {.AutoArrangeWindows = doc.AutoArrangeWindows,
            .IconFileName = doc.IconFileName,
            .Satellitenfilename = doc.Satellitenfilename,
            .ColorTableFileName = doc.ColorTableFileName,
            .AutoExtendX = doc.AutoExtendX,
            .AccuracyX = doc.AccuracyX,
            .AccuracyY = doc.AccuracyY,
            .NrOfOcularReflections = doc.NrOfOcularReflections,
            .Sterne = doc.Sterne,
            .BeamAngle = doc.BeamAngle,
            .CalculateExact = doc.CalculateExact,
            .ReloadNeeded = 0};
}

// A new colour table: the old one's edits saved first when the user wants them.
void switchColorTable(CKivDoc& doc, const QString& name)
{
    doc.OfferToSaveColorTable("Attention, colordata in file : %1 was changed.\nShould I save the changes now ?",
                              "Achtung, Farbeinträge in Datei : %1 wurden geändert.\nSollen die Änderungen "
                              "gespeichert werden ?");
    doc.ColorTableFileName = name;
    doc.LoadColorTable();
}

SlotColorTable slotColorsOf(const CKivDoc& doc)
{
    SlotColorTable colors{};
    for (int i = 0; i < kMaxSatellites; ++i)
        std::copy(std::begin(doc.SatInfo[i].color), std::end(doc.SatInfo[i].color), colors[i].begin());
    return colors;
}

IconTable iconTableOf(const CKivDoc& doc)
{
    IconIndices indices{};
    for (int i = 0; i < kMaxSatellites; ++i)
        indices[i] = doc.SatInfo[i].iconIndex;
    return {doc.Icons, indices, doc.SatelliteCount, [&doc](const QString& name) { return doc.IconImage(name); }};
}

void commitIcons(CKivDoc& doc, const IconTable& icons)
{
    doc.Icons = icons.entries();
    for (int i = 0; i < kMaxSatellites; ++i)
        doc.SatInfo[i].iconIndex = icons.indices()[i];
}

std::array<int, kMaxSatellites> shownOf(const CKivDoc& doc)
{
    std::array<int, kMaxSatellites> shown{};
    for (int i = 0; i < kMaxSatellites; ++i)
        shown[i] = doc.SatInfo[i].shown;
    return shown;
}

void applyShown(CKivDoc& doc, const std::array<int, kMaxSatellites>& shown)
{
    for (int i = 0; i < doc.SatelliteCount; ++i)
        doc.SatInfo[i].shown = shown[i] ? 1 : 0;
}

// The satellites' looks changed: the globe's model and beam lists anew, every view redrawn.
void satellitesRestyled(CKivDoc& doc)
{
    if (doc.Views.world())
        doc.Views.world()->BuildSatelliteLists();
    doc.LayoutSatelliteLabels();
    doc.DocumentChanged();
}

// A new number of route points needs the tracks allocated anew: the satellites are reloaded,
// and the shown flags the dialog chose are set again over the reload's.
void takeRoutePoints(CKivDoc& doc, int points, const std::array<int, kMaxSatellites>& shown)
{
    if (points == doc.NrOfPoints)
        return;
    doc.NrOfPoints = points;
    clampSettings(doc, {&KivSettings::NrOfPoints});
    doc.ReloadSatellites();
    applyShown(doc, shown);
}

} // namespace

void openLocal(CKivDoc& doc)
{
    // The dialog starts at the element file where the document reads it from, which is seldom
    // the working directory.
    const QString current = doc.Context().paths.dialogStart(doc.Satellitenfilename);
    const std::optional<QString> path = doc.Context().ui.files.openFile(
        {.title = inLanguage(doc.Language != 0, "Load new Satellite-Datas", "Lade neuen Satelliten-Datensatz"),
         .filter = QStringLiteral("Satellite Files (*.tle; *.sat) (*.TLE *.tle *.SAT *.sat)"),
         .defaultSuffix = QString(),
         .initialPath = current});
    if (!path || *path == doc.Satellitenfilename || *path == current)
        return;
    doc.Satellitenfilename = *path;
    doc.ReloadSatellites();
}

void openFromWeb(CKivDoc& doc, const Editor<WebDownload>& edit)
{
    const TimerBracket timerOff(doc);
    const std::optional<WebDownload> done = edit({.urls = doc.InternetFileName, .url = {}, .localFileName = {}});
    if (!done)
        return;
    doc.AddInternetFile(done->url);
    doc.Satellitenfilename = done->localFileName;
    doc.ReloadSatellites();
}

void editGeneralOptions(CKivDoc& doc, const Editor<GeneralOptions>& edit)
{
    const TimerBracket timerOff(doc);
    const std::optional<GeneralOptions> o = edit(generalOptionsOf(doc));
    if (!o)
        return;
    const WaitCursor wait(doc.Context().ui.cursors);
    doc.AutoArrangeWindows = o->AutoArrangeWindows;
    doc.IconFileName = o->IconFileName;
    doc.Satellitenfilename = o->Satellitenfilename;
    if (o->ColorTableFileName != doc.ColorTableFileName)
        switchColorTable(doc, o->ColorTableFileName);
    doc.AutoExtendX = o->AutoExtendX;
    doc.AccuracyX = o->AccuracyX;
    doc.AccuracyY = o->AccuracyY;
    doc.CalculateExact = o->CalculateExact;
    doc.NrOfOcularReflections = o->NrOfOcularReflections;
    doc.Sterne = o->Sterne;
    if (o->ReloadNeeded)
        doc.BeamAngle = static_cast<float>(clampBeamAngle(o->BeamAngle));
    // The same bounds as a profile read, whatever the dialog let through.
    clampSettings(doc, {&KivSettings::AutoExtendX, &KivSettings::AccuracyX, &KivSettings::AccuracyY,
                        &KivSettings::NrOfOcularReflections, &KivSettings::Sterne, &KivSettings::BeamAngle,
                        &KivSettings::CalculateExact, &KivSettings::AutoArrangeWindows});
    if (o->ReloadNeeded) {
        doc.ReloadSatellites(true);
    } else {
        doc.LayoutSatelliteLabels();
    }
}

void editSatelliteData(CKivDoc& doc, const std::function<bool()>& run)
{
    const TimerBracket timerOff(doc);
    if (run())
        doc.ReloadSatellites();
}

void followSatellite(CKivDoc& doc, const Editor<FollowOptions>& edit)
{
    const TimerBracket timerOff(doc);
    const std::optional<FollowOptions> o =
        edit({.FollowInWDB = doc.FollowInWDB,
              .FollowIn3D = doc.FollowIn3D,
              .FollowedSatellite = doc.FollowedSatellite,
              .FollowMode3D = doc.FollowMode3D});
    if (!o)
        return;
    doc.FollowInWDB = o->FollowInWDB;
    doc.FollowIn3D = o->FollowIn3D;
    doc.FollowMode3D = o->FollowMode3D;
    // Only a loaded satellite can be followed; its track arrays exist only then.
    const bool loaded = o->FollowedSatellite >= 0 && o->FollowedSatellite < doc.SatelliteCount;
    if (loaded) {
        doc.FollowedSatellite = o->FollowedSatellite;
        doc.SatInfo[o->FollowedSatellite].shown = 1;
        doc.UpdateSatelliteToolbar();
    }
    doc.FollowActive = loaded && (doc.FollowInWDB || doc.FollowIn3D) ? 1 : 0;
    // The globe's camera follows only for 3D following; ending it brings the free camera back.
    if (doc.Show3D) {
        if (doc.FollowActive && doc.FollowIn3D)
            doc.CameraPos = 2;
        else if (doc.CameraPos == 2)
            doc.CameraPos = 0;
    }
}

namespace {

// The name and position switches of the view the style dialog was run from, and how edited
// ones go back to it.
struct LabelSwitches {
    bool names = false;
    bool positions = false;
    std::function<void(bool names, bool positions)> set;
};

void runSatelliteStyle2D(CKivDoc& doc, const Editor<SatelliteStyle2D>& edit, const LabelSwitches& view)
{
    const TimerBracket timerOff(doc);
    const SlotColorTable colorsBefore = slotColorsOf(doc);
    SatelliteStyle2D in;
    in.IconFileName = doc.IconFileName;
    in.RouteLengthFactor = static_cast<float>(doc.RouteLengthFactor);
    in.NrOfPoints = doc.NrOfPoints;
    in.SatelliteName2D = view.names ? 1 : 0;
    in.SatellitePos2D = view.positions ? 1 : 0;
    in.ShowCourse2D = doc.ShowCourse2D;
    in.PenWidth = doc.PenWidth;
    in.shown = shownOf(doc);
    in.icons = iconTableOf(doc);
    const std::optional<SatelliteStyle2D> out = edit(in);
    const bool recoloured = slotColorsOf(doc) != colorsBefore;
    if (recoloured)
        doc.ColorTableChanged = 1;
    if (!out) {
        if (recoloured)
            satellitesRestyled(doc);
        return;
    }
    const WaitCursor wait(doc.Context().ui.cursors);
    doc.IconFileName = out->IconFileName;
    commitIcons(doc, out->icons);
    if (out->icons.changed())
        doc.SaveIconNames();
    doc.ShowCourse2D = out->ShowCourse2D;
    doc.PenWidth = out->PenWidth;
    doc.RouteLengthFactor = out->RouteLengthFactor;
    clampSettings(doc, {&KivSettings::ShowCourse2D, &KivSettings::PenWidth, &KivSettings::RouteLengthFactor});
    view.set(out->SatelliteName2D != 0, out->SatellitePos2D != 0);
    applyShown(doc, out->shown);
    takeRoutePoints(doc, out->NrOfPoints, out->shown);
    doc.UpdateSatelliteToolbar();
    doc.ResetRouteSteps();
    satellitesRestyled(doc);
}

} // namespace

void satelliteStyle2D(CKivDoc& doc, const Editor<SatelliteStyle2D>& edit)
{
    runSatelliteStyle2D(doc, edit,
                        {.names = doc.SatelliteName2D != 0,
                         .positions = doc.SatellitePos2D != 0,
                         .set = [&doc](bool names, bool positions) {
                             doc.SatelliteName2D = names ? 1 : 0;
                             doc.SatellitePos2D = positions ? 1 : 0;
                         }});
}

void satelliteStyle2D(CKivDoc& doc, const Editor<SatelliteStyle2D>& edit, CWDBView& view)
{
    const WDBViewState state = view.State();
    runSatelliteStyle2D(doc, edit,
                        {.names = state.showNames,
                         .positions = state.showPositions,
                         .set = [&view](bool names, bool positions) { view.SetLabelSwitches(names, positions); }});
}

void editTextures(CKivDoc& doc, const Editor<TextureNames>& edit)
{
    const TimerBracket timerOff(doc);
    const std::optional<TextureNames> names =
        edit({.TextureErdeFileName = doc.TextureErdeFileName,
              .ErdkarteFileName = doc.ErdkarteFileName,
              .NightMapFileName = doc.NightMapFileName,
              .WDBMapFileName = doc.WDBMapFileName});
    if (!names)
        return;
    doc.TextureErdeFileName = names->TextureErdeFileName;
    if (names->NightMapFileName != doc.NightMapFileName) {
        doc.NightMapFileName = names->NightMapFileName;
        doc.LoadNightMap();
    }
    if (names->ErdkarteFileName != doc.ErdkarteFileName || doc.EarthMapChanged) {
        doc.ErdkarteFileName = names->ErdkarteFileName;
        doc.EarthMapChanged = 0;
        doc.LoadEarthMap();
    }
    if ((names->WDBMapFileName != doc.WDBMapFileName || doc.WDBMapChanged) && doc.ShowWDB) {
        doc.WDBMapFileName = names->WDBMapFileName;
        doc.LoadWDBMap();
        doc.WDBMapChanged = 0;
        for (int i = 1; i <= doc.Views.wdbCount(); ++i)
            doc.Views.wdb(i)->ReloadBackground();
    }
    doc.WDBMapFileName = names->WDBMapFileName;
    if (doc.Show3D && doc.Views.world() && doc.Context().pictures)
        doc.Views.world()->SetEarthTexture(doc.Context().pictures->load(doc.TextureErdeFileName, PictureUse::Texture));
    if (doc.Show2D && doc.Views.map())
        doc.Views.map()->ReloadBackground();
}

void satelliteStyle3D(CKivDoc& doc, const Editor<SatelliteStyle3D>& edit)
{
    const TimerBracket timerOff(doc);
    SatelliteStyle3D in;
    in.ShowCourse3D = doc.ShowCourse3D;
    in.BeamDrawStyle = doc.BeamDrawStyle;
    in.SatelliteDrawStyle = doc.SatelliteDrawStyle;
    in.TransparencyBeam = doc.TransparencyBeam;
    in.ShowCourseEarth3D = doc.ShowCourseEarth3D;
    in.NrOfPoints = doc.NrOfPoints;
    in.RouteLengthFactor = static_cast<float>(doc.RouteLengthFactor);
    in.BeamAngle = doc.BeamAngle;
    in.SatModelNrFromFile = doc.SatModelNrFromFile;
    in.shown = shownOf(doc);
    in.colors = slotColorsOf(doc);
    in.SatelliteModelFileName = doc.SatelliteModelFileName;
    in.AccuracyX = doc.AccuracyX;
    in.AccuracyY = doc.AccuracyY;
    const std::optional<SatelliteStyle3D> out = edit(in);
    if (!out)
        return;
    const WaitCursor wait(doc.Context().ui.cursors);
    doc.ShowCourse3D = out->ShowCourse3D;
    doc.BeamDrawStyle = out->BeamDrawStyle;
    doc.SatelliteDrawStyle = out->SatelliteDrawStyle;
    doc.TransparencyBeam = out->TransparencyBeam;
    doc.ShowCourseEarth3D = out->ShowCourseEarth3D;
    doc.RouteLengthFactor = out->RouteLengthFactor;
    doc.SatModelNrFromFile = out->SatModelNrFromFile;
    if (out->BeamAngle != in.BeamAngle)
        doc.BeamAngle = static_cast<float>(clampBeamAngle(out->BeamAngle));
    for (int i = 0; i < kMaxSatellites; ++i) {
        for (int kind = 0; kind < 3; ++kind) {
            if (out->colors[i][kind] != in.colors[i][kind]) {
                setSlotColor(doc.SatInfo[i], kind, out->colors[i][kind]);
                doc.ColorTableChanged = 1;
            }
        }
    }
    doc.NrOfPoints = out->NrOfPoints;
    clampSettings(doc, {&KivSettings::ShowCourse3D, &KivSettings::BeamDrawStyle, &KivSettings::SatelliteDrawStyle,
                        &KivSettings::TransparencyBeam, &KivSettings::RouteLengthFactor,
                        &KivSettings::SatModelNrFromFile, &KivSettings::BeamAngle, &KivSettings::NrOfPoints});
    // New beam angles and track lengths come with the satellites' new set-up.
    doc.ReloadSatellites();
    applyShown(doc, out->shown);
    doc.UpdateSatelliteToolbar();
    doc.ResetRouteSteps();
    satellitesRestyled(doc);
}

void editQuality(CKivDoc& doc, QualityRecord which, const QualityEditor& edit)
{
    const TimerBracket timerOff(doc);
    const bool mouseMove = which == QualityRecord::MouseMove;
    const QString name = mouseMove ? QStringLiteral("MouseMove") : QStringLiteral("Normal");
    tagQUALITY& record = mouseMove ? doc.MouseMove : doc.Normal;
    const std::optional<tagQUALITY> edited = edit(name, record);
    if (!edited)
        return;
    record = *edited;
    record.Qualitaet = std::clamp(record.Qualitaet, 1, 3);
    saveQuality(name, record, doc.Context().profile);
}

void editWeather(CKivDoc& doc, const Editor<WeatherSettings>& edit)
{
    const TimerBracket timerOff(doc);
    const std::optional<WeatherSettings> w = edit({.WeatherImageURL = doc.WeatherImageURL,
                                                   .WeatherBackgroundImage = doc.WeatherBackgroundImage,
                                                   .WeatherTempFileName = doc.WeatherTempFileName,
                                                   .WeatherStartLat = doc.WeatherStartLat,
                                                   .WeatherStartLon = doc.WeatherStartLon,
                                                   .WeatherEndLat = doc.WeatherEndLat,
                                                   .WeatherEndLon = doc.WeatherEndLon,
                                                   .WeatherMapWidth = doc.WeatherMapWidth,
                                                   .WeatherMapHeight = doc.WeatherMapHeight,
                                                   .WeatherKeepOriginalSize = doc.WeatherKeepOriginalSize,
                                                   .WeatherImage = doc.WeatherImage});
    if (!w)
        return;
    doc.WeatherImageURL = w->WeatherImageURL;
    doc.WeatherBackgroundImage = w->WeatherBackgroundImage;
    doc.WeatherTempFileName = w->WeatherTempFileName;
    doc.WeatherStartLat = w->WeatherStartLat;
    doc.WeatherStartLon = w->WeatherStartLon;
    doc.WeatherEndLat = w->WeatherEndLat;
    doc.WeatherEndLon = w->WeatherEndLon;
    doc.WeatherKeepOriginalSize = w->WeatherKeepOriginalSize;
    if (!w->WeatherKeepOriginalSize) {
        doc.WeatherMapWidth = w->WeatherMapWidth;
        doc.WeatherMapHeight = w->WeatherMapHeight;
    }
    doc.AddWeatherImage(w->WeatherImageURL);
    clampSettings(doc, {&KivSettings::WeatherStartLat, &KivSettings::WeatherEndLat, &KivSettings::WeatherStartLon,
                        &KivSettings::WeatherEndLon, &KivSettings::WeatherMapWidth, &KivSettings::WeatherMapHeight,
                        &KivSettings::WeatherKeepOriginalSize});
}

} // namespace kiv::commands
