#pragma once
// A World Data Bank view: a part of the world (its extent) as a vector map over the WDB
// background picture, with grid, towns and the satellites. The picture is the WDBMap's; the
// view registers with the document in the next WDB slot, takes its commands, and turns the
// mouse into a zoom box (zoom mode), panning (left button) and zooming (both buttons). While a
// drag lasts the animation timer is held off; the pointer's place is the frame's title.
//
// The vector layers are drawn only by "&Draw"; every other redraw shows the background with
// grid, towns and satellites.

#include "document/DocumentViews.h"
#include "document/WDBViewState.h"
#include "document/WDBColorFile.h"
#include "document/TimerBracket.h"
#include "views2d/CMainView.h"
#include "views2d/MapMouse.h"
#include "views2d/WDBMap.h"

#include <functional>
#include <optional>

class QScrollBar;

namespace kiv {

class CWDBView : public CMainView, public kiv::WDBViewPort {
public:
    explicit CWDBView(CKivDoc& doc, QWidget* parent = nullptr);
    ~CWDBView() override;

    static QString Title() { return QStringLiteral("World Data Map-View"); }
    // Leaves the document's open views at once; the 2D map drops its zoom box.
    void Unregister();

    // WDBViewPort
    void RefreshSatellites() override;
    bool PictureMoved() override;
    void CentreOn(double latitude, double westLongitude) override;
    QRectF Extent() const override;
    void ShowWholeWorld(const QSize& mapSize) override;
    void ShowRegion(const QRectF& extent, const QSize& mapSize) override;
    void ReloadBackground() override;
    WDBArchiveState ArchiveState() const override;
    bool RestoreArchiveState(const WDBArchiveState& state) override;

    // The whole state of the view, and a new one (extent, picture size, labels) redrawn
    // completely; a state without a span or of an outsize picture is refused.
    WDBViewState State() const { return map_.state(); }
    void SetState(const WDBViewState& state);
    // The view's own name and position switches; they become the defaults of new views too, and
    // the satellites are drawn anew.
    void SetLabelSwitches(bool names, bool positions);
    // "&Satellitestyle ...": the style dialog is the application's, which hands in how to run it
    // on this view; until then the view leaves the command to the document.
    void SetStyleCommand(std::function<void(CWDBView&)> run);

    // The colour table file named by the document, read for every open WDB view; a file that
    // cannot be read is reported once and leaves the views' colours as they are.
    static void LoadColorTables(CKivDoc& doc);
    void SetColors(const WDBColorTable& colors);
    // Layer flags from the document's masks.
    void SetLayersFromDocument();
    // The picture without the vector layers: background, grid, towns, satellites.
    void FullRedraw();
    // "&Draw": the vector layers too.
    void RedrawWorldDataBase();

    const kiv::WDBMap& Map() const { return map_; }
    QSize MapSize() const { return {map_.state().width, map_.state().height}; }
    bool ZoomMode() const { return mouse_.zoomMode(); }
    bool Dragging() const { return mouse_.dragging(); }

protected:
    const QImage& Picture() const override { return map_.image(); }
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    enum class FrameMove { Fit, Stay };
    // SetState, the frame fitted to the picture or left as it is.
    void applyState(const WDBViewState& state, FrameMove frame);
    void bindCommands();
    void OnGoTo();
    // The background, grid and towns that the satellites are drawn over.
    void rebuildBase(const WDBScene& scene, bool dragging);
    void overlayBase(const WDBScene& scene, bool dragging);
    void showSatellites(const WDBScene& scene);
    void extentChanged();
    void endDrag();
    void updateCursor();
    // Scroll bars for a picture larger than the window; the part of the window the picture shows.
    void layoutScrollBars();
    QSize visibleSize() const;
    QPoint toPicture(QPoint viewPoint) const { return viewPoint + ScrollOffset(); }
    kiv::LabelContent labels() const { return {map_.state().showNames, map_.state().showPositions}; }

    kiv::WDBMap map_;
    std::array<bool, wdb::kLayerFlags> layers_{};
    bool registered_ = true;
    kiv::MapMouse mouse_;
    QScrollBar* hbar_ = nullptr;
    QScrollBar* vbar_ = nullptr;
    bool panned_ = false;
    QPoint panFrom_;
    std::optional<kiv::TimerBracket> timerHold_;
};

} // namespace kiv
