// The default World Data Bank data: GMT's text read into ranked lines, cut at the date line,
// sorted into continents, and a real conversion read back by the segment reader.
#include "tools/wdbconvert/GshhgLines.h"
#include "tests/support/Prerequisite.h"
#include "views2d/WDBSegmentFile.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sstream>

using namespace kiv;
using namespace kiv::gshhg;

TEST(GshhgLevels, MapToKindsAndRanks)
{
    struct Case {
        Feature feature;
        int level, kind, rank;
    };
    const Case cases[] = {
        {Feature::Shore, 1, wdb::Cil, 4}, {Feature::Shore, 2, wdb::Cil, 4}, {Feature::Shore, 3, wdb::Cil, 4},
        {Feature::Shore, 4, wdb::Cil, 4}, {Feature::Shore, 5, wdb::Cil, 0}, {Feature::Border, 1, wdb::Bdy, 1},
        {Feature::Border, 2, wdb::Pby, 1}, {Feature::Border, 3, wdb::Bdy, 3}, {Feature::Border, 4, wdb::Bdy, 0},
        {Feature::River, 0, wdb::Riv, 5},  {Feature::River, 1, wdb::Riv, 1},  {Feature::River, 5, wdb::Riv, 6},
        {Feature::River, 8, wdb::Riv, 10}, {Feature::River, 10, wdb::Riv, 13}, {Feature::River, 11, wdb::Riv, 0},
    };
    for (const Case& c : cases) {
        const auto [kind, rank] = kindAndRank(c.feature, c.level);
        EXPECT_EQ(rank, c.rank) << c.level;
        if (rank) {
            EXPECT_EQ(kind, c.kind) << c.level;
        }
    }
    // GSHHG's river levels land one to one on the eleven river layers.
    std::vector<int> layers;
    for (int level = 0; level <= 10; ++level)
        layers.push_back(wdb::layerOf(wdb::Riv, kindAndRank(Feature::River, level).second));
    EXPECT_EQ(layers, (std::vector<int>{20, 16, 17, 18, 19, 21, 22, 23, 24, 25, 26}));
}

TEST(GshhgAreas, ShoresTakeTheRankOfTheLargestAreaThatHoldsThem)
{
    const auto line = [](std::int32_t x) {
        Line l;
        l.kind = wdb::Cil;
        l.rank = kMinorShoreRank;
        l.points = {{x, 0}, {x, 3600}};
        return l;
    };
    // Line x is in the extractions of the x smallest areas (10, 100, 1000 km²): line 3 is a
    // polygon of at least 1000 km², line 0 one of less than 10 km².
    std::vector<std::vector<Line>> larger(3);
    for (std::int32_t x = 1; x <= 3; ++x)
        for (std::size_t i = 0; i < static_cast<std::size_t>(x); ++i)
            larger[3 - i - 1].push_back(line(x));
    std::vector<Line> shores{line(0), line(1), line(2), line(3), line(3)};
    shores[4].points.push_back({3, 7200}); // another line through the same points so far
    gradeByArea(shores, larger);
    std::vector<int> ranks;
    for (const Line& l : shores)
        ranks.push_back(l.rank);
    EXPECT_EQ(ranks, (std::vector<int>{4, 3, 2, 1, 4}));
    // The grades land on the coast layers "Coastline and major lakes" .. "Minor islands and lakes".
    std::vector<int> layers;
    for (int rank = 1; rank <= kMinorShoreRank; ++rank)
        layers.push_back(wdb::layerOf(wdb::Cil, rank));
    EXPECT_EQ(layers, (std::vector<int>{4, 5, 6, 7}));
}

TEST(GshhgText, LinesAreCutAtTheDateLineAndUnrankedLevelsDropped)
{
    std::istringstream text("> River Bin # 1, Level 1\n"
                            "170\t10\n"
                            "179.5\t10.5\n"
                            "181\t11\n"   // -179: the line is cut here
                            "182\t11.5\n"
                            "> River Bin # 2, Level 12\n"
                            "10\t10\n"
                            "11\t11\n"
                            "> River Bin # 3, Level 3\n"
                            "5 5\n"       // a single point is no line
                            "> River Bin # 4, Level 0\n"
                            "nonsense\n"
                            "350 -20\n"
                            "351 -21\n");
    const std::vector<Line> lines = readLines(text, Feature::River);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rank, 1);
    ASSERT_EQ(lines[0].points.size(), 2u);
    EXPECT_EQ(lines[0].points[1].x, 179 * 3600 + 1800);
    EXPECT_EQ(lines[1].points[0].x, -179 * 3600);
    EXPECT_EQ(lines[1].points[1].y, 11 * 3600 + 1800);
    EXPECT_EQ(lines[2].rank, 5);
    EXPECT_EQ(lines[2].points[0].x, -10 * 3600);
    EXPECT_EQ(lines[2].points[0].y, -20 * 3600);
}

TEST(GshhgContinents, BoxRule)
{
    struct Case {
        double lon, lat;
        int continent;
    };
    const Case cases[] = {{13.4, 52.5, 1}, {-74, 40.7, 2}, {-58, -34, 3}, {-80, 9, 3},  {31, 30, 0},
                          {46, 24, 4},     {139, 35, 4},   {151, -33, 4}, {0, -75, 3},  {-45, 70, 2}};
    for (const Case& c : cases) {
        Line line;
        line.points.push_back({static_cast<std::int32_t>(c.lon * 3600), static_cast<std::int32_t>(c.lat * 3600)});
        EXPECT_EQ(continentOf(line), c.continent) << c.lon << "," << c.lat;
    }
}

namespace {

class Counter : public wdb::Sink {
public:
    void setLayer(int layer) override { ++layers[layer]; }
    void moveTo(wdb::Scale::Pixel) override {}
    void lineTo(wdb::Scale::Pixel) override { ++lines; }
    std::array<int, wdb::kLayerFlags> layers{};
    int lines = 0;
};

} // namespace

TEST(GshhgConversion, RealDataReadsBackThroughTheReader)
{
    if (QStandardPaths::findExecutable(QStringLiteral("gmt")).isEmpty())
        KIV_MISSING_PREREQUISITE() << "gmt (with gmt-gshhg-low) converts the default map data";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QProcess run;
    run.start(QStringLiteral(KIV_MAKE_WDB_DATA), {QStringLiteral(KIV_WDBCONVERT), dir.path(), QStringLiteral("c")});
    ASSERT_TRUE(run.waitForFinished(120000));
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();

    // Europe at 800 x 400 for 30°W..60°E, 75..30°N: coastlines, borders and rivers all show.
    wdb::Selection all;
    all.continents.fill(true);
    all.kinds.fill(true);
    all.layers.fill(true);
    Counter sink;
    const wdb::Scale scale(800, 400, 30, -60, 75, 30);
    const std::string root = dir.path().toStdString() + "/";
    const wdb::PassResult r = wdb::drawWorldDataBase(
        [&](int c, int k) { return root + std::string(wdb::kContinentNames[c]) + "." + std::string(wdb::kKindNames[k]); },
        all, scale, sink);
    EXPECT_EQ(r.status, wdb::FileStatus::Ok);
    EXPECT_TRUE(r.seen[1]);  // europe
    EXPECT_TRUE(r.seen[0]);  // north Africa
    EXPECT_FALSE(r.seen[3]); // no South America there
    EXPECT_GT(sink.layers[4], 100); // coastline segments
    EXPECT_GT(sink.layers[1], 10);  // national borders
    EXPECT_GT(sink.layers[16], 0);  // major rivers
    EXPECT_GT(sink.lines, 1000);

    // The Great Lakes with the default layers: the coast layer 4 alone draws them.
    wdb::Selection coast;
    coast.continents.fill(true);
    coast.kinds[wdb::Cil] = true;
    coast.layers[4] = true;
    Counter lakes;
    wdb::drawWorldDataBase(
        [&](int c, int k) { return root + std::string(wdb::kContinentNames[c]) + "." + std::string(wdb::kKindNames[k]); },
        coast, wdb::Scale(800, 400, 93, 75, 50, 40), lakes);
    EXPECT_GT(lakes.lines, 50);
}
