#include "platform/AtomicFileWriter.h"

#include "platform/Descriptor.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <csignal>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv {

namespace {

// Temporary files are "<target>.kiv-<process id>-<random>", so that one left by a process that
// was killed can be told from one that a running process still writes.
constexpr std::string_view kTemporaryMark = ".kiv-";
// The copy of the old bytes kept while a file is rewritten in place is
// "<target>.kiv-old-<process id>-<random>": one left by a killed process may hold the only
// whole copy of the file, so it is never removed as stale.
constexpr std::string_view kOldCopyMark = ".kiv-old-";

std::string uniquePrefix(const std::string& target, std::string_view mark)
{
    return target + std::string(mark) + std::to_string(::getpid()) + '-';
}

// The process id in a temporary file's name after "<target name>.kiv-", or 0 when the rest is
// not "<digits>-<digits>".
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

bool processRuns(pid_t pid)
{
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}

// Removes the temporary files of this target that a process left that no longer runs; anything
// else in the folder, a running writer's file included, stays.
void removeStaleTemporaries(const std::string& folder, const std::string& target)
{
    const std::string prefix = std::filesystem::path(target).filename().string() + std::string(kTemporaryMark);
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, prefix.size(), prefix) != 0 || !entry.is_regular_file(error))
            continue;
        const pid_t pid = writerOf(std::string_view(name).substr(prefix.size()));
        if (pid > 0 && !processRuns(pid))
            std::filesystem::remove(entry.path(), error);
    }
}

// Closes the descriptor and removes the temporary file unless the write got through.
class TemporaryFile {
public:
    TemporaryFile() = default;
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
        if (!path_.empty() && !kept_)
            ::unlink(path_.c_str());
    }

    // A new file named the prefix and a random number, open for reading and writing; false with
    // errno set when none can be made.
    bool create(const std::string& prefix, mode_t mode)
    {
        for (int attempt = 0; attempt < 64; ++attempt) {
            path_ = prefix + std::to_string(QRandomGenerator::global()->generate());
            fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode);
            if (fd_ >= 0)
                return true;
            if (errno != EEXIST)
                break;
        }
        path_.clear();
        return false;
    }

    int fd() const { return fd_; }
    const std::string& path() const { return path_; }

    // Closes the descriptor, reporting what close() reports (a delayed write error).
    bool close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }
    void keep() { kept_ = true; }

private:
    std::string path_;
    int fd_ = -1;
    bool kept_ = false;
};

// The file a name leads to: itself, or the end of the symbolic links it is, which must exist.
// False with errno set when the links lead nowhere.
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

// Whether an existing file may not be written by this user. The administrator may write any
// file, so for it a file that nobody may write counts as read-only.
bool readOnlyForUser(const std::string& target)
{
    struct stat file {};
    if (::stat(target.c_str(), &file) != 0)
        return false;
    if (::geteuid() == 0)
        return (file.st_mode & 0222) == 0;
    return ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

// The new file keeps the old one's permissions.
void keepPermissions(int fd, const std::string& target)
{
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);
}

// True when the new file already has the old one's owner and group, so that a rename keeps them.
// Otherwise the new bytes go into the old file itself: a change of owner, even where this user
// may make it, would still make the file another file under the same name.
bool ownerMatches(int fd, const struct stat& old)
{
    struct stat made {};
    return ::fstat(fd, &made) == 0 && made.st_uid == old.st_uid && made.st_gid == old.st_gid;
}

struct StepFailure {
    WriteStep step = WriteStep::None;
    int error = 0;
};

// Makes the file `to` hold exactly what `from` holds, synced to the disk.
StepFailure replaceContents(int to, int from)
{
    if (::ftruncate(to, 0) != 0 || ::lseek(to, 0, SEEK_SET) != 0 || !copyAll(from, to))
        return {WriteStep::Write, errno};
    if (::fsync(to) != 0)
        return {WriteStep::Sync, errno};
    return {};
}

// Makes the rename itself durable. The new contents are in place by then, so a failure here is
// not reported as a failed write.
void syncFolder(const std::string& folder)
{
    const Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0)
        ::fsync(fd.get());
}

WriteResult failure(const QString& path, WriteStep step, int error, const std::string& oldCopy = {})
{
    WriteResult result{.ok = false,
                       .errorText = QString(),
                       .path = path,
                       .step = step,
                       .error = error,
                       .oldCopy = QFile::decodeName(QByteArray::fromStdString(oldCopy))};
    result.errorText = result.describe(true);
    return result;
}

} // namespace

struct AtomicFileWriter::Temporary : TemporaryFile {};

AtomicFileWriter::AtomicFileWriter(const QString& path) : path_(path), temporary_(std::make_unique<Temporary>()) {}

AtomicFileWriter::~AtomicFileWriter() = default;

WriteResult AtomicFileWriter::fail(WriteStep step, int error, const std::string& oldCopy)
{
    state_ = failure(path_, step, error, oldCopy);
    temporary_ = std::make_unique<Temporary>(); // closes and removes the temporary file
    return state_;
}

WriteResult AtomicFileWriter::open()
{
    if (path_.isEmpty())
        return fail(WriteStep::Create, ENOENT);
    const QString absolute = QFileInfo(path_).absoluteFilePath();
    if (!finalTarget(QFile::encodeName(absolute).toStdString(), target_))
        return fail(WriteStep::Link, errno);
    if (readOnlyForUser(target_))
        return fail(WriteStep::ReadOnly, EACCES);
    folder_ = std::filesystem::path(target_).parent_path().string();
    std::error_code folderError;
    std::filesystem::create_directories(folder_, folderError);
    if (folderError)
        return fail(WriteStep::Folder, folderError.value());
    removeStaleTemporaries(folder_, target_);
    if (!temporary_->create(uniquePrefix(target_, kTemporaryMark), 0666))
        return fail(WriteStep::Create, errno);
    keepPermissions(temporary_->fd(), target_);
    return state_;
}

QString AtomicFileWriter::temporaryPath() const
{
    return QFile::decodeName(QByteArray::fromStdString(temporary_->path()));
}

WriteResult AtomicFileWriter::append(const char* data, qint64 size)
{
    if (state_ && !writeAll(temporary_->fd(), data, size))
        return fail(WriteStep::Write, errno);
    return state_;
}

WriteResult AtomicFileWriter::commit()
{
    if (!state_)
        return state_;
    struct stat old {};
    const bool replacing = ::stat(target_.c_str(), &old) == 0;
    const bool ownerKept = !replacing || ownerMatches(temporary_->fd(), old);
    if (::fsync(temporary_->fd()) != 0)
        return fail(WriteStep::Sync, errno);
    if (replacing && S_ISREG(old.st_mode) && (old.st_nlink > 1 || !ownerKept))
        return writeInPlace();
    if (!temporary_->close())
        return fail(WriteStep::Close, errno);
    if (::rename(temporary_->path().c_str(), target_.c_str()) != 0)
        return fail(WriteStep::Rename, errno);
    temporary_->keep();
    syncFolder(folder_);
    return state_;
}

WriteResult AtomicFileWriter::writeInPlace()
{
    const Descriptor target(::open(target_.c_str(), O_RDWR | O_CLOEXEC));
    if (target.get() < 0)
        return fail(WriteStep::Create, errno);
    TemporaryFile oldCopy;
    if (!oldCopy.create(uniquePrefix(target_, kOldCopyMark), 0600))
        return fail(WriteStep::Create, errno);
    if (!copyAll(target.get(), oldCopy.fd()))
        return fail(WriteStep::Write, errno);
    if (::fsync(oldCopy.fd()) != 0)
        return fail(WriteStep::Sync, errno);
    if (const StepFailure failed = replaceContents(target.get(), temporary_->fd()); failed.step != WriteStep::None) {
        if (replaceContents(target.get(), oldCopy.fd()).step == WriteStep::None)
            return fail(failed.step, failed.error);
        oldCopy.keep();
        return fail(failed.step, failed.error, oldCopy.path());
    }
    temporary_ = std::make_unique<Temporary>(); // removes the temporary file
    return state_;
}

} // namespace kiv
