#pragma once
// A drawn picture as it comes back from a child process: a header of three little-endian words
// (the mark "KIVP", the width and the height), then the rows of a 32-bit RGB picture, top row
// first, four bytes a pixel without padding. The receiver takes the bytes as they arrive and
// writes the rows straight into the picture, so that the picture is the only large block; a
// header beyond the pixel limit, or one byte too many, ends the transfer.

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QSize>

namespace kiv {

class PictureReceiver {
public:
    explicit PictureReceiver(qint64 maxPixels) : maxPixels_(maxPixels) {}

    // False when the bytes cannot be (part of) such a picture: the sender is to be stopped.
    bool take(QByteArrayView bytes);
    // The picture when it came whole, else a null one.
    QImage picture() const;

    // What the sender writes before the rows.
    static QByteArray header(QSize size);
    static constexpr qsizetype kHeaderSize = 12;

private:
    bool startPicture();

    qint64 maxPixels_;
    QByteArray header_;
    QImage picture_;
    qsizetype received_ = 0; // bytes of rows
    bool broken_ = false;
};

} // namespace kiv
