#pragma once
// Ends the program cleanly when it is told to: SIGTERM (a logout), SIGINT, SIGHUP, the window
// manager's close or the Exit command. A request is held while any message box, modal dialog,
// popup menu or other nested event loop runs; the guard ends those first (a dialog is rejected,
// a box answered as closed), waits until the program is back in its main loop with nothing else
// on the stack, and then runs the one close path once. So no object is deleted under a call
// that is still running, and every dialog, present or future, is covered without taking part.
// A signal also raises the guard's TerminationLatch, which ends a wait for a child process at
// once, so that the event loop gets the request within moments.

#include "platform/TerminationLatch.h"

#include <QApplication>
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace kiv {

class TerminationGuard : public QObject {
public:
    // `closePath` closes the program the ordinary way and says whether it did; it runs only from
    // the main loop. Installs the signal handlers; one guard at a time.
    explicit TerminationGuard(std::function<bool()> closePath);
    ~TerminationGuard() override;
    TerminationGuard(const TerminationGuard&) = delete;
    TerminationGuard& operator=(const TerminationGuard&) = delete;

    // Runs the program's main loop (QApplication::exec() unless another is given) and returns
    // its result. Requests that come before, during the start-up's boxes, are held until then.
    int runMainLoop(const std::function<int()>& exec = &QApplication::exec);
    // A request to end (a signal, the window manager's close, the Exit command); acted on once
    // no nested loop runs and nothing else is on the stack. Ignored while and after the close
    // path runs.
    void request();
    // True while the close path runs: the one time the main window may really close.
    bool closing() const { return closing_; }

private:
    void onSignal();
    void check();
    void endInnermostLoop();

    TerminationLatch latch_;
    std::function<bool()> closePath_;
    static constexpr int kNoMainLoop = -1;
    int mainLoopLevel_ = kNoMainLoop;
    std::unique_ptr<QSocketNotifier> notifier_;
    QTimer poll_;
    bool pending_ = false;
    bool scheduled_ = false; // the close path runs once control is back in the main loop
    bool closing_ = false;
    bool closed_ = false;
};

} // namespace kiv
