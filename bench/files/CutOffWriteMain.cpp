// What a kill at each step of a rewrite leaves, and what the next start says about it: a 16.6 MB
// element file of 112,000 sets with a second name (a hard link) loses its second set, as the
// satellite data dialog's delete does, and the writing process is killed before each step in
// turn. For each: what both names hold, the side files left, and the boxes of a document started
// over the folder afterwards (answered Cancel, so that nothing changes), with the satellites it
// loaded. Usage: cut_off_write [sets]
#include "document/CKivDoc.h"
#include "platform/AtomicFile.h"
#include "tests/support/FileChangeTrap.h"
#include "tests/support/ScratchWorkspace.h"
#include "tests/support/TleWriter.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <string>
#include <vector>

#include <sys/syscall.h>
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

    // How a file's bytes compare with the old and the new contents.
    static std::string holds(const QByteArray& bytes, const QByteArray& oldBytes, const QByteArray& newBytes)
    {
        if (bytes == oldBytes)
            return "old";
        if (bytes == newBytes)
            return "new";
        return "torn (" + std::to_string(bytes.size()) + " bytes)";
    }

    std::string sideFiles() const
    {
        std::string list;
        for (const QString& name : QDir(dir_.path()).entryList({QStringLiteral("sats.tle.kiv-*")}, QDir::Files))
            list += std::string(list.empty() ? "" : ", ") + (name.contains(QStringLiteral("-old-")) ? "old copy" : "temporary");
        return list.empty() ? "none" : list;
    }

    // A document started over the folder: its boxes about the element file, answered Cancel, and
    // the satellites loaded.
    std::string nextStart()
    {
        profile_.parse("[Allgemein]\nSatellitenfilename=sats.tle\nLanguage=1\n");
        ui_.messages.clear();
        for (int i = 0; i < 4; ++i)
            ui_.messages.queueAnswer(MessageAnswer::Cancel);
        const CKivDoc doc(DocumentContext{services_, profile_, paths_, nullptr});
        std::string said;
        for (const QString& text : ui_.messages.texts()) {
            if (text.contains(QStringLiteral("sats.tle")))
                said += "\"" + QString(text).replace(dir_.path(), QStringLiteral("…")).replace(QLatin1Char('\n'), QLatin1Char(' ')).toStdString() + "\" ";
        }
        return (said.empty() ? std::string("nothing; ") : said) + std::to_string(doc.SatelliteCount) + " satellites loaded";
    }
};

} // namespace

int main(int argc, char** argv)
{
    const int sets = argc > 1 ? std::atoi(argv[1]) : 112000;
    std::string elements;
    for (int first = 0; first < sets; first += 1000)
        elements += lowSatellites(std::min(1000, sets - first), "LOW ", 10000);
    const QByteArray oldBytes = QByteArray::fromStdString(elements);
    QByteArray newBytes = oldBytes;
    newBytes.remove(oldBytes.indexOf("LOW 2"), oldBytes.indexOf("LOW 3") - oldBytes.indexOf("LOW 2"));

    // A dry run names the steps: the first change of each run of the same call on the same file,
    // and the middle of the longest run of writes into the file itself.
    std::vector<Step> steps;
    {
        Folder folder;
        folder.writeFile("sats.tle", elements);
        ::link(QFile::encodeName(folder.path("sats.tle")).constData(), QFile::encodeName(folder.path("other.tle")).constData());
        const QByteArray target = QFile::encodeName(folder.path("sats.tle"));
        std::string last;
        int targetWrites = 0;
        int firstTargetWrite = 0;
        runUntilKilled([&] { AtomicFile::write(folder.path("sats.tle"), newBytes); },
                       [&](const FileChange& change) {
                           const bool onTarget = change.file == target.toStdString();
                           std::string file = change.file.empty() ? std::string()
                               : onTarget                         ? std::string(" the file")
                               : change.file.find(".kiv-") != std::string::npos ? " a side file"
                                                                                 : " the folder";
                           const std::string what = callName(change.syscall) + file;
                           if (change.syscall == SYS_write && onTarget && targetWrites++ == 0)
                               firstTargetWrite = change.count;
                           if (what != last)
                               steps.push_back({change.count, what});
                           last = what;
                           return false;
                       });
        if (targetWrites > 1)
            steps.push_back({firstTargetWrite + targetWrites / 2, "write the file, halfway"});
        std::sort(steps.begin(), steps.end(), [](const Step& a, const Step& b) { return a.count < b.count; });
    }

    std::printf("%d sets, %lld bytes; new contents %lld bytes\n\n", sets, static_cast<long long>(oldBytes.size()),
                static_cast<long long>(newBytes.size()));
    std::printf("| killed before | sats.tle | other.tle | side files left | the next start says |\n|---|---|---|---|---|\n");
    for (const Step& step : steps) {
        Folder folder;
        folder.writeFile("sats.tle", elements);
        ::link(QFile::encodeName(folder.path("sats.tle")).constData(), QFile::encodeName(folder.path("other.tle")).constData());
        runUntilKilled([&] { AtomicFile::write(folder.path("sats.tle"), newBytes); },
                       [&](const FileChange& change) { return change.count == step.count; });
        const std::string real = Folder::holds(folder.readFile("sats.tle"), oldBytes, newBytes);
        const std::string other = Folder::holds(folder.readFile("other.tle"), oldBytes, newBytes);
        const std::string sides = folder.sideFiles();
        std::printf("| %d: %s | %s | %s | %s | %s |\n", step.count, step.what.c_str(), real.c_str(), other.c_str(),
                    sides.c_str(), folder.nextStart().c_str());
    }
    return 0;
}
