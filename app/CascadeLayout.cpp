#include "app/CascadeLayout.h"

namespace kiv {

std::vector<QRect> cascadeLayout(const std::vector<QSize>& frameSizes, const QSize& area, int step)
{
    std::vector<QRect> out;
    int k = 0;
    for (const QSize& size : frameSizes) {
        QPoint at(k * step, k * step);
        QSize fitted = size.boundedTo(area - QSize(at.x(), at.y()));
        if (k > 0 && (fitted.width() < size.width() / 2 || fitted.height() < size.height() / 2)) {
            k = 0;
            at = QPoint(0, 0);
            fitted = size.boundedTo(area);
        }
        out.emplace_back(at, fitted);
        ++k;
    }
    return out;
}

} // namespace kiv
