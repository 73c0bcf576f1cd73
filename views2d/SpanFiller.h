#pragma once
// Even-odd polygon filling as horizontal spans. A pixel belongs to the polygon when its centre
// lies inside, which leaves out the right and bottom edges of a rectangle, as the map has always
// drawn. The filler keeps its buffers, so filling does not allocate once they have grown.

#include <QPoint>
#include <QSize>

#include <span>
#include <vector>

namespace kiv {

struct Span {
    int y = 0;
    int x0 = 0; // first pixel
    int x1 = 0; // one past the last
};

class SpanFiller {
public:
    // Spans of the polygon (closed implicitly) inside a picture of the given size, row by row,
    // left to right; valid until the next call.
    std::span<const Span> fill(std::span<const QPoint> polygon, QSize clip, QPoint offset = {});

private:
    struct Edge {
        int firstRow, endRow; // rows [firstRow, endRow)
        double x0, y0, slope; // x = x0 + (y - y0) * slope
    };
    std::vector<Edge> edges_;
    std::vector<const Edge*> active_;
    std::vector<double> crossings_;
    std::vector<Span> spans_;
};

} // namespace kiv
