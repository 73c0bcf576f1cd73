#include "views2d/SpanFiller.h"

#include <algorithm>
#include <cmath>

namespace kiv {

namespace {
// The first pixel whose centre is at or right of (below) the coordinate.
int firstCentreFrom(double v) { return static_cast<int>(std::ceil(v - 0.5)); }
} // namespace

std::span<const Span> SpanFiller::fill(std::span<const QPoint> polygon, QSize clip, QPoint offset)
{
    spans_.clear();
    edges_.clear();
    const int n = static_cast<int>(polygon.size());
    if (n < 3 || clip.isEmpty())
        return spans_;
    for (int i = 0; i < n; ++i) {
        const QPoint a = polygon[i] + offset;
        const QPoint b = polygon[(i + 1) % n] + offset;
        if (a.y() == b.y())
            continue;
        const QPoint& top = a.y() < b.y() ? a : b;
        const QPoint& bottom = a.y() < b.y() ? b : a;
        const int first = std::max(firstCentreFrom(top.y()), 0);
        const int end = std::min(firstCentreFrom(bottom.y()), clip.height());
        if (first >= end)
            continue;
        edges_.push_back({.firstRow = first,
                          .endRow = end,
                          .x0 = double(top.x()),
                          .y0 = double(top.y()),
                          .slope = double(bottom.x() - top.x()) / (bottom.y() - top.y())});
    }
    if (edges_.empty())
        return spans_;
    std::sort(edges_.begin(), edges_.end(), [](const Edge& l, const Edge& r) { return l.firstRow < r.firstRow; });

    active_.clear();
    std::size_t next = 0;
    int endRow = 0;
    for (const Edge& e : edges_)
        endRow = std::max(endRow, e.endRow);
    for (int y = edges_.front().firstRow; y < endRow; ++y) {
        while (next < edges_.size() && edges_[next].firstRow == y)
            active_.push_back(&edges_[next++]);
        std::erase_if(active_, [y](const Edge* e) { return e->endRow <= y; });
        crossings_.clear();
        const double centre = y + 0.5;
        for (const Edge* e : active_)
            crossings_.push_back(e->x0 + (centre - e->y0) * e->slope);
        std::sort(crossings_.begin(), crossings_.end());
        for (std::size_t k = 0; k + 1 < crossings_.size(); k += 2) {
            const int x0 = std::max(firstCentreFrom(crossings_[k]), 0);
            const int x1 = std::min(firstCentreFrom(crossings_[k + 1]), clip.width());
            if (x0 < x1)
                spans_.push_back({.y = y, .x0 = x0, .x1 = x1});
        }
    }
    return spans_;
}

} // namespace kiv
