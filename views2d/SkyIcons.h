#pragma once
// The sun and moon icons of the flat map and the World Data Bank views' town marker, 32 x 32
// with alpha, drawn in code.

#include <QImage>

namespace kiv {

QImage sunIcon();
QImage moonIcon();
// A pin whose tip is at (16, 22).
QImage townIcon();

} // namespace kiv
