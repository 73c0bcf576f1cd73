#pragma once
// The arithmetic of a World Data Bank view on its state: pixels of a place, the place under a
// pixel, the part of the background picture shown, centring, panning, zooming, the grid and
// the towns' population threshold. Longitudes are west-positive unless a name says east.
//
// Every extent these functions make has a span of at least kMinSpan degrees each way and lies
// inside the world; no picture side exceeds kMaxPictureSide.

#include "document/WDBViewState.h"

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace kiv::wdbview {

inline constexpr double kMinSpan = 0.01;       // degrees
inline constexpr double kMinAspectSpan = 2.0;  // degrees, for the both-button zoom keeping the aspect
inline constexpr int kMaxPictureSide = 8192;   // pixels
inline constexpr int kMinPictureSide = 16;
inline constexpr int kMinDragPixels = 3;       // a zoom box smaller than this either way is no zoom

double lonSpan(const WDBViewState& s);
double latSpan(const WDBViewState& s);
// Whether the state can be shown: finite, inside the world, spans of at least kMinSpan, a
// picture of sane size.
bool isValid(const WDBViewState& s);

// Picture pixel of an east longitude (above 180 lowered by 360) and of a latitude.
int xOf(const WDBViewState& s, double eastLon);
int yOf(const WDBViewState& s, double lat);
// The place under a picture pixel: x = west longitude, y = latitude.
QPointF placeAt(const WDBViewState& s, QPointF pixel);

// The part of a background picture of `map` pixels that the extent shows.
QRect sourceRect(const WDBViewState& s, QSize map);

// The extent moved to be centred on the place as far as the world's edges allow.
void centerOn(WDBViewState& s, double lat, double westLon);

// A drag of `delta` pixels, turned into degrees by the extent's degrees per pixel. Each axis
// moves only when both its edges stay inside the world. True when anything moved.
bool pan(WDBViewState& s, QPoint delta);
// Zooming with both buttons: the vertical drag shrinks or grows the extent keeping its aspect
// (down to kMinAspectSpan), or without keepAspect the horizontal and vertical drags change
// each span on their own (down to kMinSpan).
bool dragZoom(WDBViewState& s, QPoint delta, bool keepAspect);

// The state after a zoom box from corner a to corner b (either order) in a window of
// `clientWidth` pixels: the box's extent, the picture clientWidth wide and as high as the
// extent's aspect asks, within kMaxPictureSide. nullopt for a box under kMinDragPixels.
std::optional<WDBViewState> zoomBox(const WDBViewState& s, QPoint a, QPoint b, int clientWidth);
// A picture `width` wide of the aspect height/width, both sides within the limits.
QSize pictureSize(int width, double aspect);

// The grid's step in degrees: the static distance, or a tenth of the longitude span in whole
// degrees, or of the span's whole degrees, or for a span under a degree a tenth of the span;
// never below 1e-3.
double gridStep(const WDBViewState& s, bool staticGrid, double distance);
struct GridLine {
    int at = 0;        // x of a meridian, y of a parallel
    std::string label; // Latin-1, "36.00°E"
    bool operator==(const GridLine&) const = default;
};
void gridLines(const WDBViewState& s, double step, std::vector<GridLine>& meridians, std::vector<GridLine>& parallels);

// Towns below this population are left out while the dynamic town display is on.
int townThreshold(const WDBViewState& s);

// The frame's title while the pointer is over the picture, and while a zoom box is dragged
// (the pointer's place first, then the anchor's).
QString pointerTitle(const WDBViewState& s, QPoint pixel);
QString zoomTitle(const WDBViewState& s, QPoint pixel, QPoint anchor);

} // namespace kiv::wdbview
