// CKivDoc: saving the whole state into a settings archive and restoring it.
#include "document/BuiltInIcon.h"
#include "document/CKivDoc.h"
#include "document/FieldLinks.h"
#include "document/FileMessages.h"
#include "document/FramePlacement.h"
#include "document/ModelBlock.h"
#include "document/SettingsArchive.h"
#include "document/TimerBracket.h"
#include "platform/AtomicFile.h"
#include "platform/DataPaths.h"
#include "platform/FieldCount.h"
#include "platform/LanguageText.h"
#include "platform/Latin1.h"
#include "platform/LineReader.h"
#include "platform/ReadableFile.h"
#include "platform/UiServices.h"
#include "platform/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

using namespace kiv;

namespace {

constexpr int kModelDrawStyle = 4;
// Far more than any settings archive holds (255 satellites, their icons, nine views).
constexpr qint64 kMaxArchiveBytes = 64 * 1024 * 1024;

QString caption() { return QStringLiteral("Attention"); }

ArchiveRect toArchive(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

// Parsing has brought corner and sides into ranges that no later arithmetic overflows.
QRect fromArchive(const ArchiveRect& r) { return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top); }

// One line of the message about World Data Bank regions a restore could not take.
QString unshownRegion(bool english, int slot, const WDBArchiveState& r)
{
    const auto number = [](double v) { return QString::number(v, 'g', 8); };
    return inLanguage(english, "view %1: longitudes %2 to %3 (west), latitudes %4 to %5, %6 x %7 pixels",
                      "Ansicht %1: Längen %2 bis %3 (West), Breiten %4 bis %5, %6 x %7 Pixel")
        .arg(slot)
        .arg(number(r.leftLongitude), number(r.rightLongitude), number(r.topLatitude), number(r.bottomLatitude))
        .arg(r.clientWidth)
        .arg(r.clientHeight);
}

std::string fileNameBytes(const QString& name)
{
    const QByteArray encoded = QFile::encodeName(name);
    return std::string(encoded.constData(), encoded.size());
}

QString fileNameOf(const std::string& bytes) { return QFile::decodeName(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()))); }

// The document's fields an archive holds beside the profile settings, each with its place in
// the snapshot: the one list for saving and restoring. The simulated time is not among them:
// the archive holds it as 32-bit seconds. Fields marked OwnStep are taken back by hand once
// what they depend on is back; Never marks tick counts of another session.
constexpr auto kDocumentLinks = fieldLinks<ArchiveDocumentValues>(
    link(&CKivDoc::AnimationRunning, &ArchiveDocumentValues::AnimationRunning),
    link(&CKivDoc::FollowIn3D, &ArchiveDocumentValues::FollowIn3D),
    link(&CKivDoc::FollowMode3D, &ArchiveDocumentValues::FollowMode3D),
    link(&CKivDoc::FollowInWDB, &ArchiveDocumentValues::FollowInWDB),
    link(&CKivDoc::ShadeMode, &ArchiveDocumentValues::ShadeMode),
    link(&CKivDoc::ShowCourseEarth3D, &ArchiveDocumentValues::ShowCourseEarth3D),
    link(&CKivDoc::TownPopulationMin, &ArchiveDocumentValues::TownPopulationMin),
    link(&CKivDoc::ObsSetValue, &ArchiveDocumentValues::ObsSetValue),
    link(&CKivDoc::fUserW, &ArchiveDocumentValues::fUserW),
    // Once the satellites are back (applySatellites): the followed one must be in the table.
    link(&CKivDoc::FollowActive, &ArchiveDocumentValues::FollowActive, TakeBack::OwnStep),
    link(&CKivDoc::FollowedSatellite, &ArchiveDocumentValues::FollowedSatellite, TakeBack::OwnStep),
    // Once the satellite buttons are rebuilt, which switch it off (ApplySettings).
    link(&CKivDoc::DisplayAll, &ArchiveDocumentValues::DisplayAll, TakeBack::OwnStep),
    link(&CKivDoc::FpsTick, &ArchiveDocumentValues::FpsTick, TakeBack::Never),
    link(&CKivDoc::LastTick, &ArchiveDocumentValues::LastTick, TakeBack::Never),
    link(&CKivDoc::StartTick, &ArchiveDocumentValues::StartTick, TakeBack::Never));
static_assert(fieldCount<ArchiveDocumentValues>() == kDocumentLinks.size() + 1, "every value but SimTime is listed");

// Holds the main window's repainting off for as long as it lives.
class RedrawFreeze {
public:
    explicit RedrawFreeze(ShellPort* shell) : shell_(shell)
    {
        if (shell_)
            shell_->FreezeRedraw(true);
    }
    ~RedrawFreeze()
    {
        if (shell_)
            shell_->FreezeRedraw(false);
    }
    RedrawFreeze(const RedrawFreeze&) = delete;
    RedrawFreeze& operator=(const RedrawFreeze&) = delete;

private:
    ShellPort* shell_;
};

} // namespace

// ---- saving ----------------------------------------------------------------------------------

void CKivDoc::OnSaveSettings()
{
    // A missing element file, or none loaded, stops the save; the message says how to name one.
    if (!ReadableFile(ResolvedPath(Satellitenfilename)).isOpen() || SatelliteCount == 0) {
        Warn(caption(), inLanguage(English(),
                                   "Sorry, to save the status I need the satellite data file %1,\nbut I could'nt find it.\n"
                                   "Pleas give the right satellite data file name under Options->General.",
                                   "Sorry, um den Status zu speichern benötige ich das Satelliten-Daten-File %1.\n"
                                   "Konnte sie aber nicht finden.\nBitte unter Optionene->Allgemein das richtige "
                                   "Datenfile angeben.")
                            .arg(Satellitenfilename));
        return;
    }
    const TimerBracket timerOff(*this);
    FileDialogRequest request;
    request.title = QStringLiteral("File-Save-Dialog for the actual configuration");
    request.filter = QStringLiteral("Settings (*.set *.SET)");
    request.defaultSuffix = QStringLiteral("set");
    request.initialPath = ArchiveFolder();
    request.confirmOverwrite = false;
    std::optional<QString> path = context_.ui.files.saveFile(request);
    if (!path || path->isEmpty())
        return;
    if (QFileInfo(*path).suffix().isEmpty())
        *path += QStringLiteral(".set");
    if (SaveSettingsArchive(*path))
        lastArchive_ = *path;
}

QString CKivDoc::ArchiveFolder() const
{
    if (!lastArchive_.isEmpty())
        return QFileInfo(lastArchive_).absolutePath();
    // Made here so that the dialog can start in it on the first run too.
    QDir().mkpath(context_.paths.userDataDirectory());
    return context_.paths.userDataDirectory();
}

bool CKivDoc::SaveSettingsArchive(const QString& path)
{
    // The archive has 32 bits for the time; checked before the file is touched.
    const std::int64_t seconds = SimTime.secondsSince1970();
    if (seconds < 0 || seconds > std::int64_t{0xFFFFFFFF}) {
        const QString when = QString::number(SimTime.local().year);
        Warn(caption(), inLanguage(English(),
                                   "The simulated time (year %1) cannot be kept in a settings file, which holds "
                                   "times from 1970 to 2106.\nNothing was saved.",
                                   "Die simulierte Zeit (Jahr %1) lässt sich nicht in einer Einstellungsdatei "
                                   "speichern, die Zeiten von 1970 bis 2106 aufnimmt.\nEs wurde nichts gespeichert.")
                            .arg(when));
        return false;
    }
    // The sky view keeps its values in itself until asked; the archive takes them from here.
    if (Views.obs())
        Views.obs()->StoreObsSettings();
    const WriteResult written = AtomicFile::write(path, settingsArchive::write(CollectSettings()));
    if (!written) {
        context_.ui.messages.show(fileMessages::couldNotWrite(English(), written));
        return false;
    }
    return true;
}

SettingsSnapshot CKivDoc::snapshotBase() const
{
    SettingsSnapshot s;
    s.values = *this;
    s.document = kDocumentLinks.in(*this);
    s.document.SimTime = static_cast<std::uint32_t>(std::clamp<std::int64_t>(SimTime.secondsSince1970(), 0, 0xFFFFFFFF));
    return s;
}

SettingsSnapshot CKivDoc::CollectSettings() const
{
    SettingsSnapshot s = snapshotBase();
    s.elementFile = fileNameBytes(Satellitenfilename);

    // The satellites as loaded, and the icon entries they use renumbered 1, 2, ... so that every
    // index written has an entry and every entry one image. Entries beyond what the layout has
    // room for (n - 1) fall back to the built-in icon.
    const int n = SatelliteCount;
    std::array<int, kMaxSatellites> renumbered{};
    for (int i = 0; i < n; ++i) {
        const tagSATINFO& info = SatInfo[i];
        ArchiveSatellite sat;
        sat.lines = SatelliteLines[i];
        std::copy(std::begin(info.color), std::end(info.color), sat.color.begin());
        sat.shown = info.shown;
        const int entry = info.iconIndex;
        if (entry > 0 && entry < kMaxSatellites && !Icons[entry].fileName.isEmpty()) {
            int& written = renumbered[entry];
            if (written == 0 && static_cast<int>(s.icons.size()) < n - 1) {
                const tagICONENTRY& icon = Icons[entry];
                s.icons.push_back({fileNameBytes(icon.fileName), 0});
                s.images.push_back(icon.icon.isNull() ? builtInSatelliteIcon() : icon.icon);
                written = static_cast<int>(s.icons.size());
            }
            sat.iconIndex = written;
            if (written > 0)
                ++s.icons[written - 1].refCount;
        }
        s.satellites.push_back(std::move(sat));
    }

    const QPoint origin = Shell ? Shell->AreaOrigin() : QPoint();
    const auto frameOf = [&](ViewKind kind, int slot) {
        const std::optional<QRect> r = Shell ? Shell->ViewFrameGeometry(kind, slot) : std::nullopt;
        return r ? toArchive(r->translated(origin)) : ArchiveRect{};
    };
    if (Shell)
        if (const std::optional<QRect> main = Shell->MainWindowRect())
            s.mainWindow = toArchive(*main);
    if (WorldViewPort* world = Views.world()) {
        WorldArchiveSection w;
        w.frame = frameOf(ViewKind::World, 1);
        w.textureFile = fileNameBytes(TextureErdeFileName);
        w.view = world->ArchiveState();
        if (SatelliteDrawStyle == kModelDrawStyle) {
            QFile file;
            if (ReadableFile(ResolvedPath(SatelliteModelFileName)).handTo(file)) {
                LineReader lines(file);
                w.model = modelBlock::extract(lines, SatModelNrFromFile);
            } else {
                w.model = modelBlock::fallback();
            }
        }
        s.world = std::move(w);
    }
    if (MapViewPort* map = Views.map())
        s.map = MapArchiveSection{frameOf(ViewKind::Map, 1), fileNameBytes(ErdkarteFileName), map->ArchiveState()};
    if (Views.wdbCount() > 0) {
        WDBArchiveSection w;
        w.mapFile = fileNameBytes(WDBMapFileName);
        for (int slot = 1; slot <= Views.wdbCount(); ++slot)
            w.views.push_back({frameOf(ViewKind::WDB, slot), Views.wdb(slot)->ArchiveState()});
        s.wdb = std::move(w);
    }
    if (ObsViewPort* obs = Views.obs())
        s.obs = ObsArchiveSection{frameOf(ViewKind::Obs, 1), obs->ArchiveState()};
    return s;
}

// ---- restoring -------------------------------------------------------------------------------

void CKivDoc::OnRestoreSettings()
{
    OfferToSaveColorTable("Attention, Colortable in file : %1 has been changed.\nShould I save the changes now ?",
                          "Achtung, Farbeinträge in Datei : %1 wurden geändert.\nSollen die Änderungen gespeichert werden ?");
    const TimerBracket timerOff(*this);
    FileDialogRequest request;
    request.title = QStringLiteral("File-Restore-Dialog for saved Configurations");
    request.filter = QStringLiteral("Settings (*.set *.SET)");
    request.initialPath = ArchiveFolder();
    const std::optional<QString> path = context_.ui.files.openFile(request);
    if (!path || path->isEmpty())
        return;
    if (RestoreSettingsArchive(*path))
        lastArchive_ = *path;
}

bool CKivDoc::RestoreSettingsArchive(const QString& path)
{
    const WaitCursor wait(context_.ui.cursors);
    const bool english = English();
    const auto refuse = [&](const QString& en, const QString& de) {
        context_.ui.messages.show({.caption = caption(),
                                   .text = inLanguage(english, en, de),
                                   .buttons = MessageButtons::Ok,
                                   .icon = MessageIcon::Exclamation});
        return false;
    };
    const auto reading = RecoverCutOffWrite(path);
    const WholeFile file = WholeFile::read(path, kMaxArchiveBytes);
    switch (file.failure) {
    case WholeFile::Failure::None:
        break;
    case WholeFile::Failure::NotRegular:
        return refuse(ReadableFile::notRegularText(path, true), ReadableFile::notRegularText(path, false));
    case WholeFile::Failure::Open:
        return refuse(QStringLiteral("Could not open the settings file %1:\n%2").arg(path, AtomicFile::reason(file.error, true)),
                      QStringLiteral("Konnte die Einstellungsdatei %1 nicht öffnen:\n%2").arg(path, AtomicFile::reason(file.error, false)));
    case WholeFile::Failure::TooLarge:
        return refuse(QStringLiteral("The file %1 is far too large for a settings file.\nNothing has been changed.").arg(path),
                      QStringLiteral("Die Datei %1 ist viel zu groß für eine Einstellungsdatei.\nEs wurde nichts geändert.").arg(path));
    case WholeFile::Failure::Read:
        return refuse(QStringLiteral("Could not read the settings file %1:\n%2").arg(path, AtomicFile::reason(file.error, true)),
                      QStringLiteral("Konnte die Einstellungsdatei %1 nicht lesen:\n%2").arg(path, AtomicFile::reason(file.error, false)));
    }
    const QByteArray& bytes = file.bytes;

    const settingsArchive::ParseResult read =
        settingsArchive::parse(std::string_view(bytes.constData(), bytes.size()), snapshotBase());
    switch (read.error) {
    case settingsArchive::ParseError::None:
        break;
    case settingsArchive::ParseError::NotAnArchive:
        return refuse(QStringLiteral("The file %1 is not a settings file.\nNothing has been changed.").arg(path),
                      QStringLiteral("Die Datei %1 ist keine Einstellungsdatei.\nEs wurde nichts geändert.").arg(path));
    case settingsArchive::ParseError::UnsupportedVersion:
        return refuse(QStringLiteral("The settings file %1 cannot be read: %2.\nNothing has been changed.").arg(path, read.errorText.english),
                      QStringLiteral("Die Einstellungsdatei %1 kann nicht gelesen werden: %2.\nEs wurde nichts geändert.")
                          .arg(path, read.errorText.german));
    case settingsArchive::ParseError::Damaged:
        return refuse(QStringLiteral("The settings file %1 is damaged: %2.\nNothing has been changed.").arg(path, read.errorText.english),
                      QStringLiteral("Die Einstellungsdatei %1 ist beschädigt: %2.\nEs wurde nichts geändert.").arg(path, read.errorText.german));
    }
    ApplySettings(*read.snapshot);
    return true;
}

void CKivDoc::ApplySettings(const SettingsSnapshot& s)
{
    const TimerBracket timerOff(*this);
    const WaitCursor wait(context_.ui.cursors);
    const RedrawFreeze freeze(Shell);
    reloading_ = true;

    // The 2D, sky and WDB views come back fresh; the globe stays when the file has one.
    CloseView(ViewKind::WDB);
    CloseView(ViewKind::Map);
    CloseView(ViewKind::Obs);
    if (!s.world)
        CloseView(ViewKind::World);
    if (Views.world())
        Views.world()->FreeOrbitBuffers();
    FreeSatellites();

    applyValues(s);
    applySatellites(s);
    applyViews(s);
    // The buttons start from a fresh table; then the slots' shown flags and Display all as saved.
    CreateSatelliteButtons();
    for (int i = 0; i < SatelliteCount; ++i) {
        SatInfo[i].shown = s.satellites[i].shown;
        SavedShown[i] = SatInfo[i].shown;
    }
    DisplayAll = s.document.DisplayAll;
    applyFrames(s);
    const QStringList refusedRegions = applyViewStates(s);

    CalculateBeamFootprints(true);
    if (Shell) {
        Shell->SetViewMenu();
        Shell->SyncSatelliteButtons();
        Shell->PlaceSpeedSlider();
    }
    reloading_ = false;
    UpdateTitle();
    DocumentChanged();
    AnimationStep();
    if (!refusedRegions.isEmpty())
        context_.ui.messages.show(
            {.caption = caption(),
             .text = inLanguage(
                         English(),
                         "The settings file holds regions that these World Data Bank views cannot show:\n%1\n"
                         "They show the whole world instead; their colours and label switches are restored.",
                         "Die Einstellungsdatei enthält Ausschnitte, die diese WDB-Ansichten nicht zeigen können:\n%1\n"
                         "Sie zeigen stattdessen die ganze Welt; ihre Farben und Beschriftungsschalter sind "
                         "wiederhergestellt.")
                         .arg(refusedRegions.join(QLatin1Char('\n'))),
             .buttons = MessageButtons::Ok,
             .icon = MessageIcon::Exclamation});
}

void CKivDoc::applyValues(const SettingsSnapshot& s)
{
    // The Show flags follow the views as they open; a file name is taken only when its file is
    // there, except the element file's, which is emptied (the satellites come from the archive).
    const KivSettings before = *this;
    static_cast<KivSettings&>(*this) = s.values;
    Show3D = Views.world() ? 1 : 0;
    Show2D = ShowObs = ShowWDB = 0;
    const auto existing = [&](const std::optional<std::string>& stored, const QString& current) {
        if (!stored)
            return current;
        const QString name = fileNameOf(*stored);
        return !name.isEmpty() && QFileInfo(ResolvedPath(name)).isFile() ? name : current;
    };
    const QString elementFile = fileNameOf(s.elementFile);
    Satellitenfilename = QFileInfo(ResolvedPath(elementFile)).isFile() ? elementFile : QString();
    TextureErdeFileName = existing(s.world ? std::optional(s.world->textureFile) : std::nullopt, before.TextureErdeFileName);
    ErdkarteFileName = existing(s.map ? std::optional(s.map->mapFile) : s.olderMapFile, before.ErdkarteFileName);
    WDBMapFileName = existing(s.wdb ? std::optional(s.wdb->mapFile) : std::nullopt, before.WDBMapFileName);
    ColorTableFileName = existing(s.colorTableFile, before.ColorTableFileName);

    kDocumentLinks.copyOut(s.document, *this);
    // Stored tick counts belong to another session: the clocks count from now.
    SetSimTime(Time(static_cast<std::int64_t>(s.document.SimTime)));
    FpsTick = StartTick = LastTick;
    passLanguageToFrame();
}

void CKivDoc::applySatellites(const SettingsSnapshot& s)
{
    // Icon entries first, so that the slots load the archive's icons.
    if (s.hasIcons) {
        for (std::size_t k = 0; k < s.icons.size() && k + 1 < Icons.size(); ++k) {
            Icons[k + 1].fileName = fileNameOf(s.icons[k].fileName);
            Icons[k + 1].icon = QImage();
        }
    }
    const int n = static_cast<int>(s.satellites.size());
    for (int i = 0; i < n; ++i) {
        const ArchiveSatellite& sat = s.satellites[i];
        tagSATINFO& info = SatInfo[i];
        if (s.hasIcons)
            info.iconIndex = sat.iconIndex;
        SetSatelliteFromTLE(i, sat.lines.name, sat.lines.line1, sat.lines.line2);
        for (int c = 0; c < 3; ++c) {
            info.color[c] = sat.color[c];
            const Rgba gl = glColorOf(info.color[c]);
            std::copy(gl.begin(), gl.end(), info.glColor[c]);
        }
    }
    SatelliteCount = n;
    // Sets the orbit library rejects leave; the colours and icons stay with their slots.
    InitSatellites();
    RecountIcons();
    if (s.hasIcons) {
        for (std::size_t k = 0; k < s.images.size() && k + 1 < Icons.size(); ++k) {
            tagICONENTRY& entry = Icons[k + 1];
            if (entry.refCount > 0 && !s.images[k].isNull())
                entry.icon = s.images[k].scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                 .convertToFormat(QImage::Format_ARGB32);
        }
    }
    const ArchiveDocumentValues& d = s.document;
    FollowedSatellite = d.FollowedSatellite < SatelliteCount ? d.FollowedSatellite : 0;
    FollowActive = d.FollowActive && d.FollowedSatellite < SatelliteCount ? 1 : 0;
}

void CKivDoc::applyViews(const SettingsSnapshot& s)
{
    // With their backgrounds.
    if (s.map)
        LoadEarthMap();
    if (s.wdb)
        LoadWDBMap();
    if (s.world)
        Open3DView(false);
    if (s.map)
        Open2DView(false);
    if (s.obs)
        OpenObsView(false);
    if (s.wdb)
        for (std::size_t v = 0; v < s.wdb->views.size(); ++v)
            OpenWDBView(false);
    if (Views.world()) {
        Views.world()->ResetOrbitState();
        Views.world()->BuildOrbitLists();
    }
}

void CKivDoc::applyFrames(const SettingsSnapshot& s)
{
    // Windows where they were: the main window on the screen, each frame exactly where it was
    // unless its title bar would be out of the mouse's reach.
    if (!Shell)
        return;
    const ArchiveRect none{};
    if (!(s.mainWindow == none))
        Shell->PlaceMainWindowRect(fromArchive(s.mainWindow));
    const QPoint origin = Shell->AreaOrigin();
    const QSize area = Shell->AreaSize();
    const auto place = [&](ViewKind kind, int slot, const ArchiveRect& frame) {
        if (frame == none || !Views.isOpen(kind, slot))
            return;
        const auto label = [&](QSize size) { return Shell->ViewFrameTitleLabel(kind, slot, size); };
        Shell->PlaceViewFrame(kind, slot, keptReachable(fromArchive(frame).translated(-origin), area, label));
    };
    if (s.world)
        place(ViewKind::World, 1, s.world->frame);
    if (s.map)
        place(ViewKind::Map, 1, s.map->frame);
    if (s.wdb)
        for (int slot = 1; slot <= static_cast<int>(s.wdb->views.size()); ++slot)
            place(ViewKind::WDB, slot, s.wdb->views[slot - 1].frame);
    if (s.obs)
        place(ViewKind::Obs, 1, s.obs->frame);
}

QStringList CKivDoc::applyViewStates(const SettingsSnapshot& s)
{
    // Over labels laid out for the new table.
    LayoutSatelliteLabels();
    if (s.world && Views.world())
        Views.world()->RestoreArchiveState(s.world->view, s.world->model);
    if (s.map && Views.map())
        Views.map()->RestoreArchiveState(s.map->view);
    QStringList refusedRegions;
    if (s.wdb)
        for (int slot = 1; slot <= std::min(Views.wdbCount(), static_cast<int>(s.wdb->views.size())); ++slot) {
            const WDBArchiveState& stored = s.wdb->views[slot - 1].view;
            if (!Views.wdb(slot)->RestoreArchiveState(stored))
                refusedRegions << unshownRegion(English(), slot, stored);
        }
    if (Views.map() && Views.wdbCount() > 0)
        Views.map()->SetWDBZoomBox(Views.wdb(1)->Extent());
    if (s.obs && Views.obs()) {
        Views.obs()->LoadObsSettings();
        Views.obs()->RestoreArchiveState(s.obs->view);
    }
    return refusedRegions;
}
