#pragma once
// Vector metafiles drawn into a picture: EMF through libemf2svg and WMF through libwmf, each turned
// into SVG first and drawn by QtSvg onto white at the metafile's own size, or scaled down to the
// pixel budget when that size is larger. The libraries trust the file's counts, so this runs only
// in the helper program kiv-metafile, in a child process under limits (MetafileChild), and in
// the fuzz target that tries it under the same limits.

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QSize>

namespace kiv {

class Metafile {
public:
    // The drawn picture, 32-bit RGB; null when the metafile fails the checks of metafileCheck or
    // cannot be converted or drawn.
    static QImage render(QByteArrayView bytes);
    // The size a frame is drawn at: its own, or scaled down, keeping its aspect, to at most
    // pictureBudget::kMetafilePixels and to sides a picture may have. A few bytes of metafile can
    // name a frame of any size.
    static QSize drawnSize(QSize frame);

private:
    static QByteArray emfToSvg(QByteArrayView bytes);
    static QByteArray wmfToSvg(QByteArrayView bytes);
    static QImage renderSvg(const QByteArray& svg);
};

} // namespace kiv
