#pragma once
// A picture's bytes, in a file or in memory, read a piece at a time. A reader asks for its header
// and then for the pieces it decodes, never for the whole file: bytes past what the picture's
// format uses are never read, and what is read is held only while it is decoded. A file is read,
// not mapped, so that a file cut short meanwhile gives a short read rather than a fault.
//
// The bytes carry the decode's DecodeWatch, started with them: every read looks at it, and once a
// termination request has stopped the decode a read fails, as at the end of the bytes, so that
// every decoder gives up at its next read. stopped() then tells the caller that the decode did
// not fail but was stopped.

#include "imaging/DecodeWatch.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <memory>
#include <vector>

class QIODevice;

namespace kiv {

class PictureBytes {
public:
    // Bytes in memory, which must outlive this object.
    explicit PictureBytes(QByteArrayView bytes);
    // A file, opened as every named file is (a name that is no regular file is refused), or a Qt
    // resource; isOpen() tells whether it could be.
    explicit PictureBytes(const QString& fileName);
    // The bytes of a device open for reading that can seek, as far as its size.
    explicit PictureBytes(std::unique_ptr<QIODevice> device);
    ~PictureBytes();
    PictureBytes(const PictureBytes&) = delete;
    PictureBytes& operator=(const PictureBytes&) = delete;

    bool isOpen() const;
    // The system's text for a file that could not be opened, or that it is no regular file.
    QString errorString() const;
    qint64 size() const { return size_; }

    // The bytes [offset, offset + count), fewer where the bytes end sooner or a read fails.
    QByteArray read(qint64 offset, qint64 count) const;
    // The same into `out`; true when all `count` bytes were read.
    bool read(qint64 offset, qint64 count, uchar* out) const;

    // The bytes as a device, at their start, for a decoder that reads them itself; a read fails
    // once the decode is stopped.
    QIODevice& device() const;

    // Whether the decode is to give up now (DecodeWatch::stop), for work between two reads.
    bool stopRequested() const { return watch_.stop(); }
    // Whether the decode was stopped by a termination request.
    bool stopped() const { return watch_.stopped(); }

private:
    class View;

    // Reads [offset, offset + count), which lies within the bytes; how many bytes arrived.
    qint64 readInto(qint64 offset, qint64 count, char* out) const;

    QByteArray memory_;
    bool inMemory_ = false;
    std::unique_ptr<QIODevice> device_;
    mutable std::unique_ptr<QIODevice> view_;
    QString openError_;
    qint64 size_ = 0;
    mutable DecodeWatch watch_;
};

// The bytes [begin, end) of a picture's bytes, read in order a piece at a time: only one piece is
// held, and nothing past what the decoder has asked for is read.
class ByteStream {
public:
    static constexpr qint64 kPieceBytes = qint64(64) << 10;

    ByteStream(const PictureBytes& bytes, qint64 begin, qint64 end);

    // The next byte, or -1 at the end of the range or where the bytes could not be read.
    int next()
    {
        if (at_ == filled_ && !fill())
            return -1;
        return piece_[size_t(at_++)];
    }
    // Copies up to `count` bytes to `out`, or passes over them when `out` is null; how many.
    qint64 take(uchar* out, qint64 count);
    // Bytes taken so far.
    qint64 consumed() const { return pieceStart_ - begin_ + at_; }
    bool atEnd() const { return at_ == filled_ && pieceStart_ + filled_ >= end_; }

private:
    bool fill();

    const PictureBytes& bytes_;
    qint64 begin_;
    qint64 end_;
    std::vector<uchar> piece_;
    qint64 pieceStart_;
    qint64 filled_ = 0;
    qint64 at_ = 0;
    bool failed_ = false;
};

} // namespace kiv
