#include "platform/ReadOpen.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv {

namespace {

ReadOpen refused(int fd, int error, bool notRegular)
{
    if (fd >= 0)
        ::close(fd);
    return {.fd = -1, .error = error, .notRegular = notRegular, .size = 0};
}

} // namespace

ReadOpen openForReading(const char* path)
{
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    struct stat info {};
    if (fd < 0) {
        const int error = errno;
        // A socket, or a device that will not open, is refused for what it is.
        const bool notRegular = ::stat(path, &info) == 0 && !S_ISREG(info.st_mode);
        return refused(-1, notRegular ? 0 : error, notRegular);
    }
    if (::fstat(fd, &info) != 0)
        return refused(fd, errno, false);
    if (!S_ISREG(info.st_mode))
        return refused(fd, 0, true);
    // From here on the file's reads wait for the disk as every reader expects.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        return refused(fd, errno, false);
    return {.fd = fd, .error = 0, .notRegular = false, .size = info.st_size};
}

} // namespace kiv
