// Kiv: start-up of the process. The surface format comes before the application object, the
// numeric locale right after it (QApplication sets the user's locale for everything).
#include "app/CKivApp.h"
#include "platform/DataPaths.h"
#include "platform/IniProfile.h"
#include "platform/QtUiServices.h"
#include "platform/TerminationGuard.h"

#include "app/CMainFrame.h"

#include <QApplication>
#include <QSurfaceFormat>

#include <clocale>
#include <csignal>

namespace {

// Window placement needs X11: under Wayland take XWayland when it is there.
void preferX11()
{
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        return;
    if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") && qEnvironmentVariableIsSet("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
}

void setSurfaceFormat()
{
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(24);
    QSurfaceFormat::setDefaultFormat(format);
}

} // namespace

int main(int argc, char** argv)
{
    // A file-size limit fails a write (EFBIG, which our writer reports) rather than ending the
    // program, whoever writes: the graphics driver's cache as well as our own files.
    std::signal(SIGXFSZ, SIG_IGN);
    preferX11();
    setSurfaceFormat();
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Kiv"));

    kiv::QtUiServices qtServices;
    kiv::UiServices services = qtServices.services();
    kiv::IniProfile profile(kiv::IniProfile::defaultPath());
    const kiv::DataPaths paths = kiv::DataPaths::fromEnvironment();

    kiv::CKivApp kivApp(services, profile, paths);
    // From before the start-up's boxes on, a logout or Ctrl+C ends the program the ordinary way.
    kiv::TerminationGuard guard([&] { return kivApp.Terminate(); });
    kivApp.MainFrame().SetTerminationGuard(&guard);
    kivApp.LoadProfile();
    kivApp.InitInstance(QApplication::arguments());
    const int code = guard.runMainLoop();
    kivApp.MainFrame().SetTerminationGuard(nullptr);
    return code;
}
