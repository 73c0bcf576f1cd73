#include "views2d/CWDBView.h"

#include "document/CKivDoc.h"
#include "platform/DataPaths.h"
#include "platform/MessageBoxes.h"
#include "platform/UiServices.h"
#include "platform/WaitCursor.h"
#include "resources/CommandIds.h"
#include "views2d/CGotoDlg.h"

#include <QDir>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>

using namespace kiv;

namespace {

MessageRequest colorFileMissing(const CKivDoc& doc, const QString& name)
{
    return {QStringLiteral("Attention"),
            doc.Language == 1 ? QStringLiteral("Sorry could'nt find the colortablefile %1.").arg(name)
                              : QStringLiteral("Farbetabellenfile %1 nicht gefunden.").arg(name),
            MessageButtons::Ok, MessageIcon::Exclamation};
}

} // namespace

CWDBView::CWDBView(CKivDoc& doc, QWidget* parent) : CMainView(doc, parent)
{
    registered_ = doc.Views.add(this) != 0;
    setMouseTracking(true); // the title follows the pointer
    WDBViewState state = map_.state();
    state.showNames = doc.SatelliteNameWDB != 0;
    state.showPositions = doc.SatellitePosWDB != 0;
    map_.setState(state);
    SetBaseSize({state.width, state.height});
    // The colour table of the newest view: read once here; the sheet's command reads it for all.
    WDBColorTable colors = map_.colors();
    if (loadWDBColorFile(doc.Context().paths.resolve(doc.WDBColorFileName), colors, kWDBColorRecords - 1))
        map_.setColors(colors);
    else
        doc.Context().ui.messages.show(colorFileMissing(doc, doc.WDBColorFileName));
    SetLayersFromDocument();
    bindCommands();
    map_.layoutLabels(doc, labels());
    FullRedraw();
}

CWDBView::~CWDBView() { Unregister(); }

void CWDBView::Unregister()
{
    if (!registered_)
        return;
    registered_ = false;
    endDrag();
    CKivDoc& doc = GetDocument();
    doc.Views.remove(this);
    doc.InvalidateViews(kRedrawMap); // its zoom box goes
}

void CWDBView::LoadColorTables(CKivDoc& doc)
{
    if (doc.Views.wdbCount() == 0)
        return;
    auto* first = dynamic_cast<CWDBView*>(doc.Views.wdb(1));
    WDBColorTable colors = first ? first->map_.colors() : defaultWDBColors();
    if (!loadWDBColorFile(doc.Context().paths.resolve(doc.WDBColorFileName), colors, kWDBColorRecords - 1)) {
        doc.Context().ui.messages.show(colorFileMissing(doc, doc.WDBColorFileName));
        return;
    }
    for (int i = 1; i <= doc.Views.wdbCount(); ++i)
        if (auto* view = dynamic_cast<CWDBView*>(doc.Views.wdb(i)))
            view->SetColors(colors);
}

void CWDBView::SetColors(const WDBColorTable& colors) { map_.setColors(colors); }

void CWDBView::SetLayersFromDocument()
{
    const CKivDoc& doc = GetDocument();
    layers_ = WDBMap::layersFromMasks(doc.BDY_Layer, doc.CIL_Layer, doc.RIV_Layer, doc.PBY_Layer);
}

// ---- WDBViewPort --------------------------------------------------------------------------------

void CWDBView::RefreshSatellites()
{
    map_.drawSatellites(GetDocument(), labels());
    update();
}

QRectF CWDBView::Extent() const
{
    const WDBViewState& s = map_.state();
    return QRectF(s.left, s.top, s.right - s.left, s.bottom - s.top);
}

void CWDBView::ShowWholeWorld(const QSize& mapSize)
{
    WDBViewState s = map_.state();
    s.left = 180.0;
    s.right = -180.0;
    s.top = 90.0;
    s.bottom = -90.0;
    s.width = std::clamp(mapSize.width(), wdbview::kMinPictureSide, wdbview::kMaxPictureSide);
    s.height = std::clamp(mapSize.height(), wdbview::kMinPictureSide, wdbview::kMaxPictureSide);
    SetState(s);
}

void CWDBView::SetState(const WDBViewState& state)
{
    if (!map_.setState(state))
        return;
    SetBaseSize({state.width, state.height});
    map_.layoutLabels(GetDocument(), labels());
    FullRedraw();
    FitFrame();
    extentChanged();
}

void CWDBView::CentreOn(double latitude, double westLongitude)
{
    WDBViewState s = map_.state();
    wdbview::centerOn(s, latitude, westLongitude);
    if (!map_.setState(s))
        return;
    FullRedraw();
    extentChanged();
}

void CWDBView::ReloadBackground()
{
    SetLayersFromDocument();
    FullRedraw();
}

// ---- drawing ------------------------------------------------------------------------------------

void CWDBView::rebuildBase(bool dragging)
{
    CKivDoc& doc = GetDocument();
    map_.drawBackground(doc.WDBMapBitmap, doc.BackgraoundTexture != 0, !dragging);
    map_.drawGrid(doc, dragging);
    map_.drawTowns(doc, dragging);
    map_.keepAsBase();
}

void CWDBView::FullRedraw()
{
    rebuildBase(false);
    RefreshSatellites();
}

void CWDBView::RedrawWorldDataBase()
{
    CKivDoc& doc = GetDocument();
    TimerBracket hold(doc);
    WaitCursor wait(doc.Context().ui.cursors);
    map_.drawBackground(doc.WDBMapBitmap, doc.BackgraoundTexture != 0);
    const DataPaths& paths = doc.Context().paths;
    const QString folder = doc.WDBMainFilePath.isEmpty() ? QStringLiteral(".") : doc.WDBMainFilePath;
    const wdb::PassResult result = map_.drawVectors(
        layers_, doc.ActivateAllLayers != 0,
        [&](int continent, int kind) {
            const QString name = QString::fromLatin1(wdb::kContinentNames[static_cast<std::size_t>(continent)].data(),
                                                     static_cast<int>(wdb::kContinentNames[static_cast<std::size_t>(continent)].size())) +
                                 QLatin1Char('.') +
                                 QString::fromLatin1(wdb::kKindNames[static_cast<std::size_t>(kind)].data(),
                                                     static_cast<int>(wdb::kKindNames[static_cast<std::size_t>(kind)].size()));
            const std::optional<QString> found = paths.find(QDir(folder).filePath(name));
            return found ? QFile::encodeName(*found).toStdString() : std::string();
        },
        [this] { repaint(); });
    if (result.status != wdb::FileStatus::Ok) {
        QString text = QString::fromStdString(wdb::statusMessage(result.status));
        if (result.status == wdb::FileStatus::Corrupt)
            text += QLatin1Char('\n') + QFile::decodeName(QByteArray::fromStdString(result.file));
        doc.Context().ui.messages.show({QStringLiteral("Warning"), text, MessageButtons::Ok, MessageIcon::Exclamation});
    }
    map_.drawGrid(doc, false);
    map_.drawTowns(doc, false);
    map_.keepAsBase();
    RefreshSatellites();
}

void CWDBView::extentChanged()
{
    CKivDoc& doc = GetDocument();
    if (doc.Show2D && doc.Views.map())
        doc.InvalidateViews(kRedrawMap); // the map's zoom boxes follow the extents
}

void CWDBView::setTitle(const QString& title)
{
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget()))
        frame->setWindowTitle(title);
}

// ---- commands -----------------------------------------------------------------------------------

void CWDBView::bindCommands()
{
    CKivDoc& doc = GetDocument();
    commands_.on(kCmdDraw, [this] { RedrawWorldDataBase(); });
    commands_.on(kCmdGoTo, [this] { OnGoTo(); });
    commands_.on(
        kCmdZoom,
        [this] {
            zoomMode_ = !zoomMode_;
            updateCursor();
        },
        [this](CommandUi& ui) { ui.SetCheck(zoomMode_); });
    commands_.on(kCmdName, [this, &doc] {
        WDBViewState s = map_.state();
        s.showNames = !s.showNames;
        doc.SatelliteNameWDB = s.showNames ? 1 : 0;
        map_.setState(s);
        map_.layoutLabels(doc, labels());
        RefreshSatellites();
    });
    commands_.on(kCmdPosition, [this, &doc] {
        WDBViewState s = map_.state();
        s.showPositions = !s.showPositions;
        doc.SatellitePosWDB = s.showPositions ? 1 : 0;
        map_.setState(s);
        map_.layoutLabels(doc, labels());
        RefreshSatellites();
    });
    commands_.on(
        kCmdFootprints,
        [&doc] {
            doc.FootprintWDB = !doc.FootprintWDB;
            doc.InvalidateViews(kRedrawWorldDataBank);
        },
        [&doc](CommandUi& ui) { ui.SetCheck(doc.FootprintWDB != 0); });
    const std::pair<int, int> styles[] = {{kCmdFootprintLine, 1}, {kCmdFootprintArea, 2}, {kCmdFootprintChecked, 3}};
    for (const auto& [id, style] : styles) {
        const int value = style;
        commands_.on(
            id,
            [&doc, value] {
                doc.FootprintStyleWDB = value;
                doc.InvalidateViews(kRedrawWorldDataBank);
            },
            [&doc, value](CommandUi& ui) {
                ui.Enable(doc.FootprintWDB != 0);
                ui.SetCheck(doc.FootprintStyleWDB == value);
            });
    }
    commands_.on(
        kCmdFootprintColored,
        [&doc] {
            doc.ColorFootprintWDB = !doc.ColorFootprintWDB;
            doc.InvalidateViews(kRedrawWorldDataBank);
        },
        [&doc](CommandUi& ui) {
            ui.Enable(doc.FootprintWDB != 0);
            ui.SetCheck(doc.ColorFootprintWDB != 0);
        });
    commands_.on(
        kCmdRoute,
        [&doc] {
            doc.ShowCourseWDB = !doc.ShowCourseWDB;
            if (doc.ShowCourseWDB)
                doc.OnReset();
            doc.InvalidateViews(kRedrawWorldDataBank);
        },
        [&doc](CommandUi& ui) { ui.SetCheck(doc.ShowCourseWDB != 0); });
}

void CWDBView::OnGoTo()
{
    CKivDoc& doc = GetDocument();
    TimerBracket hold(doc);
    const std::optional<GoToPlace> place = chooseGoToPlace(doc, this);
    if (!place)
        return;
    if (doc.Show3D && doc.Views.world())
        doc.Views.world()->LookAt(place->latitude, place->westLongitude, 35.0);
    CentreOn(place->latitude, place->westLongitude);
    // Stored crossed, as the document's go-to keeps them.
    doc.ActualLatitude = static_cast<float>(place->westLongitude);
    doc.ActualLongitude = static_cast<float>(place->latitude);
}

// ---- mouse --------------------------------------------------------------------------------------

QPoint CWDBView::confined(QPoint p) const
{
    const WDBViewState& s = map_.state();
    const int w = std::min(width(), s.width), h = std::min(height(), s.height);
    return {std::clamp(p.x(), 2, std::max(2, w - 3)), std::clamp(p.y(), 2, std::max(2, h - 3))};
}

void CWDBView::beginDrag(Drag drag)
{
    drag_ = drag;
    grabMouse();
    if (!timerHold_)
        timerHold_.emplace(GetDocument());
    updateCursor();
}

void CWDBView::endDrag()
{
    if (drag_ == Drag::None)
        return;
    drag_ = Drag::None;
    releaseMouse();
    timerHold_.reset();
    updateCursor();
}

void CWDBView::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        leftDown_ = true;
        if (zoomMode_) {
            anchor_ = corner_ = confined(at);
            beginDrag(Drag::ZoomBox);
        } else {
            panStart_ = at;
            beginDrag(Drag::Pan);
        }
    } else if (event->button() == Qt::RightButton) {
        rightDown_ = true;
        updateCursor();
    }
    CMainView::mousePressEvent(event);
}

void CWDBView::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint raw = event->position().toPoint();
    const WDBViewState& s = map_.state();
    if (drag_ == Drag::None) {
        setTitle(wdbview::pointerTitle(s, raw));
        return;
    }
    const QPoint at = confined(raw);
    if (drag_ == Drag::ZoomBox) {
        corner_ = at;
        setTitle(wdbview::zoomTitle(s, corner_, anchor_));
        update();
        return;
    }
    const QPoint delta = at - panStart_;
    panStart_ = at;
    WDBViewState next = s;
    const bool moved = rightDown_ ? wdbview::dragZoom(next, delta, (GetDocument().ZoomStyle & 8) != 0) : wdbview::pan(next, delta);
    setTitle(wdbview::pointerTitle(s, at));
    if (!moved || !map_.setState(next))
        return;
    CKivDoc& doc = GetDocument();
    rebuildBase(true);
    if (doc.ZoomStyle & 2)
        map_.drawSatellites(doc, labels());
    else
        map_.showBase();
    update();
    extentChanged();
}

void CWDBView::mouseReleaseEvent(QMouseEvent* event)
{
    const bool left = event->button() == Qt::LeftButton;
    if (left)
        leftDown_ = false;
    else if (event->button() == Qt::RightButton)
        rightDown_ = false;
    if (left && drag_ == Drag::ZoomBox) {
        zoomMode_ = false;
        const std::optional<WDBViewState> zoomed = wdbview::zoomBox(map_.state(), anchor_, corner_, width());
        endDrag();
        if (zoomed)
            SetState(*zoomed);
        else
            update(); // a box too small to zoom into: the rubber band goes
    } else if (drag_ == Drag::Pan && (left || !leftDown_)) {
        endDrag();
        leftDown_ = rightDown_ = false;
        FullRedraw();
        extentChanged();
    }
    updateCursor();
    CMainView::mouseReleaseEvent(event);
}

void CWDBView::updateCursor()
{
    if (drag_ == Drag::Pan)
        setCursor(rightDown_ ? Qt::SizeVerCursor : Qt::ClosedHandCursor);
    else if (zoomMode_)
        setCursor(Qt::CrossCursor);
    else
        unsetCursor();
}

void CWDBView::paintEvent(QPaintEvent* event)
{
    CMainView::paintEvent(event);
    if (drag_ != Drag::ZoomBox)
        return;
    // The rubber band: a one-pixel frame in a red diagonal-cross hatch.
    QPainter p(this);
    const QRect box = QRect(anchor_, corner_).normalized();
    const QBrush hatch(Qt::red, Qt::DiagCrossPattern);
    p.fillRect(QRect(box.left(), box.top(), box.width(), 1), hatch);
    p.fillRect(QRect(box.left(), box.bottom(), box.width(), 1), hatch);
    p.fillRect(QRect(box.left(), box.top(), 1, box.height()), hatch);
    p.fillRect(QRect(box.right(), box.top(), 1, box.height()), hatch);
}
