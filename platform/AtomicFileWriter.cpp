#include "platform/AtomicFileWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv {

namespace {

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

    // A new file beside `target`, named after it; false with errno set when none can be made.
    bool create(const std::string& target)
    {
        for (int attempt = 0; attempt < 64; ++attempt) {
            path_ = target + ".kiv-" + std::to_string(QRandomGenerator::global()->generate());
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
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

// Writes everything, going on after short writes and interrupted calls.
bool writeAll(int fd, const char* data, qint64 left)
{
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

// The new file keeps the old one's permissions.
void keepPermissions(int fd, const std::string& target)
{
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0)
        ::fchmod(fd, old.st_mode & 07777);
}

// Makes the rename itself durable. The new contents are in place by then, so a failure here is
// not reported as a failed write.
void syncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

WriteResult failure(const QString& path, WriteStep step, int error)
{
    WriteResult result{false, QString(), path, step, error};
    result.errorText = result.describe(true);
    return result;
}

} // namespace

struct AtomicFileWriter::Temporary : TemporaryFile {};

AtomicFileWriter::AtomicFileWriter(const QString& path) : path_(path), temporary_(std::make_unique<Temporary>()) {}

AtomicFileWriter::~AtomicFileWriter() = default;

WriteResult AtomicFileWriter::fail(WriteStep step, int error)
{
    state_ = failure(path_, step, error);
    temporary_ = std::make_unique<Temporary>(); // closes and removes the temporary file
    return state_;
}

WriteResult AtomicFileWriter::open()
{
    if (path_.isEmpty())
        return fail(WriteStep::Create, ENOENT);
    const QString absolute = QFileInfo(path_).absoluteFilePath();
    target_ = QFile::encodeName(absolute).toStdString();
    folder_ = QFile::encodeName(QFileInfo(absolute).absolutePath()).toStdString();
    std::error_code folderError;
    std::filesystem::create_directories(folder_, folderError);
    if (folderError)
        return fail(WriteStep::Folder, folderError.value());
    if (!temporary_->create(target_))
        return fail(WriteStep::Create, errno);
    keepPermissions(temporary_->fd(), target_);
    return state_;
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
    if (::fsync(temporary_->fd()) != 0)
        return fail(WriteStep::Sync, errno);
    if (!temporary_->close())
        return fail(WriteStep::Close, errno);
    if (::rename(temporary_->path().c_str(), target_.c_str()) != 0)
        return fail(WriteStep::Rename, errno);
    temporary_->keep();
    syncFolder(folder_);
    return state_;
}

} // namespace kiv
