// The recovery from cut-off writes tried as a user meets it, on a 16.6 MB element file of
// 112,000 sets with a second name (a hard link):
// 1. a rewrite killed in the file leaves it torn; the answer to the next start's box (Yes
//    finishes the write, No puts the old bytes back) is itself killed before each of its steps;
//    then a document is started over the folder with Return pressed at every box. For each: what
//    both names hold, the side files left, the boxes and the satellites loaded.
// 2. a copy whose name carries the id of a process that runs, with its lock free.
// 3. two writers of the file through its two names started together, round after round.
// 4. the box after Cancel and a later whole write, in English and German.
// Usage: cut_off_recovery [sets] [rounds]
#include "bench/files/CutOffFolder.h"
#include "platform/AtomicFile.h"
#include "platform/CutOffWrite.h"
#include "tests/support/FileChangeTrap.h"
#include "tests/support/ProcessesTogether.h"
#include "tests/support/ScriptedMessageBoxes.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kiv;
using namespace kiv::test;

namespace {

// The file torn by a rewrite killed at its first write into the file itself.
void tear(const CutOffFolder& folder, const ElementVersions& versions)
{
    folder.start(versions.elements);
    runUntilKilled([&] { AtomicFile::write(folder.path("sats.tle"), versions.newBytes); },
                   [&](const FileChange& change) { return change.syscall == SYS_write && change.file == folder.target(); });
}

// The next start's box about the torn file, answered in a process that is killed where asked.
void answerAndKill(const CutOffFolder& folder, MessageAnswer answer, int count)
{
    runUntilKilled(
        [&] {
            ScriptedMessageBoxes boxes;
            boxes.queueAnswer(answer);
            CutOffWrite().offer(boxes, true, folder.path("sats.tle"));
        },
        [&](const FileChange& change) { return change.count == count; });
}

void answerKilled(const ElementVersions& versions)
{
    std::vector<Step> steps;
    {
        CutOffFolder folder;
        tear(folder, versions);
        steps = stepsOf(
            [&] {
                ScriptedMessageBoxes boxes;
                CutOffWrite().offer(boxes, true, folder.path("sats.tle"));
            },
            folder.target());
    }
    steps.push_back({1 << 30, "nothing (the put-back finished)"});
    for (const MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
        std::printf("\nAnswer %s, killed before each step of the put-back; then a start with Return at every box\n\n",
                    answer == MessageAnswer::Yes ? "Yes (finish the write)" : "No (put the old bytes back)");
        std::printf("| killed before | after the kill: sats.tle, other.tle | side files | the next start says | "
                    "then: sats.tle, other.tle | side files |\n|---|---|---|---|---|---|\n");
        for (const Step& step : steps) {
            CutOffFolder folder;
            tear(folder, versions);
            answerAndKill(folder, answer, step.count);
            const std::string killed = folder.names(versions);
            const std::string sides = folder.sideFiles();
            const std::string said = folder.nextStart(std::nullopt, 48);
            const std::string after = folder.names(versions);
            std::printf("| %s%s | %s | %s | %s | %s | %s |\n",
                        step.count < (1 << 30) ? (std::to_string(step.count) + ": ").c_str() : "", step.what.c_str(),
                        killed.c_str(), sides.c_str(), said.c_str(), after.c_str(), folder.sideFiles().c_str());
        }
    }
}

void reusedProcessId(const ElementVersions& versions)
{
    const pid_t running = ::fork();
    if (running == 0) {
        ::pause();
        ::_exit(0);
    }
    CutOffFolder folder;
    tear(folder, versions);
    // The copies the killed writer left, renamed to carry the running process's id.
    for (const QString& name : QDir(folder.path(".")).entryList({QStringLiteral("sats.tle.kiv-*")}, QDir::Files)) {
        const QString kind = name.section(QLatin1Char('-'), 1, 1);
        QFile::rename(folder.path(".") + QLatin1Char('/') + name,
                      folder.path("sats.tle") + QStringLiteral(".kiv-%1-%2-1").arg(kind).arg(running));
    }
    std::printf("\nCopies named with the id %d of a running process (kill -0: %s), their locks free\n\n", running,
                ::kill(running, 0) == 0 ? "it runs" : "gone");
    const std::string before = folder.sideFiles();
    const std::string said = folder.nextStart(std::nullopt, 0);
    std::printf("side files: %s\nthe next start (Return) says: %s\nthen: %s, side files %s\n", before.c_str(),
                said.c_str(), folder.names(versions).c_str(), folder.sideFiles().c_str());
    ::kill(running, SIGKILL);
    ::waitpid(running, nullptr, 0);
}

void twoWriters(int rounds)
{
    CutOffFolder folder;
    folder.start("start");
    const QByteArray versions[] = {QByteArray(300000, 'A'), QByteArray(200000, 'B')};
    const QString names[] = {folder.path("sats.tle"), folder.path("other.tle")};
    int mixed = 0;
    int failed = 0;
    for (int round = 0; round < rounds; ++round) {
        failed += !allTogether(2, [&](int i) { return AtomicFile::write(names[i], versions[i]).ok; });
        const QByteArray now = folder.readFile("sats.tle");
        mixed += !(now == versions[0] || now == versions[1]) || folder.readFile("other.tle") != now;
    }
    std::printf("\nTwo writers, 300,000 x A through sats.tle and 200,000 x B through other.tle, %d rounds: "
                "mixed files %d, rounds with a failed write %d, side files left: %s\n",
                rounds, mixed, failed, folder.sideFiles().c_str());
}

void boxAfterCancel()
{
    std::printf("\nThe box after Cancel and a later whole write (the next start)\n");
    for (const bool english : {true, false}) {
        CutOffFolder folder;
        folder.writeFile("sats.tle", "torn");
        folder.writeFile("sats.tle.kiv-old-999999999-7", "old records\n");
        // The cut-off write two hours before the Cancel, so that the dates differ.
        const std::time_t cutOff = std::time(nullptr) - 2 * 3600;
        const timespec times[2] = {{cutOff, 0}, {cutOff, 0}};
        ::utimensat(AT_FDCWD, QFile::encodeName(folder.path("sats.tle.kiv-old-999999999-7")).constData(), times, 0);
        CutOffWrite run;
        ScriptedMessageBoxes boxes;
        boxes.queueAnswer(MessageAnswer::Cancel);
        run.offer(boxes, english, folder.path("sats.tle"));
        AtomicFile::write(folder.path("sats.tle"), "new records\n");
        run.offer(boxes, english, folder.path("sats.tle"));
        ScriptedMessageBoxes next;
        CutOffWrite().offer(next, english, folder.path("sats.tle"));
        std::printf("\n%s: boxes in the same run %zu; at the next start:\n%s\ndefault: %s; after Return: sats.tle "
                    "holds \"%s\", side files %s\n",
                    english ? "English" : "German", boxes.shown().size(),
                    next.shown().empty() ? "(none)" : folder.shown(next.texts()[0]).c_str(),
                    next.shown().empty() ? "-" : (next.shown()[0].defaultButton == MessageAnswer::No ? "No" : "Yes"),
                    folder.readFile("sats.tle").trimmed().constData(), folder.sideFiles().c_str());
    }
}

} // namespace

int main(int argc, char** argv)
{
    const int sets = argc > 1 ? std::atoi(argv[1]) : 112000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 300;
    const ElementVersions versions = elementVersions(sets);
    std::printf("%d sets, %lld bytes; new contents %lld bytes\n", sets, static_cast<long long>(versions.oldBytes.size()),
                static_cast<long long>(versions.newBytes.size()));
    answerKilled(versions);
    reusedProcessId(versions);
    twoWriters(rounds);
    boxAfterCancel();
    return 0;
}
