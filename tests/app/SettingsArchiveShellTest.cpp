// Settings archives with the real main frame: views closed and reopened as the file says, their
// frames back where they were, the commands enabled.
#include "tests/app/ShellFixture.h"
#include "document/FramePlacement.h"
#include "document/SettingsArchive.h"
#include "document/ViewArrangement.h"
#include "resources/CommandIds.h"
#include "views2d/CWDBView.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionTitleBar>

#include <functional>
#include <limits>
#include <map>

using namespace kiv;
using namespace kiv::test;

namespace {
const char* kOnlyMap = "[Allgemein]\nSatellitenfilename=sats.tle\nShow3D=FALSE\nShow2D=TRUE\nShowWDB=FALSE\nShowObs=FALSE\n";

constexpr std::int32_t kMinInt = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMaxInt = std::numeric_limits<std::int32_t>::max();

SettingsSnapshot parsed(const QByteArray& bytes)
{
    const auto read = settingsArchive::parse(std::string_view(bytes.constData(), bytes.size()), {});
    EXPECT_TRUE(read.snapshot) << read.errorText.english.toStdString();
    return read.snapshot.value_or(SettingsSnapshot{});
}

// Every view frame by kind and WDB slot.
std::map<std::pair<ViewKind, int>, QRect> frameGeometries(const CMainFrame& frame, int wdbViews)
{
    std::map<std::pair<ViewKind, int>, QRect> frames;
    for (const ViewKind kind : {ViewKind::World, ViewKind::Map, ViewKind::Obs})
        if (const auto r = frame.ViewFrameGeometry(kind))
            frames[{kind, 1}] = *r;
    for (int slot = 1; slot <= wdbViews; ++slot)
        if (const auto r = frame.ViewFrameGeometry(ViewKind::WDB, slot))
            frames[{ViewKind::WDB, slot}] = *r;
    return frames;
}

} // namespace

// The document's state saved, changed as a hostile or odd file would have it, written back.
class CraftedArchiveTest : public ShellTest {
protected:
    QString craft(const std::function<void(SettingsSnapshot&)>& change)
    {
        EXPECT_TRUE(doc().SaveSettingsArchive(path("saved.set")));
        SettingsSnapshot s = parsed(readFile("saved.set"));
        change(s);
        const QString crafted = path("crafted.set");
        writeFile("crafted.set", settingsArchive::write(s).toStdString());
        return crafted;
    }
};

TEST_F(ShellTest, SaveAndRestoreAreEnabledAndRunFromTheMenu)
{
    start();
    EXPECT_TRUE(menuItem(kCmdSaveSettings)->isEnabled());
    EXPECT_TRUE(menuItem(kCmdRestoreSettings)->isEnabled());
    ui_.messages.clear();
    ui_.files.queueAnswer(path("menu.set"));
    EXPECT_TRUE(run(kCmdSaveSettings));
    EXPECT_TRUE(QFile::exists(path("menu.set")));
    ui_.files.queueAnswer(path("menu.set"));
    EXPECT_TRUE(run(kCmdRestoreSettings));
    for (const QString& text : ui_.messages.texts())
        EXPECT_FALSE(text.contains("settings file")) << text.toStdString();
}

TEST_F(ShellTest, RestoreOpensExactlyTheSavedViewsWhereTheyWere)
{
    start(kOnlyMap);
    frame().setGeometry(50, 20, 700, 600); // on the offscreen platform's screen of 800 x 800
    ASSERT_TRUE(doc().Views.map());
    ASSERT_FALSE(doc().Views.world());
    const QRect saved(30, 40, 400, 300);
    frame().PlaceViewFrame(ViewKind::Map, 1, saved);
    const QRect placed = *frame().ViewFrameGeometry(ViewKind::Map);
    ASSERT_TRUE(doc().SaveSettingsArchive(path("map.set")));

    run(kCmdView3D);
    run(kCmdViewObs);
    run(kCmdViewWdb);
    frame().PlaceViewFrame(ViewKind::Map, 1, QRect(0, 0, 100, 100));
    frame().move(0, 0);
    ASSERT_EQ(frame().ChildFrames().size(), 4u);

    ui_.messages.clear();
    ASSERT_TRUE(doc().RestoreSettingsArchive(path("map.set")));
    for (const QString& text : ui_.messages.texts())
        EXPECT_FALSE(text.contains("settings file")) << text.toStdString();
    EXPECT_EQ(frame().frameGeometry(), QRect(50, 20, 700, 600));
    EXPECT_EQ(frame().ChildFrames().size(), 1u);
    EXPECT_TRUE(doc().Views.map());
    EXPECT_FALSE(doc().Views.world() || doc().Views.obs() || doc().Views.wdbCount());
    EXPECT_EQ(doc().Show2D, 1);
    EXPECT_EQ(doc().Show3D + doc().ShowObs + doc().ShowWDB, 0);
    EXPECT_EQ(frame().ViewFrameGeometry(ViewKind::Map), placed);
}

TEST_F(ShellTest, ThreeWDBViewsComeBack)
{
    start();
    doc().AddWDBView(false);
    doc().AddWDBView(false);
    ASSERT_EQ(doc().Views.wdbCount(), 3);
    // Each its own region, picture size and colours.
    for (int slot = 1; slot <= 3; ++slot) {
        auto* view = dynamic_cast<CWDBView*>(doc().Views.wdb(slot));
        ASSERT_NE(view, nullptr);
        view->ShowRegion(QRectF(10.0 * slot, 40.0, -20.0 * slot, -30.0), QSize(200 + slot, 150 + slot));
        WDBColorTable colors = view->Map().colors();
        colors.colors[4] = rgb(slot, 2 * slot, 3 * slot);
        colors.widths[4] = slot;
        view->SetColors(colors);
    }
    std::vector<WDBArchiveState> saved;
    for (int slot = 1; slot <= 3; ++slot)
        saved.push_back(doc().Views.wdb(slot)->ArchiveState());
    EXPECT_NE(saved[0], saved[1]);
    ASSERT_TRUE(doc().SaveSettingsArchive(path("wdb.set")));
    run(kCmdViewWdb);
    ASSERT_EQ(doc().Views.wdbCount(), 0);
    ASSERT_TRUE(doc().RestoreSettingsArchive(path("wdb.set")));
    EXPECT_EQ(doc().Views.wdbCount(), 3);
    for (int slot = 1; slot <= std::min(3, doc().Views.wdbCount()); ++slot)
        EXPECT_EQ(doc().Views.wdb(slot)->ArchiveState(), saved[slot - 1]) << "view " << slot;
    EXPECT_EQ(doc().ShowWDB, 1);
    EXPECT_TRUE(doc().Views.world() && doc().Views.map() && doc().Views.obs());
}

TEST_F(ShellTest, ADamagedFileLeavesTheViewsAndTheTimerAlone)
{
    start();
    ASSERT_TRUE(doc().SaveSettingsArchive(path("all.set")));
    QFile file(path("all.set"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    writeFile("cut.set", bytes.left(bytes.size() - 10).toStdString());
    run(kCmdView2D);
    const std::size_t frames = frame().ChildFrames().size();
    EXPECT_FALSE(doc().RestoreSettingsArchive(path("cut.set")));
    EXPECT_EQ(frame().ChildFrames().size(), frames);
    EXPECT_EQ(doc().Show2D, 0);
    EXPECT_TRUE(frame().updatesEnabled());
}

TEST_F(ShellTest, EveryFrameComesBackWhereItWasSaved)
{
    start(); // the four default views
    doc().AddWDBView(false);
    run(kCmdArrange);
    frame().PlaceViewFrame(ViewKind::WDB, 2, QRect(120, 90, 300, 200));
    const auto saved = frameGeometries(frame(), 2);
    ASSERT_EQ(saved.size(), 5u);
    const QRect mainWindow = frame().frameGeometry();
    ASSERT_TRUE(doc().SaveSettingsArchive(path("arranged.set")));

    ASSERT_TRUE(doc().RestoreSettingsArchive(path("arranged.set")));
    EXPECT_EQ(frame().frameGeometry(), mainWindow);
    const auto restored = frameGeometries(frame(), 2);
    for (const auto& [key, rect] : saved) {
        ASSERT_TRUE(restored.count(key)) << "kind " << static_cast<int>(key.first) << " slot " << key.second;
        EXPECT_EQ(restored.at(key), rect) << "kind " << static_cast<int>(key.first) << " slot " << key.second;
    }
}

namespace {

// The title bar's label of a frame shown normal at the given width, in its coordinates, as the
// style lays out the title bar of a sub-window: inside the frame's border, the buttons beside it.
QRect titleLabel(const QMdiSubWindow& frame, int width)
{
    QStyleOptionTitleBar option;
    option.initFrom(&frame);
    option.subControls = QStyle::SC_All;
    option.titleBarFlags = frame.windowFlags();
    option.titleBarState = Qt::WindowNoState;
    const QStyle* style = frame.style();
    const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &frame);
    const int title = style->pixelMetric(QStyle::PM_TitleBarHeight, &option, &frame);
    option.rect = QRect(border, border, width - 2 * border, title - border);
    return style->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarLabel, &frame);
}

// Drags the frame by the mouse from a point of the MDI area by `by`, as a user would.
void drag(QMdiSubWindow& frame, QPoint from, QPoint by)
{
    const auto send = [&](QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
        const QPointF local = frame.mapFromParent(at);
        QMouseEvent e(type, local, frame.mapToGlobal(local), button, held, Qt::NoModifier);
        QApplication::sendEvent(&frame, &e);
    };
    send(QEvent::MouseMove, from, Qt::NoButton, Qt::NoButton);
    send(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, from + by, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, from + by, Qt::LeftButton, Qt::NoButton);
}

} // namespace

// A frame comes back where it was while 40 x 8 pixels of its title bar's label are inside the
// area, else moved the least that puts them there; the buttons beside the label do not count,
// since a drag there does not move the frame. Each restored frame is then dragged by its label.
TEST_F(ShellTest, FramesComeBackWhereSavedWhileTheMouseCanDragThemByTheirTitleBars)
{
    start(kNoGlobe);
    frame().setGeometry(50, 20, 700, 600);
    frame().show();
    QCoreApplication::processEvents();
    const QSize area = frame().AreaSize();
    const int w = 300;
    const int h = 200;
    const QRect label = titleLabel(*frame().ChildFrames().front(), w);
    ASSERT_GT(label.width(), 40);
    ASSERT_GT(label.height(), 8);
    ASSERT_LT(label.right(), w - 40) << "buttons right of the label";
    struct Case {
        const char* what;
        QRect saved;
        QPoint restored;
    };
    const Case cases[] = {
        {"inside", QRect(20, 30, w, h), {20, 30}},
        {"partly out right", QRect(area.width() - 100, 40, w, h), {area.width() - 100, 40}},
        {"partly out below", QRect(60, area.height() - 50, w, h), {60, area.height() - 50}},
        {"the label's corner right and below",
         QRect(area.width() - label.left() - 40, area.height() - label.top() - 8, w, h),
         {area.width() - label.left() - 40, area.height() - label.top() - 8}},
        {"the label's end left and above", QRect(40 - label.left() - label.width(), 8 - label.top() - label.height(), w, h),
         {40 - label.left() - label.width(), 8 - label.top() - label.height()}},
        {"only the buttons inside", QRect(40 - w, 50, w, h), {40 - label.left() - label.width(), 50}},
        {"too little of the label right", QRect(area.width() - label.left() - 20, 60, w, h),
         {area.width() - label.left() - 40, 60}},
        {"wholly out right", QRect(area.width() + 500, 70, w, h), {area.width() - label.left() - 40, 70}},
        {"wholly out below", QRect(90, area.height() + 300, w, h), {90, area.height() - label.top() - 8}},
        {"wholly out left and above", QRect(-2000, -1000, w, h),
         {40 - label.left() - label.width(), 8 - label.top() - label.height()}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (const ViewKind kind : {ViewKind::Map, ViewKind::WDB, ViewKind::Obs})
            frame().PlaceViewFrame(kind, 1, c.saved);
        ASSERT_EQ(frame().ViewFrameGeometry(ViewKind::Map), c.saved);
        ASSERT_TRUE(doc().SaveSettingsArchive(path("frames.set")));
        for (const ViewKind kind : {ViewKind::Map, ViewKind::WDB, ViewKind::Obs})
            frame().PlaceViewFrame(kind, 1, QRect(5, 5, w, h));
        ASSERT_TRUE(doc().RestoreSettingsArchive(path("frames.set")));
        QCoreApplication::processEvents();
        ASSERT_EQ(frame().AreaSize(), area);
        for (const ViewKind kind : {ViewKind::Map, ViewKind::WDB, ViewKind::Obs})
            EXPECT_EQ(frame().ViewFrameGeometry(kind), QRect(c.restored, QSize(w, h))) << "kind " << static_cast<int>(kind);
        // Dragged sideways from the middle of its label's part in the area, a few pixels inward
        // (a frame with its title bar partly above the area also comes down into it).
        CChildFrame* map = frame().ChildFrames().front();
        ASSERT_EQ(map->Kind(), ViewKind::Map);
        const QRect grip = label.translated(c.restored).intersected(QRect(QPoint(0, 0), area));
        ASSERT_GE(grip.width(), 40);
        ASSERT_GE(grip.height(), 8);
        const int by = grip.center().x() < area.width() / 2 ? 5 : -5;
        drag(*map, grip.center(), {by, 0});
        EXPECT_EQ(map->x(), c.restored.x() + by) << "dragged by the label";
    }
    frame().hide();
}

TEST_F(CraftedArchiveTest, ExtremeRectanglesLandOnTheScreenAndWithinReach)
{
    start(kNoGlobe);
    frame().show();
    QCoreApplication::processEvents();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const ArchiveRect cases[] = {
        {kMinInt, 10, 600, 500},
        {kMinInt, kMinInt, kMaxInt, kMaxInt},
        {kMaxInt - 5, kMaxInt - 5, kMaxInt, kMaxInt},
        {300, 200, kMinInt, kMinInt},
    };
    for (const ArchiveRect& stored : cases) {
        SCOPED_TRACE(testing::Message() << stored.left << ", " << stored.top << ", " << stored.right << ", " << stored.bottom);
        const QString file = craft([&](SettingsSnapshot& s) {
            s.mainWindow = stored;
            s.map->frame = stored;
            s.wdb->views.at(0).frame = stored;
            s.obs->frame = stored;
        });
        ASSERT_TRUE(doc().RestoreSettingsArchive(file));
        QCoreApplication::processEvents();
        EXPECT_TRUE(screen.contains(frame().frameGeometry())) << "main window " << frame().frameGeometry().x() << "," << frame().frameGeometry().y() << " " << frame().frameGeometry().width() << "x" << frame().frameGeometry().height() << " min " << frame().minimumSizeHint().width() << "x" << frame().minimumSizeHint().height() << " screen " << screen.width() << "x" << screen.height();
        // No larger than the area, a piece of the title bar inside it.
        const QRect area(QPoint(0, 0), frame().AreaSize());
        const int titleBar = cascadeStep(frame().ViewFrameExtras());
        for (const auto& [key, rect] : frameGeometries(frame(), 1)) {
            EXPECT_TRUE(rect.width() <= area.width() && rect.height() <= area.height()) << "kind " << static_cast<int>(key.first);
            const QRect grip = area.intersected(QRect(rect.topLeft(), QSize(rect.width(), titleBar)));
            EXPECT_GE(grip.width(), std::min(kTitleGrip, area.width())) << "kind " << static_cast<int>(key.first);
            EXPECT_GE(grip.height(), std::min(kTitleGripRows, area.height())) << "kind " << static_cast<int>(key.first);
        }
    }
    frame().hide();
}

TEST_F(CraftedArchiveTest, ShadeModeAndObsSetValueComeBackAsStored)
{
    // The globe's section holds the shading; the globe, never shown here, does not apply its
    // quality over it.
    start();
    struct Case {
        int shadeMode;
        int obsSetValue;
        int restoredShadeMode;
    };
    const Case cases[] = {{2, 7, 2}, {3, -12, 3}, {1, 0, 1}, {0, 1, 1}, {4, 2, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "ShadeMode " << c.shadeMode << " ObsSetValue " << c.obsSetValue);
        const QString file = craft([&](SettingsSnapshot& s) {
            s.document.ShadeMode = c.shadeMode;
            s.document.ObsSetValue = c.obsSetValue;
        });
        ASSERT_TRUE(doc().RestoreSettingsArchive(file));
        EXPECT_EQ(doc().ShadeMode, c.restoredShadeMode);
        EXPECT_EQ(doc().ObsSetValue, c.obsSetValue);
        // And the next save keeps them.
        ASSERT_TRUE(doc().SaveSettingsArchive(path("again.set")));
        const SettingsSnapshot again = parsed(readFile("again.set"));
        EXPECT_EQ(again.document.ShadeMode, c.restoredShadeMode);
        EXPECT_EQ(again.document.ObsSetValue, c.obsSetValue);
    }
}

TEST_F(CraftedArchiveTest, ARefusedWDBRegionKeepsTheWholeWorldButTakesTheSwitchesAndSaysSo)
{
    start(kNoGlobe);
    doc().AddWDBView(false);
    QSize storedSize;
    const QString file = craft([&](SettingsSnapshot& s) {
        storedSize = QSize(s.wdb->views.at(0).view.clientWidth, s.wdb->views.at(0).view.clientHeight);
        for (WDBArchiveView& v : s.wdb->views) {
            v.view.showNames = 1;
            v.view.showPositions = 1;
            v.view.layerColors[4] = 0x00123456;
            v.view.leftLongitude = 20.0;
            v.view.rightLongitude = -20.0;
            v.view.topLatitude = 30.0;
            v.view.bottomLatitude = -10.0;
        }
        s.wdb->views.at(0).view.rightLongitude = 20.0; // no span
    });
    ui_.messages.clear();
    ASSERT_TRUE(doc().RestoreSettingsArchive(file));
    ASSERT_EQ(doc().Views.wdbCount(), 2);
    auto* refused = dynamic_cast<CWDBView*>(doc().Views.wdb(1));
    auto* taken = dynamic_cast<CWDBView*>(doc().Views.wdb(2));
    ASSERT_TRUE(refused && taken);
    EXPECT_EQ(refused->Extent(), QRectF(180.0, 90.0, -360.0, -180.0));
    EXPECT_EQ(refused->MapSize(), storedSize);
    EXPECT_EQ(taken->Extent(), QRectF(20.0, 30.0, -40.0, -40.0));
    for (CWDBView* view : {refused, taken}) {
        EXPECT_TRUE(view->State().showNames);
        EXPECT_TRUE(view->State().showPositions);
        EXPECT_EQ(view->Map().colors().colors[4], 0x00123456u);
    }
    // One message for the views (the others are about the test's missing background pictures).
    QStringList about;
    for (const QString& text : ui_.messages.texts())
        if (text.contains("World Data Bank"))
            about << text;
    ASSERT_EQ(about.size(), 1);
    const QString text = about[0];
    EXPECT_TRUE(text.contains("view 1: longitudes 20 to 20 (west), latitudes 30 to -10")) << text.toStdString();
    EXPECT_FALSE(text.contains("view 2")) << text.toStdString();
}
