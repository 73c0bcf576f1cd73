#include "platform/TemporaryFile.h"

#include "platform/FileLock.h"

#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace kiv {

bool TemporaryFile::create(const std::string& prefix, mode_t mode)
{
    for (int attempt = 0; attempt < 64; ++attempt) {
        path_ = prefix + std::to_string(QRandomGenerator::global()->generate());
        fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd_ >= 0) {
            FileLock::holdNew(fd_);
            return true;
        }
        if (errno != EEXIST)
            break;
    }
    path_.clear();
    return false;
}

bool TemporaryFile::close()
{
    // A second descriptor of the same open file keeps its lock until the file goes.
    const int fd = fd_;
    fd_ = ::dup(fd);
    return ::close(fd) == 0;
}

bool TemporaryFile::rename(const std::string& to)
{
    if (std::rename(path_.c_str(), to.c_str()) != 0)
        return false;
    path_ = to;
    return true;
}

void TemporaryFile::discard()
{
    // Removed while still locked, so that nobody takes it for one whose writer is gone.
    if (!path_.empty() && !kept_)
        ::unlink(path_.c_str());
    path_.clear();
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

} // namespace kiv
