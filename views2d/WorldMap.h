#pragma once
// The 2D world map as a picture: composes satellites, ground tracks, footprints, labels, the
// observer's marker, the World Data Bank zoom boxes, the day/night line and the sun and moon
// into an off-screen RGB32 image from the document's state. No widget: the view shows the
// image, printing scales it, tests read its pixels.
//
// Once the buffers have their size, a redraw allocates nothing.

#include "document/ElementFile.h"
#include "document/KivSettings.h"
#include "orbit/CSGP4_SDP4.h"
#include "views2d/FootprintOutline.h"
#include "views2d/GlyphAtlas.h"
#include "views2d/GroundTrackPath.h"
#include "views2d/ObserverMarker.h"
#include "views2d/SatelliteLabel.h"
#include "views2d/ScaledMaps.h"
#include "views2d/SpanFiller.h"

#include <QImage>
#include <QPointF>

#include <array>
#include <optional>
#include <string>
#include <vector>


namespace kiv {
class CKivDoc;

inline constexpr int kMaxZoomBoxes = 10; // 1..9 used, one per World Data Bank view

class WorldMap {
public:
    WorldMap();

    // The picture's size and the maps to scale to it; the scaled maps are kept until either
    // changes. Also takes the sun and moon for the document's time, so that the first picture's
    // day/night pass is right.
    void setSize(QSize size, const CKivDoc& doc);
    void setMaps(const QImage& day, const QImage& night);
    QSize size() const { return image_.size(); }
    const QImage& image() const { return image_; }

    // The label boxes for the document's satellites and the given label flags.
    void layoutLabels(const CKivDoc& doc, LabelContent content);
    LabelContent labelContent() const { return labels_; }
    const PixelRect& labelRect(int slot) const { return labelRects_.at(slot); }
    const GlyphAtlas& glyphs() const { return glyphs_; }

    // Where the sky view's observer stands; nothing is drawn before the sky view has said so.
    void setObserverMarker(const ObserverMarkerState& marker) { observer_ = marker; }
    // The zoom box of World Data Bank view `index` (1..9) from its extent.
    void setZoomBox(int index, const QRectF& extent);
    // Every zoom box from the document's World Data Bank views.
    void updateZoomBoxes(const CKivDoc& doc);
    const PixelRect& zoomBox(int index) const { return zoomBoxes_.at(index); }

    // The whole picture, layer by layer.
    void redraw(const CKivDoc& doc);

    // The layers in drawing order; public so that each can be measured on its own.
    void computeSunAndMoon(const CKivDoc& doc);
    void drawBackground();
    void drawNightTexture();
    void drawObserverMarker();
    void drawTracks(const CKivDoc& doc);
    void drawFootprints(const CKivDoc& doc);
    void drawSatellites(const CKivDoc& doc);
    void drawZoomBoxes(const CKivDoc& doc);
    void drawShadow();
    void drawSunAndMoon(const CKivDoc& doc);

    // Sun and moon of the last computation: latitude and east longitude in degrees.
    QPointF sunPosition() const { return sun_; }
    QPointF moonPosition() const { return moon_; }

private:
    void drawFootprint(double lat, double lon, double angle, int points, const KivSettings& settings, QRgb colour);
    void drawPolyline(std::span<const QPoint> points, QPoint offset, QRgb colour, int width);
    void drawLabel(const CKivDoc& doc, int slot, QPoint centre);

    QImage image_;
    ScaledMaps maps_;
    QImage day_, night_;
    SpanFiller spans_;
    GlyphAtlas glyphs_;
    QImage sunIcon_, moonIcon_;

    double julianDate_ = 0.0;
    QPointF sun_, moon_; // (lat, lon)
    std::optional<ObserverMarkerState> observer_;
    std::array<PixelRect, kMaxZoomBoxes> zoomBoxes_{};
    LabelContent labels_;
    std::array<PixelRect, kMaxSatellites> labelRects_{};

    // Scratch kept between redraws.
    std::vector<PathStep> path_;
    std::vector<QPointF> vertices_;
    FootprintShape footprint_;
    std::string line_;
};

} // namespace kiv
