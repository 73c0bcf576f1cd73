#include "platform/TerminationLatch.h"

#include <atomic>
#include <cstdio>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace kiv {

namespace {

// Lock-free, so that the signal handler may read them.
std::atomic<int> readEnd{-1};
std::atomic<int> writeEnd{-1};
static_assert(std::atomic<int>::is_always_lock_free);

} // namespace

TerminationLatch::TerminationLatch()
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
        std::perror("kiv: no latch for termination requests");
        return;
    }
    readEnd = ends[0];
    writeEnd = ends[1];
}

TerminationLatch::~TerminationLatch()
{
    const int in = readEnd.exchange(-1);
    const int out = writeEnd.exchange(-1);
    if (in >= 0)
        ::close(in);
    if (out >= 0)
        ::close(out);
}

void TerminationLatch::raise()
{
    // Nobody reads the byte: the pipe stays readable. A full pipe is raised already.
    const char byte = 1;
    if (const int out = writeEnd; out >= 0) {
        [[maybe_unused]] const ssize_t ignored = ::write(out, &byte, 1);
    }
}

int TerminationLatch::descriptor()
{
    return readEnd;
}

bool TerminationLatch::raised()
{
    pollfd p{readEnd, POLLIN, 0};
    return p.fd >= 0 && ::poll(&p, 1, 0) == 1;
}

} // namespace kiv
