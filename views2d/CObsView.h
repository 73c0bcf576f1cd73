#pragma once
// The observer's sky view. The picture is the SkyPicture's; the view registers with the
// document as its observer view, keeps the picture's settings in step with the document, and
// turns mouse drags into moves of the observer (left button), turns and tilts of the sphere
// (right button) and zooming (both buttons). While a drag lasts the clock is paused and the
// globe and World Data Bank views wait; the pointer stays inside the view.

#include "document/DocumentViews.h"
#include "views2d/CMainView.h"
#include "views2d/SkyPicture.h"

#include <optional>


namespace kiv {

class CObsView : public CMainView, public ObsViewPort {
public:
    explicit CObsView(CKivDoc& doc, QWidget* parent = nullptr);
    ~CObsView() override;

    static QString Title() { return QStringLiteral("Observer-View"); }
    // Leaves the document's open views at once, with its settings stored.
    void Unregister();

    void RedrawSky() override;
    bool PictureMoved() override;
    void LayoutLabels() override;
    void StoreObsSettings() override;
    void LoadObsSettings() override;
    kiv::ObsArchiveState ArchiveState() const override;
    void RestoreArchiveState(const kiv::ObsArchiveState& state) override;

    void OnGoTo();
    void UpdateMapObserverMarker();
    const kiv::SkyPicture& Sky() const { return sky_; }
    bool ZoomMode() const { return zoomMode_; }

protected:
    const QImage& Picture() const override { return sky_.image(); }
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void bindCommands();
    void toggle(int id, bool kiv::SkySettings::*flag, bool relayout = false);
    void changed(bool relayout = false);
    // The frame's title: the observer's place and the twilight.
    void showPlaceInTitle();
    void refreshSatellites();
    void beginDrag();
    void endDrag();
    void updateCursor();
    QPoint confined(QPoint p) const;
    bool insideSky(QPoint p) const;

    kiv::SkyPicture sky_;
    bool registered_ = true;
    bool leftDrag_ = false;
    bool rightDrag_ = false;
    bool pausedByDrag_ = false;
    bool zoomMode_ = false;
    bool zoomInside_ = false;
    std::optional<QPoint> previous_;
};

} // namespace kiv
