#include "platform/TemporaryFile.h"

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
        if (fd_ >= 0)
            return true;
        if (errno != EEXIST)
            break;
    }
    path_.clear();
    return false;
}

bool TemporaryFile::close()
{
    const int fd = fd_;
    fd_ = -1;
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
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!path_.empty() && !kept_)
        ::unlink(path_.c_str());
    path_.clear();
}

} // namespace kiv
