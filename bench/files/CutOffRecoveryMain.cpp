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
#include "document/CKivDoc.h"
#include "platform/AtomicFile.h"
#include "platform/CutOffWrite.h"
#include "tests/support/FileChangeTrap.h"
#include "tests/support/ScratchWorkspace.h"
#include "tests/support/TleWriter.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <cstdio>
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

struct Step {
    int count;
    std::string what;
};

class Folder : public ScratchWorkspace {
public:
    QString path(const char* name) const { return filePath(QString::fromLatin1(name)); }
    std::string target() const { return QFile::encodeName(path("sats.tle")).toStdString(); }

    void start(const std::string& elements) const
    {
        writeFile("sats.tle", elements);
        ::link(target().c_str(), QFile::encodeName(path("other.tle")).constData());
    }

    // The file torn by a rewrite killed at its first write into the file itself.
    void tear(const std::string& elements, const QByteArray& newBytes) const
    {
        start(elements);
        runUntilKilled([&] { AtomicFile::write(path("sats.tle"), newBytes); },
                       [&](const FileChange& change) { return change.syscall == SYS_write && change.file == target(); });
    }

    static std::string holds(const QByteArray& bytes, const QByteArray& oldBytes, const QByteArray& newBytes)
    {
        if (bytes == oldBytes)
            return "old";
        if (bytes == newBytes)
            return "new";
        return "torn (" + std::to_string(bytes.size()) + " bytes)";
    }

    std::string names(const QByteArray& oldBytes, const QByteArray& newBytes) const
    {
        return holds(readFile("sats.tle"), oldBytes, newBytes) + " | " + holds(readFile("other.tle"), oldBytes, newBytes);
    }

    std::string sideFiles() const
    {
        std::string list;
        for (const QString& name : QDir(dir_.path()).entryList({QStringLiteral("sats.tle.kiv-*")}, QDir::Files)) {
            const std::string kind = name.section(QLatin1Char('-'), 1, 1).toStdString();
            list += std::string(list.empty() ? "" : ", ") + (kind.find_first_not_of("0123456789") == std::string::npos ? "temporary" : kind);
        }
        return list.empty() ? "none" : list;
    }

    std::string text(const QString& said) const
    {
        return QString(said).replace(dir_.path(), QStringLiteral("…")).replace(QLatin1Char('\n'), QLatin1Char(' ')).toStdString();
    }

    // A document started over the folder, Return pressed at every box: the first words of its
    // boxes about the element file and the satellites loaded.
    std::string nextStart()
    {
        profile_.parse("[Allgemein]\nSatellitenfilename=sats.tle\nLanguage=1\n");
        ui_.messages.clear();
        const CKivDoc doc(DocumentContext{services_, profile_, paths_, nullptr});
        std::string said;
        for (const QString& box : ui_.messages.texts()) {
            if (box.contains(QStringLiteral("sats.tle")))
                said += "\"" + text(box).substr(0, 48) + "…\" ";
        }
        return (said.empty() ? std::string("no box; ") : said) + std::to_string(doc.SatelliteCount) + " satellites";
    }
};

void answerKilled(const std::string& elements, const QByteArray& oldBytes, const QByteArray& newBytes)
{
    std::vector<Step> steps;
    {
        Folder folder;
        folder.tear(elements, newBytes);
        std::string last;
        std::vector<int> run;
        const auto closeRun = [&] {
            if (run.size() > 2)
                steps.push_back({run[run.size() / 2], steps.back().what + ", halfway"});
            run.clear();
        };
        runUntilKilled(
            [&] {
                ScriptedMessageBoxes boxes;
                CutOffWrite().offer(boxes, true, folder.path("sats.tle"));
            },
            [&](const FileChange& change) {
                const std::string file = change.file.empty()                                   ? ""
                    : change.file == folder.target()                                            ? " the file"
                    : change.file.find(".kiv-") != std::string::npos                            ? " a side file"
                                                                                                : " the folder";
                const std::string what = callName(change.syscall) + file;
                if (what != last) {
                    closeRun();
                    steps.push_back({change.count, what});
                }
                run.push_back(change.count);
                last = what;
                return false;
            });
        closeRun();
    }
    for (const MessageAnswer answer : {MessageAnswer::Yes, MessageAnswer::No}) {
        std::printf("\nAnswer %s, killed before each step of the put-back; then a start with Return at every box\n\n",
                    answer == MessageAnswer::Yes ? "Yes (finish the write)" : "No (put the old bytes back)");
        std::printf("| killed before | after the kill: sats.tle, other.tle | side files | the next start says | then: sats.tle, other.tle | side files |\n|---|---|---|---|---|---|\n");
        std::vector<Step> all = steps;
        all.push_back({1 << 30, "nothing (the put-back finished)"});
        for (const Step& step : all) {
            Folder folder;
            folder.tear(elements, newBytes);
            runUntilKilled(
                [&] {
                    ScriptedMessageBoxes boxes;
                    boxes.queueAnswer(answer);
                    CutOffWrite().offer(boxes, true, folder.path("sats.tle"));
                },
                [&](const FileChange& change) { return change.count == step.count; });
            const std::string killed = folder.names(oldBytes, newBytes);
            const std::string sides = folder.sideFiles();
            const std::string said = folder.nextStart();
            const std::string after = folder.names(oldBytes, newBytes);
            std::printf("| %s%s | %s | %s | %s | %s | %s |\n", step.count < (1 << 30) ? (std::to_string(step.count) + ": ").c_str() : "",
                        step.what.c_str(), killed.c_str(), sides.c_str(), said.c_str(), after.c_str(),
                        folder.sideFiles().c_str());
        }
    }
}

void reusedProcessId(const std::string& elements, const QByteArray& oldBytes, const QByteArray& newBytes)
{
    const pid_t running = ::fork();
    if (running == 0) {
        ::pause();
        ::_exit(0);
    }
    Folder folder;
    folder.tear(elements, newBytes);
    // The copy and new bytes the killed writer left, renamed to carry the running process's id.
    for (const QString& name : QDir(folder.path(".")).entryList({QStringLiteral("sats.tle.kiv-*")}, QDir::Files)) {
        const QString kind = name.section(QLatin1Char('-'), 1, 1);
        QFile::rename(folder.path(".") + QLatin1Char('/') + name,
                      folder.path("sats.tle") + QStringLiteral(".kiv-%1-%2-1").arg(kind).arg(running));
    }
    std::printf("\nA copy named with the id %d of a running process (kill -0: %s), lock free\n\n", running,
                ::kill(running, 0) == 0 ? "it runs" : "gone");
    const std::string before = folder.sideFiles();
    const std::string said = folder.nextStart();
    std::printf("side files: %s\nthe next start says: %s\nthen: %s, side files %s\n", before.c_str(), said.c_str(),
                folder.names(oldBytes, newBytes).c_str(), folder.sideFiles().c_str());
    ::kill(running, SIGKILL);
    ::waitpid(running, nullptr, 0);
}

void twoWriters(int rounds)
{
    Folder folder;
    folder.start("start");
    const QByteArray versions[] = {QByteArray(300000, 'A'), QByteArray(200000, 'B')};
    const QString names[] = {folder.path("sats.tle"), folder.path("other.tle")};
    int mixed = 0;
    int failed = 0;
    for (int round = 0; round < rounds; ++round) {
        int gate[2];
        if (::pipe(gate) != 0)
            return;
        pid_t writers[2];
        for (int i = 0; i < 2; ++i) {
            writers[i] = ::fork();
            if (writers[i] == 0) {
                char go = 0;
                ::close(gate[1]);
                const bool opened = ::read(gate[0], &go, 1) == 0;
                ::_exit(opened && AtomicFile::write(names[i], versions[i]) ? 0 : 1);
            }
        }
        ::close(gate[0]);
        ::close(gate[1]);
        for (const pid_t writer : writers) {
            int status = 0;
            ::waitpid(writer, &status, 0);
            failed += !(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        const QByteArray now = folder.readFile("sats.tle");
        mixed += !(now == versions[0] || now == versions[1]) || folder.readFile("other.tle") != now;
    }
    std::printf("\nTwo writers, 300,000 x A through sats.tle and 200,000 x B through other.tle, %d rounds: "
                "mixed files %d, failed writes %d, side files left: %s\n",
                rounds, mixed, failed, folder.sideFiles().c_str());
}

void boxAfterCancel()
{
    std::printf("\nThe box after Cancel and a later whole write (the next start)\n");
    for (const bool english : {true, false}) {
        Folder folder;
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
        std::printf("\n%s: boxes in the same run %zu; at the next start:\n%s\ndefault: %s; after Return: sats.tle holds \"%s\", side files %s\n",
                    english ? "English" : "German", boxes.shown().size(),
                    next.shown().empty() ? "(none)" : folder.text(next.texts()[0]).c_str(),
                    next.shown().empty() ? "-" : (next.shown()[0].defaultButton == MessageAnswer::No ? "No" : "Yes"),
                    folder.readFile("sats.tle").trimmed().constData(), folder.sideFiles().c_str());
    }
}

} // namespace

int main(int argc, char** argv)
{
    const int sets = argc > 1 ? std::atoi(argv[1]) : 112000;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 300;
    std::string elements;
    for (int first = 0; first < sets; first += 1000)
        elements += lowSatellites(std::min(1000, sets - first), "LOW ", 10000);
    const QByteArray oldBytes = QByteArray::fromStdString(elements);
    QByteArray newBytes = oldBytes;
    newBytes.remove(oldBytes.indexOf("LOW 2"), oldBytes.indexOf("LOW 3") - oldBytes.indexOf("LOW 2"));
    std::printf("%d sets, %lld bytes; new contents %lld bytes\n", sets, static_cast<long long>(oldBytes.size()),
                static_cast<long long>(newBytes.size()));
    answerKilled(elements, oldBytes, newBytes);
    reusedProcessId(elements, oldBytes, newBytes);
    twoWriters(rounds);
    boxAfterCancel();
    return 0;
}
