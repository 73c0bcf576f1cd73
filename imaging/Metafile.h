#pragma once
// Vector metafiles drawn into a picture: EMF through libemf2svg and WMF through libwmf, each turned
// into SVG first and drawn by QtSvg onto white at the metafile's own size.

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>

namespace kiv {

class Metafile {
public:
    // True for bytes that start like an EMF or a WMF (plain or with the placeable header).
    static bool recognises(QByteArrayView bytes);
    // The drawn picture; null when the metafile fails the checks of metafileCheck or cannot be
    // converted or drawn.
    static QImage render(QByteArrayView bytes);

private:
    static bool isEmf(QByteArrayView bytes);
    static QByteArray emfToSvg(QByteArrayView bytes);
    static QByteArray wmfToSvg(QByteArrayView bytes);
    static QImage renderSvg(const QByteArray& svg);
};

} // namespace kiv
