// The globe's window in a real widget under the display: set-up, the mouse, the commands, and
// leaving the document.
#include "resources/CommandIds.h"
#include "tests/support/DocumentFixture.h"
#include "tests/support/GlDriver.h"
#include "views3d/CWorldView.h"

#include <QCoreApplication>
#include <QMouseEvent>

using namespace kiv;
using namespace kiv::test;

namespace {

bool dark(QRgb p) { return qRed(p) + qGreen(p) + qBlue(p) < 30; }

class GlobeWindowTest : public DocumentTest {
protected:
    CKivDoc& document()
    {
        writeFile("sats.tle", lowSatellites(2));
        CKivDoc& doc = makeDocument("[Allgemein]\nSatellitenfilename=sats.tle\nSterne=0\nNrOfOcularReflections=0\n"
                                    "ShowCenterCross=FALSE\n");
        doc.Show3D = 1;
        return doc;
    }

    // Shows the window and draws its first frame.
    QImage show(CWorldView& view, int width, int height)
    {
        view.resize(width, height);
        view.show();
        const QImage frame = view.grabFramebuffer();
        keepGlDriverLoaded();
        return frame;
    }

    void mouse(QWidget& view, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QMouseEvent event(type, at, view.mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &event);
    }
};

} // namespace

TEST_F(GlobeWindowTest, DragPansTheGlobeAndHoldsTheFlatViewsUntilRelease)
{
    CKivDoc& doc = document();
    CWorldView view(doc);
    const QPoint centre(200, 150);
    ASSERT_FALSE(dark(show(view, 400, 300).pixel(centre))) << "the earth in the middle";
    EXPECT_EQ(doc.Views.world(), &view);

    mouse(view, QEvent::MouseMove, centre, Qt::NoButton, Qt::NoButton);
    mouse(view, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(doc.HeldRedraws, kiv::kHoldMap | kiv::kHoldObserver | kiv::kHoldWorldDataBank);
    mouse(view, QEvent::MouseMove, centre - QPoint(40, 0), Qt::NoButton, Qt::LeftButton);
    mouse(view, QEvent::MouseButtonRelease, centre - QPoint(40, 0), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(doc.HeldRedraws, 0);
    EXPECT_TRUE(dark(view.grabFramebuffer().pixel(centre))) << "the earth panned away";

    // A double click takes pan and zoom back.
    mouse(view, QEvent::MouseButtonDblClick, centre, Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(dark(view.grabFramebuffer().pixel(centre)));

    // Losing the focus in a drag ends it.
    mouse(view, QEvent::MouseButtonPress, centre, Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(doc.HeldRedraws, kiv::kHoldMap);
    QFocusEvent focusOut(QEvent::FocusOut);
    QCoreApplication::sendEvent(&view, &focusOut);
    EXPECT_EQ(doc.HeldRedraws, 0);
}

TEST_F(GlobeWindowTest, CommandsSetTheDocumentAndLeavingClearsIt)
{
    CKivDoc& doc = document();
    auto view = std::make_unique<CWorldView>(doc);
    show(*view, 200, 150);
    const kiv::CommandMap& commands = view->Commands();
    const auto run = [&](int id) {
        const auto* entry = commands.find(id);
        ASSERT_NE(entry, nullptr) << id;
        entry->run(id);
    };
    const auto checked = [&](int id) {
        kiv::CommandUi ui;
        commands.find(id)->update(id, ui);
        return ui.checked.value_or(false);
    };
    run(kCmdBeamTransparent);
    EXPECT_EQ(doc.BeamDrawStyle, 3);
    EXPECT_TRUE(checked(kCmdBeamTransparent));
    EXPECT_FALSE(checked(kCmdBeamNone));
    const int footprint = doc.Footprint3D;
    run(kCmdFootprint3D);
    EXPECT_NE(doc.Footprint3D, footprint);
    doc.FollowActive = 1;
    run(kCmdGeostationary);
    EXPECT_EQ(doc.CameraPos, 1);
    EXPECT_EQ(doc.FollowActive, 0);
    EXPECT_TRUE(checked(kCmdGeostationary));
    EXPECT_EQ(commands.find(kCmdSatelliteStyle3D), nullptr) << "the style dialog runs from the document's commands";
    view->grabFramebuffer();

    view.reset();
    EXPECT_EQ(doc.Views.world(), nullptr);
    EXPECT_EQ(doc.Show3D, 0);
}

TEST_F(GlobeWindowTest, ArchivedCameraGivenBeforeTheContextOutlivesTheFirstResize)
{
    CKivDoc& doc = document();
    GlobeArchiveState state;
    state.lighting = 0;
    state.projection = {2.0f, 0, 0, 0, 0, 3.0f, 0, 0, 0, 0, -1.0f, -1.0f, 0, 0, -10.0f, 0};
    state.modelView = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0.5f, 0, -100.0f, 1};
    CWorldView view(doc);
    view.RestoreArchiveState(state, std::nullopt); // no context yet: kept for the set-up
    show(view, 400, 300);
    EXPECT_EQ(view.ArchiveState(), state);
    // A later resize is the user's: the projection follows the window again.
    view.resize(300, 300);
    view.grabFramebuffer();
    EXPECT_NE(view.ArchiveState().projection, state.projection);
}
