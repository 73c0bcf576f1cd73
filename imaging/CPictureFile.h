#pragma once
// Pictures the program does not parse itself: JPEG, GIF, ICO and BMP through Qt's image readers,
// EMF and WMF through the metafile renderer, and the program's own "Image" resources (the splash).
// The format is decided by the content; one that is not on the list is refused without a word,
// so a PNG renamed to .jpg fails like any other picture the decoder does not take. Qt's decoders
// read the file as they decode it; a metafile, which its child process takes whole, is read as far
// as its header says it goes, and those bytes are counted in the budget before they are read.

#include "imaging/CGraphicFile.h"
#include "imaging/PictureBytes.h"

#include <QByteArrayView>

namespace kiv {

class CPictureFile : public CGraphicFile {
public:
    bool Load(const QString& fileName) override;
    virtual bool LoadImageResource(int id);

    // A null bitmap when the decoder does not take the bytes; a message only for a picture beyond
    // the memory budget.
    static LoadResult decode(const PictureBytes& bytes, Route route);
    static LoadResult decode(QByteArrayView bytes, Route route) { return decode(PictureBytes(bytes), route); }
};

} // namespace kiv
