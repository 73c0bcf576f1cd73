#pragma once
// Run-length encoded BMP pixel data (RLE8 and RLE4).

#include "imaging/PictureBytes.h"

#include <optional>
#include <vector>

namespace kiv {

// Expands the stream into one byte per pixel, width bytes a row, rows in stored order (bottom row
// first). Pixels the stream skips (deltas, early ends of line or of the bitmap) stay 0; runs past
// the row's end are clipped, and nothing is read past the data, nor past the mark or the run that
// completes the picture. Nothing when the data ends before the end-of-bitmap mark and before the
// last row is full.
std::optional<std::vector<uchar>> expandBmpRle(ByteStream& data, int width, int height, int bitCount);

} // namespace kiv
