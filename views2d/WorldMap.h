#pragma once
// The 2D world map as a picture: composes satellites, ground tracks, footprints, labels, the
// observer's marker, the World Data Bank zoom boxes, the day/night line and the sun and moon
// into an off-screen RGB32 image from a WorldMapScene. No widget: the view shows the
// image, printing scales it, tests read its pixels.
//
// Once the buffers have their size, a redraw allocates nothing.

#include "document/DrawnPositions.h"
#include "orbit/CSGP4_SDP4.h"
#include "views2d/FootprintOutline.h"
#include "views2d/GlyphAtlas.h"
#include "views2d/GroundTrackPath.h"
#include "views2d/ObserverMarker.h"
#include "views2d/SatelliteLabel.h"
#include "views2d/ScaledMaps.h"
#include "views2d/SpanFiller.h"
#include "views2d/WorldMapScene.h"

#include <QImage>
#include <QPointF>

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>


namespace kiv {

class WorldMap {
public:
    WorldMap();

    // The picture's size and the maps to scale to it; the scaled maps are kept until either
    // changes. Also takes the sun and moon for the scene's time, so that the first picture's
    // day/night pass is right.
    void setSize(QSize size, const WorldMapScene& scene);
    void setMaps(const QImage& day, const QImage& night);
    QSize size() const { return image_.size(); }
    const QImage& image() const { return image_; }

    // The label boxes for the satellites' names and the given label flags.
    void layoutLabels(const SatelliteScene& satellites, LabelContent content);
    LabelContent labelContent() const { return labels_; }
    const PixelRect& labelRect(int slot) const { return labelRects_.at(slot); }
    const GlyphAtlas& glyphs() const { return glyphs_; }

    // Where the sky view's observer stands; nothing is drawn before the sky view has said so.
    void setObserverMarker(const ObserverMarkerState& marker) { observer_ = marker; }
    // The zoom box of World Data Bank view `index` (1..9) from its extent.
    void setZoomBox(int index, const QRectF& extent);
    // Every zoom box from the scene's World Data Bank views.
    void updateZoomBoxes(const WorldMapScene& scene);
    const PixelRect& zoomBox(int index) const { return zoomBoxes_.at(index); }

    // The whole picture, layer by layer.
    void redraw(const WorldMapScene& scene);
    // Whether the scene's clock moved anything the last picture drew: a satellite, a track's
    // newest point, a footprint or a position line, the sun, the moon or the day/night line.
    bool moved(const WorldMapScene& scene);

    // The layers in drawing order; public so that each can be measured on its own.
    void computeSunAndMoon(const WorldMapScene& scene);
    void drawBackground();
    void drawNightTexture();
    void drawObserverMarker();
    void drawTracks(const WorldMapScene& scene);
    void drawFootprints(const WorldMapScene& scene);
    void drawSatellites(const WorldMapScene& scene);
    void drawZoomBoxes(const WorldMapScene& scene);
    void drawShadow();
    void drawSunAndMoon(const WorldMapScene& scene);

    // Sun and moon of the last computation: latitude and east longitude in degrees.
    QPointF sunPosition() const { return sun_; }
    QPointF moonPosition() const { return moon_; }

private:
    std::pair<QPointF, QPointF> sunAndMoonAt(double julianDate);
    void listPositions(DrawnPositions& drawn, const WorldMapScene& scene, QPointF sun, QPointF moon) const;
    void drawFootprint(double lat, double lon, double angle, int points, const WorldMapScene& scene, QRgb colour);
    void drawPolyline(std::span<const QPoint> points, QPoint offset, QRgb colour, int width);
    void drawLabel(const WorldMapScene& scene, int slot, QPoint centre);

    QImage image_;
    ScaledMaps maps_;
    QImage day_, night_;
    SpanFiller spans_;
    GlyphAtlas glyphs_;
    QImage sunIcon_, moonIcon_;

    double julianDate_ = 0.0;
    QPointF sun_, moon_; // (lat, lon)
    CSGP4_SDP4 orbit_; // sun and moon only
    std::optional<ObserverMarkerState> observer_;
    std::array<PixelRect, kMaxZoomBoxes> zoomBoxes_{};
    LabelContent labels_;
    std::array<PixelRect, kMaxSatellites> labelRects_{};
    DrawnPositions drawn_;

    // Scratch kept between redraws.
    std::vector<PathStep> path_;
    std::vector<QPointF> vertices_;
    FootprintShape footprint_;
    std::string line_;
};

} // namespace kiv
