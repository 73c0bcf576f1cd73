// The globe's listing of what the clock moves, without a GL context: each thing it lists, changed
// alone as far as a step can, must make the frame count as moved, or the globe would keep showing
// the frame before the change.
#include "tests/support/DocumentFixture.h"
#include "views3d/GlobeMotion.h"
#include "views3d/SceneFrame.h"

#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <vector>

using namespace kiv;
using namespace kiv::test;

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr double kGeostationary = 42.164; // thousands of km from the centre

// An orbit ring of the given radius on the equator, one turn for each revolution a day.
OrbitRing ringAt(double radius, double meanMotion, int points, double jd)
{
    OrbitRing ring;
    ring.reset(meanMotion, points);
    ring.update(jd, [=](double t) {
        const double a = t * meanMotion * 2.0 * std::numbers::pi;
        return Vec3{radius * std::cos(a), 0.0, radius * std::sin(a)};
    });
    return ring;
}

struct Camera {
    double lat = 0.0, westLon = 0.0, distance = 0.0;
};

class GlobeMotionTest : public DocumentTest {};

} // namespace

TEST_F(GlobeMotionTest, EachThingTheClockMovesAloneMovesTheFrame)
{
    writeFile("sats.tle", lowSatellites(1));
    CKivDoc& doc = makeDocument("[Allgemein]\nSatellitenfilename=sats.tle\n");
    tagSATINFO& sat = doc.SatInfo[0];
    // New moon: from a camera over the noon point the sun and the moon stand behind it.
    const Time newMoon = Time::fromUtc({2024, 4, 8, 12, 0, 0});
    const Camera noon{7.0, 0.0, 40.0};
    // Two days before full moon, noon: the moon shows beyond the earth from a camera over the
    // noon point, the sun beyond it from one over the night side.
    const Time fullMoon = Time::fromUtc({2024, 6, 20, 12, 0, 0});
    const auto later = [&](std::int64_t seconds) { return [&doc, seconds](GlobeCamera&) { doc.SimTime += seconds; }; };
    const auto turned = [](double degrees) { return [degrees](GlobeCamera& c) { c.turnAboutPolarAxis(degrees); }; };
    const auto overThePole = [&] {
        sat.shown = 1;
        sat.lat = 90.0;
    };
    std::vector<OrbitRing> rings;
    using SetUp = std::function<void()>;
    using Change = std::function<void(GlobeCamera&)>;
    const struct {
        const char* thing;
        Time at;
        Camera camera;
        SetUp setUp;
        Change change;
    } rows[] = {
        {"a satellite's place", newMoon, noon, [&] { sat.shown = 1; }, [&](GlobeCamera&) { sat.lat += 0.2; }},
        // Its centre moves by less than half a pixel, the far side of its body by more.
        {"the reach of a satellite's body", newMoon, noon, [&] { sat.shown = 1; },
         [&](GlobeCamera&) { sat.lat += 0.069; }},
        // Over the pole only its body turns.
        {"a satellite's body", newMoon, noon, overThePole, [&](GlobeCamera&) { sat.lon += 2.0; }},
        {"a satellite's beam (exact mode)", newMoon, noon,
         [&] {
             sat.shown = 1;
             doc.CalculateExact = 1;
         },
         [&](GlobeCamera&) { sat.footprintRadius += 0.1; }},
        {"a satellite's ground track's newest point", newMoon, noon,
         [&] {
             sat.shown = 1;
             doc.ShowCourseEarth3D = 1;
         },
         [&](GlobeCamera&) { sat.lastTrack += 1.0 / 1440.0; }},
        // A turn of the camera that moves the earth's rim by a tenth of a pixel moves a point
        // 20 000 km above it by one.
        {"the reach of a ground track above the earth", newMoon, noon,
         [&] {
             overThePole();
             doc.ShowCourseEarth3D = 1;
             sat.trackAlt = {20.0};
         },
         turned(0.012)},
        {"the reach of the centre cross", newMoon, noon, [&] { doc.ShowCenterCross = 1; }, turned(0.012)},
        {"the earth's turn", newMoon, noon, [] {}, later(30)},
        // Two days later at the same time of day the earth stands as it stood.
        {"the light", newMoon, noon, [] {}, later(2 * 86400)},
        // A small earth turns its flat-shaded faces against the light by more than it moves them.
        {"the earth's faces against the light", newMoon, {7.0, 0.0, 2000.0}, [] {}, later(140)},
        {"the stars", newMoon, noon, [&] { doc.Sterne = 1; }, turned(0.03)},
        {"the orbits' turn", newMoon, {7.0, 0.0, 200.0},
         [&] {
             overThePole();
             doc.ShowCourse3D = 1;
             rings = {ringAt(kGeostationary, 1.0, 100, doc.SimTime.julianDate())};
         },
         turned(0.115)},
        // 1000 points on a ring of 15 revolutions a day: a new one every 5.8 s.
        {"an orbit's new point (exact mode)", newMoon, noon,
         [&] {
             overThePole();
             doc.ShowCourse3D = doc.CalculateExact = 1;
             rings = {ringAt(6.8, 15.0, 1000, doc.SimTime.julianDate())};
         },
         later(6)},
        {"the moon", fullMoon, {23.0, 0.0, 200.0}, [] {}, later(86400)},
        {"the sun", fullMoon, {-18.0, 180.0, 200.0}, [] {}, later(86400)},
        {"the lens flare", fullMoon, {-18.0, 180.0, 200.0}, [] {},
         [&](GlobeCamera&) { doc.NrOfOcularReflections = 4; }},
        // The sun moves by a fifth of a pixel, the flare's outermost disc eight times as far.
        {"the reach of the lens flare", fullMoon, {-18.0, 180.0, 200.0}, [&] { doc.NrOfOcularReflections = 4; },
         turned(0.007)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.thing);
        doc.SimTime = row.at;
        doc.ShowCenterCross = doc.ShowCourseEarth3D = doc.ShowCourse3D = doc.CalculateExact = 0;
        doc.NrOfOcularReflections = doc.Sterne = 0;
        sat = {};
        sat.alt = 0.4;
        sat.footprintRadius = 2.0;
        sat.footprintDist = 6.0;
        rings.clear();
        row.setUp();
        GlobeCamera camera;
        camera.setPerspective({}, kWidth, kHeight);
        camera.lookAt(lookAtEye(row.camera.lat, row.camera.westLon, row.camera.distance, doc.SimTime));
        const auto list = [&](DrawnPositions& d) { listGlobeMotion(d, doc, camera, rings); };
        DrawnPositions drawn;
        drawn.record(list);
        EXPECT_FALSE(drawn.moved(list));
        row.change(camera);
        EXPECT_TRUE(drawn.moved(list));
    }
}
