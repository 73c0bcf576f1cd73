#include "platform/SideFiles.h"

#include "platform/FileLock.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <string_view>

#include <sys/stat.h>
#include <unistd.h>

namespace kiv::sideFiles {

namespace {

constexpr std::string_view kTemporaryMark = ".kiv-";

struct Mark {
    Kind kind;
    std::string_view text;
};

// The copies' marks before the temporaries', which begins all of them.
constexpr std::array kMarks = {Mark{Kind::OldCopy, ".kiv-old-"}, Mark{Kind::NewCopy, ".kiv-new-"},
                               Mark{Kind::EarlierCopy, ".kiv-earlier-"}, Mark{Kind::Temporary, kTemporaryMark}};

// The process id in "<digits>-<digits>", or 0 when the rest of a name is not that.
pid_t writerOf(std::string_view rest)
{
    const std::size_t dash = rest.find('-');
    if (dash == std::string_view::npos || dash + 1 == rest.size())
        return 0;
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + dash, pid);
    if (error != std::errc() || end != rest.data() + dash || pid <= 0)
        return 0;
    const std::string_view random = rest.substr(dash + 1);
    return random.find_first_not_of("0123456789") == std::string_view::npos ? pid : 0;
}

// The side file a folder entry of `base` is, if it is one.
bool sideFileOf(std::string_view name, std::string_view base, SideFile& side)
{
    if (name.substr(0, base.size()) != base)
        return false;
    const std::string_view rest = name.substr(base.size());
    for (const Mark& mark : kMarks) {
        if (rest.substr(0, mark.text.size()) == mark.text) {
            side.kind = mark.kind;
            side.writer = writerOf(rest.substr(mark.text.size()));
            return side.writer > 0;
        }
    }
    return false;
}

} // namespace

bool finalTarget(const std::string& name, std::string& target)
{
    struct stat entry {};
    if (::lstat(name.c_str(), &entry) != 0 || !S_ISLNK(entry.st_mode)) {
        target = name;
        return true;
    }
    char* resolved = ::realpath(name.c_str(), nullptr);
    if (!resolved)
        return false;
    target = resolved;
    std::free(resolved);
    return true;
}

std::string temporaryPrefix(const std::string& target)
{
    return target + std::string(kTemporaryMark) + std::to_string(::getpid()) + '-';
}

std::string renamed(const std::string& target, const std::string& side, Kind kind)
{
    // Every side file's name ends in "<pid>-<random>", which the new name keeps.
    const std::size_t dash = side.rfind('-');
    const std::size_t tail = side.rfind('-', dash - 1) + 1;
    const auto mark = std::find_if(kMarks.begin(), kMarks.end(), [&](const Mark& m) { return m.kind == kind; });
    return target + std::string(mark->text) + side.substr(tail);
}

std::vector<SideFile> leftBehind(const std::string& target)
{
    const std::filesystem::path path(target);
    const std::string base = path.filename().string();
    std::vector<SideFile> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(path.parent_path(), error)) {
        SideFile side{.path = entry.path().string()};
        if (sideFileOf(entry.path().filename().string(), base, side) && entry.is_regular_file(error)
            && !FileLock::held(side.path))
            found.push_back(std::move(side));
    }
    std::sort(found.begin(), found.end(), [](const SideFile& a, const SideFile& b) { return a.path < b.path; });
    return found;
}

} // namespace kiv::sideFiles
