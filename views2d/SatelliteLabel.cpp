#include "views2d/SatelliteLabel.h"

#include "document/tagSATINFO.h"
#include "platform/Numbers.h"
#include "views2d/GlyphAtlas.h"
#include "views2d/Raster.h"

#include <algorithm>

namespace kiv {

namespace {
constexpr int kHalfIcon = 16;
constexpr char kDegree = '\xB0';

void setLine(std::string& out, const char* head, double value, int decimals, const char* tail)
{
    out.assign(head);
    out += kiv::formatFixed(value, decimals);
    out += tail;
}
} // namespace

PixelRect labelRect(int nameLength, LabelContent content, const LabelMetrics& metrics)
{
    int width = (nameLength + 2) * (metrics.charWidth + 2);
    if (content.positions)
        width = std::max(width, 19 * metrics.charWidth);
    const int lines = 1 + (content.names ? 1 : 0) + (content.positions ? 3 : 0);
    const int height = lines * metrics.lineHeight;
    return {-width / 2, -height - kHalfIcon, width / 2, -kHalfIcon};
}

PixelRect placeLabel(const PixelRect& box, QPoint centre, QSize picture)
{
    PixelRect r = box.translated(centre);
    const int height = r.bottom - r.top;
    if (r.top < 0) {
        // Mirrored below the icon.
        r.top = centre.y() - box.bottom;
        r.bottom = r.top + height;
    }
    const auto shift = [](int& low, int& high, int limit) {
        const int d = high > limit ? limit - high : 0;
        low += d;
        high += d;
        if (low < 0) {
            high -= low;
            low = 0;
        }
    };
    shift(r.left, r.right, picture.width());
    shift(r.top, r.bottom, picture.height());
    return r;
}

void latitudeLine(double lat, std::string& out)
{
    const char tail[] = {kDegree, ' ', lat < 0.0 ? 'S' : 'N', '\0'};
    setLine(out, "Lat : ", lat < 0.0 ? -lat : lat, 2, tail);
}

void longitudeLine(double lon, char eastLetter, std::string& out)
{
    const bool east = lon <= 180.0;
    const char tail[] = {kDegree, ' ', east ? eastLetter : 'W', '\0'};
    setLine(out, "Lon : ", east ? lon : 360.0 - lon, 2, tail);
}

void altitudeLine(double alt, std::string& out)
{
    if (alt < 10.0)
        setLine(out, "Alt : ", alt * 1000.0, 2, " km");
    else
        setLine(out, "Alt : ", alt, 3, " Tkm");
}

void paintLabel(QImage& image, const GlyphAtlas& glyphs, const PixelRect& box, std::string_view name,
                const tagSATINFO& info, LabelContent labels, char eastLetter, std::string& line)
{
    raster::fillRect(image, box, 0xFFFFFFFF);
    raster::bumpEdge(image, box);
    QPoint at(box.left + 5, box.top + 5);
    const auto next = [&] {
        glyphs.draw(image, at, line, 0xFF000000);
        at.ry() += glyphs.lineHeight();
    };
    if (labels.names) {
        line.assign(name);
        next();
    }
    if (labels.positions) {
        latitudeLine(info.lat, line);
        next();
        longitudeLine(info.lon, eastLetter, line);
        next();
        altitudeLine(info.alt, line);
        next();
    }
}

} // namespace kiv
