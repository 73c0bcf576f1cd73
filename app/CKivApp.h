#pragma once
// The application object: start-up with the splash, the main frame, the one
// document with its remembered views, the command line and dropped files, New and About.
// Everything is built here and passed by reference; nothing else is global.

#include "imaging/PictureLoader.h"
#include "platform/CommandMap.h"

#include <QStringList>

#include <memory>

class QObject;

namespace kiv {
class DataPaths;
class IniProfile;
struct UiServices;
class CKivDoc;
class CMainFrame;

class CSplashWnd;

class CKivApp {
public:
    CKivApp(kiv::UiServices& ui, kiv::IniProfile& profile, const kiv::DataPaths& paths);
    ~CKivApp();
    CKivApp(const CKivApp&) = delete;
    CKivApp& operator=(const CKivApp&) = delete;

    // Reads the profile from its file. One that exists but cannot be read (no permission, a
    // folder, a FIFO) is told in a box naming the file and the reason, in English, as the
    // language setting is in that file; the program then starts with the defaults.
    void LoadProfile();
    // Splash, hidden main frame, document and views, the command line; after splashMs the
    // splash goes, the main window shows and the clock starts.
    void InitInstance(const QStringList& arguments, int splashMs = 2000);
    // Creates the one document with its views; does nothing while a document exists.
    void OnFileNew();
    // A file from the command line or a drop: an element-set file is loaded, anything else ignored.
    void OpenFile(const QString& path);
    void ShowMainWindow();
    void OnAppAbout();
    // The one close path of a running program: closes the main window (saving the settings) and
    // leaves the event loop; false when the window stayed open.
    bool Terminate();

    CMainFrame& MainFrame() { return *frame_; }
    CKivDoc* Document() { return doc_.get(); }
    CSplashWnd* Splash() { return splash_.get(); }

private:
    void closeDocument();

    kiv::UiServices& ui_;
    kiv::IniProfile& profile_;
    const kiv::DataPaths& paths_;
    kiv::CommandMap commands_;
    kiv::CommandMap documentCommands_;
    // The parent of the document commands' objects (the export dialog's host): made with the
    // document, deleted after its commands and before it.
    std::unique_ptr<QObject> documentObjects_;
    kiv::PictureLoader pictures_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<CKivDoc> doc_;
    std::unique_ptr<CSplashWnd> splash_;
};

} // namespace kiv
