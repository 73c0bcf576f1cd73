// The sky view's window: registration with its settings stored on leaving, drags that move the
// observer, turn the sphere and zoom with the clock paused and resumed once, the flat display,
// the go-to command, and the map's observer marker.
#include "tests/support/DocumentFixture.h"
#include "resources/CommandIds.h"
#include "resources/MenuTables.h"
#include "views2d/CObsView.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QTimer>

#include <cstring>
#include <numbers>

using namespace kiv;
using namespace kiv::test;

namespace {

constexpr double kDeg = std::numbers::pi / 180.0;

class CObsViewTest : public DocumentTest {
protected:
    CObsView& open()
    {
        CKivDoc& doc = makeDocument();
        doc.ShowObs = 1;
        doc.TimeFactor = 1;
        doc.bOBSDispaly2D = 0;
        area_.resize(800, 600);
        area_.show();
        view_ = new CObsView(doc);
        frame_ = area_.addSubWindow(view_);
        frame_->resize(420, 340);
        frame_->show();
        return *view_;
    }
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent e(type, QPointF(at), view_->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
        QApplication::sendEvent(view_, &e);
    }
    void run(int id)
    {
        const CommandMap::Entry* entry = view_->Commands().find(id);
        ASSERT_TRUE(entry) << id;
        entry->run(id);
    }
    bool checked(int id)
    {
        CommandUi ui;
        view_->Commands().find(id)->update(id, ui);
        return ui.checked.value_or(false);
    }

    QMdiArea area_;
    CObsView* view_ = nullptr;
    QMdiSubWindow* frame_ = nullptr;
};

TEST_F(CObsViewTest, RegistersAndLeavesWithItsSettingsStored)
{
    CObsView& view = open();
    EXPECT_EQ(doc_->Views.obs(), &view);
    EXPECT_EQ(view.Sky().image().size(), view.size());
    run(kCmdTwilightNautical);
    EXPECT_TRUE(checked(kCmdTwilightNautical));
    doc_->fTwilight = 0.0;
    view.Unregister();
    EXPECT_EQ(doc_->Views.obs(), nullptr);
    EXPECT_EQ(doc_->ShowObs, 0);
    EXPECT_EQ(doc_->fTwilight, -12.0);
}

TEST_F(CObsViewTest, TakesEveryLineOfItsMenuAndChecksItsToggles)
{
    CObsView& view = open();
    // The view's popup in both languages: every line but the document's open/close toggle is the
    // view's own.
    for (const int language : {0, 1}) {
        const std::vector<MenuEntry> menu = menuEntries(viewMenuId(MenuView::Obs, language));
        bool inPopup = false;
        int lines = 0;
        for (const MenuEntry& e : menu) {
            if (e.level == 0)
                inPopup = std::string_view(e.text).find("Obs") != std::string_view::npos;
            else if (inPopup && e.id != kPopup && e.id != kSeparator && e.id != kCmdViewObs) {
                EXPECT_TRUE(view.Commands().find(e.id)) << e.text;
                ++lines;
            }
        }
        EXPECT_EQ(lines, 21) << language;
    }

    struct Toggle {
        int id;
        bool SkySettings::*flag;
        int KivSettings::*stored;
    };
    const Toggle toggles[] = {
        {kCmdDrawMan, &SkySettings::drawMan, &KivSettings::bOBSDrawMan},
        {kCmdHiddenLines, &SkySettings::hiddenLines, &KivSettings::bOBSDrawHiddenLines},
        {kCmdHemisphere, &SkySettings::hemisphere, &KivSettings::bOBSDrawHemiSphere},
        {kCmdDrawIcons, &SkySettings::showIcons, &KivSettings::bOBSShowIcons},
        {kCmdRoute, &SkySettings::showRoute, &KivSettings::ShowCourseOBS},
        {kCmdName, &SkySettings::showName, &KivSettings::bOBSShowName},
        {kCmdPosition, &SkySettings::showAziEleDist, &KivSettings::bOBSShowAziEleDist},
        {kCmdPosAscDesc, &SkySettings::showRaDec, &KivSettings::OBSShowAscDesc},
        {kCmdDrawElevation, &SkySettings::drawElevation, &KivSettings::bOBSDrawAlt},
        {kCmdPrintElevation, &SkySettings::drawEleDegrees, &KivSettings::bOBSDrawEleDegrees},
        {kCmdDrawAzimuth, &SkySettings::drawAzimuth, &KivSettings::bOBSDrawAzi},
        {kCmdPrintAzimuth, &SkySettings::drawAziDegrees, &KivSettings::bOBSDrawAziDegrees},
        {kCmdCompassLines, &SkySettings::compassLines, &KivSettings::bOBSDrawCompassLines},
        {kCmdPrintCompass, &SkySettings::drawCompass, &KivSettings::bOBSDrawCompas},
        {kCmdKeep2D, &SkySettings::flat, &KivSettings::bOBSDispaly2D},
    };
    for (const Toggle& t : toggles) {
        for (int round = 0; round < 2; ++round) {
            const bool before = view.Sky().settings().*t.flag;
            EXPECT_EQ(checked(t.id), before) << t.id;
            run(t.id);
            EXPECT_EQ(view.Sky().settings().*t.flag, !before) << t.id;
            EXPECT_EQ(checked(t.id), !before) << t.id;
            EXPECT_EQ((*doc_).*t.stored != 0, !before) << t.id << ": the document keeps what the view shows";
        }
    }
    // The name and position lines resize the label boxes.
    doc_->SatelliteCount = 1;
    std::strcpy(doc_->Satellites[0].name, "NOAA 19");
    run(kCmdPosition);
    const int before = view.Sky().labelRect(0).top;
    run(kCmdPosition);
    EXPECT_NE(view.Sky().labelRect(0).top, before);
    // Zoom mode's check follows it.
    EXPECT_FALSE(checked(kCmdZoom));
    run(kCmdZoom);
    EXPECT_TRUE(checked(kCmdZoom));
}

TEST_F(CObsViewTest, LeftDragMovesTheObserverWithTheClockPausedOnce)
{
    CObsView& view = open();
    mouse(QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(doc_->TimeFactor, 0);
    EXPECT_EQ(doc_->HeldRedraws, kHoldGlobe | kHoldWorldDataBank);
    mouse(QEvent::MouseMove, {90, 80}, Qt::NoButton, Qt::LeftButton);
    EXPECT_NEAR(view.Sky().settings().observer.x, 0.2, 1e-12);
    EXPECT_NEAR(view.Sky().settings().observer.y, -0.1, 1e-12);
    EXPECT_TRUE(frame_->windowTitle().startsWith("Lat=11.46 Lon=-5.73 Alt=0.00 ")) << frame_->windowTitle().toStdString();
    // The right button joins: both zoom; two releases resume the clock once.
    mouse(QEvent::MouseButtonPress, {90, 80}, Qt::RightButton, Qt::LeftButton | Qt::RightButton);
    mouse(QEvent::MouseMove, {90, 30}, Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    EXPECT_DOUBLE_EQ(view.Sky().zoom(), 1.1);
    mouse(QEvent::MouseButtonRelease, {90, 30}, Qt::LeftButton, Qt::RightButton);
    mouse(QEvent::MouseButtonRelease, {90, 30}, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(doc_->TimeFactor, 1);
    EXPECT_EQ(doc_->HeldRedraws, 0);
    EXPECT_NEAR(doc_->fUserLat, 0.2 / kDeg, 1e-9);
}

TEST_F(CObsViewTest, RightDragTurnsAndTiltsUnlessFlat)
{
    CObsView& view = open();
    mouse(QEvent::MouseButtonPress, {100, 100}, Qt::RightButton, Qt::RightButton);
    mouse(QEvent::MouseMove, {90, 95}, Qt::NoButton, Qt::RightButton);
    mouse(QEvent::MouseButtonRelease, {90, 95}, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(view.Sky().projection().turn, 100.0);
    EXPECT_EQ(view.Sky().projection().tilt, -85.0);
    run(kCmdKeep2D);
    EXPECT_TRUE(checked(kCmdKeep2D));
    EXPECT_EQ(view.Sky().projection().tilt, -90.0);
    EXPECT_FALSE(view.Sky().settings().hiddenLines);
    EXPECT_FALSE(view.Sky().settings().hemisphere);
    mouse(QEvent::MouseButtonPress, {100, 100}, Qt::RightButton, Qt::RightButton);
    mouse(QEvent::MouseMove, {100, 50}, Qt::NoButton, Qt::RightButton);
    mouse(QEvent::MouseButtonRelease, {100, 50}, Qt::RightButton, Qt::NoButton);
    EXPECT_EQ(view.Sky().projection().tilt, -90.0);
}

TEST_F(CObsViewTest, GoToMovesTheObserverAndAimsTheGlobe)
{
    CObsView& view = open();
    FakeViews& others = attachFakeViews({ViewKind::World, ViewKind::Map});
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        dialog->findChild<QLineEdit*>(QStringLiteral("1031"))->setText("48.1");
        dialog->findChild<QLineEdit*>(QStringLiteral("1099"))->setText("-11.6");
        dialog->accept();
    });
    view.OnGoTo();
    EXPECT_NEAR(view.Sky().settings().observer.x, 48.1 * kDeg, 1e-12);
    EXPECT_NEAR(view.Sky().settings().observer.y, 11.6 * kDeg, 1e-12);
    EXPECT_NEAR(doc_->fUserLon, 11.6, 1e-9);
    EXPECT_EQ(others.lookAtDistance, 70.0);
    EXPECT_GE(others.count("SetObserverMarker"), 1);
    EXPECT_TRUE(frame_->windowTitle().startsWith("Lat=48.10 Lon=11.60 ")) << frame_->windowTitle().toStdString();
}

TEST_F(CObsViewTest, TheTitleFollowsThePlaceFromTheSettings)
{
    CObsView& view = open();
    frame_->setWindowTitle(CObsView::Title());
    // As the options dialog and a settings restore leave it.
    doc_->fUserLat = 13.75;
    doc_->fUserLon = 100.5;
    doc_->fTwilight = -12.0;
    view.LoadObsSettings();
    EXPECT_EQ(frame_->windowTitle(), "Lat=13.75 Lon=100.50 Alt=0.00 NAUTICAL");
    run(kCmdTwilightAstronomical);
    EXPECT_EQ(frame_->windowTitle(), "Lat=13.75 Lon=100.50 Alt=0.00 ASTRONOMICAL");
}

TEST_F(CObsViewTest, ZoomModeMarksABoxAndEndsWithIt)
{
    CObsView& view = open();
    run(kCmdZoom);
    EXPECT_TRUE(view.ZoomMode());
    const QPoint centre(view.Sky().projection().centreX, view.Sky().projection().centreY);
    mouse(QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(doc_->TimeFactor, 1) << "a zoom box does not pause";
    mouse(QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(view.ZoomMode());
    run(kCmdZoom);
    view.LoadObsSettings(); // as after the options dialog
    EXPECT_FALSE(view.ZoomMode());
}

} // namespace
