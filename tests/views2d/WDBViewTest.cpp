// The World Data Bank view: its arithmetic on the extent, the picture (background, vector
// layers in two passes, grid, towns), and the widget's zoom box, panning and commands.
#include "resources/CommandIds.h"
#include "tests/support/Deadline.h"
#include "tests/support/DocumentFixture.h"
#include "tests/support/FolderTree.h"
#include "tests/support/TleWriter.h"
#include "views2d/CWDBView.h"
#include "views2d/WDBGeometry.h"
#include "views2d/WDBMap.h"
#include "views2d/WDBSegmentWriter.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

using namespace kiv;
using namespace kiv::test;
using namespace kiv::wdbview;

namespace {

WDBViewState extent(double left, double right, double top, double bottom, int w = 720, int h = 360)
{
    WDBViewState s;
    s.left = left;
    s.right = right;
    s.top = top;
    s.bottom = bottom;
    s.width = w;
    s.height = h;
    return s;
}

} // namespace

TEST(WDBGeometry, CentringKeepsTheExtentInsideTheWorld)
{
    struct Case {
        double lat, lon, left, right, top, bottom;
    };
    const Case cases[] = {
        {0, 170, 180, 120, 30, -30},    {10, -170, -120, -180, 40, -20}, {85, 0, 30, -30, 90, 30},
        {-89, 0, 30, -30, -30, -90},    {0, 200, -120, -180, 30, -30}, // 200° west is 160° east
    };
    for (const Case& c : cases) {
        WDBViewState s = extent(30, -30, 30, -30);
        centerOn(s, c.lat, c.lon);
        EXPECT_DOUBLE_EQ(s.left, c.left) << c.lat << "," << c.lon;
        EXPECT_DOUBLE_EQ(s.right, c.right) << c.lat << "," << c.lon;
        EXPECT_DOUBLE_EQ(s.top, c.top) << c.lat << "," << c.lon;
        EXPECT_DOUBLE_EQ(s.bottom, c.bottom) << c.lat << "," << c.lon;
    }
}

TEST(WDBGeometry, Pixels)
{
    const WDBViewState world = extent(180, -180, 90, -90);
    EXPECT_EQ(xOf(world, 0), 360);
    EXPECT_EQ(xOf(world, 270), 180); // 90° west
    EXPECT_EQ(yOf(world, 45), 90);
    const WDBViewState part = extent(0, -90, 45, 0, 960, 480);
    EXPECT_EQ(sourceRect(extentOf(part), {2048, 1024}), QRect(QPoint(1024, 256), QPoint(1535, 511)));
}

TEST(WDBGeometry, PanStopsAtTheWorldsEdgesAndScalesByTheExtent)
{
    WDBViewState s = extent(180, -180, 90, -90);
    EXPECT_FALSE(pan(s, {10, 10})); // the whole world cannot move
    s = extent(20, -20, 10, -10, 400, 200); // 0.1° per pixel
    ASSERT_TRUE(pan(s, {100, -50}));
    EXPECT_DOUBLE_EQ(s.left, 10);
    EXPECT_DOUBLE_EQ(s.right, -30);
    EXPECT_DOUBLE_EQ(s.top, 15);
    EXPECT_DOUBLE_EQ(s.bottom, -5);
    s = extent(175, 135, 10, -10, 400, 200);
    ASSERT_TRUE(pan(s, {-60, 0}) == false); // left would reach 181
    EXPECT_DOUBLE_EQ(s.left, 175);
}

TEST(WDBGeometry, BothButtonZoomNeverCollapses)
{
    WDBViewState s = extent(20, -20, 10, -10, 400, 200);
    for (int i = 0; i < 200; ++i)
        dragZoom(s, {-50, -50}, false);
    EXPECT_GE(s.left - s.right, MapExtent::kMinSpan);
    EXPECT_GE(s.top - s.bottom, MapExtent::kMinSpan);
    EXPECT_TRUE(isValid(s));
    s = extent(20, -20, 10, -10, 400, 200);
    for (int i = 0; i < 200; ++i)
        dragZoom(s, {0, 30}, true);
    EXPECT_GT(s.left - s.right, kMinAspectSpan);
    EXPECT_NEAR((s.top - s.bottom) / (s.left - s.right), 0.5, 1e-9); // aspect kept
}

TEST(WDBGeometry, ZoomBoxStaysInsideTheWorld)
{
    const WDBViewState world = extent(180, -180, 90, -90);
    const WDBViewState z = zoomBox(world, QRect(360, 90, 180, 90), 960);
    EXPECT_DOUBLE_EQ(z.left, 0);
    EXPECT_DOUBLE_EQ(z.right, -90);
    EXPECT_DOUBLE_EQ(z.top, 45);
    EXPECT_DOUBLE_EQ(z.bottom, 0);
    EXPECT_EQ(z.width, 960);
    EXPECT_EQ(z.height, 480);
    // A tall thin box keeps its aspect within the picture limit.
    const WDBViewState thin = zoomBox(world, QRect(100, 0, 3, 359), 1000);
    EXPECT_TRUE(isValid(thin));
    // Deep down at the world's corner, a box of a few pixels still spans kMinSpan, inside.
    const WDBViewState corner = extent(180.0, 179.995, 90.0, 89.995, 800, 800);
    for (const QRect& box : {QRect(0, 0, 4, 4), QRect(796, 796, 4, 4)}) {
        const WDBViewState deeper = zoomBox(corner, box, 800);
        EXPECT_TRUE(isValid(deeper)) << deeper.left << " " << deeper.right << " " << deeper.top << " " << deeper.bottom;
    }
}

TEST(WDBGeometry, GridStepAndLines)
{
    EXPECT_DOUBLE_EQ(gridStep(extent(180, -180, 90, -90), false, 10), 36);
    EXPECT_DOUBLE_EQ(gridStep(extent(5.7, 0, 5, 0), false, 10), 0.5);
    EXPECT_GT(gridStep(extent(0.5, 0, 0.5, 0), false, 10), 0.0);
    EXPECT_DOUBLE_EQ(gridStep(extent(0.5, 0, 0.5, 0), false, 10), 0.05);
    EXPECT_DOUBLE_EQ(gridStep(extent(180, -180, 90, -90), true, 15), 15);
    EXPECT_GE(gridStep(extent(180, -180, 90, -90), true, 0), 1e-3);
    EXPECT_GE(gridStep(extent(180, -180, 90, -90), true, -5), 1e-3);

    std::vector<GridLine> meridians, parallels;
    gridLines(extent(180, -180, 90, -90), 36, meridians, parallels);
    ASSERT_GE(meridians.size(), 9u);
    EXPECT_EQ(meridians[0], (GridLine{72, "144.00\xB0W"}));
    EXPECT_EQ(meridians[5].at, 432);
    EXPECT_EQ(meridians[5].label, "36.00\xB0" "E");
    EXPECT_EQ(parallels[0], (GridLine{72, "54.00\xB0N"}));
    // A step far too fine for the span draws nothing rather than millions of lines.
    gridLines(extent(180, -180, 90, -90), 1e-3, meridians, parallels);
    EXPECT_TRUE(meridians.empty());
}

namespace {

// A grid label's value, west or north positive: "86.00\xB0E" gives -86.
double labelValue(const std::string& label)
{
    const double value = std::stod(label.substr(0, label.find('\xB0')));
    return label.back() == 'W' || label.back() == 'N' ? value : -value;
}

// Every label names a line of the step inside [low, high] (a pixel's degrees of slack), and
// every such line well inside has its label.
void expectLabelsOfLinesInside(const std::vector<GridLine>& lines, double origin, double step, double low, double high,
                               double pixel, const char* axis)
{
    for (const GridLine& l : lines) {
        const double v = labelValue(l.label);
        EXPECT_GE(v, low - pixel) << axis << " " << l.label;
        EXPECT_LE(v, high + pixel) << axis << " " << l.label;
    }
    for (long k = 0; k * step <= 2 * origin; ++k) {
        const double v = origin - k * step;
        if (v <= low + pixel || v >= high - pixel)
            continue;
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const GridLine& l) { return std::abs(labelValue(l.label) - v) < 0.006; }))
            << axis << " " << v;
    }
}

} // namespace

TEST(WDBGeometry, EveryGridLabelNamesALineOnThePicture)
{
    const struct {
        WDBViewState view;
        bool staticGrid;
        double distance;
    } cases[] = {
        {extent(-85.05, -109.8, 1.35, -9.0, 800, 334), false, 10}, // 85.05° E to 109.80° E, 1.35° N to 9° S
        {extent(-100, -130, 3.35, -16.65, 600, 400), false, 10},    // ending at 16.65° S
        {extent(10, -20, 50, 45, 600, 100), true, 7.6},             // 44.40° N just below
        {extent(180, -180, 90, -90, 720, 360), false, 10},
        {extent(180, -180, 90, -90, 720, 360), true, 15},
        {extent(2.5, -2.2, 51.3, 48.1, 470, 320), false, 10},
    };
    std::vector<GridLine> meridians, parallels;
    for (const auto& c : cases) {
        const WDBViewState& s = c.view;
        const double step = gridStep(s, c.staticGrid, c.distance);
        gridLines(s, step, meridians, parallels);
        expectLabelsOfLinesInside(meridians, 180.0, step, s.right, s.left, lonSpan(s) / s.width, "meridian");
        expectLabelsOfLinesInside(parallels, 90.0, step, s.bottom, s.top, latSpan(s) / s.height, "parallel");
    }
}

TEST(WDBGeometry, TownThreshold)
{
    EXPECT_EQ(townThreshold(extent(180, -180, 90, -90)), 5990000);
    EXPECT_EQ(townThreshold(extent(30, -30, 90, -90)), 990000);
    EXPECT_EQ(townThreshold(extent(3, -3, 90, -90)), 90000);
}

TEST(WDBMapLayers, FromMasks)
{
    const auto layers = WDBMap::layersFromMasks(0b101, 1 << 11, 1 << 10, 0b10);
    std::vector<int> on;
    for (int i = 0; i < wdb::kLayerFlags; ++i)
        if (layers[i])
            on.push_back(i);
    EXPECT_EQ(on, (std::vector<int>{1, 3, 15, 26, 28}));
}

TEST(WDBColorFile, RoundTripAndShortFiles)
{
    WDBColorTable table;
    for (int i = 0; i < kWDBColorRecords; ++i) {
        table.colors[i] = 0x02000000u | static_cast<COLORREF>(i * 0x010203);
        table.widths[i] = i == 7 ? -3 : i;
    }
    const QByteArray bytes = wdbColorBytes(table);
    ASSERT_EQ(bytes.size(), 264);
    WDBColorTable back = defaultWDBColors();
    EXPECT_EQ(readWDBColors(std::string_view(bytes.constData(), 264), back), 33);
    EXPECT_EQ(back, table);
    EXPECT_EQ(wdbColorBytes(back), bytes);

    // 100 bytes: records 0..11 and colour 12; width 12 and the rest keep their values.
    WDBColorTable part = defaultWDBColors();
    EXPECT_EQ(readWDBColors(std::string_view(bytes.constData(), 100), part), 12);
    EXPECT_EQ(part.colors[12], table.colors[12]);
    EXPECT_EQ(part.widths[12], defaultWDBColors().widths[12]);
    EXPECT_EQ(part.colors[13], defaultWDBColors().colors[13]);
    // 102 bytes: the half width is not taken.
    part = defaultWDBColors();
    readWDBColors(std::string_view(bytes.constData(), 102), part);
    EXPECT_EQ(part.widths[12], defaultWDBColors().widths[12]);
    // Nothing: colour 0 becomes 0, the rest stays.
    part = defaultWDBColors();
    EXPECT_EQ(readWDBColors({}, part), 0);
    EXPECT_EQ(part.colors[0], 0u);
    EXPECT_EQ(part.colors[1], defaultWDBColors().colors[1]);
    // The view reads 32 records: record 32 stays.
    part = defaultWDBColors();
    EXPECT_EQ(readWDBColors(std::string_view(bytes.constData(), 264), part, 32), 32);
    EXPECT_EQ(part.colors[32], defaultWDBColors().colors[32]);
    QTemporaryDir dir;
    ASSERT_TRUE(makeFolderTree(dir.path(), {{"wdb.col", "fifo"}}));
    const Deadline deadline;
    EXPECT_EQ(loadWDBColorFile(dir.filePath(QStringLiteral("wdb.col")), part), std::nullopt) << "as if missing";
    EXPECT_EQ(clampedPenWidth(-3), 0);
    EXPECT_EQ(clampedPenWidth(1000), kWDBMaxPenWidth);
}

namespace {

constexpr std::int32_t kDeg = 3600;

// A folder with a square coastline ±10° around (0, 0) in africa.cil and a river in asia.riv.
struct WDBFolder {
    WDBFolder()
    {
        wdb::WDBSegmentWriter coast;
        coast.add(1, {{-10 * kDeg, 10 * kDeg}, {10 * kDeg, 10 * kDeg}, {10 * kDeg, -10 * kDeg}, {-10 * kDeg, -10 * kDeg}, {-10 * kDeg, 10 * kDeg}});
        coast.save(path(0, wdb::Cil));
        wdb::WDBSegmentWriter river;
        river.add(1, {{100 * kDeg, 40 * kDeg}, {110 * kDeg, 40 * kDeg}});
        river.save(path(4, wdb::Riv));
    }
    std::string path(int c, int k) const
    {
        return dir.path().toStdString() + "/" + std::string(wdb::kContinentNames[c]) + "." +
               std::string(wdb::kKindNames[k]);
    }
    QTemporaryDir dir;
};

} // namespace

TEST(WDBMapPicture, SquareCoastlineAtKnownPixelsInTwoPasses)
{
    WDBFolder folder;
    WDBMap map;
    ASSERT_TRUE(map.setState(extent(180, -180, 90, -90, 720, 360)));
    WDBColorTable colors = defaultWDBColors();
    colors.colors[0] = rgb(0, 0, 255);
    colors.colors[4] = rgb(255, 0, 0);
    colors.colors[16] = rgb(0, 255, 0);
    map.setColors(colors);
    map.drawBackground(QImage(), false);
    std::vector<std::string> read;
    auto pathOf = [&](int c, int k) {
        read.push_back(folder.path(c, k));
        return folder.path(c, k);
    };
    const auto layers = WDBMap::layersFromMasks(0, 1, 1, 0); // coast 4, river 16
    const wdb::PassResult r = map.drawVectors(layers, false, pathOf);
    EXPECT_EQ(r.status, wdb::FileStatus::Ok);
    const QImage& img = map.image();
    EXPECT_EQ(img.pixel(360, 160), qRgb(255, 0, 0)); // top edge at 10°N
    EXPECT_EQ(img.pixel(380, 180), qRgb(255, 0, 0)); // right edge at 10°E
    EXPECT_EQ(img.pixel(360, 180), qRgb(0, 0, 255)); // inside: sea
    // Pass 1 reads the coast of every continent, pass 2 only the rivers of Africa, the only
    // continent pass 1 saw: Asia's river is not drawn.
    EXPECT_EQ(read.size(), 5u + 1u);
    EXPECT_EQ(read.back(), folder.path(0, wdb::Riv));
    EXPECT_EQ(img.pixel(xOf(map.state(), 105), yOf(map.state(), 40)), qRgb(0, 0, 255));

    // With every layer on, the second pass takes all layers but the first pass's (the river
    // of Africa, none there), still on Africa alone.
    read.clear();
    map.drawVectors(layers, true, pathOf);
    EXPECT_EQ(std::count(read.begin(), read.end(), folder.path(0, wdb::Bdy)), 1);
    EXPECT_EQ(std::count(read.begin(), read.end(), folder.path(4, wdb::Riv)), 0);
}

namespace {

class CWDBViewTest : public DocumentTest {
protected:
    CWDBView& open()
    {
        CKivDoc& doc = makeDocument();
        doc.WDBMapBitmap = QImage(QSize(720, 360), QImage::Format_RGB32);
        doc.WDBMapBitmap.fill(Qt::white);
        doc.WDBMapWidth = 720;
        doc.WDBMapHeight = 360;
        doc.ShowWDB = 1;
        area_.resize(1200, 900);
        area_.show();
        view_ = new CWDBView(doc);
        frame_ = area_.addSubWindow(view_);
        frame_->show();
        view_->ShowWholeWorld({720, 360});
        return *view_;
    }
    // The view's state turned to 40° × 20° around the origin in a 400 × 200 picture.
    static WDBViewState fortyByTwenty(const CWDBView& view)
    {
        WDBViewState s = view.State();
        s.left = 20;
        s.right = -20;
        s.top = 10;
        s.bottom = -10;
        s.width = 400;
        s.height = 200;
        return s;
    }
    bool run(int id)
    {
        const CommandMap::Entry* e = view_->Commands().find(id);
        if (!e)
            return false;
        e->run(id);
        return true;
    }
    CommandUi state(int id)
    {
        CommandUi ui;
        if (const CommandMap::Entry* e = view_->Commands().find(id); e && e->update)
            e->update(id, ui);
        return ui;
    }
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent e(type, QPointF(at), view_->mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(view_, &e);
    }
    QMdiArea area_;
    CWDBView* view_ = nullptr;
    QMdiSubWindow* frame_ = nullptr;
};

} // namespace

TEST_F(CWDBViewTest, ZoomBoxIsOneShotAndHoldsTheTimerWhileDragging)
{
    CWDBView& view = open();
    CKivDoc& doc = *doc_;
    ASSERT_EQ(doc.Views.wdbCount(), 1);
    ASSERT_TRUE(run(kCmdZoom));
    EXPECT_TRUE(view.ZoomMode());
    frame_->resize(800, 600);
    mouse(QEvent::MouseButtonPress, {180, 90}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(view.Dragging());
    mouse(QEvent::MouseMove, {360, 180}, Qt::NoButton, Qt::LeftButton);
    EXPECT_TRUE(frame_->windowTitle().startsWith(QStringLiteral("lat1 = ")));
    mouse(QEvent::MouseButtonRelease, {360, 180}, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(view.ZoomMode());
    EXPECT_FALSE(view.Dragging());
    const WDBViewState s = view.State();
    EXPECT_DOUBLE_EQ(s.left, 90);
    EXPECT_DOUBLE_EQ(s.right, 0);
    EXPECT_DOUBLE_EQ(s.top, 45);
    EXPECT_DOUBLE_EQ(s.bottom, 0);
    EXPECT_EQ(s.width, view.width() > 0 ? s.width : 0);
    EXPECT_EQ(s.height * 2, s.width);

    // A click without a drag in zoom mode zooms nowhere.
    run(kCmdZoom);
    mouse(QEvent::MouseButtonPress, {50, 50}, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, {51, 50}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(view.State(), s);
    EXPECT_FALSE(view.ZoomMode());
}

TEST_F(CWDBViewTest, PanningMovesTheExtentAndTheTitleFollowsThePointer)
{
    CWDBView& view = open();
    WDBViewState s = fortyByTwenty(view);
    view.SetState(s);
    mouse(QEvent::MouseMove, {0, 0}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(frame_->windowTitle(), QString::fromUtf8("lat = 10.00° N/ lon = 20.00° W :: x = 0 y = 0"));
    mouse(QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, {150, 100}, Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, {150, 100}, Qt::LeftButton, Qt::NoButton);
    EXPECT_DOUBLE_EQ(view.State().left, 15);
    EXPECT_DOUBLE_EQ(view.State().right, -25);
    EXPECT_FALSE(view.Dragging());
    // An extent without a span is refused.
    WDBViewState bad = view.State();
    bad.right = bad.left;
    view.SetState(bad);
    EXPECT_DOUBLE_EQ(view.State().right, -25);
}

TEST_F(CWDBViewTest, CommandsToggleTheDocumentsSwitches)
{
    CWDBView& view = open();
    CKivDoc& doc = *doc_;
    doc.FootprintWDB = 0;
    EXPECT_FALSE(state(kCmdFootprintArea).enabled);
    run(kCmdFootprints);
    EXPECT_EQ(doc.FootprintWDB, 1);
    run(kCmdFootprintArea);
    EXPECT_EQ(doc.FootprintStyleWDB, 2);
    const int names = doc.SatelliteNameWDB;
    run(kCmdName);
    EXPECT_EQ(doc.SatelliteNameWDB, !names);
    EXPECT_EQ(view.State().showNames, !names);
    // Leaving: the slot is given back at once.
    view.Unregister();
    EXPECT_EQ(doc.Views.wdbCount(), 0);
}

TEST_F(CWDBViewTest, ArchiveStateRoundTripsAndBadOnesAreRefused)
{
    CWDBView& view = open();
    WDBViewState s = fortyByTwenty(view);
    s.showNames = true;
    view.SetState(s);
    WDBArchiveState a = view.ArchiveState();
    EXPECT_EQ(a.sourceLeft, 320);
    EXPECT_EQ(a.sourceRight, 400);
    a.layerColors[4] = 0x02123456;
    view.ShowWholeWorld({720, 360});
    EXPECT_TRUE(view.RestoreArchiveState(a));
    EXPECT_EQ(view.State(), s);
    EXPECT_EQ(view.Map().colors().colors[4], 0x02123456u);
    // A refused region keeps the view's own; the switches and colours are taken all the same.
    a.rightLongitude = a.leftLongitude; // no span
    a.showNames = 0;
    a.showPositions = 1;
    a.layerColors[4] = 0x00654321;
    EXPECT_FALSE(view.RestoreArchiveState(a));
    s.showNames = false;
    s.showPositions = true;
    EXPECT_EQ(view.State(), s);
    EXPECT_EQ(view.Map().colors().colors[4], 0x00654321u);
}

TEST_F(CWDBViewTest, APictureLargerThanTheWindowScrollsAndTheMouseWorksInPictureCoordinates)
{
    CWDBView& view = open();
    view.ShowWholeWorld({2000, 1000});
    frame_->showNormal();
    frame_->resize(600, 400);
    QApplication::processEvents();
    QScrollBar* horizontal = nullptr;
    for (QScrollBar* bar : view.findChildren<QScrollBar*>())
        if (bar->orientation() == Qt::Horizontal)
            horizontal = bar;
    ASSERT_NE(horizontal, nullptr);
    EXPECT_TRUE(horizontal->isVisible());
    EXPECT_EQ(horizontal->maximum() + horizontal->pageStep(), 2000);
    horizontal->setValue(1000);
    mouse(QEvent::MouseMove, {0, 0}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(frame_->windowTitle(), QString::fromUtf8("lat = 90.00° N/ lon = 0.00° W :: x = 1000 y = 0"));
    // A zoom box drawn on the scrolled picture lands where the picture shows it.
    run(kCmdZoom);
    mouse(QEvent::MouseButtonPress, {0, 0}, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseMove, {100, 100}, Qt::NoButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, {100, 100}, Qt::LeftButton, Qt::NoButton);
    EXPECT_DOUBLE_EQ(view.State().left, 0);
    EXPECT_NEAR(view.State().right, -18, 1e-9);
}

TEST_F(CWDBViewTest, AWindowLargerThanThePicturePaintsTheRestAsBackground)
{
    CWDBView& view = open();
    view.ShowWholeWorld({300, 150});
    frame_->showNormal();
    frame_->resize(700, 500);
    QApplication::processEvents();
    ASSERT_GT(view.width(), 300);
    ASSERT_GT(view.height(), 150);
    const QColor stale(255, 0, 255);
    QImage shown(view.size(), QImage::Format_RGB32);
    shown.fill(stale);
    view.render(&shown);
    EXPECT_NE(shown.pixelColor(view.width() - 2, view.height() - 2), stale); // beyond both edges
    EXPECT_NE(shown.pixelColor(view.width() - 2, 10), stale);                // right of the picture
    EXPECT_NE(shown.pixelColor(10, view.height() - 2), stale);               // below it
    EXPECT_EQ(shown.pixelColor(10, 10), view.Map().image().pixelColor(10, 10));
}

namespace {

class WDBSatellitesTest : public DocumentTest {
protected:
    CKivDoc& plainDocument(int satellites = 1)
    {
        writeFile("sats.tle", lowSatellites(satellites));
        CKivDoc& doc = makeDocument("[Allgemein]\nSatellitenfilename=sats.tle\n");
        doc.ShowCourseWDB = doc.FootprintWDB = 0;
        doc.EnableTowns = doc.DrawGrid = 0;
        doc.Icons[0].icon = QImage();
        tagSATINFO& sat = doc.SatInfo[0];
        sat.shown = 1;
        sat.lat = 0.0;
        sat.lon = 0.0;
        sat.alt = 0.4;
        map.setState(extent(180, -180, 90, -90, 720, 360));
        WDBColorTable colors = defaultWDBColors();
        colors.colors[0] = rgb(0, 0, 80);
        map.setColors(colors);
        map.drawBackground(QImage(), false);
        map.keepAsBase();
        return doc;
    }
    WDBMap map;
};

} // namespace

TEST_F(WDBSatellitesTest, TrackWrapsAtTheMapsEdgesOnlyForJumpsOver200Degrees)
{
    CKivDoc& doc = plainDocument();
    doc.ShowCourseWDB = 1;
    doc.PenWidth = 1;
    doc.NrOfPoints = 3;
    tagSATINFO& sat = doc.SatInfo[0];
    sat.color[0] = rgb(200, 0, 0);
    sat.trackLat = {0, 0, 0, 0};
    sat.trackLon = {170, 190, 200, 200}; // 190 and 200 are 170° and 160° west: a wrap between 170 and 190
    map.drawSatellites(wdbScene(doc), {});
    const QImage& img = map.image();
    EXPECT_EQ(img.pixel(710, 180), qRgb(200, 0, 0)); // to the right edge
    EXPECT_EQ(img.pixel(5, 180), qRgb(200, 0, 0));   // on from the left one
    EXPECT_EQ(img.pixel(360, 180), qRgb(0, 0, 80));  // not across the middle
}

TEST_F(WDBSatellitesTest, LabelsFollowTheExtentAndTheFootprintShowsAgainATurnAway)
{
    CKivDoc& doc = plainDocument();
    // A view of 0..60° east, 0..30° north: the satellite at 30° E 15° N sits in its middle.
    map.setState(extent(0, -60, 30, 0, 600, 300));
    map.drawBackground(QImage(), false);
    map.keepAsBase();
    doc.SatInfo[0].lat = 15.0;
    doc.SatInfo[0].lon = 30.0;
    map.drawSatellites(wdbScene(doc), {true, true});
    const QImage& img = map.image();
    int white = 0; // the label box above the icon, its text aside
    for (int y = 150 - 40; y < 150 - 20; ++y)
        for (int x = 290; x < 310; ++x)
            white += img.pixel(x, y) == qRgb(255, 255, 255);
    EXPECT_GT(white, 200);
    EXPECT_EQ(img.pixel(300, 250), qRgb(0, 0, 80));

    // A footprint around 170° E in the whole world also shows at the left edge.
    map.setState(extent(180, -180, 90, -90, 720, 360));
    map.drawBackground(QImage(), false);
    map.keepAsBase();
    doc.FootprintWDB = 1;
    doc.FootprintStyleWDB = 2;
    doc.SatInfo[0].lat = 0.0;
    doc.SatInfo[0].lon = 175.0;
    doc.SatInfo[0].footprintRadius = 6.378 * std::sin(20.0 * M_PI / 180.0);
    doc.SatInfo[0].footprintDist = 6.378 * std::cos(20.0 * M_PI / 180.0) + 0.05;
    map.drawSatellites(wdbScene(doc), {});
    EXPECT_NE(map.image().pixel(5, 180), qRgb(0, 0, 80));   // the copy a turn west
    EXPECT_NE(map.image().pixel(700, 180), qRgb(0, 0, 80)); // the footprint itself
    EXPECT_EQ(map.image().pixel(360, 180), qRgb(0, 0, 80));
}

TEST_F(WDBSatellitesTest, ACapOverThePoleIsFilledToThePoleWithNoLineAcross)
{
    CKivDoc& doc = plainDocument();
    doc.FootprintWDB = 1;
    doc.FootprintStyleWDB = 2;
    doc.ColorFootprintWDB = 0; // a black outline
    doc.PenWidth = 1;
    tagSATINFO& sat = doc.SatInfo[0];
    // 34,220 km over 62.3° N, 60° E: the cap reaches 36.7° N on the far side, at 120° W.
    const double angle = std::acos(6.378 / (6.378 + 34.22));
    sat.lat = 62.3;
    sat.lon = 60.0;
    sat.footprintRadius = 6.378 * std::sin(angle);
    sat.footprintDist = 6.378 * std::cos(angle) + 0.05;
    const QRgb sea = qRgb(0, 0, 80);
    const struct {
        WDBViewState view;
        double insideLat; // a parallel wholly inside the cap
        bool edgeShown;
    } cases[] = {
        {extent(180, -180, 90, -90, 720, 360), 85, true},
        {extent(0, -120, 90, 0, 600, 450), 85, false}, // inside the cap
        {extent(180, 60, 60, -30, 480, 360), 50, true}, // the cap's part across the date line
        {extent(150, 90, 50, 30, 600, 200), 40, true},  // its far side
    };
    for (const auto& c : cases) {
        map.setState(c.view);
        map.drawBackground(QImage(), false);
        map.keepAsBase();
        map.drawSatellites(wdbScene(doc), {});
        const QImage& img = map.image();
        int longest = 0; // the longest black run of a row
        int outline = 0;
        for (int y = 0; y < img.height(); ++y) {
            int run = 0;
            for (int x = 0; x < img.width(); ++x) {
                run = img.pixel(x, y) == qRgb(0, 0, 0) ? run + 1 : 0;
                outline += run > 0;
                longest = std::max(longest, run);
            }
        }
        EXPECT_EQ(outline > 0, c.edgeShown) << c.view.left;
        EXPECT_LT(longest, img.width() / 2) << c.view.left;
        const int row = yOf(c.view, c.insideLat);
        int open = 0;
        for (int x = 0; x < img.width(); ++x)
            open += img.pixel(x, row) == sea;
        EXPECT_EQ(open, 0) << c.view.left;
    }
}

// A footprint of four points is a square standing on a corner in degrees: around 0° N 0° E with
// a radius of r, its north-east side is the line lat + lon = r. Zoomed in so far that the
// corners lie far off the picture, the side still crosses it where that line does: shaded
// below it, the sea above.
TEST_F(WDBSatellitesTest, AFootprintReachingFarOffADeeplyZoomedPictureCrossesItWhereItShould)
{
    CKivDoc& doc = plainDocument();
    doc.FootprintWDB = 1;
    doc.FootprintStyleWDB = 2;
    doc.ColorFootprintWDB = 0;
    doc.PenWidth = 1;
    doc.AccuracyX = 4;
    const QRgb sea = qRgb(0, 0, 80);
    const struct {
        double west, north, lonSpan, latSpan; // the picture's west and north edges, east and north
        int w, h;
        double radius;
    } cases[] = {
        {9.9, 10.12, 0.1, 0.1, 800, 800, 20.0},      // 8,000 pixels a degree: corners 80,000 off
        {19.996, 20.008, 0.01, 0.01, 800, 400, 40.0}, // corners 1.6 million pixels off
        {29.995, 10.01, 0.01, 0.01, 400, 800, 40.0},  // 2.4 million
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.west << " E " << c.north << " N");
        map.setState(extent(-c.west, -(c.west + c.lonSpan), c.north, c.north - c.latSpan, c.w, c.h));
        map.drawBackground(QImage(), false);
        map.keepAsBase();
        doc.SatInfo[0].footprintRadius = 6.378 * std::sin(c.radius * M_PI / 180.0);
        doc.SatInfo[0].footprintDist = 6.378 * std::cos(c.radius * M_PI / 180.0) + 0.05;
        map.drawSatellites(wdbScene(doc), {});
        const QImage& img = map.image();
        // Degrees a pixel, and how far a pixel's centre lies beyond the line, in pixels.
        const double dx = c.lonSpan / c.w, dy = c.latSpan / c.h;
        const auto beyond = [&](int x, int y) {
            return (c.west + (x + 0.5) * dx + c.north - (y + 0.5) * dy - c.radius) / std::hypot(dx, dy);
        };
        int shaded = 0, open = 0, wrong = 0;
        for (int y = 0; y < img.height(); ++y) {
            for (int x = 0; x < img.width(); ++x) {
                const double d = beyond(x, y);
                if (std::abs(d) < 2.0)
                    continue; // the outline
                const bool isSea = img.pixel(x, y) == sea;
                (d < 0 ? shaded : open) += 1;
                if (isSea != (d > 0) && ++wrong <= 3)
                    ADD_FAILURE() << "pixel " << x << ", " << y << (isSea ? " open" : " shaded");
            }
        }
        EXPECT_EQ(wrong, 0);
        EXPECT_GT(shaded, img.width() * img.height() / 10) << "the line crosses the picture";
        EXPECT_GT(open, img.width() * img.height() / 10) << "the line crosses the picture";
    }
}

TEST_F(WDBSatellitesTest, OnlySatellitesOnThePictureGetALabel)
{
    CKivDoc& doc = plainDocument();
    // 20.7° E to 88.2° E, 0 to 30° N, 675 x 300 pixels: ten pixels a degree.
    map.setState(extent(-20.7, -88.2, 30, 0, 675, 300));
    map.drawBackground(QImage(), false);
    map.keepAsBase();
    const struct {
        double lon, lat;
        bool labelled;
    } cases[] = {
        {94.68, 15.0, false}, // six degrees east of the right edge
        {88.3, 15.0, false},  // just beyond it
        {20.5, 15.0, false},  // just beyond the left edge
        {50.0, 30.3, false},  // just above the top
        {88.1, 15.0, true},   // just inside the right edge: the label moves onto the picture
        {20.8, 29.9, true},   // inside the top-left corner: the label goes below the icon
    };
    for (const auto& c : cases) {
        doc.SatInfo[0].lon = c.lon;
        doc.SatInfo[0].lat = c.lat;
        map.drawSatellites(wdbScene(doc), {true, true});
        const QImage& img = map.image();
        int white = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                white += img.pixel(x, y) == qRgb(255, 255, 255);
        EXPECT_EQ(white > 200, c.labelled) << c.lon << " " << c.lat << ": " << white;
    }
}

// Each thing the clock moves in a view, changed alone as far as a step can: the view must say its
// satellites' picture moved, or it would keep showing the picture before the change.
TEST_F(WDBSatellitesTest, EachThingTheClockMovesAloneMovesThePicture)
{
    CKivDoc& doc = plainDocument(2);
    tagSATINFO& sat = doc.SatInfo[0];
    tagSATINFO& other = doc.SatInfo[1];
    const auto setFootprint = [&](double angleDeg) {
        sat.footprintRadius = 6.378 * std::sin(angleDeg * M_PI / 180.0);
        sat.footprintDist = 6.378 * std::cos(angleDeg * M_PI / 180.0) + 0.05;
    };
    // 10° E to 20° E, 40° N to 45° N: 72 pixels a degree.
    const WDBViewState europe = extent(-10, -20, 45, 40, 720, 360);
    using Change = std::function<void()>;
    const struct {
        const char* thing;
        WDBViewState view;
        LabelContent labels;
        Change setUp, change;
    } rows[] = {
        {"a satellite's place in the view", europe, {}, [] {}, [&] { sat.lat += 0.01; }},
        // Seven pixels beyond the right edge: the left half of its icon shows.
        {"an icon partly on the picture", europe, {}, [&] { sat.lon = 20.1; }, [&] { sat.lat += 0.01; }},
        // Both icons alike: only the names tell the pictures apart.
        {"an icon leaving the picture as another takes its place", europe, {true, false},
         [&] {
             other.shown = 1;
             other.lat = 0.0;
             other.lon = 100.0;
         },
         [&] {
             std::swap(sat.lat, other.lat);
             std::swap(sat.lon, other.lon);
         }},
        {"its track's newest point", europe, {}, [&] { doc.ShowCourseWDB = 1; },
         [&] { sat.lastTrack += 1.0 / 1440.0; }},
        // 170° E to 180°, 0 to 5° N; the satellite 5° east of the date line, its footprint's copy
        // a turn east reaching 5° into the view.
        {"its footprint's copy a turn away", extent(-170, -180, 5, 0, 720, 360), {},
         [&] {
             doc.FootprintWDB = 1;
             sat.lat = 2.5;
             sat.lon = -175.0;
             setFootprint(10.0);
         },
         [&] { setFootprint(10.5); }},
        {"its label's altitude", europe, {false, true}, [] {}, [&] { sat.alt += 0.00001; }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.thing);
        doc.ShowCourseWDB = doc.FootprintWDB = 0;
        other.shown = 0;
        sat.lat = 42.5;
        sat.lon = 15.0;
        sat.alt = 0.4;
        ASSERT_TRUE(map.setState(row.view));
        map.drawBackground(QImage(), false);
        map.keepAsBase();
        row.setUp();
        map.drawSatellites(wdbScene(doc), row.labels);
        EXPECT_FALSE(map.moved(wdbScene(doc), row.labels));
        row.change();
        EXPECT_TRUE(map.moved(wdbScene(doc), row.labels));
    }
}

TEST(WDBGeometry, GridLabelsStayInsideAndLeaveOutThoseThatWouldOverlap)
{
    // Labels 40 wide, 20 before their line, in 300 pixels, 5 apart at least.
    GridLabelRun run(20, 300, 5);
    const struct {
        int line;
        std::optional<int> start;
    } cases[] = {
        {5, 0},              // would start left of the picture
        {40, std::nullopt},  // would reach into the one before
        {70, 50},            // clear of it
        {110, std::nullopt}, // would touch the one before
        {115, 95},
        {295, 260},          // would run off the right edge
    };
    for (const auto& c : cases)
        EXPECT_EQ(run.place(c.line, 40), c.start) << c.line;
    // Along a reserved stretch no label goes.
    GridLabelRun down(10, 300, 0);
    down.reserve(24);
    EXPECT_EQ(down.place(30, 14), std::nullopt);
    EXPECT_EQ(down.place(34, 14), 24);
}
