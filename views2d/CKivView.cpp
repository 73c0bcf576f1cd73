#include "views2d/CKivView.h"

#include "document/CKivDoc.h"
#include "resources/CommandIds.h"
#include "views2d/MapCommands.h"
#include "views2d/MapTexts.h"

#include <QMouseEvent>
#include <QResizeEvent>

#include <algorithm>

using namespace kiv;

namespace {
constexpr double kLookAtDistance = 70.0;
// The pointer is held inside the window grown by this much while a button is down.
constexpr int kConfineMargin = 2;
} // namespace

CKivView::CKivView(CKivDoc& doc, QWidget* parent) : CMainView(doc, parent)
{
    registered_ = doc.Views.add(this);
    setMouseTracking(true); // the title follows the pointer
    bindCommands();
    ReloadBackground();
    LayoutLabels();
}

CKivView::~CKivView() { Unregister(); }

void CKivView::Unregister()
{
    if (!registered_)
        return;
    registered_ = false;
    // A drag ends as its button-up would have ended it, with a zoom box dropped: the clock runs
    // again, the globe draws at its normal quality, the pointer is free.
    const bool dragging = mouse_.dragging();
    mouse_.cancel();
    if (dragging) {
        if (WorldViewPort* g = globe())
            g->SetQuality(GetDocument().Normal);
        releaseMouse();
    }
    endDrag({.zoomEnded = true, .box = std::nullopt});
    GetDocument().Views.remove(this);
}

void CKivView::RedrawMap()
{
    map_.redraw(worldMapScene(GetDocument()));
    update();
}

bool CKivView::PictureMoved() { return map_.moved(worldMapScene(GetDocument())); }

void CKivView::SetWDBZoomBox(const QRectF& extent) { map_.setZoomBox(1, extent); }

void CKivView::SetObserverMarker(double x, double y, double azimuth, double tilt)
{
    map_.setObserverMarker({.x = x, .y = y, .azimuth = azimuth, .flip = tilt});
}

void CKivView::LayoutLabels()
{
    const CKivDoc& doc = GetDocument();
    map_.layoutLabels(satelliteScene(doc), {doc.SatelliteName2D != 0, doc.SatellitePos2D != 0});
}

kiv::MapArchiveState CKivView::ArchiveState() const
{
    const LabelContent labels = map_.labelContent();
    return {labels.names ? 1 : 0, labels.positions ? 1 : 0};
}

void CKivView::RestoreArchiveState(const kiv::MapArchiveState& state)
{
    map_.layoutLabels(satelliteScene(GetDocument()), {state.showNames != 0, state.showPositions != 0});
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
    const WorldMapScene scene = worldMapScene(GetDocument());
    map_.setSize(event->size(), scene);
    map_.redraw(scene);
    CMainView::resizeEvent(event);
}

// ---- commands ------------------------------------------------------------------------------

void CKivView::toggle(int id, int& flag, bool relayout)
{
    commands_.on(
        id,
        [this, &flag, relayout] {
            flag = !flag;
            if (relayout)
                LayoutLabels();
            GetDocument().InvalidateViews(kRedrawMap);
        },
        [&flag](CommandUi& ui) { ui.SetCheck(flag != 0); });
}

void CKivView::bindCommands()
{
    CKivDoc& doc = GetDocument();
    toggle(kCmdName, doc.SatelliteName2D, true);
    toggle(kCmdPosition, doc.SatellitePos2D, true);
    commands_.on(
        kCmdRoute,
        [this] {
            CKivDoc& d = GetDocument();
            d.ShowCourse2D = !d.ShowCourse2D;
            if (d.ShowCourse2D)
                d.OnReset(); // every track anew
            d.InvalidateViews(kRedrawMap);
        },
        [this](CommandUi& ui) { ui.SetCheck(GetDocument().ShowCourse2D != 0); });
    toggle(kCmdFootprints, doc.Footprint2D);
    for (const auto& [id, style] : {std::pair{kCmdFootprintLine, 1}, std::pair{kCmdFootprintArea, 2}, std::pair{kCmdFootprintChecked, 3}}) {
        commands_.on(
            id,
            [this, style = style] {
                GetDocument().FootprintStyle = style;
                GetDocument().InvalidateViews(kRedrawMap);
            },
            [this, style = style](CommandUi& ui) {
                ui.Enable(GetDocument().Footprint2D != 0);
                ui.SetCheck(GetDocument().FootprintStyle == style);
            });
    }
    // Without colour the footprints keep their black outline only.
    commands_.on(
        kCmdFootprintColored,
        [this] {
            GetDocument().Footprint2DColored = !GetDocument().Footprint2DColored;
            GetDocument().InvalidateViews(kRedrawMap);
        },
        [this](CommandUi& ui) {
            ui.Enable(GetDocument().Footprint2D != 0);
            ui.SetCheck(GetDocument().Footprint2DColored != 0);
        });
    // Shadow and texture exclude each other; both may be off.
    const auto dayNight = [this](int id, int CKivDoc::*own, int CKivDoc::*other) {
        commands_.on(
            id,
            [this, own, other] {
                CKivDoc& d = GetDocument();
                d.*own = !(d.*own);
                if (d.*own)
                    d.*other = 0;
                d.InvalidateViews(kRedrawMap);
            },
            [this, own](CommandUi& ui) { ui.SetCheck(GetDocument().*own != 0); });
    };
    dayNight(kCmdShadow, &CKivDoc::DrawDayNightLine2D, &CKivDoc::DayNight2D);
    dayNight(kCmdMapTexture, &CKivDoc::DayNight2D, &CKivDoc::DrawDayNightLine2D);
    toggle(kCmdMoon, doc.DrawMoon2D);
    toggle(kCmdSun, doc.DrawSun2D);
    commands_.on(
        kCmdZoom,
        [this] {
            if (!mouse_.zoomDragging())
                mouse_.toggleZoomMode();
            showCursor();
        },
        [this](CommandUi& ui) { ui.SetCheck(mouse_.zoomMode()); });
    bindStationary(commands_, doc);
}

// ---- mouse ---------------------------------------------------------------------------------

WorldViewPort* CKivView::globe() const
{
    const CKivDoc& doc = GetDocument();
    return doc.Show3D ? doc.Views.world() : nullptr;
}

void CKivView::mousePressEvent(QMouseEvent* event)
{
    CKivDoc& doc = GetDocument();
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        grabMouse();
        if (mouse_.press(MapMouse::Left, at)) {
            zoomClock_.emplace(doc);
            SetRubberBand(mouse_.zoomBox());
        } else if (WorldViewPort* g = globe()) {
            g->SetQuality(doc.MouseMove);
            if (!mouse_.right())
                steerGlobe(MapExtent{}.pointAt(at, size()));
        }
    } else if (event->button() == Qt::RightButton && globe()) {
        // Both buttons move the globe's camera; the right one alone does nothing here.
        mouse_.press(MapMouse::Right, at);
    }
    showCursor();
    CMainView::mousePressEvent(event);
}

void CKivView::mouseMoveEvent(QMouseEvent* event)
{
    QPoint at = event->position().toPoint();
    if (mouse_.dragging())
        at = MapMouse::confine(at, size(), kConfineMargin);
    const MapExtent world;
    const GeoPoint here = world.pointAt(at, size());
    const MapMouse::Move m = mouse_.move(at);
    if (m.zoomBoxMoved) {
        SetFrameTitle(mapTexts::zoomTitle(world.pointAt(mouse_.anchor(), size()), here));
        SetRubberBand(mouse_.zoomBox());
        return;
    }
    SetFrameTitle(mapTexts::positionTitle(here, at));
    WorldViewPort* g = globe();
    if (!g || !mouse_.left())
        return;
    if (mouse_.right()) {
        g->MoveProjectionZ(m.dz);
        GetDocument().InvalidateViews(kRedrawGlobe);
    } else {
        steerGlobe(here);
    }
}

void CKivView::steerGlobe(const GeoPoint& at)
{
    CKivDoc& doc = GetDocument();
    WorldViewPort* g = globe();
    if (!g)
        return;
    g->LookAt(at.lat, at.lonW, kLookAtDistance);
    // Stored as the go-to commands store a place: the names are crossed.
    doc.ActualLatitude = static_cast<float>(at.lonW);
    doc.ActualLongitude = static_cast<float>(at.lat);
    doc.InvalidateViews(kRedrawGlobe); // drawn at once while the animation stands
}

void CKivView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        const bool left = event->button() == Qt::LeftButton;
        const MapMouse::Release released = mouse_.release(left ? MapMouse::Left : MapMouse::Right);
        if (WorldViewPort* g = globe())
            g->SetQuality(GetDocument().Normal);
        if (left)
            releaseMouse();
        endDrag(released);
    }
    showCursor();
    CMainView::mouseReleaseEvent(event);
}

void CKivView::endDrag(const MapMouse::Release& released)
{
    if (!released.zoomEnded)
        return;
    SetRubberBand(std::nullopt);
    zoomClock_.reset();
    if (released.box)
        ZoomToWDB(*released.box);
}

void CKivView::ZoomToWDB(const QRect& box)
{
    CKivDoc& doc = GetDocument();
    const MapExtent extent = MapExtent{}.part(box, size());
    const bool opened = doc.OpenWDBView(true);
    // With every slot taken the newest view shows the region instead.
    const int slot = doc.Views.wdbCount();
    WDBViewPort* view = slot > 0 ? doc.Views.wdb(slot) : nullptr;
    if (!view)
        return;
    const int percent = std::clamp(doc.XExtension, 10, 100);
    const int desktop = doc.Shell ? doc.Shell->DesktopWidth() : 0;
    view->ShowRegion(extent.toRect(), pictureSize(extent, static_cast<int>(desktop * percent / 100.0)));
    if (opened)
        doc.PlaceNewestWDBFrame();
    map_.updateZoomBoxes(worldMapScene(doc));
    doc.InvalidateViews(kRedrawMap | kRedrawWorldDataBank);
}

void CKivView::showCursor()
{
    // The drag cursors only where the drag steers the globe.
    const MapCursor c = globe() ? mouse_.cursor() : MapCursor::Arrow;
    if (c == MapCursor::Both)
        setCursor(Qt::SizeVerCursor);
    else if (c == MapCursor::Drag)
        setCursor(Qt::ClosedHandCursor);
    else
        unsetCursor();
}
