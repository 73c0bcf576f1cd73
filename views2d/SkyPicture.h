#pragma once
// The observer's sky as a picture: the wire-frame sphere of SkyGrid with the satellites placed
// by azimuth and elevation, their icons, label boxes and recent tracks, drawn into an
// off-screen RGB32 image from the satellites' scene and the view's settings. No widget: the
// view shows the image, printing scales it, tests read its pixels.
//
// A redraw has two phases: the look angles of every shown satellite and track point, then
// the drawing. The look angles are kept between redraws in buffers that only grow.

#include "document/DrawnPositions.h"
#include "orbit/CSGP4_SDP4.h"
#include "views2d/GlyphAtlas.h"
#include "views2d/MapProjection.h"
#include "views2d/SatelliteLabel.h"
#include "views2d/SatelliteScene.h"
#include "views2d/SkyControls.h"
#include "views2d/SkyGrid.h"
#include "views2d/SkyProjection.h"
#include "views2d/SkySettings.h"

#include <QImage>

#include <array>
#include <string>
#include <vector>


namespace kiv {

// The label box relative to the satellite's point: centred above its icon.
PixelRect skyLabelRect(int nameLength, const SkySettings& s, const LabelMetrics& metrics);
// True when the marker for satellites without icons should be the black cross: the background
// is light.
bool darkMarkerOn(COLORREF background);

class SkyPicture {
public:
    SkyPicture();

    // The picture's size; places the sphere and keeps the zoom factor.
    void setSize(QSize size);
    QSize size() const { return image_.size(); }
    const QImage& image() const { return image_; }

    // Settings from the document (meshes rebuilt, zoom box off) and back.
    void loadSettings(const KivSettings& s);
    void storeSettings(KivSettings& s) const { settings_.storeInto(s); }
    SkySettings& settings() { return settings_; }
    const SkySettings& settings() const { return settings_; }
    // After a change of the steps or point count in settings().
    void rebuildMeshes();

    SkyProjection& projection() { return view_; }
    const SkyProjection& projection() const { return view_; }
    const SkyMeshes& meshes() const { return meshes_; }
    double zoom() const { return zoom_; }
    void setZoom(double zoom);
    const SkyPlacement& placement() const { return placement_; }

    void layoutLabels(const SatelliteScene& satellites);
    const PixelRect& labelRect(int slot) const { return labelRects_.at(slot); }
    const GlyphAtlas& glyphs() const { return glyphs_; }

    void redraw(const SatelliteScene& satellites);
    // Whether the clock moved anything the last picture drew: a satellite's place or whether it
    // shows, its track's newest point, its label's lines.
    bool moved(const SatelliteScene& satellites);
    // The two phases, public so that each can be measured on its own.
    void computeLookAngles(const SatelliteScene& satellites);
    void draw(const SatelliteScene& satellites);

private:
    class ImageSink;
    struct Look {
        double azimuth = 0.0, elevation = 0.0, range = 0.0; // rad, rad, km
        bool visible = false;
        ScreenPoint at;
    };

    void listPositions(DrawnPositions& drawn, const SatelliteScene& satellites);
    void drawSatellites(const SatelliteScene& satellites, int pass);
    void drawTrack(const tagSATINFO& info, int slot, int pass, ImageSink& sink);
    void drawLabel(const SatelliteScene& satellites, int slot, const Look& look, QPoint at);
    bool hidden(const Look& look, int pass) const;
    Look lookAt(const tagVECTOR& pos, const tagVECTOR& vel, double jd);

    QImage image_;
    SkySettings settings_;
    SkyProjection view_;
    SkyMeshes meshes_;
    SkyPlacement placement_;
    double zoom_ = 1.0;
    GlyphAtlas glyphs_;
    QImage blackCross_, whiteCross_;
    std::array<PixelRect, kMaxSatellites> labelRects_{};
    CSGP4_SDP4 orbit_; // look angles only; the document's orbit object stays untouched

    // Look angles of the last computation: per satellite, then its track points.
    std::vector<Look> satellites_;
    std::vector<Look> tracks_;
    int trackPoints_ = 0;
    std::string line_;
    DrawnPositions drawn_;
};

} // namespace kiv
