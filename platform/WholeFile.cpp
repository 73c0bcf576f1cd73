#include "platform/WholeFile.h"

#include "platform/Descriptor.h"
#include "platform/ReadOpen.h"

#include <QFile>

#include <cerrno>
#include <unistd.h>

namespace kiv {

namespace {

WholeFile failed(WholeFile::Failure failure, int error)
{
    WholeFile result;
    result.failure = failure;
    result.error = error;
    return result;
}

} // namespace

WholeFile WholeFile::read(const QString& path, std::int64_t maxBytes)
{
    const ReadOpen opened = openForReading(QFile::encodeName(path).constData());
    const Descriptor fd(opened.fd);
    if (fd.get() < 0)
        return failed(opened.notRegular ? Failure::NotRegular : Failure::Open, opened.error);
    if (opened.size > maxBytes)
        return failed(Failure::TooLarge, 0);
    return readFrom(fd.get(), maxBytes);
}

WholeFile WholeFile::readFrom(int fd, std::int64_t maxBytes)
{
    WholeFile result;
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return failed(Failure::Read, errno);
        if (n == 0)
            break;
        result.bytes.append(buffer, static_cast<qsizetype>(n));
        if (result.bytes.size() > maxBytes) // a long stream, or a file that grew as it was read
            return failed(Failure::TooLarge, 0);
    }
    return result;
}

} // namespace kiv
