#include "platform/AtomicFileWriter.h"

#include <QDir>
#include <QFileInfo>

namespace kiv {

AtomicFileWriter::AtomicFileWriter(const QString& path) : path_(path), file_(path) {}

WriteResult AtomicFileWriter::fail(const QString& cause)
{
    file_.cancelWriting();
    state_ = {false, QStringLiteral("could not write %1: %2").arg(QDir::toNativeSeparators(path_), cause)};
    return state_;
}

WriteResult AtomicFileWriter::open()
{
    const QString directory = QFileInfo(path_).absolutePath();
    if (!QDir().mkpath(directory))
        return fail(QStringLiteral("the folder %1 cannot be created").arg(directory));
    if (!file_.open(QIODevice::WriteOnly))
        return fail(file_.errorString());
    return state_;
}

WriteResult AtomicFileWriter::append(const char* data, qint64 size)
{
    if (state_ && file_.write(data, size) != size)
        return fail(file_.errorString());
    return state_;
}

WriteResult AtomicFileWriter::commit()
{
    if (state_ && !file_.commit())
        return fail(file_.errorString());
    return state_;
}

} // namespace kiv
