#pragma once
// The sun and moon icons of the flat map, 32 x 32 with alpha, drawn in code.

#include <QImage>

namespace kiv {

QImage sunIcon();
QImage moonIcon();

} // namespace kiv
