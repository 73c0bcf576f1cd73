#pragma once
// Where the document and the views get their pictures from files: the maps of the flat views
// and the globe's earth texture. The application hands the one implementation (the picture
// loader of imaging/) to the document, so that neither the document nor the views link the
// image readers.

#include <QImage>
#include <QString>

namespace kiv {

enum class PictureUse {
    // A background map, on the display route (device-independent bitmap). A file that cannot be
    // read gives the standard texture after the reader's messages.
    Map,
    // The globe's texture, on the stored route (the file's own depth). A missing file gives the
    // standard texture silently; one that is there but cannot be read, after the messages.
    Texture,
    // A picture laid over a map (the weather picture), on the display route. A file that cannot
    // be read gives a null picture after the reader's messages: no standard texture stands in.
    Overlay,
};

class PictureSource {
public:
    virtual ~PictureSource() = default;
    // Never a null picture for a map or a texture: the standard texture stands in for a file that
    // cannot be used.
    virtual QImage load(const QString& fileName, PictureUse use) = 0;
};

} // namespace kiv
