#include "app/CMainFrame.h"

#include "app/CSpeedSlider.h"
#include "app/CascadeLayout.h"
#include "app/Glyphs.h"
#include "app/ViewFactory.h"
#include "document/CKivDoc.h"
#include "document/ViewArrangement.h"
#include "platform/LanguageText.h"
#include "platform/UiServices.h"
#include "resources/CommandIds.h"
#include "resources/MenuTables.h"

#include "platform/TerminationGuard.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QToolBar>

#include <algorithm>

using namespace kiv;

using kiv::ViewKind;

namespace {

constexpr int kTickMs = 20;

kiv::MenuView menuViewOf(ViewKind kind)
{
    switch (kind) {
    case ViewKind::World:
        return kiv::MenuView::World;
    case ViewKind::Map:
        return kiv::MenuView::Map;
    case ViewKind::WDB:
        return kiv::MenuView::WDB;
    case ViewKind::Obs:
        return kiv::MenuView::Obs;
    }
    return kiv::MenuView::None;
}

} // namespace

CMainFrame::CMainFrame(kiv::UiServices& ui, QWidget* parent)
    : QMainWindow(parent), ui_(ui), registry_(new kiv::CommandRegistry([this] { return route(); }, this)),
      mdi_(new QMdiArea(this)), title_(QStringLiteral("Satellite Simulation"))
{
    setWindowIcon(kiv::glyphs::applicationIcon());
    setWindowTitle(title_);
    setCentralWidget(mdi_);
    setAcceptDrops(true);
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* w) {
        if (auto* child = dynamic_cast<CChildFrame*>(w))
            current_ = child;
        SetViewMenu();
    });
    timer_.setInterval(kTickMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (!doc_)
            return;
        ++ticks_;
        doc_->AnimationStep();
    });
    // The toolbar's states follow the program a few times a second, as idle updates did.
    uiUpdate_.setInterval(250);
    connect(&uiUpdate_, &QTimer::timeout, registry_, &kiv::CommandRegistry::updateActions);
    uiUpdate_.start();
    registry_->onExecuted = [this] {
        if (doc_)
            doc_->DocumentChanged();
    };

    buildFrameCommands();
    createToolBar();
    createStatusBar();
    // Shortcuts live on the window's own actions, so a menu rebuild never loses them.
    for (int id : {kiv::kCmdFileNew, kiv::kCmdOpenLocal, kiv::kCmdHelp})
        addAction(registry_->action(id));
    SetViewMenu();
}

CMainFrame::~CMainFrame() = default;

std::vector<const kiv::CommandMap*> CMainFrame::route() const
{
    const CChildFrame* child = doc_ ? ActiveChild() : nullptr;
    return {child ? child->Commands() : nullptr, docCommands_, &frameCommands_, appCommands_};
}

void CMainFrame::SetDocument(CKivDoc* doc, const kiv::CommandMap* documentCommands)
{
    doc_ = doc;
    docCommands_ = doc ? documentCommands : nullptr;
    slider_->SetDocument(doc);
    if (doc) {
        PlaceSpeedSlider();
        tzButton_->setText(doc->ShowUTC ? QStringLiteral("UTC") : QStringLiteral("Local"));
    }
    SetViewMenu();
    registry_->updateActions();
}

void CMainFrame::AllowTicks()
{
    ticksAllowed_ = true;
    SetAnimationTimer(timerWanted_);
}

// ---- MainFramePort ----------------------------------------------------------------------------

void CMainFrame::SetAnimationTimer(bool on)
{
    timerWanted_ = on;
    if (on && ticksAllowed_)
        timer_.start();
    else
        timer_.stop();
}

void CMainFrame::SetTitle(const QString& title)
{
    title_ = title;
    setWindowTitle(title_);
}

// A label given the text it already shows does nothing: no layout, no repaint.
void CMainFrame::SetStatusText(StatusPane pane, const QString& text) { StatusLabel(pane)->setText(text); }

void CMainFrame::SetLanguage(int language) { translation_.follow(language != 0); }

QLabel* CMainFrame::StatusLabel(StatusPane pane) const { return panes_[static_cast<std::size_t>(pane)]; }

// ---- view frames ------------------------------------------------------------------------------

CChildFrame* CMainFrame::ActiveChild() const
{
    auto* child = dynamic_cast<CChildFrame*>(mdi_->currentSubWindow());
    if (!child)
        child = current_;
    return std::find(children_.begin(), children_.end(), child) != children_.end() ? child : nullptr;
}

void CMainFrame::OpenViewFrame(ViewKind kind)
{
    if (!doc_)
        return;
    CChildFrame* child = kiv::makeViewFrame(kind, *doc_);
    child->onClosed = [this](CChildFrame* c) { childClosed(c); };
    children_.push_back(child);
    mdi_->addSubWindow(child);
    child->show();
    current_ = child;
    mdi_->setActiveSubWindow(child);
}

void CMainFrame::CloseViewFrame(ViewKind kind, int wdbSlot)
{
    CChildFrame* child = frameOf(kind, wdbSlot);
    if (!child)
        return;
    // Closing a maximised frame would leave the next one maximised.
    child->showNormal();
    child->close();
}

void CMainFrame::childClosed(CChildFrame* child)
{
    children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
    if (current_ == child)
        current_ = nullptr;
    SetViewMenu();
}

CChildFrame* CMainFrame::frameOf(ViewKind kind, int wdbSlot) const
{
    const void* port = doc_ ? doc_->Views.key(kind, wdbSlot) : nullptr;
    if (!port)
        return nullptr;
    for (CChildFrame* c : children_) {
        if (c->Kind() == kind && c->Port() == port)
            return c;
    }
    return nullptr;
}

void CMainFrame::SetViewMenu()
{
    if (!doc_) {
        menuId_ = kiv::kMenuNoDocument;
    } else {
        // Every frame in the list holds a registered view; any WDB view counts, not only the first.
        const CChildFrame* child = ActiveChild();
        menuId_ = kiv::viewMenuId(child ? menuViewOf(child->Kind()) : kiv::MenuView::None, doc_->Language);
        registry_->setLanguage(doc_->Language);
    }
    registry_->fillMenuBar(menuBar(), menuId_);
}

int CMainFrame::DesktopWidth() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 1024;
}

QSize CMainFrame::ViewFrameExtras() const
{
    // Measured on a frame that is laid out; else from the style, as QMdiSubWindow lays out.
    for (const CChildFrame* c : children_) {
        if (c->isVisible() && !c->isMinimized() && !c->isMaximized())
            return c->size() - c->widget()->size();
    }
    QStyleOptionTitleBar option;
    option.initFrom(mdi_);
    option.titleBarFlags = Qt::SubWindow;
    option.titleBarState = 1;
    const QStyle* s = mdi_->style();
    const int frame = s->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, mdi_);
    const int title = s->pixelMetric(QStyle::PM_TitleBarHeight, &option, mdi_);
    return QSize(2 * frame, title + frame);
}

std::optional<QRect> CMainFrame::ViewFrameGeometry(ViewKind kind, int wdbSlot) const
{
    if (const CChildFrame* c = frameOf(kind, wdbSlot))
        return c->geometry();
    return std::nullopt;
}

void CMainFrame::PlaceViewFrame(ViewKind kind, int wdbSlot, const QRect& rect)
{
    if (CChildFrame* c = frameOf(kind, wdbSlot)) {
        c->showNormal();
        // Never smaller than the frame's title bar with its buttons, so that there is one to grab.
        c->setGeometry(QRect(rect.topLeft(), rect.size().expandedTo(c->minimumSizeHint())));
    }
}

QRect CMainFrame::ViewFrameTitleLabel(ViewKind kind, int wdbSlot, QSize size) const
{
    const CChildFrame* c = frameOf(kind, wdbSlot);
    if (!c)
        return {};
    // As the frame lays out its title bar when shown normal: inside its border, beside the
    // buttons its flags ask for.
    QStyleOptionTitleBar option;
    option.initFrom(c);
    option.subControls = QStyle::SC_All;
    option.titleBarFlags = c->windowFlags();
    option.titleBarState = Qt::WindowNoState;
    const QStyle* s = c->style();
    const int border = s->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, c);
    const int title = s->pixelMetric(QStyle::PM_TitleBarHeight, &option, c);
    option.rect = QRect(border, border, size.width() - 2 * border, title - border);
    return s->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarLabel, c);
}

void CMainFrame::PlaceMainWindow(const QPoint& topLeft, std::optional<QSize> areaSize)
{
    move(topLeft);
    pendingArea_ = areaSize;
    if (areaSize)
        fitArea();
}

std::optional<QRect> CMainFrame::MainWindowRect() const { return frameGeometry(); }

QPoint CMainFrame::AreaOrigin() const { return mdi_->viewport()->mapToGlobal(QPoint(0, 0)); }

// A hidden window's area is not laid out yet and bounds nothing.
QSize CMainFrame::AreaSize() const { return isVisible() ? mdi_->viewport()->size() : QSize(); }

void CMainFrame::PlaceMainWindowRect(const QRect& rect)
{
    if (isMinimized() || isMaximized())
        showNormal();
    // The stored rectangle is the outer one, frame and title included.
    const QSize decoration = frameGeometry().size() - geometry().size();
    pendingArea_.reset();
    // On the screen that shows the rectangle's centre (else the primary one), within what it
    // leaves free for windows. The window keeps its minimum size: the corner follows the size
    // it takes.
    const QScreen* screen = QGuiApplication::screenAt(rect.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect free = screen ? screen->availableGeometry() : rect;
    resize((rect.size().boundedTo(free.size()) - decoration).expandedTo(minimumSizeHint()));
    const QSize outer = size() + decoration;
    move(std::clamp(rect.left(), free.left(), std::max(free.left(), free.right() + 1 - outer.width())),
         std::clamp(rect.top(), free.top(), std::max(free.top(), free.bottom() + 1 - outer.height())));
}

void CMainFrame::FreezeRedraw(bool frozen) { setUpdatesEnabled(!frozen); }

void CMainFrame::fitArea()
{
    if (!pendingArea_)
        return;
    // The MDI area is to show the whole arrangement; menu, toolbar and status bar come on top.
    // A hidden window's layout is not done yet: then measure from the parts' size hints, and
    // measure again once the window shows.
    QSize extra;
    if (isVisible()) {
        extra = size() - mdi_->viewport()->size();
        pendingArea_.reset();
    } else {
        const int frame = 2 * mdi_->frameWidth();
        int height = frame + menuBar()->sizeHint().height();
        if (!toolBar_->isHidden() && toolBarArea(toolBar_) & (Qt::TopToolBarArea | Qt::BottomToolBarArea))
            height += toolBar_->sizeHint().height();
        if (!statusBar()->isHidden())
            height += statusBar()->sizeHint().height();
        extra = QSize(frame, height);
    }
    resize(*pendingArea_ + extra);
}

void CMainFrame::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (pendingArea_)
        QTimer::singleShot(0, this, [this] { fitArea(); });
}

// ---- satellite toolbar ------------------------------------------------------------------------

QAction* CMainFrame::SatelliteButton(int slot) const
{
    return slot >= 0 && slot < static_cast<int>(satelliteButtons_.size()) ? satelliteButtons_[slot]
                                                                          : nullptr;
}

void CMainFrame::RebuildSatelliteButtons()
{
    for (QAction* a : satelliteButtons_)
        toolBar_->removeAction(a);
    satelliteButtons_.clear();
    if (!doc_)
        return;
    for (int i = 0; i < doc_->SatelliteCount; ++i) {
        QAction* a = registry_->action(kiv::kCmdFirstSatellite + i);
        a->setText(QString::fromLatin1(doc_->Satellites[i].name));
        a->setIcon(kiv::glyphs::satelliteIcon(i, doc_->SatInfo[i].color[2]));
        toolBar_->addAction(a);
        keepButtonSize(a);
        satelliteButtons_.push_back(a);
    }
    SyncSatelliteButtons();
}

void CMainFrame::SyncSatelliteButtons()
{
    const bool hidden = doc_ && doc_->DisplayAll;
    for (QAction* a : satelliteButtons_)
        a->setVisible(!hidden);
    registry_->updateActions();
}

void CMainFrame::PlaceSpeedSlider()
{
    if (doc_)
        slider_->Place(doc_->TimeFactor);
}

// ---- toolbar, status bar and the frame's commands ----------------------------------------------

void CMainFrame::createToolBar()
{
    toolBar_ = addToolBar(QStringLiteral("Toolbar"));
    toolBar_->setObjectName(QStringLiteral("toolbar59392"));
    toolBar_->setMovable(true);
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    toolBar_->setIconSize(QSize(17, 16));
    toolBar_->setStyleSheet(QStringLiteral("QToolButton { min-width: 23px; min-height: 19px; }"));
    const int layout[] = {0, kiv::kCmdPlay, kiv::kCmdPause, kiv::kCmdReset, 0, kiv::kCmdZoom, kiv::kCmdDraw, 0, kiv::kCmdDisplayAll, 0};
    for (int id : layout) {
        if (id == 0) {
            toolBar_->addSeparator();
            continue;
        }
        QAction* a = registry_->action(id);
        a->setIcon(kiv::glyphs::commandIcon(id));
        toolBar_->addAction(a);
        keepButtonSize(a);
    }
}

void CMainFrame::keepButtonSize(QAction* action)
{
    // A bar too short for all its buttons squeezes them toward their minimum size, and they grow
    // back when satellite buttons go: the fixed ones would move under the pointer.
    if (QWidget* button = toolBar_->widgetForAction(action))
        button->setFixedSize(button->sizeHint());
}

void CMainFrame::createStatusBar()
{
    QStatusBar* bar = statusBar();
    tzButton_ = new QPushButton(QStringLiteral("Local"), bar);
    tzButton_->setFixedWidth(50);
    connect(tzButton_, &QPushButton::clicked, this, [this] { registry_->execute(kiv::kCmdTimeZone); });
    for (StatusPane pane : {StatusPane::Clock, StatusPane::Spare, StatusPane::TimeFactor})
        label(pane) = new QLabel(bar);
    // The panes keep their standard widths unless the font needs more for the widest clock and
    // factor. Their size is fixed in both directions, so that a new text asks the bar for no new
    // layout: a label whose height may still vary makes the bar lay itself out at every change.
    const QFontMetrics metrics(label(StatusPane::Clock)->font());
    const auto fixPane = [&](StatusPane pane, int width) { label(pane)->setFixedSize(width, metrics.height()); };
    fixPane(StatusPane::Clock,
            std::max(150, metrics.horizontalAdvance(QStringLiteral("2026 , Mai , 30 / 23 : 59 : 59")) + 8));
    fixPane(StatusPane::TimeFactor, std::max(40, metrics.horizontalAdvance(QStringLiteral("2592000")) + 8));
    auto* timePane = new QWidget(bar);
    timePane->setFixedWidth(150);
    auto* row = new QHBoxLayout(timePane);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    label(StatusPane::TimeLabel) = new QLabel(QStringLiteral("Time"), timePane);
    label(StatusPane::TimeLabel)->setFixedWidth(50);
    slider_ = new CSpeedSlider(timePane);
    row->addWidget(label(StatusPane::TimeLabel));
    row->addWidget(slider_);
    bar->addWidget(tzButton_);
    bar->addWidget(label(StatusPane::Clock));
    bar->addWidget(label(StatusPane::Spare), 1);
    bar->addWidget(timePane);
    bar->addWidget(label(StatusPane::TimeFactor));
}

void CMainFrame::buildFrameCommands()
{
    frameCommands_.on(
        kiv::kCmdToolBar, [this] { toolBar_->setVisible(toolBar_->isHidden()); },
        [this](kiv::CommandUi& ui) { ui.SetCheck(!toolBar_->isHidden()); });
    frameCommands_.on(
        kiv::kCmdStatusBar, [this] { statusBar()->setVisible(statusBar()->isHidden()); },
        [this](kiv::CommandUi& ui) { ui.SetCheck(!statusBar()->isHidden()); });
    frameCommands_.on(kiv::kCmdCascade, [this] { cascade(); });
    frameCommands_.on(kiv::kCmdTile, [this] { mdi_->tileSubWindows(); });
    frameCommands_.on(kiv::kCmdArrangeIcons, [this] { arrangeIcons(); });
    frameCommands_.on(kiv::kCmdHelp, [this] { showHelp(); });
    frameCommands_.on(kiv::kCmdExit, [this] { close(); });
    frameCommands_.on(kiv::kCmdTimeZone, [this] { onTimeZoneButton(); }, [this](kiv::CommandUi& ui) { ui.Enable(doc_ != nullptr); });
}

void CMainFrame::onTimeZoneButton()
{
    if (!doc_)
        return;
    doc_->ShowUTC = doc_->ShowUTC ? 0 : 1;
    tzButton_->setText(doc_->ShowUTC ? QStringLiteral("UTC") : QStringLiteral("Local"));
}

void CMainFrame::cascade()
{
    // QMdiArea's own cascade sizes the frames from their views' size hints, which flat views do
    // not have: every frame would shrink to a bare title bar.
    std::vector<QMdiSubWindow*> frames;
    std::vector<QSize> sizes;
    for (QMdiSubWindow* w : mdi_->subWindowList()) {
        if (w->isMinimized() || !w->isVisible())
            continue;
        if (w->isMaximized())
            w->showNormal();
        frames.push_back(w);
        sizes.push_back(w->size());
    }
    const std::vector<QRect> rects = kiv::cascadeLayout(sizes, mdi_->viewport()->size(), kiv::cascadeStep(ViewFrameExtras()));
    for (std::size_t i = 0; i < frames.size(); ++i) {
        frames[i]->setGeometry(rects[i]);
        frames[i]->raise();
    }
    if (!frames.empty())
        mdi_->setActiveSubWindow(frames.back());
}

void CMainFrame::arrangeIcons()
{
    // Minimised frames in a row along the bottom of the area.
    int x = 0;
    const int bottom = mdi_->viewport()->height();
    for (QMdiSubWindow* w : mdi_->subWindowList()) {
        if (!w->isMinimized())
            continue;
        w->move(x, bottom - w->height());
        x += w->width();
    }
}

void CMainFrame::showHelp()
{
    const bool english = !doc_ || doc_->Language != 0;
    ui_.messages.show({.caption = kiv::inLanguage(english, "Help", "Hilfe"),
                       .text = kiv::inLanguage(english,
                                               "Kiv has no help file. Every command is in the menus; the "
                                               "option dialogs explain themselves with their Info buttons.",
                                               "Kiv hat keine Hilfedatei. Alle Befehle stehen in den Menüs; die "
                                               "Optionsdialoge erklären sich mit ihren Info-Knöpfen."),
                       .buttons = kiv::MessageButtons::Ok,
                       .icon = kiv::MessageIcon::Information});
}

// ---- window events ----------------------------------------------------------------------------

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (guard_ && !guard_->closing()) {
        event->ignore();
        guard_->request();
        return;
    }
    if (doc_) {
        SetAnimationTimer(false);
        if (doc_->ShowObs && doc_->Views.obs())
            doc_->Views.obs()->StoreObsSettings();
        doc_->SaveSettings();
        doc_->CloseAllViews();
        if (onDocumentClosing)
            onDocumentClosing();
    }
    event->accept();
}

void CMainFrame::changeEvent(QEvent* event)
{
    // The title is the document's: MDI maximising and anyone else's text are replaced.
    if (event->type() == QEvent::WindowTitleChange && windowTitle() != title_)
        setWindowTitle(title_);
    QMainWindow::changeEvent(event);
}

void CMainFrame::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // Whatever the other panes leave: width - 450 with the standard widths.
    const int others = tzButton_->width() + label(StatusPane::Clock)->width() +
                       label(StatusPane::TimeLabel)->parentWidget()->width() + label(StatusPane::TimeFactor)->width();
    label(StatusPane::Spare)->setFixedWidth(std::max(width() - others, 1));
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile() && onFileDropped) {
            onFileDropped(url.toLocalFile());
            break;
        }
    }
    event->acceptProposedAction();
}
