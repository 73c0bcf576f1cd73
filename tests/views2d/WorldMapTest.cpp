// The composed map at 720 x 360: each layer's pixels, away from edges.
#include "document/BeamFootprint.h"
#include "tests/support/DocumentFixture.h"
#include "views2d/MapProjection.h"
#include "views2d/Raster.h"
#include "views2d/WorldMap.h"

#include <cmath>
#include <functional>
#include <numbers>

using namespace kiv;
using namespace kiv::test;

namespace {

constexpr int W = 720, H = 360;
constexpr double kDeg = std::numbers::pi / 180.0;
const QRgb kWhite = qRgb(255, 255, 255);

QImage solid(QRgb colour, int w = 64, int h = 32)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

class WorldMapTest : public DocumentTest {
protected:
    // One satellite, every layer off, a white day map.
    CKivDoc& plainDocument()
    {
        writeFile("sats.tle", lowSatellites(1));
        CKivDoc& doc = makeDocument("[Allgemein]\nSatellitenfilename=sats.tle\n");
        doc.SetSimTime(kiv::Time::fromUtc({2024, 3, 20, 12, 0, 0}));
        doc.ShowCourse2D = doc.Footprint2D = doc.DayNight2D = doc.DrawDayNightLine2D = 0;
        doc.DrawSun2D = doc.DrawMoon2D = doc.ShowObs = doc.ShowWDB = doc.Footprint2DColored = 0;
        tagSATINFO& sat = doc.SatInfo[0];
        sat.shown = 1;
        sat.lat = 0.0;
        sat.lon = 0.0;
        sat.alt = 0.4;
        map.setMaps(solid(kWhite), solid(qRgb(0, 0, 255)));
        map.setSize({W, H}, worldMapScene(doc));
        map.layoutLabels(satelliteScene(doc), {});
        return doc;
    }

    // A footprint of the given angular radius (degrees) for satellite 0.
    static void setFootprint(CKivDoc& doc, double angleDeg)
    {
        doc.SatInfo[0].footprintRadius = kEarthRadius * std::sin(angleDeg * kDeg);
        doc.SatInfo[0].footprintDist = kEarthRadius * std::cos(angleDeg * kDeg) + 0.05;
    }

    // Satellite 0 at (lat, lon) with a footprint of the given radius in the "area" style, drawn.
    void drawAreaFootprint(CKivDoc& doc, double lat, double lon, double angleDeg)
    {
        doc.Footprint2D = 1;
        doc.FootprintStyle = 2;
        setFootprint(doc, angleDeg);
        doc.SatInfo[0].lat = lat;
        doc.SatInfo[0].lon = lon;
        map.redraw(worldMapScene(doc));
    }

    QRgb at(double lat, double lon) const
    {
        const QPoint p = mapPoint(lat, lon, W, H);
        return map.image().pixel(p);
    }
    QPoint pixelOf(double lat, double lon) const { return mapPoint(lat, lon, W, H); }

    WorldMap map;
};

TEST_F(WorldMapTest, HatchedFootprintInsideUntouchedOutside)
{
    CKivDoc& doc = plainDocument();
    doc.Icons[0].icon = QImage(); // no icon over the centre
    doc.Footprint2D = 1;
    doc.FootprintStyle = 3;
    setFootprint(doc, 20.0);
    map.redraw(worldMapScene(doc));
    int pattern = 0;
    for (double lat = -12; lat <= 12; lat += 0.5) {
        for (double lon = -12; lon <= 12; lon += 0.5) {
            const QPoint p = pixelOf(lat, lon);
            ASSERT_EQ(map.image().pixel(p), raster::hatchAt(p.x(), p.y()) ? qRgb(100, 100, 100) : kWhite);
            pattern += raster::hatchAt(p.x(), p.y());
        }
    }
    EXPECT_GT(pattern, 100);
    EXPECT_EQ(at(0, 30), kWhite);
    EXPECT_EQ(at(30, 0), kWhite);
    EXPECT_EQ(at(0, 20), qRgb(0, 0, 0)); // the edge
}

TEST_F(WorldMapTest, FootprintStylesAreaAndLine)
{
    CKivDoc& doc = plainDocument();
    doc.Footprint2D = 1;
    setFootprint(doc, 20.0);
    doc.FootprintStyle = 2;
    map.redraw(worldMapScene(doc));
    EXPECT_EQ(at(10, 10), qRgb(150, 150, 150));
    doc.FootprintStyle = 1;
    map.redraw(worldMapScene(doc));
    EXPECT_EQ(at(10, 10), kWhite);
    EXPECT_EQ(at(0, -20), qRgb(0, 0, 0));
    doc.Footprint2DColored = 1;
    doc.SatInfo[0].color[1] = kiv::rgb(0, 200, 0);
    map.redraw(worldMapScene(doc));
    EXPECT_EQ(at(0, -20), qRgb(0, 200, 0));
}

TEST_F(WorldMapTest, AreaFootprintsOverTheDateLineThePoleAndAGeostationaryHorizon)
{
    // A geostationary satellite's horizon circle, as the document computes it: about 81 degrees.
    const BeamFootprint geo = beamFootprint(20.0, 35.786);
    const double geoAngle = std::atan2(geo.footprintRadius, geo.footprintDist - 0.05) / kDeg;
    struct Point {
        double lat, lon;
    };
    const struct {
        const char* what;
        double lat, lon, angle;
        std::vector<Point> inside, outside;
    } cases[] = {
        {"date line", 0.0, 170.0, 30.0, {{15, 175}, {15, -170}}, {{0, -150}, {0, 130}}},
        {"pole", 70.0, 300.0, 40.0, {{88, -179}, {88, -60}, {88, 0}, {88, 90}, {88, 179}}, {{10, -60}, {0, 120}}},
        {"geostationary", 0.0, 0.0, geoAngle, {{0, 75}}, {{0, 85}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        drawAreaFootprint(plainDocument(), c.lat, c.lon, c.angle);
        for (const Point& p : c.inside)
            EXPECT_EQ(at(p.lat, p.lon), qRgb(150, 150, 150)) << p.lat << " " << p.lon;
        for (const Point& p : c.outside)
            EXPECT_EQ(at(p.lat, p.lon), kWhite) << p.lat << " " << p.lon;
    }
}

TEST_F(WorldMapTest, TexturePassShowsNightWhereTheSunIsDown)
{
    CKivDoc& doc = plainDocument();
    doc.SatInfo[0].shown = 0;
    doc.DayNight2D = 1;
    map.setMaps(solid(qRgb(255, 0, 0)), solid(qRgb(0, 0, 255)));
    map.redraw(worldMapScene(doc)); // the first picture already has the right sun
    const QPointF sun = map.sunPosition();
    int night = 0;
    for (int y = 2; y < H; y += 7) {
        for (int x = 3; x < W; x += 7) {
            const double lat = (90.0 - (y + 0.5) / H * 180.0) * kDeg, lon = ((x + 0.5) / W * 360.0 - 180.0) * kDeg;
            const double cosZ = std::sin(lat) * std::sin(sun.x() * kDeg) +
                                std::cos(lat) * std::cos(sun.x() * kDeg) * std::cos(lon - sun.y() * kDeg);
            if (std::abs(cosZ) < 0.05)
                continue;
            ASSERT_EQ(map.image().pixel(x, y), cosZ < 0 ? qRgb(0, 0, 255) : qRgb(255, 0, 0)) << x << "," << y;
            night += cosZ < 0;
        }
    }
    EXPECT_GT(night, 1000);
}

TEST_F(WorldMapTest, ShadowPassGreysTheNightSide)
{
    CKivDoc& doc = plainDocument();
    doc.SatInfo[0].shown = 0;
    doc.DrawDayNightLine2D = 1;
    map.redraw(worldMapScene(doc));
    const QPointF sun = map.sunPosition(); // near the equinox at noon: about (0, 0)
    EXPECT_NEAR(sun.x(), 0.0, 1.0);
    EXPECT_EQ(at(0, sun.y() + 180.0 > 180 ? sun.y() - 180.0 : sun.y() + 180.0), qRgb(150, 150, 150));
    EXPECT_EQ(at(30, sun.y()), kWhite);
}

TEST_F(WorldMapTest, LayersOffLeaveTheScaledDayMap)
{
    CKivDoc& doc = plainDocument();
    doc.SatInfo[0].shown = 0;
    QImage day(64, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            day.setPixel(x, y, qRgb(x * 4, y * 8, 100));
    map.setMaps(day, solid(0));
    map.redraw(worldMapScene(doc));
    const QImage expected = day.scaled(W, H, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(map.image(), expected);
}

TEST_F(WorldMapTest, IconAtItsProjectedPlace)
{
    CKivDoc& doc = plainDocument();
    doc.Icons[0].icon = solid(qRgb(0, 128, 0), 32, 32);
    doc.SatInfo[0].iconIndex = 300; // out of the table: the built-in entry
    doc.SatInfo[0].lat = 10.0;
    doc.SatInfo[0].lon = 200.0;
    map.redraw(worldMapScene(doc));
    const QPoint c = iconPoint(10.0, 200.0, W, H);
    EXPECT_EQ(c, QPoint(40, 160));
    EXPECT_EQ(map.image().pixel(c.x() - 16, c.y() - 16), qRgb(0, 128, 0));
    EXPECT_EQ(map.image().pixel(c.x() + 15, c.y() + 15), qRgb(0, 128, 0));
    EXPECT_EQ(map.image().pixel(c.x() + 16, c.y()), kWhite);
    EXPECT_EQ(map.image().pixel(c.x(), c.y() - 17), kWhite);
}

TEST_F(WorldMapTest, TrackInTheRouteColour)
{
    CKivDoc& doc = plainDocument();
    doc.Icons[0].icon = QImage();
    doc.ShowCourse2D = 1;
    doc.PenWidth = 2;
    doc.NrOfPoints = 4;
    tagSATINFO& sat = doc.SatInfo[0];
    sat.color[0] = kiv::rgb(200, 0, 0);
    sat.trackLat = {0, 0, 0, 0, 0};
    sat.trackLon = {350, 355, 0, 5, 10};
    map.redraw(worldMapScene(doc));
    for (int x = pixelOf(0, -10).x(); x < pixelOf(0, 5).x(); ++x)
        ASSERT_EQ(map.image().pixel(x, 180), qRgb(200, 0, 0)) << x;
    EXPECT_EQ(at(0, 20), kWhite);
    EXPECT_EQ(at(5, 0), kWhite);
}

TEST_F(WorldMapTest, LabelBoxIsWhiteWithABevelAboveTheIcon)
{
    CKivDoc& doc = plainDocument();
    map.setMaps(solid(qRgb(0, 0, 80)), solid(0));
    map.layoutLabels(satelliteScene(doc), {true, true});
    map.redraw(worldMapScene(doc));
    const QPoint c = iconPoint(0, 0, W, H);
    const PixelRect box = map.labelRect(0).translated(c);
    EXPECT_EQ(box.bottom, c.y() - 16);
    EXPECT_EQ(map.image().pixel(box.left, box.top), qRgb(227, 227, 227));
    EXPECT_EQ(map.image().pixel(box.right - 1, box.bottom - 1), qRgb(105, 105, 105));
    // The spare line at the bottom stays white; the lines above it carry black text.
    EXPECT_EQ(map.image().pixel((box.left + box.right) / 2, box.bottom - 4), kWhite);
    bool text = false;
    for (int x = box.left + 5; x < box.right - 5; ++x)
        text = text || qRed(map.image().pixel(x, box.top + 5 + map.glyphs().lineHeight() / 2)) < 128;
    EXPECT_TRUE(text);
    EXPECT_EQ(map.image().pixel(box.left - 1, box.top), qRgb(0, 0, 80));
}

TEST_F(WorldMapTest, LabelNearTheTopRightCornerStaysOnTheMap)
{
    CKivDoc& doc = plainDocument();
    map.setMaps(solid(qRgb(0, 0, 80)), solid(0));
    map.layoutLabels(satelliteScene(doc), {true, true});
    doc.SatInfo[0].lat = 85.0;
    doc.SatInfo[0].lon = 179.0;
    map.redraw(worldMapScene(doc));
    const QPoint c = iconPoint(85.0, 179.0, W, H);
    const PixelRect box = map.labelRect(0);
    const int w = box.right - box.left, h = box.bottom - box.top;
    // Against the right edge, below the icon; its bevel and white inside show whole.
    EXPECT_EQ(map.image().pixel(W - w, c.y() + 16), qRgb(227, 227, 227));
    EXPECT_EQ(map.image().pixel(W - 1, c.y() + 16 + h - 1), qRgb(105, 105, 105));
    EXPECT_EQ(map.image().pixel(W - w / 2, c.y() + 16 + h - 4), kWhite);
}

class FakeWDB final : public WDBViewPort {
public:
    void RefreshSatellites() override {}
    void CentreOn(double, double) override {}
    QRectF Extent() const override { return {10, 20, -20, -40}; }
    void ShowWholeWorld(const QSize&) override {}
    void ShowRegion(const QRectF&, const QSize&) override {}
    void ReloadBackground() override {}
};

TEST_F(WorldMapTest, ZoomBoxOfEachWorldDataBankView)
{
    CKivDoc& doc = plainDocument();
    doc.SatInfo[0].shown = 0;
    doc.ShowWDB = 1;
    map.redraw(worldMapScene(doc));
    EXPECT_EQ(map.image(), solid(kWhite).scaled(W, H));
    FakeWDB wdb;
    doc.Views.add(&wdb);
    map.updateZoomBoxes(worldMapScene(doc));
    map.redraw(worldMapScene(doc));
    EXPECT_EQ(map.zoomBox(1), (PixelRect{340, 140, 380, 220}));
    EXPECT_EQ(map.image().pixel(340, 140), qRgb(255, 0, 0)); // hatch pixels of the top side
    EXPECT_EQ(map.image().pixel(347, 140), qRgb(255, 0, 0));
    EXPECT_EQ(map.image().pixel(341, 140), kWhite);
    EXPECT_EQ(map.image().pixel(360, 180), kWhite);
    doc.Views.remove(&wdb);
}

TEST_F(WorldMapTest, SunAndMoonIconsAndTheObserverMarker)
{
    CKivDoc& doc = plainDocument();
    doc.SatInfo[0].shown = 0;
    doc.DrawSun2D = 1;
    map.redraw(worldMapScene(doc));
    const QPoint s = iconPoint(map.sunPosition().x(), map.sunPosition().y(), W, H);
    EXPECT_NE(map.image().pixel(s), kWhite);
    doc.DrawSun2D = 0;
    doc.ShowObs = 1;
    map.redraw(worldMapScene(doc));
    EXPECT_EQ(map.image(), solid(kWhite).scaled(W, H)); // no marker before the sky view places it
    map.setObserverMarker({0.25, 0.25, 0.0, -1.0});
    map.redraw(worldMapScene(doc));
    EXPECT_EQ(map.image().pixel(190, 90), qRgb(255, 0, 0));
    EXPECT_EQ(map.image().pixel(180, 80), qRgb(255, 0, 0));
    EXPECT_EQ(map.image().pixel(s), kWhite);
}

double julianDateOf(int year, int month, int day, int hour, int minute)
{
    return kiv::Time::fromUtc({year, month, day, hour, minute, 0}).julianDate();
}

// Each thing the clock moves on the map, changed alone as far as a step can: the map must say its
// picture moved, or the view would keep showing the picture before the change.
TEST_F(WorldMapTest, EachThingTheClockMovesAloneMovesThePicture)
{
    CKivDoc& doc = plainDocument();
    tagSATINFO& sat = doc.SatInfo[0];
    const auto sunLatitudeAt = [this](double jd) {
        WorldMapScene at;
        at.julianDate = jd;
        map.computeSunAndMoon(at);
        return map.sunPosition().x();
    };
    // The March equinox to within a second: the sun's latitude changes sign.
    double south = julianDateOf(2024, 3, 20, 2, 0), north = julianDateOf(2024, 3, 20, 4, 0);
    ASSERT_LT(sunLatitudeAt(south), 0.0);
    ASSERT_GT(sunLatitudeAt(north), 0.0);
    while (north - south > 1.0 / 86400.0)
        (sunLatitudeAt((south + north) / 2) < 0.0 ? south : north) = (south + north) / 2;

    using Change = std::function<void(WorldMapScene&)>;
    const Change positionLabels = [&](WorldMapScene& s) { map.layoutLabels(s.satellites, {false, true}); };
    const struct {
        const char* thing;
        Change setUp, change;
    } rows[] = {
        {"a satellite's place", [](WorldMapScene&) {}, [&](WorldMapScene&) { sat.lat += 1.0; }},
        {"its track's newest point", [](WorldMapScene& s) { s.tracks = true; },
         [&](WorldMapScene&) { sat.lastTrack += 1.0 / 1440.0; }},
        {"its footprint's radius",
         [&](WorldMapScene& s) {
             s.footprints = true;
             setFootprint(doc, 20.0);
         },
         [&](WorldMapScene&) { setFootprint(doc, 20.5); }},
        // 0.08° more at 80° N move the footprint's east and west ends by about a pixel, although
        // its centre and its north and south ends move by less than half of one.
        {"its footprint's widening near a pole",
         [&](WorldMapScene& s) {
             s.footprints = true;
             sat.lat = 80.0;
             setFootprint(doc, 5.0);
         },
         [&](WorldMapScene&) { setFootprint(doc, 5.08); }},
        {"its footprint coming to cover a pole",
         [&](WorldMapScene& s) {
             s.footprints = true;
             sat.lat = 80.0;
             setFootprint(doc, 10.0 - 1e-7);
         },
         [&](WorldMapScene&) { setFootprint(doc, 10.0 + 1e-7); }},
        {"its label's latitude", positionLabels, [&](WorldMapScene&) { sat.lat += 0.01; }},
        {"its label's longitude", positionLabels, [&](WorldMapScene&) { sat.lon += 0.01; }},
        {"its label's altitude", positionLabels, [&](WorldMapScene&) { sat.alt += 0.00001; }},
        {"the sun", [](WorldMapScene& s) { s.sun = true; }, [](WorldMapScene& s) { s.julianDate += 10.0 / 1440.0; }},
        {"the moon", [](WorldMapScene& s) { s.moon = true; }, [](WorldMapScene& s) { s.julianDate += 10.0 / 1440.0; }},
        // Near the solstice ten minutes turn the day/night line and hardly change its shape.
        {"the day/night line's turn",
         [](WorldMapScene& s) {
             s.nightTexture = true;
             s.julianDate = julianDateOf(2024, 6, 21, 12, 0);
         },
         [](WorldMapScene& s) { s.julianDate += 10.0 / 1440.0; }},
        // A day later at noon the sun stands over nearly the same longitude, 0.4° further north.
        {"the day/night line's shape",
         [](WorldMapScene& s) {
             s.shadow = true;
             s.julianDate = julianDateOf(2024, 4, 1, 12, 0);
         },
         [](WorldMapScene& s) { s.julianDate += 1.0; }},
        {"the day/night line's pole in the night",
         [&](WorldMapScene& s) {
             s.nightTexture = true;
             s.julianDate = south;
         },
         [&](WorldMapScene& s) { s.julianDate = north; }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.thing);
        sat.lat = sat.lon = 0.0;
        sat.alt = 0.4;
        WorldMapScene scene = worldMapScene(doc);
        map.layoutLabels(scene.satellites, {});
        row.setUp(scene);
        map.redraw(scene);
        EXPECT_FALSE(map.moved(scene));
        row.change(scene);
        EXPECT_TRUE(map.moved(scene));
    }
}

} // namespace
