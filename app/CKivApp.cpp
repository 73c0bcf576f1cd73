#include "app/CKivApp.h"

#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "app/CSplashWnd.h"
#include "app/CommandLine.h"
#include "app/DocumentCommandBindings.h"
#include "document/CKivDoc.h"
#include "platform/IniProfile.h"
#include "platform/UiServices.h"
#include "resources/CommandIds.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QObject>
#include <QTimer>

using namespace kiv;

CKivApp::CKivApp(kiv::UiServices& ui, kiv::IniProfile& profile, const kiv::DataPaths& paths)
    : ui_(ui), profile_(profile), paths_(paths), pictures_(paths, ui), frame_(std::make_unique<CMainFrame>(ui))
{
    commands_.on(kiv::kCmdFileNew, [this] { OnFileNew(); });
    commands_.on(kiv::kCmdAbout, [this] { OnAppAbout(); });
    frame_->SetApplicationCommands(&commands_);
    frame_->onDocumentClosing = [this] { closeDocument(); };
    frame_->onFileDropped = [this](const QString& path) { OpenFile(path); };
}

CKivApp::~CKivApp()
{
    // The views leave the document before it goes, and the frame outlives both.
    if (doc_) {
        doc_->CloseAllViews();
        closeDocument();
    }
}

void CKivApp::LoadProfile()
{
    QString error;
    if (profile_.load(&error))
        return;
    ui_.messages.show({.caption = QStringLiteral("Attention"),
                       .text = error + QStringLiteral("\nKiv starts with its default settings."),
                       .buttons = kiv::MessageButtons::Ok,
                       .icon = kiv::MessageIcon::Exclamation});
}

void CKivApp::InitInstance(const QStringList& arguments, int splashMs)
{
    splash_ = std::make_unique<CSplashWnd>(kiv::PictureLoader::splashPicture());
    splash_->show();
    frame_->hide();
    OnFileNew();
    OpenFile(kiv::firstArgument(arguments));
    // The splash stays at least this long after the document and its views exist; no tick
    // runs before the main window shows.
    QTimer::singleShot(splashMs, frame_.get(), [this] {
        splash_.reset();
        ShowMainWindow();
    });
}

void CKivApp::OnFileNew()
{
    if (doc_)
        return;
    doc_ = std::make_unique<CKivDoc>(kiv::DocumentContext{ui_, profile_, paths_, frame_.get(), &pictures_});
    doc_->Shell = frame_.get();
    documentObjects_ = std::make_unique<QObject>();
    documentCommands_ = kiv::documentCommands(*doc_, *documentObjects_, frame_.get());
    frame_->SetDocument(doc_.get(), &documentCommands_);
    doc_->CreateSatelliteButtons();
    doc_->OpenRememberedViews();
    doc_->EnableAnimationTimer(true);
}

void CKivApp::OpenFile(const QString& path)
{
    if (!doc_ || kiv::classifyOpenRequest(path) != kiv::OpenRequest::ElementFile)
        return;
    doc_->Satellitenfilename = QFileInfo(path).absoluteFilePath();
    doc_->ReloadSatellites();
}

void CKivApp::ShowMainWindow()
{
    frame_->show();
    frame_->AllowTicks();
}

void CKivApp::OnAppAbout()
{
    CAboutDlg about(ui_.messages, doc_ ? doc_->Language : -1, frame_.get());
    about.exec();
}

bool CKivApp::Terminate()
{
    if (!frame_->close())
        return false;
    // The splash may still be up and would keep the application running.
    splash_.reset();
    QCoreApplication::quit();
    return true;
}

void CKivApp::closeDocument()
{
    frame_->SetDocument(nullptr, nullptr);
    documentCommands_ = kiv::CommandMap();
    // The open export dialog goes with its host, while the document it shows is still there.
    documentObjects_.reset();
    doc_.reset();
}
