#pragma once
// The common controls' image-list stream, as settings archives carry their icons: a 28-byte
// header ("IL", version, images in use, capacity, growth, image width and height, background
// colour, flags, four overlay indices), then the images tiled into one BMP, then, when the flags
// ask for a mask, a monochrome BMP of the same geometry (a set bit is transparent).
//
// Two tilings are read: version 0x0101 puts four images in a row, versions 0x06xx one. Depth and
// palette come from the BMP's info header, never from the flags. The writer writes version
// 0x0101 with 24-bit colour and a mask. Every length is computed, since the next archive item
// starts right after the last mask row.

#include "platform/ArchiveReader.h"
#include "platform/ArchiveWriter.h"

#include <QImage>
#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

namespace kiv {

struct ImageListRead {
    std::vector<QImage> images; // 32-bit ARGB, at most the number asked for
    int imageCount = 0;         // the images the stream holds
};

namespace imageList {

inline constexpr int kMaxImageSide = 256;

// Reads one image list at the reader's position and decodes at most maxImages of its images;
// the rest are checked and skipped. Nothing: the stream is malformed, and error says why (the
// reader may then stand anywhere).
std::optional<ImageListRead> read(ArchiveReader& reader, std::size_t maxImages, BilingualText& error);

// Writes the images (each scaled to 32 x 32; alpha below 128 is transparent) as a masked list
// that was made with room for `initialCapacity` images, as the common controls record it.
void write(ArchiveWriter& writer, const std::vector<QImage>& images, int initialCapacity);

} // namespace imageList
} // namespace kiv
