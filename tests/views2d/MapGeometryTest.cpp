// Projection, longitude folding, track splitting at the map's edges, zoom boxes and the
// observer's marker, at 720 x 360 (two pixels a degree).
#include "views2d/GroundTrackPath.h"
#include "views2d/MapProjection.h"
#include "views2d/ObserverMarker.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace kiv {
namespace {

constexpr int W = 720, H = 360;

TEST(MapProjection, CornersCentreAndTruncation)
{
    EXPECT_EQ(mapPoint(0, 0, W, H), QPoint(360, 180));
    EXPECT_EQ(mapPoint(90, -180, W, H), QPoint(0, 0));
    EXPECT_EQ(mapPoint(-90, 180, W, H), QPoint(720, 360));
    // Truncation toward zero on both sides of the left edge.
    EXPECT_EQ(mapPoint(0, -180.4, W, H).x(), 0);
    EXPECT_EQ(mapPoint(0, -180.6, W, H).x(), -1);
    EXPECT_EQ(mapPoint(0.3, 0.3, W, H), QPoint(360, 179));
}

TEST(MapProjection, FarOffAndNonFiniteValuesAreClamped)
{
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(mapPoint(0, 1e12, W, H).x(), 5 * W);
    EXPECT_EQ(mapPoint(-1e12, 0, W, H).y(), 5 * H);
    EXPECT_EQ(mapPoint(0, -inf, W, H).x(), -4 * W);
    EXPECT_EQ(mapPoint(std::nan(""), 0, W, H).y(), -4 * H);
}

TEST(MapProjection, IconsWrapLongitudesPast180)
{
    EXPECT_EQ(foldLongitude(200), -160);
    EXPECT_EQ(foldLongitude(180), 180);
    EXPECT_EQ(iconPoint(10, 200, W, H), QPoint(40, 160));
    EXPECT_EQ(iconPoint(10, 200, W, H), iconPoint(10, -160, W, H));
    EXPECT_EQ(iconPoint(0, 180, W, H).x(), 0);
    EXPECT_EQ(iconPoint(0, 0, W, H).x(), 360);
}

TEST(MapProjection, ZoomBoxFromWestPositiveExtent)
{
    // left 10 W, right 10 E, top 20 N, bottom 20 S.
    EXPECT_EQ(zoomBoxRect(QRectF(10, 20, -20, -40), W, H), (PixelRect{340, 140, 380, 220}));
    EXPECT_EQ(zoomBoxRect(QRectF(180, 90, -360, -180), W, H), (PixelRect{0, 0, 720, 360}));
}

std::vector<PathStep> track(std::vector<double> lat, std::vector<double> lon)
{
    std::vector<PathStep> out;
    groundTrackPath(lat, lon, static_cast<int>(lat.size()), W, H, out);
    return out;
}

TEST(GroundTrackPath, EastboundOverTheDateLineContinuesFromTheLeftEdge)
{
    const std::vector<PathStep> expected{
        {false, {718, 180}}, {true, {718, 180}}, {true, {720, 180}}, {false, {0, 180}}, {true, {2, 180}}};
    EXPECT_EQ(track({0, 0}, {179, -179}), expected);
    // The same with the orbit library's 0..360 longitudes.
    EXPECT_EQ(track({0, 0}, {179, 181}), expected);
}

TEST(GroundTrackPath, WestboundCrossingAndTheHalfwayHeight)
{
    const std::vector<PathStep> path = track({10, -10}, {-179, 179});
    ASSERT_EQ(path.size(), 5u);
    // y from 160 to 200: the edge is crossed half-way, at 180.
    EXPECT_EQ(path[2], (PathStep{true, {0, 180}}));
    EXPECT_EQ(path[3], (PathStep{false, {720, 180}}));
    EXPECT_EQ(path[4], (PathStep{true, {718, 200}}));
}

TEST(GroundTrackPath, SplitsOnlyPast200Degrees)
{
    EXPECT_EQ(track({0, 0}, {-100, 100}).size(), 3u);
    EXPECT_EQ(track({0, 0}, {-100, 100.9}).size(), 3u); // truncated difference 200
    EXPECT_EQ(track({0, 0}, {-100, 101}).size(), 5u);
}

TEST(GroundTrackPath, CountBeyondTheRingIsCut)
{
    std::vector<PathStep> out{{true, {1, 1}}};
    const std::vector<double> lat{0, 1, 2}, lon{0, 1, 2};
    groundTrackPath(lat, lon, 10, W, H, out);
    EXPECT_EQ(out.size(), 4u);
    groundTrackPath(lat, lon, 0, W, H, out);
    EXPECT_TRUE(out.empty());
}

TEST(ObserverMarker, CrossLettersAndArrowHead)
{
    const ObserverMarkerShape m = observerMarker({0.5, 0.5, 0.0, -1.0}, W, H);
    EXPECT_EQ(m.line1, (std::array<QPoint, 2>{QPoint(380, 180), QPoint(340, 180)}));
    EXPECT_EQ(m.line2, (std::array<QPoint, 2>{QPoint(360, 160), QPoint(360, 200)}));
    EXPECT_EQ(m.letters, (std::array<QPoint, 4>{QPoint(383, 175), QPoint(333, 175), QPoint(358, 150), QPoint(358, 200)}));
    EXPECT_EQ(m.arrow, (std::array<QPoint, 3>{QPoint(354, 175), QPoint(340, 180), QPoint(355, 185)}));
}

TEST(ObserverMarker, PositiveFourthValueTurnsByHalfATurn)
{
    const ObserverMarkerShape turned = observerMarker({0.25, 0.5, 0.5, 1.0}, W, H);
    const ObserverMarkerShape plain = observerMarker({0.25, 0.5, 0.5 + 3.141592654, -1.0}, W, H);
    EXPECT_EQ(turned.line1, plain.line1);
    EXPECT_EQ(turned.arrow, plain.arrow);
    // The U end (arrow tip) lies opposite the D end.
    EXPECT_EQ(turned.arrow[1], turned.line1[1]);
}

} // namespace
} // namespace kiv
