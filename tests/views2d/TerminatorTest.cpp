// The day/night line: its points against the sub-solar point, and the night and day polygons
// against the sun's altitude at every pixel.
#include "views2d/SpanFiller.h"
#include "views2d/Terminator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

namespace kiv {
namespace {

constexpr double kDeg = std::numbers::pi / 180.0;
constexpr int W = 720, H = 360;

struct Sun {
    double lat, lon;
};
const Sun kSuns[] = {{0, 0}, {23.44, 0}, {-23.44, 0}, {10, 100}, {-15, -120}, {23.44, 170}, {5, -179}, {-20, 250}};

TEST(Terminator, EveryEntryIsNinetyDegreesFromTheSubSolarPoint)
{
    for (const Sun s : kSuns) {
        const TerminatorEntries t = terminatorEntries(s.lat);
        for (const QPointF& e : t.entries) {
            const double lat = -e.y() * kDeg, dLon = e.x() * kDeg;
            const double cosZ = std::sin(lat) * std::sin(s.lat * kDeg) + std::cos(lat) * std::cos(s.lat * kDeg) * std::cos(dLon);
            EXPECT_NEAR(cosZ, 0.0, 1e-9) << s.lat;
        }
    }
}

TEST(Terminator, EquinoxPolygon)
{
    const TerminatorPolygon p = terminatorPolygon(0, 0, W, H);
    EXPECT_EQ(p.start, 0);
    EXPECT_EQ(p.points[0], QPoint(0, 360));
    EXPECT_EQ(p.points[59], QPoint(360, 0));
    EXPECT_EQ(p.points[60], QPoint(360, 0));
    EXPECT_EQ(p.points[119], QPoint(720, 360));
    // Closed over the north pole: at the equinox it counts as the dark one.
    EXPECT_EQ(p.points[120], QPoint(720, 360));
    EXPECT_EQ(p.points[121], QPoint(720, 0));
    EXPECT_EQ(p.points[122], QPoint(0, 0));
    EXPECT_EQ(p.points[123], QPoint(0, 360));
}

TEST(Terminator, NorthernSunClosesOverTheBottomEdge)
{
    const TerminatorPolygon night = terminatorPolygon(23.44, 0, W, H);
    EXPECT_EQ(night.points[121], QPoint(720, 360));
    EXPECT_EQ(night.points[122], QPoint(0, 360));
    const TerminatorPolygon day = terminatorPolygon(23.44, 0, W, H, true);
    EXPECT_EQ(day.points[121], QPoint(720, 0));
}

TEST(Terminator, WrappedLineStartsAtTheLeftEdgeAndRunsRight)
{
    for (const double lon : {100.0, -150.0, 250.0}) {
        const TerminatorPolygon p = terminatorPolygon(12, lon, W, H);
        EXPECT_GT(p.start, 0);
        for (int k = 1; k < kTerminatorEntries; ++k)
            EXPECT_GE(p.points[k].x(), p.points[k - 1].x()) << lon << " " << k;
        EXPECT_LT(p.points[0].x(), 30);
        EXPECT_GT(p.points[119].x(), W - 30);
    }
}

// Pixels inside the polygon, as a W x H mask.
std::vector<char> mask(const TerminatorPolygon& p)
{
    std::vector<char> m(std::size_t(W) * H, 0);
    SpanFiller filler;
    for (const Span& s : filler.fill(p.points, {W, H}))
        for (int x = s.x0; x < s.x1; ++x)
            m[std::size_t(s.y) * W + x] ^= 1;
    return m;
}

TEST(Terminator, NightPolygonHoldsExactlyThePixelsWhereTheSunIsDown)
{
    for (const Sun s : kSuns) {
        const std::vector<char> night = mask(terminatorPolygon(s.lat, s.lon, W, H));
        const std::vector<char> day = mask(terminatorPolygon(s.lat, s.lon, W, H, true));
        int checked = 0;
        for (int y = 0; y < H; ++y) {
            for (int x = 0; x < W; ++x) {
                const std::size_t i = std::size_t(y) * W + x;
                ASSERT_NE(night[i], day[i]) << "pixel " << x << "," << y << " sun " << s.lat << "," << s.lon;
                const double lat = (90.0 - (y + 0.5) / H * 180.0) * kDeg;
                const double lon = ((x + 0.5) / W * 360.0 - 180.0) * kDeg;
                const double cosZ = std::sin(lat) * std::sin(s.lat * kDeg) +
                                    std::cos(lat) * std::cos(s.lat * kDeg) * std::cos(lon - s.lon * kDeg);
                if (std::abs(cosZ) > 0.05) {
                    ASSERT_EQ(night[i] != 0, cosZ < 0) << "pixel " << x << "," << y << " sun " << s.lat << "," << s.lon;
                    ++checked;
                }
            }
        }
        EXPECT_GT(checked, W * H * 8 / 10);
    }
}

} // namespace
} // namespace kiv
