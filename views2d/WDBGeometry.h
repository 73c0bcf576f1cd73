#pragma once
// The arithmetic of a World Data Bank view on its state: pixels of a place, the place under a
// pixel, the part of the background picture shown, centring, panning, zooming, the grid and
// the towns' population threshold. Longitudes are west-positive unless a name says east.
//
// Every extent these functions make has a span of at least MapExtent::kMinSpan degrees each way
// and lies inside the world; no picture side exceeds MapExtent::kMaxPictureSide.

#include "document/WDBViewState.h"
#include "views2d/MapExtent.h"

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>
#include <string>
#include <vector>

namespace kiv::wdbview {

inline constexpr double kMinAspectSpan = 2.0; // degrees, for the both-button zoom keeping the aspect

MapExtent extentOf(const WDBViewState& s);
void setExtent(WDBViewState& s, const MapExtent& e);
inline QSize pictureOf(const WDBViewState& s) { return {s.width, s.height}; }

double lonSpan(const WDBViewState& s);
double latSpan(const WDBViewState& s);
// Whether the state can be shown: finite, inside the world, spans of at least kMinSpan, a
// picture of at most kMaxPictureSide a side.
bool isValid(const WDBViewState& s);

// Picture pixel of an east longitude (above 180 lowered by 360) and of a latitude.
int xOf(const WDBViewState& s, double eastLon);
int yOf(const WDBViewState& s, double lat);
// The extent moved to be centred on the place as far as the world's edges allow.
void centerOn(WDBViewState& s, double lat, double westLon);

// A drag of `delta` pixels, turned into degrees by the extent's degrees per pixel. Each axis
// moves only when both its edges stay inside the world. True when anything moved.
bool pan(WDBViewState& s, QPoint delta);
// Zooming with both buttons: the vertical drag shrinks or grows the extent keeping its aspect
// (down to kMinAspectSpan), or without keepAspect the horizontal and vertical drags change
// each span on their own (down to MapExtent::kMinSpan).
bool dragZoom(WDBViewState& s, QPoint delta, bool keepAspect);

// The state after a zoom box (picture pixels) in a window of `clientWidth` pixels: the box's
// extent inside the world, the picture clientWidth wide and as high as the extent's aspect asks.
WDBViewState zoomBox(const WDBViewState& s, const QRect& box, int clientWidth);

// The grid's step in degrees: the static distance, or a tenth of the longitude span in whole
// degrees, or of the span's whole degrees, or for a span under a degree a tenth of the span;
// never below 1e-3.
double gridStep(const WDBViewState& s, bool staticGrid, double distance);
struct GridLine {
    int at = 0;        // x of a meridian, y of a parallel
    std::string label; // Latin-1, "36.00°E"
    bool operator==(const GridLine&) const = default;
};
// The meridians and parallels of the step that lie on the picture, each with its label.
void gridLines(const WDBViewState& s, double step, std::vector<GridLine>& meridians, std::vector<GridLine>& parallels);

// The grid labels along one axis, in the order of their lines: each starts `back` pixels before
// its line, moved inside the picture's `length`; one that would come within `gap` pixels of the
// label before it is left out (nothing), so that fine steps do not print labels over each other.
class GridLabelRun {
public:
    GridLabelRun(int back, int length, int gap) : back_(back), length_(length), gap_(gap) {}
    std::optional<int> place(int line, int size);
    // The axis up to `end` is taken, as by a label before the first.
    void reserve(int end) { end_ = end; }

private:
    int back_, length_, gap_;
    std::optional<int> end_; // of the last label placed
};

// Towns below this population are left out while the dynamic town display is on.
int townThreshold(const WDBViewState& s);

} // namespace kiv::wdbview
