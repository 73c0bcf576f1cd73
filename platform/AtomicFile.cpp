#include "platform/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string.h> // strerrordesc_np

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv {

namespace {

struct GermanReason {
    int error;
    const char* text;
};

// The errors a write can meet, in the words the German system messages use.
constexpr GermanReason kGermanReasons[] = {
    {ENOSPC, "Auf dem Gerät ist kein Speicherplatz mehr verfügbar"},
    {EFBIG, "Die Datei ist zu groß"},
    {EDQUOT, "Der zugewiesene Plattenplatz (Quota) ist überschritten"},
    {EACCES, "Keine Berechtigung"},
    {EPERM, "Die Operation ist nicht erlaubt"},
    {EROFS, "Dateisystem nur lesbar"},
    {ENOENT, "Datei oder Verzeichnis nicht gefunden"},
    {ENOTDIR, "Ist kein Verzeichnis"},
    {EISDIR, "Ist ein Verzeichnis"},
    {EEXIST, "Die Datei existiert bereits"},
    {ENAMETOOLONG, "Der Dateiname ist zu lang"},
    {EIO, "Eingabe-/Ausgabefehler"},
    {EMFILE, "Zu viele offene Dateien"},
    {EBUSY, "Das Gerät oder die Ressource ist belegt"},
    {EXDEV, "Ungültiger Link über Gerätegrenzen hinweg"},
    {ELOOP, "Zu viele Ebenen aus symbolischen Links"},
};

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
bool writeAll(int fd, const QByteArray& contents)
{
    const char* data = contents.constData();
    qsizetype left = contents.size();
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

QString WriteResult::describe(bool english) const
{
    if (ok)
        return {};
    const QString name = QDir::toNativeSeparators(path);
    const QString cause = AtomicFile::reason(error, english);
    return english ? QStringLiteral("Could not write %1: %2.").arg(name, cause)
                   : QStringLiteral("%1 konnte nicht geschrieben werden: %2.").arg(name, cause);
}

QString AtomicFile::reason(int error, bool english)
{
    if (!english) {
        for (const GermanReason& r : kGermanReasons) {
            if (r.error == error)
                return QString::fromUtf8(r.text);
        }
    }
    const char* text = strerrordesc_np(error);
    return text ? QString::fromUtf8(text) : QStringLiteral("error %1").arg(error);
}

WriteResult AtomicFile::write(const QString& path, const QByteArray& contents)
{
    if (path.isEmpty())
        return failure(path, WriteStep::Create, ENOENT);
    const QString absolute = QFileInfo(path).absoluteFilePath();
    const std::string target = QFile::encodeName(absolute).toStdString();
    const std::string folder = QFile::encodeName(QFileInfo(absolute).absolutePath()).toStdString();
    std::error_code folderError;
    std::filesystem::create_directories(folder, folderError);
    if (folderError)
        return failure(path, WriteStep::Folder, folderError.value());

    TemporaryFile temporary;
    if (!temporary.create(target))
        return failure(path, WriteStep::Create, errno);
    keepPermissions(temporary.fd(), target);
    if (!writeAll(temporary.fd(), contents))
        return failure(path, WriteStep::Write, errno);
    if (::fsync(temporary.fd()) != 0)
        return failure(path, WriteStep::Sync, errno);
    if (!temporary.close())
        return failure(path, WriteStep::Close, errno);
    if (::rename(temporary.path().c_str(), target.c_str()) != 0)
        return failure(path, WriteStep::Rename, errno);
    temporary.keep();
    syncFolder(folder);
    return {};
}

} // namespace kiv
