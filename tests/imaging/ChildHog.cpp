// A child for the tests of BoundedChild and MetafileChild: it misbehaves as its first argument, or
// else the variable KIV_CHILD_HOG, says. Built without the sanitizers, as the metafile helper.
//   echo      copies its input to its output
//   spin      burns processor time for ever
//   sleep     waits for ever without using the processor
//   allocate  writes "allocated" when 1 GiB can be had and touched
//   crash     aborts after reading its input
//   flood     writes without end
//   report    writes its open descriptors, "NoNewPrivs", its address-space, processor and core
//             limits, its parent-death signal and whether it leads its process group
//   report-picture  the same text as the pixels of a picture of one row that PictureReceiver reads
//   family    starts a grandchild, writes "<its pid> <the grandchild's pid>\n" and waits for ever
//   mute      closes its input and output and then waits for ever
//   picture-exit-1, picture-crash  write a whole picture of one white pixel, then end with exit
//             code 1 or abort; picture-exit-0 ends well
#include <dirent.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::string readAll()
{
    std::string bytes;
    char buffer[65536];
    ssize_t n;
    while ((n = ::read(STDIN_FILENO, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, size_t(n));
    return bytes;
}

void writeAll(const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(STDOUT_FILENO, bytes.data() + done, bytes.size() - done);
        if (n <= 0)
            std::exit(2);
        done += size_t(n);
    }
}

std::string report()
{
    std::string out = "fds";
    DIR* dir = ::opendir("/proc/self/fd");
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] != '.' && std::atoi(entry->d_name) != ::dirfd(dir))
            out += std::string(" ") + entry->d_name;
    }
    ::closedir(dir);
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("NoNewPrivs:", 0) == 0)
            out += "\n" + line;
    }
    rlimit space{}, cpu{}, core{};
    ::getrlimit(RLIMIT_AS, &space);
    ::getrlimit(RLIMIT_CPU, &cpu);
    ::getrlimit(RLIMIT_CORE, &core);
    int deathSignal = 0;
    ::prctl(PR_GET_PDEATHSIG, &deathSignal);
    out += "\nas " + std::to_string(space.rlim_cur) + "\ncpu " + std::to_string(cpu.rlim_cur) + "\ncore "
        + std::to_string(core.rlim_cur) + " " + std::to_string(core.rlim_max) + "\npdeathsig "
        + std::to_string(deathSignal) + "\nleader " + (::getpgrp() == ::getpid() ? "yes" : "no") + "\n";
    return out;
}

// A picture as PictureReceiver reads it: "KIVP", width and height, then the pixels.
std::string picture(std::string pixels)
{
    pixels.resize((pixels.size() + 3) / 4 * 4, '\0');
    const auto word = [](std::uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    return "KIVP" + word(std::uint32_t(pixels.size() / 4)) + word(1) + pixels;
}

} // namespace

int main(int argc, char** argv)
{
    const char* variable = std::getenv("KIV_CHILD_HOG");
    const std::string mode = argc > 1 ? argv[1] : variable ? variable : "";
    if (mode == "echo") {
        writeAll(readAll());
    } else if (mode == "spin") {
        volatile unsigned long turns = 0;
        for (;;)
            turns = turns + 1;
    } else if (mode == "sleep") {
        for (;;)
            ::pause();
    } else if (mode == "allocate") {
        const size_t size = size_t(1) << 30;
        if (auto* block = static_cast<char*>(std::malloc(size))) {
            std::memset(block, 1, size);
            writeAll("allocated");
        }
    } else if (mode == "crash") {
        readAll();
        std::abort();
    } else if (mode == "flood") {
        const std::string block(65536, 'x');
        for (;;)
            writeAll(block);
    } else if (mode == "report") {
        writeAll(report());
    } else if (mode == "report-picture") {
        writeAll(picture(report()));
    } else if (mode == "family") {
        const pid_t grandchild = ::fork();
        if (grandchild == 0) {
            for (;;)
                ::pause();
        }
        writeAll(std::to_string(::getpid()) + " " + std::to_string(grandchild) + "\n");
        for (;;)
            ::pause();
    } else if (mode == "mute") {
        ::close(STDIN_FILENO);
        ::close(STDOUT_FILENO);
        for (;;)
            ::pause();
    } else if (mode.rfind("picture-", 0) == 0) {
        writeAll(picture("\xFF\xFF\xFF\xFF"));
        if (mode == "picture-crash")
            std::abort();
        return mode == "picture-exit-0" ? 0 : 1;
    } else {
        return 3;
    }
    return 0;
}
