#pragma once
// The visible part of a picture in an image preview: left, top, right and bottom as fractions of
// the picture's width and height (0, 0, 1, 1 is the whole picture), and how the mouse zooms and
// pans it. A pointer moved down with the zoom cursor narrows the window by 0.01 on every side;
// moved up, it widens it through the edge setters, so that a side that meets the picture's edge
// moves its partner instead. The pan cursor moves the window by 0.01 a step, tested before the
// step, so an edge may pass 0 or 1 by one step.

#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

namespace kiv {

enum class PreviewCursor { Arrow, Pan, Zoom };

class PreviewWindow {
public:
    double left() const { return left_; }
    double top() const { return top_; }
    double right() const { return right_; }
    double bottom() const { return bottom_; }

    void ResetWindow();
    // Inside 0..1 the edge takes the value; beyond an end it stops there and its partner moves
    // 0.01 away from that end (through its own setter), or the window becomes the whole picture
    // when the partner has no room.
    void SetLeft(float value);
    void SetTop(float value);
    void SetRight(float value);
    void SetBottom(float value);

    void OnLButtonDown();
    void OnRButtonDown();
    // Either button up ends both.
    void OnButtonUp();
    // The first position only starts the count.
    void OnMouseMove(int x, int y);
    // One picture pixel to one screen pixel, from the left and top edges where there is room.
    void OnLButtonDblClk(QSize picture, QSize client);

    PreviewCursor cursor() const { return cursor_; }
    bool buttonDown() const { return leftButton_ || rightButton_; }

    // The picture's part shown over the whole client area, cut toward zero; outside the picture
    // when the window was panned past its edge.
    QRect sourceRect(QSize picture) const;
    // "ZOOM : 4.000": picture pixels per screen pixel across.
    QString zoomText(int pictureWidth, int clientWidth) const;

private:
    void setEdge(double& edge, double& partner, void (PreviewWindow::*setPartner)(float), float value);

    double left_ = 0.0;
    double top_ = 0.0;
    double right_ = 1.0;
    double bottom_ = 1.0;
    bool leftButton_ = false;
    bool rightButton_ = false;
    PreviewCursor cursor_ = PreviewCursor::Arrow;
    std::optional<QPoint> last_;
};

} // namespace kiv
