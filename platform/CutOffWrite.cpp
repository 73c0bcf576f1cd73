#include "platform/CutOffWrite.h"

#include "platform/AtomicFile.h"
#include "platform/AtomicFileWriter.h"
#include "platform/LanguageText.h"
#include "platform/LeftBehind.h"
#include "platform/MessageBoxes.h"
#include "platform/SideFiles.h"
#include "platform/WholeFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <sys/stat.h>

namespace kiv {

namespace {

std::string targetOf(const QString& path)
{
    std::string target;
    if (path.isEmpty() || !sideFiles::finalTarget(QFile::encodeName(QFileInfo(path).absoluteFilePath()).toStdString(), target))
        return {};
    return target;
}

QString decoded(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

QString modified(const QString& path)
{
    return QFileInfo(path).lastModified().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}

void warn(MessageBoxes& boxes, bool english, const QString& text)
{
    boxes.show({.caption = inLanguage(english, "Attention", "Achtung"),
                .text = text,
                .buttons = MessageButtons::Ok,
                .icon = MessageIcon::Exclamation});
}

// A shared lock on the file for its read, after a writer of it that still runs ended; the box
// says so when it does not end in time.
FileLock readingLock(MessageBoxes& boxes, bool english, const std::string& target, const QString& path)
{
    FileLock lock = FileLock::take(target, FileLock::Kind::Shared);
    if (lock.state() == FileLock::State::Busy)
        warn(boxes, english,
             inLanguage(english, "Another program is writing %1 at the moment, so what is read from it now may be incomplete.",
                        "Ein anderes Programm schreibt gerade %1; was jetzt daraus gelesen wird, ist vielleicht unvollständig.")
                 .arg(native(path)));
    return lock;
}

MessageRequest question(const CutOffWrite::Offer& offer, bool english, const QString& path)
{
    MessageRequest box{.caption = inLanguage(english, "Attention", "Achtung"),
                       .text = {},
                       .buttons = MessageButtons::YesNoCancel,
                       .icon = MessageIcon::Question,
                       .defaultButton = MessageAnswer::Yes};
    if (offer.kind == CutOffWrite::Kind::Earlier) {
        box.defaultButton = MessageAnswer::No;
        box.text = inLanguage(english,
                              "%1 has been written whole since Kiv was ended while writing it; it was last written on %3.\n"
                              "A copy of an earlier version, from %4, is in %2.\n\n"
                              "Shall the earlier version be put back?\n"
                              "No keeps the file as it is and deletes the copy, Yes puts the earlier version back, "
                              "Cancel leaves both as they are.",
                              "%1 wurde vollständig geschrieben, nachdem Kiv beim Schreiben beendet worden war; "
                              "zuletzt am %3.\n"
                              "Eine Kopie einer früheren Fassung vom %4 ist in %2.\n\n"
                              "Soll die frühere Fassung zurückgeholt werden?\n"
                              "Nein lässt die Datei, wie sie ist, und löscht die Kopie, Ja holt die frühere Fassung "
                              "zurück, Abbrechen lässt beides, wie es ist.")
                       .arg(native(path), native(offer.copy), modified(path), modified(offer.copy));
    } else if (!offer.newCopy.isEmpty()) {
        box.text = inLanguage(english,
                              "Kiv was ended while it was writing %1, so the file may be incomplete.\n"
                              "Its whole old contents are in %2,\n"
                              "the whole new contents it was writing in %3.\n\n"
                              "Shall the write be finished?\n"
                              "Yes finishes it with the new contents, No puts the old contents back, "
                              "Cancel leaves all as it is.",
                              "Kiv wurde beendet, während es %1 schrieb; die Datei ist vielleicht unvollständig.\n"
                              "Ihr vollständiger alter Inhalt ist in %2,\n"
                              "der vollständige neue Inhalt, den es schrieb, in %3.\n\n"
                              "Soll das Schreiben zu Ende geführt werden?\n"
                              "Ja schreibt den neuen Inhalt, Nein holt den alten Inhalt zurück, "
                              "Abbrechen lässt alles, wie es ist.")
                       .arg(native(path), native(offer.copy), native(offer.newCopy));
    } else {
        box.text = inLanguage(english,
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
                       .arg(native(path), native(offer.copy));
    }
    return box;
}

// Writes the bytes of `source` into the file, settling the offer's copies; false when the box
// said why not. The copies' names are checked under the writer's lock: a writer that finished
// meanwhile renamed them, and its bytes are not to be overwritten.
bool putBack(MessageBoxes& boxes, bool english, const QString& path, const QString& source,
             const CutOffWrite::Offer& offer)
{
    const auto refuse = [&](const QString& why) {
        warn(boxes, english, why);
        return false;
    };
    AtomicFileWriter writer(path);
    writer.settles(offer.settles);
    WriteResult written = writer.open();
    if (!written)
        return refuse(written.describe(english));
    if (!QFile::exists(source))
        return refuse(inLanguage(english, "%1 was written by another program while this box was open, so nothing was put back.",
                                 "%1 wurde von einem anderen Programm geschrieben, während dieses Fenster offen war; "
                                 "es wurde nichts zurückgeholt.")
                          .arg(native(path)));
    const WholeFile bytes = WholeFile::read(source);
    if (!bytes)
        return refuse(inLanguage(english, "Could not read %1: %2.", "%1 konnte nicht gelesen werden: %2.")
                          .arg(native(source), AtomicFile::reason(bytes.error, english)));
    written = writer.append(bytes.bytes.constData(), bytes.bytes.size());
    if (written)
        written = writer.commit();
    return written ? true : refuse(written.describe(english));
}

bool inode(const QString& path, std::pair<dev_t, ino_t>& id)
{
    struct stat file {};
    if (::stat(QFile::encodeName(path).constData(), &file) != 0)
        return false;
    id = {file.st_dev, file.st_ino};
    return true;
}

} // namespace

std::vector<CutOffWrite::Offer> CutOffWrite::find(const QString& path)
{
    const std::string target = targetOf(path);
    if (target.empty())
        return {};
    LeftBehind left = LeftBehind::of(target);
    left.tidy(target);
    std::vector<Offer> offers;
    if (!left.oldCopy.empty()) {
        Offer torn{.kind = Kind::Torn, .copy = decoded(left.oldCopy), .newCopy = decoded(left.newCopy), .settles = {}};
        for (const std::string& copy : left.cutOff)
            torn.settles << decoded(copy);
        offers.push_back(torn);
        return offers;
    }
    for (const std::string& copy : left.earlier)
        offers.push_back({.kind = Kind::Earlier, .copy = decoded(copy), .newCopy = {}, .settles = {decoded(copy)}});
    return offers;
}

bool CutOffWrite::declined(const Offer& offer) const
{
    return std::all_of(offer.settles.begin(), offer.settles.end(), [&](const QString& copy) {
        std::pair<dev_t, ino_t> id;
        return inode(copy, id) && declined_.count(id) != 0;
    });
}

void CutOffWrite::decline(const Offer& offer)
{
    // By file, not name: a copy keeps its file when a later whole write renames it.
    for (const QString& copy : offer.settles) {
        if (std::pair<dev_t, ino_t> id; inode(copy, id))
            declined_.insert(id);
    }
}

CutOffWrite::Recovery CutOffWrite::offer(MessageBoxes& boxes, bool english, const QString& path)
{
    const std::string target = targetOf(path);
    if (target.empty())
        return {};
    Recovery recovery{.restored = false, .reading = readingLock(boxes, english, target, path)};
    if (recovery.reading.state() != FileLock::State::Held)
        return recovery;
    const std::vector<Offer> offers = find(path);
    if (offers.empty())
        return recovery;
    recovery.reading = FileLock(); // a put-back locks the file itself
    for (const Offer& offer : offers) {
        if (declined(offer))
            continue;
        const MessageAnswer answer = boxes.show(question(offer, english, path));
        const bool withNewBytes = offer.kind == Kind::Torn && !offer.newCopy.isEmpty();
        if (answer == MessageAnswer::Cancel) {
            decline(offer);
        } else if (answer == MessageAnswer::Yes) {
            recovery.restored = putBack(boxes, english, path, withNewBytes ? offer.newCopy : offer.copy, offer) || recovery.restored;
        } else if (withNewBytes) {
            recovery.restored = putBack(boxes, english, path, offer.copy, offer) || recovery.restored;
        } else {
            for (const QString& copy : offer.settles)
                QFile::remove(copy);
        }
    }
    recovery.reading = readingLock(boxes, english, target, path);
    return recovery;
}

} // namespace kiv
