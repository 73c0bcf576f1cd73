#include "tests/support/FolderTree.h"

#include <QFile>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace kiv::test {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kLink = "link -> ";
constexpr std::string_view kFifo = "fifo";
constexpr std::string_view kDevice = "char ";

std::string bytesOf(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace

FolderTree folderTree(const QString& folder)
{
    FolderTree tree;
    const fs::path root = QFile::encodeName(folder).toStdString();
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = entry.path().lexically_relative(root).string();
        if (entry.is_symlink()) {
            tree[name] = std::string(kLink) + fs::read_symlink(entry.path()).string();
        } else if (entry.is_fifo()) {
            tree[name] = std::string(kFifo);
        } else if (entry.is_character_file()) {
            struct stat node {};
            ::stat(entry.path().c_str(), &node);
            tree[name] = std::string(kDevice) + std::to_string(major(node.st_rdev)) + "," + std::to_string(minor(node.st_rdev));
        } else if (entry.is_regular_file()) {
            struct stat file {};
            ::stat(entry.path().c_str(), &file);
            char mode[8];
            std::snprintf(mode, sizeof mode, "%04o", file.st_mode & 07777);
            tree[name] = std::string(mode) + " " + bytesOf(entry.path());
        }
    }
    return tree;
}

bool makeFolderTree(const QString& folder, const FolderTree& tree)
{
    const fs::path root = QFile::encodeName(folder).toStdString();
    for (const auto& [name, what] : tree) {
        const fs::path path = root / name;
        std::error_code error;
        fs::create_directories(path.parent_path(), error);
        if (what.starts_with(kLink)) {
            if (::symlink(what.substr(kLink.size()).c_str(), path.c_str()) != 0)
                return false;
            continue;
        }
        if (what == kFifo) {
            if (::mkfifo(path.c_str(), 0644) != 0)
                return false;
            continue;
        }
        if (what.starts_with(kDevice)) {
            const std::string numbers = what.substr(kDevice.size());
            const dev_t device = makedev(std::stoul(numbers), std::stoul(numbers.substr(numbers.find(',') + 1)));
            if (::mknod(path.c_str(), S_IFCHR | 0666, device) != 0)
                return false;
            continue;
        }
        std::ofstream(path, std::ios::binary | std::ios::trunc) << what.substr(5);
        if (bytesOf(path) != what.substr(5) || ::chmod(path.c_str(), std::stoul(what.substr(0, 4), nullptr, 8)) != 0)
            return false;
    }
    return true;
}

} // namespace kiv::test
