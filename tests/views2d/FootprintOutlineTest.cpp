// Footprint outlines against spherical geometry, and their shape on the map.
#include "document/BeamFootprint.h"
#include "views2d/FootprintOutline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kiv {
namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

// Great-circle angle between two points given in degrees, in the well-conditioned form.
double angleBetween(double lat1, double lon1, double lat2, double lon2)
{
    const double p1 = lat1 * kDeg, p2 = lat2 * kDeg, dl = (lon2 - lon1) * kDeg;
    const double y = std::hypot(std::cos(p2) * std::sin(dl), std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dl));
    const double x = std::sin(p1) * std::sin(p2) + std::cos(p1) * std::cos(p2) * std::cos(dl);
    return std::atan2(y, x);
}

TEST(FootprintOutline, AngularRadiusOfTheHorizonCircle)
{
    // A geostationary satellite whose beam is wider than the earth sees up to its horizon.
    const BeamFootprint f = beamFootprint(20.0, 35.786);
    EXPECT_NEAR(footprintAngle(f.footprintRadius, f.footprintDist), std::acos(kEarthRadius / (kEarthRadius + 35.786)), 1e-9);
    EXPECT_NEAR(footprintAngle(f.footprintRadius, f.footprintDist) / kDeg, 81.3, 0.05);
    EXPECT_EQ(footprintAngle(0.0, kEarthRadius + 0.05), 0.0);
    EXPECT_EQ(footprintAngle(std::nan(""), 1.0), 0.0);
}

TEST(FootprintOutline, EveryVertexLiesAtTheAngularRadius)
{
    struct Case {
        double lat, lon, angleDeg;
        int n;
    };
    for (const Case c : {Case{0, 0, 18.45, 35}, Case{60, 10, 25, 36}, Case{-45, 170, 60, 100}, Case{80, -120, 30, 360},
                         Case{-89, 0, 81.3, 35}, Case{0, 179.9, 81.3, 3600}}) {
        std::vector<QPointF> v;
        footprintVertices(c.lat, c.lon, c.angleDeg * kDeg, c.n, v);
        ASSERT_EQ(static_cast<int>(v.size()), c.n);
        for (const QPointF& p : v)
            EXPECT_NEAR(angleBetween(c.lat, c.lon, p.y(), p.x()), c.angleDeg * kDeg, 1e-9) << c.lat << " " << c.lon;
        // Continuous longitudes: neighbours never jump by a turn.
        for (std::size_t k = 1; k < v.size(); ++k)
            EXPECT_LT(std::abs(v[k].x() - v[k - 1].x()), 180.0);
    }
}

TEST(FootprintOutline, PolesInsideTheCircle)
{
    EXPECT_EQ(coveredPole(0, 81 * kDeg), 0);
    EXPECT_EQ(coveredPole(10, 81 * kDeg), 1);
    EXPECT_EQ(coveredPole(-10, 81 * kDeg), -1);
    EXPECT_EQ(coveredPole(60, 29 * kDeg), 0);
}

TEST(FootprintOutline, PointCountIsClamped)
{
    EXPECT_EQ(footprintPointCount(0), 3);
    EXPECT_EQ(footprintPointCount(-5), 3);
    EXPECT_EQ(footprintPointCount(35), 35);
    EXPECT_EQ(footprintPointCount(100000), 3600);
}

TEST(FootprintShape, SmallCircleIsClosedAndCentred)
{
    std::vector<QPointF> scratch;
    FootprintShape shape;
    footprintShape(0, 0, 18.45 * kDeg, 36, 720, 360, scratch, shape);
    ASSERT_EQ(shape.outline.size(), 37u);
    EXPECT_EQ(shape.outline.front(), shape.outline.back());
    EXPECT_EQ(shape.polygon, shape.outline);
    EXPECT_EQ(shape.outline.front(), QPoint(360, 143)); // due north first
    EXPECT_EQ(shape.minX, 323);
    EXPECT_EQ(shape.maxX, 396);
}

TEST(FootprintShape, OverTheDateLineItLeavesThePicture)
{
    std::vector<QPointF> scratch;
    FootprintShape shape;
    footprintShape(0, 170, 20.3 * kDeg, 36, 720, 360, scratch, shape);
    EXPECT_EQ(shape.minX, 659);
    EXPECT_EQ(shape.maxX, 740);
}

TEST(FootprintShape, CapOverAPoleClosesAlongTheEdge)
{
    std::vector<QPointF> scratch;
    FootprintShape north, south;
    footprintShape(60, 0, 40 * kDeg, 72, 720, 360, scratch, north);
    ASSERT_EQ(north.polygon.size(), north.outline.size() + 2);
    EXPECT_EQ(north.polygon[north.polygon.size() - 1].y(), 0);
    EXPECT_EQ(north.polygon[north.polygon.size() - 2].y(), 0);
    EXPECT_EQ(north.maxX - north.minX, 720); // one full turn
    footprintShape(-60, 0, 40 * kDeg, 72, 720, 360, scratch, south);
    EXPECT_EQ(south.polygon.back().y(), 360);
    // The outline alone never runs along the edge.
    EXPECT_TRUE(std::none_of(north.outline.begin(), north.outline.end(), [](QPoint p) { return p.y() == 0; }));
}

} // namespace
} // namespace kiv
