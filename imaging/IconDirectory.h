#pragma once
// The pictures inside an icon or cursor file. A directory entry names a side of at most 256 pixels
// (0 meaning 256), but the picture it points to carries its own header, a PNG's or a bitmap's,
// and the decoder goes by that one: a few kilobytes of PNG may name a picture of many megapixels
// behind an entry of "256 x 256". The sides are therefore read from the embedded headers.

#include <QByteArrayView>

namespace kiv::iconDirectory {

// The largest side a directory entry can name.
inline constexpr int kMaxSide = 256;

// Whether every picture of the directory, by its own header, fits the sides an entry can name. A
// picture whose header cannot be read is left to the decoder, which refuses it.
bool entriesNameable(QByteArrayView bytes);

} // namespace kiv::iconDirectory
