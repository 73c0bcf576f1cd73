#include "dialogs/ElementFileSnapshot.h"

#include "platform/FileLock.h"
#include "platform/LineReader.h"
#include "platform/WholeFile.h"

#include <QCryptographicHash>
#include <QFile>

namespace kiv {

namespace {

QByteArray fingerprintOf(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

WholeFile readBounded(const QString& path)
{
    return WholeFile::read(path, static_cast<std::int64_t>(kElementFileMaxBytes));
}

} // namespace

ElementFileSnapshot ElementFileSnapshot::read(const QString& path)
{
    ElementFileSnapshot snapshot;
    // Not in the middle of another program's write; one that outlasts the wait is found at OK.
    const FileLock reading = FileLock::take(QFile::encodeName(path).toStdString(), FileLock::Kind::Shared);
    const WholeFile file = readBounded(path);
    snapshot.opened = file.failure != WholeFile::Failure::Open && file.failure != WholeFile::Failure::NotRegular;
    snapshot.notRegular = file.failure == WholeFile::Failure::NotRegular;
    switch (file.failure) {
    case WholeFile::Failure::Open:
    case WholeFile::Failure::NotRegular:
        return snapshot;
    case WholeFile::Failure::Read:
        snapshot.content.stop = ElementFileRecords::Stop::ReadError;
        return snapshot;
    case WholeFile::Failure::TooLarge:
        snapshot.content.stop = ElementFileRecords::Stop::TooLarge;
        return snapshot;
    case WholeFile::Failure::None:
        break;
    }
    LineReader lines(std::string_view(file.bytes.constData(), static_cast<std::size_t>(file.bytes.size())),
                     kElementFileMaxLine);
    snapshot.content = readElementRecords(lines);
    snapshot.fingerprint = fingerprintOf(file.bytes);
    return snapshot;
}

bool ElementFileSnapshot::heldBy(const QString& path) const
{
    const WholeFile file = readBounded(path);
    return file && fingerprintOf(file.bytes) == fingerprint;
}

} // namespace kiv
