#pragma once
// What a flat map shows, in degrees: left and right longitudes (west positive), top and bottom
// latitudes. The 2D map always shows the whole world; a World Data Bank view shows a part of it.
// Pixels of a picture of W x H map linearly onto the extent, left edge to right edge, top to
// bottom, so one formula serves both maps: the point under the mouse, the part of the map under
// a zoom box, the matching rectangle in the WDB background picture and the size of a view for it.

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>

namespace kiv {

// A place on the earth: latitude north-positive, longitude west-positive, in degrees.
struct GeoPoint {
    double lat = 0.0;
    double lonW = 0.0;
    bool operator==(const GeoPoint&) const = default;
};

struct MapExtent {
    // No extent is narrower than this, in either direction.
    static constexpr double kMinSpan = 0.01;
    // No picture made for an extent is larger than this on a side.
    static constexpr int kMaxPictureSide = 8192;
    // Nor narrower than this.
    static constexpr int kMinPictureWidth = 64;

    double left = 180.0;
    double right = -180.0;
    double top = 90.0;
    double bottom = -90.0;

    bool operator==(const MapExtent&) const = default;

    // The extent as the document's views exchange it (WDBViewPort::Extent): x, y the left and
    // top corner, width and height signed to the right and bottom one.
    static MapExtent fromRect(const QRectF& r) { return {r.x(), r.x() + r.width(), r.y(), r.y() + r.height()}; }
    QRectF toRect() const { return {left, top, right - left, bottom - top}; }

    // The point under pixel (x, y) of a W x H picture of this extent (floating division).
    GeoPoint pointAt(QPointF pixel, QSize picture) const;
    // The inverse: the pixel (before truncation) of a place with an east-positive longitude,
    // taken as it is (no folding into the world).
    QPointF pixelOf(double lat, double eastLon, QSize picture) const;
    // The part of the extent under a pixel box of a W x H picture; the box's corners may come in
    // any order and lie outside the picture, which clips them. Spans below kMinSpan grow about
    // the box's centre.
    MapExtent part(const QRect& box, QSize picture) const;
};

// The pixel rectangle of an extent in a whole-world picture of the given size (the World Data
// Bank background): left, top, right, bottom each truncated toward zero.
QRect sourceRect(const MapExtent& extent, QSize picture);

// The size of a picture of the extent, `width` pixels wide and as high as the extent's aspect
// asks: the width at least kMinPictureWidth, neither side above kMaxPictureSide (the other then
// shrinks to keep the aspect), and neither below 1.
QSize pictureSize(const MapExtent& extent, int width);

} // namespace kiv
