#pragma once
// BMP/DIB files with version 3 (40-byte) info headers: 1, 4, 8, 16, 24 and 32 bits per pixel,
// uncompressed, RLE8, RLE4 and bit fields, bottom-up or top-down.

#include "imaging/LoadResult.h"
#include "imaging/PictureBytes.h"

#include <QByteArrayView>
#include <QString>

namespace kiv {

// Decodes a BMP file, reading its header and then no more of it than its rows; `name` only goes
// into the messages.
LoadResult decodeBmp(const PictureBytes& file, const QString& name, Route route);
inline LoadResult decodeBmp(QByteArrayView file, const QString& name, Route route)
{
    return decodeBmp(PictureBytes(file), name, route);
}

// The message for a BMP file that could not be opened.
ReaderMessage bmpOpenFailure(const QString& name);

} // namespace kiv
