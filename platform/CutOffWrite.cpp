#include "platform/CutOffWrite.h"

#include "platform/AtomicFile.h"
#include "platform/Descriptor.h"
#include "platform/LanguageText.h"
#include "platform/MessageBoxes.h"
#include "platform/SideFiles.h"
#include "platform/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv {

namespace {

bool sameContents(const std::string& a, const std::string& b)
{
    const Descriptor first(::open(a.c_str(), O_RDONLY | O_CLOEXEC));
    const Descriptor second(::open(b.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat one {};
    struct stat two {};
    if (first.get() < 0 || second.get() < 0 || ::fstat(first.get(), &one) != 0 || ::fstat(second.get(), &two) != 0
        || one.st_size != two.st_size)
        return false;
    std::array<char, 64 * 1024> x{};
    std::array<char, 64 * 1024> y{};
    for (;;) {
        const ssize_t n = readFully(first.get(), x.data(), x.size());
        if (n < 0 || readFully(second.get(), y.data(), y.size()) != n || !std::equal(x.begin(), x.begin() + n, y.begin()))
            return false;
        if (n == 0)
            return true;
    }
}

// Puts the copy's bytes back into the file and removes the copy; false when the box said why not.
bool putBack(MessageBoxes& boxes, bool english, const QString& path, const QString& copy)
{
    const WholeFile old = WholeFile::read(copy);
    QString problem;
    if (!old) {
        problem = inLanguage(english, "Could not read %1: %2.", "%1 konnte nicht gelesen werden: %2.")
                      .arg(QDir::toNativeSeparators(copy), AtomicFile::reason(old.error, english));
    } else if (const WriteResult written = AtomicFile::write(path, old.bytes); !written) {
        problem = written.describe(english);
    } else {
        QFile::remove(copy);
        return true;
    }
    boxes.show({.caption = inLanguage(english, "Attention", "Achtung"),
                .text = problem,
                .buttons = MessageButtons::Ok,
                .icon = MessageIcon::Exclamation});
    return false;
}

} // namespace

QStringList CutOffWrite::find(const QString& path)
{
    std::string target;
    if (path.isEmpty() || !sideFiles::finalTarget(QFile::encodeName(QFileInfo(path).absoluteFilePath()).toStdString(), target))
        return {};
    const std::vector<sideFiles::SideFile> left = sideFiles::leftBehind(target);
    QStringList copies;
    for (const sideFiles::SideFile& copy : left) {
        if (!copy.oldCopy)
            continue;
        const bool finished = sameContents(target, copy.path)
            || std::any_of(left.begin(), left.end(), [&](const sideFiles::SideFile& other) {
                   return !other.oldCopy && other.writer == copy.writer && sameContents(target, other.path);
               });
        if (finished)
            ::unlink(copy.path.c_str());
        else
            copies << QFile::decodeName(QByteArray::fromStdString(copy.path));
    }
    for (const sideFiles::SideFile& temporary : left) {
        if (!temporary.oldCopy)
            ::unlink(temporary.path.c_str());
    }
    return copies;
}

bool CutOffWrite::offer(MessageBoxes& boxes, bool english, const QString& path)
{
    bool restored = false;
    for (const QString& copy : find(path)) {
        const MessageAnswer answer = boxes.show(
            {.caption = inLanguage(english, "Attention", "Achtung"),
             .text = inLanguage(english,
                                "Kiv was ended while it was writing %1, so the file may be incomplete.\n"
                                "Its whole old contents are in %2.\n\n"
                                "Shall the old contents be put back?\n"
                                "Yes puts them back, No keeps the file as it is and deletes the copy, "
                                "Cancel leaves both as they are.",
                                "Kiv wurde beendet, während es %1 schrieb; die Datei ist vielleicht unvollständig.\n"
                                "Ihr vollständiger alter Inhalt ist in %2.\n\n"
                                "Soll der alte Inhalt zurückgeholt werden?\n"
                                "Ja holt ihn zurück, Nein lässt die Datei, wie sie ist, und löscht die Kopie, "
                                "Abbrechen lässt beides, wie es ist.")
                         .arg(QDir::toNativeSeparators(path), QDir::toNativeSeparators(copy)),
             .buttons = MessageButtons::YesNoCancel,
             .icon = MessageIcon::Question});
        if (answer == MessageAnswer::Yes)
            restored = putBack(boxes, english, path, copy) || restored;
        else if (answer == MessageAnswer::No)
            QFile::remove(copy);
    }
    return restored;
}

} // namespace kiv
