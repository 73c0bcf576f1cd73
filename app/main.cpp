// Kiv: start-up of the process. The surface format comes before the application object, the
// numeric locale right after it (QApplication sets the user's locale for everything).
#include "app/CKivApp.h"
#include "platform/DataPaths.h"
#include "platform/IniProfile.h"
#include "platform/QtUiServices.h"

#include "app/CMainFrame.h"

#include <QApplication>
#include <QSurfaceFormat>
#include <QTimer>

#include <atomic>
#include <clocale>
#include <csignal>
#include <cstdio>

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

// A session end (SIGTERM, SIGINT) closes the main window as the user would, so the settings
// are saved.
std::atomic<bool> endRequested{false};

void requestEnd(int) { endRequested = true; }

} // namespace

int main(int argc, char** argv)
{
    preferX11();
    setSurfaceFormat();
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Kiv"));

    kiv::QtUiServices qtServices;
    kiv::UiServices services = qtServices.services();
    kiv::IniProfile profile(kiv::IniProfile::defaultPath());
    QString error;
    if (!profile.load(&error))
        std::fprintf(stderr, "kiv: %s\n", qPrintable(error));
    const kiv::DataPaths paths = kiv::DataPaths::fromEnvironment();

    CKivApp kiv(services, profile, paths);
    kiv.InitInstance(QApplication::arguments());

    std::signal(SIGTERM, requestEnd);
    std::signal(SIGINT, requestEnd);
    QTimer endWatch;
    QObject::connect(&endWatch, &QTimer::timeout, [&] {
        if (endRequested.exchange(false))
            kiv.MainFrame().close();
    });
    endWatch.start(100);
    return QApplication::exec();
}
