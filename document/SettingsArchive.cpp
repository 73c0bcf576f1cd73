#include "document/SettingsArchive.h"

#include "document/ImageListStream.h"
#include "document/SettingsTable.h"
#include "platform/ArchiveReader.h"
#include "platform/ArchiveWriter.h"

#include <algorithm>
#include <cmath>

namespace kiv::settingsArchive {

namespace {

constexpr std::size_t kReservedBytes = 500;
constexpr int kModelDrawStyle = 4;

// One item list, two directions: Loading reads into the snapshot, Storing writes from it, so
// that the writer and the reader cannot drift apart.
class Loading {
public:
    static constexpr bool loading = true;
    Loading(ArchiveReader& in, std::string_view bytes) : in_(in), bytes_(bytes) {}

    void io(int& v) { v = in_.readInt32(); }
    void io(std::uint32_t& v) { v = in_.readUInt32(); }
    void io(float& v) { v = in_.readFloat(); }
    void io(double& v) { v = in_.readDouble(); }
    void io(ArchiveRect& v) { v = in_.readRect(); }
    void io(std::string& v) { v = in_.readString(); }
    void io(tagQUALITY& q)
    {
        io(q.Qualitaet);
        io(q.Lightning);
        io(q.Texturing);
        io(q.Interpolation);
    }
    void reserved() { in_.skip(kReservedBytes); }
    void fail(const BilingualText& text)
    {
        if (error_.isEmpty())
            error_ = text;
    }
    bool ok() const { return in_.ok() && error_.isEmpty(); }
    const BilingualText& error() const { return error_.isEmpty() ? in_.error() : error_; }
    ArchiveReader& reader() { return in_; }
    // Whether the last text line read ended with LF.
    bool lineEnded() const { return in_.position() > 0 && bytes_[in_.position() - 1] == '\n'; }

private:
    ArchiveReader& in_;
    std::string_view bytes_;
    BilingualText error_;
};

class Storing {
public:
    static constexpr bool loading = false;
    explicit Storing(ArchiveWriter& out) : out_(out) {}

    void io(const int& v) { out_.writeInt32(v); }
    void io(const std::uint32_t& v) { out_.writeUInt32(v); }
    void io(const float& v) { out_.writeFloat(v); }
    void io(const double& v) { out_.writeDouble(v); }
    void io(const ArchiveRect& v) { out_.writeRect(v); }
    void io(const std::string& v) { out_.writeString(v); }
    void io(const tagQUALITY& q)
    {
        io(q.Qualitaet);
        io(q.Lightning);
        io(q.Texturing);
        io(q.Interpolation);
    }
    void reserved() { out_.writeBytes(std::string(kReservedBytes, '\0')); }
    void fail(const BilingualText&) {}
    bool ok() const { return true; }
    ArchiveWriter& writer() { return out_; }

private:
    ArchiveWriter& out_;
};

// A count item: written from the container's size, read and checked against its bound. what:
// the items counted, in English and German.
template <class Io, class Container>
void count(Io& io, Container& items, int max, const char* whatEnglish, const char* whatGerman)
{
    int n = static_cast<int>(items.size());
    io.io(n);
    if constexpr (Io::loading) {
        if (!io.ok())
            return;
        if (n < 0 || n > max) {
            const QString claimed = QString::number(n), allowed = QString::number(max),
                          at = QString::number(io.reader().position());
            io.fail({QStringLiteral("the file claims %1 %2 (0 to %3 allowed) before byte %4")
                         .arg(claimed, QString::fromUtf8(whatEnglish), allowed, at),
                     QStringLiteral("die Datei gibt %1 %2 an (0 bis %3 erlaubt) vor Byte %4")
                         .arg(claimed, QString::fromUtf8(whatGerman), allowed, at)});
            return;
        }
        items.resize(n);
    }
}

template <class Io>
void modelBlock(Io& io, std::vector<std::string>& model)
{
    if constexpr (Io::loading) {
        ArchiveReader& in = io.reader();
        std::string line;
        bool first = true;
        while (in.readTextLine(line)) {
            // The writer ends every line, "EndModel" included; a file cut inside one is damaged.
            if (!io.lineEnded())
                break;
            if (line.find("EndModel") != std::string::npos)
                return;
            if (!(first && line.find("StartModel") != std::string::npos))
                model.push_back(line);
            first = false;
        }
        io.fail(BilingualText::of("the satellite model has no \"EndModel\" line",
                                  "dem Satellitenmodell fehlt die Zeile \"EndModel\""));
    } else {
        ArchiveWriter& out = io.writer();
        out.writeTextLine("StartModel");
        for (const std::string& line : model)
            out.writeTextLine(line);
        out.writeTextLine("EndModel");
    }
}

template <class Io, class S>
void generalSection(Io& io, S& s, int version)
{
    auto& v = s.values;
    auto& d = s.document;
    io.reserved();
    io.io(s.elementFile);
    io.io(v.Show3D);
    io.io(v.Show2D);
    io.io(v.ShowObs);
    io.io(v.ShowWDB);
    io.io(s.mainWindow);
    io.io(d.DisplayAll);
    io.io(d.AnimationRunning);
    io.io(v.AutoArrangeWindows);
    io.io(v.Language);
    io.io(v.AccuracyX);
    if (version > kArchiveWithoutAccuracyY)
        io.io(v.AccuracyY);
    io.io(v.ActualLatitude);
    io.io(v.ActualLongitude);
    io.io(v.AutoExtendX);
    io.io(v.CalculateExact);
    io.io(d.FollowActive);
    io.io(d.FollowedSatellite);
    io.io(v.BeamAngle);
    io.io(d.SimTime);
    io.io(v.TimeFactor);
    io.io(d.FpsTick);
    io.io(d.LastTick);
    io.io(d.StartTick);
    io.io(v.RouteLengthFactor);
    io.io(v.NrOfPoints);
    count(io, s.satellites, kMaxSatellites, "satellites", "Satelliten");
    if (!io.ok())
        return;
    for (auto& sat : s.satellites) {
        io.io(sat.lines.name);
        io.io(sat.lines.line1);
        io.io(sat.lines.line2);
    }
    for (auto& sat : s.satellites)
        io.io(sat.iconIndex);

    // Icon entries 1 on, while k is below n; an empty name ends them.
    const int n = static_cast<int>(s.satellites.size());
    if constexpr (Io::loading) {
        s.icons.clear();
        for (int k = 1; k < n && io.ok(); ++k) {
            ArchiveIcon icon;
            io.io(icon.fileName);
            if (icon.fileName.empty())
                break;
            io.io(icon.refCount);
            s.icons.push_back(std::move(icon));
        }
        if (!io.ok())
            return;
        BilingualText error;
        auto images = imageList::read(io.reader(), s.icons.size(), error);
        if (!images) {
            io.fail(error);
            return;
        }
        s.images = std::move(images->images);
    } else {
        int k = 1;
        for (; k < n && k - 1 < static_cast<int>(s.icons.size()); ++k) {
            io.io(s.icons[k - 1].fileName);
            io.io(s.icons[k - 1].refCount);
        }
        if (k < n)
            io.io(std::string());
        imageList::write(io.writer(), s.images, n + 1);
    }

    for (auto& sat : s.satellites) {
        io.io(sat.color[1]);
        io.io(sat.color[2]);
        io.io(sat.color[0]);
        io.io(sat.shown);
    }
}

template <class Io, class S>
void worldSection(Io& io, S& s)
{
    auto& v = s.values;
    auto& d = s.document;
    auto& w = *s.world;
    io.reserved();
    io.io(w.frame);
    io.io(w.textureFile);
    io.io(v.CameraPos);
    io.io(w.view.lighting);
    io.io(w.view.texturing);
    io.io(v.TextureInterpolation);
    io.io(v.ShowCenterCross);
    io.io(v.Footprint3D);
    io.io(v.ShowCourse3D);
    io.io(d.ShowCourseEarth3D);
    io.io(d.FollowIn3D);
    io.io(d.FollowMode3D);
    io.io(d.ShadeMode);
    io.io(v.NrOfOcularReflections);
    io.io(v.Sterne);
    io.io(v.SatelliteDrawStyle);
    io.io(v.BeamDrawStyle);
    io.io(v.TransparencyBeam);
    io.io(v.MouseMove);
    io.io(v.Normal);
    for (auto& f : w.view.projection)
        io.io(f);
    for (auto& f : w.view.modelView)
        io.io(f);
    if (!io.ok())
        return;
    if (v.SatelliteDrawStyle == kModelDrawStyle) {
        if constexpr (Io::loading)
            w.model.emplace();
        std::vector<std::string> none;
        modelBlock(io, w.model ? *w.model : none);
    }
}

template <class Io, class S>
void mapSection(Io& io, S& s)
{
    auto& v = s.values;
    auto& m = *s.map;
    io.reserved();
    io.io(m.frame);
    io.io(m.mapFile);
    io.io(v.TextureDeltaErde);
    io.io(v.SatelliteName2D);
    io.io(v.SatellitePos2D);
    io.io(v.Footprint2D);
    io.io(v.Footprint2DColored);
    io.io(v.ShowCourse2D);
    io.io(v.FootprintStyle);
    io.io(v.PenWidth);
    io.io(m.view.showNames);
    io.io(m.view.showPositions);
}

template <class Io, class S>
void wdbSection(Io& io, S& s)
{
    auto& v = s.values;
    auto& w = *s.wdb;
    io.reserved();
    count(io, w.views, kMaxArchiveWDBViews, "World Data Bank views", "World-Data-Bank-Ansichten");
    io.io(w.mapFile);
    io.io(v.FootprintWDB);
    io.io(v.ShowCourseWDB);
    io.io(s.document.FollowInWDB);
    io.io(v.SatelliteNameWDB);
    io.io(v.SatellitePosWDB);
    io.io(v.ColorFootprintWDB);
    io.io(v.FootprintStyleWDB);
    io.io(v.XExtension);
    io.io(v.BDY_Layer);
    io.io(v.CIL_Layer);
    io.io(v.RIV_Layer);
    io.io(v.PBY_Layer);
    io.io(v.BackgraoundTexture);
    io.io(v.ZoomStyle);
    io.io(v.ActivateAllLayers);
    io.io(v.AllSmal);
    io.io(v.StaticGrid);
    io.io(v.DrawGrid);
    io.io(v.GridDistance);
    io.io(v.GridStyle);
    io.io(v.EnableTowns);
    io.io(v.DynamicDisplayTowns);
    io.io(s.document.TownPopulationMin);
    for (auto& view : w.views) {
        if (!io.ok())
            return;
        auto& r = view.view;
        io.io(view.frame);
        for (int i = 0; i < kWDBArchiveLayers; ++i) {
            io.io(r.layerColors[i]);
            io.io(r.penWidths[i]);
        }
        io.io(r.sourceLeft);
        io.io(r.sourceRight);
        io.io(r.sourceTop);
        io.io(r.sourceBottom);
        io.io(r.leftLongitude);
        io.io(r.rightLongitude);
        io.io(r.topLatitude);
        io.io(r.bottomLatitude);
        io.io(r.clientWidth);
        io.io(r.clientHeight);
        io.io(r.showNames);
        io.io(r.showPositions);
    }
}

template <class Io, class S>
void obsSection(Io& io, S& s)
{
    auto& v = s.values;
    auto& o = *s.obs;
    io.reserved();
    io.io(o.frame);
    io.io(v.ShowCourseOBS);
    for (int* flag : {&v.bOBSShowAziEleDist, &v.OBSShowAscDesc, &v.bOBSShowName, &v.bOBSShowIcons, &v.bOBSDrawAscDesc,
                      &v.bOBSDrawAlt, &v.bOBSDrawAzi, &v.bOBSDrawEleDegrees, &v.bOBSDrawAziDegrees, &v.bOBSDrawCoord,
                      &v.bOBSDrawCompas, &v.bOBSDispaly2D, &v.bOBSDrawMan, &v.bOBSDrawHiddenLines,
                      &v.bOBSDrawCompassLines, &v.bOBSDrawHemiSphere, &s.document.ObsSetValue})
        io.io(*flag);
    io.io(v.fOBSAzimuthDelta);
    io.io(v.fOBSElevationDelta);
    io.io(v.fTwilight);
    for (COLORREF* c : {&v.cColorBackground, &v.cColorAziLines, &v.cColorEleLines, &v.cColorText, &v.cColorManLines,
                        &v.cColorManHead, &v.cColorManGround})
        io.io(*c);
    io.io(v.fUserLat);
    io.io(v.fUserLon);
    io.io(v.fUserAlt);
    io.io(s.document.fUserW);
    io.io(o.view.turn);
    io.io(o.view.tilt);
}

// A view's section, in the file while its view is shown; a fresh record to read into.
template <class Io, class Part, class Section>
void viewSection(Io& io, int shown, Part& part, Section section)
{
    if (!io.ok() || shown == 0)
        return;
    if constexpr (Io::loading)
        part.emplace();
    section();
}

// The sections after the version string, in file order.
template <class Io, class S>
void currentLayout(Io& io, S& s, int version)
{
    generalSection(io, s, version);
    viewSection(io, s.values.Show3D, s.world, [&] { worldSection(io, s); });
    viewSection(io, s.values.Show2D, s.map, [&] { mapSection(io, s); });
    viewSection(io, s.values.ShowWDB, s.wdb, [&] { wdbSection(io, s); });
    viewSection(io, s.values.ShowObs, s.obs, [&] { obsSection(io, s); });
}

void olderLayout(Loading& io, SettingsSnapshot& s)
{
    auto& v = s.values;
    auto& d = s.document;
    s.version = kOlderArchiveLayout;
    s.hasIcons = false;
    s.world.emplace();
    auto& w = *s.world;
    std::string mapFile;
    std::string colorTable;
    int unused = 0;
    io.io(v.Show2D);
    io.io(mapFile);
    io.io(v.FootprintStyle);
    io.io(v.PenWidth);
    io.io(v.RouteLengthFactor);
    io.io(v.NrOfPoints);
    io.io(unused);
    io.io(d.DisplayAll);
    io.io(s.elementFile);
    io.io(colorTable);
    io.io(w.textureFile);
    io.io(d.ShadeMode);
    io.io(v.TextureInterpolation);
    io.io(v.TextureDeltaErde);
    for (int* item : {&v.ShowCenterCross, &v.Footprint3D, &v.Footprint2D, &v.Footprint2DColored, &v.AccuracyX,
                      &v.NrOfOcularReflections, &v.Sterne})
        io.io(*item);
    io.io(v.ActualLatitude);
    io.io(v.ActualLongitude);
    for (int* item : {&v.ShowCourse3D, &v.ShowCourse2D, &d.ShowCourseEarth3D, &v.SatelliteDrawStyle, &v.BeamDrawStyle})
        io.io(*item);
    io.io(v.TransparencyBeam);
    io.io(d.SimTime);
    io.io(v.TimeFactor);
    count(io, s.satellites, kMaxSatellites, "satellites", "Satelliten");
    io.io(v.MouseMove);
    io.io(v.Normal);
    for (auto& sat : s.satellites) {
        if (!io.ok())
            return;
        io.io(sat.lines.name);
        io.io(sat.lines.line1);
        io.io(sat.lines.line2);
    }
    for (auto& sat : s.satellites) {
        io.io(sat.color[1]);
        io.io(sat.color[2]);
        io.io(sat.color[0]);
        io.io(sat.shown);
    }
    io.io(v.CameraPos);
    io.io(w.view.lighting);
    io.io(w.view.texturing);
    io.io(d.AnimationRunning);
    io.io(d.FpsTick);
    io.io(d.LastTick);
    io.io(d.StartTick);
    io.io(unused);
    if (v.Show2D != 0) {
        s.map.emplace();
        io.io(unused); // the 2D view's icon width
        io.io(unused); // and height
        io.io(v.SatelliteName2D);
        io.io(v.SatellitePos2D);
        s.map->mapFile = mapFile;
        s.map->view = {v.SatelliteName2D, v.SatellitePos2D};
    }
    io.io(s.mainWindow);
    io.io(w.frame);
    if (s.map)
        io.io(s.map->frame);
    for (auto& f : w.view.projection)
        io.io(f);
    for (auto& f : w.view.modelView)
        io.io(f);
    io.io(v.BeamAngle);
    io.io(v.CalculateExact);
    if (io.ok() && v.SatelliteDrawStyle == kModelDrawStyle) {
        w.model.emplace();
        modelBlock(io, *w.model);
    }
    v.Show3D = 1;
    v.ShowObs = 0;
    v.ShowWDB = 0;
    s.olderMapFile = mapFile;
    s.colorTableFile = colorTable;
}

// "2.41" as 241; -1 when the text is no version.
int versionOf(std::string_view text)
{
    if (text.size() < 4)
        return -1;
    const std::string_view tail = text.substr(text.size() - 4);
    if (tail[1] != '.' || !std::isdigit(static_cast<unsigned char>(tail[0])) ||
        !std::isdigit(static_cast<unsigned char>(tail[2])) || !std::isdigit(static_cast<unsigned char>(tail[3])))
        return -1;
    return (tail[0] - '0') * 100 + (tail[2] - '0') * 10 + (tail[3] - '0');
}

bool olderLayoutStart(std::string_view bytes)
{
    // The older layout opens with the 2D flag as an int: 0 or 1.
    return bytes.size() >= 4 && (bytes[0] == 0 || bytes[0] == 1) && bytes[1] == 0 && bytes[2] == 0 && bytes[3] == 0;
}

template <class T>
void finiteOr(T& value, T fallback)
{
    if (!std::isfinite(value))
        value = fallback;
}

void clampFlag(int& flag) { flag = flag != 0 ? 1 : 0; }

// The corner within far more than any desktop and the sides within far more than any window, so
// that no arithmetic on the rectangle overflows; a right or bottom edge before its left or top
// edge gives side 0.
constexpr std::int32_t kMaxRectCorner = 1 << 20;
constexpr std::int32_t kMaxRectSide = 1 << 16;

void clampRect(ArchiveRect& r)
{
    const auto side = [](std::int32_t from, std::int32_t to) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{to} - from, 0, kMaxRectSide));
    };
    const std::int32_t width = side(r.left, r.right);
    const std::int32_t height = side(r.top, r.bottom);
    r.left = std::clamp(r.left, -kMaxRectCorner, kMaxRectCorner);
    r.top = std::clamp(r.top, -kMaxRectCorner, kMaxRectCorner);
    r.right = r.left + width;
    r.bottom = r.top + height;
}

} // namespace

QByteArray write(const SettingsSnapshot& snapshot)
{
    SettingsSnapshot s = snapshot;
    s.values.Show3D = s.world ? 1 : 0;
    s.values.Show2D = s.map ? 1 : 0;
    s.values.ShowWDB = s.wdb ? 1 : 0;
    s.values.ShowObs = s.obs ? 1 : 0;
    if (s.world && s.values.SatelliteDrawStyle == kModelDrawStyle && !s.world->model)
        s.world->model.emplace();
    ArchiveWriter out;
    std::string version(kVersionPrefix);
    version += "2.41";
    out.writeString(version);
    Storing io(out);
    currentLayout(io, s, kSettingsArchiveVersion);
    return out.bytes();
}

ParseResult parse(std::string_view bytes, const SettingsSnapshot& base)
{
    ParseResult result;
    SettingsSnapshot s;
    s.values = base.values;
    s.document = base.document;
    ArchiveReader in(bytes);
    Loading io(in, bytes);
    if (olderLayoutStart(bytes)) {
        olderLayout(io, s);
    } else {
        const std::string head = in.readString();
        const int version = versionOf(head);
        if (!in.ok() || head.rfind(kVersionPrefix, 0) != 0 || version < 0) {
            result.error = ParseError::NotAnArchive;
            result.errorText = BilingualText::of("the file does not start with a settings archive's version",
                                                 "die Datei beginnt nicht mit der Version einer Einstellungsdatei");
            return result;
        }
        if (version <= 200) {
            result.error = ParseError::UnsupportedVersion;
            const QString number = QStringLiteral("%1.%2").arg(version / 100).arg(version % 100, 2, 10, QLatin1Char('0'));
            result.errorText = BilingualText::of("the file is of the unsupported version %1",
                                                 "die Datei hat die nicht unterstützte Version %1")
                                   .arg(number);
            return result;
        }
        s.version = version;
        currentLayout(io, s, version);
    }
    if (io.ok() && !in.atEnd())
        io.fail(BilingualText::of("%1 bytes follow the last section at byte %2",
                                  "%1 Bytes folgen dem letzten Abschnitt bei Byte %2")
                    .arg(QString::number(in.remaining()), QString::number(in.position())));
    if (!io.ok()) {
        result.error = ParseError::Damaged;
        result.errorText = io.error();
        return result;
    }
    clampSnapshot(s);
    result.snapshot = std::move(s);
    return result;
}

void clampSnapshot(SettingsSnapshot& s)
{
    const int timeFactor = s.values.TimeFactor;
    clampSettings(s.values);
    s.values.TimeFactor = boundedTimeFactor(timeFactor); // a paused factor 0 stays 0
    s.values.Show3D = s.world ? 1 : 0;
    s.values.Show2D = s.map ? 1 : 0;
    s.values.ShowWDB = s.wdb && !s.wdb->views.empty() ? 1 : 0;
    s.values.ShowObs = s.obs ? 1 : 0;

    auto& d = s.document;
    // ObsSetValue is a number of its own that only archives keep: it goes back as it came.
    for (int* flag : {&d.DisplayAll, &d.AnimationRunning, &d.FollowActive, &d.FollowIn3D, &d.FollowInWDB,
                      &d.ShowCourseEarth3D})
        clampFlag(*flag);
    d.FollowMode3D = std::clamp(d.FollowMode3D, 0, 2);
    d.ShadeMode = std::clamp(d.ShadeMode, 1, 3); // smooth, flat, wire frame
    d.TownPopulationMin = std::max(d.TownPopulationMin, 0);
    finiteOr(d.fUserW, 0.0);
    const int n = static_cast<int>(s.satellites.size());
    if (d.FollowedSatellite < 0 || d.FollowedSatellite >= n) {
        d.FollowedSatellite = 0;
        d.FollowActive = 0;
    }
    clampRect(s.mainWindow);

    if (s.hasIcons) {
        s.icons.resize(std::min<std::size_t>(s.icons.size(), n > 0 ? static_cast<std::size_t>(n - 1) : 0));
        s.images.resize(std::min(s.images.size(), s.icons.size()));
        for (ArchiveIcon& icon : s.icons)
            icon.refCount = 0;
    }
    for (ArchiveSatellite& sat : s.satellites) {
        if (!s.hasIcons || sat.iconIndex < 0 || sat.iconIndex > static_cast<int>(s.icons.size()))
            sat.iconIndex = s.hasIcons ? 0 : sat.iconIndex;
        if (s.hasIcons && sat.iconIndex > 0)
            ++s.icons[sat.iconIndex - 1].refCount;
        clampFlag(sat.shown);
        for (COLORREF& c : sat.color)
            c = std::min<COLORREF>(c, 0x02FFFFFF);
    }

    if (s.world) {
        clampRect(s.world->frame);
        auto& g = s.world->view;
        clampFlag(g.lighting);
        clampFlag(g.texturing);
        const auto finite = [](const std::array<float, 16>& m) {
            return std::all_of(m.begin(), m.end(), [](float f) { return std::isfinite(f); });
        };
        if (!finite(g.projection) || !finite(g.modelView))
            g.projection = g.modelView = GlobeArchiveState{}.projection;
        if (s.values.SatelliteDrawStyle != kModelDrawStyle)
            s.world->model.reset();
    }
    if (s.map) {
        clampRect(s.map->frame);
        clampFlag(s.map->view.showNames);
        clampFlag(s.map->view.showPositions);
    }
    if (s.wdb) {
        for (WDBArchiveView& view : s.wdb->views) {
            clampRect(view.frame);
            WDBArchiveState& r = view.view;
            const WDBArchiveState fresh;
            finiteOr(r.leftLongitude, fresh.leftLongitude);
            finiteOr(r.rightLongitude, fresh.rightLongitude);
            finiteOr(r.topLatitude, fresh.topLatitude);
            finiteOr(r.bottomLatitude, fresh.bottomLatitude);
            for (auto& width : r.penWidths)
                width = std::clamp(width, 0, 20);
            for (COLORREF& c : r.layerColors)
                c = std::min<COLORREF>(c, 0x02FFFFFF);
            r.clientWidth = std::clamp(r.clientWidth, 0, 16384);
            r.clientHeight = std::clamp(r.clientHeight, 0, 16384);
            clampFlag(r.showNames);
            clampFlag(r.showPositions);
        }
    }
    if (s.obs) {
        clampRect(s.obs->frame);
        finiteOr(s.obs->view.turn, ObsArchiveState{}.turn);
        finiteOr(s.obs->view.tilt, ObsArchiveState{}.tilt);
    }
}

} // namespace kiv::settingsArchive
