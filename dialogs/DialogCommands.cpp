#include "dialogs/DialogCommands.h"

#include "document/BeamFootprint.h"
#include "document/CKivDoc.h"
#include "document/FieldLinks.h"
#include "document/SettingsTable.h"
#include "document/TimerBracket.h"
#include "document/ColorTableFile.h"
#include "platform/DataPaths.h"
#include "platform/FieldCount.h"
#include "platform/LanguageText.h"
#include "platform/PictureSource.h"
#include "platform/IniProfile.h"
#include "platform/UiServices.h"
#include "views2d/CWDBView.h"

#include <algorithm>

namespace kiv::commands {

namespace {

using S = KivSettings;
using TakeBack::OwnStep;
using TakeBack::Never;

// Each dialog's fields, named once: what goes into the dialog, what comes back and to which
// range. A struct member missing from its list fails the build.
constexpr auto kGeneralLinks = fieldLinks<GeneralOptions>(
    link(&S::AutoArrangeWindows, &GeneralOptions::AutoArrangeWindows),
    link(&S::IconFileName, &GeneralOptions::IconFileName),
    link(&S::Satellitenfilename, &GeneralOptions::Satellitenfilename),
    link(&S::ColorTableFileName, &GeneralOptions::ColorTableFileName, OwnStep),
    link(&S::AutoExtendX, &GeneralOptions::AutoExtendX),
    link(&S::AccuracyX, &GeneralOptions::AccuracyX),
    link(&S::AccuracyY, &GeneralOptions::AccuracyY),
    link(&S::NrOfOcularReflections, &GeneralOptions::NrOfOcularReflections),
    link(&S::Sterne, &GeneralOptions::Sterne),
    link(&S::BeamAngle, &GeneralOptions::BeamAngle, OwnStep),
    link(&S::CalculateExact, &GeneralOptions::CalculateExact));
// ReloadNeeded is the dialog's own.
static_assert(fieldCount<GeneralOptions>() == kGeneralLinks.size() + 1);

constexpr auto kFollowLinks = fieldLinks<FollowOptions>(
    link(&CKivDoc::FollowInWDB, &FollowOptions::FollowInWDB),
    link(&CKivDoc::FollowIn3D, &FollowOptions::FollowIn3D),
    link(&CKivDoc::FollowedSatellite, &FollowOptions::FollowedSatellite, OwnStep),
    link(&CKivDoc::FollowMode3D, &FollowOptions::FollowMode3D));
static_assert(fieldCount<FollowOptions>() == kFollowLinks.size());

constexpr auto kTextureLinks = fieldLinks<TextureNames>(
    link(&S::TextureErdeFileName, &TextureNames::TextureErdeFileName),
    link(&S::ErdkarteFileName, &TextureNames::ErdkarteFileName),
    link(&S::NightMapFileName, &TextureNames::NightMapFileName),
    link(&S::WDBMapFileName, &TextureNames::WDBMapFileName));
static_assert(fieldCount<TextureNames>() == kTextureLinks.size());

constexpr auto kWeatherLinks = fieldLinks<WeatherSettings>(
    link(&S::WeatherImageURL, &WeatherSettings::WeatherImageURL),
    link(&S::WeatherBackgroundImage, &WeatherSettings::WeatherBackgroundImage),
    link(&S::WeatherTempFileName, &WeatherSettings::WeatherTempFileName),
    link(&S::WeatherStartLat, &WeatherSettings::WeatherStartLat),
    link(&S::WeatherStartLon, &WeatherSettings::WeatherStartLon),
    link(&S::WeatherEndLat, &WeatherSettings::WeatherEndLat),
    link(&S::WeatherEndLon, &WeatherSettings::WeatherEndLon),
    link(&S::WeatherMapWidth, &WeatherSettings::WeatherMapWidth, OwnStep),
    link(&S::WeatherMapHeight, &WeatherSettings::WeatherMapHeight, OwnStep),
    link(&S::WeatherKeepOriginalSize, &WeatherSettings::WeatherKeepOriginalSize),
    link(&S::WeatherImage, &WeatherSettings::WeatherImage, Never));
static_assert(fieldCount<WeatherSettings>() == kWeatherLinks.size());

constexpr auto kStyle2DLinks = fieldLinks<SatelliteStyle2D>(
    link(&S::IconFileName, &SatelliteStyle2D::IconFileName),
    link(&S::RouteLengthFactor, &SatelliteStyle2D::RouteLengthFactor),
    link(&S::NrOfPoints, &SatelliteStyle2D::NrOfPoints, OwnStep),
    // Shown as the view the dialog was run from has them, and taken back into that view.
    link(&S::SatelliteName2D, &SatelliteStyle2D::SatelliteName2D, OwnStep),
    link(&S::SatellitePos2D, &SatelliteStyle2D::SatellitePos2D, OwnStep),
    link(&S::ShowCourse2D, &SatelliteStyle2D::ShowCourse2D),
    link(&S::PenWidth, &SatelliteStyle2D::PenWidth));
// The shown flags and the icon table come in their own steps.
static_assert(fieldCount<SatelliteStyle2D>() == kStyle2DLinks.size() + 2);

constexpr auto kStyle3DLinks = fieldLinks<SatelliteStyle3D>(
    link(&S::ShowCourse3D, &SatelliteStyle3D::ShowCourse3D),
    link(&S::BeamDrawStyle, &SatelliteStyle3D::BeamDrawStyle),
    link(&S::SatelliteDrawStyle, &SatelliteStyle3D::SatelliteDrawStyle),
    link(&S::TransparencyBeam, &SatelliteStyle3D::TransparencyBeam),
    link(&CKivDoc::ShowCourseEarth3D, &SatelliteStyle3D::ShowCourseEarth3D),
    link(&S::NrOfPoints, &SatelliteStyle3D::NrOfPoints),
    link(&S::RouteLengthFactor, &SatelliteStyle3D::RouteLengthFactor),
    link(&S::BeamAngle, &SatelliteStyle3D::BeamAngle, OwnStep),
    link(&S::SatModelNrFromFile, &SatelliteStyle3D::SatModelNrFromFile),
    link(&CKivDoc::SatelliteModelFileName, &SatelliteStyle3D::SatelliteModelFileName, Never),
    link(&S::AccuracyX, &SatelliteStyle3D::AccuracyX, Never),
    link(&S::AccuracyY, &SatelliteStyle3D::AccuracyY, Never));
// The shown flags and the colours come in their own steps.
static_assert(fieldCount<SatelliteStyle3D>() == kStyle3DLinks.size() + 2);

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

GeneralOptions generalOptionsOf(const KivSettings& settings) { return kGeneralLinks.in(settings); }

FollowOptions followOptionsOf(const CKivDoc& doc) { return kFollowLinks.in(doc); }

TextureNames textureNamesOf(const KivSettings& settings) { return kTextureLinks.in(settings); }

WeatherSettings weatherSettingsOf(const KivSettings& settings) { return kWeatherLinks.in(settings); }

SatelliteStyle2D satelliteStyle2DOf(const CKivDoc& doc)
{
    SatelliteStyle2D values = kStyle2DLinks.in(doc);
    values.shown = shownOf(doc);
    values.icons = iconTableOf(doc);
    return values;
}

SatelliteStyle3D satelliteStyle3DOf(const CKivDoc& doc)
{
    SatelliteStyle3D values = kStyle3DLinks.in(doc);
    values.shown = shownOf(doc);
    values.colors = slotColorsOf(doc);
    return values;
}

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
    kGeneralLinks.copyOut(*o, doc);
    if (o->ColorTableFileName != doc.ColorTableFileName)
        switchColorTable(doc, o->ColorTableFileName);
    if (o->ReloadNeeded) {
        doc.BeamAngle = static_cast<float>(clampBeamAngle(o->BeamAngle));
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
    const std::optional<FollowOptions> o = edit(followOptionsOf(doc));
    if (!o)
        return;
    kFollowLinks.copyOut(*o, doc);
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
    SatelliteStyle2D in = satelliteStyle2DOf(doc);
    in.SatelliteName2D = view.names ? 1 : 0;
    in.SatellitePos2D = view.positions ? 1 : 0;
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
    kStyle2DLinks.copyOut(*out, doc);
    commitIcons(doc, out->icons);
    if (out->icons.changed())
        doc.SaveIconNames();
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
    const TextureNames before = textureNamesOf(doc);
    const std::optional<TextureNames> names = edit(before);
    if (!names)
        return;
    kTextureLinks.copyOut(*names, doc);
    if (names->NightMapFileName != before.NightMapFileName)
        doc.LoadNightMap();
    if (names->ErdkarteFileName != before.ErdkarteFileName || doc.EarthMapChanged) {
        doc.EarthMapChanged = 0;
        doc.LoadEarthMap();
    }
    if ((names->WDBMapFileName != before.WDBMapFileName || doc.WDBMapChanged) && doc.ShowWDB) {
        doc.LoadWDBMap();
        doc.WDBMapChanged = 0;
        for (int i = 1; i <= doc.Views.wdbCount(); ++i)
            doc.Views.wdb(i)->ReloadBackground();
    }
    if (doc.Show3D && doc.Views.world() && doc.Context().pictures)
        doc.Views.world()->SetEarthTexture(doc.Context().pictures->load(doc.TextureErdeFileName, PictureUse::Texture));
    if (doc.Show2D && doc.Views.map())
        doc.Views.map()->ReloadBackground();
}

void satelliteStyle3D(CKivDoc& doc, const Editor<SatelliteStyle3D>& edit)
{
    const TimerBracket timerOff(doc);
    const SatelliteStyle3D in = satelliteStyle3DOf(doc);
    const std::optional<SatelliteStyle3D> out = edit(in);
    if (!out)
        return;
    const WaitCursor wait(doc.Context().ui.cursors);
    kStyle3DLinks.copyOut(*out, doc);
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
    IniProfile writes;
    saveQuality(name, record, writes);
    doc.WriteProfile(writes);
}

void editWeather(CKivDoc& doc, const Editor<WeatherSettings>& edit)
{
    const TimerBracket timerOff(doc);
    const std::optional<WeatherSettings> w = edit(weatherSettingsOf(doc));
    if (!w)
        return;
    kWeatherLinks.copyOut(*w, doc);
    if (!w->WeatherKeepOriginalSize) {
        doc.WeatherMapWidth = w->WeatherMapWidth;
        doc.WeatherMapHeight = w->WeatherMapHeight;
        clampSettings(doc, {&KivSettings::WeatherMapWidth, &KivSettings::WeatherMapHeight});
    }
    doc.AddWeatherImage(w->WeatherImageURL);
}

} // namespace kiv::commands
