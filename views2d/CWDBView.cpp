#include "views2d/CWDBView.h"

#include "document/CKivDoc.h"
#include "document/FileMessages.h"
#include "platform/DataPaths.h"
#include "platform/MessageBoxes.h"
#include "platform/UiServices.h"
#include "platform/WaitCursor.h"
#include "resources/CommandIds.h"
#include "views2d/CGotoDlg.h"
#include "views2d/MapCommands.h"
#include "views2d/MapTexts.h"

#include <QDir>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>

using namespace kiv;


CWDBView::CWDBView(CKivDoc& doc, QWidget* parent) : CMainView(doc, parent)
{
    registered_ = doc.Views.add(this) != 0;
    setMouseTracking(true); // the title follows the pointer
    hbar_ = new QScrollBar(Qt::Horizontal, this);
    vbar_ = new QScrollBar(Qt::Vertical, this);
    for (QScrollBar* bar : {hbar_, vbar_}) {
        bar->hide();
        bar->setCursor(Qt::ArrowCursor);
        connect(bar, &QScrollBar::valueChanged, this, [this] { SetScrollOffset({hbar_->value(), vbar_->value()}); });
    }
    WDBViewState state = map_.state();
    state.showNames = doc.SatelliteNameWDB != 0;
    state.showPositions = doc.SatellitePosWDB != 0;
    map_.setState(state);
    SetBaseSize({state.width, state.height});
    // The colour table of the newest view: read once here; the sheet's command reads it for all.
    WDBColorTable colors = map_.colors();
    const QString colorFile = doc.Context().paths.resolve(doc.WDBColorFileName);
    const auto reading = doc.RecoverCutOffWrite(colorFile);
    if (loadWDBColorFile(colorFile, colors, kWDBColorRecords - 1))
        map_.setColors(colors);
    else
        doc.Context().ui.messages.show(fileMessages::colorTableNotFound(doc.Language == 1, doc.WDBColorFileName));
    SetLayersFromDocument();
    bindCommands();
    FullRedraw();
}

CWDBView::~CWDBView() { Unregister(); }

void CWDBView::Unregister()
{
    if (!registered_)
        return;
    registered_ = false;
    mouse_.cancel();
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
        doc.Context().ui.messages.show(fileMessages::colorTableNotFound(doc.Language == 1, doc.WDBColorFileName));
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

void CWDBView::RefreshSatellites() { showSatellites(wdbScene(GetDocument())); }

bool CWDBView::PictureMoved() { return map_.moved(wdbScene(GetDocument()), labels()); }

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
    s.width = std::clamp(mapSize.width(), 1, MapExtent::kMaxPictureSide);
    s.height = std::clamp(mapSize.height(), 1, MapExtent::kMaxPictureSide);
    SetState(s);
}

void CWDBView::ShowRegion(const QRectF& extent, const QSize& mapSize)
{
    WDBViewState s = map_.state();
    wdbview::setExtent(s, MapExtent::fromRect(extent));
    s.width = std::clamp(mapSize.width(), 1, MapExtent::kMaxPictureSide);
    s.height = std::clamp(mapSize.height(), 1, MapExtent::kMaxPictureSide);
    SetState(s);
}

void CWDBView::SetState(const WDBViewState& state) { applyState(state, FrameMove::Fit); }

void CWDBView::applyState(const WDBViewState& state, FrameMove frame)
{
    if (!map_.setState(state))
        return;
    SetBaseSize({state.width, state.height});
    FullRedraw();
    if (frame == FrameMove::Fit)
        FitFrame();
    layoutScrollBars();
    extentChanged();
}

WDBArchiveState CWDBView::ArchiveState() const
{
    const WDBViewState& s = map_.state();
    const CKivDoc& doc = GetDocument();
    WDBArchiveState a;
    for (int i = 0; i < kWDBArchiveLayers; ++i) {
        a.layerColors[i] = map_.colors().colors[i];
        a.penWidths[i] = map_.colors().widths[i];
    }
    const QRect source = sourceRect(wdbview::extentOf(s), {doc.WDBMapWidth, doc.WDBMapHeight});
    a.sourceLeft = source.left();
    a.sourceTop = source.top();
    a.sourceRight = source.right() + 1;
    a.sourceBottom = source.bottom() + 1;
    a.leftLongitude = s.left;
    a.rightLongitude = s.right;
    a.topLatitude = s.top;
    a.bottomLatitude = s.bottom;
    a.clientWidth = s.width;
    a.clientHeight = s.height;
    a.showNames = s.showNames ? 1 : 0;
    a.showPositions = s.showPositions ? 1 : 0;
    return a;
}

bool CWDBView::RestoreArchiveState(const WDBArchiveState& a)
{
    WDBColorTable colors = map_.colors();
    for (int i = 0; i < kWDBArchiveLayers; ++i) {
        colors.colors[i] = a.layerColors[i];
        colors.widths[i] = a.penWidths[i];
    }
    map_.setColors(colors);
    WDBViewState own = map_.state();
    own.showNames = a.showNames != 0;
    own.showPositions = a.showPositions != 0;
    WDBViewState sized = own;
    sized.width = a.clientWidth;
    sized.height = a.clientHeight;
    WDBViewState stored = sized;
    stored.left = a.leftLongitude;
    stored.right = a.rightLongitude;
    stored.top = a.topLatitude;
    stored.bottom = a.bottomLatitude;
    const bool regionTaken = wdbview::isValid(stored);
    // The frame stays where the archive put it.
    applyState(regionTaken ? stored : wdbview::isValid(sized) ? sized : own, FrameMove::Stay);
    return regionTaken;
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

void CWDBView::rebuildBase(const WDBScene& scene, bool dragging)
{
    const CKivDoc& doc = GetDocument();
    map_.drawBackground(doc.WDBMapBitmap, doc.BackgraoundTexture != 0, !dragging);
    overlayBase(scene, dragging);
}

void CWDBView::overlayBase(const WDBScene& scene, bool dragging)
{
    map_.drawGrid(scene, dragging);
    map_.drawTowns(scene, dragging);
    map_.keepAsBase();
}

void CWDBView::showSatellites(const WDBScene& scene)
{
    map_.drawSatellites(scene, labels());
    update();
}

void CWDBView::FullRedraw()
{
    const WDBScene scene = wdbScene(GetDocument());
    rebuildBase(scene, false);
    showSatellites(scene);
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
            const QString name = QString::fromLatin1(wdb::kContinentNames[continent].data(),
                                                     static_cast<int>(wdb::kContinentNames[continent].size())) +
                                 QLatin1Char('.') +
                                 QString::fromLatin1(wdb::kKindNames[kind].data(),
                                                     static_cast<int>(wdb::kKindNames[kind].size()));
            const std::optional<QString> found = paths.find(QDir(folder).filePath(name));
            return found ? QFile::encodeName(*found).toStdString() : std::string();
        },
        [this] { repaint(); });
    if (result.status != wdb::FileStatus::Ok) {
        // Every warning names the file it is about.
        const QString text = QString::fromStdString(wdb::statusMessage(result.status, doc.Language == 1)) +
                             QLatin1Char('\n') + QFile::decodeName(QByteArray::fromStdString(result.file));
        doc.Context().ui.messages.show({.caption = QStringLiteral("Warning"),
                                        .text = text,
                                        .buttons = MessageButtons::Ok,
                                        .icon = MessageIcon::Exclamation});
    }
    const WDBScene scene = wdbScene(doc);
    overlayBase(scene, false);
    showSatellites(scene);
}

void CWDBView::extentChanged()
{
    CKivDoc& doc = GetDocument();
    if (doc.Show2D && doc.Views.map())
        doc.InvalidateViews(kRedrawMap); // the map's zoom boxes follow the extents
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
            if (!mouse_.zoomDragging())
                mouse_.toggleZoomMode();
            updateCursor();
        },
        [this](CommandUi& ui) { ui.SetCheck(mouse_.zoomMode()); });
    bindStationary(commands_, doc);
    commands_.on(kCmdName, [this] { SetLabelSwitches(!map_.state().showNames, map_.state().showPositions); });
    commands_.on(kCmdPosition, [this] { SetLabelSwitches(map_.state().showNames, !map_.state().showPositions); });
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

void CWDBView::SetLabelSwitches(bool names, bool positions)
{
    CKivDoc& doc = GetDocument();
    WDBViewState s = map_.state();
    s.showNames = names;
    s.showPositions = positions;
    doc.SatelliteNameWDB = names ? 1 : 0;
    doc.SatellitePosWDB = positions ? 1 : 0;
    map_.setState(s);
    RefreshSatellites();
}

void CWDBView::SetStyleCommand(std::function<void(CWDBView&)> run)
{
    commands_.on(kCmdSatelliteStyle, [this, run = std::move(run)] { run(*this); });
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

namespace {
// The pointer is held inside the window shrunk by this much while a button is down.
constexpr int kConfineMargin = -2;
} // namespace

void CWDBView::mousePressEvent(QMouseEvent* event)
{
    const QPoint at = toPicture(event->position().toPoint());
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        const bool left = event->button() == Qt::LeftButton;
        if (!mouse_.dragging())
            grabMouse();
        if (mouse_.press(left ? MapMouse::Left : MapMouse::Right, at))
            SetRubberBand(mouse_.zoomBox());
        if (!timerHold_)
            timerHold_.emplace(GetDocument());
        panFrom_ = at;
    }
    updateCursor();
    CMainView::mousePressEvent(event);
}

void CWDBView::mouseMoveEvent(QMouseEvent* event)
{
    QPoint at = event->position().toPoint();
    if (mouse_.dragging())
        at = MapMouse::confine(at, visibleSize(), kConfineMargin);
    at = toPicture(at);
    const WDBViewState& s = map_.state();
    const MapExtent extent = wdbview::extentOf(s);
    const QSize picture = wdbview::pictureOf(s);
    const MapMouse::Move m = mouse_.move(at);
    if (m.zoomBoxMoved) {
        SetFrameTitle(mapTexts::zoomTitle(extent.pointAt(at, picture), extent.pointAt(mouse_.anchor(), picture)));
        SetRubberBand(mouse_.zoomBox());
        return;
    }
    SetFrameTitle(mapTexts::positionTitle(extent.pointAt(at, picture), at));
    if (!mouse_.left())
        return;
    const QPoint delta = at - panFrom_;
    panFrom_ = at;
    WDBViewState next = s;
    const bool moved =
        mouse_.right() ? wdbview::dragZoom(next, delta, (GetDocument().ZoomStyle & 8) != 0) : wdbview::pan(next, delta);
    if (!moved || !map_.setState(next))
        return;
    panned_ = true;
    CKivDoc& doc = GetDocument();
    const WDBScene scene = wdbScene(doc);
    rebuildBase(scene, true);
    if (doc.ZoomStyle & 2)
        map_.drawSatellites(scene, labels());
    else
        map_.showBase();
    update();
    extentChanged();
}

void CWDBView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton) {
        const bool left = event->button() == Qt::LeftButton;
        const MapMouse::Release released = mouse_.release(left ? MapMouse::Left : MapMouse::Right);
        endDrag();
        if (released.zoomEnded && released.box)
            SetState(wdbview::zoomBox(map_.state(), *released.box, std::max(visibleSize().width(), 1)));
    }
    updateCursor();
    CMainView::mouseReleaseEvent(event);
}

// Either button's release ends whatever the mouse did: the rubber band goes, the timer runs
// again, and a panned view gets its grid and towns at full quality.
void CWDBView::endDrag()
{
    SetRubberBand(std::nullopt);
    releaseMouse();
    timerHold_.reset();
    if (panned_) {
        panned_ = false;
        FullRedraw();
        extentChanged();
    }
}

QSize CWDBView::visibleSize() const
{
    const QSize picture = wdbview::pictureOf(map_.state());
    return {std::min(width() - (vbar_->isVisible() ? vbar_->width() : 0), picture.width()),
            std::min(height() - (hbar_->isVisible() ? hbar_->height() : 0), picture.height())};
}

void CWDBView::layoutScrollBars()
{
    const QSize picture = wdbview::pictureOf(map_.state());
    const int thickness = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    bool needH = picture.width() > width();
    bool needV = picture.height() > height();
    needH = needH || (needV && picture.width() > width() - thickness);
    needV = needV || (needH && picture.height() > height() - thickness);
    const int shownW = width() - (needV ? thickness : 0);
    const int shownH = height() - (needH ? thickness : 0);
    hbar_->setGeometry(0, height() - thickness, std::max(0, shownW), thickness);
    vbar_->setGeometry(width() - thickness, 0, thickness, std::max(0, shownH));
    hbar_->setRange(0, needH ? picture.width() - shownW : 0);
    vbar_->setRange(0, needV ? picture.height() - shownH : 0);
    hbar_->setPageStep(std::max(1, shownW));
    vbar_->setPageStep(std::max(1, shownH));
    hbar_->setVisible(needH);
    vbar_->setVisible(needV);
    SetScrollOffset({hbar_->value(), vbar_->value()});
}

void CWDBView::resizeEvent(QResizeEvent* event)
{
    layoutScrollBars();
    CMainView::resizeEvent(event);
}

void CWDBView::updateCursor()
{
    const MapCursor c = mouse_.cursor();
    if (c == MapCursor::Both)
        setCursor(Qt::SizeVerCursor);
    else if (c == MapCursor::Drag)
        setCursor(Qt::ClosedHandCursor);
    else if (mouse_.zoomMode())
        setCursor(Qt::CrossCursor);
    else
        unsetCursor();
}
