#pragma once
// Pixel operations of the flat views on RGB32 images, where QPainter's raster operations give
// the wrong result (an AND fill with a hatch brush blackens the gaps) or cost too much per tick.
// Everything clips to the image and none of it allocates.

#include "views2d/MapProjection.h"
#include "views2d/SpanFiller.h"

#include <QImage>
#include <QPoint>

#include <span>

namespace kiv::raster {

// The 8 x 8 diagonal-cross hatch, anchored at the image origin.
constexpr bool hatchAt(int x, int y)
{
    const int u = x & 7, v = y & 7;
    return u == v || u == 7 - v;
}

// dst &= colour over the spans ("mask" mode).
void andSpans(QImage& image, std::span<const Span> spans, QRgb colour);
// The same, on the hatch's pixels only; the gaps stay untouched.
void andHatchSpans(QImage& image, std::span<const Span> spans, QRgb colour);
// Copies the spans' pixels from a picture of the image's size.
void copySpans(QImage& image, const QImage& source, std::span<const Span> spans);

void fillRect(QImage& image, const PixelRect& rect, QRgb colour);
// A raised outer and a sunken inner frame of one pixel each, inside the rectangle.
void bumpEdge(QImage& image, const PixelRect& rect);
// The rectangle's one-pixel frame, drawn on the hatch's pixels only.
void frameHatched(QImage& image, const PixelRect& rect, QRgb colour);

// A line from `from` up to, not including, `to`, `width` pixels wide (at least 1).
void line(QImage& image, QPoint from, QPoint to, QRgb colour, int width = 1);

// Blends a picture with its top-left corner at `at`: ARGB32 with or without premultiplied alpha,
// or opaque RGB32; other formats draw nothing.
void blend(QImage& image, const QImage& picture, QPoint at);
// Blends an 8-bit coverage mask (Alpha8) in one colour.
void blendMask(QImage& image, const QImage& mask, QPoint at, QRgb colour);

} // namespace kiv::raster
