#include "platform/TerminationGuard.h"

#include <QApplication>
#include <QDialog>
#include <QSocketNotifier>
#include <QThread>

#include <array>
#include <csignal>
#include <cstdio>

#include <sys/socket.h>
#include <unistd.h>

namespace kiv {

namespace {

constexpr std::array kSignals{SIGTERM, SIGINT, SIGHUP};
// How often a held request looks again whether the nested loops have ended.
constexpr int kPollMs = 10;

// The signal handler only raises the latch, for a wait that holds up the event loop, and writes a
// byte: the rest happens in the event loop.
int signalPipe[2] = {-1, -1};
struct sigaction previous[kSignals.size()];

void onTerminationSignal(int)
{
    TerminationLatch::raise();
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(signalPipe[1], &byte, 1);
}

} // namespace

TerminationGuard::TerminationGuard(std::function<bool()> closePath) : closePath_(std::move(closePath))
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, signalPipe) != 0) {
        std::perror("kiv: no channel for termination signals");
        return;
    }
    notifier_ = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { onSignal(); });
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        sigaction(kSignals[i], &action, &previous[i]);
    poll_.setInterval(kPollMs);
    connect(&poll_, &QTimer::timeout, this, [this] { check(); });
}

TerminationGuard::~TerminationGuard()
{
    if (!notifier_)
        return;
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        sigaction(kSignals[i], &previous[i], nullptr);
    notifier_.reset();
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

void TerminationGuard::onSignal()
{
    char bytes[16];
    while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
    }
    request();
}

int TerminationGuard::runMainLoop(const std::function<int()>& exec)
{
    QTimer::singleShot(0, this, [this] { mainLoopLevel_ = QThread::currentThread()->loopLevel(); });
    const int code = exec();
    mainLoopLevel_ = kNoMainLoop;
    return code;
}

void TerminationGuard::request()
{
    if (closed_ || closing_ || scheduled_)
        return;
    pending_ = true;
    if (!poll_.isActive())
        poll_.start();
}

void TerminationGuard::check()
{
    if (!pending_) {
        poll_.stop();
        return;
    }
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget()) {
        endInnermostLoop();
        return;
    }
    // Before the main loop runs, and in a nested loop without a window of its own (a
    // download's, say), the request waits.
    if (QThread::currentThread()->loopLevel() != mainLoopLevel_)
        return;
    poll_.stop();
    pending_ = false;
    scheduled_ = true;
    // The poll may run inside processEvents() called by some handler. A deferred deletion
    // requested here happens only once control is back in this event loop with nothing else on
    // the stack, so the close path runs from there.
    auto* sentinel = new QObject;
    connect(sentinel, &QObject::destroyed, this, [this] {
        scheduled_ = false;
        closing_ = true;
        closed_ = closePath_();
        closing_ = false;
    });
    sentinel->deleteLater();
}

void TerminationGuard::endInnermostLoop()
{
    if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
        return;
    }
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else if (modal)
        modal->close();
}

} // namespace kiv
