#include "tests/support/FileChangeTrap.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstring>
#include <map>
#include <vector>

#include <fcntl.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kiv::test {

namespace {

constexpr std::array kChanges = {
    SYS_write,   SYS_pwrite64, SYS_writev,  SYS_ftruncate, SYS_truncate,  SYS_fsync,      SYS_fdatasync,
    SYS_rename,  SYS_renameat, SYS_renameat2, SYS_unlink,  SYS_unlinkat,  SYS_fchmod,     SYS_fchmodat,
    SYS_fsetxattr, SYS_setxattr, SYS_fremovexattr, SYS_removexattr, SYS_linkat, SYS_copy_file_range,
};

// The calls that change the file behind their first argument, a descriptor.
constexpr std::array kOnDescriptors = {SYS_write,     SYS_pwrite64,  SYS_writev,       SYS_ftruncate, SYS_fsync,
                                       SYS_fdatasync, SYS_fchmod,    SYS_fsetxattr,    SYS_fremovexattr};

bool onDescriptor(const seccomp_data& call)
{
    return std::find(kOnDescriptors.begin(), kOnDescriptors.end(), long(call.nr)) != kOnDescriptors.end();
}

// The calls by name whose name is their second argument, after a folder's descriptor.
constexpr std::array kNameSecond = {SYS_renameat, SYS_renameat2, SYS_unlinkat, SYS_fchmodat, SYS_linkat};

// The path of the file behind a call's descriptor ("pipe:[...]" and the like for what is no file),
// or the name a call by name gives, read from the waiting child's memory.
std::string fileOf(pid_t child, const seccomp_data& call)
{
    const std::string proc = "/proc/" + std::to_string(child);
    char name[4096];
    if (onDescriptor(call)) {
        const ssize_t length = ::readlink((proc + "/fd/" + std::to_string(int(call.args[0]))).c_str(), name, sizeof name);
        return length > 0 ? std::string(name, size_t(length)) : std::string();
    }
    const bool second = std::find(kNameSecond.begin(), kNameSecond.end(), long(call.nr)) != kNameSecond.end();
    const int memory = ::open((proc + "/mem").c_str(), O_RDONLY | O_CLOEXEC);
    const ssize_t length = memory < 0 ? -1 : ::pread(memory, name, sizeof name, off_t(call.args[second ? 1 : 0]));
    if (memory >= 0)
        ::close(memory);
    return length > 0 ? std::string(name, ::strnlen(name, size_t(length))) : std::string();
}

// A filter that hands the changes to a listener and lets every other call through.
int installListener()
{
    std::vector<sock_filter> program;
    program.push_back(BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)));
    for (const long call : kChanges) {
        program.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, __u32(call), 0, 1));
        program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_USER_NOTIF));
    }
    program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
    const sock_fprog filter{.len = static_cast<unsigned short>(program.size()), .filter = program.data()};
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0)
        return -1;
    return int(::syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER, SECCOMP_FILTER_FLAG_NEW_LISTENER, &filter));
}

// One byte with room for one descriptor beside it, as a message over a local socket.
struct DescriptorMessage {
    char byte = 0;
    iovec data{.iov_base = &byte, .iov_len = 1};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(int))] = {};
    msghdr message{.msg_name = nullptr, .msg_namelen = 0, .msg_iov = &data, .msg_iovlen = 1,
                   .msg_control = control, .msg_controllen = sizeof control, .msg_flags = 0};

    DescriptorMessage() = default;
    DescriptorMessage(const DescriptorMessage&) = delete;
    DescriptorMessage& operator=(const DescriptorMessage&) = delete;
};

bool sendDescriptor(int socket, int fd)
{
    DescriptorMessage sent;
    cmsghdr* header = CMSG_FIRSTHDR(&sent.message);
    header->cmsg_level = SOL_SOCKET;
    header->cmsg_type = SCM_RIGHTS;
    header->cmsg_len = CMSG_LEN(sizeof(int));
    std::memcpy(CMSG_DATA(header), &fd, sizeof fd);
    return ::sendmsg(socket, &sent.message, 0) == 1;
}

int receiveDescriptor(int socket)
{
    DescriptorMessage received;
    if (::recvmsg(socket, &received.message, 0) != 1)
        return -1;
    const cmsghdr* header = CMSG_FIRSTHDR(&received.message);
    if (!header || header->cmsg_type != SCM_RIGHTS)
        return -1;
    int fd = -1;
    std::memcpy(&fd, CMSG_DATA(header), sizeof fd);
    return fd;
}

// Answers the child's held calls until `atChange` asks for the kill or the child is gone. A write
// into a pipe or a socket is no change of a file and goes on uncounted.
bool watch(int listener, pid_t child, const std::function<bool(const FileChange&)>& atChange)
{
    for (int count = 1;;) {
        pollfd ready{.fd = listener, .events = POLLIN, .revents = 0};
        if (::poll(&ready, 1, -1) < 0 && errno == EINTR)
            continue;
        if (!(ready.revents & POLLIN))
            return false; // the child finished
        seccomp_notif call{};
        if (::ioctl(listener, SECCOMP_IOCTL_NOTIF_RECV, &call) != 0)
            return false;
        const std::string file = fileOf(child, call.data);
        const bool change = !onDescriptor(call.data) || file.starts_with('/');
        if (change && atChange({.count = count++, .syscall = long(call.data.nr), .file = file})) {
            ::kill(child, SIGKILL);
            return true;
        }
        seccomp_notif_resp answer{.id = call.id, .val = 0, .error = 0, .flags = SECCOMP_USER_NOTIF_FLAG_CONTINUE};
        ::ioctl(listener, SECCOMP_IOCTL_NOTIF_SEND, &answer);
    }
}

} // namespace

std::string callName(long syscall)
{
    static const std::map<long, std::string> names = {
        {SYS_write, "write"},         {SYS_pwrite64, "pwrite64"},   {SYS_writev, "writev"},
        {SYS_ftruncate, "ftruncate"}, {SYS_truncate, "truncate"},   {SYS_fsync, "fsync"},
        {SYS_fdatasync, "fdatasync"}, {SYS_rename, "rename"},       {SYS_renameat, "renameat"},
        {SYS_renameat2, "renameat2"}, {SYS_unlink, "unlink"},       {SYS_unlinkat, "unlinkat"},
        {SYS_fchmod, "fchmod"},       {SYS_fchmodat, "fchmodat"},   {SYS_fsetxattr, "fsetxattr"},
        {SYS_setxattr, "setxattr"},   {SYS_fremovexattr, "fremovexattr"}, {SYS_removexattr, "removexattr"},
        {SYS_linkat, "linkat"},       {SYS_copy_file_range, "copy_file_range"}};
    const auto found = names.find(syscall);
    return found != names.end() ? found->second : "call " + std::to_string(syscall);
}

bool runUntilKilled(const std::function<void()>& work, const std::function<bool(const FileChange&)>& atChange,
                    bool* started)
{
    int channel[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, channel) != 0)
        return false;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        const int listener = installListener();
        if (listener < 0 || !sendDescriptor(channel[1], listener))
            ::_exit(2);
        ::close(listener);
        work();
        ::_exit(0);
    }
    ::close(channel[1]);
    const int listener = child > 0 ? receiveDescriptor(channel[0]) : -1;
    ::close(channel[0]);
    if (started)
        *started = listener >= 0;
    const bool killed = listener >= 0 && watch(listener, child, atChange);
    if (listener >= 0)
        ::close(listener);
    int status = 0;
    if (child > 0)
        ::waitpid(child, &status, 0);
    return killed;
}

} // namespace kiv::test
