#pragma once
// The main window: the MDI area with the view frames, the menu of the active view
// kind in the current language, the toolbar with one button per satellite, the status bar with
// the clock, the UTC/Local button, the speed slider and the factor, the 20 ms animation timer,
// and the title the document writes. It is the document's MainFramePort and ShellPort.

#include "app/CChildFrame.h"
#include "app/CommandRegistry.h"
#include "app/QtTranslation.h"
#include "document/DocumentViews.h"
#include "platform/CommandMap.h"

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <functional>
#include <vector>

class QLabel;
class QMdiArea;
class QPushButton;
class QToolBar;

namespace kiv {
class TerminationGuard;
struct UiServices;
class CKivDoc;

class CSpeedSlider;

class CMainFrame : public QMainWindow, public kiv::MainFramePort, public kiv::ShellPort {
public:
    explicit CMainFrame(kiv::UiServices& ui, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // The document, or none. Installs its command map and the menu of the active view.
    void SetDocument(CKivDoc* doc, const kiv::CommandMap* documentCommands);
    CKivDoc* Document() const { return doc_; }
    void SetApplicationCommands(const kiv::CommandMap* commands) { appCommands_ = commands; }
    // Ticks run only once the main window has been shown (the start-up's splash wait).
    void AllowTicks();
    // When the window closes with a document: after the views are closed, to destroy it.
    std::function<void()> onDocumentClosing;
    // With a guard, every close (the window manager's, the Exit command's) becomes a request to
    // the guard, which closes the window once no nested event loop runs.
    void SetTerminationGuard(kiv::TerminationGuard* guard) { guard_ = guard; }
    // Files dropped on the window.
    std::function<void(const QString&)> onFileDropped;

    kiv::CommandRegistry& Commands() { return *registry_; }
    QMdiArea* MdiArea() const { return mdi_; }
    QToolBar* ToolBar() const { return toolBar_; }
    CSpeedSlider* SpeedSlider() const { return slider_; }
    QPushButton* TimeZoneButton() const { return tzButton_; }
    QLabel* StatusLabel(kiv::StatusPane pane) const;
    int CurrentMenuId() const { return menuId_; }
    bool TimerRunning() const { return timer_.isActive(); }
    // Animation steps the timer has run.
    std::uint64_t Ticks() const { return ticks_; }
    const std::vector<CChildFrame*>& ChildFrames() const { return children_; }
    CChildFrame* ActiveChild() const;
    // The satellite button of a slot (command kCmdFirstSatellite + slot), or nullptr.
    QAction* SatelliteButton(int slot) const;

    // MainFramePort
    void SetAnimationTimer(bool on) override;
    void SetTitle(const QString& title) override;
    void SetStatusText(kiv::StatusPane pane, const QString& text) override;
    void SetLanguage(int language) override;

    // ShellPort
    void OpenViewFrame(kiv::ViewKind kind) override;
    void CloseViewFrame(kiv::ViewKind kind, int wdbSlot = 1) override;
    void SetViewMenu() override;
    int DesktopWidth() const override;
    QSize ViewFrameExtras() const override;
    std::optional<QRect> ViewFrameGeometry(kiv::ViewKind kind, int wdbSlot = 1) const override;
    void PlaceViewFrame(kiv::ViewKind kind, int wdbSlot, const QRect& rect) override;
    QRect ViewFrameTitleLabel(kiv::ViewKind kind, int wdbSlot, QSize size) const override;
    void PlaceMainWindow(const QPoint& topLeft, std::optional<QSize> areaSize) override;
    void RebuildSatelliteButtons() override;
    void SyncSatelliteButtons() override;
    void PlaceSpeedSlider() override;
    std::optional<QRect> MainWindowRect() const override;
    QPoint AreaOrigin() const override;
    QSize AreaSize() const override;
    void PlaceMainWindowRect(const QRect& rect) override;
    void FreezeRedraw(bool frozen) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void fitArea();
    void createToolBar();
    void keepButtonSize(QAction* action);
    void createStatusBar();
    void buildFrameCommands();
    void onTimeZoneButton();
    void cascade();
    void arrangeIcons();
    void showHelp();
    void childClosed(CChildFrame* child);
    CChildFrame* frameOf(kiv::ViewKind kind, int wdbSlot) const;
    QLabel*& label(kiv::StatusPane pane) { return panes_[static_cast<std::size_t>(pane)]; }
    std::vector<const kiv::CommandMap*> route() const;

    kiv::UiServices& ui_;
    kiv::QtTranslation translation_;
    kiv::TerminationGuard* guard_ = nullptr;
    CKivDoc* doc_ = nullptr;
    const kiv::CommandMap* docCommands_ = nullptr;
    const kiv::CommandMap* appCommands_ = nullptr;
    kiv::CommandMap frameCommands_;
    kiv::CommandRegistry* registry_;
    QMdiArea* mdi_;
    QToolBar* toolBar_ = nullptr;
    std::vector<QAction*> satelliteButtons_;
    QPushButton* tzButton_ = nullptr;
    std::array<QLabel*, 5> panes_{}; // by StatusPane; 0 unused
    CSpeedSlider* slider_ = nullptr;
    QTimer timer_;
    QTimer uiUpdate_;
    std::uint64_t ticks_ = 0;
    bool timerWanted_ = false;
    bool ticksAllowed_ = false;
    QString title_;
    int menuId_ = 0;
    std::optional<QSize> pendingArea_; // the MDI area size ArrangeViews asked for
    std::vector<CChildFrame*> children_;
    CChildFrame* current_ = nullptr;
};

} // namespace kiv
