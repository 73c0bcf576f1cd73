#pragma once
// The 2D world map's window. The picture is the WorldMap's; the view registers with the
// document as its map view, redraws the picture on every tick and follows the window's size.

#include "document/DocumentViews.h"
#include "views2d/CMainView.h"
#include "views2d/WorldMap.h"

namespace kiv {

class CKivView : public CMainView, public kiv::MapViewPort {
public:
    explicit CKivView(CKivDoc& doc, QWidget* parent = nullptr);
    ~CKivView() override;

    static QString Title() { return QStringLiteral("2D-View"); }
    // Leaves the document at once (pointer and Show flag); called before the frame is deleted.
    void Unregister();

    void RedrawMap() override;
    void SetWDBZoomBox(const QRectF& extent) override;
    void LayoutLabels() override;
    void SetObserverMarker(double x, double y, double azimuth, double tilt) override;
    void ReloadBackground() override;
    kiv::MapArchiveState ArchiveState() const override;
    void RestoreArchiveState(const kiv::MapArchiveState& state) override;

    const kiv::WorldMap& Map() const { return map_; }

protected:
    const QImage& Picture() const override { return map_.image(); }
    void resizeEvent(QResizeEvent* event) override;

private:
    kiv::WorldMap map_;
    bool registered_ = true;
    bool zoomMode_ = false;
};

} // namespace kiv
