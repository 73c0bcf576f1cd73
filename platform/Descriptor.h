#pragma once
// A file descriptor of our own, closed when it goes, and the whole-buffer write that calls on raw
// descriptors need. For the places below Qt's file classes: a child's pipes, a file read with
// the system's error number, a file rewritten in place.

#include <QtGlobal>

#include <unistd.h>

namespace kiv {

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }
    // Gives the descriptor up to a new owner, which closes it.
    int release()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    void reset()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

// Writes everything, going on after short writes and interrupted calls; false with errno set
// (ENOSPC when the file takes nothing more).
bool writeAll(int fd, const char* data, qint64 size);
// Reads until `size` bytes are in or the file ends, going on after short reads and interrupted
// calls; the count read, or -1 with errno set.
ssize_t readFully(int fd, char* buffer, size_t size);
// Copies what `from` holds from its start to its end into `to` at `to`'s offset; false with errno
// set when a read or a write fails.
bool copyAll(int from, int to);

} // namespace kiv
