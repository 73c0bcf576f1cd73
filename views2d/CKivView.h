#pragma once
// The 2D world map's window. The picture is the WorldMap's; the view registers with the
// document as its map view, redraws the picture when the document asks and follows the window's
// size. The mouse shows the place under it in the frame title, drags a zoom box that opens a
// World Data Bank view of the region (command "Zoom"), and with the globe open turns the globe
// toward the place under the left button, or moves it nearer with both buttons.

#include "document/DocumentViews.h"
#include "document/TimerBracket.h"
#include "views2d/CMainView.h"
#include "views2d/MapExtent.h"
#include "views2d/MapMouse.h"
#include "views2d/WorldMap.h"

#include <optional>

namespace kiv {

class CKivView : public CMainView, public kiv::MapViewPort {
public:
    explicit CKivView(CKivDoc& doc, QWidget* parent = nullptr);
    ~CKivView() override;

    static QString Title() { return QStringLiteral("2D-View"); }
    // Leaves the document at once (pointer and Show flag); called before the frame is deleted.
    void Unregister();

    void RedrawMap() override;
    bool PictureMoved() override;
    void SetWDBZoomBox(const QRectF& extent) override;
    void LayoutLabels() override;
    void SetObserverMarker(double x, double y, double azimuth, double tilt) override;
    void ReloadBackground() override;
    kiv::MapArchiveState ArchiveState() const override;
    void RestoreArchiveState(const kiv::MapArchiveState& state) override;

    const kiv::WorldMap& Map() const { return map_; }
    const kiv::MapMouse& Mouse() const { return mouse_; }
    // The whole world's extent opened as a World Data Bank view for a zoom box of the picture
    // (corners ordered; see MapMouse::Release).
    void ZoomToWDB(const QRect& box);

protected:
    const QImage& Picture() const override { return map_.image(); }
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void bindCommands();
    void toggle(int id, int& flag, bool relayout = false);
    void steerGlobe(const GeoPoint& at);
    void endDrag(const MapMouse::Release& released);
    void showCursor();
    kiv::WorldViewPort* globe() const;

    kiv::WorldMap map_;
    kiv::MapMouse mouse_;
    std::optional<kiv::TimerBracket> zoomClock_; // the clock stands while a zoom box is dragged
    bool registered_ = true;
};

} // namespace kiv
