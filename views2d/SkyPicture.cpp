#include "views2d/SkyPicture.h"

#include "views2d/Raster.h"
#include "views2d/SkyTexts.h"

#include <QPainter>

#include <cmath>
#include <numbers>

namespace kiv {

namespace {

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr int kHalfIcon = 16;
constexpr double kDeg = 180.0 / std::numbers::pi;

// The marker for satellites drawn without their icons: a small cross.
QImage crossIcon(QRgb colour)
{
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    for (int d = -5; d <= 5; ++d) {
        for (int w = 15; w <= 16; ++w) {
            icon.setPixel(16 + d, w, colour);
            icon.setPixel(w, 16 + d, colour);
        }
    }
    return icon;
}

} // namespace

// The sink over the picture: GDI-like current position, lines that leave out their last pixel.
class SkyPicture::ImageSink final : public SkySink {
public:
    ImageSink(QImage& image, const GlyphAtlas& glyphs) : image_(image), glyphs_(glyphs) {}

    void setPenWidth(int width) { width_ = width; }
    void moveTo(QPoint p) override { at_ = p; }
    void lineTo(QPoint p, QRgb colour) override
    {
        raster::line(image_, at_, p, colour, width_);
        at_ = p;
    }
    void pixel(QPoint p, QRgb colour) override
    {
        if (image_.rect().contains(p))
            reinterpret_cast<QRgb*>(image_.scanLine(p.y()))[p.x()] = colour;
    }
    void text(QPoint at, std::string_view latin1, QRgb colour, bool centred) override
    {
        const int width = glyphs_.width(latin1);
        if (centred)
            at.rx() -= width / 2;
        // Names outside a large window's sphere stay readable at its edges.
        at.rx() = std::clamp(at.x(), 0, std::max(0, image_.width() - width));
        at.ry() = std::clamp(at.y(), 0, std::max(0, image_.height() - glyphs_.lineHeight()));
        glyphs_.draw(image_, at, latin1, colour);
    }
    void polygon(std::span<const QPoint> points, QRgb pen, QRgb fill) override
    {
        QPainter p(&image_);
        p.setPen(QColor(pen));
        p.setBrush(QColor(fill));
        p.drawPolygon(points.data(), static_cast<int>(points.size()));
    }
    void ellipse(const QRect& box, QRgb pen, QRgb fill) override
    {
        QPainter p(&image_);
        p.setPen(QColor(pen));
        p.setBrush(QColor(fill));
        p.drawEllipse(box);
    }

private:
    QImage& image_;
    const GlyphAtlas& glyphs_;
    QPoint at_;
    int width_ = 1;
};

PixelRect skyLabelRect(int nameLength, const SkySettings& s, const LabelMetrics& metrics)
{
    const int c = metrics.charWidth;
    int width = (nameLength + 2) * (c + 2);
    if (s.showAziEleDist || s.showRaDec)
        width = std::max(width, 21 * c);
    const int lines = 1 + (s.showName ? 1 : 0) + (s.showAziEleDist ? 3 : 0) + (s.showRaDec ? 2 : 0);
    const int height = lines * metrics.lineHeight;
    return {-width / 2, -height - kHalfIcon, width / 2, -kHalfIcon};
}

bool darkMarkerOn(COLORREF background)
{
    const float r = static_cast<float>(redOf(background)), g = static_cast<float>(greenOf(background)),
                b = static_cast<float>(blueOf(background));
    return std::sqrt(r * r + g * g + b * b) > std::sqrt(3.0f) * 255.0f / 2.0f;
}

SkyPicture::SkyPicture()
    : glyphs_(labelFont()), blackCross_(crossIcon(kBlack)), whiteCross_(crossIcon(kWhite))
{
    rebuildMeshes();
}

void SkyPicture::setSize(QSize size)
{
    if (size != image_.size())
        image_ = size.isEmpty() ? QImage() : QImage(size, QImage::Format_RGB32);
    setZoom(zoom_);
}

void SkyPicture::setZoom(double zoom)
{
    zoom_ = std::clamp(zoom, kMinSkyZoom, kMaxSkyZoom);
    placement_ = placeSky(image_.size(), zoom_);
    view_.centreX = placement_.centreX;
    view_.centreY = placement_.centreY;
    view_.radius = placement_.radius;
}

void SkyPicture::loadSettings(const KivSettings& s)
{
    settings_ = SkySettings::from(s);
    if (settings_.flat)
        view_.tilt = -90.0;
    rebuildMeshes();
}

void SkyPicture::rebuildMeshes() { meshes_.build(settings_.points, settings_.azimuthStep, settings_.elevationStep); }

void SkyPicture::layoutLabels(const SatelliteScene& satellites)
{
    const LabelMetrics metrics{glyphs_.lineHeight(), glyphs_.averageCharWidth()};
    for (int i = 0; i < satellites.count(); ++i)
        labelRects_[i] = skyLabelRect(static_cast<int>(satellites.name(i).size()), settings_, metrics);
}

void SkyPicture::redraw(const SatelliteScene& satellites)
{
    if (image_.isNull())
        return;
    computeLookAngles(satellites);
    draw(satellites);
    drawn_.record([&](DrawnPositions& d) { listPositions(d, satellites); });
}

bool SkyPicture::moved(const SatelliteScene& satellites)
{
    if (image_.isNull())
        return false;
    return drawn_.moved([&](DrawnPositions& d) { listPositions(d, satellites); });
}

// The look angles of the satellites alone, and of those that show their place and labels: a
// track point's stay as they are until the ring moves on, which changes its newest time.
void SkyPicture::listPositions(DrawnPositions& drawn, const SatelliteScene& satellites)
{
    for (int i = 0; i < satellites.count() && !drawn.decided(); ++i) {
        const tagSATINFO& info = satellites.info[i];
        if (!info.shown)
            continue;
        const tagSATHISTORY& h = satellites.history[i];
        Look look = info.lastJd != 0.0 ? lookAt(h.pos, h.vel, info.lastJd) : Look{};
        look.at = view_.project(azElToSkyPoint(look.azimuth, look.elevation));
        const bool shown = !hidden(look, 0) || !hidden(look, 1);
        drawn.exact((hidden(look, 0) ? 1 : 0) + (hidden(look, 1) ? 2 : 0));
        if (trackPoints_ > 0)
            drawn.exact(info.lastTrack);
        if (!shown)
            continue;
        drawn.point(look.at.x, look.at.y);
        if (settings_.showAziEleDist) {
            drawn.text(skyTexts::azimuthLine(look.azimuth * kDeg));
            drawn.text(skyTexts::elevationLine(look.elevation * kDeg));
            drawn.text(skyTexts::distanceLine(look.range));
        }
        if (settings_.showRaDec) {
            orbit_.CalculateRADec(h.pos, h.vel, settings_.observer, info.lastJd);
            const tagVECTOR raDec = orbit_.GetRADec();
            drawn.text(skyTexts::rightAscensionLine(raDec.x * kDeg));
            drawn.text(skyTexts::declinationLine(raDec.y * kDeg));
        }
    }
}

SkyPicture::Look SkyPicture::lookAt(const tagVECTOR& pos, const tagVECTOR& vel, double jd)
{
    Look look;
    look.visible = orbit_.CalculateObs(pos, vel, settings_.observer, jd) != 0;
    const tagVECTOR o = orbit_.GetObserver();
    look.azimuth = o.x;
    look.elevation = o.y;
    look.range = o.z;
    look.visible = look.visible && std::isfinite(o.x) && std::isfinite(o.y);
    return look;
}

void SkyPicture::computeLookAngles(const SatelliteScene& satellites)
{
    const int count = satellites.count();
    trackPoints_ = settings_.showRoute ? std::max(satellites.trackPoints, 0) : 0;
    satellites_.resize(static_cast<std::size_t>(count));
    tracks_.resize(static_cast<std::size_t>(count) * static_cast<std::size_t>(trackPoints_));
    for (int i = 0; i < count; ++i) {
        const tagSATINFO& info = satellites.info[i];
        if (!info.shown)
            continue;
        const tagSATHISTORY& h = satellites.history[i];
        // A satellite not calculated yet has no position to look at.
        satellites_[i] = info.lastJd != 0.0 ? lookAt(h.pos, h.vel, info.lastJd) : Look{};
        Look* track = tracks_.data() + static_cast<std::size_t>(i) * trackPoints_;
        const int filled = std::min<int>(trackPoints_, static_cast<int>(h.timeTrack.size()));
        for (int j = 0; j < trackPoints_; ++j)
            track[j] = j < filled && h.timeTrack[j] != 0.0 ? lookAt(h.posTrack[j], h.velTrack[j], h.timeTrack[j]) : Look{};
    }
}

bool SkyPicture::hidden(const Look& look, int pass) const
{
    // The twilight angle doubles as the lowest elevation shown.
    return !look.visible || look.elevation < settings_.twilight / 180.0 * std::numbers::pi ||
           (!settings_.flat && pass == 1 && look.at.z < 0.0) || look.at.belowHorizon;
}

void SkyPicture::draw(const SatelliteScene& satellites)
{
    if (image_.isNull())
        return;
    view_.hemisphere = settings_.hemisphere;
    image_.fill(skyColour(settings_.background));
    ImageSink sink(image_, glyphs_);
    drawCompass(sink, meshes_, view_, settings_);
    if (settings_.hiddenLines) {
        drawAzimuthGrid(sink, meshes_, view_, settings_, 0);
        drawElevationGrid(sink, meshes_, view_, settings_, 0);
        drawSatellites(satellites, 0);
    }
    if (!settings_.drawAzimuth && !settings_.drawElevation && !settings_.hiddenLines)
        drawSatellites(satellites, 0);
    drawMan(sink, view_, settings_);
    drawAzimuthGrid(sink, meshes_, view_, settings_, 1);
    drawElevationGrid(sink, meshes_, view_, settings_, 1);
    drawSatellites(satellites, 1);
}

void SkyPicture::drawSatellites(const SatelliteScene& satellites, int pass)
{
    const int count = static_cast<int>(satellites_.size());
    ImageSink sink(image_, glyphs_);
    sink.setPenWidth(std::max(satellites.penWidth, 1));
    for (int i = 0; i < count && trackPoints_ > 0; ++i) {
        if (satellites.info[i].shown)
            drawTrack(satellites.info[i], i, pass, sink);
    }
    const QImage& marker = darkMarkerOn(settings_.background) ? blackCross_ : whiteCross_;
    for (int i = 0; i < count; ++i) {
        if (!satellites.info[i].shown)
            continue;
        Look& look = satellites_[i];
        look.at = view_.project(azElToSkyPoint(look.azimuth, look.elevation));
        if (hidden(look, pass))
            continue;
        const QPoint at = truncated(look.at);
        const QImage& own = satellites.icon(i);
        raster::blend(image_, settings_.showIcons && !own.isNull() ? own : marker, at - QPoint(kHalfIcon, kHalfIcon));
        if (settings_.anyLabel())
            drawLabel(satellites, i, look, at);
    }
}

void SkyPicture::drawTrack(const tagSATINFO& info, int slot, int pass, ImageSink& sink)
{
    const QRgb colour = skyColour(info.color[0]);
    Look* track = tracks_.data() + static_cast<std::size_t>(slot) * trackPoints_;
    bool onTrack = false; // the pen stands on a computed point, not on a ring slot not filled yet
    for (int j = 0; j < trackPoints_; ++j) {
        Look& look = track[j];
        look.at = view_.project(azElToSkyPoint(look.azimuth, look.elevation));
        const QPoint at = truncated(look.at);
        const bool computed = look.range > 0.0;
        if (j > 0 && onTrack && !hidden(look, pass)) {
            sink.lineTo(at, colour);
            continue;
        }
        sink.moveTo(at);
        onTrack = computed;
        if (j > 0 && pass == 0 && computed && hidden(look, pass) && !look.at.belowHorizon)
            sink.pixel(at, colour);
    }
}

void SkyPicture::drawLabel(const SatelliteScene& satellites, int slot, const Look& look, QPoint at)
{
    const PixelRect box = placeLabel(labelRects_[slot], at, image_.size());
    raster::fillRect(image_, box, kWhite);
    raster::bumpEdge(image_, box);
    QPoint text(box.left + 5, box.top + 5);
    const auto next = [&] {
        glyphs_.draw(image_, text, line_, kBlack);
        text.ry() += glyphs_.lineHeight();
    };
    if (settings_.showName) {
        line_.assign(satellites.name(slot));
        next();
    }
    if (settings_.showAziEleDist) {
        line_ = skyTexts::azimuthLine(look.azimuth * kDeg);
        next();
        line_ = skyTexts::elevationLine(look.elevation * kDeg);
        next();
        line_ = skyTexts::distanceLine(look.range);
        next();
    }
    if (settings_.showRaDec) {
        const tagSATHISTORY& h = satellites.history[slot];
        orbit_.CalculateRADec(h.pos, h.vel, settings_.observer, satellites.info[slot].lastJd);
        const tagVECTOR raDec = orbit_.GetRADec();
        line_ = skyTexts::rightAscensionLine(raDec.x * kDeg);
        next();
        line_ = skyTexts::declinationLine(raDec.y * kDeg);
        next();
    }
}

} // namespace kiv
