#include "views2d/MapMouse.h"

#include <algorithm>

namespace kiv {

bool MapMouse::press(Button button, QPoint at)
{
    if (button == Right) {
        right_ = true;
        return false;
    }
    left_ = true;
    if (!zoomMode_ || zooming_)
        return false;
    zooming_ = true;
    anchor_ = corner_ = at;
    return true;
}

MapMouse::Move MapMouse::move(QPoint at)
{
    Move m;
    m.at = at;
    m.dz = static_cast<double>(previousY_.value_or(at.y()) - at.y());
    previousY_ = at.y();
    if (zooming_) {
        corner_ = at;
        m.zoomBoxMoved = true;
    }
    return m;
}

MapMouse::Release MapMouse::release(Button button)
{
    left_ = right_ = false;
    Release r;
    if (button != Left || !zooming_)
        return r;
    zooming_ = false;
    zoomMode_ = false;
    r.zoomEnded = true;
    const QRect box = zoomBox();
    // The box spans corner to corner: a drag of n pixels covers n + 1 of them.
    if (box.width() - 1 >= kMinZoomBox && box.height() - 1 >= kMinZoomBox)
        r.box = QRect(box.topLeft(), box.size() - QSize(1, 1));
    return r;
}

MapMouse::Release MapMouse::cancel()
{
    Release r;
    r.zoomEnded = zooming_;
    if (zooming_)
        zoomMode_ = false;
    zooming_ = left_ = right_ = false;
    previousY_.reset();
    return r;
}

QRect MapMouse::zoomBox() const
{
    return QRect(QPoint(std::min(anchor_.x(), corner_.x()), std::min(anchor_.y(), corner_.y())),
                 QPoint(std::max(anchor_.x(), corner_.x()), std::max(anchor_.y(), corner_.y())));
}

MapCursor MapMouse::cursor() const
{
    if (left_ && right_)
        return MapCursor::Both;
    if (left_ && !zoomMode_)
        return MapCursor::Drag;
    return MapCursor::Arrow;
}

QPoint MapMouse::confine(QPoint at, QSize client, int margin)
{
    const int x1 = std::max(-margin, client.width() - 1 + margin);
    const int y1 = std::max(-margin, client.height() - 1 + margin);
    return {std::clamp(at.x(), -margin, x1), std::clamp(at.y(), -margin, y1)};
}

} // namespace kiv
