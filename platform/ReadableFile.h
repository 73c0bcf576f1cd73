#pragma once
// The one way the program opens a file that the user or a setting names for reading (the
// profile, element files, archives, colour, icon, town and World Data Bank files, pictures,
// models): the open never waits, and a name that is no regular file (a FIFO, a device, a socket,
// a folder) is refused before a byte is read. A reader reads the descriptor itself or hands it
// to a QFile. A failure keeps the system's error number, so that the reason can be told in the
// language in use.

#include "platform/Descriptor.h"
#include "platform/ReadOpen.h"

#include <QIODevice>
#include <QString>

#include <cstdint>

class QFile;

namespace kiv {

class ReadableFile {
public:
    explicit ReadableFile(const QString& path);

    bool isOpen() const { return fd_.get() >= 0; }
    int fd() const { return fd_.get(); }
    std::int64_t size() const { return size_; }
    bool notRegular() const { return notRegular_; }
    int error() const { return error_; } // the system's error number; 0 when not regular

    // Why the file cannot be read, naming it: "Could not read /x/kiv.ini: Permission denied."
    QString describe(bool english) const;
    // "Could not read X: it is not a regular file.", in English or German.
    static QString notRegularText(const QString& path, bool english);
    // "Could not read X: <reason>."
    static QString couldNotRead(const QString& path, const QString& reason, bool english);

    // Hands the descriptor to `file`, which closes it from then on; false when there is none.
    bool handTo(QFile& file, QIODevice::OpenMode mode = QIODevice::ReadOnly);

private:
    ReadableFile(const QString& path, const ReadOpen& opened);

    QString path_;
    Descriptor fd_;
    std::int64_t size_ = 0;
    int error_ = 0;
    bool notRegular_ = false;
};

} // namespace kiv
