#include "views2d/WDBMap.h"

#include "views2d/FlatMotion.h"
#include "views2d/Raster.h"
#include "views2d/SkyIcons.h"

#include <QPainter>

#include <cmath>
#include <cstring>
#include <span>

namespace kiv {

namespace {

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kShade = 0xFF969696; // (150, 150, 150): "area" footprints
constexpr int kHalfIcon = 16;

QRgb toRgb(COLORREF c) { return qRgb(redOf(c), greenOf(c), blueOf(c)); }

// The reader's lines as polylines, one pen per layer.
class PainterSink : public wdb::Sink {
public:
    PainterSink(QPainter& painter, const WDBColorTable& colors) : painter_(painter), colors_(colors) {}
    ~PainterSink() override { flush(); }
    void setLayer(int layer) override
    {
        if (layer == layer_)
            return;
        flush();
        layer_ = layer;
        const auto i = static_cast<std::size_t>(layer);
        QPen pen(QColor::fromRgb(toRgb(colors_.colors[i])));
        pen.setWidth(clampedPenWidth(colors_.widths[i]));
        painter_.setPen(pen);
    }
    void moveTo(wdb::Scale::Pixel p) override
    {
        flush();
        points_.push_back({p.x, p.y});
    }
    void lineTo(wdb::Scale::Pixel p) override
    {
        if (points_.empty() || points_.back() != QPoint(p.x, p.y))
            points_.push_back({p.x, p.y});
    }
    void flush()
    {
        if (points_.size() >= 2)
            painter_.drawPolyline(points_.data(), static_cast<int>(points_.size()));
        points_.clear();
    }

private:
    QPainter& painter_;
    const WDBColorTable& colors_;
    int layer_ = -1;
    std::vector<QPoint> points_;
};

} // namespace

WDBMap::WDBMap() : colors_(defaultWDBColors()), glyphs_(labelFont()), townIcon_(townIcon())
{
    setState(state_);
}

bool WDBMap::setState(const WDBViewState& state)
{
    if (!wdbview::isValid(state))
        return false;
    state_ = state;
    const QSize size(state.width, state.height);
    if (image_.size() != size) {
        image_ = QImage(size, QImage::Format_RGB32);
        image_.fill(toRgb(colors_.colors[0]));
        base_ = image_;
    }
    return true;
}

std::array<bool, wdb::kLayerFlags> WDBMap::layersFromMasks(int bdy, int cil, int riv, int pby)
{
    std::array<bool, wdb::kLayerFlags> layers{};
    const struct {
        int mask, first, count;
    } groups[] = {{.mask = bdy, .first = 1, .count = 3},
                  {.mask = cil, .first = 4, .count = 12},
                  {.mask = riv, .first = 16, .count = 11},
                  {.mask = pby, .first = 27, .count = 2}};
    for (const auto& g : groups)
        for (int b = 0; b < g.count; ++b)
            layers[g.first + b] = (g.mask >> b) & 1;
    return layers;
}

void WDBMap::drawBackground(const QImage& map, bool texture, bool smooth)
{
    if (!texture || map.isNull()) {
        image_.fill(toRgb(colors_.colors[0]));
        return;
    }
    QPainter p(&image_);
    p.setRenderHint(QPainter::SmoothPixmapTransform, smooth);
    QRect source = sourceRect(wdbview::extentOf(state_), map.size());
    // However deep the zoom, at least one pixel of the picture.
    if (source.width() < 1)
        source.setWidth(1);
    if (source.height() < 1)
        source.setHeight(1);
    p.drawImage(QRect(0, 0, state_.width, state_.height), map, source);
}

wdb::PassResult WDBMap::drawVectors(const std::array<bool, wdb::kLayerFlags>& layers, bool allLayers,
                                    const std::function<std::string(int, int)>& pathOf,
                                    const std::function<void()>& afterFile)
{
    const wdb::Scale scale(state_.width, state_.height, state_.left, state_.right, state_.top, state_.bottom);
    auto kindsOf = [](const std::array<bool, wdb::kLayerFlags>& flags) {
        std::array<bool, wdb::kKinds> kinds{};
        for (int layer = 1; layer < wdb::kLayerFlags; ++layer)
            if (flags[layer] && wdb::kindOfLayer(layer) >= 0)
                kinds[wdb::kindOfLayer(layer)] = true;
        return kinds;
    };
    constexpr int kFirstPass[] = {1, 4, 27};

    QPainter painter(&image_);
    PainterSink sink(painter, colors_);
    wdb::Selection first;
    first.continents.fill(true);
    for (int layer : kFirstPass)
        first.layers[layer] = layers[layer];
    first.kinds = kindsOf(first.layers);
    wdb::PassResult result = wdb::drawWorldDataBase(pathOf, first, scale, sink, [&] {
        sink.flush();
        if (afterFile)
            afterFile();
    });
    if (result.status != wdb::FileStatus::Ok)
        return result;

    wdb::Selection second;
    second.continents = result.seen;
    if (second.continents == std::array<bool, wdb::kContinents>{})
        second.continents.fill(true);
    if (allLayers) {
        second.layers.fill(true);
        second.layers[0] = second.layers[29] = false;
        for (int layer : kFirstPass)
            second.layers[layer] = !layers[layer];
    } else {
        second.layers = layers;
        for (int layer : kFirstPass)
            second.layers[layer] = false;
    }
    second.kinds = kindsOf(second.layers);
    const wdb::PassResult more = wdb::drawWorldDataBase(pathOf, second, scale, sink, [&] {
        sink.flush();
        if (afterFile)
            afterFile();
    });
    result.status = more.status;
    result.file = more.file;
    for (std::size_t c = 0; c < result.seen.size(); ++c)
        result.seen[c] = result.seen[c] || more.seen[c];
    return result;
}

void WDBMap::drawGrid(const WDBScene& scene, bool dragging)
{
    if (!scene.grid || (dragging && !(scene.zoomStyle & 1)))
        return;
    const double step = wdbview::gridStep(state_, scene.staticGrid, scene.gridDistance);
    wdbview::gridLines(state_, step, meridians_, parallels_);
    QPainter p(&image_);
    QPen pen(QColor::fromRgb(toRgb(colors_.colors[29])));
    pen.setWidth(1);
    pen.setStyle(scene.gridStyle & 1   ? Qt::SolidLine
                 : scene.gridStyle & 2 ? Qt::DashDotDotLine
                 : scene.gridStyle & 4 ? Qt::DotLine
                                          : Qt::DashDotLine);
    p.setPen(pen);
    for (const wdbview::GridLine& m : meridians_)
        p.drawLine(m.at, 1, m.at, state_.height);
    for (const wdbview::GridLine& l : parallels_)
        p.drawLine(1, l.at, state_.width, l.at);
    p.end();
    const QRgb text = toRgb(colors_.colors[30]);
    const int gap = glyphs_.averageCharWidth();
    wdbview::GridLabelRun across(20, state_.width, gap);
    for (const wdbview::GridLine& m : meridians_)
        if (const auto x = across.place(m.at, glyphs_.width(m.label)))
            glyphs_.draw(image_, {*x, 10}, m.label, text);
    // The parallels' labels begin below the row of the meridians' labels.
    wdbview::GridLabelRun down(10, state_.height, 0);
    down.reserve(10 + glyphs_.lineHeight());
    for (const wdbview::GridLine& l : parallels_)
        if (const auto y = down.place(l.at, glyphs_.lineHeight()))
            glyphs_.draw(image_, {10, *y}, l.label, text);
}

void WDBMap::drawTowns(const WDBScene& scene, bool dragging)
{
    if (!scene.towns)
        return;
    int threshold = wdbview::townThreshold(state_);
    std::span<const tagTOWN> towns = scene.bigTowns;
    if (dragging) {
        if (!(scene.zoomStyle & 4))
            return;
        towns = scene.smallTowns;
        if (scene.allSmallTowns)
            threshold = 0;
    }
    const int lineHeight = glyphs_.lineHeight();
    const int charWidth = glyphs_.averageCharWidth();
    const int boxHeight = 2 * lineHeight;
    for (const tagTOWN& town : towns) {
        if (scene.townPopulationMin != 0 && town.population < scene.townPopulationMin)
            continue;
        if (scene.dynamicTowns && town.population < threshold)
            continue;
        const int x = wdbview::xOf(state_, town.lon);
        const int y = wdbview::yOf(state_, town.lat);
        if (x < -200 || x > state_.width + 200 || y < -50 || y > state_.height + 50)
            continue;
        const QByteArray name = town.name.toLatin1();
        const int w = static_cast<int>(name.size()) * (charWidth + 2);
        const PixelRect box{x - w / 2, y - boxHeight - 16, x + w / 2, y - 16};
        raster::fillRect(image_, box, kWhite);
        raster::bumpEdge(image_, box);
        raster::blend(image_, townIcon_, {x - 16, y - 22});
        glyphs_.draw(image_, {box.left + 5, box.top + 5}, std::string_view(name.constData(), name.size()),
                     kBlack);
    }
}

void WDBMap::drawSatellites(const WDBScene& scene, LabelContent labels)
{
    if (image_.size() != base_.size() || image_.format() != base_.format())
        image_ = base_.copy();
    else
        std::memcpy(image_.bits(), base_.constBits(), static_cast<std::size_t>(image_.sizeInBytes()));
    const SatelliteScene& satellites = scene.satellites;
    if (scene.tracks)
        drawTracks(scene);
    if (scene.footprints)
        for (int i = 0; i < satellites.count(); ++i)
            if (satellites.info[i].shown)
                drawFootprint(scene, i);
    for (int i = 0; i < satellites.count(); ++i) {
        const tagSATINFO& info = satellites.info[i];
        if (!info.shown)
            continue;
        const QPoint centre(wdbview::xOf(state_, info.lon), wdbview::yOf(state_, info.lat));
        if (centre.x() < -kHalfIcon || centre.x() >= state_.width + kHalfIcon || centre.y() < -kHalfIcon ||
            centre.y() >= state_.height + kHalfIcon)
            continue;
        raster::blend(image_, satellites.icon(i), centre - QPoint(kHalfIcon, kHalfIcon));
        // A satellite off the picture gets no label: pushed onto the picture it would name a
        // place the map does not show.
        if (labels.any() && QRect(0, 0, state_.width, state_.height).contains(centre))
            drawLabel(satellites, i, centre, labels);
    }
    drawn_.record([&](DrawnPositions& d) { listPositions(d, scene, labels); });
}

bool WDBMap::moved(const WDBScene& scene, LabelContent labels)
{
    return drawn_.moved([&](DrawnPositions& d) { listPositions(d, scene, labels); });
}

void WDBMap::listPositions(DrawnPositions& drawn, const WDBScene& scene, LabelContent labels) const
{
    listFlatSatellites(drawn, scene.satellites, wdbview::extentOf(state_), image_.size(),
                       {.tracks = scene.tracks, .footprints = scene.footprints, .labels = labels});
}

void WDBMap::drawTracks(const WDBScene& scene)
{
    const int points = scene.satellites.trackPoints;
    const int penWidth = scene.satellites.penWidth;
    for (const tagSATINFO& info : scene.satellites.info) {
        if (!info.shown || points <= 0 || info.trackLat.size() < static_cast<std::size_t>(points) ||
            info.trackLon.size() < static_cast<std::size_t>(points))
            continue;
        const QRgb colour = toRgb(info.color[0]);
        QPoint at(wdbview::xOf(state_, info.trackLon[0]), wdbview::yOf(state_, info.trackLat[0]));
        double previousLon = info.trackLon[0];
        for (int j = 0; j < points; ++j) {
            const double lon = info.trackLon[j];
            const QPoint to(wdbview::xOf(state_, lon), wdbview::yOf(state_, info.trackLat[j]));
            if (std::fabs(std::trunc(foldLongitude(lon)) - std::trunc(foldLongitude(previousLon))) > 200.0) {
                // Over the map's left or right edge: to the edge, and on from the other one.
                const int half = (to.y() - at.y()) / 2;
                const int out = at.x() - to.x() > 0 ? state_.width : 0;
                raster::line(image_, at, {out, at.y() + half}, colour, penWidth);
                at = {state_.width - out, at.y() + half};
            }
            raster::line(image_, at, to, colour, penWidth);
            at = to;
            previousLon = lon;
        }
    }
}

void WDBMap::drawFootprint(const WDBScene& scene, int slot)
{
    const tagSATINFO& info = scene.satellites.info[slot];
    const double angle = footprintAngle(info.footprintRadius, info.footprintDist);
    if (!(angle > 0.0))
        return;
    const int n = footprintPointCount(scene.satellites.footprintAccuracy);
    const MapExtent extent = wdbview::extentOf(state_);
    const double lon = foldLongitude(info.lon);
    footprintShape(info.lat, lon, angle, n, extent, image_.size(), vertices_, footprint_);
    // A footprint over the date line shows again a turn away where the extent reaches it.
    const double west = footprint_.westLon, east = footprint_.eastLon;
    for (const double turn : {0.0, 360.0, -360.0}) {
        if (east + turn <= -extent.left || west + turn >= -extent.right)
            continue;
        if (turn != 0.0)
            footprintShape(info.lat, lon + turn, angle, n, extent, image_.size(), vertices_, footprint_);
        const std::span<const Span> inside = spans_.fill(footprint_.polygon, image_.size());
        if (scene.footprintStyle == 2)
            raster::andSpans(image_, inside, kShade);
        else if (scene.footprintStyle == 3)
            raster::andHatchSpans(image_, inside, kShade);
        const QRgb outline = scene.colouredFootprints ? toRgb(info.color[1]) : kBlack;
        for (std::size_t k = 1; k < footprint_.outline.size(); ++k)
            raster::line(image_, footprint_.outline[k - 1], footprint_.outline[k], outline, scene.satellites.penWidth);
    }
}

void WDBMap::drawLabel(const SatelliteScene& satellites, int slot, QPoint centre, LabelContent labels)
{
    // Laid out at each drawing: the names change with every reload of the element file.
    const std::string_view name = satellites.name(slot);
    const PixelRect box = placeLabel(
        labelRect(static_cast<int>(name.size()), labels, {glyphs_.lineHeight(), glyphs_.averageCharWidth()}), centre,
        image_.size());
    paintLabel(image_, glyphs_, box, name, satellites.info[slot], labels, satellites.eastLetter,
               line_);
}

} // namespace kiv
