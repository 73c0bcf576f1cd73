#pragma once
// The application with scripted services, an in-memory profile and a temporary data folder:
// the real main frame and the placeholder views, never shown (offscreen platform).

#include "app/CKivApp.h"
#include "app/CMainFrame.h"
#include "document/CKivDoc.h"
#include "resources/MenuTables.h"
#include "tests/support/ScopedEnvironment.h"
#include "tests/support/ScratchWorkspace.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace kiv::test {

// Every view but the globe, so that the main window can be shown (the offscreen platform has no GL).
inline constexpr const char* kNoGlobe =
    "[Allgemein]\nSatellitenfilename=sats.tle\nShow3D=FALSE\nShow2D=TRUE\nShowWDB=TRUE\nShowObs=TRUE\n";

// Low satellites of 15.5 revolutions per day with valid checksums.
std::string satelliteFile(int count);

class ShellTest : public ::testing::Test, protected ScratchWorkspace {
protected:
    ShellTest();
    ~ShellTest() override;

    void writeFile(const std::string& name, const std::string& bytes) const;
    QString path(const QString& name) const { return filePath(name); }
    // The application with its document (no splash); the profile text is read first. By default
    // the element file "sats.tle" holds three satellites.
    CKivApp& start(const std::string& profileText = "[Allgemein]\nSatellitenfilename=sats.tle\n");
    CMainFrame& frame() { return app_->MainFrame(); }
    CKivDoc& doc() { return *app_->Document(); }
    // Runs the command through the registry, as a menu item or key would.
    bool run(int id);
    // Makes the frame of this kind (the first one) the active view frame.
    void activate(ViewKind kind);
    // The frame's menu bar as menu lines, states brought up to date as when the menus open.
    std::vector<MenuEntry> menuBarLines();
    std::vector<QString> texts_; // keeps the texts that menuBarLines() points into
    // The state of a command's item in the menu bar (the first item with the id).
    QAction* menuItem(int id);

    ScopedTimeZone zone_{"UTC0"};
    std::unique_ptr<CKivApp> app_;
};

} // namespace kiv::test
