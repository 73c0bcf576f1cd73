// The child process runner against a child that misbehaves on purpose (ChildHog).

#include "imaging/BoundedChild.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
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
    EXPECT_EQ(report.output, QByteArray("fds 0 1 2\nNoNewPrivs:\t1\nas 268435456\ncpu 1\n"));
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
