#pragma once
// BMP/DIB files with version 3 (40-byte) info headers: 1, 4, 8, 16, 24 and 32 bits per pixel,
// uncompressed, RLE8, RLE4 and bit fields, bottom-up or top-down.

#include "imaging/LoadResult.h"

#include <QByteArrayView>
#include <QString>

namespace kiv {

// Decodes a whole BMP file; `name` only goes into the messages.
LoadResult decodeBmp(QByteArrayView file, const QString& name, Route route);

// The message for a BMP file that could not be opened.
ReaderMessage bmpOpenFailure(const QString& name);

} // namespace kiv
