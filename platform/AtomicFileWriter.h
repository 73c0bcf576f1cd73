#pragma once
// The atomic writer for contents that arrive in pieces (a download): open() makes a temporary
// file beside the target, append() writes to it, and only commit() syncs it and renames it over
// the target. A writer destroyed without a successful commit removes the temporary file and
// leaves the target as it was. AtomicFile::write is this in one step.
//
// The target keeps its inode, links, owner and group. The rename is taken only where it keeps
// them all: the target has one name and this user's new file has its owner and group already.
// Otherwise commit() writes the new bytes into the existing file instead; a
// copy of the old bytes beside it is made and synced first, puts them back when the write fails
// midway, and is removed once the new bytes are whole and synced.
//
// A target that is a symbolic link is written through it: the file the link leads to is replaced
// and the link stays. open() refuses a link that leads to no file and a file the user may not
// write, before anything is written.
//
// A temporary file's name carries the process id of its writer; open() removes those of the same
// target whose writer no longer runs (a process killed during a large download). A copy of old
// bytes that a killed writer left stays: it may be the only whole copy of the file.

#include "platform/AtomicFile.h"

#include <memory>
#include <string>

namespace kiv {

class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const QString& path);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Creates missing parent directories and the temporary file.
    WriteResult open();
    WriteResult append(const char* data, qint64 size);
    // Where the contents are until commit(), for a look at them before they replace the target;
    // empty when no temporary file is open.
    QString temporaryPath() const;
    // Syncs, closes and renames; the result of the whole write.
    WriteResult commit();

private:
    struct Temporary;
    WriteResult fail(WriteStep step, int error, const std::string& oldCopy = {});
    WriteResult writeInPlace();

    QString path_;
    std::string target_;
    std::string folder_;
    std::unique_ptr<Temporary> temporary_;
    WriteResult state_;
};

} // namespace kiv
