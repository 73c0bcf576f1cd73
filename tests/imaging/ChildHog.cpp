// A child for the tests of BoundedChild and MetafileChild: it misbehaves as its first argument, or
// else the variable KIV_CHILD_HOG, says. Built without the sanitizers, as the metafile helper.
//   echo      copies its input to its output
//   spin      burns processor time for ever
//   sleep     waits for ever without using the processor
//   allocate  writes "allocated" when 1 GiB can be had and touched
//   crash     aborts after reading its input
//   flood     writes without end
//   report    writes its open descriptors, "NoNewPrivs" and its address-space and processor limits
#include <dirent.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
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
    rlimit space{}, cpu{};
    ::getrlimit(RLIMIT_AS, &space);
    ::getrlimit(RLIMIT_CPU, &cpu);
    out += "\nas " + std::to_string(space.rlim_cur) + "\ncpu " + std::to_string(cpu.rlim_cur) + "\n";
    return out;
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
    } else {
        return 3;
    }
    return 0;
}
