#include "views3d/GlobeMouse.h"

namespace kiv {

void GlobeMouse::move(double x, double y, GlobeCamera& camera)
{
    const double dx = haveLast_ ? lastX_ - x : 0.0;
    const double dy = haveLast_ ? lastY_ - y : 0.0;
    if (buttons_ & Left) {
        if (buttons_ & Right)
            camera.zoom(dy);
        else
            camera.pan(dx, dy);
    } else if (buttons_ & Right) {
        camera.turn(dx, dy);
    } else if (buttons_ & Middle) {
        camera.roll(dx, dy);
    }
    lastX_ = x;
    lastY_ = y;
    haveLast_ = true;
}

GlobeCursor GlobeMouse::cursor() const
{
    if ((buttons_ & Left) && (buttons_ & Right))
        return GlobeCursor::Zoom;
    if (buttons_ & Left)
        return GlobeCursor::Pan;
    if (buttons_ & Right)
        return GlobeCursor::Rotate;
    if (buttons_ & Middle)
        return GlobeCursor::Middle;
    return GlobeCursor::Arrow;
}

int GlobeMouse::heldViews() const
{
    if (buttons_ & Left)
        return kHoldMap | kHoldObserver | kHoldWorldDataBank;
    return buttons_ != 0 ? kHoldMap : 0;
}

} // namespace kiv
