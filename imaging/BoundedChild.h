#pragma once
// Runs a program on bytes in a child process that cannot hurt the caller. The bytes go to the
// child's standard input and its standard output comes back, piece by piece, to a sink. Between
// fork and exec the child gets its limits: address space and processor time, no descriptor but
// the standard streams, no new privileges, no core file, a process group of its own, and death
// when the caller dies. The caller waits at most the wall time, and not past a termination
// request (TerminationLatch); then the child is killed with its process group.

#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>

namespace kiv {

// By default the limits a picture is drawn under (MetafileChild).
struct ChildLimits {
    qint64 addressSpaceBytes = qint64(512) << 20;
    int cpuSeconds = 5; // past it the child gets SIGXCPU, a second later SIGKILL
    std::chrono::milliseconds wallTime = std::chrono::seconds(10);
};

class BoundedChild {
public:
    enum class Outcome {
        NotStarted, // no child could be made
        Exited,     // it ended by itself with `status` as its exit code
        Killed,     // a signal ended it (`status`): a crash, or a limit it ran into
        TimedOut,   // it still ran at the wall limit and was killed
        Refused,    // the sink refused its output, or the exchange broke off; it was killed
        Stopped,    // termination was requested while it ran; it was killed
    };
    struct Result {
        Outcome outcome = Outcome::NotStarted;
        int status = 0;
        bool succeeded() const { return outcome == Outcome::Exited && status == 0; }
    };
    // Takes each piece of output as it arrives; false stops the child.
    using Sink = std::function<bool(QByteArrayView)>;

    static Result run(const QString& program, const QStringList& arguments, QByteArrayView input,
                      const ChildLimits& limits, const Sink& sink);
};

} // namespace kiv
