#pragma once
// Every file the program writes is written whole to a temporary file beside it and renamed over
// the old one only when all of it was written, so that a failed write leaves the old file
// byte-identical.

#include <QByteArray>
#include <QString>

namespace kiv {

struct WriteResult {
    bool ok = true;
    QString errorText; // English, names the file and the cause; empty when ok

    explicit operator bool() const { return ok; }
};

class AtomicFile {
public:
    // Creates missing parent directories. Never writes the file in place.
    static WriteResult write(const QString& path, const QByteArray& contents);
};

} // namespace kiv
