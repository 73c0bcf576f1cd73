#pragma once
// The element file as the satellite data dialog read it: its records and a fingerprint of its
// bytes, so that at OK the dialog can tell whether another program changed the file meanwhile
// (records appended by a download, an editor's save) before it writes its own copy over it.

#include "document/ElementFile.h"

#include <QByteArray>
#include <QString>

namespace kiv {

struct ElementFileSnapshot {
    bool opened = false;        // false: the file could not be opened, nothing was read
    bool notRegular = false;    // it was not opened because it is no regular file
    ElementFileRecords content; // its stop says whether the records hold the whole file
    QByteArray fingerprint;     // of the bytes read

    // Reads the whole file; one larger than the element file reader's bound is refused unread.
    static ElementFileSnapshot read(const QString& path);
    // Whether the file at the path holds the very bytes read; false when it cannot be read.
    bool heldBy(const QString& path) const;
};

} // namespace kiv
