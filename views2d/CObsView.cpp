#include "views2d/CObsView.h"

#include "document/CKivDoc.h"
#include "resources/CommandIds.h"
#include "views2d/CGotoDlg.h"
#include "views2d/CObsDlg.h"
#include "views2d/SkyTexts.h"

#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QResizeEvent>

#include <cmath>
#include <numbers>

using namespace kiv;

namespace {
constexpr double kDeg = 180.0 / std::numbers::pi;
constexpr int kDragHolds = kHoldGlobe | kHoldWorldDataBank;
} // namespace

CObsView::CObsView(CKivDoc& doc, QWidget* parent) : CMainView(doc, parent)
{
    registered_ = doc.Views.add(this);
    SetBaseSize({100, 100});
    setMouseTracking(true); // the zoom mode's cursor follows the pointer
    bindCommands();
    refreshSatellites();
    LoadObsSettings();
}

CObsView::~CObsView() { Unregister(); }

void CObsView::Unregister()
{
    if (!registered_)
        return;
    registered_ = false;
    // A drag ends as its button-up would have ended it: the clock runs again, the pointer is free.
    endDrag();
    StoreObsSettings();
    GetDocument().Views.remove(this);
}

void CObsView::RedrawSky()
{
    UpdateMapObserverMarker(); // also for a map opened after the sky
    sky_.redraw(satelliteScene(GetDocument()));
    update();
}

bool CObsView::PictureMoved() { return sky_.moved(satelliteScene(GetDocument())); }

void CObsView::LayoutLabels() { sky_.layoutLabels(satelliteScene(GetDocument())); }

void CObsView::StoreObsSettings() { sky_.storeSettings(GetDocument()); }

void CObsView::LoadObsSettings()
{
    // Taking the settings ends zoom mode, with its box.
    zoomMode_ = false;
    updateCursor();
    sky_.loadSettings(GetDocument());
    showPlaceInTitle();
    UpdateMapObserverMarker();
    LayoutLabels();
    GetDocument().InvalidateViews(kRedrawObserver);
}

// Archives count the tilt the other way round: 90 is the flat polar plot.
kiv::ObsArchiveState CObsView::ArchiveState() const { return {sky_.projection().turn, -sky_.projection().tilt}; }

void CObsView::RestoreArchiveState(const kiv::ObsArchiveState& state)
{
    sky_.projection().turn = state.turn;
    sky_.projection().tilt = -state.tilt;
    UpdateMapObserverMarker();
    GetDocument().InvalidateViews(kRedrawObserver);
}

void CObsView::showPlaceInTitle()
{
    const SkySettings& s = sky_.settings();
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->setWindowTitle(skyTexts::observerTitle(s.observer.x * kDeg, s.observer.y * kDeg, s.observer.z, s.twilight));
}

void CObsView::UpdateMapObserverMarker()
{
    CKivDoc& doc = GetDocument();
    if (!doc.Show2D || !doc.Views.map())
        return;
    const ObserverMarkerState m =
        observerMarkerState(sky_.settings().observer, sky_.projection().turn, sky_.projection().tilt);
    doc.Views.map()->SetObserverMarker(m.x, m.y, m.azimuth, m.flip);
}

// The shown satellites computed now, with whole new tracks: the positions the sky needs are
// kept only while it is open, and the tracks only while it draws them.
void CObsView::refreshSatellites()
{
    CKivDoc& doc = GetDocument();
    doc.ResetRouteSteps();
    for (int i = 0; i < doc.SatelliteCount; ++i) {
        if (doc.SatInfo[i].shown)
            doc.CalculateSatellite(i);
    }
}

void CObsView::changed(bool relayout)
{
    StoreObsSettings(); // the document saves and the tracks follow what the view shows
    showPlaceInTitle();
    if (relayout)
        LayoutLabels();
    GetDocument().InvalidateViews(kRedrawObserver);
}

void CObsView::toggle(int id, bool SkySettings::*flag, bool relayout)
{
    commands_.on(
        id,
        [this, flag, relayout] {
            SkySettings& s = sky_.settings();
            s.*flag = !(s.*flag);
            changed(relayout);
        },
        [this, flag](CommandUi& ui) { ui.SetCheck(sky_.settings().*flag); });
}

void CObsView::bindCommands()
{
    commands_.on(kCmdGoTo, [this] { OnGoTo(); });
    commands_.on(kCmdSatelliteStyle, [this] { runObserverOptions(GetDocument(), this); });
    const std::pair<int, double> presets[] = {
        {kCmdTwilightCivil, -6.0}, {kCmdTwilightNautical, -12.0}, {kCmdTwilightAstronomical, -18.0}};
    for (const auto& preset : presets) {
        const double value = preset.second;
        commands_.on(
            preset.first,
            [this, value] {
                sky_.settings().twilight = value;
                changed();
            },
            [this, value](CommandUi& ui) { ui.SetCheck(sky_.settings().twilight == value); });
    }
    commands_.on(
        kCmdKeep2D,
        [this] {
            SkySettings& s = sky_.settings();
            s.flat = !s.flat;
            if (s.flat) {
                sky_.projection().tilt = -90.0; // the polar plot: north up, east right
                s.hiddenLines = false;
                s.hemisphere = false;
            }
            UpdateMapObserverMarker();
            changed();
        },
        [this](CommandUi& ui) { ui.SetCheck(sky_.settings().flat); });
    toggle(kCmdDrawMan, &SkySettings::drawMan);
    toggle(kCmdHiddenLines, &SkySettings::hiddenLines);
    toggle(kCmdHemisphere, &SkySettings::hemisphere);
    toggle(kCmdDrawIcons, &SkySettings::showIcons);
    commands_.on(
        kCmdRoute,
        [this] {
            sky_.settings().showRoute = !sky_.settings().showRoute;
            StoreObsSettings();
            refreshSatellites();
            changed();
        },
        [this](CommandUi& ui) { ui.SetCheck(sky_.settings().showRoute); });
    toggle(kCmdName, &SkySettings::showName, true);
    toggle(kCmdPosition, &SkySettings::showAziEleDist, true);
    toggle(kCmdPosAscDesc, &SkySettings::showRaDec, true);
    toggle(kCmdDrawElevation, &SkySettings::drawElevation);
    toggle(kCmdPrintElevation, &SkySettings::drawEleDegrees);
    toggle(kCmdDrawAzimuth, &SkySettings::drawAzimuth);
    toggle(kCmdPrintAzimuth, &SkySettings::drawAziDegrees);
    toggle(kCmdCompassLines, &SkySettings::compassLines);
    toggle(kCmdPrintCompass, &SkySettings::drawCompass);
    commands_.on(
        kCmdZoom,
        [this] {
            zoomMode_ = !zoomMode_;
            updateCursor();
        },
        [this](CommandUi& ui) { ui.SetCheck(zoomMode_); });
}

void CObsView::OnGoTo()
{
    CKivDoc& doc = GetDocument();
    const std::optional<GoToPlace> place = chooseGoToPlace(doc, this);
    if (!place)
        return;
    if (doc.Show3D && doc.Views.world())
        doc.Views.world()->LookAt(place->latitude, place->westLongitude, 70.0);
    tagVECTOR& observer = sky_.settings().observer;
    observer.x = place->latitude / kDeg;
    observer.y = -place->westLongitude / kDeg;
    UpdateMapObserverMarker();
    doc.InvalidateViews(kRedrawMap);
    changed();
}

void CObsView::resizeEvent(QResizeEvent* event)
{
    sky_.setSize(event->size());
    SetBaseSize(event->size());
    sky_.redraw(satelliteScene(GetDocument()));
    CMainView::resizeEvent(event);
}

bool CObsView::insideSky(QPoint p) const
{
    const SkyProjection& v = sky_.projection();
    return std::hypot(p.x() - v.centreX, p.y() - v.centreY) < v.radius;
}

// The pointer held inside the view, 2 pixels from its edges, while a drag lasts.
QPoint CObsView::confined(QPoint p) const
{
    return {std::clamp(p.x(), 2, std::max(2, width() - 3)), std::clamp(p.y(), 2, std::max(2, height() - 3))};
}

void CObsView::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    SkySettings& s = sky_.settings();
    if (event->button() == Qt::LeftButton && zoomMode_) {
        // The zoom box marks its corners only; the picture stays as it is.
        s.zoomBox = insideSky(at);
        if (s.zoomBox)
            s.zoomStart = {};
    } else if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        (event->button() == Qt::LeftButton ? leftDrag_ : rightDrag_) = true;
        beginDrag();
        previous_ = at;
    }
    updateCursor();
    CMainView::mousePressEvent(event);
}

void CObsView::beginDrag()
{
    CKivDoc& doc = GetDocument();
    grabMouse();
    doc.HeldRedraws |= kDragHolds;
    if (doc.TimeFactor != 0 && !pausedByDrag_) {
        doc.OnPause();
        pausedByDrag_ = true;
    }
}

void CObsView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint raw = event->position().toPoint();
    if (zoomMode_ && !leftDrag_ && !rightDrag_) {
        zoomInside_ = insideSky(raw);
        updateCursor();
        return;
    }
    if (!leftDrag_ && !rightDrag_)
        return;
    const QPoint at = confined(raw);
    const QPoint delta = previous_.value_or(at) - at;
    previous_ = at;
    if (leftDrag_ && rightDrag_) {
        sky_.setZoom(zoomed(sky_.zoom(), delta));
        GetDocument().InvalidateViews(kRedrawObserver);
        return;
    }
    if (leftDrag_) {
        dragObserver(sky_.settings().observer, delta);
        showPlaceInTitle();
    } else {
        dragSphere(sky_.projection(), delta, sky_.settings().flat);
    }
    // The map shows where the observer stands and looks.
    UpdateMapObserverMarker();
    GetDocument().InvalidateViews(kRedrawObserver | kRedrawMap);
}

void CObsView::mouseReleaseEvent(QMouseEvent* event)
{
    // A left release in zoom mode ends a zoom box, not a drag.
    const bool left = event->button() == Qt::LeftButton;
    const bool zoomBoxRelease = left && zoomMode_ && !leftDrag_;
    if (zoomBoxRelease && sky_.settings().zoomBox) {
        sky_.settings().zoomEnd = {};
        zoomMode_ = false;
    }
    if ((left || event->button() == Qt::RightButton) && !zoomBoxRelease)
        endDrag();
    updateCursor();
    CMainView::mouseReleaseEvent(event);
}

void CObsView::endDrag()
{
    if (!leftDrag_ && !rightDrag_)
        return;
    CKivDoc& doc = GetDocument();
    releaseMouse();
    leftDrag_ = rightDrag_ = false;
    previous_.reset();
    doc.HeldRedraws &= ~kDragHolds;
    // Resumed once, also when both buttons come up one after the other.
    if (pausedByDrag_) {
        doc.OnPause();
        pausedByDrag_ = false;
    }
    StoreObsSettings();
}

void CObsView::updateCursor()
{
    if (zoomMode_ && !leftDrag_ && !rightDrag_)
        setCursor(zoomInside_ ? Qt::CrossCursor : Qt::ForbiddenCursor);
    else if (leftDrag_ && rightDrag_)
        setCursor(Qt::SizeVerCursor);
    else if (leftDrag_)
        setCursor(Qt::ClosedHandCursor);
    else if (rightDrag_)
        setCursor(Qt::SizeAllCursor);
    else
        unsetCursor();
}
