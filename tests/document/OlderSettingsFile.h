#pragma once
// A settings file of the older layout, written item by item: the 2D view's items only with
// show2D, the model block only with model; the element file "old.tle", the colour table
// "old.clr", the map "map2d.bmp". Its values say where they came from (see the tests).

#include "document/ElementFile.h"

#include <QByteArray>

#include <vector>

namespace kiv::test {

// Two satellites "A" and "B" with made-up lines unless sets are given.
QByteArray olderFile(bool show2D, bool model, const std::vector<ElementLines>& satellites = {});

} // namespace kiv::test
