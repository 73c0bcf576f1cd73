#pragma once
// The sky's wire frame: azimuth meridians and elevation circles with their labels, the compass
// names and horizon ring, and the small figure of the observer. Drawn through a sink with a
// current position (move, line to), so that tests can record what is drawn where.
//
// Pass 0 is the back pass: lines facing the viewer, and single pixels for the back of the
// sphere. Pass 1 is the front pass: the lines again, over what was drawn between, and the
// labels. In flat mode nothing counts as the back. With the hemisphere rule on, no line ends
// below the horizon and no back pixel is set there.

#include "views2d/SkyProjection.h"
#include "views2d/SkySettings.h"

#include <QPoint>
#include <QRect>
#include <QRgb>

#include <span>
#include <string_view>

namespace kiv {

class SkySink {
public:
    virtual ~SkySink() = default;
    virtual void moveTo(QPoint p) = 0;
    // A line from the current position to p (exclusive), which becomes the current position.
    virtual void lineTo(QPoint p, QRgb colour) = 0;
    virtual void pixel(QPoint p, QRgb colour) = 0;
    // Latin-1 text placed by the top-left corner of its cell, or by the middle of its top edge.
    virtual void text(QPoint at, std::string_view latin1, QRgb colour, bool centred) = 0;
    virtual void polygon(std::span<const QPoint> points, QRgb pen, QRgb fill) = 0;
    virtual void ellipse(const QRect& box, QRgb pen, QRgb fill) = 0;
};

QRgb skyColour(COLORREF c);
QPoint truncated(const ScreenPoint& p);

void drawAzimuthGrid(SkySink& sink, const SkyMeshes& meshes, const SkyProjection& view, const SkySettings& s, int pass);
void drawElevationGrid(SkySink& sink, const SkyMeshes& meshes, const SkyProjection& view, const SkySettings& s, int pass);
// The eight names 12 % outside the sphere and, when switched on, the horizon ring in the
// azimuth-line colour; nothing at all with the compass off.
void drawCompass(SkySink& sink, const SkyMeshes& meshes, const SkyProjection& view, const SkySettings& s);
// Ground square and stick figure; the ground first when the sphere is seen from above.
void drawMan(SkySink& sink, const SkyProjection& view, const SkySettings& s);

} // namespace kiv
