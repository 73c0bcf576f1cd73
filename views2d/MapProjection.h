#pragma once
// The flat map's plate carrée projection: longitude -180 at the left edge, latitude 90 at the
// top, pixels by truncation toward zero. Positions come as the orbit library gives them
// (longitudes east, 0..360); the map shows -180..180.

#include <QPoint>
#include <QPointF>
#include <QRectF>

namespace kiv {

// A rectangle as the drawing code keeps it: right and bottom lie just outside.
struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    PixelRect translated(QPoint d) const { return {left + d.x(), top + d.y(), right + d.x(), bottom + d.y()}; }
    bool operator==(const PixelRect&) const = default;
};

// A longitude of 0..360 on the map's -180..180: values above 180 lose a turn.
constexpr double foldLongitude(double lon) { return lon > 180.0 ? lon - 360.0 : lon; }

// Map pixel of (lat, lon) before truncation; any longitude, no wrapping.
QPointF mapPointF(double lat, double lon, int width, int height);

// A pixel coordinate from a double, kept in [low, high] so that far-off or non-finite values
// cannot overflow the conversion to int.
int clampedPixel(double value, int low, int high);

// Truncated map pixel, clamped to a generous band around the picture.
QPoint mapPoint(double lat, double lon, int width, int height);

// Where an icon, the sun or the moon stands: x taken modulo the width, so that longitudes of
// 180..360 wrap to the left half.
QPoint iconPoint(double lat, double lon, int width, int height);

// A World Data Bank view's extent (x, y: west-positive longitude and latitude of one corner;
// width and height signed to the opposite corner) as a map rectangle. Its corners keep the
// extent's order, so a box dragged right to left has right < left.
PixelRect zoomBoxRect(const QRectF& extent, int width, int height);

} // namespace kiv
