#include "dialogs/CImagePreview.h"

#include "platform/LanguageText.h"
#include "platform/MessageBoxes.h"
#include "platform/PictureSource.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

namespace kiv {

CImagePreview::CImagePreview(PictureSource& pictures, MessageBoxes& messages, bool english, QLabel* status,
                             QWidget* parent)
    : QWidget(parent), pictures_(pictures), messages_(messages), english_(english), status_(status)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setInteractive(false);
}

void CImagePreview::setInteractive(bool on)
{
    setAttribute(Qt::WA_TransparentForMouseEvents, !on);
    setMouseTracking(on);
}

void CImagePreview::ShowFile(const QString& fileName)
{
    fileName_ = fileName;
    // The picture shown goes before the next is read: the two are never held together.
    bitmap_ = QImage();
    bitmap_ = pictures_.load(fileName, PictureUse::Map);
    pictureChanged();
}

bool CImagePreview::LoadOverlay(const QString& fileName, const OverlayBounds& bounds, int width, int height)
{
    const QImage weather = pictures_.load(fileName, PictureUse::Overlay);
    if (weather.isNull())
        return false;
    // The background comes anew from its file while the preview still shows its picture.
    const QImage background = pictures_.load(fileName_, PictureUse::Map);
    const OverlayPlan plan = planOverlay(bounds, weather.size(), QSize(width, height),
                                         weather.sizeInBytes() + background.sizeInBytes() + bitmap_.sizeInBytes());
    if (!plan.ok()) {
        messages_.show({.caption = inLanguage(english_, "Weather data", "Wetter Daten"),
                        .text = overlayErrorText(plan, english_),
                        .buttons = MessageButtons::Ok,
                        .icon = MessageIcon::Exclamation});
        return false;
    }
    QImage composed = composeOverlay(background, weather, plan);
    if (composed.isNull()) {
        messages_.show({.caption = QString(),
                        .text = QStringLiteral("Not enough memory to load datas"),
                        .buttons = MessageButtons::Ok,
                        .icon = MessageIcon::None});
        return false;
    }
    bitmap_ = std::move(composed);
    pictureChanged();
    return true;
}

QImage CImagePreview::DetachBitmap()
{
    QImage taken = std::exchange(bitmap_, QImage());
    pictureChanged();
    return taken;
}

void CImagePreview::ResetWindow()
{
    window_.ResetWindow();
    pictureChanged();
}

void CImagePreview::pictureChanged()
{
    ShowZoom();
    update();
}

void CImagePreview::ShowZoom()
{
    if (status_ && !bitmap_.isNull())
        status_->setText(window_.zoomText(bitmap_.width(), width()));
}

void CImagePreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (bitmap_.isNull())
        return;
    painter.setRenderHint(QPainter::SmoothPixmapTransform, bitmap_.depth() > 16);
    // A window panned past the picture's edge shows black there.
    const QRect source = window_.sourceRect(bitmap_.size());
    const QRect inside = source.intersected(bitmap_.rect());
    if (source.isEmpty() || inside.isEmpty())
        return;
    const double sx = static_cast<double>(width()) / source.width();
    const double sy = static_cast<double>(height()) / source.height();
    const QRectF target((inside.x() - source.x()) * sx, (inside.y() - source.y()) * sy, inside.width() * sx,
                        inside.height() * sy);
    painter.drawImage(target, bitmap_, inside);
}

void CImagePreview::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        window_.OnLButtonDown();
    else if (event->button() == Qt::RightButton)
        window_.OnRButtonDown();
    else
        return;
    // The pointer cannot be held inside the preview here; the grab keeps the drag with it.
    grabMouse();
    showCursor();
}

void CImagePreview::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton && event->button() != Qt::RightButton)
        return;
    window_.OnButtonUp();
    releaseMouse();
    showCursor();
}

void CImagePreview::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const bool moving = window_.cursor() != PreviewCursor::Arrow;
    window_.OnMouseMove(at.x(), at.y());
    if (moving)
        pictureChanged();
}

void CImagePreview::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || bitmap_.isNull())
        return;
    window_.OnLButtonDblClk(bitmap_.size(), size());
    pictureChanged();
}

void CImagePreview::showCursor()
{
    switch (window_.cursor()) {
    case PreviewCursor::Pan:
        setCursor(Qt::ClosedHandCursor);
        break;
    case PreviewCursor::Zoom:
        setCursor(Qt::SizeVerCursor);
        break;
    case PreviewCursor::Arrow:
        unsetCursor();
        break;
    }
}

} // namespace kiv
