// The sky view's label lines and title, and its mouse arithmetic.
#include "views2d/SkyControls.h"
#include "views2d/SkyTexts.h"

#include <gtest/gtest.h>

#include <numbers>

using namespace kiv;

namespace {

constexpr double kPi = std::numbers::pi;

TEST(SkyTexts, LabelLines)
{
    struct Case {
        std::string actual, expected;
    };
    const Case cases[] = {
        {skyTexts::rightAscensionLine(37.5), "Asc :  2h 30m  0s"},
        {skyTexts::rightAscensionLine(359.99), "Asc : 23h 59m 57s"},
        {skyTexts::declinationLine(12.25), "Desc: 12\xb0 15'  0\""},
        {skyTexts::declinationLine(-12.5), "Desc: -12\xb0 30'  0\""},
        {skyTexts::declinationLine(-0.5), "Desc: -0\xb0 30'  0\""},
        {skyTexts::declinationLine(0.5), "Desc:  0\xb0 30'  0\""},
        {skyTexts::azimuthLine(123.456), "Azi : 123.46\xb0"},
        {skyTexts::elevationLine(-5.0), "Elev: -5.00\xb0"},
        {skyTexts::distanceLine(9999.99), "Dist : 9999.99 km"},
        {skyTexts::distanceLine(10000.0), "Dist : 10.000 Tkm"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.actual, c.expected);
    EXPECT_EQ(skyTexts::twilightName(-6.0), "CIVIL");
    EXPECT_EQ(skyTexts::twilightName(-12.0), "NAUTICAL");
    EXPECT_EQ(skyTexts::twilightName(-18.0), "ASTRONOMICAL");
    EXPECT_EQ(skyTexts::twilightName(-9.0), "USER = -9.00");
    EXPECT_EQ(skyTexts::observerTitle(48.1, 11.6, 0.5, -6.0), "Lat=48.10 Lon=11.60 Alt=0.50 CIVIL");
}

TEST(SkyControls, PlacementKeepsASphereInAnyWindow)
{
    struct Case {
        QSize window;
        double zoom;
        int base, radius, cx, cy;
    };
    const Case cases[] = {{{400, 300}, 1.0, 120, 120, 200, 165},
                          {{400, 300}, 0.5, 120, 60, 200, 165},
                          {{40, 30}, 1.0, 1, 1, 20, 30},
                          {{0, 0}, 20.0, 1, 20, 0, 15}};
    for (const Case& c : cases) {
        const SkyPlacement p = placeSky(c.window, c.zoom);
        EXPECT_EQ(p.baseRadius, c.base);
        EXPECT_EQ(p.radius, c.radius);
        EXPECT_EQ(p.centreX, c.cx);
        EXPECT_EQ(p.centreY, c.cy);
    }
}

TEST(SkyControls, DragsWrapTurnsAndLongitudesAndStopAtThePoles)
{
    tagVECTOR observer{1.5, 3.1, 0.0, 0.0};
    dragObserver(observer, {-10, 20}); // up by 0.2 rad, right by 0.1 rad
    EXPECT_DOUBLE_EQ(observer.x, kPi / 2);
    EXPECT_NEAR(observer.y, 3.2 - 2 * kPi, 1e-12);
    dragObserver(observer, {0, -400});
    EXPECT_DOUBLE_EQ(observer.x, -kPi / 2);

    SkyProjection view;
    view.turn = 170.0;
    view.tilt = -90.0;
    dragSphere(view, {11, 5}, false);
    EXPECT_EQ(view.turn, -179.0);
    EXPECT_EQ(view.tilt, -85.0);
    dragSphere(view, {-2, 50}, true); // flat: no tilting
    EXPECT_EQ(view.turn, 179.0);
    EXPECT_EQ(view.tilt, -85.0);

    EXPECT_DOUBLE_EQ(zoomed(1.0, {0, 50}), 1.1);
    EXPECT_DOUBLE_EQ(zoomed(1.0, {0, -5000}), kMinSkyZoom);
    EXPECT_DOUBLE_EQ(zoomed(19.0, {0, 5000}), kMaxSkyZoom);

    const ObserverMarkerState centre = observerMarkerState({0, 0, 0, 0}, 90.0, -90.0);
    EXPECT_DOUBLE_EQ(centre.x, 0.5);
    EXPECT_DOUBLE_EQ(centre.y, 0.5);
    EXPECT_DOUBLE_EQ(centre.azimuth, kPi / 2);
    EXPECT_DOUBLE_EQ(centre.flip, -90.0);
}

} // namespace
