// The globe's frame: the earth's turn, the camera's look-at and the one frame in which bodies
// and orbits meet.
#include "views3d/GlobeCamera.h"
#include "views3d/SceneFrame.h"
#include "tests/support/TleWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using namespace kiv;

namespace {

kiv::Time utc(int hour, int minute = 0, int day = 10)
{
    return kiv::Time::fromUtc({2024, 4, day, hour, minute, 0});
}

void expectNear(Vec3 a, Vec3 b, double tolerance)
{
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
    EXPECT_NEAR(a.z, b.z, tolerance);
}

} // namespace

TEST(SceneFrame, EarthTurnsOnceADayFromNoon)
{
    EXPECT_NEAR(SceneFrame::at(utc(12)).earthTurnDeg, 0.0, 1e-9);
    EXPECT_NEAR(SceneFrame::at(utc(0)).earthTurnDeg, -180.0, 1e-9);
    EXPECT_NEAR(SceneFrame::at(utc(18)).earthTurnDeg, 90.0, 1e-9);
    // Greenwich faces the sun (-z) at noon.
    expectNear(geographicToScene(0.0, 0.0, 1.0, SceneFrame::at(utc(12)).earthTurnDeg), {0, 0, -1}, 1e-12);
    expectNear(geographicToScene(90.0, 0.0, 2.0, 33.0), {0, 2, 0}, 1e-12);
}

TEST(SceneFrame, LookAtPutsTheEyeOverThePlace)
{
    const double d = 140.0;
    expectNear(lookAtEye(0.0, 0.0, d, utc(12)), {0, 0, -d}, 1e-9);
    expectNear(lookAtEye(0.0, 0.0, d, utc(18)), {-d, 0, 0}, 1e-9);
    expectNear(lookAtEye(0.0, -90.0, d, utc(12)), {-d, 0, 0}, 1e-9);
    // Every minute of a day, at latitudes from pole to pole: the eye lies at the distance, at
    // the latitude, above the place as the earth is turned.
    for (int minute = 0; minute < 24 * 60; minute += 7) {
        const kiv::Time t = utc(0, minute);
        for (const double lat : {-90.0, -52.5, 0.0, 33.0, 89.0}) {
            const double westLon = std::fmod(minute * 1.3, 360.0) - 180.0;
            const Vec3 eye = lookAtEye(lat, westLon, d, t);
            EXPECT_NEAR(length(eye), d, 1e-9);
            EXPECT_NEAR(std::asin(eye.y / d) * 180.0 / std::numbers::pi, lat, 1e-9);
            expectNear(eye * (1.0 / d), geographicToScene(lat, -westLon, 1.0, SceneFrame::at(t).earthTurnDeg), 1e-9);
        }
    }
}

// A satellite placed by its geographic position (as the bodies are) and by its inertial position
// (as the orbit rings are) must land on the same spot, every hour of a day.
TEST(SceneFrame, BodiesSitOnTheirOrbits)
{
    struct Case {
        double meanMotion, inclination, eccentricity, tolerance;
    };
    // The bodies stand on a sphere over the ellipsoid's altitude, the orbits are geocentric: a
    // few tens of km apart for an inclined low orbit, nothing on the equator.
    for (const Case c : {Case{1.0027, 0.05, 0.0002, 0.002}, Case{15.5, 51.6, 0.001, 0.03}, Case{2.0, 63.4, 0.7, 0.03}}) {
        kiv::test::Elements e;
        e.meanMotion = c.meanMotion;
        e.inclinationDeg = c.inclination;
        e.eccentricity = c.eccentricity;
        const kiv::test::Tle tle = kiv::test::makeTle("SAT", e);
        CSGP4_SDP4 orbit(tle.name.c_str(), tle.line1.c_str(), tle.line2.c_str());
        for (int hour = 0; hour < 24; ++hour) {
            const kiv::Time t = kiv::Time::fromUtc({2024, 4, 10, hour, 17, 0});
            const double jd = t.julianDate();
            ASSERT_TRUE(orbit.SGP(jd));
            orbit.CalculateLatLonAlt(jd);
            const SceneFrame frame = SceneFrame::at(t);
            const Vec3 body = geographicToScene(orbit.GetLat(), orbit.GetLon(), orbit.GetAlt() / 1000.0 + kEarthRadius,
                                                frame.earthTurnDeg);
            EXPECT_LT(length(body - frame.inertialToScene(orbit.GetPos())), c.tolerance)
                << "mean motion " << c.meanMotion << " at " << hour << " h";
        }
    }
}

TEST(GlobeCamera, PanAndZoomLandInTheProjectionTurnsInTheModelView)
{
    GlobeCamera camera;
    camera.setPerspective({20.0, 5.0, 400000.0}, 800, 600);
    camera.lookAt({0, 0, -140});
    const Matrix4 view = camera.modelView();
    const Matrix4 projection = camera.projection();
    camera.pan(10, -5);
    camera.zoom(3);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(camera.modelView().data()[i], view.data()[i]);
    camera.turn(4, 2);
    camera.resetProjection();
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(camera.projection().data()[i], projection.data()[i]);
    EXPECT_NE(camera.modelView()(0, 0), view(0, 0));
}

TEST(GlobeCamera, ProjectsTheCentreAndClipsWhatIsBehind)
{
    GlobeCamera camera;
    camera.setPerspective({20.0, 5.0, 400000.0}, 800, 600);
    camera.lookAt({0, 0, 140});
    camera.turn(30, 20);
    const Vec3 eye = camera.eye();
    EXPECT_NEAR(length(eye), 140.0, 1e-9);
    camera.lookAt(eye);
    EXPECT_NEAR(length(camera.eye() - eye), 0.0, 1e-9);
    const auto centre = camera.project({0, 0, 0});
    ASSERT_TRUE(centre);
    EXPECT_EQ(centre->x, 400);
    EXPECT_EQ(centre->y, 300);
    EXPECT_FALSE(camera.project({0, 0, 1000}));
    EXPECT_FALSE(camera.project({0, 0, -500000}));
    // A zero height is taken as one pixel; a resize to zero changes nothing.
    camera.setPerspective({20.0, 5.0, 400000.0}, 800, 0);
    EXPECT_EQ(camera.height(), 1);
    camera.resize(800, 600);
    const Matrix4 before = camera.projection();
    camera.resize(100, 0);
    EXPECT_EQ(camera.projection()(0, 0), before(0, 0));
    EXPECT_EQ(camera.width(), 800);
}
