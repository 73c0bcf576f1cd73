#include "platform/AtomicFileWriter.h"

#include "platform/Descriptor.h"
#include "platform/FileAttributes.h"
#include "platform/SideFiles.h"
#include "platform/TemporaryFile.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace kiv {

namespace {

// Holds SIGXFSZ back from this thread while it writes: a write past the file-size limit then
// fails with EFBIG, which is reported like any failed write, instead of ending the program. A
// signal the write raised is taken away before the old mask comes back.
class FileSizeSignalHold {
public:
    FileSizeSignalHold()
    {
        sigemptyset(&signal_);
        sigaddset(&signal_, SIGXFSZ);
        pthread_sigmask(SIG_BLOCK, &signal_, &previous_);
    }
    ~FileSizeSignalHold()
    {
        const timespec none{};
        while (sigtimedwait(&signal_, nullptr, &none) == SIGXFSZ) {
        }
        pthread_sigmask(SIG_SETMASK, &previous_, nullptr);
    }
    FileSizeSignalHold(const FileSizeSignalHold&) = delete;
    FileSizeSignalHold& operator=(const FileSizeSignalHold&) = delete;

private:
    sigset_t signal_{};
    sigset_t previous_{};
};

// Whether an existing file may not be written by this user. The administrator may write any
// file, so for it a file that nobody may write counts as read-only.
bool readOnlyForUser(const std::string& target, const struct stat& file)
{
    if (::geteuid() == 0)
        return (file.st_mode & 0222) == 0;
    return ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
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

// Makes a rename or a removal in the folder durable.
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

AtomicFileWriter::AtomicFileWriter(const QString& path) : path_(path), temporary_(std::make_unique<TemporaryFile>())
{
}

AtomicFileWriter::~AtomicFileWriter() = default;

void AtomicFileWriter::settles(const QStringList& copies)
{
    for (const QString& copy : copies)
        settled_.push_back(QFile::encodeName(QFileInfo(copy).absoluteFilePath()).toStdString());
}

WriteResult AtomicFileWriter::fail(WriteStep step, int error, const std::string& oldCopy)
{
    state_ = failure(path_, step, error, oldCopy);
    temporary_->discard();
    return state_;
}

WriteResult AtomicFileWriter::open()
{
    if (path_.isEmpty())
        return fail(WriteStep::Create, ENOENT);
    const QString absolute = QFileInfo(path_).absoluteFilePath();
    if (!sideFiles::finalTarget(QFile::encodeName(absolute).toStdString(), target_))
        return fail(WriteStep::Link, errno);
    struct stat old {};
    const bool replacing = ::stat(target_.c_str(), &old) == 0;
    if (replacing && !S_ISREG(old.st_mode))
        return fail(WriteStep::NotRegular, 0);
    // A file the user may not even read (mode 000) is no read-only file: the system's reason
    // says why it is not written.
    if (replacing && readOnlyForUser(target_, old))
        return fail(::faccessat(AT_FDCWD, target_.c_str(), R_OK, AT_EACCESS) == 0 ? WriteStep::ReadOnly : WriteStep::Create,
                    EACCES);
    folder_ = std::filesystem::path(target_).parent_path().string();
    std::error_code folderError;
    std::filesystem::create_directories(folder_, folderError);
    if (folderError)
        return fail(WriteStep::Folder, folderError.value());
    lock_ = FileLock::take(target_, FileLock::Kind::Exclusive);
    if (lock_.state() == FileLock::State::Busy)
        return fail(WriteStep::Busy, EAGAIN);
    left_ = LeftBehind::of(target_);
    left_.tidy(target_);
    const mode_t finalMode = replacing ? old.st_mode : fileAttributes::newFileMode();
    if (!temporary_->create(sideFiles::temporaryPrefix(target_), finalMode & 0600))
        return fail(WriteStep::Create, errno);
    return state_;
}

QString AtomicFileWriter::temporaryPath() const
{
    return QFile::decodeName(QByteArray::fromStdString(temporary_->path()));
}

WriteResult AtomicFileWriter::append(const char* data, qint64 size)
{
    const FileSizeSignalHold hold;
    if (state_ && !writeAll(temporary_->fd(), data, size))
        return fail(WriteStep::Write, errno);
    return state_;
}

WriteResult AtomicFileWriter::commit()
{
    if (!state_)
        return state_;
    const FileSizeSignalHold hold;
    if (::fsync(temporary_->fd()) != 0)
        return fail(WriteStep::Sync, errno);
    struct stat old {};
    if (::stat(target_.c_str(), &old) != 0) {
        if (::fchmod(temporary_->fd(), fileAttributes::newFileMode()) != 0)
            return fail(WriteStep::Create, errno);
        return rename();
    }
    // A file that a cut-off write may have torn is written into, beside the whole copy that write
    // left, so that whether the file was written whole since is told by the new bytes' copy.
    if (left_.oldCopy.empty() && old.st_nlink == 1 && ownerMatches(temporary_->fd(), old)
        && fileAttributes::copy(target_, temporary_->fd()))
        return rename();
    return writeInPlace(old);
}

WriteResult AtomicFileWriter::rename()
{
    if (!temporary_->close())
        return fail(WriteStep::Close, errno);
    if (!temporary_->rename(target_))
        return fail(WriteStep::Rename, errno);
    temporary_->keep();
    syncFolder(folder_);
    settleLeftCopies();
    return state_;
}

// The copies that cut-off writes left are of an earlier version now that the target is whole,
// unless this write settled them.
void AtomicFileWriter::settleLeftCopies() const
{
    if (left_.cutOff.empty() && settled_.empty())
        return;
    for (const std::string& copy : settled_)
        ::unlink(copy.c_str());
    for (const std::string& copy : left_.cutOff) {
        if (std::find(settled_.begin(), settled_.end(), copy) == settled_.end())
            std::rename(copy.c_str(), sideFiles::renamed(target_, copy, sideFiles::Kind::EarlierCopy).c_str());
    }
    syncFolder(folder_);
}

// The old bytes are first copied beside the file under a temporary name, synced and only then
// renamed to the copy's final name, so that a copy under that name is always whole; where a
// cut-off write left the file torn, the whole copy it left is the copy instead. The new bytes,
// synced already, get their final name too before the file is touched. The copy goes once the new
// bytes are whole and synced in the file; the new bytes' copy goes after it, so that a reader who
// finds a copy of the old bytes beside the file's bytes under that name knows the write finished.
WriteResult AtomicFileWriter::writeInPlace(const struct stat& old)
{
    const Descriptor target(::open(target_.c_str(), O_RDWR | O_CLOEXEC));
    if (target.get() < 0)
        return fail(WriteStep::Create, errno);
    TemporaryFile copy;
    std::string safety = left_.oldCopy;
    if (safety.empty()) {
        if (!copy.create(sideFiles::temporaryPrefix(target_), old.st_mode & 0600))
            return fail(WriteStep::Create, errno);
        if (!copyAll(target.get(), copy.fd()))
            return fail(WriteStep::Write, errno);
        // Readable by its owner, who may have to read it back, once its bytes are whole.
        if (::fsync(copy.fd()) != 0 || ::fchmod(copy.fd(), 0600) != 0)
            return fail(WriteStep::Sync, errno);
        if (!copy.rename(sideFiles::renamed(target_, copy.path(), sideFiles::Kind::OldCopy)))
            return fail(WriteStep::Rename, errno);
        safety = copy.path();
    }
    if (!temporary_->rename(sideFiles::renamed(target_, temporary_->path(), sideFiles::Kind::NewCopy)))
        return fail(WriteStep::Rename, errno);
    syncFolder(folder_);
    if (const StepFailure failed = replaceContents(target.get(), temporary_->fd()); failed.step != WriteStep::None) {
        if (left_.oldCopy.empty() && replaceContents(target.get(), copy.fd()).step == WriteStep::None)
            return fail(failed.step, failed.error);
        copy.keep();
        return fail(failed.step, failed.error, safety);
    }
    settleLeftCopies();
    copy.discard();
    syncFolder(folder_);
    temporary_->discard();
    return state_;
}

} // namespace kiv
