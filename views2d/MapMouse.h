#pragma once
// The flat maps' mouse as a small state machine, apart from the widgets (the 2D map and the
// World Data Bank views share it): which buttons are held, the one-shot zoom mode and the zoom
// box being dragged, the vertical step of each move, and which cursor shows.
//
// The widget feeds it press, move and release with positions in picture pixels, grabs the mouse
// from a press to the release and holds the clock while zoomDragging() (the box is drawn over a
// still picture). A zoom box narrower or lower than kMinZoomBox pixels is dropped: a click in
// zoom mode ends the mode and zooms nowhere.

#include <QPoint>
#include <QRect>
#include <QSize>

#include <optional>

namespace kiv {

// Arrow; Drag: the left button alone outside zoom mode; Both: left and right held.
enum class MapCursor { Arrow, Drag, Both };

class MapMouse {
public:
    enum Button : int { Left = 1, Right = 2 };
    static constexpr int kMinZoomBox = 3;

    // What a release ended.
    struct Release {
        bool zoomEnded = false;     // a zoom drag ended (the clock may run again)
        // Its box when large enough: top-left the smaller corner, width and height the distance
        // to the other one (left() + width() is the other corner's x).
        std::optional<QRect> box;
    };
    struct Move {
        QPoint at;
        double dz = 0.0;            // previous y minus this y; 0 for the first move
        bool zoomBoxMoved = false;  // the zoom box's moving corner is here now
    };

    bool zoomMode() const { return zoomMode_; }
    void setZoomMode(bool on) { zoomMode_ = on; }
    void toggleZoomMode() { zoomMode_ = !zoomMode_; }

    // A button goes down at `at`; true when this starts a zoom drag (left in zoom mode).
    bool press(Button button, QPoint at);
    Move move(QPoint at);
    // A button comes up: both button flags clear; a left release ends a zoom drag and the mode.
    Release release(Button button);
    // Drops everything held (the widget lost the mouse or closes); the zoom mode ends with a
    // dropped drag.
    Release cancel();

    bool left() const { return left_; }
    bool right() const { return right_; }
    bool dragging() const { return left_ || right_ || zooming_; }
    bool zoomDragging() const { return zooming_; }
    QPoint anchor() const { return anchor_; }
    QPoint corner() const { return corner_; }
    // The box between anchor and moving corner, corners ordered (right and bottom inclusive of
    // the moving corner's pixel as QRect counts them).
    QRect zoomBox() const;
    MapCursor cursor() const;

    // The point held inside the client rectangle grown by `margin` pixels on each side (negative
    // shrinks it), as the pointer would be held while a drag lasts.
    static QPoint confine(QPoint at, QSize client, int margin);

private:
    bool zoomMode_ = false;
    bool zooming_ = false;
    bool left_ = false;
    bool right_ = false;
    QPoint anchor_;
    QPoint corner_;
    std::optional<int> previousY_;
};

} // namespace kiv
