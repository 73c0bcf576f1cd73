#include "views2d/CKivView.h"

#include "document/CKivDoc.h"
#include "resources/CommandIds.h"

#include <QResizeEvent>

using namespace kiv;

CKivView::CKivView(CKivDoc& doc, QWidget* parent) : CMainView(doc, parent)
{
    registered_ = doc.Views.add(this);
    commands_.on(kiv::kCmdZoom, [this] { zoomMode_ = !zoomMode_; }, [this](kiv::CommandUi& ui) { ui.SetCheck(zoomMode_); });
    ReloadBackground();
    LayoutLabels();
}

CKivView::~CKivView() { Unregister(); }

void CKivView::Unregister()
{
    if (!registered_)
        return;
    registered_ = false;
    GetDocument().Views.remove(this);
}

void CKivView::RedrawMap()
{
    map_.redraw(GetDocument());
    update();
}

void CKivView::SetWDBZoomBox(const QRectF& extent) { map_.setZoomBox(1, extent); }

void CKivView::SetObserverMarker(double x, double y, double azimuth, double tilt)
{
    map_.setObserverMarker({x, y, azimuth, tilt});
}

void CKivView::LayoutLabels()
{
    const CKivDoc& doc = GetDocument();
    map_.layoutLabels(doc, {doc.SatelliteName2D != 0, doc.SatellitePos2D != 0});
}

kiv::MapArchiveState CKivView::ArchiveState() const
{
    const LabelContent labels = map_.labelContent();
    return {labels.names ? 1 : 0, labels.positions ? 1 : 0};
}

void CKivView::RestoreArchiveState(const kiv::MapArchiveState& state)
{
    map_.layoutLabels(GetDocument(), {state.showNames != 0, state.showPositions != 0});
    GetDocument().InvalidateViews(kRedrawMap);
}

void CKivView::ReloadBackground()
{
    const CKivDoc& doc = GetDocument();
    SetBaseSize({doc.EarthMapWidth, doc.EarthMapHeight});
    map_.setMaps(doc.EarthMapBitmap, doc.NightMapBitmap);
}

void CKivView::resizeEvent(QResizeEvent* event)
{
    // Buffers, scaled maps, sun and moon all at the new size before the next picture.
    map_.setSize(event->size(), GetDocument());
    map_.redraw(GetDocument());
    CMainView::resizeEvent(event);
}
