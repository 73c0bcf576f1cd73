#pragma once
// The atomic writer for contents that arrive in pieces (a download): open() makes a temporary
// file beside the target, append() writes to it, and only commit() syncs it and puts it in the
// target's place. A writer destroyed without a successful commit removes the temporary file and
// leaves the target as it was. AtomicFile::write is this in one step.
//
// What it promises:
// - Only a regular file is replaced; a name that leads to a device, a FIFO or a socket, a
//   symbolic link that leads to no file and a file the user may not write are refused before
//   anything is written. A symbolic link is written through: the file it leads to is replaced
//   and the link stays.
// - The target keeps its inode, links, owner, group, permissions and extended attributes (its
//   access control list among them). The temporary file takes the target's permissions and
//   attributes once its bytes are whole and is renamed over it, where that keeps them all: the
//   target has one name, this user's new file has its owner and group already, and every
//   attribute could be set. Otherwise commit() writes the new bytes into the existing file.
// - Nobody may read a side file whom the target would not let read: each is made with no
//   permission beyond the target's own and 0600.
// - A failed step (a full disk, a file-size limit, which fails the write rather than stopping the
//   program) leaves the target's bytes as they were and no side file behind.
// - A write cut off at any moment (a kill, a crash, a power cut) leaves every name of the target
//   with the old bytes or the new ones, or, while the bytes go into the existing file, a whole
//   synced copy of the old bytes and one of the new bytes beside it under their final names
//   (see SideFiles.h), which the next read of the file finds and offers back (CutOffWrite).
//   Temporaries of writers that no longer run are removed by the next writer of the same target.
// - One writer of a file at a time: from open() on, the writer holds an exclusive lock on the
//   target (FileLock) until it goes; a second writer waits for it a few seconds and else fails
//   (WriteStep::Busy). A check of the target's bytes made between open() and commit() therefore
//   sees the bytes the write replaces.
// - A target that a cut-off write may have torn is never copied as if it were whole: the whole
//   copy that write left stays the safety copy until the new bytes are whole and synced. Copies
//   that cut-off writes left become copies of an earlier version once the file is written whole
//   (or go, where settles() said so).

#include "platform/AtomicFile.h"
#include "platform/FileLock.h"
#include "platform/LeftBehind.h"

#include <QStringList>

#include <memory>
#include <string>
#include <vector>

#include <sys/stat.h>

namespace kiv {

class TemporaryFile;

class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const QString& path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // This write settles what cut-off writes left: its bytes are those of one of `copies`, whole
    // copies beside the target, which stay as they are until the new bytes are whole and synced
    // and go then.
    void settles(const QStringList& copies);
    // Creates missing parent directories and the temporary file, and locks the target.
    WriteResult open();
    WriteResult append(const char* data, qint64 size);
    // Where the contents are until commit(), for a look at them before they replace the target;
    // empty when no temporary file is open.
    QString temporaryPath() const;
    // Syncs the new bytes and puts them in the target's place; the result of the whole write.
    WriteResult commit();

private:
    WriteResult fail(WriteStep step, int error, const std::string& oldCopy = {});
    WriteResult rename();
    WriteResult writeInPlace(const struct stat& old);
    void settleLeftCopies() const;

    QString path_;
    std::string target_;
    std::string folder_;
    std::unique_ptr<TemporaryFile> temporary_;
    FileLock lock_;
    LeftBehind left_;
    std::vector<std::string> settled_;
    WriteResult state_;
};

} // namespace kiv
