// The sky's projection onto the view, the grid meshes and their labels, and the grid, compass
// and figure as a recording sink sees them.
#include "views2d/SkyGrid.h"
#include "views2d/SkyProjection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>
#include <string>
#include <vector>

using namespace kiv;

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

struct Recorded {
    enum Kind { Move, Line, Pixel, Text, Polygon, Ellipse } kind;
    QPoint at;
    std::string text;
};

class RecordingSink final : public SkySink {
public:
    void moveTo(QPoint p) override { out.push_back({Recorded::Move, p, {}}); }
    void lineTo(QPoint p, QRgb) override { out.push_back({Recorded::Line, p, {}}); }
    void pixel(QPoint p, QRgb) override { out.push_back({Recorded::Pixel, p, {}}); }
    void text(QPoint at, std::string_view t, QRgb, bool) override { out.push_back({Recorded::Text, at, std::string(t)}); }
    void polygon(std::span<const QPoint>, QRgb, QRgb) override { out.push_back({Recorded::Polygon, {}, {}}); }
    void ellipse(const QRect& r, QRgb, QRgb) override { out.push_back({Recorded::Ellipse, r.center(), {}}); }

    int count(Recorded::Kind kind) const
    {
        return static_cast<int>(std::count_if(out.begin(), out.end(), [kind](const Recorded& r) { return r.kind == kind; }));
    }
    std::vector<std::string> texts() const
    {
        std::vector<std::string> t;
        for (const Recorded& r : out) {
            if (r.kind == Recorded::Text)
                t.push_back(r.text);
        }
        return t;
    }
    std::vector<Recorded> out;
};

SkyProjection projection(double turn, double tilt, int centre, int radius, bool hemisphere)
{
    SkyProjection view;
    view.turn = turn;
    view.tilt = tilt;
    view.centreX = view.centreY = centre;
    view.radius = radius;
    view.hemisphere = hemisphere;
    return view;
}

TEST(SkyProjection, DefaultViewIsAPolarPlotWithNorthUpAndEastRight)
{
    const SkyProjection view; // turn 90, tilt -90, centre (160, 160), radius 150
    struct Case {
        double az, el;
        int x, y;
    };
    const Case cases[] = {{0, 90, 160, 160}, {0, 0, 160, 10},  {90, 0, 310, 160},  {180, 0, 160, 310},
                          {270, 0, 10, 160}, {0, 45, 160, 53}, {90, 30, 289, 160}, {45, 45, 235, 85}};
    for (const Case& c : cases) {
        const ScreenPoint p = view.project(azElToSkyPoint(c.az * kDeg, c.el * kDeg));
        EXPECT_NEAR(p.x, c.x, 1.0) << c.az << "/" << c.el;
        EXPECT_NEAR(p.y, c.y, 1.0) << c.az << "/" << c.el;
        EXPECT_NEAR(p.z, 150.0 * std::sin(c.el * kDeg), 1e-6) << "the sky above faces the viewer";
    }
}

TEST(SkyProjection, TurnAndTiltKeepLengthsAndTheHemisphereRuleMarksTheGroundBelow)
{
    const SkyVector p{0.3, -0.4, std::sqrt(1 - 0.25)};
    SkyProjection moved;
    for (const double a : {-170.0, -33.0, 0.0, 90.0, 181.0}) {
        const SkyVector q = rotateAboutX(rotateAboutY(p, a), a / 2);
        EXPECT_NEAR(q.x * q.x + q.y * q.y + q.z * q.z, 1.0, 1e-12);
        // The projection's own rotation follows every new turn and tilt.
        moved.turn = a;
        moved.tilt = a / 2;
        const SkyVector t = moved.turned(p);
        EXPECT_NEAR(t.x, q.x, 1e-15);
        EXPECT_NEAR(t.y, q.y, 1e-15);
        EXPECT_NEAR(t.z, q.z, 1e-15);
    }
    SkyProjection side = projection(0.0, 0.0, 100, 50, true);
    EXPECT_NEAR(side.project({1, 0, 0}).x, 50.0, 1e-9); // unturned: X = cx - r·x
    EXPECT_TRUE(side.project(p).belowHorizon);
    EXPECT_FALSE(side.project({0, 0.1, 1}).belowHorizon);
    side.hemisphere = false;
    EXPECT_FALSE(side.project(p).belowHorizon);
}

TEST(SkyMeshes, LinesLieWhereTheirLabelsSayForAnyStep)
{
    struct Case {
        double azStep, elStep;
        std::vector<double> meridians, circles;
    };
    const Case cases[] = {
        {36, 15, {90, 54, 18, 342, 306, 270, 234, 198, 162, 126}, {90, 75, 60, 45, 30, 15, 0, -15, -30, -45, -60, -75}},
        {50, 50, {90, 40, 350, 300, 250, 200, 150}, {90, 40, -10}},
        {90, 90, {90, 0, 270, 180}, {90, 0}},
        {15, 15, {}, {}},
    };
    for (const Case& c : cases) {
        SkyMeshes m;
        m.build(10, c.azStep, c.elStep);
        EXPECT_EQ(m.meridianCount(), static_cast<int>(360 / c.azStep));
        EXPECT_EQ(m.circleCount(), static_cast<int>(180 / c.elStep));
        for (int k = 0; k < m.meridianCount(); ++k) {
            if (!c.meridians.empty()) {
                EXPECT_EQ(meridianLabel(k, m.azimuthStep), c.meridians[k]);
            }
            // The horizon crossing of the meridian lies at the labelled azimuth.
            const SkyVector h = m.meridian(k, m.points / 2 + 1);
            const double az = std::fmod(std::atan2(h.z, h.x) / kDeg + 360.0, 360.0);
            EXPECT_NEAR(std::fmod(az - meridianLabel(k, m.azimuthStep) + 540.0, 360.0) - 180.0, 0.0, 1e-6);
        }
        for (int k = 0; k < m.circleCount(); ++k) {
            if (!c.circles.empty()) {
                EXPECT_EQ(circleLabel(k, m.elevationStep), c.circles[k]);
            }
            for (int j = 0; j < m.points; ++j)
                EXPECT_NEAR(std::asin(m.circle(k, j).y) / kDeg, circleLabel(k, m.elevationStep), 1e-6);
        }
        EXPECT_EQ(m.horizon.size(), 10u);
    }
}

TEST(SkyMeshes, StepsAndPointCountsAreKeptUsable)
{
    struct Case {
        int points;
        double azStep, elStep;
        int n, meridians, circles;
    };
    const Case cases[] = {{1, 0.0, -5.0, 3, 360, 180}, {0, 1e-6, 200.0, 3, 360, 2}, {10, NAN, INFINITY, 10, 10, 12},
                          {1000000, 7.2, 45.0, 2000, 50, 4}};
    for (const Case& c : cases) {
        SkyMeshes m;
        m.build(c.points, c.azStep, c.elStep);
        EXPECT_EQ(m.points, c.n);
        EXPECT_EQ(m.meridianCount(), c.meridians);
        EXPECT_EQ(m.circleCount(), c.circles);
    }
}

class SkyGridTest : public ::testing::Test {
protected:
    SkyGridTest()
    {
        meshes.build(10, 36, 15);
        settings.hemisphere = false;
    }
    SkyMeshes meshes;
    SkySettings settings;
    SkyProjection view = projection(30.0, -30.0, 160, 150, false); // tilted: parts of the grid face away
    RecordingSink sink;
};

TEST_F(SkyGridTest, PixelsOnlyInTheBackPassAndLabelsOnlyInTheFront)
{
    drawAzimuthGrid(sink, meshes, view, settings, 0);
    drawElevationGrid(sink, meshes, view, settings, 0);
    EXPECT_GT(sink.count(Recorded::Pixel), 0);
    EXPECT_EQ(sink.count(Recorded::Text), 0);
    sink.out.clear();
    drawAzimuthGrid(sink, meshes, view, settings, 1);
    drawElevationGrid(sink, meshes, view, settings, 1);
    EXPECT_EQ(sink.count(Recorded::Pixel), 0);
    EXPECT_GT(sink.count(Recorded::Text), 0);
}

TEST_F(SkyGridTest, HemisphereRuleDrawsNothingBelowTheHorizon)
{
    view.hemisphere = true;
    view.tilt = -10.0; // almost from the side
    for (const int pass : {0, 1}) {
        drawAzimuthGrid(sink, meshes, view, settings, pass);
        drawElevationGrid(sink, meshes, view, settings, pass);
    }
    // Screen points only the ground below reaches.
    std::set<std::pair<int, int>> above, below;
    for (const auto* mesh : {&meshes.azimuth, &meshes.elevation}) {
        for (const SkyVector& p : *mesh) {
            const QPoint at = truncated(view.project(p));
            (p.y < 0.0 ? below : above).insert({at.x(), at.y()});
        }
    }
    int ends = 0, groundEnds = 0;
    for (const Recorded& r : sink.out) {
        if (r.kind == Recorded::Line || r.kind == Recorded::Pixel) {
            ++ends;
            groundEnds += below.count({r.at.x(), r.at.y()}) && !above.count({r.at.x(), r.at.y()});
        }
    }
    EXPECT_GT(ends, 0);
    EXPECT_EQ(groundEnds, 0);
}

TEST_F(SkyGridTest, LabelsNameTheLinesInOrder)
{
    const SkyProjection top; // the polar plot: every meridian's middle is on the rim
    drawAzimuthGrid(sink, meshes, top, settings, 1);
    EXPECT_EQ(sink.texts(), (std::vector<std::string>{"90", "54", "18", "342", "306", "270", "234", "198", "162", "126"}));
    sink.out.clear();
    settings.flat = true;
    drawElevationGrid(sink, meshes, top, settings, 1);
    EXPECT_EQ(sink.texts(), (std::vector<std::string>{"90", "75", "60", "45", "30", "15", "0"}));
}

TEST_F(SkyGridTest, CompassNamesAndRing)
{
    drawCompass(sink, meshes, view, settings);
    EXPECT_EQ(sink.texts(), (std::vector<std::string>{"N", "NE", "E", "SE", "S", "SW", "  W", "NW"}));
    EXPECT_EQ(sink.count(Recorded::Line), 10);
    sink.out.clear();
    settings.compassLines = false;
    drawCompass(sink, meshes, view, settings);
    EXPECT_EQ(sink.count(Recorded::Line), 0);
    EXPECT_EQ(sink.count(Recorded::Text), 8);
    sink.out.clear();
    settings.drawCompass = false;
    settings.compassLines = true;
    drawCompass(sink, meshes, view, settings);
    EXPECT_TRUE(sink.out.empty());
}

TEST_F(SkyGridTest, FigureGroundFirstFromAboveLastFromBelowNeverFlat)
{
    drawMan(sink, view, settings);
    ASSERT_FALSE(sink.out.empty());
    EXPECT_EQ(sink.out.front().kind, Recorded::Polygon);
    sink.out.clear();
    view.tilt = 30.0;
    drawMan(sink, view, settings);
    EXPECT_EQ(sink.out.back().kind, Recorded::Polygon);
    sink.out.clear();
    settings.flat = true;
    drawMan(sink, view, settings);
    EXPECT_TRUE(sink.out.empty());
}

} // namespace
