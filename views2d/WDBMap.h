#pragma once
// A World Data Bank view's picture, without a widget: the background (the part of the WDB map
// picture the extent shows, or the sea colour), the vector layers of the segment files, the
// grid, the towns, and over them the satellites with tracks, footprints and labels.
//
// Two images: the base (background, vectors, grid and towns, redrawn only when the extent or
// the settings change) and the picture shown, which is the base plus the satellites of the
// current tick.

#include "document/DrawnPositions.h"
#include "document/WDBColorFile.h"
#include "document/WDBViewState.h"
#include "views2d/FootprintOutline.h"
#include "views2d/GlyphAtlas.h"
#include "views2d/SatelliteLabel.h"
#include "views2d/SpanFiller.h"
#include "views2d/WDBGeometry.h"
#include "views2d/WDBScene.h"
#include "views2d/WDBSegmentFile.h"

#include <QImage>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace kiv {

class WDBMap {
public:
    WDBMap();

    // A valid state (see wdbview::isValid) takes effect; the pictures take its size.
    bool setState(const WDBViewState& state);
    const WDBViewState& state() const { return state_; }
    const QImage& image() const { return image_; }
    const QImage& base() const { return base_; }

    void setColors(const WDBColorTable& colors) { colors_ = colors; }
    const WDBColorTable& colors() const { return colors_; }

    // Layers 1..28 drawn, from the document's four masks.
    static std::array<bool, wdb::kLayerFlags> layersFromMasks(int bdy, int cil, int riv, int pby);

    // The background into the picture: the map picture's part stretched over it, or the sea.
    // `smooth` filters the stretch (off while dragging, for speed).
    void drawBackground(const QImage& map, bool texture, bool smooth = true);
    // The vector layers in two passes: first the outer coastlines, the first boundary layer and
    // the first administrative layer on every continent, then the other wanted layers (with
    // `allLayers` every layer not drawn in the first pass) on the continents the first pass
    // reached. `pathOf` names a continent's file of a kind; `afterFile` runs after each file.
    // The first bad file ends the drawing.
    wdb::PassResult drawVectors(const std::array<bool, wdb::kLayerFlags>& layers, bool allLayers,
                                const std::function<std::string(int, int)>& pathOf,
                                const std::function<void()>& afterFile = {});
    // Grid and towns as the scene asks; while dragging only what the zoom style keeps.
    void drawGrid(const WDBScene& scene, bool dragging);
    void drawTowns(const WDBScene& scene, bool dragging);
    // The picture as drawn so far becomes the base the satellites are drawn over.
    void keepAsBase() { base_ = image_; }
    // The base alone.
    void showBase()
    {
        image_ = base_;
        drawn_.forget();
    }
    // The base, then tracks, footprints, icons and labels of the shown satellites.
    void drawSatellites(const WDBScene& scene, LabelContent labels);
    // Whether the scene's clock moved anything the satellites drew last time (see DrawnPositions).
    bool moved(const WDBScene& scene, LabelContent labels);

private:
    void listPositions(DrawnPositions& drawn, const WDBScene& scene, LabelContent labels) const;
    void drawTracks(const WDBScene& scene);
    void drawFootprint(const WDBScene& scene, int slot);
    void drawLabel(const SatelliteScene& satellites, int slot, QPoint centre, LabelContent labels);

    WDBViewState state_;
    WDBColorTable colors_;
    QImage image_;
    QImage base_;
    DrawnPositions drawn_;
    GlyphAtlas glyphs_;
    QImage townIcon_;
    // Scratch kept between redraws.
    SpanFiller spans_;
    std::vector<QPointF> vertices_;
    FootprintShape footprint_;
    std::vector<wdbview::GridLine> meridians_, parallels_;
    std::string line_;
};

} // namespace kiv
