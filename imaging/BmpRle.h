#pragma once
// Run-length encoded BMP pixel data (RLE8 and RLE4).

#include "imaging/PictureBytes.h"

#include <optional>
#include <vector>

namespace kiv {

// The most bytes an RLE8 or RLE4 encoding of a width x height picture takes. Every code but the
// end-of-bitmap mark moves the position on: a run or an absolute run writes at least one pixel
// for at most two bytes each, a delta skips at least one pixel or row for four bytes, an end of
// line moves to the next row for two. So by the time a valid stream has reached row y, column x,
// it has read at most 4 x ((width + 1) x y + x) bytes; the last code read from there, at most the
// longest code (an absolute run of 255 pixels: 258 bytes), ends it.
qint64 mostBmpRleBytes(int width, int height);

// Expands the stream into one byte per pixel, width bytes a row, rows in stored order (bottom row
// first). Pixels the stream skips (deltas, early ends of line or of the bitmap) stay 0; runs past
// the row's end are clipped, at the cost of a run inside it, and nothing is read past the data,
// nor past the mark or the run that completes the picture. Nothing when the data ends before the
// end-of-bitmap mark and before the last row is full, or when it has read more than a valid
// stream could have by its position. `pixelsWritten`, when given, counts the pixels written.
std::optional<std::vector<uchar>> expandBmpRle(ByteStream& data, int width, int height, int bitCount,
                                               qint64* pixelsWritten = nullptr);

} // namespace kiv
