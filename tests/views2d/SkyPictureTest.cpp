// The composed sky: a satellite placed by its look angles, hidden below the twilight angle,
// its label box; the label layout, the marker choice and the settings copy.
#include "document/SettingsTable.h"
#include "orbit/OrbitTime.h"
#include "tests/support/DocumentFixture.h"
#include "views2d/SkyPicture.h"

#include <cmath>
#include <functional>
#include <numbers>

using namespace kiv;
using namespace kiv::test;

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;
const QRgb kWhite = qRgb(255, 255, 255);

class SkyPictureTest : public DocumentTest {
protected:
    // One satellite seen from (0° N, 0° E) at the given azimuth and elevation, 20 000 km away.
    CKivDoc& skyWith(double azDeg, double elDeg)
    {
        writeFile("sats.tle", lowSatellites(1));
        CKivDoc& doc = makeDocument("[Allgemein]\nSatellitenfilename=sats.tle\n");
        doc.fUserLat = doc.fUserLon = doc.fUserAlt = 0.0;
        doc.bOBSShowIcons = doc.bOBSShowName = doc.bOBSShowAziEleDist = doc.OBSShowAscDesc = 0;
        doc.bOBSDrawAlt = doc.bOBSDrawAzi = doc.bOBSDrawCompas = doc.bOBSDrawMan = doc.ShowCourseOBS = 0;
        doc.fTwilight = -18.0;
        doc.SatInfo[0].shown = 1;
        doc.SatInfo[0].lastJd = kJd;
        doc.SatHistory[0].pos = seenAt(azDeg, elDeg);
        doc.SatHistory[0].vel = {};
        return doc;
    }
    // The position seen at that azimuth and elevation, 20 000 km away unless said otherwise.
    static tagVECTOR seenAt(double azDeg, double elDeg, double range = 20000.0)
    {
        const double gmst = kiv::orbit::gmstRadians(kJd);
        // Up is +x, east +y at the site on the equator and the prime meridian.
        const double up = std::sin(elDeg * kDeg), east = std::cos(elDeg * kDeg) * std::sin(azDeg * kDeg),
                     north = std::cos(elDeg * kDeg) * std::cos(azDeg * kDeg);
        const double x = kSiteRadius + range * up, y = range * east, z = range * north;
        return {x * std::cos(gmst) - y * std::sin(gmst), x * std::sin(gmst) + y * std::cos(gmst), z, 0};
    }
    static constexpr double kJd = 2460390.0;
    static constexpr double kSiteRadius = 6378.137; // km, on the equator
    QPoint expectedAt(double azDeg, double elDeg) const
    {
        return truncated(sky.projection().project(azElToSkyPoint(azDeg * kDeg, elDeg * kDeg)));
    }
    SkyPicture sky;
};

TEST_F(SkyPictureTest, SatelliteMarkerStandsAtItsLookAnglesAboveTheTwilight)
{
    struct Case {
        double az, el, twilight;
        bool shown;
    };
    const Case cases[] = {{90, 30, -18, true}, {0, 80, -6, true}, {200, 10, -18, true}, {90, 30, 40, false},
                          {90, 5, 10, false}};
    for (const Case& c : cases) {
        CKivDoc& doc = skyWith(c.az, c.el);
        doc.fTwilight = c.twilight;
        sky.loadSettings(doc);
        sky.setSize({480, 480});
        sky.redraw(satelliteScene(doc));
        const QPoint at = expectedAt(c.az, c.el);
        // The white cross on the dark default background.
        int white = 0;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx)
                white += sky.image().pixel(at + QPoint(dx, dy)) == kWhite;
        }
        EXPECT_EQ(white > 0, c.shown) << c.az << "/" << c.el << " at " << at.x() << "," << at.y();
        EXPECT_NE(sky.image().pixel(at + QPoint(9, 9)), kWhite);
    }
}

TEST_F(SkyPictureTest, LabelBoxStandsAboveTheSatellite)
{
    CKivDoc& doc = skyWith(90, 30);
    doc.bOBSShowName = 1;
    sky.loadSettings(doc);
    sky.setSize({480, 480});
    sky.layoutLabels(satelliteScene(doc));
    sky.redraw(satelliteScene(doc));
    const QPoint at = expectedAt(90, 30);
    const PixelRect box = sky.labelRect(0).translated(at);
    EXPECT_EQ(box.bottom, at.y() - 16);
    EXPECT_EQ(sky.image().pixel((box.left + box.right) / 2, box.top + 3), kWhite);
    EXPECT_NE(sky.image().pixel(at.x(), box.top - 3), kWhite);
}

TEST_F(SkyPictureTest, LabelsStayWholeAtTheEdges)
{
    // Low in the north and in the east: the flat plot's top and right edges.
    for (const double az : {0.0, 90.0}) {
        CKivDoc& doc = skyWith(az, 1);
        doc.bOBSShowName = doc.bOBSShowAziEleDist = 1;
        sky.loadSettings(doc);
        sky.setSize({480, 480});
        sky.layoutLabels(satelliteScene(doc));
        sky.redraw(satelliteScene(doc));
        const QPoint at = expectedAt(az, 1);
        const PixelRect box = sky.labelRect(0).translated(at);
        ASSERT_TRUE(box.top < 0 || box.right > 480) << az;
        // The whole box inside: its four edges are all white or raised-edge grey, none cut off.
        const PixelRect placed = placeLabel(sky.labelRect(0), at, {480, 480});
        EXPECT_GE(placed.top, 0);
        EXPECT_LE(placed.right, 480);
        EXPECT_EQ(sky.image().pixel(placed.left + 3, placed.top + 3), kWhite) << az;
        EXPECT_EQ(sky.image().pixel(placed.right - 4, placed.bottom - 4), kWhite) << az;
    }
}

TEST_F(SkyPictureTest, TrackLinesJoinOnlyComputedPoints)
{
    CKivDoc& doc = skyWith(90, 30);
    doc.ShowCourseOBS = 1;
    doc.NrOfPoints = 6;
    doc.SatInfo[0].color[0] = 0x00FF00; // green
    tagSATHISTORY& h = doc.SatHistory[0];
    h.posTrack.assign(6, tagVECTOR{});
    h.velTrack.assign(6, tagVECTOR{});
    h.timeTrack.assign(6, 0.0); // the first three slots not computed yet
    const double seen[][2] = {{90, 30}, {135, 30}, {180, 30}};
    for (int j = 3; j < 6; ++j) {
        h.posTrack[j] = seenAt(seen[j - 3][0], seen[j - 3][1]);
        h.timeTrack[j] = kJd;
    }
    sky.loadSettings(doc);
    sky.setSize({480, 480});
    sky.redraw(satelliteScene(doc));
    const auto greenNear = [&](QPoint p) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                if (sky.image().pixel(p + QPoint(dx, dy)) == qRgb(0, 255, 0))
                    return true;
            }
        }
        return false;
    };
    const QPoint a = expectedAt(90, 30), b = expectedAt(135, 30), north = expectedAt(0, 0);
    EXPECT_TRUE(greenNear((a + b) / 2)) << "computed points are joined";
    for (const double t : {0.25, 0.5, 0.75})
        EXPECT_FALSE(greenNear(north + (a - north) * t)) << "no line from a slot not computed, at " << t;
}

// Each thing the clock moves in the sky, changed alone as far as a step can: the view must say its
// picture moved, or it would keep showing the picture before the change.
TEST_F(SkyPictureTest, EachThingTheClockMovesAloneMovesThePicture)
{
    CKivDoc& doc = skyWith(90, 30);
    tagSATHISTORY& h = doc.SatHistory[0];
    const double gmst = kiv::orbit::gmstRadians(kJd);
    const tagVECTOR site{kSiteRadius * std::cos(gmst), kSiteRadius * std::sin(gmst), 0.0, 0.0};
    using Change = std::function<void()>;
    const struct {
        const char* thing;
        Change setUp, change;
    } rows[] = {
        {"a satellite's place", [] {}, [&] { h.pos = seenAt(90, 30.5); }},
        // The sphere seen from the east: a satellite due east stands on its rim, and a hundredth
        // of a degree takes it behind, where the grid hides it, without moving it on the screen.
        {"whether it shows in front of the sphere",
         [&] {
             doc.bOBSDispaly2D = 0;
             doc.bOBSDrawAzi = 1;
             h.pos = seenAt(89.99, 30);
         },
         [&] { h.pos = seenAt(90.01, 30); }},
        {"its track's newest point",
         [&] {
             doc.ShowCourseOBS = 1;
             doc.NrOfPoints = 6;
             h.posTrack.assign(6, tagVECTOR{});
             h.velTrack.assign(6, tagVECTOR{});
             h.timeTrack.assign(6, 0.0);
         },
         [&] { doc.SatInfo[0].lastTrack += 1.0 / 1440.0; }},
        {"its label's azimuth",
         [&] {
             doc.bOBSShowAziEleDist = 1;
             h.pos = seenAt(90.004, 30);
         },
         [&] { h.pos = seenAt(90.006, 30); }},
        {"its label's elevation",
         [&] {
             doc.bOBSShowAziEleDist = 1;
             h.pos = seenAt(90, 30.004);
         },
         [&] { h.pos = seenAt(90, 30.006); }},
        {"its label's distance", [&] { doc.bOBSShowAziEleDist = 1; }, [&] { h.pos = seenAt(90, 30, 20002.0); }},
        // Ten seconds of right ascension about the site: 0.04° on the sky.
        {"its label's right ascension", [&] { doc.OBSShowAscDesc = 1; },
         [&] {
             const double a = 10.0 / 86400.0 * 2.0 * std::numbers::pi, c = std::cos(a), s = std::sin(a);
             const double x = h.pos.x - site.x, y = h.pos.y - site.y;
             h.pos.x = site.x + c * x - s * y;
             h.pos.y = site.y + s * x + c * y;
         }},
        // Ten seconds of arc north.
        {"its label's declination", [&] { doc.OBSShowAscDesc = 1; }, [&] { h.pos.z += 1.0; }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.thing);
        doc.bOBSDispaly2D = 1;
        doc.bOBSDrawAzi = doc.bOBSShowAziEleDist = doc.OBSShowAscDesc = doc.ShowCourseOBS = 0;
        h.pos = seenAt(90, 30);
        row.setUp();
        sky.loadSettings(doc);
        sky.setSize({480, 480});
        if (!sky.settings().flat)
            sky.projection().tilt = 0.0;
        sky.layoutLabels(satelliteScene(doc));
        sky.redraw(satelliteScene(doc));
        EXPECT_FALSE(sky.moved(satelliteScene(doc)));
        row.change();
        EXPECT_TRUE(sky.moved(satelliteScene(doc)));
    }
}

TEST(SkyLabels, BoxesFitTheirLines)
{
    const LabelMetrics metrics{14, 6};
    SkySettings s;
    s.showName = s.showAziEleDist = s.showRaDec = true;
    EXPECT_EQ(skyLabelRect(7, s, metrics), (PixelRect{-63, -114, 63, -16}));
    s.showAziEleDist = s.showRaDec = false;
    EXPECT_EQ(skyLabelRect(7, s, metrics), (PixelRect{-36, -44, 36, -16}));
}

TEST(SkyLabels, MarkerIsBlackOnLightBackgrounds)
{
    EXPECT_FALSE(darkMarkerOn(0x400000));
    EXPECT_FALSE(darkMarkerOn(0x7F7F7F));
    EXPECT_TRUE(darkMarkerOn(0x808080));
    EXPECT_TRUE(darkMarkerOn(0xFFFFFF));
}

TEST(SkySettings, CopiedInRadiansAndBackInDegreesWithTheZoomBoxOff)
{
    KivSettings doc;
    doc.fUserLat = 48.1;
    doc.fUserLon = -11.6;
    doc.fUserAlt = 0.5;
    doc.bOBSDrawZoombox = 1;
    doc.bOBSDrawCompas = 1;
    const SkySettings s = SkySettings::from(doc);
    EXPECT_DOUBLE_EQ(s.observer.x, 48.1 * kDeg);
    EXPECT_DOUBLE_EQ(s.observer.y, -11.6 * kDeg);
    EXPECT_FALSE(s.zoomBox);
    KivSettings back;
    s.storeInto(back);
    EXPECT_NEAR(back.fUserLat, 48.1, 1e-12);
    EXPECT_NEAR(back.fUserLon, -11.6, 1e-12);
    EXPECT_EQ(back.fUserAlt, 0.5);
    EXPECT_EQ(back.bOBSDrawZoombox, 0);
    EXPECT_EQ(back.bOBSDrawCompas, 1);
}

// Each switch, step and colour reaches its own member of the sky's copy and goes back to its
// own setting: one value at a time, so that two members swapped show.
TEST(SkySettings, EveryValueGoesToItsOwnMemberAndBack)
{
    using S = KivSettings;
    using K = SkySettings;
    const std::pair<int S::*, bool K::*> switches[] = {
        {&S::ShowCourseOBS, &K::showRoute},           {&S::bOBSShowAziEleDist, &K::showAziEleDist},
        {&S::OBSShowAscDesc, &K::showRaDec},          {&S::bOBSShowName, &K::showName},
        {&S::bOBSShowIcons, &K::showIcons},           {&S::bOBSDrawAscDesc, &K::drawRaDec},
        {&S::bOBSDrawAlt, &K::drawElevation},         {&S::bOBSDrawEleDegrees, &K::drawEleDegrees},
        {&S::bOBSDrawAzi, &K::drawAzimuth},           {&S::bOBSDrawAziDegrees, &K::drawAziDegrees},
        {&S::bOBSDrawCoord, &K::drawCoord},           {&S::bOBSDrawCompas, &K::drawCompass},
        {&S::bOBSDrawHiddenLines, &K::hiddenLines},   {&S::bOBSDrawCompassLines, &K::compassLines},
        {&S::bOBSDrawHemiSphere, &K::hemisphere},     {&S::bOBSDispaly2D, &K::flat},
        {&S::bOBSDrawMan, &K::drawMan}};
    for (std::size_t i = 0; i < std::size(switches); ++i) {
        SCOPED_TRACE(i);
        KivSettings doc;
        applyDefaultSettings(doc);
        for (const auto& [setting, member] : switches)
            doc.*setting = &setting == &switches[i].first ? 1 : 0;
        SkySettings sky = SkySettings::from(doc);
        for (const auto& [setting, member] : switches)
            EXPECT_EQ(sky.*member, &setting == &switches[i].first);
        for (const auto& [setting, member] : switches)
            sky.*member = !(sky.*member);
        sky.storeInto(doc);
        for (const auto& [setting, member] : switches)
            EXPECT_EQ(doc.*setting, &setting == &switches[i].first ? 0 : 1);
    }

    KivSettings doc;
    applyDefaultSettings(doc);
    const std::pair<double S::*, double K::*> numbers[] = {{&S::fTwilight, &K::twilight},
                                                           {&S::fOBSAzimuthDelta, &K::azimuthStep},
                                                           {&S::fOBSElevationDelta, &K::elevationStep}};
    const std::pair<COLORREF S::*, COLORREF K::*> colours[] = {
        {&S::cColorBackground, &K::background}, {&S::cColorText, &K::text},
        {&S::cColorEleLines, &K::elevationLines}, {&S::cColorAziLines, &K::azimuthLines},
        {&S::cColorManLines, &K::manLines},     {&S::cColorManHead, &K::manHead},
        {&S::cColorManGround, &K::manGround}};
    for (std::size_t i = 0; i < std::size(numbers); ++i)
        doc.*numbers[i].first = 11.0 + static_cast<double>(i);
    for (std::size_t i = 0; i < std::size(colours); ++i)
        doc.*colours[i].first = 0x100 + static_cast<COLORREF>(i);
    doc.AccuracyX = 40;
    doc.AccuracyY = 30;
    SkySettings sky = SkySettings::from(doc);
    for (std::size_t i = 0; i < std::size(numbers); ++i) {
        EXPECT_EQ(sky.*numbers[i].second, 11.0 + static_cast<double>(i)) << i;
        sky.*numbers[i].second = 21.0 + static_cast<double>(i);
    }
    for (std::size_t i = 0; i < std::size(colours); ++i) {
        EXPECT_EQ(sky.*colours[i].second, 0x100u + i) << i;
        sky.*colours[i].second = 0x200 + static_cast<COLORREF>(i);
    }
    // The grid's points come from the sphere approximation and never go back.
    EXPECT_EQ(sky.points, 40);
    EXPECT_EQ(sky.pointsY, 30);
    sky.points = 5;
    sky.storeInto(doc);
    for (std::size_t i = 0; i < std::size(numbers); ++i)
        EXPECT_EQ(doc.*numbers[i].first, 21.0 + static_cast<double>(i)) << i;
    for (std::size_t i = 0; i < std::size(colours); ++i)
        EXPECT_EQ(doc.*colours[i].first, 0x200u + i) << i;
    EXPECT_EQ(doc.AccuracyX, 40);
}

} // namespace
