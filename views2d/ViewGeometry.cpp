#include "views2d/ViewGeometry.h"

namespace kiv {

FrameFit fitFrame(QSize area, const QMargins& insets, QSize base)
{
    const bool fits = base.width() <= area.width() && base.height() <= area.height();
    if (!fits) // the width takes the top inset, as the frames have always been placed
        return {QRect(0, 0, base.width() + insets.top() + 2, area.height()), false};
    const QSize size(base.width() + insets.right() + 2 * insets.left(), base.height() + insets.top() + 2 * insets.bottom());
    return {QRect(QPoint((area.width() - base.width()) / 2, (area.height() - base.height()) / 2), size), true};
}

QRect fitToPage(QSize picture, const QRect& page)
{
    if (picture.isEmpty() || page.isEmpty())
        return {};
    const QSize size = picture.scaled(page.size(), Qt::KeepAspectRatio);
    return QRect(page.topLeft() + QPoint((page.width() - size.width()) / 2, (page.height() - size.height()) / 2), size);
}

} // namespace kiv
