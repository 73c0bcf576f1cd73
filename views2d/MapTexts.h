#pragma once
// The flat maps' frame titles while the mouse moves over them: the place under the pointer, or
// the two corners of a zoom box being dragged. Numbers are formatted without the locale.

#include "views2d/MapExtent.h"

#include <QPoint>
#include <QString>

namespace kiv::mapTexts {

// "lat = 12.50° S/ lon = 3.00° E :: x = 360 y = 180": 'N' from latitude 0 up, 'W' from
// longitude 0 west, the other hemispheres with the absolute value.
QString positionTitle(const GeoPoint& at, QPoint pixel);
// "lat1 = 45.00° N/ lon1 = 0.00° W ::lat2 = 0.00° N/ lon2 = 90.00° E".
QString zoomTitle(const GeoPoint& first, const GeoPoint& second);

} // namespace kiv::mapTexts
