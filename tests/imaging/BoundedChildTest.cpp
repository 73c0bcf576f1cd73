// The child process runner against a child that misbehaves on purpose (ChildHog).

#include "imaging/BoundedChild.h"
#include "platform/Descriptor.h"
#include "platform/TerminationLatch.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <optional>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

using namespace kiv;
using namespace std::chrono_literals;

namespace {

const QString kHog = QStringLiteral(KIV_CHILD_HOG);

struct ChildRun {
    BoundedChild::Result result;
    QByteArray output;
    qint64 milliseconds = 0;
};

ChildRun run(const QString& mode, QByteArrayView input, const ChildLimits& limits, qsizetype refuseAfter = -1)
{
    ChildRun r;
    QElapsedTimer clock;
    clock.start();
    r.result = BoundedChild::run(kHog, {mode}, input, limits, [&](QByteArrayView piece) {
        r.output += piece;
        return refuseAfter < 0 || r.output.size() <= refuseAfter;
    });
    r.milliseconds = clock.elapsed();
    return r;
}

// Wall time to spare: a loaded machine gives a child its second of processor time slowly.
constexpr ChildLimits kShort{.addressSpaceBytes = qint64(256) << 20, .cpuSeconds = 1, .wallTime = 20s};

} // namespace

TEST(BoundedChild, InputAndOutputLargerThanTheSocketBuffersPassWhole)
{
    QByteArray input(5 << 20, 0);
    for (qsizetype i = 0; i < input.size(); ++i)
        input[i] = char(i * 7 % 251);
    const ChildRun echo = run(QStringLiteral("echo"), input, kShort);
    EXPECT_TRUE(echo.result.succeeded());
    EXPECT_EQ(echo.output, input);

    const ChildRun empty = run(QStringLiteral("echo"), {}, kShort);
    EXPECT_TRUE(empty.result.succeeded());
    EXPECT_TRUE(empty.output.isEmpty());
}

TEST(BoundedChild, TheChildHasOnlyItsStandardStreamsAndRunsUnderItsLimits)
{
    // A descriptor the caller leaves open across exec is not the child's.
    const int leaked = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(leaked, 3);
    const ChildRun report = run(QStringLiteral("report"), {}, kShort);
    ::close(leaked);
    ASSERT_TRUE(report.result.succeeded());
    EXPECT_EQ(report.output, QByteArray("fds 0 1 2\nNoNewPrivs:\t1\nas 268435456\ncpu 1\ncore 0 0\npdeathsig 9\n"
                                        "leader yes\n"));
}

TEST(BoundedChild, TheChildKeepsItsStreamsWhenTheCallersStandardDescriptorsAreFree)
{
    // With 0 and 1 free the socket's end is descriptor 1, the child's output itself.
    const std::vector<int> closedSets[] = {{STDIN_FILENO}, {STDIN_FILENO, STDOUT_FILENO}};
    for (const auto& closed : closedSets) {
        std::vector<std::pair<int, int>> saved;
        for (const int fd : closed) {
            saved.emplace_back(fd, ::fcntl(fd, F_DUPFD_CLOEXEC, 10));
            ::close(fd);
        }
        const ChildRun echo = run(QStringLiteral("echo"), "through the socket", kShort);
        for (const auto& [fd, copy] : saved) {
            ::dup2(copy, fd);
            ::close(copy);
        }
        EXPECT_TRUE(echo.result.succeeded()) << closed.size();
        EXPECT_EQ(echo.output, "through the socket") << closed.size();
    }
}

namespace {

// A process descriptor of any process, readable once it has ended.
bool endsSoon(const Descriptor& process)
{
    pollfd p{process.get(), POLLIN, 0};
    return process.get() >= 0 && ::poll(&p, 1, 10000) == 1; // a SIGKILL takes effect at once, not synchronously
}

} // namespace

TEST(BoundedChild, AChildIsKilledWithItsProcessGroupAtTheWallLimitAndAtATerminationRequest)
{
    using Outcome = BoundedChild::Outcome;
    const struct {
        const char* name;
        std::chrono::milliseconds wallTime;
        bool request;
        Outcome outcome;
    } cases[] = {
        {"wall limit", 300ms, false, Outcome::TimedOut},
        // A wall limit far beyond the request: only the request ends it as Stopped.
        {"termination request", 30s, true, Outcome::Stopped},
    };
    for (const auto& c : cases) {
        const TerminationLatch latch;
        ChildLimits limits = kShort;
        limits.wallTime = c.wallTime;
        QByteArray output;
        std::optional<Descriptor> child, grandchild;
        std::thread requester;
        const auto result = BoundedChild::run(kHog, {QStringLiteral("family")}, {}, limits, [&](QByteArrayView piece) {
            output += piece;
            int pid = 0, grandchildPid = 0;
            if (!child && output.endsWith('\n') && std::sscanf(output.constData(), "%d %d", &pid, &grandchildPid) == 2) {
                child.emplace(int(::syscall(SYS_pidfd_open, pid, 0)));
                grandchild.emplace(int(::syscall(SYS_pidfd_open, grandchildPid, 0)));
                // From another thread while this one waits for the child.
                if (c.request) {
                    requester = std::thread([] {
                        std::this_thread::sleep_for(100ms);
                        TerminationLatch::raise();
                    });
                }
            }
            return true;
        });
        if (requester.joinable())
            requester.join();
        EXPECT_EQ(result.outcome, c.outcome) << c.name;
        ASSERT_TRUE(child && grandchild) << c.name;
        EXPECT_TRUE(endsSoon(*child)) << c.name;
        EXPECT_TRUE(endsSoon(*grandchild)) << c.name;
        // A raised latch stops any later child at its start.
        if (c.request) {
            EXPECT_EQ(run(QStringLiteral("sleep"), {}, kShort).result.outcome, Outcome::Stopped);
        }
    }
    EXPECT_TRUE(run(QStringLiteral("echo"), "without a latch", kShort).result.succeeded());
}

TEST(BoundedChild, ARunawayChildEndsWithinItsLimitsAndTheCallerGoesOn)
{
    using Outcome = BoundedChild::Outcome;
    // Processor time: SIGXCPU at the limit.
    const ChildRun spin = run(QStringLiteral("spin"), {}, kShort);
    EXPECT_EQ(spin.result.outcome, Outcome::Killed);
    EXPECT_EQ(spin.result.status, SIGXCPU);
    EXPECT_LT(spin.milliseconds, 20000);

    // Wall time: a child that waits without using the processor is killed at the deadline.
    ChildLimits quick = kShort;
    quick.wallTime = 300ms;
    const ChildRun sleep = run(QStringLiteral("sleep"), {}, quick);
    EXPECT_EQ(sleep.result.outcome, Outcome::TimedOut);
    EXPECT_GE(sleep.milliseconds, 300);
    EXPECT_LT(sleep.milliseconds, 5000);
    // Closing its output ends the exchange, not the child.
    const ChildRun mute = run(QStringLiteral("mute"), {}, quick);
    EXPECT_EQ(mute.result.outcome, Outcome::TimedOut);

    // Address space: 1 GiB cannot be had under 256 MiB.
    const ChildRun allocate = run(QStringLiteral("allocate"), {}, kShort);
    EXPECT_TRUE(allocate.result.succeeded());
    EXPECT_TRUE(allocate.output.isEmpty());

    // A crash, and a child that writes without end to a sink that has had enough.
    const ChildRun crash = run(QStringLiteral("crash"), QByteArray(100000, 'x'), kShort);
    EXPECT_EQ(crash.result.outcome, Outcome::Killed);
    EXPECT_EQ(crash.result.status, SIGABRT);
    const ChildRun flood = run(QStringLiteral("flood"), {}, kShort, 1 << 20);
    EXPECT_EQ(flood.result.outcome, Outcome::Refused);
    EXPECT_LT(flood.milliseconds, 5000);

    // A program that is not there: the exec fails in the child.
    const auto missing = BoundedChild::run(QStringLiteral("/nonexistent/kiv-helper"), {}, "x", kShort,
                                           [](QByteArrayView) { return true; });
    EXPECT_EQ(missing.outcome, Outcome::Exited);
    EXPECT_EQ(missing.status, 127);

    // And after all of them the runner still works.
    EXPECT_TRUE(run(QStringLiteral("echo"), "still here", kShort).output == "still here");
}
