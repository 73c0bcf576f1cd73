#pragma once
// One memory budget for every picture, whichever reader decodes it, over its whole route: the
// finished bitmap together with every buffer the reader holds beside it at the same time, and
// afterwards the bitmap together with what the route makes of it, take at most kBytes. A reader
// works out that peak from the picture's sides before it allocates anything large and refuses a
// picture beyond it, so that a few bytes naming a huge picture cost nothing. The budget holds a
// true-colour picture of 64 megapixels (8192 x 8192, 16384 x 4096) on every route.
//
// The file's bytes are part of the route. Readers read a file a piece and a row at a time
// (PictureBytes), never whole, and nothing past what the picture's format uses: those pieces are
// a few kilobytes whatever the picture, and are left out as any buffer of fixed size. Bytes that
// a reader does hold whole, a metafile's for its child, are counted before they are read.

#include "imaging/Bitmap.h"
#include "imaging/ReaderMessage.h"
#include "platform/TextureSide.h"

#include <QImage>
#include <QPixelFormat>

#include <algorithm>

namespace kiv::pictureBudget {

inline constexpr qint64 kMebibytes = 512;
inline constexpr qint64 kBytes = kMebibytes << 20;

inline bool admits(qint64 peakBytes)
{
    return peakBytes <= kBytes;
}

// Bytes of a QImage of these sides and format: rows padded to 32 bits.
inline qint64 imageBytes(qint64 width, qint64 height, QImage::Format format)
{
    const qint64 bits = QImage::toPixelFormat(format).bitsPerPixel();
    return (width * bits + 31) / 32 * 4 * height;
}

// GL's copy of a picture as the globe's texture: sides fitted to powers of two no larger than the
// picture's (plus one), and four bytes a texel, as GL keeps RGB textures.
inline qint64 textureBytes(qint64 width, qint64 height)
{
    constexpr qint64 kAnySide = qint64(1) << 62;
    return textureSide(width, kAnySide) * textureSide(height, kAnySide) * 4;
}

// The peak of a picture's whole route: the reader's own peak (bitmap included), or on the stored
// route, which ends as the globe's texture, the bitmap beside GL's copy of it when that is more.
inline qint64 routePeak(qint64 readerPeak, qint64 bitmapBytes, qint64 width, qint64 height, Route route)
{
    if (route == Route::Display)
        return readerPeak;
    return std::max(readerPeak, bitmapBytes + textureBytes(width, height));
}

// A metafile names only its frame, and is drawn scaled down to at most this many pixels. The
// drawn picture arrives as 32 bits a pixel, beside the metafile's bytes until it has arrived, and
// may then be kept as 24: both fit the budget together.
inline constexpr qint64 kMetafilePixels = 64'000'000;
static_assert(kMetafilePixels * (4 + 3) <= kBytes);

// The peak of a metafile's bytes beside its drawn picture.
inline qint64 metafilePeak(qint64 fileBytes)
{
    return fileBytes + kMetafilePixels * 4;
}

// The helper that draws a metafile (kiv-metafile) runs with the budget as its address space. It
// needs, as bench/metafile_limit.py measures: about 80 MiB before it reads anything, the drawn
// picture at 4 bytes a pixel, and up to about 130 bytes for each byte of the metafile (the SVG the
// converter writes and the drawing's tree made from it; text and line records cost most). So a
// metafile may take as many bytes as leave that room at the largest picture, with a margin.
inline constexpr qint64 kMetafileHelperBaseBytes = qint64(96) << 20;
inline constexpr qint64 kMetafileHelperBytesPerByte = 160;
inline constexpr qint64 kMetafileBytes =
    (kBytes - kMetafileHelperBaseBytes - kMetafilePixels * 4) / kMetafileHelperBytesPerByte;
static_assert(kMetafileBytes > 1'000'000);

// Whether a metafile of this many bytes is drawn within the helper's limits and fits the budget
// beside its drawn picture.
inline bool admitsMetafile(qint64 fileBytes)
{
    return fileBytes <= kMetafileBytes && admits(metafilePeak(fileBytes));
}

// What the limit is, for the readers' messages.
inline QString limitText()
{
    return QStringLiteral("a picture may take at most %1 MiB").arg(kMebibytes);
}

} // namespace kiv::pictureBudget
