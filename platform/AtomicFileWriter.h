#pragma once
// The atomic writer for contents that arrive in pieces (a download): the pieces go to a
// temporary file beside the target, and only commit() renames it over the target. A writer
// destroyed without a successful commit removes the temporary file and leaves the target as it
// was.

#include "platform/AtomicFile.h"

#include <QSaveFile>

namespace kiv {

class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const QString& path);
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates missing parent directories and the temporary file.
    WriteResult open();
    WriteResult append(const char* data, qint64 size);
    // Flushes, syncs and renames; the result of the whole write.
    WriteResult commit();

private:
    WriteResult fail(const QString& cause);

    QString path_;
    QSaveFile file_;
    WriteResult state_;
};

} // namespace kiv
