#pragma once
// The globe's mouse as a small state machine, apart from the widget: which buttons are held,
// what a move does to the camera (left pans, left and right zoom, right turns, middle rolls),
// which cursor shows, and which flat views hold back their redraws while a drag lasts. Any
// button's release, or the loss of focus, ends the whole drag.

#include "document/DocumentViews.h"
#include "views3d/GlobeCamera.h"

namespace kiv {

enum class GlobeCursor { Arrow, Pan, Zoom, Rotate, Middle };

class GlobeMouse {
public:
    enum Button : int { Left = 1, Right = 2, Middle = 4 };

    void press(Button button) { buttons_ |= button; }
    void release() { buttons_ = 0; }
    // The pointer at (x, y) in pixels; moves the camera by the distance from the last position.
    void move(double x, double y, GlobeCamera& camera);

    bool dragging() const { return buttons_ != 0; }
    GlobeCursor cursor() const;
    // HeldRedraw bits: the left button holds every flat view, right and middle the map.
    int heldViews() const;

private:
    int buttons_ = 0;
    bool haveLast_ = false;
    double lastX_ = 0.0;
    double lastY_ = 0.0;
};

} // namespace kiv
