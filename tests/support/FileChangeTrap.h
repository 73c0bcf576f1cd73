#pragma once
// Runs work in a child process that is held before each system call that changes a file (a
// write, a truncation, a sync, a rename, a removal, a change of mode or attribute), so that a test
// can look at the files at that moment and kill the child there, as a crash or a power cut
// would end it. The child is held by a seccomp filter whose calls this process answers; no
// tracer and no rights are needed.

#include <functional>
#include <string>

namespace kiv::test {

struct FileChange {
    int count = 0;      // 1 for the child's first change of a file
    long syscall = 0;   // the call's number (SYS_write, SYS_rename, ...)
    std::string file{}; // the file behind the call's descriptor, or the first name it gives
};

// "write", "fsync", "rename", ... for a change's call.
std::string callName(long syscall);

// Runs `work` in a child; `atChange` runs here while the child waits before each of its changes
// and returns true to kill it (SIGKILL) there. True when the child was killed, false when it
// finished (or could not be started: then `started` is false).
bool runUntilKilled(const std::function<void()>& work, const std::function<bool(const FileChange&)>& atChange,
                    bool* started = nullptr);

} // namespace kiv::test
