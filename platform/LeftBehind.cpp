#include "platform/LeftBehind.h"

#include "platform/Descriptor.h"
#include "platform/ReadOpen.h"
#include "platform/SideFiles.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>

#include <sys/stat.h>
#include <unistd.h>

namespace kiv {

namespace {

using sideFiles::Kind;
using sideFiles::SideFile;

bool sameContents(const std::string& a, const std::string& b)
{
    const ReadOpen one = openForReading(a.c_str());
    const ReadOpen two = openForReading(b.c_str());
    const Descriptor first(one.fd);
    const Descriptor second(two.fd);
    if (first.get() < 0 || second.get() < 0 || one.size != two.size)
        return false;
    std::array<char, 64 * 1024> x{};
    std::array<char, 64 * 1024> y{};
    for (;;) {
        const ssize_t n = readFully(first.get(), x.data(), x.size());
        if (n < 0 || readFully(second.get(), y.data(), y.size()) != n || !std::equal(x.begin(), x.begin() + n, y.begin()))
            return false;
        if (n == 0)
            return true;
    }
}

timespec modified(const std::string& path)
{
    struct stat file {};
    ::stat(path.c_str(), &file);
    return file.st_mtim;
}

bool before(const timespec& a, const timespec& b)
{
    return a.tv_sec != b.tv_sec ? a.tv_sec < b.tv_sec : a.tv_nsec < b.tv_nsec;
}

// The copy of `kind` written first (oldest) or last; empty when there is none.
std::string chosen(const std::vector<SideFile>& copies, Kind kind, bool oldest)
{
    std::string found;
    for (const SideFile& copy : copies) {
        if (copy.kind == kind
            && (found.empty() || before(modified(copy.path), modified(found)) == oldest))
            found = copy.path;
    }
    return found;
}

} // namespace

LeftBehind LeftBehind::of(const std::string& target)
{
    LeftBehind left;
    std::vector<SideFile> copies;
    // Writers whose new bytes the file holds: their writes finished, and what they copied before
    // is worthless. New bytes under a temporary's name are from writers that did not name them.
    std::vector<pid_t> finished;
    bool newBytesHeld = false;
    for (SideFile& side : sideFiles::leftBehind(target)) {
        const bool newBytes = side.kind == Kind::Temporary || side.kind == Kind::NewCopy;
        const bool held = sameContents(target, side.path);
        if (held && newBytes) {
            finished.push_back(side.writer);
            newBytesHeld = newBytesHeld || side.kind == Kind::NewCopy;
        }
        if (held || side.kind == Kind::Temporary)
            left.worthless.push_back(side.path);
        else
            copies.push_back(std::move(side));
    }
    // Beside the whole new bytes of a finished write any other copy is of an earlier version.
    std::vector<SideFile> cutOff;
    for (SideFile& copy : copies) {
        const bool ownCopy = copy.kind == Kind::OldCopy
            && std::find(finished.begin(), finished.end(), copy.writer) != finished.end();
        if (ownCopy)
            left.worthless.push_back(copy.path);
        else if (copy.kind == Kind::EarlierCopy || newBytesHeld)
            left.earlier.push_back(copy.path);
        else
            cutOff.push_back(std::move(copy));
    }
    left.oldCopy = chosen(cutOff, Kind::OldCopy, true);
    for (const SideFile& copy : cutOff) {
        // New bytes without a copy of the old ones never went into the file.
        (left.oldCopy.empty() ? left.worthless : left.cutOff).push_back(copy.path);
    }
    if (!left.oldCopy.empty())
        left.newCopy = chosen(cutOff, Kind::NewCopy, false);
    return left;
}

void LeftBehind::tidy(const std::string& target)
{
    for (std::string& copy : earlier) {
        std::string name = sideFiles::renamed(target, copy, Kind::EarlierCopy);
        if (std::rename(copy.c_str(), name.c_str()) == 0)
            copy = std::move(name);
    }
    for (const std::string& path : worthless)
        ::unlink(path.c_str());
}

} // namespace kiv
