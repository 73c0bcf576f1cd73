// Opening, closing, toggling and arranging the views.
#include "tests/app/ShellFixture.h"
#include "resources/CommandIds.h"
#include "views2d/CKivView.h"
#include "views2d/CWDBView.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QScrollBar>

#include <map>

using namespace kiv;
using namespace kiv::test;

namespace {
const char* kOnlyGlobe = "[Allgemein]\nSatellitenfilename=sats.tle\nShow3D=TRUE\nShow2D=FALSE\nShowWDB=FALSE\nShowObs=FALSE\n";

// Zooms the 2D map into a second World Data Bank view of 90 degrees of longitude by 81 of
// latitude: 800 x 720 pixels at the desktop's width. Nothing when the view did not open.
CWDBView* zoomedWorldDataBankView(CKivDoc& doc)
{
    auto* map = dynamic_cast<CKivView*>(doc.Views.map());
    if (!map)
        return nullptr;
    const QSize s = map->size();
    map->ZoomToWDB(QRect(s.width() / 4, s.height() / 10, s.width() / 4, s.height() * 81 / 180));
    return doc.Views.wdbCount() == 2 ? dynamic_cast<CWDBView*>(doc.Views.wdb(2)) : nullptr;
}
} // namespace

TEST_F(ShellTest, TogglesSetAndClearFlagsAndPointersTogether)
{
    start(kOnlyGlobe);
    EXPECT_TRUE(doc().Show3D && doc().Views.world());
    run(kCmdView2D);
    EXPECT_TRUE(doc().Show2D && doc().Views.map());
    run(kCmdViewObs);
    EXPECT_TRUE(doc().ShowObs && doc().Views.obs());
    run(kCmdViewWdb);
    EXPECT_TRUE(doc().ShowWDB && doc().Views.wdbCount() == 1);
    EXPECT_EQ(frame().ChildFrames().size(), 4u);

    run(kCmdView2D);
    EXPECT_FALSE(doc().Show2D || doc().Views.map());
    run(kCmdView3D);
    EXPECT_FALSE(doc().Show3D || doc().Views.world());
    run(kCmdViewObs);
    EXPECT_FALSE(doc().ShowObs || doc().Views.obs());
    EXPECT_EQ(frame().ChildFrames().size(), 1u);
}

TEST_F(ShellTest, AClosedFrameLeavesTheDocumentAtOnce)
{
    start();
    for (CChildFrame* child : std::vector<CChildFrame*>(frame().ChildFrames()))
        child->close();
    EXPECT_EQ(doc().Views.world(), nullptr);
    EXPECT_EQ(doc().Views.map(), nullptr);
    EXPECT_EQ(doc().Views.obs(), nullptr);
    EXPECT_EQ(doc().Views.wdbCount(), 0);
    EXPECT_FALSE(doc().Show3D || doc().Show2D || doc().ShowObs || doc().ShowWDB);
    EXPECT_EQ(frame().CurrentMenuId(), 107);
    doc().AnimationStep(); // nothing dangles
}

TEST_F(ShellTest, AtMostNineWDBViewsAndTheToggleClosesThemAll)
{
    start(kOnlyGlobe);
    for (int i = 0; i < 10; ++i)
        doc().AddWDBView(false);
    EXPECT_EQ(doc().Views.wdbCount(), 9);
    EXPECT_EQ(frame().ChildFrames().size(), 10u);
    run(kCmdViewWdb);
    EXPECT_EQ(doc().Views.wdbCount(), 0);
    EXPECT_EQ(doc().ShowWDB, 0);
    EXPECT_TRUE(doc().WDBMapBitmap.isNull());
    EXPECT_EQ(frame().ChildFrames().size(), 1u);
}

TEST_F(ShellTest, OnlyTheFirstWDBViewIsPlaced)
{
    start();
    doc().AddWDBView(false);
    doc().AddWDBView(false);
    ASSERT_EQ(doc().Views.wdbCount(), 3);
    const QRect second(300, 300, 200, 100);
    frame().PlaceViewFrame(ViewKind::WDB, 2, second);
    frame().PlaceViewFrame(ViewKind::WDB, 1, QRect(500, 500, 50, 50));
    run(kCmdArrange);
    EXPECT_EQ(frame().ViewFrameGeometry(ViewKind::WDB, 2), second);
    EXPECT_NE(frame().ViewFrameGeometry(ViewKind::WDB, 1), QRect(500, 500, 50, 50));
}

TEST_F(ShellTest, NewWDBViewsOpenOneTitleBarBelowAndRightOfTheLastOne)
{
    start();
    doc().AddWDBView(false);
    auto* map = dynamic_cast<CKivView*>(doc().Views.map());
    ASSERT_NE(map, nullptr);
    map->ZoomToWDB(QRect(10, 10, 100, 50));
    ASSERT_EQ(doc().Views.wdbCount(), 3);
    const QSize extras = frame().ViewFrameExtras();
    const QPoint step(extras.height() - extras.width() / 2, extras.height() - extras.width() / 2);
    for (int slot = 2; slot <= 3; ++slot)
        EXPECT_EQ(frame().ViewFrameGeometry(ViewKind::WDB, slot)->topLeft(),
                  frame().ViewFrameGeometry(ViewKind::WDB, slot - 1)->topLeft() + step)
            << slot;
}

TEST_F(ShellTest, WholeWorldMapSizeIsClamped)
{
    start("[Allgemein]\nSatellitenfilename=sats.tle\n[WorldDataBase]\nXExtension=0\n");
    auto* view = dynamic_cast<CWDBView*>(doc().Views.wdb(1));
    ASSERT_NE(view, nullptr);
    const int w = frame().DesktopWidth() * 50 / 100; // below 10 counts as 50
    EXPECT_EQ(view->MapSize(), QSize(w - 4, w / 2 - 4));
}

TEST_F(ShellTest, AutoArrangeOffMovesButNeverShrinksTheMainWindow)
{
    start("[Allgemein]\nSatellitenfilename=sats.tle\nAutoArrangeWindows=FALSE\nShow2D=FALSE\nShowWDB=FALSE\nShowObs=FALSE\n");
    frame().resize(900, 700);
    const QSize before = frame().size();
    run(kCmdView2D);
    run(kCmdViewObs);
    EXPECT_EQ(frame().size(), before);
    const int s = frame().DesktopWidth() * 50 / 200;
    EXPECT_EQ(frame().ViewFrameGeometry(ViewKind::Obs)->size(), QSize(s, s) + frame().ViewFrameExtras());
}

TEST_F(ShellTest, MissingMapFilesFallBackToTheStandardTexture)
{
    start();
    EXPECT_EQ(doc().EarthMapBitmap.size(), QSize(512, 256));
    EXPECT_EQ(doc().EarthMapWidth, 512);
    EXPECT_EQ(doc().WDBMapHeight, 256);

    QImage weather(300, 150, QImage::Format_RGB32);
    weather.fill(Qt::white);
    doc().SetBackgroundBitmap(0, weather);
    EXPECT_EQ(doc().EarthMapChanged, 1);
    EXPECT_EQ(doc().EarthMapWidth, 300);
    doc().SetBackgroundBitmap(2, weather);
    EXPECT_EQ(doc().WDBMapChanged, 1);
    EXPECT_EQ(doc().WDBMapHeight, 150);
}

TEST_F(ShellTest, FrameExtrasAreWhatASubWindowAddsToItsView)
{
    start("[Allgemein]\nSatellitenfilename=sats.tle\nShow3D=FALSE\nShowWDB=FALSE\nShowObs=FALSE\n");
    frame().show(); // no globe: the offscreen platform has no GL
    const QSize fromStyle = frame().ViewFrameExtras();
    CChildFrame* child = frame().ChildFrames().front();
    QCoreApplication::processEvents();
    EXPECT_EQ(child->size() - child->widget()->size(), fromStyle);
    frame().hide();
}

TEST_F(ShellTest, CascadeKeepsUsableFramesOneTitleBarApart)
{
    // Four views without the globe: the offscreen platform has no GL.
    start("[Allgemein]\nSatellitenfilename=sats.tle\nShow3D=FALSE\nShow2D=TRUE\nShowWDB=TRUE\nShowObs=TRUE\n");
    doc().AddWDBView(false);
    frame().resize(1200, 900);
    frame().show();
    QCoreApplication::processEvents();
    ASSERT_EQ(frame().ChildFrames().size(), 4u);
    std::map<const CChildFrame*, QSize> before;
    for (const CChildFrame* c : frame().ChildFrames())
        before[c] = c->size();

    run(kCmdCascade);
    const QSize area = frame().MdiArea()->viewport()->size();
    const QSize extras = frame().ViewFrameExtras();
    const int titleBar = extras.height() - extras.width() / 2;
    ASSERT_GT(titleBar, 5);
    std::vector<QRect> rects;
    for (const QMdiSubWindow* w : frame().MdiArea()->subWindowList())
        rects.push_back(w->geometry());
    for (std::size_t i = 0; i < rects.size(); ++i) {
        SCOPED_TRACE(i);
        const QSize was = before[static_cast<const CChildFrame*>(frame().MdiArea()->subWindowList()[int(i)])];
        EXPECT_EQ(rects[i].topLeft(), QPoint(int(i) * titleBar, int(i) * titleBar));
        EXPECT_EQ(rects[i].size(), was.boundedTo(area - QSize(rects[i].left(), rects[i].top())));
        EXPECT_GE(rects[i].width(), std::min(was.width(), area.width() / 2));
        EXPECT_GE(rects[i].height(), std::min(was.height(), area.height() / 2));
    }
}

TEST_F(ShellTest, AZoomedWorldDataBankViewOpensWhollyInsideWithScrollBars)
{
    start(kNoGlobe);
    doc().XExtension = 100;
    frame().setGeometry(0, 0, 760, 640);
    frame().show();
    QCoreApplication::processEvents();
    const QSize area = frame().AreaSize();
    CWDBView* zoomed = zoomedWorldDataBankView(doc());
    ASSERT_NE(zoomed, nullptr);
    QCoreApplication::processEvents();
    EXPECT_EQ(zoomed->MapSize().width(), 800);
    EXPECT_NEAR(zoomed->MapSize().height(), 720, 10);
    ASSERT_TRUE(area.width() < 800 && area.height() < 720) << "the area must be smaller than the picture";
    const QRect placed = *frame().ViewFrameGeometry(ViewKind::WDB, 2);
    EXPECT_TRUE(QRect(QPoint(0, 0), area).contains(placed))
        << placed.x() << "," << placed.y() << " " << placed.width() << "x" << placed.height();
    const QList<QScrollBar*> bars = zoomed->findChildren<QScrollBar*>();
    ASSERT_EQ(bars.size(), 2);
    for (const QScrollBar* bar : bars) {
        EXPECT_TRUE(bar->isVisible()) << (bar->orientation() == Qt::Horizontal ? "horizontal" : "vertical");
        EXPECT_GT(bar->maximum(), 0);
    }
    frame().hide();
}

// As found: the frame of an 800 x 720 picture cascaded to y = 463 of an area 856 pixels high,
// which it fits, goes up just enough to lie wholly inside, at its full size.
TEST_F(ShellTest, AZoomedWorldDataBankFrameCascadedLowGoesUpIntoTheArea)
{
    start(kNoGlobe);
    doc().XExtension = 100;
    frame().setGeometry(0, 0, 1400, 1000);
    frame().show();
    QCoreApplication::processEvents();
    frame().resize(frame().size() + QSize(1300, 856) - frame().AreaSize());
    QCoreApplication::processEvents();
    ASSERT_EQ(frame().AreaSize(), QSize(1300, 856));
    const QSize extras = frame().ViewFrameExtras();
    const int step = extras.height() - extras.width() / 2;
    frame().PlaceViewFrame(ViewKind::WDB, 1, QRect(100 - step, 463 - step, 400, 300));
    CWDBView* zoomed = zoomedWorldDataBankView(doc());
    ASSERT_NE(zoomed, nullptr);
    QCoreApplication::processEvents();
    ASSERT_EQ(zoomed->MapSize().width(), 800);
    ASSERT_NEAR(zoomed->MapSize().height(), 720, 10);
    const QRect placed = *frame().ViewFrameGeometry(ViewKind::WDB, 2);
    EXPECT_EQ(placed.topLeft(), QPoint(100, 856 - placed.height()));
    EXPECT_GE(placed.width(), 800 + extras.width());
    EXPECT_GE(placed.height(), zoomed->MapSize().height() + extras.height());
    for (const QScrollBar* bar : zoomed->findChildren<QScrollBar*>())
        EXPECT_FALSE(bar->isVisible()) << "the whole picture shows";
    frame().hide();
}

// Closing a view whose drag is still held (the button-up never comes) ends the drag as the
// button-up would: the clock runs again and the pointer is free.
TEST_F(ShellTest, AViewClosedDuringADragEndsIt)
{
    start(kNoGlobe);
    frame().show();
    frame().AllowTicks();
    doc().EnableAnimationTimer(true);
    doc().TimeFactor = 86400;
    QCoreApplication::processEvents();
    const auto mouse = [](QWidget* view, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        QMouseEvent e(type, QPointF(at), view->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(view, &e);
    };
    const auto drag = [&](QWidget* view) {
        mouse(view, QEvent::MouseButtonPress, {60, 60}, Qt::LeftButton, Qt::LeftButton);
        mouse(view, QEvent::MouseMove, {80, 70}, Qt::NoButton, Qt::LeftButton);
        EXPECT_EQ(QWidget::mouseGrabber(), view);
    };

    // The sky view pauses the clock while it drags the observer.
    auto* sky = dynamic_cast<QWidget*>(doc().Views.obs());
    ASSERT_NE(sky, nullptr);
    drag(sky);
    EXPECT_EQ(doc().TimeFactor, 0);
    frame().CloseViewFrame(ViewKind::Obs);
    EXPECT_EQ(doc().TimeFactor, 86400);
    EXPECT_EQ(doc().HeldRedraws, 0);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    // The 2D map's zoom box and the World Data Bank view's pan hold the timer.
    auto* map = dynamic_cast<CKivView*>(doc().Views.map());
    ASSERT_NE(map, nullptr);
    map->Commands().find(kCmdZoom)->run(kCmdZoom);
    drag(map);
    EXPECT_FALSE(frame().TimerRunning());
    frame().CloseViewFrame(ViewKind::Map);
    EXPECT_TRUE(frame().TimerRunning());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(doc().Views.wdbCount(), 1) << "a dropped zoom box opens nothing";

    auto* wdb = dynamic_cast<CWDBView*>(doc().Views.wdb(1));
    ASSERT_NE(wdb, nullptr);
    drag(wdb);
    EXPECT_FALSE(frame().TimerRunning());
    frame().CloseViewFrame(ViewKind::WDB);
    EXPECT_TRUE(frame().TimerRunning());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(doc().TimeFactor, 86400);
    frame().hide();
}
