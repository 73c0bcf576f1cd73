#pragma once
// The sky view's geometry and mouse arithmetic as plain functions: the sphere's size and place
// in the window, dragging the observer, turning and tilting the sphere, zooming, and the
// observer's marker on the flat map.

#include "orbit/CSGP4_SDP4.h"
#include "views2d/ObserverMarker.h"
#include "views2d/SkyProjection.h"

#include <QPoint>
#include <QSize>

namespace kiv {

inline constexpr double kMinSkyZoom = 0.1;
inline constexpr double kMaxSkyZoom = 20.0;

struct SkyPlacement {
    int baseRadius = 1; // at zoom 1
    int radius = 1;
    int centreX = 0, centreY = 0;
};

// Radius half the smaller side less 30 pixels, never below 1; the centre a little low to leave
// room for the "N" above the sphere.
SkyPlacement placeSky(QSize window, double zoom);
// Pointer moved by `delta` (previous minus current position) with the left button: the
// latitude follows the vertical motion and stops at the poles, the longitude the horizontal
// motion, wrapped into -pi..pi. Radians.
void dragObserver(tagVECTOR& observer, QPoint delta);
// With the right button: the turn follows the horizontal motion and, unless flat, the tilt the
// vertical one; both wrapped into -180..180 degrees.
void dragSphere(SkyProjection& view, QPoint delta, bool flat);
// With both buttons: the zoom factor follows the vertical motion, kept to 0.1..20.
double zoomed(double zoom, QPoint delta);
// Where the 2D map draws the observer.
ObserverMarkerState observerMarkerState(const tagVECTOR& observer, double turn, double tilt);

} // namespace kiv
