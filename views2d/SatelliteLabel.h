#pragma once
// The box above a satellite's icon and its lines: the name and three position lines. Texts are
// Latin-1 bytes (the degree sign is 0xB0), as the map's glyph atlas draws them.

#include "views2d/MapProjection.h"

#include <QPoint>
#include <QSize>

#include <string>
#include <string_view>

class QImage;
struct tagSATINFO;

namespace kiv {

class GlyphAtlas;

struct LabelMetrics {
    int lineHeight = 12;
    int charWidth = 6; // average character width
};

struct LabelContent {
    bool names = false;
    bool positions = false;
    bool any() const { return names || positions; }
};

// The box relative to the icon centre: centred above the icon, one spare line at the bottom.
PixelRect labelRect(int nameLength, LabelContent content, const LabelMetrics& metrics);

// Where a box laid out by labelRect goes for an icon at `centre` in a picture of `picture`:
// above the icon, or below it where the top edge would cut it off, and moved sideways (and up
// from the bottom edge) so that all of it shows; a box larger than the picture keeps its
// top-left corner inside.
PixelRect placeLabel(const PixelRect& box, QPoint centre, QSize picture);

// "Lat : 12.50° S"; lat in degrees north.
void latitudeLine(double lat, std::string& out);
// "Lon : 160.00° W" for lon 200; east longitudes up to 180 take `eastLetter` ('E', or 'O' in German).
void longitudeLine(double lon, char eastLetter, std::string& out);
// "Alt : 9999.00 km" below 10 thousand km, "Alt : 10.000 Tkm" from there on; alt in thousands of km.
void altitudeLine(double alt, std::string& out);

// The label in its placed box: white with a raised edge, the name and the position lines in black
// as `labels` asks; `line` is the caller's buffer, kept between labels.
void paintLabel(QImage& image, const GlyphAtlas& glyphs, const PixelRect& box, std::string_view name,
                const tagSATINFO& info, LabelContent labels, char eastLetter, std::string& line);

} // namespace kiv
