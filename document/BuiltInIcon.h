#pragma once
// The built-in satellite icon (32 x 32, with alpha) for satellites without an icon file of their
// own and in place of icon files that cannot be read.

#include <QImage>

namespace kiv {

QImage builtInSatelliteIcon();

} // namespace kiv
