// The whole animation step with the real main frame and the (still empty) views: the step as the
// timer runs it, and the rate the 20 ms timer reaches at factor 1 with the process's CPU time
// per step. Under X (xvfb-run) the globe is shown too; without a display the offscreen platform
// has no GL, so the globe stays closed.
#include "app/CKivApp.h"
#include "app/CMainFrame.h"
#include "document/CKivDoc.h"
#include "platform/DataPaths.h"
#include "platform/IniProfile.h"
#include "tests/support/ScriptedUiServices.h"
#include "tests/support/TleWriter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <memory>
#include <string>

namespace {

bool haveDisplay() { return qEnvironmentVariableIsSet("DISPLAY"); }

double cpuSeconds()
{
    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    return static_cast<double>(use.ru_utime.tv_sec + use.ru_stime.tv_sec) +
           static_cast<double>(use.ru_utime.tv_usec + use.ru_stime.tv_usec) / 1e6;
}

// The program as started with its bundled data (21 satellites, satellite 0 shown) and a fresh
// profile, or with element sets of its own, every satellite shown (Display all).
class Shell {
public:
    explicit Shell(const std::string& elements = {})
    {
        paths_ = std::make_unique<kiv::DataPaths>(dir_.path(), dir_.path(), QStringLiteral(KIV_BUNDLED_DATA));
        QByteArray profile = "[Allgemein]\nTimeFactor=1\n";
        if (!elements.empty()) {
            QFile file(dir_.filePath(QStringLiteral("own.tle")));
            if (file.open(QIODevice::WriteOnly))
                file.write(elements.data(), static_cast<qint64>(elements.size()));
            profile += "Satellitenfilename=" + file.fileName().toUtf8() + "\n";
        }
        if (!haveDisplay())
            profile += "Show3D=FALSE\n";
        profile_.parse(profile);
        app_ = std::make_unique<kiv::CKivApp>(services_, profile_, *paths_);
        app_->InitInstance({"kiv"}, 0);
        QEventLoop loop;
        QTimer::singleShot(200, &loop, &QEventLoop::quit);
        loop.exec();
        if (!elements.empty())
            doc().OnDisplayAll();
    }
    kiv::CKivDoc& doc() { return *app_->Document(); }
    kiv::CMainFrame& frame() { return app_->MainFrame(); }

private:
    QTemporaryDir dir_;
    kiv::test::ScriptedUiServices ui_;
    kiv::UiServices services_ = ui_.services();
    kiv::IniProfile profile_;
    std::unique_ptr<kiv::DataPaths> paths_;
    std::unique_ptr<kiv::CKivApp> app_;
};

// One step and the paints it causes, as the timer runs them.
void WholeStep(benchmark::State& state)
{
    Shell shell;
    shell.frame().SetAnimationTimer(false);
    shell.doc().TimeFactor = static_cast<int>(state.range(0));
    for (auto _ : state) {
        shell.doc().AnimationStep();
        QCoreApplication::processEvents();
    }
    state.counters["globe"] = shell.doc().Show3D;
}
BENCHMARK(WholeStep)->Arg(1)->Arg(86400)->ArgName("factor")->Unit(benchmark::kMicrosecond);

// 255 low satellites at a day a step, every view drawing every step: steps per second and the
// heaviest step of 500, each with the paints it causes.
void DaySteps255(benchmark::State& state)
{
    Shell shell(kiv::test::lowSatellites(255));
    shell.frame().SetAnimationTimer(false);
    shell.doc().TimeFactor = 86400;
    for (auto _ : state) {
        double heaviest = 0.0;
        QElapsedTimer wall;
        wall.start();
        for (int i = 0; i < 500; ++i) {
            QElapsedTimer step;
            step.start();
            shell.doc().AnimationStep();
            QCoreApplication::processEvents();
            heaviest = std::max(heaviest, static_cast<double>(step.nsecsElapsed()) / 1e6);
        }
        state.counters["steps_per_s"] = 500.0 / (static_cast<double>(wall.nsecsElapsed()) / 1e9);
        state.counters["heaviest_ms"] = heaviest;
    }
    state.counters["satellites"] = shell.doc().SatelliteCount;
    state.counters["globe"] = shell.doc().Show3D;
}
BENCHMARK(DaySteps255)->Iterations(1)->Unit(benchmark::kSecond);

// The 20 ms timer over 10 s at factor 1: steps per second and CPU time per step.
void TimerRate(benchmark::State& state)
{
    Shell shell;
    for (auto _ : state) {
        const std::uint64_t ticks = shell.frame().Ticks();
        const double cpu = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        QEventLoop loop;
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        const double steps = static_cast<double>(shell.frame().Ticks() - ticks);
        state.counters["steps_per_s"] = steps / (static_cast<double>(wall.elapsed()) / 1000.0);
        state.counters["cpu_ms_per_step"] = steps > 0 ? (cpuSeconds() - cpu) * 1000.0 / steps : 0.0;
    }
    state.counters["globe"] = shell.doc().Show3D;
}
BENCHMARK(TimerRate)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv)
{
    if (!haveDisplay())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
