#include "document/ImageListStream.h"
#include "document/ModelBlock.h"
#include "document/SettingsArchive.h"
#include "document/SettingsTable.h"
#include "platform/ArchiveWriter.h"
#include "tests/document/OlderSettingsFile.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

using namespace kiv;
using kiv::test::olderFile;

namespace {

std::string_view view(const QByteArray& bytes)
{
    return std::string_view(bytes.constData(), bytes.size());
}

KivSettings defaults()
{
    KivSettings s;
    applyDefaultSettings(s);
    return s;
}

SettingsSnapshot baseSnapshot()
{
    SettingsSnapshot s;
    s.values = defaults();
    return s;
}

QImage solidIcon(QRgb colour, bool transparentCorner = true)
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(colour);
    if (transparentCorner)
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                image.setPixel(x, y, qRgba(0, 0, 0, 0));
    return image;
}

// A state of n satellites with every view kind chosen by the bits (1 globe, 2 map, 4 WDB,
// 8 sky) and m WDB views, values drawn from the generator.
SettingsSnapshot randomState(std::mt19937& rng, int n, int views, int wdbViews)
{
    std::uniform_int_distribution<int> small(0, 1);
    std::uniform_int_distribution<int> any(-100000, 100000);
    std::uniform_real_distribution<double> real(-90.0, 90.0);
    SettingsSnapshot s = baseSnapshot();
    s.elementFile = "intelsat.tle";
    s.mainWindow = {any(rng), any(rng), any(rng), any(rng)};
    s.values.AccuracyX = 3 + small(rng) * 100;
    s.values.AccuracyY = 2 + small(rng) * 50;
    s.values.ActualLatitude = static_cast<float>(real(rng));
    s.values.TimeFactor = small(rng) ? 0 : 3600;
    s.values.SatelliteDrawStyle = 1 + small(rng) * 3;
    s.values.NrOfOcularReflections = small(rng) * 20;
    s.document.AnimationRunning = small(rng);
    s.document.SimTime = static_cast<std::uint32_t>(rng());
    s.document.FollowActive = n > 0 ? small(rng) : 0;
    s.document.FollowedSatellite = n > 0 ? static_cast<int>(rng() % static_cast<unsigned>(n)) : 0;
    const int icons = n > 1 ? static_cast<int>(rng() % static_cast<unsigned>(n)) : 0;
    for (int k = 1; k <= icons; ++k) {
        s.icons.push_back({"icon" + std::to_string(k) + ".ico", 0});
        s.images.push_back(solidIcon(qRgb(k, 255 - k, 7 * k % 256)));
    }
    for (int i = 0; i < n; ++i) {
        ArchiveSatellite sat;
        sat.lines = {"SAT " + std::to_string(i), "1 line " + std::to_string(i), "2 line " + std::to_string(i)};
        sat.iconIndex = icons > 0 ? static_cast<int>(rng() % static_cast<unsigned>(icons + 1)) : 0;
        if (sat.iconIndex > 0)
            ++s.icons[sat.iconIndex - 1].refCount;
        sat.color = {rgb(i, 1, 2), rgb(3, i, 4), rgb(5, 6, i)};
        sat.shown = small(rng);
        s.satellites.push_back(sat);
    }
    if (views & 1) {
        s.world.emplace();
        s.world->frame = {1, 2, 300, 400};
        s.world->textureFile = "earth.bmp";
        s.world->view.lighting = small(rng);
        for (float& f : s.world->view.projection)
            f = static_cast<float>(real(rng));
        if (s.values.SatelliteDrawStyle == 4)
            s.world->model = std::vector<std::string>{"glColor {1, 0, 0}", "gluSolidCube {0.8}"};
    }
    if (views & 2) {
        s.map.emplace();
        s.map->frame = {10, 20, 30, 40};
        s.map->mapFile = "earth2d.bmp";
        s.map->view = {small(rng), small(rng)};
    }
    if (views & 4) {
        s.wdb.emplace();
        s.wdb->mapFile = "wdb.bmp";
        for (int v = 0; v < wdbViews; ++v) {
            WDBArchiveView w;
            w.frame = {v, v + 1, v + 100, v + 200};
            for (int l = 0; l < kWDBArchiveLayers; ++l) {
                w.view.layerColors[l] = rgb(l, v, 9);
                w.view.penWidths[l] = l % 5;
            }
            w.view.sourceLeft = v;
            w.view.sourceRight = 100 + v;
            w.view.leftLongitude = real(rng);
            w.view.bottomLatitude = real(rng);
            w.view.clientWidth = 320 + v;
            w.view.showNames = small(rng);
            s.wdb->views.push_back(w);
        }
    }
    if (views & 8) {
        s.obs.emplace();
        s.obs->frame = {5, 6, 7, 8};
        s.obs->view = {real(rng), real(rng)};
        s.values.fTwilight = -6.0;
    }
    settingsArchive::clampSnapshot(s);
    return s;
}

void expectSameState(const SettingsSnapshot& a, const SettingsSnapshot& b)
{
    EXPECT_EQ(a.elementFile, b.elementFile);
    EXPECT_EQ(a.mainWindow, b.mainWindow);
    EXPECT_EQ(a.document.SimTime, b.document.SimTime);
    EXPECT_EQ(a.document.AnimationRunning, b.document.AnimationRunning);
    EXPECT_EQ(a.document.FollowedSatellite, b.document.FollowedSatellite);
    EXPECT_EQ(a.values.TimeFactor, b.values.TimeFactor);
    EXPECT_EQ(a.values.AccuracyY, b.values.AccuracyY);
    EXPECT_EQ(a.values.ActualLatitude, b.values.ActualLatitude);
    EXPECT_EQ(a.values.fTwilight, b.values.fTwilight);
    EXPECT_EQ(a.satellites, b.satellites);
    EXPECT_EQ(a.icons, b.icons);
    ASSERT_EQ(a.images.size(), b.images.size());
    for (std::size_t i = 0; i < a.images.size(); ++i)
        EXPECT_EQ(a.images[i].convertToFormat(QImage::Format_ARGB32), b.images[i]) << "image " << i;
    EXPECT_EQ(a.world, b.world);
    EXPECT_EQ(a.map, b.map);
    EXPECT_EQ(a.wdb, b.wdb);
    EXPECT_EQ(a.obs, b.obs);
}

settingsArchive::ParseResult parse(const QByteArray& bytes)
{
    return settingsArchive::parse(view(bytes), baseSnapshot());
}

} // namespace

// ---- the layout --------------------------------------------------------------------------------

TEST(SettingsArchive, VersionStringAndGeneralOffsets)
{
    SettingsSnapshot s = baseSnapshot();
    s.elementFile = "intelsat.tle";
    s.satellites.resize(1);
    const QByteArray bytes = settingsArchive::write(s);
    EXPECT_EQ(bytes.left(34), QByteArray("\x21Stored Settings with Version 2.41"));
    EXPECT_EQ(bytes.mid(34, 500), QByteArray(500, '\0'));
    EXPECT_EQ(bytes.at(534), 12);
    EXPECT_EQ(bytes.mid(535, 12), QByteArray("intelsat.tle"));
    EXPECT_EQ(bytes.mid(663, 4), QByteArray::fromHex("01000000")); // n
}

TEST(SettingsArchive, SectionsFollowTheOpenViewsInFileOrder)
{
    // Sizes: the globe 741 + texture name (+ model), the map 557 + map name, WDB 601 + map name
    // + 336 per view, the sky 688.
    struct Case {
        int views;
        int wdbViews;
        int sectionBytes;
    };
    const Case cases[] = {
        {0, 0, 0},
        {1, 0, 741 + 9},
        {2, 0, 557 + 13},
        {4, 1, 601 + 7 + 336},
        {4, 3, 601 + 7 + 3 * 336},
        {8, 0, 688},
        {15, 2, 741 + 9 + 557 + 13 + 601 + 7 + 2 * 336 + 688},
    };
    for (const Case& c : cases) {
        SettingsSnapshot s = baseSnapshot();
        s.values.SatelliteDrawStyle = 3;
        s.elementFile = "intelsat.tle";
        const QByteArray general = settingsArchive::write(s);
        if (c.views & 1)
            s.world = WorldArchiveSection{{}, "earth.bmp", {}, {}};
        if (c.views & 2)
            s.map = MapArchiveSection{{}, "weltkarte.bmp", {}};
        if (c.views & 4)
            s.wdb = WDBArchiveSection{"wdb.bmp", std::vector<WDBArchiveView>(c.wdbViews)};
        if (c.views & 8)
            s.obs = ObsArchiveSection{};
        const QByteArray bytes = settingsArchive::write(s);
        EXPECT_EQ(bytes.size() - general.size(), c.sectionBytes) << "views " << c.views;
        // Every section opens with its reserved block.
        if (c.views == 2) {
            EXPECT_EQ(bytes.mid(general.size(), 500), QByteArray(500, '\0'));
        }
        // The Show flags follow the sections.
        EXPECT_EQ(bytes.at(547 + 0), c.views & 1 ? 1 : 0);
        EXPECT_EQ(bytes.at(547 + 4), c.views & 2 ? 1 : 0);
        EXPECT_EQ(bytes.at(547 + 8), c.views & 8 ? 1 : 0);
        EXPECT_EQ(bytes.at(547 + 12), c.views & 4 ? 1 : 0);
        const auto read = parse(bytes);
        ASSERT_TRUE(read.snapshot) << read.errorText.english.toStdString();
        EXPECT_EQ(read.snapshot->world.has_value(), (c.views & 1) != 0);
        EXPECT_EQ(read.snapshot->map.has_value(), (c.views & 2) != 0);
        EXPECT_EQ(read.snapshot->wdb.has_value(), (c.views & 4) != 0);
        EXPECT_EQ(read.snapshot->obs.has_value(), (c.views & 8) != 0);
    }
}

TEST(SettingsArchive, IconEntriesEndAtAnEmptyNameOrBeforeN)
{
    struct Case {
        int satellites;
        int icons;
        QByteArray entries; // the bytes of item 31
    };
    const QByteArray a = QByteArray::fromHex("0561") + QByteArray("a.ico").mid(1) + QByteArray::fromHex("01000000");
    const Case cases[] = {
        {1, 0, QByteArray()},                          // k starts at 1: nothing, not even the end
        {2, 0, QByteArray::fromHex("00")},             // the empty name ends the list
        {2, 1, a},                                     // k reached n: no end marker
        {12, 1, a + QByteArray::fromHex("00")},
    };
    for (const Case& c : cases) {
        SettingsSnapshot s = baseSnapshot();
        s.satellites.resize(c.satellites);
        for (int k = 0; k < c.icons; ++k) {
            s.icons.push_back({"a.ico", 1});
            s.images.push_back(solidIcon(qRgb(200, 10, 10)));
            s.satellites[0].iconIndex = 1;
        }
        const QByteArray bytes = settingsArchive::write(s);
        const int n = c.satellites;
        int offset = 34 + 500 + 1 + 116 + 4;
        for (int i = 0; i < n; ++i)
            offset += 3;                           // three empty strings
        offset += 4 * n;                           // icon indices
        EXPECT_EQ(bytes.mid(offset, c.entries.size()), c.entries) << "n " << n;
        const int list = offset + static_cast<int>(c.entries.size());
        EXPECT_EQ(bytes.mid(list, 2), QByteArray("IL"));
        EXPECT_EQ(static_cast<unsigned char>(bytes.at(list + 4)), c.icons); // images in use
        EXPECT_EQ(static_cast<unsigned char>(bytes.at(list + 6)), n + 2);   // capacity n + 1, as recorded
        const auto read = parse(bytes);
        ASSERT_TRUE(read.snapshot) << read.errorText.english.toStdString();
        EXPECT_EQ(read.snapshot->icons.size(), static_cast<std::size_t>(c.icons));
        EXPECT_EQ(read.snapshot->images.size(), static_cast<std::size_t>(c.icons));
    }
}

// ---- round trips -------------------------------------------------------------------------------

TEST(SettingsArchive, RandomStatesRoundTripForEveryViewCombination)
{
    std::mt19937 rng(20);
    for (int views = 0; views < 16; ++views) {
        for (int m = 1; m <= ((views & 4) ? 9 : 1); ++m) {
            const int n = static_cast<int>(rng() % 7);
            const SettingsSnapshot state = randomState(rng, n, views, m);
            const QByteArray bytes = settingsArchive::write(state);
            const auto read = parse(bytes);
            ASSERT_TRUE(read.snapshot) << "views " << views << " m " << m << ": " << read.errorText.english.toStdString();
            SCOPED_TRACE(testing::Message() << "views " << views << " m " << m << " n " << n);
            expectSameState(state, *read.snapshot);
            // And what was read writes the same bytes again.
            EXPECT_EQ(settingsArchive::write(*read.snapshot), bytes);
        }
    }
}

TEST(SettingsArchive, FullTableOfSatellitesRoundTrips)
{
    std::mt19937 rng(255);
    const SettingsSnapshot state = randomState(rng, kMaxSatellites, 15, 9);
    const auto read = parse(settingsArchive::write(state));
    ASSERT_TRUE(read.snapshot) << read.errorText.english.toStdString();
    expectSameState(state, *read.snapshot);
}

// ---- versions and the older layout -------------------------------------------------------------

TEST(SettingsArchive, VersionDecidesTheLayout)
{
    SettingsSnapshot s = baseSnapshot();
    s.values.AccuracyY = 77;
    s.values.AccuracyX = 99;
    s.satellites.resize(1);
    s.satellites[0].lines = {"ONE", "1 a", "2 b"};
    const QByteArray current = settingsArchive::write(s);
    const auto withVersion = [&](const char* v) {
        QByteArray bytes = current;
        bytes.replace(30, 4, v);
        return bytes;
    };
    // 2.10 lacks AccuracyY: four bytes less, everything after still in place.
    QByteArray v210 = withVersion("2.10");
    v210.remove(34 + 500 + 1 + 4 * 4 + 16 + 4 * 5, 4);
    const auto old = parse(v210);
    ASSERT_TRUE(old.snapshot) << old.errorText.english.toStdString();
    EXPECT_EQ(old.snapshot->version, 210);
    EXPECT_EQ(old.snapshot->values.AccuracyX, 99);
    EXPECT_EQ(old.snapshot->values.AccuracyY, defaults().AccuracyY);
    EXPECT_EQ(old.snapshot->satellites.at(0).lines.name, "ONE");

    EXPECT_EQ(parse(withVersion("2.00")).error, settingsArchive::ParseError::UnsupportedVersion);
    EXPECT_EQ(parse(withVersion("1.90")).error, settingsArchive::ParseError::UnsupportedVersion);
    EXPECT_EQ(parse(withVersion("2.5x")).error, settingsArchive::ParseError::NotAnArchive);
    EXPECT_EQ(parse(QByteArray("\x05hello")).error, settingsArchive::ParseError::NotAnArchive);
    EXPECT_EQ(parse(QByteArray()).error, settingsArchive::ParseError::NotAnArchive);
}

TEST(SettingsArchive, OlderLayoutItemsLandInTheirMembers)
{
    for (const bool show2D : {false, true}) {
        for (const bool model : {false, true}) {
            SCOPED_TRACE(testing::Message() << "2D " << show2D << " model " << model);
            const auto read = parse(olderFile(show2D, model));
            ASSERT_TRUE(read.snapshot) << read.errorText.english.toStdString();
            const SettingsSnapshot& s = *read.snapshot;
            EXPECT_EQ(s.version, kOlderArchiveLayout);
            EXPECT_FALSE(s.hasIcons);
            EXPECT_EQ(s.values.Show2D, show2D ? 1 : 0);
            EXPECT_EQ(s.values.Show3D, 1);
            EXPECT_EQ(s.olderMapFile, "map2d.bmp");
            EXPECT_EQ(s.colorTableFile, "old.clr");
            EXPECT_EQ(s.elementFile, "old.tle");
            EXPECT_EQ(s.values.PenWidth, 3);
            EXPECT_EQ(s.values.RouteLengthFactor, 2.5);
            EXPECT_EQ(s.values.NrOfPoints, 44);
            EXPECT_EQ(s.document.DisplayAll, 1);
            EXPECT_EQ(s.values.AccuracyX, 50);
            EXPECT_EQ(s.values.NrOfOcularReflections, 7);
            EXPECT_EQ(s.values.Sterne, 900);
            EXPECT_EQ(s.values.ActualLongitude, -34.0f);
            EXPECT_EQ(s.document.SimTime, 0x80000000u);
            EXPECT_EQ(s.values.TimeFactor, 60);
            ASSERT_EQ(s.satellites.size(), 2u);
            EXPECT_EQ(s.satellites[1].lines.line2, "2 B");
            EXPECT_EQ(s.satellites[1].color[0], rgb(0, 1, 0));
            EXPECT_EQ(s.satellites[1].color[1], rgb(1, 1, 0));
            EXPECT_EQ(s.satellites[1].shown, 1);
            EXPECT_EQ(s.values.CameraPos, 2);
            ASSERT_TRUE(s.world);
            EXPECT_EQ(s.world->view.lighting, 0);
            EXPECT_EQ(s.world->frame, (ArchiveRect{10, 10, 400, 300}));
            EXPECT_EQ(s.world->view.modelView[15], 31.0f);
            EXPECT_EQ(s.mainWindow, (ArchiveRect{0, 0, 800, 600}));
            EXPECT_EQ(s.values.BeamAngle, 30.0f);
            EXPECT_EQ(s.values.CalculateExact, 1);
            EXPECT_EQ(s.map.has_value(), show2D);
            if (show2D) {
                EXPECT_EQ(s.map->frame, (ArchiveRect{400, 10, 800, 300}));
                EXPECT_EQ(s.values.SatelliteName2D, 1);
            }
            EXPECT_EQ(s.world->model.has_value(), model);
            if (model) {
                EXPECT_EQ(*s.world->model, std::vector<std::string>{"gluSolidSphere {2}"});
            }
        }
    }
}

// ---- damaged and hostile files -----------------------------------------------------------------

TEST(SettingsArchive, EveryProperPrefixIsDamaged)
{
    for (const bool older : {false, true}) {
        std::mt19937 rng(7);
        SettingsSnapshot state = randomState(rng, 2, 15, 1);
        state.values.SatelliteDrawStyle = 4;
        state.world->model = std::vector<std::string>{"gluSolidCube {1}"};
        const QByteArray bytes = older ? olderFile(true, true) : settingsArchive::write(state);
        ASSERT_TRUE(parse(bytes).snapshot);
        for (int size = 0; size < bytes.size(); ++size) {
            const auto read = parse(bytes.left(size));
            ASSERT_FALSE(read.snapshot) << "prefix of " << size << " of " << bytes.size() << " bytes";
            EXPECT_FALSE(read.errorText.english.isEmpty());
            EXPECT_FALSE(read.errorText.german.isEmpty()) << "told in either language";
        }
        // Bytes after the last section are no settings archive either.
        EXPECT_FALSE(parse(bytes + QByteArray(1, '\0')).snapshot);
    }
}

TEST(SettingsArchive, HostileCountsAndLengthsAreRejected)
{
    SettingsSnapshot s = baseSnapshot();
    s.elementFile = "intelsat.tle";
    s.satellites.resize(1);
    s.wdb = WDBArchiveSection{"w", std::vector<WDBArchiveView>(1)};
    const QByteArray good = settingsArchive::write(s);
    ASSERT_TRUE(parse(good).snapshot);
    const int wdbStart = static_cast<int>(good.size()) - (601 + 1 + 336);
    struct Case {
        const char* what;
        int offset;
        QByteArray bytes;
    };
    const Case cases[] = {
        {"256 satellites", 663, QByteArray::fromHex("00010000")},
        {"-1 satellites", 663, QByteArray::fromHex("ffffffff")},
        {"10 WDB views", wdbStart + 500, QByteArray::fromHex("0a000000")},
        {"-1 WDB views", wdbStart + 500, QByteArray::fromHex("ffffffff")},
        {"a 4-byte string length", 534, QByteArray::fromHex("ffffffffffff")},
        {"an 8-byte string length", 534, QByteArray::fromHex("ffffffffffffffffffffffffffff")},
    };
    for (const Case& c : cases) {
        QByteArray bytes = good;
        bytes.replace(c.offset, c.bytes.size(), c.bytes);
        const auto read = parse(bytes);
        EXPECT_EQ(read.error, settingsArchive::ParseError::Damaged) << c.what;
        EXPECT_FALSE(read.snapshot) << c.what;
    }
}

TEST(SettingsArchive, OutOfRangeValuesAreClamped)
{
    SettingsSnapshot s = baseSnapshot();
    s.satellites.resize(3);
    s.icons = {{"a.ico", 9}};
    s.images = {solidIcon(qRgb(1, 2, 3))};
    s.satellites[0].iconIndex = 300;
    s.satellites[1].iconIndex = 1;
    s.satellites[2].iconIndex = -4;
    s.values.NrOfOcularReflections = 50;
    s.values.TimeFactor = -2000000000;
    s.values.SatelliteDrawStyle = 9;
    s.document.FollowActive = 1;
    s.document.FollowedSatellite = 3;
    s.world = WorldArchiveSection{};
    s.world->view.projection[3] = std::numeric_limits<float>::quiet_NaN();
    s.obs = ObsArchiveSection{};
    s.obs->view.turn = std::numeric_limits<double>::infinity();
    const auto read = parse(settingsArchive::write(s));
    ASSERT_TRUE(read.snapshot) << read.errorText.english.toStdString();
    const SettingsSnapshot& r = *read.snapshot;
    EXPECT_EQ(r.satellites[0].iconIndex, 0);
    EXPECT_EQ(r.satellites[1].iconIndex, 1);
    EXPECT_EQ(r.satellites[2].iconIndex, 0);
    EXPECT_EQ(r.icons.at(0).refCount, 1); // counted from the slots, not taken from the file
    EXPECT_EQ(r.values.NrOfOcularReflections, 20);
    EXPECT_EQ(r.values.TimeFactor, -kMaxTimeFactor);
    EXPECT_EQ(r.values.SatelliteDrawStyle, 4);
    EXPECT_EQ(r.document.FollowActive, 0);
    EXPECT_EQ(r.document.FollowedSatellite, 0);
    EXPECT_EQ(r.world->view.projection, GlobeArchiveState{}.projection);
    EXPECT_EQ(r.obs->view.turn, ObsArchiveState{}.turn);
}

TEST(SettingsArchive, RectanglesAreBoundedCornerAndSize)
{
    constexpr std::int32_t lo = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t hi = std::numeric_limits<std::int32_t>::max();
    struct Case {
        const char* what;
        ArchiveRect stored;
        ArchiveRect read;
    };
    const Case cases[] = {
        {"an ordinary window", {-8, 20, 1300, 1000}, {-8, 20, 1300, 1000}},
        {"none", {}, {}},
        {"the far left", {lo, 0, lo + 500, 400}, {-(1 << 20), 0, -(1 << 20) + 500, 400}},
        {"the far bottom right", {hi - 10, hi - 20, hi, hi}, {1 << 20, 1 << 20, (1 << 20) + 10, (1 << 20) + 20}},
        {"all four extremes", {lo, lo, hi, hi}, {-(1 << 20), -(1 << 20), -(1 << 20) + (1 << 16), -(1 << 20) + (1 << 16)}},
        {"edges crossed", {100, 200, 50, 150}, {100, 200, 100, 200}},
    };
    for (const Case& c : cases) {
        SettingsSnapshot s = baseSnapshot();
        s.mainWindow = c.stored;
        s.world = WorldArchiveSection{c.stored, "", {}, {}};
        s.map = MapArchiveSection{c.stored, "", {}};
        s.wdb = WDBArchiveSection{"", {WDBArchiveView{c.stored, {}}}};
        s.obs = ObsArchiveSection{c.stored, {}};
        const auto read = parse(settingsArchive::write(s));
        ASSERT_TRUE(read.snapshot) << c.what << ": " << read.errorText.english.toStdString();
        const SettingsSnapshot& r = *read.snapshot;
        for (const ArchiveRect& rect : {r.mainWindow, r.world->frame, r.map->frame, r.wdb->views.at(0).frame, r.obs->frame})
            EXPECT_EQ(rect, c.read) << c.what;
    }
}

TEST(SettingsArchive, ShadeModeKeepsItsThreeValuesAndObsSetValueItsNumber)
{
    struct Case {
        int stored;
        int shadeMode;
    };
    const Case cases[] = {{1, 1}, {2, 2}, {3, 3}, {0, 1}, {-5, 1}, {7, 3}};
    for (const Case& c : cases) {
        SettingsSnapshot s = baseSnapshot();
        s.document.ShadeMode = c.stored;
        s.document.ObsSetValue = c.stored;
        s.world = WorldArchiveSection{};
        s.obs = ObsArchiveSection{};
        const auto read = parse(settingsArchive::write(s));
        ASSERT_TRUE(read.snapshot) << read.errorText.english.toStdString();
        EXPECT_EQ(read.snapshot->document.ShadeMode, c.shadeMode) << "stored " << c.stored;
        EXPECT_EQ(read.snapshot->document.ObsSetValue, c.stored);
    }
}

TEST(SettingsArchive, ModelBlockIsCarriedLineByLine)
{
    SettingsSnapshot s = baseSnapshot();
    s.values.SatelliteDrawStyle = 4;
    s.world = WorldArchiveSection{};
    s.world->model = std::vector<std::string>{"StartModel", "glColor {1, 0, 0}", "gluSolidCube {0.8}"};
    const QByteArray bytes = settingsArchive::write(s);
    EXPECT_TRUE(bytes.endsWith("StartModel\nStartModel\nglColor {1, 0, 0}\ngluSolidCube {0.8}\nEndModel\n"));
    const auto read = parse(bytes);
    ASSERT_TRUE(read.snapshot);
    EXPECT_EQ(read.snapshot->world->model, s.world->model);
}

// ---- the model file's blocks -------------------------------------------------------------------

TEST(ModelBlock, ExtractsOneModelWithoutCommentsOrBlankLines)
{
    const std::string file = "# models\n"
                             "StartModel\n"
                             "gluSolidCube {1}\n"
                             "EndModel\n"
                             "#StartModel: commented, no start\n"
                             "StartModel\n"
                             "  # a note\n"
                             "\n"
                             "glColor {0, 1, 0}\n"
                             "gluSolidSphere {2}\n"
                             "EndModel\n"
                             "StartModel\n"
                             "gluCylinder {1, 1, 2}\n"
                             "EndModel\n";
    struct Case {
        int model;
        std::vector<std::string> block;
    };
    const Case cases[] = {
        {0, {"StartModel", "gluSolidCube {1}"}},
        {1, {"gluSolidCube {1}"}},
        {2, {"glColor {0, 1, 0}", "gluSolidSphere {2}"}},
        {3, {"gluCylinder {1, 1, 2}"}},
        {4, {}},
    };
    for (const Case& c : cases) {
        LineReader lines(file);
        EXPECT_EQ(modelBlock::extract(lines, c.model), c.block) << "model " << c.model;
    }
    EXPECT_EQ(modelBlock::fallback(), std::vector<std::string>{"gluSolidCube {0.8}"});
}

// ---- the image-list stream ---------------------------------------------------------------------

namespace {

struct ListSpec {
    std::uint16_t version = 0x0101;
    int images = 2;
    int capacity = 4;
    int cx = 32, cy = 32;
    int bpp = 24;
    bool mask = true;
    bool topDown = false;
    int perRow = 4;
};

// A stream built by hand: image k is filled with colour (k + 1) * 40 red, palette index k + 1 at
// lower depths; its top-left pixel is masked.
QByteArray craftedList(const ListSpec& spec)
{
    ArchiveWriter w;
    w.writeUInt16(0x4C49);
    w.writeUInt16(spec.version);
    w.writeUInt16(static_cast<std::uint16_t>(spec.images));
    w.writeUInt16(static_cast<std::uint16_t>(spec.capacity));
    w.writeUInt16(4);
    w.writeUInt16(static_cast<std::uint16_t>(spec.cx));
    w.writeUInt16(static_cast<std::uint16_t>(spec.cy));
    w.writeUInt32(0xFFFFFFFF);
    w.writeUInt16(static_cast<std::uint16_t>((spec.mask ? 1 : 0) | spec.bpp));
    for (int i = 0; i < 4; ++i)
        w.writeInt16(-1);
    const int width = spec.perRow * spec.cx;
    const int rows = (spec.capacity + spec.perRow - 1) / spec.perRow;
    const int height = rows * spec.cy;
    const auto bitmap = [&](int bpp, bool isMask) {
        const int stride = (width * bpp + 31) / 32 * 4;
        const int palette = bpp <= 8 ? 1 << bpp : 0;
        w.writeUInt16(0x4D42);
        w.writeUInt32(54); // as native streams do: not the size
        w.writeUInt32(0);
        w.writeUInt32(54);
        w.writeUInt32(40);
        w.writeInt32(width);
        w.writeInt32(spec.topDown ? -height : height);
        w.writeUInt16(1);
        w.writeUInt16(static_cast<std::uint16_t>(bpp));
        w.writeUInt32(0);
        w.writeUInt32(0);
        w.writeUInt32(0);
        w.writeUInt32(0);
        w.writeUInt32(bpp == 4 ? 3 : 0); // colours used: ignored
        w.writeUInt32(0);
        for (int i = 0; i < palette; ++i)
            w.writeUInt32(isMask ? (i ? 0xFFFFFF : 0) : static_cast<std::uint32_t>((i * 40) << 16));
        for (int r = 0; r < height; ++r) {
            const int y = spec.topDown ? r : height - 1 - r;
            std::string row(stride, '\0');
            for (int x = 0; x < width; ++x) {
                const int k = (y / spec.cy) * spec.perRow + x / spec.cx;
                const bool corner = x % spec.cx == 0 && y % spec.cy == 0;
                unsigned value = isMask ? (corner ? 1u : 0u) : static_cast<unsigned>(k + 1);
                const auto ux = static_cast<std::size_t>(x);
                switch (bpp) {
                case 1: row[ux / 8] = static_cast<char>(row[ux / 8] | (value << (7 - ux % 8))); break;
                case 4: row[ux / 2] = static_cast<char>(row[ux / 2] | (value << (ux % 2 ? 0 : 4))); break;
                case 8: row[ux] = static_cast<char>(value); break;
                case 24: row[3 * ux + 2] = static_cast<char>(value * 40); break;
                case 32:
                    row[4 * ux + 2] = static_cast<char>(value * 40);
                    row[4 * ux + 3] = static_cast<char>(0xFF);
                    break;
                default: break;
                }
            }
            w.writeBytes(row);
        }
    };
    bitmap(spec.bpp, false);
    if (spec.mask)
        bitmap(1, true);
    w.writeUInt32(0xC0FFEE); // the next archive item
    return w.bytes();
}

} // namespace

TEST(ImageListStream, ReadsTheNativeVariants)
{
    struct Case {
        const char* what;
        ListSpec spec;
    };
    const Case cases[] = {
        {"4-bit palette with mask", {0x0101, 3, 5, 32, 32, 4, true, false, 4}},
        {"8-bit palette", {0x0101, 2, 4, 32, 32, 8, true, false, 4}},
        {"24-bit", {0x0101, 2, 3, 32, 32, 24, true, false, 4}},
        {"24-bit without mask", {0x0101, 1, 3, 32, 32, 24, false, false, 4}},
        {"version 6, one a row, 32-bit", {0x0600, 3, 4, 32, 32, 32, true, false, 1}},
        {"version 6 top-down", {0x0600, 2, 2, 16, 16, 32, true, true, 1}},
        {"no images", {0x0101, 0, 3, 32, 32, 4, true, false, 4}},
    };
    for (const Case& c : cases) {
        const QByteArray bytes = craftedList(c.spec);
        ArchiveReader in(view(bytes));
        BilingualText error;
        const auto read = imageList::read(in, 255, error);
        ASSERT_TRUE(read) << c.what << ": " << error.english.toStdString();
        EXPECT_EQ(in.readUInt32(), 0xC0FFEEu) << c.what << ": the next item is found";
        ASSERT_EQ(read->images.size(), static_cast<std::size_t>(c.spec.images)) << c.what;
        for (int k = 0; k < c.spec.images; ++k) {
            const QImage& image = read->images[k];
            EXPECT_EQ(image.size(), QSize(c.spec.cx, c.spec.cy));
            EXPECT_EQ(image.pixel(1, 1), qRgb((k + 1) * 40, 0, 0)) << c.what << " image " << k;
            EXPECT_EQ(qAlpha(image.pixel(0, 0)), c.spec.mask ? 0 : 255) << c.what;
        }
    }
}

TEST(ImageListStream, ReadsOnlyAsManyImagesAsAsked)
{
    const QByteArray bytes = craftedList({0x0101, 4, 4, 32, 32, 24, true, false, 4});
    ArchiveReader in(view(bytes));
    BilingualText error;
    const auto read = imageList::read(in, 1, error);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->imageCount, 4);
    EXPECT_EQ(read->images.size(), 1u);
    EXPECT_EQ(in.readUInt32(), 0xC0FFEEu);
}

TEST(ImageListStream, HostileHeadersAreRejected)
{
    struct Case {
        const char* what;
        int offset;
        QByteArray bytes;
    };
    const ListSpec spec{0x0101, 2, 4, 32, 32, 24, true, false, 4};
    const Case cases[] = {
        {"no magic", 0, "XX"},
        {"unknown version", 2, QByteArray::fromHex("0502")},
        {"300 images in a bitmap for 4", 4, QByteArray::fromHex("2c01")},
        {"zero-wide images", 10, QByteArray::fromHex("0000")},
        {"images of 1000 pixels", 10, QByteArray::fromHex("e803")},
        {"7 bits per pixel", 28 + 14 + 14, QByteArray::fromHex("0700")},
        {"a bitmap 100000 wide", 28 + 14 + 4, QByteArray::fromHex("a0860100")},
        {"a bitmap 2^30 high", 28 + 14 + 8, QByteArray::fromHex("00000040")},
        {"compressed", 28 + 14 + 16, QByteArray::fromHex("01000000")},
        {"no BM", 28, "XY"},
    };
    for (const Case& c : cases) {
        QByteArray bytes = craftedList(spec);
        bytes.replace(c.offset, c.bytes.size(), c.bytes);
        ArchiveReader in(view(bytes));
        BilingualText error;
        EXPECT_FALSE(imageList::read(in, 255, error)) << c.what;
        EXPECT_FALSE(error.english.isEmpty()) << c.what;
        EXPECT_FALSE(error.german.isEmpty()) << c.what;
    }
}

TEST(ImageListStream, WrittenListReadsBackWithTransparency)
{
    const std::vector<QImage> icons{solidIcon(qRgb(255, 0, 0)), solidIcon(qRgb(0, 0, 255), false),
                                    solidIcon(qRgb(9, 9, 9)).scaled(64, 64)};
    ArchiveWriter w;
    imageList::write(w, icons, 5);
    const QByteArray bytes = w.bytes();
    EXPECT_EQ(bytes.mid(0, 14), QByteArray::fromHex("494c" "0101" "0300" "0600" "0400" "2000" "2000"));
    EXPECT_EQ(bytes.mid(18, 2), QByteArray::fromHex("1900")); // mask and 24 bits
    // Header, two BMP headers and a two-entry palette, 128 x 64 pixels of colour and of mask.
    EXPECT_EQ(bytes.size(), 28 + 54 + 128 * 3 * 64 + 54 + 8 + 16 * 64);
    ArchiveReader in(view(bytes));
    BilingualText error;
    const auto read = imageList::read(in, 255, error);
    ASSERT_TRUE(read) << error.english.toStdString();
    EXPECT_TRUE(in.atEnd());
    ASSERT_EQ(read->images.size(), 3u);
    EXPECT_EQ(read->images[0], icons[0]);
    EXPECT_EQ(read->images[1], icons[1]);
    EXPECT_EQ(read->images[2].pixel(20, 20), qRgb(9, 9, 9));
}
