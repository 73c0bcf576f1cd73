#pragma once
// The one document: the satellite table, the simulated clock and the animation step, every
// setting, and plain pointers to the open views. Views and dialogs read and write its members
// directly; it reaches the views and the main window only through the ports it declares.

#include "document/ColorTableFile.h"
#include "document/DocumentViews.h"
#include "document/ElementFile.h"
#include "document/IconListFile.h"
#include "document/KivSettings.h"
#include "document/OpenViews.h"
#include "document/TrackWorkers.h"
#include "document/tagICONENTRY.h"
#include "document/tagSATINFO.h"
#include "document/tagTOWN.h"
#include "orbit/CSGP4_SDP4.h"
#include "platform/CutOffWrite.h"
#include "platform/Time.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace kiv {
struct SettingsSnapshot;
class DataPaths;
class IniProfile;
class PictureSource;
struct TrackUpdate;
struct UiServices;

// What the document is built with; all of it outlives the document.
struct DocumentContext {
    UiServices& ui;
    IniProfile& profile;
    const DataPaths& paths;
    MainFramePort* frame = nullptr;
    // The maps' pictures; without it no map is loaded (tests of the document alone).
    PictureSource* pictures = nullptr;
};

class CKivDoc : public KivSettings {
public:
    explicit CKivDoc(kiv::DocumentContext context);
    ~CKivDoc();
    CKivDoc(const CKivDoc&) = delete;
    CKivDoc& operator=(const CKivDoc&) = delete;

    // Links
    CKivDoc* Self = this;
    CSGP4_SDP4 Orbit;
    // The animation step's and the reset's propagation over every core (Orbit on this thread).
    std::unique_ptr<kiv::TrackWorkers> Tracks = std::make_unique<kiv::TrackWorkers>(Orbit);
    // The open views; the last one of a kind to leave clears the kind's Show flag.
    kiv::OpenViews Views{[this](kiv::ViewKind kind) { showFlag(kind) = 0; }};

    // Animation and simulated time
    int AnimationRunning = 1;
    // HeldRedraw bits: views the step does not redraw for now; never stored.
    int HeldRedraws = 0;
    std::uint32_t FpsTick = 0;
    int FpsSteps = 0; // animation steps with the globe open since FpsTick
    std::uint32_t LastTick = 0;
    std::uint32_t StartTick = 0;
    kiv::Time SimTime;     // the simulated instant; local fields by the zone rules in force then
    std::int64_t UtcOffset = 0; // UTC minus local time at SimTime, seconds
    double JulianDate = 0.0;    // of the last satellite calculation
    int ShowUTC = 0;
    kiv::ClockColorTables ClockColors{}; // [clock][entry][rgba]; clock 0 UTC, 1 local

    // Satellite table
    std::array<tagSATELLITE, kiv::kMaxSatellites> Satellites{};
    std::array<tagSATINFO, kiv::kMaxSatellites> SatInfo{};
    std::array<tagSATHISTORY, kiv::kMaxSatellites> SatHistory{};
    std::array<kiv::ElementLines, kiv::kMaxSatellites> SatelliteLines{}; // as loaded, per slot
    std::array<tagICONENTRY, kiv::kMaxSatellites> Icons{};
    int SatelliteCount = 0;
    int DisplayAll = 0;
    QString SatelliteModelFileName;
    int ColorTableChanged = 0;

    // Following a satellite
    int FollowMode3D = 1;
    int FollowInWDB = 0;
    int FollowIn3D = 0;
    int FollowActive = 0;
    int FollowedSatellite = 0;
    tagVECTOR FollowedPos;
    int ShadeMode = 1;
    int ShowCourseEarth3D = 0;

    // Town lists
    std::vector<tagTOWN> SmalTowns;
    std::vector<tagTOWN> BigTowns;
    int SmalTownCount = 0;
    int BigTownCount = 0;

    // Values kept only in settings archives
    int TownPopulationMin = 0;
    int ObsSetValue = 0;
    double fUserW = 0.0;

    // Element sets (the file named by Satellitenfilename). The one way to reload: the globe's
    // orbits freed, the table freed, read and propagated, the orbits rebuilt (the stars too when
    // asked), the satellite buttons rebuilt and the label layouts run, with the timer held off
    // and no animation step until it is done.
    void ReloadSatellites(bool rebuildStars = false);
    // The flat views' label boxes for the names of the current table.
    void LayoutSatelliteLabels();
    void LoadSatelliteFile();
    bool SetSatelliteFromTLE(int slot, std::string_view name, std::string_view line1, std::string_view line2);
    void UpdateTitle();
    void RemoveSatellite(int slot);
    void FreeSatellites();
    // The names of the loaded satellites, slot by slot.
    QStringList SatelliteNames() const;

    // Propagation, ground tracks and beam footprints
    void InitSatellites();
    void ResetRouteSteps();
    int CalculateSatellite(int slot);
    void CalculateBeamFootprints(bool all);

    // Simulated time and the animation step
    // Sets the clock from outside (time dialog, settings archive): the real-time step then
    // counts from now, not from the last step.
    void SetSimTime(kiv::Time time);
    void EnableAnimationTimer(bool on);
    // The timer held off for a modal dialog or a reload (through kiv::TimerBracket); while any
    // hold lasts, EnableAnimationTimer(true) leaves it off.
    void HoldAnimationTimer();
    void ReleaseAnimationTimer();
    void AnimationStep();
    void AdvanceTime();
    // Redraw on change: a view redraws only when its picture would differ from the one on screen.
    // Whatever changes what a view shows (its camera, a view setting) names the view here; it
    // redraws at the end of the next animation step, or at once while the animation is stopped.
    void InvalidateViews(int views = kiv::kRedrawAll);
    // The satellites or the settings changed (a command, a dialog, a reload): the next step
    // propagates the shown satellites, and every view redraws. While the clock stands (paused or
    // stopped) the shown satellites not yet computed for the simulated instant are computed at
    // once: a satellite switched on, or a clock set, shows where it is then.
    void DocumentChanged();
    // The views asked for and not held by a drag, redrawn now.
    void RedrawPendingViews();
    void UpdateFollowCamera();
    void OnPlay();
    void OnPause();
    void OnReset();
    // The factor to keep when the program ends: the one Pause would bring back.
    int PersistentTimeFactor() const;

    // Colour table, icon list and town lists
    void LoadColorTable();
    bool SaveColorTable();
    // When the colour table has unsaved changes: the question in the caller's words (%1 the
    // table's file), the table saved on Yes; either way the changes count as dealt with.
    void OfferToSaveColorTable(const char* en, const char* de);
    void LoadIconNames();
    bool SaveIconNames();
    // The icon of an icon file, 32 x 32; the built-in icon for no name or a file that cannot be read.
    QImage IconImage(const QString& fileName) const;
    void LoadTowns();

    // Profile
    void LoadSettings();
    void SaveSettings();
    // Writes these keys into the profile file as it is now, keeping everything else in it; a
    // failure is told. False when it failed.
    bool WriteProfile(const kiv::IniProfile& writes);
    // Before a file of the document is read: the user is offered back what a write cut off by a
    // kill left beside it, once a writer of it that still runs ended. The result holds a shared
    // lock on the file, to be kept while it is read, and says whether a copy was put back.
    kiv::CutOffWrite::Recovery RecoverCutOffWrite(const QString& path);
    void AddInternetFile(const QString& url);
    void AddWeatherImage(const QString& url);

    const kiv::DocumentContext& Context() const { return context_; }

    // Settings archives (CKivDocArchive.cpp): the whole state into a ".set" file and back. A
    // restore reads and checks the whole file first; a file it cannot use changes nothing.
    void OnSaveSettings();
    void OnRestoreSettings();
    bool SaveSettingsArchive(const QString& path);
    bool RestoreSettingsArchive(const QString& path);
    // The document's state as an archive holds it; the sky view's values as it last stored them.
    kiv::SettingsSnapshot CollectSettings() const;
    // A snapshot as parsing leaves it, every value in its range.
    void ApplySettings(const kiv::SettingsSnapshot& snapshot);

    // ---- View management, satellite toolbar and language -----------------
    // In CKivDocViews.cpp and CKivDocToolbar.cpp. The shell is set by the application once the
    // main frame exists; without it no view opens.
    kiv::ShellPort* Shell = nullptr;
    QImage EarthMapBitmap;
    int EarthMapWidth = 0;
    int EarthMapHeight = 0;
    int EarthMapChanged = 0;
    QImage NightMapBitmap;
    int NightMapWidth = 0;
    int NightMapHeight = 0;
    QImage WDBMapBitmap;
    int WDBMapWidth = 0;
    int WDBMapHeight = 0;
    int WDBMapChanged = 0;
    std::array<int, kiv::kMaxSatellites> SavedShown{}; // the shown flags before Display all

    // Start-up: the views whose Show flags the profile remembers (the globe when none), arranged.
    void OpenRememberedViews();
    void Open3DView(bool arrange);
    void Open2DView(bool arrange);
    void OpenObsView(bool arrange);
    bool OpenWDBView(bool arrange); // true when a new view opened
    void AddWDBView(bool arrange);
    // The newest WDB frame, once its picture has its size: moved one title bar down and right of
    // the frame before it, as new MDI windows open, instead of onto the centre it was fitted to,
    // and kept wholly inside the MDI area.
    void PlaceNewestWDBFrame();
    // Closes the view of a kind; for WDB every WDB view.
    void CloseView(kiv::ViewKind kind);
    // When the main frame closes: WDB views, 2D, observer, globe.
    void CloseAllViews();
    void OnView3D();
    void OnView2D();
    void OnViewObs();
    void OnViewWDB();
    void OnArrange();
    void ArrangeViews();
    // A replaced background picture: 0 the 2D map, 1 the globe texture, 2 the WDB map.
    void SetBackgroundBitmap(int kind, const QImage& bitmap);
    void LoadEarthMap();
    void LoadNightMap();
    void LoadWDBMap();
    // kCmdGerman (0) and kCmdEnglish (1).
    void SetLanguage(int language);

    // Satellite toolbar: after every load only satellite 0 is shown, Display all is off.
    void CreateSatelliteButtons();
    // The shown flags changed: the buttons follow them, and the document changed.
    void UpdateSatelliteToolbar();
    void OnSatelliteButton(int slot);
    void OnDisplayAll();
    // ---- end of view management ----------------------------------------------------------------

private:
    void setTime(kiv::Time time);
    bool English() const { return Language != 0; }
    // Tells the main frame the language in force, whenever it may have changed.
    void passLanguageToFrame();
    int& showFlag(kiv::ViewKind kind);
    void Warn(const QString& caption, const QString& text);
    void RecountIcons();
    void LoadIcon(int entry);
    bool TrackShown() const;
    // One slot's present position and ring at jd with the given orbit object; touches only the
    // slot's records (and FollowedPos for the followed slot), so slots may run in parallel.
    int propagateSlot(int slot, CSGP4_SDP4& orbit, double jd, const kiv::TrackUpdate& update);
    // The animation step's propagation: every shown satellite, and their beams in exact mode;
    // with staleOnly just those not yet computed for the simulated instant.
    void calculateShownSatellites(bool staleOnly = false);
    bool redrawsAtOnce() const;
    void showStatusTexts();
    QString ResolvedPath(const QString& name) const;
    // Where the archive dialogs start: the folder of this session's last archive, else the
    // user data folder.
    QString ArchiveFolder() const;
    // The document's values as an archive holds them, before its views are asked.
    kiv::SettingsSnapshot snapshotBase() const;
    // The steps of ApplySettings, in order (the satellite buttons between views and frames).
    void applyValues(const kiv::SettingsSnapshot& s);
    void applySatellites(const kiv::SettingsSnapshot& s);
    void applyViews(const kiv::SettingsSnapshot& s);
    void applyFrames(const kiv::SettingsSnapshot& s);
    // Returns the World Data Bank regions the views could not take, one line each.
    QStringList applyViewStates(const kiv::SettingsSnapshot& s);

    kiv::DocumentContext context_;
    kiv::CutOffWrite cutOffWrites_;
    QString lastArchive_; // the archive last saved or restored in this session
    // Animation state that lives beside the clock.
    double realTimeRemainder_ = 0.0;
    int pendingRedraws_ = kiv::kRedrawAll;
    int clockRedraws_ = 0; // views only the clock's advance touched: redrawn where it moved them
    // What the status bar's clock and factor panes show.
    struct StatusShown {
        kiv::Time time;
        bool utc = false;
        int factor = 0;
    };
    std::optional<StatusShown> statusShown_;
    bool recalculate_ = true; // the shown satellites need propagating although the clock stands
    int resetCounter_ = 0;
    int fpsCounter_ = 0;
    bool busy_ = false;
    bool reloading_ = false; // the table is half rebuilt: the step does nothing
    int timerHolds_ = 0;
    int savedTimeFactor_ = 0;
    // What the town loader remembers for the whole run.
    struct TownFileMemory {
        bool namesTaken = false;
        bool anyMissing = false;
        QString smallName, bigName;
    } towns_;
    // The views open when the program last closed: the Show flags as read, before the views
    // set them again while they open.
    struct RememberedViews {
        int show3D = 0, show2D = 0, showObs = 0, showWDB = 0;
    } rememberedViews_;
};

static_assert(kiv::kColorTableSlots == kiv::kMaxSatellites && kiv::kIconListSlots == kiv::kMaxSatellites);

} // namespace kiv
