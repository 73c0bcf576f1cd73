#pragma once
// The toolbar's pictures, drawn by the program: the fixed buttons and one glyph per satellite
// slot (its number on the satellite's colour), 17 x 16 pixels.

#include <QIcon>

namespace kiv::glyphs {

// A fixed button by command id (play, pause, reset, zoom, draw, display all); a null icon for
// others.
QIcon commandIcon(int id);
// Satellite slot 0..254, tinted with a COLORREF.
QIcon satelliteIcon(int slot, unsigned colorRef);
// The application's icon: a globe with an orbit.
QIcon applicationIcon();

} // namespace kiv::glyphs
