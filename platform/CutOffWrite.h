#pragma once
// What a write cut off by a kill, a crash or a power cut left beside a file, found when the file
// is next read (LeftBehind sorts it) and offered back to the user, as a careful editor does after
// a crash. A file that may be torn is named with the whole copy of its old bytes, and with the
// whole new bytes where they survive; its box's default makes the file whole (with the new bytes
// where there are any). A copy of a version from before the file was written whole again is
// offered with both dates, and its box's default keeps the file. What the user answered Cancel
// to is not asked about again while the program runs.

#include "platform/FileLock.h"

#include <QString>
#include <QStringList>

#include <set>
#include <utility>
#include <vector>

#include <sys/types.h>

namespace kiv {

class MessageBoxes;

class CutOffWrite {
public:
    enum class Kind { Torn, Earlier };
    struct Offer {
        Kind kind = Kind::Torn;
        QString copy;        // the whole old bytes, or the earlier version
        QString newCopy{};   // the whole new bytes beside a torn file; empty when none survived
        QStringList settles; // every copy that the answer settles
    };
    struct Recovery {
        bool restored = false; // a copy was put back
        FileLock reading;      // a shared lock on the file, for the read that follows
    };

    // What cut-off writes left beside the file `path` leads to and is worth asking about: the
    // torn file's offer, or else one for each earlier version. Side files worth nothing are
    // removed on the way.
    static std::vector<Offer> find(const QString& path);

    // Before the file is read: waits a few seconds for a writer of it that still runs (and says
    // so when it does not end), then asks about each offer, in English or German. Torn file: Yes
    // finishes the write with the new bytes or, without them, puts the old bytes back; No puts
    // the old bytes back where there are new ones, else keeps the file and deletes the copy.
    // Earlier version: Yes puts it back, No keeps the file and deletes the copy. Cancel or closing
    // the box leaves everything for the next start.
    Recovery offer(MessageBoxes& boxes, bool english, const QString& path);

private:
    bool declined(const Offer& offer) const;
    void decline(const Offer& offer);

    std::set<std::pair<dev_t, ino_t>> declined_;
};

} // namespace kiv
