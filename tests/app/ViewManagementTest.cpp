// Opening, closing, toggling and arranging the views.
#include "tests/app/ShellFixture.h"
#include "resources/CommandIds.h"
#include "views2d/CWDBView.h"

#include <QCoreApplication>

using namespace kiv;
using namespace kiv::test;

namespace {
const char* kOnlyGlobe = "[Allgemein]\nSatellitenfilename=sats.tle\nShow3D=TRUE\nShow2D=FALSE\nShowWDB=FALSE\nShowObs=FALSE\n";
}

TEST_F(ShellTest, TogglesSetAndClearFlagsAndPointersTogether)
{
    start(kOnlyGlobe);
    EXPECT_TRUE(doc().Show3D && doc().WorldView);
    run(kCmdView2D);
    EXPECT_TRUE(doc().Show2D && doc().MapView);
    run(kCmdViewObs);
    EXPECT_TRUE(doc().ShowObs && doc().ObsView);
    run(kCmdViewWdb);
    EXPECT_TRUE(doc().ShowWDB && doc().WDBViewCount == 1);
    EXPECT_EQ(frame().ChildFrames().size(), 4u);

    run(kCmdView2D);
    EXPECT_FALSE(doc().Show2D || doc().MapView);
    run(kCmdView3D);
    EXPECT_FALSE(doc().Show3D || doc().WorldView);
    run(kCmdViewObs);
    EXPECT_FALSE(doc().ShowObs || doc().ObsView);
    EXPECT_EQ(frame().ChildFrames().size(), 1u);
}

TEST_F(ShellTest, AClosedFrameLeavesTheDocumentAtOnce)
{
    start();
    for (CChildFrame* child : std::vector<CChildFrame*>(frame().ChildFrames()))
        child->close();
    EXPECT_EQ(doc().WorldView, nullptr);
    EXPECT_EQ(doc().MapView, nullptr);
    EXPECT_EQ(doc().ObsView, nullptr);
    EXPECT_EQ(doc().WDBViewCount, 0);
    EXPECT_FALSE(doc().Show3D || doc().Show2D || doc().ShowObs || doc().ShowWDB);
    EXPECT_EQ(frame().CurrentMenuId(), 107);
    doc().AnimationStep(); // nothing dangles
}

TEST_F(ShellTest, AtMostNineWDBViewsAndTheToggleClosesThemAll)
{
    start(kOnlyGlobe);
    for (int i = 0; i < 10; ++i)
        doc().AddWDBView(false);
    EXPECT_EQ(doc().WDBViewCount, 9);
    EXPECT_EQ(frame().ChildFrames().size(), 10u);
    run(kCmdViewWdb);
    EXPECT_EQ(doc().WDBViewCount, 0);
    EXPECT_EQ(doc().ShowWDB, 0);
    EXPECT_TRUE(doc().WDBMapBitmap.isNull());
    EXPECT_EQ(frame().ChildFrames().size(), 1u);
}

TEST_F(ShellTest, OnlyTheFirstWDBViewIsPlaced)
{
    start();
    doc().AddWDBView(false);
    doc().AddWDBView(false);
    ASSERT_EQ(doc().WDBViewCount, 3);
    const QRect second(300, 300, 200, 100);
    frame().PlaceViewFrame(ViewKind::WDB, 2, second);
    frame().PlaceViewFrame(ViewKind::WDB, 1, QRect(500, 500, 50, 50));
    run(kCmdArrange);
    EXPECT_EQ(frame().ViewFrameGeometry(ViewKind::WDB, 2), second);
    EXPECT_NE(frame().ViewFrameGeometry(ViewKind::WDB, 1), QRect(500, 500, 50, 50));
}

TEST_F(ShellTest, WholeWorldMapSizeIsClamped)
{
    start("[Allgemein]\nSatellitenfilename=sats.tle\n[WorldDataBase]\nXExtension=0\n");
    auto* view = dynamic_cast<CWDBView*>(doc().WDBViews[1]);
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
