// World Data Bank segment files: stroke codec, rank table, scale, and the reader on crafted and
// hostile files through a recording sink.
#include "tests/support/Deadline.h"
#include "views2d/WDBSegmentFile.h"
#include "views2d/WDBSegmentWriter.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cstring>
#include <string>
#include <vector>

#include <sys/stat.h>

using namespace kiv::wdb;

namespace {

struct Op {
    char what; // 'L' layer, 'M' move, 'D' draw
    int a, b;
    bool operator==(const Op&) const = default;
    friend void PrintTo(const Op& op, std::ostream* os) { *os << op.what << "(" << op.a << "," << op.b << ")"; }
};

class Recorder : public Sink {
public:
    void setLayer(int layer) override { ops.push_back({'L', layer, 0}); }
    void moveTo(Scale::Pixel p) override { ops.push_back({'M', p.x, p.y}); }
    void lineTo(Scale::Pixel p) override { ops.push_back({'D', p.x, p.y}); }
    int count(char what) const
    {
        int n = 0;
        for (const Op& op : ops)
            n += op.what == what;
        return n;
    }
    std::vector<Op> ops;
};

constexpr std::int32_t kDeg = 3600;

std::array<bool, kLayerFlags> allLayers()
{
    std::array<bool, kLayerFlags> layers{};
    layers.fill(true);
    return layers;
}

std::vector<ArcPoint> degrees(std::initializer_list<std::pair<double, double>> lonLat)
{
    std::vector<ArcPoint> out;
    for (auto [lon, lat] : lonLat)
        out.push_back({static_cast<std::int32_t>(lon * kDeg), static_cast<std::int32_t>(lat * kDeg)});
    return out;
}

FileStatus draw(const std::vector<std::uint8_t>& bytes, Recorder& rec, int kind = Cil, const Scale& scale = Scale(800, 400, 180, -180, 90, -90),
                std::array<bool, kLayerFlags> layers = allLayers())
{
    MemorySource source(bytes);
    bool seen = false;
    return drawSegmentFile(source, kind, layers, scale, rec, seen);
}

void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint16_t v)
{
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

// A file of one coastline segment (rank 1) from (0,0) by one short stroke, for patching.
std::vector<std::uint8_t> oneSegment()
{
    WDBSegmentWriter w;
    w.add(1, degrees({{0, 0}, {0.01, 0.01}}));
    return w.bytes();
}
std::size_t dictOf(const std::vector<std::uint8_t>& b) { return b[4] | b[5] << 8 | b[6] << 16 | static_cast<std::size_t>(b[7]) << 24; }

} // namespace

TEST(WDBStrokes, DecodeTable)
{
    struct Case {
        std::vector<std::uint16_t> words;
        int used;
        Stroke stroke;
    };
    const Case cases[] = {
        {{0x4105}, 1, {1, 5}},
        {{0xFFFB}, 1, {-1, -5}},
        {{0x40FB}, 1, {0, -5}},
        {{0x7F7F}, 1, {63, 127}},
        {{0xC080}, 1, {-64, -128}},
        {{0x0000, 0x9C40, 0x0000, 0x0000}, 4, {40000, 0}},
        {{0xBFFF, 0xFF9C, 0x0000, 0x0064}, 4, {-100, 100}},
    };
    for (const Case& c : cases) {
        Stroke s;
        EXPECT_EQ(decodeStroke(c.words, 0, s), c.used) << std::hex << c.words[0];
        EXPECT_EQ(s, c.stroke) << std::hex << c.words[0];
    }
    // A long stroke cut off by the end of the words is not decoded; nor is anything past it.
    const std::vector<std::uint16_t> cut{0x0000, 0x9C40, 0x0000};
    Stroke s;
    EXPECT_EQ(decodeStroke(cut, 0, s), 0);
    EXPECT_EQ(decodeStroke(cut, 3, s), 0);
}

TEST(WDBStrokes, EncoderMatchesKnownWordsAndRoundTrips)
{
    std::vector<std::uint16_t> w;
    encodeStroke(1, 5, w);
    encodeStroke(0, -5, w);
    encodeStroke(-1, -5, w);
    encodeStroke(-100, 0, w);
    EXPECT_EQ(w, (std::vector<std::uint16_t>{0x4105, 0x40FB, 0xFFFB, 0xBFFF, 0xFF9C, 0x0000, 0x0000}));

    const std::int32_t values[] = {0, 1, -1, 63, 64, -64, -65, 127, 128, -128, -129, 40000, -40000, 32767, -32768, 65536,
                                   (1 << 29), -(1 << 29), (1 << 30) - 1, -(1 << 30) + 1};
    for (std::int32_t dx : values)
        for (std::int32_t dy : values) {
            std::vector<std::uint16_t> words;
            encodeStroke(dx, dy, words);
            Stroke s;
            ASSERT_EQ(decodeStroke(words, 0, s), static_cast<int>(words.size())) << dx << "," << dy;
            EXPECT_EQ(s, (Stroke{dx, dy})) << dx << "," << dy;
        }
}

TEST(WDBRankTable, EveryLayerHasOneCellAndRanksOutsideTheTableHaveNone)
{
    for (int layer = 1; layer <= 28; ++layer) {
        int cells = 0;
        for (int kind = 0; kind < 4; ++kind)
            for (int rank = 0; rank <= 15; ++rank)
                cells += layerOf(kind, rank) == layer;
        EXPECT_EQ(cells, 1) << layer;
        bool found = false;
        for (int rank = 1; rank <= 15; ++rank)
            found = found || layerOf(kindOfLayer(layer), rank) == layer;
        EXPECT_TRUE(found) << layer;
    }
    for (int kind = 0; kind < 4; ++kind)
        for (const int rank : {0, -1, 16, 32767})
            EXPECT_EQ(layerOf(kind, rank), 0) << kind << "/" << rank;
    EXPECT_EQ(layerOf(4, 1), 0);
    EXPECT_EQ(layerOf(-1, 1), 0);
}

TEST(WDBScale, WorldAndExtent)
{
    const Scale world(800, 400, 180, -180, 90, -90);
    EXPECT_EQ(world.toPixel(0, 0), (Scale::Pixel{400, 200}));
    EXPECT_EQ(world.toPixel(45 * kDeg, 45 * kDeg), (Scale::Pixel{500, 100}));
    const Scale::Pixel west = world.toPixel(-180 * kDeg, 0);
    EXPECT_EQ(west.x, 0);
    EXPECT_FALSE(world.inside(west));
    EXPECT_TRUE(world.inside(world.toPixel(180 * kDeg, -90 * kDeg + 1)));

    // 20°W..40°E, 60..30°N at 600 x 300: 10°E 50°N lands at (300, 100) within a pixel.
    const Scale part(600, 300, 20, -40, 60, 30);
    const Scale::Pixel p = part.toPixel(10 * kDeg, 50 * kDeg);
    EXPECT_NEAR(p.x, 300, 1);
    EXPECT_NEAR(p.y, 100, 1);

    // Positions past a turn fold back; far-off positions do not overflow.
    EXPECT_EQ(world.toPixel((45 + 720) * kDeg, 0).x, 500);
    EXPECT_FALSE(world.inside(world.toPixel(std::int64_t{1} << 50, std::int64_t{1} << 50)));
    EXPECT_FALSE(Scale(800, 400, 10, 10, 90, -90).valid);
}

TEST(WDBReader, SquareCoastlineAtKnownPixels)
{
    WDBSegmentWriter w;
    w.add(1, degrees({{-10, 10}, {10, 10}, {10, -10}, {-10, -10}, {-10, 10}}));
    Recorder rec;
    ASSERT_EQ(draw(w.bytes(), rec), FileStatus::Ok);
    // World at 720 x 360: two pixels per degree.
    const std::vector<Op> want{{'L', 4, 0}, {'M', 340, 160}, {'D', 380, 160}, {'D', 380, 200}, {'D', 340, 200}, {'D', 340, 160}};
    EXPECT_EQ(rec.ops.size(), 6u);
    Recorder rec720;
    ASSERT_EQ(draw(w.bytes(), rec720, Cil, Scale(720, 360, 180, -180, 90, -90)), FileStatus::Ok);
    EXPECT_EQ(rec720.ops, want);
}

TEST(WDBReader, LeavingAndReenteringBreaksTheLine)
{
    // The view shows 20°W..20°E; the line runs out to 30°E and back.
    WDBSegmentWriter w;
    w.add(1, degrees({{0, 0}, {10, 0}, {30, 0}, {10, 5}, {0, 5}}));
    Recorder rec;
    ASSERT_EQ(draw(w.bytes(), rec, Cil, Scale(400, 200, 20, -20, 10, -10)), FileStatus::Ok);
    const std::vector<Op> want{{'L', 4, 0}, {'M', 200, 100}, {'D', 300, 100}, {'M', 500, 100},
                               {'M', 300, 50},  {'D', 300, 50},  {'D', 200, 50}};
    EXPECT_EQ(rec.ops, want);
}

TEST(WDBReader, EachSegmentStartsWithThePenDecidedByItsOrigin)
{
    // First segment ends outside; the second starts inside and draws its first stroke. A third
    // starts outside after an inside end and only moves to its first inside point.
    WDBSegmentWriter w;
    w.add(1, degrees({{0, 0}, {30, 0}}));
    w.add(1, degrees({{0, 5}, {10, 5}}));
    w.add(1, degrees({{30, -5}, {10, -5}, {0, -5}}));
    Recorder rec;
    ASSERT_EQ(draw(w.bytes(), rec, Cil, Scale(400, 200, 20, -20, 10, -10)), FileStatus::Ok);
    const std::vector<Op> want{{'L', 4, 0}, {'M', 200, 100}, {'M', 500, 100},                    // first
                               {'L', 4, 0}, {'M', 200, 50},  {'D', 300, 50},                     // second
                               {'L', 4, 0}, {'M', 500, 150}, {'M', 300, 150}, {'D', 300, 150}, {'D', 200, 150}};
    EXPECT_EQ(rec.ops, want);
}

TEST(WDBReader, LayerAndRankFilters)
{
    WDBSegmentWriter w;
    w.add(1, degrees({{0, 0}, {1, 1}}));   // cil layer 4
    w.add(6, degrees({{0, 0}, {2, 2}}));   // cil layer 8
    w.add(5, degrees({{0, 0}, {3, 3}}));   // cil rank 5: no layer
    w.add(16, degrees({{0, 0}, {4, 4}}));  // rank out of range
    std::array<bool, kLayerFlags> layers{};
    layers[8] = true;
    Recorder rec;
    ASSERT_EQ(draw(w.bytes(), rec, Cil, Scale(800, 400, 180, -180, 90, -90), layers), FileStatus::Ok);
    EXPECT_EQ(rec.ops.front(), (Op{'L', 8, 0}));
    EXPECT_EQ(rec.count('L'), 1);
    Recorder all;
    ASSERT_EQ(draw(w.bytes(), all), FileStatus::Ok);
    EXPECT_EQ(all.count('L'), 2);
    Recorder asRivers;
    ASSERT_EQ(draw(w.bytes(), asRivers, Riv), FileStatus::Ok);
    EXPECT_EQ(asRivers.count('L'), 4 - 1); // riv ranks 1, 6, 5 map; 16 does not
}

TEST(WDBReader, HostileFiles)
{
    struct Case {
        const char* name;
        void (*patch)(std::vector<std::uint8_t>&);
        FileStatus status;
    };
    const Case cases[] = {
        {"bad magic", [](auto& b) { b[0] = 0; }, FileStatus::BadMagic},
        {"shorter than a header", [](auto& b) { b.resize(20); }, FileStatus::BadMagic},
        {"dictionary past the end", [](auto& b) { put32(b, 4, static_cast<std::uint32_t>(b.size())); }, FileStatus::ShortDictionary},
        {"dictionary size huge", [](auto& b) { put32(b, 12, 0xFFFFFFFF); }, FileStatus::ShortDictionary},
        {"count beyond the dictionary", [](auto& b) { put32(b, 8, 2); }, FileStatus::ShortDictionary},
        {"count huge", [](auto& b) { put32(b, 8, 0xFFFFFFFF); }, FileStatus::ShortDictionary},
        {"segment larger than the largest", [](auto& b) { put32(b, 16, 0); }, FileStatus::SegmentTooLarge},
        {"negative byte count", [](auto& b) { put16(b, dictOf(b) + 24, 0xFFFF); put32(b, 16, 0xFFFFFFFF); }, FileStatus::Corrupt},
        {"segment past the end", [](auto& b) { put32(b, dictOf(b) + 20, 0xFFFFFFF0); }, FileStatus::Corrupt},
        {"more strokes than bytes", [](auto& b) { put16(b, 40 + 12, 500); }, FileStatus::Corrupt},
        {"negative stroke count", [](auto& b) { put16(b, 40 + 12, 0xFFFF); }, FileStatus::Ok},
        {"rank -1", [](auto& b) { put16(b, dictOf(b) + 26, 0xFFFF); }, FileStatus::Ok},
        {"largest 0xFFFFFFFF", [](auto& b) { put32(b, 16, 0xFFFFFFFF); }, FileStatus::Ok},
    };
    for (const Case& c : cases) {
        std::vector<std::uint8_t> bytes = oneSegment();
        c.patch(bytes);
        Recorder rec;
        EXPECT_EQ(draw(bytes, rec), c.status) << c.name;
        for (const bool english : {true, false})
            EXPECT_EQ(statusMessage(c.status, english).empty(), c.status == FileStatus::Ok) << c.name;
    }
}

TEST(WDBReader, PassOverFilesSkipsMissingStopsOnBadOnesAndMarksSeen)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string root = dir.path().toStdString() + "/";
    auto path = [&](int c, int k) { return root + std::string(kContinentNames[c]) + "." + std::string(kKindNames[k]); };

    WDBSegmentWriter inside;
    inside.add(1, degrees({{0, 0}, {1, 1}}));
    WDBSegmentWriter outside;
    outside.add(1, degrees({{100, 0}, {101, 1}}));
    ASSERT_TRUE(inside.save(path(0, Cil)));  // africa: drawn inside the view
    ASSERT_TRUE(outside.save(path(2, Cil))); // namer: read, nothing inside
    ASSERT_TRUE(inside.save(path(4, Riv)));  // asia rivers: kind not selected
    ASSERT_EQ(::mkfifo(path(3, Cil).c_str(), 0644), 0); // samer: passed over unread, as if missing
    const kiv::test::Deadline deadline;

    Selection sel;
    sel.continents.fill(true);
    sel.kinds[Cil] = true;
    sel.layers = allLayers();
    const Scale view(400, 200, 20, -20, 10, -10);
    Recorder rec;
    int files = 0;
    PassResult r = drawWorldDataBase(path, sel, view, rec, [&] { ++files; });
    EXPECT_EQ(r.status, FileStatus::Ok);
    EXPECT_EQ(files, 2);
    EXPECT_EQ(r.seen, (std::array<bool, kContinents>{true, false, false, false, false}));

    // A file of the wrong kind of data stops the pass: the later files are not read.
    FILE* f = std::fopen(path(1, Cil).c_str(), "wb");
    ASSERT_TRUE(f);
    std::fputs("not a segment file, but long enough for a header of forty bytes", f);
    std::fclose(f);
    files = 0;
    r = drawWorldDataBase(path, sel, view, rec, [&] { ++files; });
    EXPECT_EQ(r.status, FileStatus::BadMagic);
    EXPECT_EQ(r.file, path(1, Cil));
    EXPECT_EQ(files, 2);
}

TEST(WDBWriter, LongLinesContinueInTheNextSegment)
{
    std::vector<ArcPoint> line;
    for (int i = 0; i < 9000; ++i)
        line.push_back({i * 100000 % 648000, (i % 7) * 50000 - 200000}); // long strokes throughout
    WDBSegmentWriter w;
    w.add(3, line);
    w.add(3, {{1, 1}}); // a single point is no line
    EXPECT_EQ(w.segmentCount(), 3);
    Recorder rec;
    ASSERT_EQ(draw(w.bytes(), rec, Riv), FileStatus::Ok);
    EXPECT_EQ(rec.count('L'), 3);
    // Every segment's byte count fits an i16.
    const std::vector<std::uint8_t> b = w.bytes();
    for (int n = 0; n < 3; ++n)
        EXPECT_LE(b[dictOf(b) + 28 * n + 24] | b[dictOf(b) + 28 * n + 25] << 8, 32767);
}
