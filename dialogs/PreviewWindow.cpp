#include "dialogs/PreviewWindow.h"

#include <cmath>

namespace kiv {

namespace {
constexpr double kStep = 0.01;
} // namespace

void PreviewWindow::ResetWindow()
{
    left_ = top_ = 0.0;
    right_ = bottom_ = 1.0;
}

void PreviewWindow::setEdge(double& edge, double& partner, void (PreviewWindow::*setPartner)(float), float value)
{
    if (value >= 0.0f && value <= 1.0f) {
        edge = value;
    } else if (value > 1.0f) {
        edge = 1.0;
        if (partner - kStep > 0.0)
            (this->*setPartner)(static_cast<float>(partner - kStep));
        else
            ResetWindow();
    } else {
        edge = 0.0;
        if (partner + kStep < 1.0)
            (this->*setPartner)(static_cast<float>(partner + kStep));
        else
            ResetWindow();
    }
}

void PreviewWindow::SetLeft(float value) { setEdge(left_, right_, &PreviewWindow::SetRight, value); }
void PreviewWindow::SetTop(float value) { setEdge(top_, bottom_, &PreviewWindow::SetBottom, value); }
void PreviewWindow::SetRight(float value) { setEdge(right_, left_, &PreviewWindow::SetLeft, value); }
void PreviewWindow::SetBottom(float value) { setEdge(bottom_, top_, &PreviewWindow::SetTop, value); }

void PreviewWindow::OnLButtonDown()
{
    leftButton_ = true;
    cursor_ = rightButton_ ? PreviewCursor::Zoom : PreviewCursor::Pan;
}

void PreviewWindow::OnRButtonDown()
{
    rightButton_ = true;
    cursor_ = PreviewCursor::Zoom;
}

void PreviewWindow::OnButtonUp()
{
    leftButton_ = rightButton_ = false;
    cursor_ = PreviewCursor::Arrow;
}

void PreviewWindow::OnMouseMove(int x, int y)
{
    const QPoint last = last_.value_or(QPoint(x, y));
    last_ = QPoint(x, y);
    if (cursor_ == PreviewCursor::Zoom) {
        if (y > last.y()) {
            if (left_ + kStep < right_)
                left_ += kStep;
            if (top_ + kStep < bottom_)
                top_ += kStep;
            if (right_ - kStep > left_)
                right_ -= kStep;
            if (bottom_ - kStep > top_)
                bottom_ -= kStep;
        } else if (y < last.y()) {
            SetLeft(static_cast<float>(left_ - kStep));
            SetTop(static_cast<float>(top_ - kStep));
            SetRight(static_cast<float>(right_ + kStep));
            SetBottom(static_cast<float>(bottom_ + kStep));
        }
    } else if (cursor_ == PreviewCursor::Pan) {
        if (y > last.y() && bottom_ < 1.0) {
            top_ += kStep;
            bottom_ += kStep;
        } else if (y < last.y() && top_ >= 0.0) {
            top_ -= kStep;
            bottom_ -= kStep;
        }
        if (x > last.x() && right_ < 1.0) {
            left_ += kStep;
            right_ += kStep;
        } else if (x < last.x() && left_ >= 0.0) {
            left_ -= kStep;
            right_ -= kStep;
        }
    }
}

void PreviewWindow::OnLButtonDblClk(QSize picture, QSize client)
{
    if (picture.isEmpty())
        return;
    const float rx = static_cast<float>(client.width()) / static_cast<float>(picture.width());
    const float ry = static_cast<float>(client.height()) / static_cast<float>(picture.height());
    if (left_ + rx <= 1.0) {
        SetRight(static_cast<float>(left_ + rx));
    } else {
        SetLeft(1.0f - rx);
        SetRight(1.0f);
    }
    if (top_ + ry <= 1.0) {
        SetBottom(static_cast<float>(top_ + ry));
    } else {
        SetTop(1.0f - ry);
        SetBottom(1.0f);
    }
}

QRect PreviewWindow::sourceRect(QSize picture) const
{
    const double w = picture.width();
    const double h = picture.height();
    return {static_cast<int>(std::trunc(w * left_)), static_cast<int>(std::trunc(h * top_)),
            static_cast<int>(std::trunc(w * right_ - w * left_)), static_cast<int>(std::trunc(h * bottom_ - h * top_))};
}

QString PreviewWindow::zoomText(int pictureWidth, int clientWidth) const
{
    const double zoom = clientWidth > 0 ? (right_ - left_) * pictureWidth / clientWidth : 0.0;
    return QStringLiteral("ZOOM : %1").arg(zoom, 0, 'f', 3);
}

} // namespace kiv
