#pragma once
// The pictures inside an icon file. A directory entry names a side of at most 256 pixels (0
// meaning 256), but a PNG it points to carries its own header, and the decoder goes by that one:
// a few kilobytes of PNG may name a picture of many megapixels behind an entry of "256 x 256".
// The sides of embedded PNGs are therefore read from their own headers.

#include "imaging/PictureBytes.h"

namespace kiv::iconDirectory {

// The largest side a directory entry can name.
inline constexpr int kMaxSide = 256;

// Whether every PNG of the directory, by its own header, fits the sides an entry can name. What is
// not a whole PNG header is left to the decoder.
bool entriesNameable(const PictureBytes& bytes);

} // namespace kiv::iconDirectory
