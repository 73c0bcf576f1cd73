#include "platform/AtomicFile.h"

#include "platform/AtomicFileWriter.h"

namespace kiv {

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
