// What standing still must cost at least: a main window with four MDI frames and a status bar, a
// 20 ms step timer, and a frame whose title changes every tenth step, as the globe's frame-rate
// title does. Nothing is computed or drawn besides. bench/cpu_share.py measures it beside the
// program (--peer build/bench/idle_floor); the program's own idle work is what it uses above this.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    auto* area = new QMdiArea;
    window.setCentralWidget(area);
    for (int i = 0; i < 4; ++i)
        area->addSubWindow(new QLabel(QStringLiteral("view")))->resize(400, 300);
    QMdiSubWindow* titled = area->subWindowList().constFirst();
    window.statusBar()->addPermanentWidget(new QLabel(QStringLiteral("00:00:00")));
    window.setWindowTitle(QStringLiteral("Idle floor"));
    window.resize(1200, 900);
    window.show();

    QTimer step;
    step.setInterval(20);
    int steps = 0;
    bool wink = false;
    QObject::connect(&step, &QTimer::timeout, [&] {
        if (++steps % 10 != 0)
            return;
        wink = !wink;
        titled->setWindowTitle(QStringLiteral("50.00 Frames per second ") +
                               (wink ? QStringLiteral(":-<>") : QStringLiteral(":-><")));
    });
    step.start();
    return QApplication::exec();
}
