#include "platform/AtomicFile.h"

#include "platform/AtomicFileWriter.h"
#include "platform/LanguageText.h"

#include <cerrno>
#include <string.h> // strerrordesc_np

#include <QDir>

namespace kiv {

namespace {

struct GermanReason {
    int error;
    const char* text;
};

// The errors a write can meet, in the words the German system messages use.
constexpr GermanReason kGermanReasons[] = {
    {ENOSPC, "Auf dem Gerät ist kein Speicherplatz mehr verfügbar"},
    {EFBIG, "Die Datei ist zu groß"},
    {EDQUOT, "Der zugewiesene Plattenplatz (Quota) ist überschritten"},
    {EACCES, "Keine Berechtigung"},
    {EPERM, "Die Operation ist nicht erlaubt"},
    {EROFS, "Dateisystem nur lesbar"},
    {ENOENT, "Datei oder Verzeichnis nicht gefunden"},
    {ENOTDIR, "Ist kein Verzeichnis"},
    {EISDIR, "Ist ein Verzeichnis"},
    {EEXIST, "Die Datei existiert bereits"},
    {ENAMETOOLONG, "Der Dateiname ist zu lang"},
    {EIO, "Eingabe-/Ausgabefehler"},
    {EMFILE, "Zu viele offene Dateien"},
    {EBUSY, "Das Gerät oder die Ressource ist belegt"},
    {EXDEV, "Ungültiger Link über Gerätegrenzen hinweg"},
    {ELOOP, "Zu viele Ebenen aus symbolischen Links"},
};

} // namespace

QString WriteResult::describe(bool english) const
{
    if (ok)
        return {};
    const QString name = QDir::toNativeSeparators(path);
    if (step == WriteStep::ReadOnly)
        return inLanguage(english, "%1 is read-only.", "%1 ist schreibgeschützt.").arg(name);
    if (step == WriteStep::NotRegular)
        return inLanguage(english, "Could not write %1: it is not a regular file.",
                          "%1 konnte nicht geschrieben werden: es ist keine reguläre Datei.")
            .arg(name);
    if (step == WriteStep::Busy)
        return inLanguage(english, "Could not write %1: another program is writing it.",
                          "%1 konnte nicht geschrieben werden: ein anderes Programm schreibt sie gerade.")
            .arg(name);
    if (step == WriteStep::Link && error == ENOENT)
        return inLanguage(english, "Could not write %1: the symbolic link leads to no file.",
                          "%1 konnte nicht geschrieben werden: der symbolische Link führt zu keiner Datei.")
            .arg(name);
    const QString cause = AtomicFile::reason(error, english);
    const QString text =
        inLanguage(english, "Could not write %1: %2.", "%1 konnte nicht geschrieben werden: %2.").arg(name, cause);
    if (oldCopy.isEmpty())
        return text;
    return text + inLanguage(english, " Its old contents are in %1.", " Der alte Inhalt ist in %1.")
                      .arg(QDir::toNativeSeparators(oldCopy));
}

QString AtomicFile::reason(int error, bool english)
{
    if (!english) {
        for (const GermanReason& r : kGermanReasons) {
            if (r.error == error)
                return QString::fromUtf8(r.text);
        }
    }
    const char* text = strerrordesc_np(error);
    return text ? QString::fromUtf8(text) : QStringLiteral("error %1").arg(error);
}

WriteResult AtomicFile::write(const QString& path, const QByteArray& contents)
{
    AtomicFileWriter file(path);
    if (const WriteResult opened = file.open(); !opened)
        return opened;
    if (const WriteResult written = file.append(contents.constData(), contents.size()); !written)
        return written;
    return file.commit();
}

} // namespace kiv
