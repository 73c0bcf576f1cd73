#pragma once
// Little-endian TIFF files, uncompressed or PackBits: bilevel, 4- and 8-bit grey or palette, and
// 8-bit RGB. Every page is read and the last one kept, as the reader always has. The file is read
// a directory and a row at a time: the kept page's rows as its bitmap is made, the other pages'
// rows only to see that they are whole.

#include "imaging/CGraphicFile.h"
#include "imaging/PictureBytes.h"

#include <QByteArrayView>

namespace kiv {

class CTiffFile : public CGraphicFile {
public:
    // A file names at most this many pages; the chain of directories stops there.
    static constexpr int kMaxPages = 64;

    bool Load(const QString& fileName) override;

    static LoadResult decode(const PictureBytes& file, const QString& name, Route route);
    static LoadResult decode(QByteArrayView file, const QString& name, Route route)
    {
        return decode(PictureBytes(file), name, route);
    }

    struct Unpacked {
        qsizetype consumed; // input bytes used
        qsizetype produced; // output bytes written
    };
    // Expands PackBits data into out[0, target); stops at the end of the input or the output, or
    // once the input is longer than a valid encoding of the output could be (2 x target + 128).
    static Unpacked unpackBits(QByteArrayView in, uchar* out, qsizetype target);
    // The same from a stream; the bytes written.
    static qsizetype unpackBits(ByteStream& in, uchar* out, qsizetype target);
};

} // namespace kiv
