#include "platform/ReadableFile.h"

#include "platform/AtomicFile.h"
#include "platform/LanguageText.h"

#include <QDir>
#include <QFile>

namespace kiv {

ReadableFile::ReadableFile(const QString& path) : ReadableFile(path, openForReading(QFile::encodeName(path).constData()))
{
}

ReadableFile::ReadableFile(const QString& path, const ReadOpen& opened)
    : path_(path), fd_(opened.fd), size_(opened.size), error_(opened.error), notRegular_(opened.notRegular)
{
}

QString ReadableFile::describe(bool english) const
{
    return notRegular_ ? notRegularText(path_, english) : couldNotRead(path_, AtomicFile::reason(error_, english), english);
}

QString ReadableFile::notRegularText(const QString& path, bool english)
{
    return couldNotRead(path, inLanguage(english, "it is not a regular file", "es ist keine reguläre Datei"), english);
}

QString ReadableFile::couldNotRead(const QString& path, const QString& reason, bool english)
{
    // One call, so that a '%' in the name or the reason is never taken for a place marker.
    return inLanguage(english, "Could not read %1: %2.", "%1 konnte nicht gelesen werden: %2.")
        .arg(QDir::toNativeSeparators(path), reason);
}

bool ReadableFile::handTo(QFile& file, QIODevice::OpenMode mode)
{
    if (!isOpen() || !file.open(fd_.get(), mode, QFileDevice::AutoCloseHandle))
        return false;
    fd_.release();
    return true;
}

} // namespace kiv
