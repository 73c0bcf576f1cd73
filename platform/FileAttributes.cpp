#include "platform/FileAttributes.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <vector>

#include <sys/stat.h>
#include <sys/xattr.h>

namespace kiv::fileAttributes {

namespace {

using Getter = std::function<ssize_t(void*, size_t)>;

// What a call that first tells the size it needs gives; false with errno set.
bool valueOf(const Getter& get, std::vector<char>& value)
{
    for (;;) {
        const ssize_t size = get(nullptr, 0);
        if (size < 0)
            return false;
        value.resize(size_t(size));
        const ssize_t got = get(value.data(), value.size());
        if (got < 0 && errno == ERANGE)
            continue; // it grew in between
        if (got < 0)
            return false;
        value.resize(size_t(got));
        return true;
    }
}

// The names of a file's extended attributes; an empty list where the file system has none.
bool namesOf(const Getter& list, std::vector<std::string>& names)
{
    std::vector<char> buffer;
    if (!valueOf(list, buffer))
        return errno == ENOTSUP;
    for (auto name = buffer.begin(); name < buffer.end(); name = std::find(name, buffer.end(), '\0') + 1)
        names.emplace_back(name, std::find(name, buffer.end(), '\0'));
    return true;
}

} // namespace

mode_t newFileMode()
{
    // Read, not set: umask() would change it for every thread while it is asked.
    if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
        char line[256];
        unsigned mask = 0;
        bool found = false;
        while (!found && std::fgets(line, sizeof line, status))
            found = std::sscanf(line, "Umask: %o", &mask) == 1;
        std::fclose(status);
        if (found)
            return 0666 & ~mode_t(mask);
    }
    return 0644;
}

bool copy(const std::string& from, int to)
{
    std::vector<std::string> wanted;
    std::vector<std::string> present;
    if (!namesOf([&](void* b, size_t n) { return ::listxattr(from.c_str(), static_cast<char*>(b), n); }, wanted)
        || !namesOf([&](void* b, size_t n) { return ::flistxattr(to, static_cast<char*>(b), n); }, present))
        return false;
    for (const std::string& name : present) {
        if (std::find(wanted.begin(), wanted.end(), name) == wanted.end() && ::fremovexattr(to, name.c_str()) != 0)
            return false;
    }
    std::vector<char> value;
    std::vector<char> current;
    for (const std::string& name : wanted) {
        if (!valueOf([&](void* b, size_t n) { return ::getxattr(from.c_str(), name.c_str(), b, n); }, value))
            return false;
        // Attributes the file system gave the new file already (a security label) stay untouched.
        if (valueOf([&](void* b, size_t n) { return ::fgetxattr(to, name.c_str(), b, n); }, current) && current == value)
            continue;
        if (::fsetxattr(to, name.c_str(), value.data(), value.size(), 0) != 0)
            return false;
    }
    struct stat old {};
    return ::stat(from.c_str(), &old) == 0 && ::fchmod(to, old.st_mode & 07777) == 0;
}

} // namespace kiv::fileAttributes
