#include "platform/FileAttributes.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>

#include <sys/stat.h>
#include <sys/xattr.h>

namespace kiv::fileAttributes {

namespace {

// The names of a file's extended attributes; an empty list where the file system has none.
bool namesOf(const std::function<ssize_t(char*, size_t)>& list, std::vector<std::string>& names)
{
    for (;;) {
        const ssize_t size = list(nullptr, 0);
        if (size < 0)
            return errno == ENOTSUP;
        std::vector<char> buffer(size_t(size) + 1);
        const ssize_t got = list(buffer.data(), size_t(size));
        if (got < 0 && errno == ERANGE)
            continue; // an attribute came in between
        if (got < 0)
            return false;
        for (const char* name = buffer.data(); name < buffer.data() + got; name += std::strlen(name) + 1)
            names.emplace_back(name);
        return true;
    }
}

bool valueOf(const std::function<ssize_t(void*, size_t)>& get, std::vector<char>& value)
{
    for (;;) {
        const ssize_t size = get(nullptr, 0);
        if (size < 0)
            return false;
        value.resize(size_t(size));
        const ssize_t got = get(value.data(), value.size());
        if (got < 0 && errno == ERANGE)
            continue;
        if (got < 0)
            return false;
        value.resize(size_t(got));
        return true;
    }
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
    if (!namesOf([&](char* b, size_t n) { return ::listxattr(from.c_str(), b, n); }, wanted)
        || !namesOf([&](char* b, size_t n) { return ::flistxattr(to, b, n); }, present))
        return false;
    for (const std::string& name : present) {
        if (std::find(wanted.begin(), wanted.end(), name) == wanted.end() && ::fremovexattr(to, name.c_str()) != 0)
            return false;
    }
    struct stat old {};
    if (::stat(from.c_str(), &old) != 0 || ::fchmod(to, old.st_mode & 07777) != 0)
        return false;
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
    return true;
}

} // namespace kiv::fileAttributes
