#include "dialogs/ElementFileSnapshot.h"

#include "platform/LineReader.h"

#include <QCryptographicHash>
#include <QFile>

#include <algorithm>
#include <optional>

namespace kiv {

namespace {

// One byte past the reader's limit, so that a larger file is still seen to be too large.
constexpr qint64 kReadLimit = static_cast<qint64>(kElementFileMaxBytes) + 1;

struct FileBytes {
    QByteArray bytes;
    bool readError = false;
};

std::optional<FileBytes> readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    FileBytes read;
    char chunk[64 * 1024];
    while (read.bytes.size() < kReadLimit) {
        const qint64 got = file.read(chunk, std::min<qint64>(sizeof chunk, kReadLimit - read.bytes.size()));
        if (got <= 0) {
            read.readError = got < 0;
            break;
        }
        read.bytes.append(chunk, got);
    }
    return read;
}

QByteArray fingerprintOf(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

} // namespace

ElementFileSnapshot ElementFileSnapshot::read(const QString& path)
{
    ElementFileSnapshot snapshot;
    const std::optional<FileBytes> file = readBytes(path);
    if (!file)
        return snapshot;
    snapshot.opened = true;
    LineReader lines(std::string_view(file->bytes.constData(), static_cast<std::size_t>(file->bytes.size())),
                     kElementFileMaxLine);
    snapshot.content = readElementRecords(lines);
    if (file->readError && snapshot.content.stop == ElementFileRecords::Stop::End)
        snapshot.content.stop = ElementFileRecords::Stop::ReadError;
    snapshot.fingerprint = fingerprintOf(file->bytes);
    return snapshot;
}

bool ElementFileSnapshot::heldBy(const QString& path) const
{
    const std::optional<FileBytes> file = readBytes(path);
    return file && !file->readError && fingerprintOf(file->bytes) == fingerprint;
}

} // namespace kiv
