#include "platform/AtomicFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace kiv {

namespace {

WriteResult failure(const QString& path, const QString& cause)
{
    return {false, QStringLiteral("could not write %1: %2").arg(QDir::toNativeSeparators(path), cause)};
}

} // namespace

WriteResult AtomicFile::write(const QString& path, const QByteArray& contents)
{
    const QString directory = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(directory))
        return failure(path, QStringLiteral("the folder %1 cannot be created").arg(directory));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failure(path, file.errorString());
    if (file.write(contents) != contents.size()) {
        const QString cause = file.errorString();
        file.cancelWriting();
        return failure(path, cause);
    }
    if (!file.commit())
        return failure(path, file.errorString());
    return {};
}

} // namespace kiv
