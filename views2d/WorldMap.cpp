#include "views2d/WorldMap.h"

#include "views2d/FlatMotion.h"
#include "views2d/MapProjection.h"
#include "views2d/Raster.h"
#include "views2d/SkyIcons.h"
#include "views2d/Terminator.h"
#include "platform/VectorUnitState.h"

#include <cmath>
#include <cstring>
#include <tuple>

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

void WorldMap::setSize(QSize size, const WorldMapScene& scene)
{
    if (size != image_.size()) {
        image_ = size.isEmpty() ? QImage() : QImage(size, QImage::Format_RGB32);
        if (!image_.isNull())
            image_.fill(kBlack);
    }
    maps_.update(day_, night_, size);
    computeSunAndMoon(scene);
    updateZoomBoxes(scene);
}

void WorldMap::setMaps(const QImage& day, const QImage& night)
{
    day_ = day;
    night_ = night;
    maps_.update(day_, night_, image_.size());
}

void WorldMap::layoutLabels(const SatelliteScene& satellites, LabelContent content)
{
    labels_ = content;
    const LabelMetrics metrics{glyphs_.lineHeight(), glyphs_.averageCharWidth()};
    for (int i = 0; i < satellites.count(); ++i)
        labelRects_[i] = kiv::labelRect(static_cast<int>(satellites.name(i).size()), content, metrics);
}

void WorldMap::setZoomBox(int index, const QRectF& extent)
{
    if (index >= 1 && index < kMaxZoomBoxes)
        zoomBoxes_[index] = zoomBoxRect(extent, image_.width(), image_.height());
}

void WorldMap::updateZoomBoxes(const WorldMapScene& scene)
{
    for (int i = 1; i <= scene.zoomBoxCount; ++i) {
        if (const std::optional<QRectF>& extent = scene.zoomBoxExtents[i])
            setZoomBox(i, *extent);
    }
}

void WorldMap::redraw(const WorldMapScene& scene)
{
    if (image_.isNull())
        return;
    kiv::clearUpperVectorState();
    computeSunAndMoon(scene);
    drawBackground();
    if (scene.nightTexture)
        drawNightTexture();
    if (scene.observer)
        drawObserverMarker();
    if (scene.tracks)
        drawTracks(scene);
    if (scene.footprints)
        drawFootprints(scene);
    drawSatellites(scene);
    if (scene.zoomBoxes)
        drawZoomBoxes(scene);
    if (scene.shadow)
        drawShadow();
    drawSunAndMoon(scene);
    drawn_.record([&](DrawnPositions& d) { listPositions(d, scene, sun_, moon_); });
}

bool WorldMap::moved(const WorldMapScene& scene)
{
    if (image_.isNull())
        return false;
    return drawn_.moved([&](DrawnPositions& d) {
        const auto [sun, moon] = sunAndMoonAt(scene.julianDate);
        listPositions(d, scene, sun, moon);
    });
}

void WorldMap::listPositions(DrawnPositions& drawn, const WorldMapScene& scene, QPointF sun, QPointF moon) const
{
    const int w = image_.width(), h = image_.height();
    listFlatSatellites(drawn, scene.satellites, MapExtent{}, image_.size(),
                       {.tracks = scene.tracks, .footprints = scene.footprints, .labels = labels_});
    for (const auto& [shown, at] : {std::pair{scene.sun, sun}, std::pair{scene.moon, moon}}) {
        if (shown) {
            const QPointF p = mapPointF(at.x(), foldLongitude(at.y()), w, h);
            drawn.point(p.x(), p.y());
        }
    }
    if (!scene.nightTexture && !scene.shadow)
        return;
    // The day/night line's quarter before it is mirrored, and its turn to the sun's longitude, as
    // terminatorPolygon scales them. The quarter's latitudes change sign with the sun's hemisphere,
    // which decides the pole the night closes over.
    const TerminatorEntries t = terminatorEntries(sun.x());
    const double halfW = w / 2, halfH = h / 2;
    drawn.point(std::fmod(sun.y(), 360.0) / 180.0 * halfW, 0.0);
    for (int i = 0; i < kTerminatorEntries / 4 && !drawn.decided(); ++i)
        drawn.point(t.entries[i].x() / 180.0 * halfW, t.entries[i].y() / 90.0 * halfH);
}

void WorldMap::computeSunAndMoon(const WorldMapScene& scene)
{
    julianDate_ = scene.julianDate;
    std::tie(sun_, moon_) = sunAndMoonAt(julianDate_);
}

std::pair<QPointF, QPointF> WorldMap::sunAndMoonAt(double julianDate)
{
    tagVECTOR sun, moon;
    orbit_.SunMoon(julianDate, &sun.x, &moon.x);
    const tagVECTOR s = orbit_.CalculateLatLonAlt(sun, julianDate);
    const tagVECTOR m = orbit_.CalculateLatLonAlt(moon, julianDate);
    return {{s.x, s.y}, {m.x, m.y}};
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

void WorldMap::drawTracks(const WorldMapScene& scene)
{
    const SatelliteScene& satellites = scene.satellites;
    for (const tagSATINFO& info : satellites.info) {
        if (!info.shown)
            continue;
        groundTrackPath(info.trackLat, info.trackLon, satellites.trackPoints, image_.width(), image_.height(), path_);
        QPoint at;
        for (const PathStep& step : path_) {
            if (step.draw)
                raster::line(image_, at, step.to, toRgb(info.color[0]), satellites.penWidth);
            at = step.to;
        }
    }
}

void WorldMap::drawFootprints(const WorldMapScene& scene)
{
    const int points = footprintPointCount(scene.satellites.footprintAccuracy);
    for (const tagSATINFO& info : scene.satellites.info) {
        const double angle = footprintAngle(info.footprintRadius, info.footprintDist);
        if (info.shown && angle > 0.0)
            drawFootprint(info.lat, foldLongitude(info.lon), angle, points, scene, toRgb(info.color[1]));
    }
}

void WorldMap::drawFootprint(double lat, double lon, double angle, int points, const WorldMapScene& scene, QRgb colour)
{
    const int width = image_.width();
    footprintShape(lat, lon, angle, points, width, image_.height(), vertices_, footprint_);
    // A footprint over the left or right edge shows again a turn away.
    for (const int offset : {0, width, -width}) {
        if ((offset > 0 && footprint_.minX >= 0) || (offset < 0 && footprint_.maxX <= width))
            continue;
        const std::span<const Span> inside = spans_.fill(footprint_.polygon, image_.size(), {offset, 0});
        if (scene.footprintStyle == 2)
            raster::andSpans(image_, inside, kShade);
        else if (scene.footprintStyle == 3)
            raster::andHatchSpans(image_, inside, kHatch);
        drawPolyline(footprint_.outline, {offset, 0}, kBlack, scene.satellites.penWidth);
        if (scene.colouredFootprints)
            drawPolyline(footprint_.outline, {offset, 0}, colour, scene.satellites.penWidth);
    }
}

void WorldMap::drawSatellites(const WorldMapScene& scene)
{
    const SatelliteScene& satellites = scene.satellites;
    for (int i = 0; i < satellites.count(); ++i) {
        const tagSATINFO& info = satellites.info[i];
        if (!info.shown)
            continue;
        const QPoint centre = iconPoint(info.lat, info.lon, image_.width(), image_.height());
        raster::blend(image_, satellites.icon(i), centre - QPoint(kHalfIcon, kHalfIcon));
        if (labels_.any())
            drawLabel(scene, i, centre);
    }
}

void WorldMap::drawLabel(const WorldMapScene& scene, int slot, QPoint centre)
{
    const SatelliteScene& satellites = scene.satellites;
    const PixelRect box = placeLabel(labelRects_[slot], centre, image_.size());
    paintLabel(image_, glyphs_, box, satellites.name(slot), satellites.info[slot], labels_,
               satellites.eastLetter, line_);
}

void WorldMap::drawZoomBoxes(const WorldMapScene& scene)
{
    updateZoomBoxes(scene); // the views pan and zoom between ticks
    for (int i = 1; i <= scene.zoomBoxCount; ++i)
        raster::frameHatched(image_, zoomBoxes_[i], kRed);
}

void WorldMap::drawShadow()
{
    const TerminatorPolygon night = terminatorPolygon(sun_.x(), sun_.y(), image_.width(), image_.height());
    raster::andSpans(image_, spans_.fill(night.points, image_.size()), kShade);
}

void WorldMap::drawSunAndMoon(const WorldMapScene& scene)
{
    const auto place = [this](const QImage& icon, QPointF at) {
        const QPoint centre = iconPoint(at.x(), at.y(), image_.width(), image_.height());
        raster::blend(image_, icon, centre - QPoint(kHalfIcon, kHalfIcon));
    };
    if (scene.sun)
        place(sunIcon_, sun_);
    if (scene.moon)
        place(moonIcon_, moon_);
}

} // namespace kiv
