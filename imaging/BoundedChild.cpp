#include "imaging/BoundedChild.h"

#include "platform/Descriptor.h"
#include "platform/TerminationLatch.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kiv {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kExecFailed = 127;
constexpr size_t kChunk = 64 * 1024;

// The argument vector, made before fork: the child may not allocate.
class Arguments {
public:
    Arguments(const QString& program, const QStringList& arguments)
    {
        strings_.push_back(program.toStdString());
        for (const QString& a : arguments)
            strings_.push_back(a.toStdString());
        for (std::string& s : strings_)
            pointers_.push_back(s.data());
        pointers_.push_back(nullptr);
    }
    char* const* argv() const { return pointers_.data(); }

private:
    std::vector<std::string> strings_;
    std::vector<char*> pointers_;
};

// The child's side, from fork to exec. Only async-signal-safe calls: another thread of the caller
// may have held a lock at the fork. Every limit is set or the child ends before exec. The socket
// moves above the standard streams first: when the caller's descriptors 0 and 1 were free it is
// descriptor 1 itself, which a dup2 onto itself would leave to close at exec.
[[noreturn]] void becomeChild(int socket, const ChildLimits& limits, char* const* argv, pid_t caller)
{
    sigset_t none;
    sigemptyset(&none);
    const rlimit space{rlim_t(limits.addressSpaceBytes), rlim_t(limits.addressSpaceBytes)};
    const rlimit cpu{rlim_t(limits.cpuSeconds), rlim_t(limits.cpuSeconds + 1)};
    const rlimit noCore{0, 0};
    const int moved = ::fcntl(socket, F_DUPFD, STDERR_FILENO + 1);
    const bool bounded = moved >= 0 && pthread_sigmask(SIG_SETMASK, &none, nullptr) == 0 && setpgid(0, 0) == 0
        && dup2(moved, STDIN_FILENO) == STDIN_FILENO && dup2(moved, STDOUT_FILENO) == STDOUT_FILENO
        && close_range(STDERR_FILENO + 1, ~0U, 0) == 0 && setrlimit(RLIMIT_AS, &space) == 0
        && setrlimit(RLIMIT_CPU, &cpu) == 0 && setrlimit(RLIMIT_CORE, &noCore) == 0
        && prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && prctl(PR_SET_PDEATHSIG, SIGKILL) == 0
        && getppid() == caller;
    if (bounded)
        execve(argv[0], argv, environ);
    _exit(kExecFailed);
}

int millisecondsLeft(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return int(std::clamp<decltype(left)>(left, 0, 1 << 30));
}

enum class Wait { Ended, TimedOut, Broken, Stopped };

// Polls `fd` for `events` and the termination latch, at most `step` milliseconds and not past the
// deadline. Nothing when the caller is to look again (`fd`'s flags are in `revents`), else why it
// is to stop. A signal that interrupts the poll is no reason to stop; its latch is.
std::optional<Wait> pollOrStop(int fd, short events, Clock::time_point deadline, short& revents, int step = 1 << 30)
{
    for (;;) {
        const int wait = millisecondsLeft(deadline);
        if (wait == 0)
            return Wait::TimedOut;
        pollfd p[2] = {{fd, events, 0}, {TerminationLatch::descriptor(), POLLIN, 0}};
        const int ready = ::poll(p, 2, std::min(wait, step));
        if (ready < 0 && errno != EINTR)
            return Wait::Broken;
        if (p[1].revents)
            return Wait::Stopped;
        if (ready > 0 || (ready == 0 && step < wait)) {
            revents = p[0].revents;
            return std::nullopt;
        }
    }
}

// Sends the input and hands the output to the sink until the child closes its output. The input
// goes as far as the child reads it: a child may answer without reading everything.
Wait exchange(int fd, QByteArrayView input, const BoundedChild::Sink& sink, Clock::time_point deadline)
{
    qsizetype sent = 0;
    bool sending = true;
    const auto stopSending = [&] {
        ::shutdown(fd, SHUT_WR);
        sending = false;
    };
    if (input.isEmpty())
        stopSending();
    std::vector<char> buffer(kChunk);
    for (;;) {
        short revents = 0;
        if (const auto stop = pollOrStop(fd, short(POLLIN | (sending ? POLLOUT : 0)), deadline, revents))
            return *stop;
        if (sending && (revents & (POLLOUT | POLLERR | POLLHUP))) {
            const size_t piece = size_t(std::min<qsizetype>(input.size() - sent, qsizetype(kChunk)));
            const ssize_t n = ::send(fd, input.data() + sent, piece, MSG_NOSIGNAL | MSG_DONTWAIT);
            if (n > 0)
                sent += n;
            if (sent == input.size() || (n < 0 && errno != EAGAIN && errno != EINTR))
                stopSending();
        }
        if (revents & (POLLIN | POLLERR | POLLHUP)) {
            // A child that ends before it has read all its input resets the connection.
            const ssize_t n = ::recv(fd, buffer.data(), buffer.size(), MSG_DONTWAIT);
            if (n == 0 || (n < 0 && errno == ECONNRESET))
                return Wait::Ended;
            if (n < 0 && errno != EAGAIN && errno != EINTR)
                return Wait::Broken;
            if (n > 0 && !sink(QByteArrayView(buffer.data(), n)))
                return Wait::Broken;
        }
    }
}

// Waits for the child to end and takes its wait status: Ended with `status` set, or why not.
Wait waitForEnd(pid_t pid, Clock::time_point deadline, int& status)
{
    const Descriptor ended(int(::syscall(SYS_pidfd_open, pid, 0)));
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid)
            return Wait::Ended;
        if (done < 0 && errno != EINTR)
            return Wait::Broken;
        short revents = 0;
        // Without a process descriptor (an old kernel) in short steps.
        if (const auto stop = pollOrStop(ended.get(), POLLIN, deadline, revents, ended.get() >= 0 ? 1 << 30 : 2))
            return *stop;
    }
}

void killAndReap(pid_t pid)
{
    ::kill(-pid, SIGKILL);
    ::kill(pid, SIGKILL);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
}

BoundedChild::Result fromStatus(int status)
{
    if (WIFSIGNALED(status))
        return {BoundedChild::Outcome::Killed, WTERMSIG(status)};
    return {BoundedChild::Outcome::Exited, WEXITSTATUS(status)};
}

} // namespace

BoundedChild::Result BoundedChild::run(const QString& program, const QStringList& arguments, QByteArrayView input,
                                       const ChildLimits& limits, const Sink& sink)
{
    int pair[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0)
        return {};
    Descriptor ours(pair[0]);
    Descriptor theirs(pair[1]);
    const Arguments argv(program, arguments);
    const pid_t caller = ::getpid();
    const auto deadline = Clock::now() + limits.wallTime;
    const pid_t pid = ::fork();
    if (pid < 0)
        return {};
    if (pid == 0)
        becomeChild(theirs.get(), limits, argv.argv(), caller);
    ::setpgid(pid, pid); // also here, so that the group exists before any kill
    theirs.reset();

    Wait waited = exchange(ours.get(), input, sink, deadline);
    ours.reset();
    int status = 0;
    if (waited == Wait::Ended)
        waited = waitForEnd(pid, deadline, status);
    if (waited == Wait::Ended)
        return fromStatus(status);
    killAndReap(pid);
    switch (waited) {
    case Wait::TimedOut:
        return {Outcome::TimedOut, 0};
    case Wait::Stopped:
        return {Outcome::Stopped, 0};
    default:
        return {Outcome::Refused, 0};
    }
}

} // namespace kiv
