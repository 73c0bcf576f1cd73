#include "platform/FileLock.h"

#include "platform/TerminationLatch.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <utility>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPollMs = 20;

flock wholeFile(short type)
{
    return {.l_type = type, .l_whence = SEEK_SET, .l_start = 0, .l_len = 0, .l_pid = 0};
}

// Sleeps a little, or not at all once the deadline passed or the program is asked to end; false
// then.
bool waitBriefly(Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0 || TerminationLatch::raised())
        return false;
    pollfd latch{.fd = TerminationLatch::descriptor(), .events = POLLIN, .revents = 0};
    return ::poll(&latch, 1, int(std::min<long long>(left, kPollMs))) <= 0;
}

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

} // namespace

FileLock::~FileLock() { release(); }

FileLock::FileLock(FileLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), state_(std::exchange(other.state_, State::None))
{
}

FileLock& FileLock::operator=(FileLock&& other) noexcept
{
    if (this != &other) {
        release();
        fd_ = std::exchange(other.fd_, -1);
        state_ = std::exchange(other.state_, State::None);
    }
    return *this;
}

void FileLock::release()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    state_ = State::None;
}

FileLock FileLock::take(const std::string& path, Kind kind, int waitMs)
{
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(waitMs);
    // A write lock needs a descriptor open for writing, a read lock one open for reading.
    const bool exclusive = kind == Kind::Exclusive;
    const int mode = (exclusive ? O_WRONLY : O_RDONLY) | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    for (;;) {
        FileLock lock(::open(path.c_str(), mode), State::Held);
        struct stat opened {};
        if (lock.fd_ < 0 || ::fstat(lock.fd_, &opened) != 0 || !S_ISREG(opened.st_mode))
            return {};
        flock range = wholeFile(exclusive ? F_WRLCK : F_RDLCK);
        while (::fcntl(lock.fd_, F_OFD_SETLK, &range) != 0) {
            if (errno != EAGAIN && errno != EACCES)
                return {};
            if (!waitBriefly(deadline))
                return {-1, State::Busy};
        }
        struct stat named {};
        if (::stat(path.c_str(), &named) != 0)
            return {};
        if (sameFile(named, opened))
            return lock;
        // Replaced while this waited: the file now under the name is the one to lock.
    }
}

void FileLock::holdNew(int fd)
{
    flock range = wholeFile(F_WRLCK);
    ::fcntl(fd, F_OFD_SETLK, &range);
}

bool FileLock::held(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return true;
    flock range = wholeFile(F_WRLCK);
    const bool told = ::fcntl(fd, F_OFD_GETLK, &range) == 0;
    ::close(fd);
    return !told || range.l_type != F_UNLCK;
}

} // namespace kiv
