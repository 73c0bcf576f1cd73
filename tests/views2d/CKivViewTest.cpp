// The 2D map's window in an MDI area: registration with the document, the picture at the
// window's size, fitting the frame on a double click, the mouse (title, zoom box, globe
// steering) and the commands.
#include "tests/support/DocumentFixture.h"
#include "resources/CommandIds.h"
#include "views2d/CKivView.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QApplication>
#include <QMouseEvent>

#include <algorithm>
#include <cstdio>
#include <deque>

using namespace kiv;
using namespace kiv::test;

namespace {

class CKivViewTest : public DocumentTest {
protected:
    // A 2D view in a frame of a 1200 x 800 MDI area, for a map of the given size.
    CKivView& open(QSize mapSize)
    {
        CKivDoc& doc = makeDocument();
        doc.EarthMapBitmap = QImage(mapSize, QImage::Format_RGB32);
        doc.EarthMapBitmap.fill(Qt::white);
        doc.EarthMapWidth = mapSize.width();
        doc.EarthMapHeight = mapSize.height();
        area_.resize(1200, 800);
        area_.show();
        view_ = new CKivView(doc);
        frame_ = area_.addSubWindow(view_);
        frame_->resize(400, 300);
        frame_->show();
        return *view_;
    }
    void doubleClick()
    {
        QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(10, 10), view_->mapToGlobal(QPointF(10, 10)), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view_, &click);
    }

    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent e(type, QPointF(at), view_->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(view_, &e);
    }
    void press(QPoint at, Qt::MouseButton b = Qt::LeftButton) { mouse(QEvent::MouseButtonPress, at, b, b); }
    void moveTo(QPoint at, Qt::MouseButtons held = Qt::LeftButton) { mouse(QEvent::MouseMove, at, Qt::NoButton, held); }
    void release(QPoint at, Qt::MouseButton b = Qt::LeftButton) { mouse(QEvent::MouseButtonRelease, at, b, Qt::NoButton); }
    void run(int id) { view_->Commands().find(id)->run(id); }
    CommandUi ui(int id)
    {
        CommandUi u;
        if (const CommandMap::Entry* e = view_->Commands().find(id); e && e->update)
            e->update(id, u);
        return u;
    }
    // A 720 x 360 map view (the picture follows the view's size).
    CKivView& openSized()
    {
        CKivView& view = open({720, 360});
        view.resize(720, 360);
        return view;
    }

    QMdiArea area_;
    CKivView* view_ = nullptr;
    QMdiSubWindow* frame_ = nullptr;
};

// Opens World Data Bank views as recording fakes; the desktop is 1920 pixels wide.
class FakeShell final : public ShellPort {
public:
    explicit FakeShell(CKivDoc& doc) : doc_(doc) {}
    ~FakeShell() override
    {
        for (FakeViews& v : wdb)
            doc_.Views.remove(static_cast<WDBViewPort*>(&v));
    }
    void OpenViewFrame(ViewKind kind) override
    {
        if (kind == ViewKind::WDB && doc_.Views.add(static_cast<WDBViewPort*>(&wdb.emplace_back())) == 0)
            wdb.pop_back();
    }
    void CloseViewFrame(ViewKind, int) override {}
    void SetViewMenu() override {}
    int DesktopWidth() const override { return 1920; }
    QSize ViewFrameExtras() const override { return {}; }
    std::optional<QRect> ViewFrameGeometry(ViewKind, int) const override { return std::nullopt; }
    void PlaceViewFrame(ViewKind, int, const QRect&) override {}
    QRect ViewFrameTitleLabel(ViewKind, int, QSize) const override { return {}; }
    void PlaceMainWindow(const QPoint&, std::optional<QSize>) override {}
    void RebuildSatelliteButtons() override {}
    void SyncSatelliteButtons() override {}
    void PlaceSpeedSlider() override {}

    std::deque<FakeViews> wdb;

private:
    CKivDoc& doc_;
};

TEST_F(CKivViewTest, RegistersAndLeavesTheDocument)
{
    CKivView& view = open({1024, 512});
    EXPECT_EQ(doc_->Views.map(), &view);
    doc_->Show2D = 1;
    view.Unregister();
    EXPECT_EQ(doc_->Views.map(), nullptr);
    EXPECT_EQ(doc_->Show2D, 0);
}

TEST_F(CKivViewTest, PictureFollowsTheWindowsSize)
{
    CKivView& view = open({1024, 512});
    doc_->Show2D = 1;
    doc_->AnimationStep();
    EXPECT_EQ(view.Map().image().size(), view.size());
    frame_->resize(640, 480);
    EXPECT_EQ(view.Map().image().size(), view.size());
    EXPECT_EQ(view.BaseSize(), QSize(1024, 512));
}

TEST_F(CKivViewTest, DoubleClickCentresAFittingFrameAndRestoresAMaximisedOne)
{
    open({1024, 512});
    frame_->showMaximized();
    doubleClick();
    EXPECT_FALSE(frame_->isMaximized());
    EXPECT_EQ(frame_->pos(), QPoint((1200 - 1024) / 2, (800 - 512) / 2));
    // The whole picture shows.
    EXPECT_GE(view_->width(), 1024);
    EXPECT_GE(view_->height(), 512);
}

TEST_F(CKivViewTest, DoubleClickPutsATooLargeFrameAtTheCornerAtFullHeight)
{
    open({2048, 1024});
    frame_->showMaximized();
    doubleClick();
    EXPECT_TRUE(frame_->isMaximized());
    frame_->showNormal();
    doubleClick();
    EXPECT_EQ(frame_->pos(), QPoint(0, 0));
    EXPECT_EQ(frame_->height(), 800);
}

TEST_F(CKivViewTest, TitleShowsThePlaceUnderThePointer)
{
    openSized();
    moveTo({360, 180}, Qt::NoButton);
    EXPECT_EQ(frame_->windowTitle(), QString::fromUtf8("lat = 0.00° N/ lon = 0.00° W :: x = 360 y = 180"));
    moveTo({540, 270}, Qt::NoButton);
    EXPECT_EQ(frame_->windowTitle(), QString::fromUtf8("lat = 45.00° S/ lon = 90.00° E :: x = 540 y = 270"));
}

TEST_F(CKivViewTest, ZoomBoxOpensAWorldDataBankViewOfTheRegionWithTheClockStopped)
{
    CKivView& view = openSized();
    FakeShell shell(*doc_);
    doc_->Shell = &shell;
    doc_->XExtension = 50;
    doc_->EnableAnimationTimer(true);
    ASSERT_TRUE(DocumentTest::frame_.timerOn);
    run(kCmdZoom);
    EXPECT_EQ(ui(kCmdZoom).checked, true);
    press({540, 180});
    EXPECT_FALSE(DocumentTest::frame_.timerOn);
    moveTo({360, 90});
    EXPECT_EQ(frame_->windowTitle(),
              QString::fromUtf8("lat1 = 0.00° N/ lon1 = 90.00° E ::lat2 = 45.00° N/ lon2 = 0.00° W"));
    release({360, 90});
    EXPECT_TRUE(DocumentTest::frame_.timerOn);
    EXPECT_FALSE(view.Mouse().zoomMode()); // one shot
    ASSERT_EQ(shell.wdb.size(), 1u);
    EXPECT_EQ(shell.wdb[0].region, QRectF(0.0, 45.0, -90.0, -45.0));
    EXPECT_EQ(shell.wdb[0].regionSize, QSize(960, 480));
    doc_->Shell = nullptr;
}

TEST_F(CKivViewTest, ZoomBoxIsFramedInRedHatchingWhileDragged)
{
    openSized();
    run(kCmdZoom);
    press({100, 100});
    moveTo({200, 150});
    const QImage shown = view_->grab().toImage();
    int red = 0;
    for (int x = 100; x <= 200; ++x)
        red += shown.pixel(x, 100) == qRgb(255, 0, 0) ? 1 : 0;
    EXPECT_GT(red, 10);
    EXPECT_LT(red, 90); // hatched, not solid
    EXPECT_NE(shown.pixel(150, 125), qRgb(255, 0, 0));
    release({200, 150});
    EXPECT_NE(view_->grab().toImage().pixel(100, 100), qRgb(255, 0, 0));
}

TEST_F(CKivViewTest, ZoomBoxDraggedPastTheMapsEdgesTakesTheMapUpToItsEdges)
{
    // The pointer may leave the map by the confinement margin; the region stops at the world's edges.
    const struct {
        QPoint from, to;
        QRectF region; // left, top, right - left, bottom - top (longitudes west positive)
    } cases[] = {
        {{360, 180}, {722, 362}, QRectF(0.0, 0.0, -180.0, -90.0)},
        {{360, 180}, {-2, -2}, QRectF(180.0, 90.0, -180.0, -90.0)},
        {{0, 0}, {722, 362}, QRectF(180.0, 90.0, -360.0, -180.0)},
    };
    openSized();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.to.x() << "," << c.to.y());
        FakeShell shell(*doc_);
        doc_->Shell = &shell;
        doc_->XExtension = 50;
        run(kCmdZoom);
        press(c.from);
        moveTo(c.to);
        release(c.to);
        ASSERT_EQ(shell.wdb.size(), 1u);
        EXPECT_EQ(shell.wdb[0].region, c.region);
        EXPECT_EQ(shell.wdb[0].regionSize.width(), 960);
        doc_->Shell = nullptr;
    }
}

TEST_F(CKivViewTest, ZoomClickOpensNothingAndEndsTheMode)
{
    CKivView& view = openSized();
    FakeShell shell(*doc_);
    doc_->Shell = &shell;
    run(kCmdZoom);
    press({100, 100});
    moveTo({101, 102});
    release({101, 102});
    EXPECT_TRUE(shell.wdb.empty());
    EXPECT_FALSE(view.Mouse().zoomMode());
    doc_->Shell = nullptr;
}

TEST_F(CKivViewTest, WithNineViewsOpenTheNinthTakesTheRegion)
{
    openSized();
    FakeShell shell(*doc_);
    doc_->Shell = &shell;
    for (int i = 0; i < 9; ++i)
        doc_->OpenWDBView(false);
    ASSERT_EQ(doc_->Views.wdbCount(), 9);
    run(kCmdZoom);
    press({360, 90});
    moveTo({540, 180});
    release({540, 180});
    EXPECT_EQ(shell.wdb.size(), 9u);
    EXPECT_EQ(shell.wdb[8].region, QRectF(0.0, 45.0, -90.0, -45.0));
    EXPECT_TRUE(shell.wdb[7].region.isNull());
    doc_->Shell = nullptr;
}

TEST_F(CKivViewTest, LeftDragTurnsTheGlobeAndBothButtonsMoveIt)
{
    openSized();
    FakeViews& globe = attachFakeViews({ViewKind::World});
    doc_->MouseMove.Qualitaet = 3;
    press({540, 270});
    EXPECT_EQ(globe.quality.Qualitaet, 3);
    EXPECT_EQ(globe.lookAtDistance, 70.0);
    // Stored crossed, as the go-to commands store a place.
    EXPECT_FLOAT_EQ(doc_->ActualLatitude, -90.0f);
    EXPECT_FLOAT_EQ(doc_->ActualLongitude, -45.0f);
    moveTo({360, 180});
    EXPECT_FLOAT_EQ(doc_->ActualLatitude, 0.0f);
    press({360, 180}, Qt::RightButton);
    moveTo({360, 170}, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(globe.projectionZ, 10.0);
    EXPECT_FLOAT_EQ(doc_->ActualLongitude, 0.0f); // moving nearer looks nowhere else
    release({360, 170});
    EXPECT_EQ(globe.quality, doc_->Normal);
}

TEST_F(CKivViewTest, WithoutTheGlobeAClickDoesNothing)
{
    openSized();
    FakeViews& globe = attachFakeViews({ViewKind::World});
    doc_->Show3D = 0; // the globe's window is closing
    press({540, 270});
    moveTo({100, 100});
    release({100, 100});
    EXPECT_TRUE(globe.calls.empty());
    EXPECT_FLOAT_EQ(doc_->ActualLatitude, 0.0f);
}

TEST_F(CKivViewTest, TogglesAndTheirMarks)
{
    openSized();
    CKivDoc& doc = *doc_;
    const struct {
        int id;
        int* flag;
    } toggles[] = {
        {kCmdName, &doc.SatelliteName2D}, {kCmdPosition, &doc.SatellitePos2D}, {kCmdFootprints, &doc.Footprint2D},
        {kCmdMoon, &doc.DrawMoon2D},      {kCmdSun, &doc.DrawSun2D},           {kCmdFootprintColored, &doc.Footprint2DColored},
    };
    for (const auto& t : toggles) {
        const int before = *t.flag;
        run(t.id);
        EXPECT_EQ(*t.flag, !before) << t.id;
        EXPECT_EQ(ui(t.id).checked, *t.flag != 0) << t.id;
    }
}

TEST_F(CKivViewTest, ShadowAndTextureExcludeEachOther)
{
    openSized();
    doc_->DrawDayNightLine2D = 0;
    doc_->DayNight2D = 0;
    run(kCmdMapTexture);
    EXPECT_EQ(doc_->DayNight2D, 1);
    run(kCmdShadow);
    EXPECT_EQ(doc_->DrawDayNightLine2D, 1);
    EXPECT_EQ(doc_->DayNight2D, 0);
    run(kCmdMapTexture);
    EXPECT_EQ(doc_->DrawDayNightLine2D, 0);
    run(kCmdMapTexture);
    EXPECT_EQ(doc_->DayNight2D, 0);
    EXPECT_EQ(doc_->DrawDayNightLine2D, 0); // both off
}

TEST_F(CKivViewTest, FootprintStylesOnlyWithFootprints)
{
    openSized();
    for (const auto& [id, style] : {std::pair{kCmdFootprintLine, 1}, std::pair{kCmdFootprintArea, 2}, std::pair{kCmdFootprintChecked, 3}}) {
        doc_->Footprint2D = 0;
        EXPECT_FALSE(ui(id).enabled);
        doc_->Footprint2D = 1;
        EXPECT_TRUE(ui(id).enabled);
        run(id);
        EXPECT_EQ(doc_->FootprintStyle, style);
        EXPECT_EQ(ui(id).checked, true);
    }
    doc_->Footprint2D = 0;
    EXPECT_FALSE(ui(kCmdFootprintColored).enabled);
}

TEST_F(CKivViewTest, NamesRelayTheLabels)
{
    CKivView& view = openSized();
    doc_->SatelliteCount = 1;
    std::snprintf(doc_->Satellites[0].name, sizeof doc_->Satellites[0].name, "ISS");
    doc_->SatelliteName2D = 0;
    doc_->SatellitePos2D = 0;
    run(kCmdName);
    const LabelMetrics m{view.Map().glyphs().lineHeight(), view.Map().glyphs().averageCharWidth()};
    EXPECT_EQ(view.Map().labelRect(0), labelRect(3, {true, false}, m));
    run(kCmdPosition);
    EXPECT_EQ(view.Map().labelRect(0), labelRect(3, {true, true}, m));
}

TEST_F(CKivViewTest, StationaryTruthTable)
{
    openSized();
    const struct {
        int followIn3D, show3D;
        int followActive, cameraPos;
    } cases[] = {
        {1, 1, 1, 2}, // the globe follows: only the WDB views stop
        {0, 1, 0, 0},
        {0, 0, 0, 2}, // no globe: its camera stays
    };
    for (const auto& c : cases) {
        doc_->FollowInWDB = 1;
        doc_->FollowIn3D = c.followIn3D;
        doc_->Show3D = c.show3D;
        doc_->FollowActive = 1;
        doc_->CameraPos = 2;
        EXPECT_EQ(ui(kCmdStationary).checked, false);
        run(kCmdStationary);
        EXPECT_EQ(doc_->FollowInWDB, 0);
        EXPECT_EQ(doc_->FollowActive, c.followActive);
        EXPECT_EQ(doc_->CameraPos, c.cameraPos);
        EXPECT_EQ(ui(kCmdStationary).checked, true);
    }
}

TEST_F(CKivViewTest, RouteOnRebuildsTheTracksOnce)
{
    openSized();
    // The reset rebuilds the globe's orbits with the tracks.
    FakeViews& globe = attachFakeViews({ViewKind::World});
    doc_->ShowCourse2D = 0;
    run(kCmdRoute);
    EXPECT_EQ(doc_->ShowCourse2D, 1);
    EXPECT_EQ(globe.count("ResetOrbitState"), 1);
    run(kCmdRoute);
    EXPECT_EQ(doc_->ShowCourse2D, 0);
    EXPECT_EQ(globe.count("ResetOrbitState"), 1);
}

} // namespace
