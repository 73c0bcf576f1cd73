#pragma once
// Whether a file is being written, as a fact the kernel keeps rather than a process id: an open
// file description lock (F_OFD_SETLK), which the kernel drops when its holder closes the file or
// ends, however it ends, after a reboot and in a container alike. The atomic writer holds an
// exclusive lock on the file it rewrites for the whole write, and one on each of its side files
// for as long as it works on them; a reader holds a shared one while it reads. A rename gives
// the name another file, so a lock counts only while its file is still the one under the name:
// take() checks that once the lock is held and otherwise locks the file that took its place.

#include <string>

namespace kiv {

class FileLock {
public:
    enum class Kind { Shared, Exclusive };
    // None: there is no regular file under the name, or its file system keeps no locks.
    enum class State { None, Held, Busy };
    // How long a writer or reader waits for the lock before it gives up.
    static constexpr int kWaitMs = 5000;

    FileLock() = default;
    ~FileLock();
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;

    // Locks the file under `path`, waiting up to `waitMs` while another holds it (a writer, or
    // for an exclusive lock also a reader), and not at all once the program is asked to end
    // (TerminationLatch).
    static FileLock take(const std::string& path, Kind kind, int waitMs = kWaitMs);
    State state() const { return state_; }

    // Locks a file just made, which nobody else holds yet, for as long as `fd` stays open.
    static void holdNew(int fd);
    // Whether somebody holds a lock on the file: the side file of a writer that still runs. True
    // as well when that cannot be told (the file cannot be opened, or its file system keeps no
    // locks), so that such a file is left alone.
    static bool held(const std::string& path);

private:
    FileLock(int fd, State state) : fd_(fd), state_(state) {}
    void release();

    int fd_ = -1;
    State state_ = State::None;
};

} // namespace kiv
