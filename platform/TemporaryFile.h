#pragma once
// A side file of the atomic writer: made beside its target under a temporary name, private while
// bytes go into it, locked while it is open (so that others know its writer runs), and removed
// when it goes unless it was kept.

#include <string>

#include <sys/types.h>

namespace kiv {

class TemporaryFile {
public:
    TemporaryFile() = default;
    ~TemporaryFile() { discard(); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // A new file named the prefix and a random number, open for reading and writing, with no
    // permission but those of `mode` (the process's umask may take more away); false with errno
    // set when none can be made.
    bool create(const std::string& prefix, mode_t mode);
    int fd() const { return fd_; }
    const std::string& path() const { return path_; }

    // Closes the descriptor, reporting what close() reports (a delayed write error); the file
    // stays locked until it goes.
    bool close();
    // Gives the file another name in its folder; false with errno set.
    bool rename(const std::string& to);
    // The file stays when this goes: it has become the target, or holds what must be kept.
    void keep() { kept_ = true; }
    // Closes the descriptor and removes the file now, unless it was kept.
    void discard();

private:
    std::string path_;
    int fd_ = -1;
    bool kept_ = false;
};

} // namespace kiv
