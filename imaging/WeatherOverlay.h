#pragma once
// A weather picture laid over a whole-earth background map. The map runs from latitude +90 at
// the top to -90 at the bottom and from longitude +180 at the left edge to -180 at the right
// (longitudes count positive to the west); the weather picture covers the part from its
// top-left corner (startLat, startLon) to its bottom-right corner (endLat, endLon) and replaces
// the background there, without blending.

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

namespace kiv {

inline constexpr int kMaxOverlayWidth = 16384;
inline constexpr int kMaxOverlayHeight = 8192;

struct OverlayBounds {
    double startLat = 70.0;
    double startLon = 180.0;
    double endLat = -70.0;
    double endLon = -180.0;
};

struct OverlayPlan {
    enum class Error { None, Bounds, Size, Budget };
    Error error = Error::None;
    QSize mapSize;   // the composed map; when Size or Budget, what it would have been (may be huge)
    QRect placement; // where the weather picture goes in it
    double wantedWidth = 0.0, wantedHeight = 0.0;

    bool ok() const { return error == Error::None; }
};

// The composed map's size and the weather picture's place in it. A requested size of 0 x 0
// keeps the weather picture's own scale. Refused: bounds not ordered (startLat > endLat and
// startLon > endLon) or not finite, and a map outside 1..kMaxOverlayWidth x 1..kMaxOverlayHeight
// (also when only one side was requested as 0), and a map that does not fit the picture budget
// beside the `heldBytes` of pictures held while it is composed, or beside GL's copy of it as the
// globe's texture.
OverlayPlan planOverlay(const OverlayBounds& bounds, QSize weather, QSize requested, qint64 heldBytes = 0);
// Why a plan was refused, for a message box.
QString overlayErrorText(const OverlayPlan& plan, bool english);

// The background stretched over the whole map and the weather picture over its place; null when
// the memory for the map cannot be had.
QImage composeOverlay(const QImage& background, const QImage& weather, const OverlayPlan& plan);

} // namespace kiv
