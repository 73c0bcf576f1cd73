#pragma once
// PCX pictures: monochrome (1 plane of 1 bit), 16 colours (4 planes of 1 bit), 256 colours
// (1 plane of 8 bits, palette at the end of the file) and true colour (3 planes of 8 bits),
// run-length encoded or raw. The file is read a line at a time as the bitmap is made.

#include "imaging/CGraphicFile.h"
#include "imaging/PictureBytes.h"

#include <QByteArrayView>

#include <vector>

namespace kiv {

class CPcxFile : public CGraphicFile {
public:
    bool Load(const QString& fileName) override;

    static LoadResult decode(const PictureBytes& file, const QString& name, Route route);
    static LoadResult decode(QByteArrayView file, const QString& name, Route route)
    {
        return decode(PictureBytes(file), name, route);
    }
    // Expands PCX run-length data into `out`, stopping at the end of either; returns the bytes written.
    static qsizetype decodeRle(QByteArrayView in, std::vector<uchar>& out);
};

} // namespace kiv
