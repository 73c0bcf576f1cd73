#include "views2d/WorldMap.h"

#include "document/CKivDoc.h"
#include "views2d/MapProjection.h"
#include "views2d/Raster.h"
#include "views2d/SkyIcons.h"
#include "views2d/Terminator.h"
#include "platform/VectorUnitState.h"

#include <cstring>

namespace kiv {

namespace {
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kShade = 0xFF969696; // (150, 150, 150): night side, and the inside of "area" footprints
constexpr QRgb kHatch = 0xFF646464; // (100, 100, 100): the lines of "checked" footprints
constexpr int kHalfIcon = 16;

QRgb toRgb(COLORREF c) { return qRgb(kiv::redOf(c), kiv::greenOf(c), kiv::blueOf(c)); }
} // namespace

WorldMap::WorldMap() : glyphs_(labelFont()), sunIcon_(sunIcon()), moonIcon_(moonIcon()) {}

void WorldMap::setSize(QSize size, const CKivDoc& doc)
{
    if (size != image_.size()) {
        image_ = size.isEmpty() ? QImage() : QImage(size, QImage::Format_RGB32);
        if (!image_.isNull())
            image_.fill(kBlack);
    }
    maps_.update(day_, night_, size);
    computeSunAndMoon(doc);
    updateZoomBoxes(doc);
}

void WorldMap::setMaps(const QImage& day, const QImage& night)
{
    day_ = day;
    night_ = night;
    maps_.update(day_, night_, image_.size());
}

void WorldMap::layoutLabels(const CKivDoc& doc, LabelContent content)
{
    labels_ = content;
    const LabelMetrics metrics{glyphs_.lineHeight(), glyphs_.averageCharWidth()};
    for (int i = 0; i < doc.SatelliteCount; ++i)
        labelRects_[i] = kiv::labelRect(static_cast<int>(strnlen(doc.Satellites[i].name, sizeof doc.Satellites[i].name)),
                                   content, metrics);
}

void WorldMap::setZoomBox(int index, const QRectF& extent)
{
    if (index >= 1 && index < kMaxZoomBoxes)
        zoomBoxes_[index] = zoomBoxRect(extent, image_.width(), image_.height());
}

void WorldMap::updateZoomBoxes(const CKivDoc& doc)
{
    for (int i = 1; i <= doc.Views.wdbCount() && i < kMaxZoomBoxes; ++i) {
        if (doc.Views.wdb(i))
            setZoomBox(i, doc.Views.wdb(i)->Extent());
    }
}

void WorldMap::redraw(const CKivDoc& doc)
{
    if (image_.isNull())
        return;
    kiv::clearUpperVectorState();
    computeSunAndMoon(doc);
    drawBackground();
    if (doc.DayNight2D)
        drawNightTexture();
    if (doc.ShowObs)
        drawObserverMarker();
    if (doc.ShowCourse2D)
        drawTracks(doc);
    if (doc.Footprint2D)
        drawFootprints(doc);
    drawSatellites(doc);
    if (doc.ShowWDB)
        drawZoomBoxes(doc);
    if (doc.DrawDayNightLine2D)
        drawShadow();
    drawSunAndMoon(doc);
}

void WorldMap::computeSunAndMoon(const CKivDoc& doc)
{
    julianDate_ = doc.SimTime.julianDate();
    tagVECTOR sun, moon;
    doc.Orbit.SunMoon(julianDate_, &sun.x, &moon.x);
    const tagVECTOR s = doc.Orbit.CalculateLatLonAlt(sun, julianDate_);
    const tagVECTOR m = doc.Orbit.CalculateLatLonAlt(moon, julianDate_);
    sun_ = {s.x, s.y};
    moon_ = {m.x, m.y};
}

void WorldMap::drawBackground()
{
    if (maps_.day().size() == image_.size())
        std::memcpy(image_.bits(), maps_.day().constBits(), image_.sizeInBytes());
}

void WorldMap::drawNightTexture()
{
    // Night pixels from the night map, day pixels stay: one pass instead of blackening both
    // maps' other sides and combining them.
    if (maps_.night().size() != image_.size())
        return;
    const TerminatorPolygon night = terminatorPolygon(sun_.x(), sun_.y(), image_.width(), image_.height());
    raster::copySpans(image_, maps_.night(), spans_.fill(night.points, image_.size()));
}

void WorldMap::drawObserverMarker()
{
    if (!observer_)
        return;
    const ObserverMarkerShape m = observerMarker(*observer_, image_.width(), image_.height());
    raster::line(image_, m.line1[0], m.line1[1], kRed);
    raster::line(image_, m.line2[0], m.line2[1], kRed);
    drawPolyline(m.arrow, {}, kRed, 1);
    for (std::size_t k = 0; k < m.letters.size(); ++k)
        glyphs_.draw(image_, m.letters[k], std::string_view(&kObserverLetters[k], 1), kRed);
}

void WorldMap::drawPolyline(std::span<const QPoint> points, QPoint offset, QRgb colour, int width)
{
    for (std::size_t k = 1; k < points.size(); ++k)
        raster::line(image_, points[k - 1] + offset, points[k] + offset, colour, width);
}

void WorldMap::drawTracks(const CKivDoc& doc)
{
    for (int i = 0; i < doc.SatelliteCount; ++i) {
        const tagSATINFO& info = doc.SatInfo[i];
        if (!info.shown)
            continue;
        groundTrackPath(info.trackLat, info.trackLon, doc.NrOfPoints, image_.width(), image_.height(), path_);
        QPoint at;
        for (const PathStep& step : path_) {
            if (step.draw)
                raster::line(image_, at, step.to, toRgb(info.color[0]), doc.PenWidth);
            at = step.to;
        }
    }
}

void WorldMap::drawFootprints(const CKivDoc& doc)
{
    const int points = footprintPointCount(doc.AccuracyX);
    for (int i = 0; i < doc.SatelliteCount; ++i) {
        const tagSATINFO& info = doc.SatInfo[i];
        const double angle = footprintAngle(info.footprintRadius, info.footprintDist);
        if (info.shown && angle > 0.0)
            drawFootprint(info.lat, foldLongitude(info.lon), angle, points, doc, toRgb(info.color[1]));
    }
}

void WorldMap::drawFootprint(double lat, double lon, double angle, int points, const KivSettings& settings, QRgb colour)
{
    const int width = image_.width();
    footprintShape(lat, lon, angle, points, width, image_.height(), vertices_, footprint_);
    // A footprint over the left or right edge shows again a turn away.
    for (const int offset : {0, width, -width}) {
        if ((offset > 0 && footprint_.minX >= 0) || (offset < 0 && footprint_.maxX <= width))
            continue;
        const std::span<const Span> inside = spans_.fill(footprint_.polygon, image_.size(), {offset, 0});
        if (settings.FootprintStyle == 2)
            raster::andSpans(image_, inside, kShade);
        else if (settings.FootprintStyle == 3)
            raster::andHatchSpans(image_, inside, kHatch);
        drawPolyline(footprint_.outline, {offset, 0}, kBlack, settings.PenWidth);
        if (settings.Footprint2DColored)
            drawPolyline(footprint_.outline, {offset, 0}, colour, settings.PenWidth);
    }
}

void WorldMap::drawSatellites(const CKivDoc& doc)
{
    for (int i = 0; i < doc.SatelliteCount; ++i) {
        const tagSATINFO& info = doc.SatInfo[i];
        if (!info.shown)
            continue;
        const QPoint centre = iconPoint(info.lat, info.lon, image_.width(), image_.height());
        const int index = info.iconIndex >= 0 && info.iconIndex < kMaxSatellites ? info.iconIndex : 0;
        const QImage& icon = doc.Icons[index].icon.isNull() ? doc.Icons[0].icon : doc.Icons[index].icon;
        raster::blend(image_, icon, centre - QPoint(kHalfIcon, kHalfIcon));
        if (labels_.any())
            drawLabel(doc, i, centre);
    }
}

void WorldMap::drawLabel(const CKivDoc& doc, int slot, QPoint centre)
{
    const PixelRect box = placeLabel(labelRects_[slot], centre, image_.size());
    const char* name = doc.Satellites[slot].name;
    paintLabel(image_, glyphs_, box, std::string_view(name, strnlen(name, sizeof doc.Satellites[slot].name)),
               doc.SatInfo[slot], labels_, doc.Language == 0 ? 'O' : 'E', line_);
}

void WorldMap::drawZoomBoxes(const CKivDoc& doc)
{
    updateZoomBoxes(doc); // the views pan and zoom between ticks
    for (int i = 1; i <= doc.Views.wdbCount() && i < kMaxZoomBoxes; ++i)
        raster::frameHatched(image_, zoomBoxes_[i], kRed);
}

void WorldMap::drawShadow()
{
    const TerminatorPolygon night = terminatorPolygon(sun_.x(), sun_.y(), image_.width(), image_.height());
    raster::andSpans(image_, spans_.fill(night.points, image_.size()), kShade);
}

void WorldMap::drawSunAndMoon(const CKivDoc& doc)
{
    const auto place = [this](const QImage& icon, QPointF at) {
        const QPoint centre = iconPoint(at.x(), at.y(), image_.width(), image_.height());
        raster::blend(image_, icon, centre - QPoint(kHalfIcon, kHalfIcon));
    };
    if (doc.DrawSun2D)
        place(sunIcon_, sun_);
    if (doc.DrawMoon2D)
        place(moonIcon_, moon_);
}

} // namespace kiv
