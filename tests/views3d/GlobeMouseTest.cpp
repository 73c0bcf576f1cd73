// The globe's mouse: what each button does to the camera, the cursor and the flat views.
#include "views3d/GlobeMouse.h"

#include <gtest/gtest.h>

using namespace kiv;

namespace {

bool same(const Matrix4& a, const Matrix4& b)
{
    for (int i = 0; i < 16; ++i) {
        if (a.data()[i] != b.data()[i])
            return false;
    }
    return true;
}

struct Drag {
    GlobeCamera camera;
    GlobeMouse mouse;
    Drag()
    {
        camera.setPerspective({}, 800, 600);
        camera.lookAt({0, 0, 140});
        mouse.move(100, 100, camera);
    }
};

} // namespace

TEST(GlobeMouse, ButtonsChooseTheMotion)
{
    Drag pan;
    pan.mouse.press(GlobeMouse::Left);
    const GlobeCamera before = pan.camera;
    pan.mouse.move(90, 100, pan.camera);
    EXPECT_TRUE(same(pan.camera.modelView(), before.modelView()));
    // The picture follows the mouse: 10 pixels left, 10 scene units left.
    EXPECT_TRUE(same(pan.camera.projection(), before.projection() * Matrix4::translation(-10, 0, 0)));
    EXPECT_EQ(pan.mouse.cursor(), GlobeCursor::Pan);
    // Pressing right while left is held turns the pan into a zoom at once.
    pan.mouse.press(GlobeMouse::Right);
    EXPECT_EQ(pan.mouse.cursor(), GlobeCursor::Zoom);
    const GlobeCamera zoomed = pan.camera;
    pan.mouse.move(90, 80, pan.camera);
    EXPECT_TRUE(same(pan.camera.projection(), zoomed.projection() * Matrix4::translation(0, 0, 20)));
    // Releasing either ends both.
    pan.mouse.release();
    EXPECT_FALSE(pan.mouse.dragging());
    EXPECT_EQ(pan.mouse.cursor(), GlobeCursor::Arrow);

    Drag turn;
    turn.mouse.press(GlobeMouse::Right);
    const GlobeCamera unturned = turn.camera;
    turn.mouse.move(95, 98, turn.camera);
    EXPECT_TRUE(same(turn.camera.projection(), unturned.projection()));
    EXPECT_FALSE(same(turn.camera.modelView(), unturned.modelView()));
    EXPECT_EQ(turn.mouse.cursor(), GlobeCursor::Rotate);
    // A move without buttons changes nothing but the last position.
    turn.mouse.release();
    const GlobeCamera idle = turn.camera;
    turn.mouse.move(10, 10, turn.camera);
    EXPECT_TRUE(same(turn.camera.modelView(), idle.modelView()));
}

TEST(GlobeMouse, DragsHoldTheFlatViews)
{
    GlobeMouse mouse;
    EXPECT_EQ(mouse.heldViews(), 0);
    mouse.press(GlobeMouse::Right);
    EXPECT_EQ(mouse.heldViews(), kiv::kHoldMap);
    mouse.press(GlobeMouse::Left);
    EXPECT_EQ(mouse.heldViews(), kiv::kHoldMap | kiv::kHoldObserver | kiv::kHoldWorldDataBank);
    mouse.release();
    mouse.press(GlobeMouse::Middle);
    EXPECT_EQ(mouse.heldViews(), kiv::kHoldMap);
    EXPECT_EQ(mouse.cursor(), GlobeCursor::Middle);
}
