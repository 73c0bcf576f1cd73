#include "platform/ColorSwatch.h"

#include <QMouseEvent>
#include <QPainter>

namespace kiv {

ColorSwatch::ColorSwatch(const QString& caption, QWidget* parent) : QFrame(parent), caption_(caption)
{
    setFrameStyle(QFrame::Box | QFrame::Sunken);
    setMinimumHeight(fontMetrics().height() * 2);
}

void ColorSwatch::setColor(std::optional<COLORREF> color)
{
    if (color == color_)
        return;
    color_ = color;
    update();
}

QSize ColorSwatch::sizeHint() const
{
    return {std::max(75, fontMetrics().horizontalAdvance(caption_) + 12), fontMetrics().height() * 2};
}

void ColorSwatch::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    const QRect inside = contentsRect();
    QColor text = palette().color(QPalette::WindowText);
    if (color_) {
        // The palette flag in the top byte does not change the colour shown.
        const QColor fill(redOf(*color_), greenOf(*color_), blueOf(*color_));
        p.fillRect(inside, fill);
        text = fill.lightness() < 128 ? Qt::white : Qt::black;
    }
    p.setPen(text);
    p.drawText(inside, Qt::AlignCenter, caption_);
    p.end();
    QFrame::paintEvent(event);
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && onClicked)
        onClicked();
    QFrame::mouseReleaseEvent(event);
}

} // namespace kiv
