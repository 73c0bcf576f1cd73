#pragma once
// A settings archive as plain data: what the writer collects from the document and its views,
// and what the restore parses and checks in full before anything of it is applied.

#include "document/ElementFile.h"
#include "document/KivSettings.h"
#include "document/ViewArchiveState.h"
#include "platform/ArchiveRect.h"

#include <QImage>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kiv {

// The archive's version as hundredths: "2.41" is 241.
inline constexpr int kSettingsArchiveVersion = 241;
// Files up to this version have no AccuracyY.
inline constexpr int kArchiveWithoutAccuracyY = 210;
// The older layout, without a version string.
inline constexpr int kOlderArchiveLayout = 0;
inline constexpr int kMaxArchiveWDBViews = 9;

// The document's values an archive holds that are not profile settings.
struct ArchiveDocumentValues {
    int DisplayAll = 0;
    int AnimationRunning = 1;
    int FollowActive = 0;
    int FollowedSatellite = 0;
    int FollowIn3D = 0;
    int FollowMode3D = 1;
    int FollowInWDB = 0;
    int ShadeMode = 1;
    int ShowCourseEarth3D = 0;
    int TownPopulationMin = 0;
    int ObsSetValue = 0;
    double fUserW = 0.0;
    // Seconds since 1970, unsigned as stored.
    std::uint32_t SimTime = 0;
    // Stored and read, never used: they count from another session's start.
    std::uint32_t FpsTick = 0;
    std::uint32_t LastTick = 0;
    std::uint32_t StartTick = 0;

    friend bool operator==(const ArchiveDocumentValues&, const ArchiveDocumentValues&) = default;
};

struct ArchiveSatellite {
    ElementLines lines;
    int iconIndex = 0;
    std::array<COLORREF, 3> color{}; // route, beam, satellite as the document keeps them
    int shown = 0;

    friend bool operator==(const ArchiveSatellite&, const ArchiveSatellite&) = default;
};

struct ArchiveIcon {
    std::string fileName; // 8-bit, as stored
    int refCount = 0;

    friend bool operator==(const ArchiveIcon&, const ArchiveIcon&) = default;
};

struct WorldArchiveSection {
    ArchiveRect frame;
    std::string textureFile;
    GlobeArchiveState view;
    // The model's lines between "StartModel" and "EndModel", when the draw style is a model.
    std::optional<std::vector<std::string>> model;

    friend bool operator==(const WorldArchiveSection&, const WorldArchiveSection&) = default;
};

struct MapArchiveSection {
    ArchiveRect frame;
    std::string mapFile;
    MapArchiveState view;

    friend bool operator==(const MapArchiveSection&, const MapArchiveSection&) = default;
};

struct WDBArchiveView {
    ArchiveRect frame;
    WDBArchiveState view;

    friend bool operator==(const WDBArchiveView&, const WDBArchiveView&) = default;
};

struct WDBArchiveSection {
    std::string mapFile;
    std::vector<WDBArchiveView> views; // 0 to 9

    friend bool operator==(const WDBArchiveSection&, const WDBArchiveSection&) = default;
};

struct ObsArchiveSection {
    ArchiveRect frame;
    ObsArchiveState view;

    friend bool operator==(const ObsArchiveSection&, const ObsArchiveSection&) = default;
};

struct SettingsSnapshot {
    int version = kSettingsArchiveVersion;
    // Every setting; the restore starts from the document's own, so what the archive does not
    // hold stays as it is. The Show flags say which sections follow.
    KivSettings values;
    ArchiveDocumentValues document;
    std::string elementFile;
    ArchiveRect mainWindow;
    std::vector<ArchiveSatellite> satellites; // at most 255
    // Icon entries 1 on; the older layout has none and leaves the icons alone.
    bool hasIcons = true;
    std::vector<ArchiveIcon> icons;
    std::vector<QImage> images; // one per icon entry, in order; fewer when the file has fewer
    std::optional<WorldArchiveSection> world;
    std::optional<MapArchiveSection> map;
    std::optional<WDBArchiveSection> wdb;
    std::optional<ObsArchiveSection> obs;
    // The older layout only: the colour table and 2D map files it names.
    std::optional<std::string> colorTableFile;
    std::optional<std::string> olderMapFile;
};

} // namespace kiv
