#pragma once
// Every file the program writes is written whole to a temporary file beside it, synced to the disk
// and put in the old one's place only when every step succeeded, so that a failed write (a full
// disk, a file-size limit, a read-only folder) leaves the old file byte-identical and no
// temporary file behind. The file stays the user's file, and a write cut off by a kill loses
// nothing (see AtomicFileWriter for what is kept and how).

#include <QByteArray>
#include <QString>

namespace kiv {

// The step of a write that failed. Link: the name is a symbolic link that leads to no file;
// ReadOnly: the user may read the file but not write it, so it is not replaced; NotRegular: the
// name leads to a device, a FIFO, a socket or a folder, which is never replaced; Busy: another
// writer held the file longer than a writer waits (FileLock).
enum class WriteStep { None, Folder, Create, Write, Sync, Close, Rename, Link, ReadOnly, NotRegular, Busy };

struct WriteResult {
    bool ok = true;
    QString errorText; // English, names the file and the cause; empty when ok
    QString path{};    // the file that was to be written
    WriteStep step = WriteStep::None;
    int error = 0; // the system's error number of the failed step
    // Set when a write into the existing file failed midway and even the old bytes could not be
    // put back: the copy of them that was kept.
    QString oldCopy{};

    explicit operator bool() const { return ok; }
    // The file and the system's reason, in English or German: "Could not write /x/kiv.ini: No
    // space left on device."
    QString describe(bool english) const;
};

class AtomicFile {
public:
    // Creates missing parent directories. The file keeps its permissions, owner, group, hard
    // links and extended attributes, a new one gets the usual ones. A symbolic link stays: the
    // file it leads to is replaced, in that file's folder.
    static WriteResult write(const QString& path, const QByteArray& contents);
    // The system's text for an error number, in English or German.
    static QString reason(int error, bool english);
};

} // namespace kiv
