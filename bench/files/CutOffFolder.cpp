#include "bench/files/CutOffFolder.h"

#include "document/CKivDoc.h"
#include "tests/support/FileChangeTrap.h"
#include "tests/support/TleWriter.h"

#include <QDir>
#include <QFile>

#include <algorithm>

#include <unistd.h>

namespace kiv::test {

namespace {

std::string holds(const QByteArray& bytes, const ElementVersions& versions)
{
    if (bytes == versions.oldBytes)
        return "old";
    if (bytes == versions.newBytes)
        return "new";
    return "torn (" + std::to_string(bytes.size()) + " bytes)";
}

} // namespace

ElementVersions elementVersions(int sets)
{
    ElementVersions versions;
    for (int first = 0; first < sets; first += 1000)
        versions.elements += lowSatellites(std::min(1000, sets - first), "LOW ", 10000);
    versions.oldBytes = QByteArray::fromStdString(versions.elements);
    versions.newBytes = versions.oldBytes;
    const qsizetype second = versions.oldBytes.indexOf("LOW 2");
    versions.newBytes.remove(second, versions.oldBytes.indexOf("LOW 3") - second);
    return versions;
}

std::vector<Step> stepsOf(const std::function<void()>& work, const std::string& target)
{
    std::vector<Step> steps;
    std::string last;
    std::vector<int> run;
    const auto endRun = [&] {
        if (run.size() > 2)
            steps.push_back({run[run.size() / 2], last + ", halfway"});
        run.clear();
    };
    runUntilKilled(work, [&](const FileChange& change) {
        const std::string place = change.file.empty()           ? ""
            : change.file == target                             ? " the file"
            : change.file.find(".kiv-") != std::string::npos    ? " a side file"
                                                                : " the folder";
        const std::string what = callName(change.syscall) + place;
        if (what != last) {
            endRun();
            steps.push_back({change.count, what});
            last = what;
        }
        run.push_back(change.count);
        return false;
    });
    endRun();
    return steps;
}

std::string CutOffFolder::target() const { return QFile::encodeName(path("sats.tle")).toStdString(); }

void CutOffFolder::start(const std::string& elements) const
{
    writeFile("sats.tle", elements);
    ::link(target().c_str(), QFile::encodeName(path("other.tle")).constData());
}

std::string CutOffFolder::names(const ElementVersions& versions) const
{
    return holds(readFile("sats.tle"), versions) + " | " + holds(readFile("other.tle"), versions);
}

std::string CutOffFolder::sideFiles() const
{
    std::string list;
    for (const QString& name : QDir(dir_.path()).entryList({QStringLiteral("sats.tle.kiv-*")}, QDir::Files)) {
        const QString kind = name.section(QLatin1Char('-'), 1, 1);
        const bool temporary = kind.toStdString().find_first_not_of("0123456789") == std::string::npos;
        list += (list.empty() ? "" : ", ") + (temporary ? std::string("temporary") : kind.toStdString());
    }
    return list.empty() ? "none" : list;
}

std::string CutOffFolder::shown(const QString& text) const
{
    return QString(text).replace(dir_.path(), QStringLiteral("…")).replace(QLatin1Char('\n'), QLatin1Char(' ')).toStdString();
}

std::string CutOffFolder::nextStart(std::optional<MessageAnswer> answer, int width)
{
    profile_.parse("[Allgemein]\nSatellitenfilename=sats.tle\nLanguage=1\n");
    ui_.messages.clear();
    for (int i = 0; answer && i < 4; ++i)
        ui_.messages.queueAnswer(*answer);
    const CKivDoc doc(DocumentContext{services_, profile_, paths_, nullptr});
    std::string said;
    for (const QString& text : ui_.messages.texts()) {
        const QString box = QString::fromStdString(shown(text));
        if (text.contains(QStringLiteral("sats.tle")))
            said += "\"" + (width > 0 && box.size() > width ? box.left(width) + QStringLiteral("…") : box).toStdString() + "\" ";
    }
    return (said.empty() ? std::string("no box; ") : said) + std::to_string(doc.SatelliteCount) + " satellites loaded";
}

} // namespace kiv::test
