#pragma once
// Reads a whole file into memory, opened as every named file is (openForReading: a name that is
// no regular file is refused unread). A failure keeps the system's error number, so that the reason
// can be told in the language in use (AtomicFile::reason); a file larger than the caller's limit
// is refused before anything is read.

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <limits>

namespace kiv {

struct WholeFile {
    enum class Failure { None, Open, NotRegular, Read, TooLarge };

    QByteArray bytes;
    Failure failure = Failure::None;
    int error = 0; // the system's error number of a failed open or read

    explicit operator bool() const { return failure == Failure::None; }

    static WholeFile read(const QString& path,
                          std::int64_t maxBytes = std::numeric_limits<std::int64_t>::max());
    // The rest of an open file or stream, up to its end; the descriptor stays open.
    static WholeFile readFrom(int fd, std::int64_t maxBytes = std::numeric_limits<std::int64_t>::max());
};

} // namespace kiv
