#pragma once
// What a write cut off by a kill, a crash or a power cut left beside a file, found when the file
// is next read. While the atomic writer puts new bytes into an existing file, a whole copy of the
// old bytes lies beside it (SideFiles.h); one left by a writer that no longer runs means that the
// file may be torn. The user is told which file it is and where its old contents are, and is
// offered them back, as a careful editor does after a crash.

#include <QString>
#include <QStringList>

namespace kiv {

class MessageBoxes;

class CutOffWrite {
public:
    // The whole copies of old bytes that cut-off rewrites left beside the file `path` leads to.
    // Side files that hold nothing worth keeping are removed on the way: temporaries of writers
    // that no longer run, and copies whose rewrite never touched the file or finished (the file
    // holds the copy's bytes, or those of a temporary of the same writer).
    static QStringList find(const QString& path);

    // Asks about each copy found, in English or German: Yes puts the old contents back, No keeps
    // the file as it is and deletes the copy, Cancel or closing the box leaves both to be asked
    // about the next time. True when old contents were put back.
    static bool offer(MessageBoxes& boxes, bool english, const QString& path);
};

} // namespace kiv
