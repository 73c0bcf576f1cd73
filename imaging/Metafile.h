#pragma once
// Vector metafiles drawn into a picture: EMF through libemf2svg and WMF through libwmf, each turned
// into SVG first and drawn by QtSvg onto white at the metafile's own size, or scaled down to the
// pixel budget when that size is larger.

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QSize>

namespace kiv {

class Metafile {
public:
    // True for bytes that start like an EMF or a WMF (plain or with the placeable header).
    static bool recognises(QByteArrayView bytes);
    // The drawn picture; null when the metafile fails the checks of metafileCheck or cannot be
    // converted or drawn.
    static QImage render(QByteArrayView bytes);
    // The size a frame is drawn at: its own, or scaled down, keeping its aspect, to at most
    // kMaxPixels. A few bytes of metafile can name a frame of the largest allowed sides.
    static constexpr qint64 kMaxPixels = 64'000'000;
    static QSize drawnSize(QSize frame);

private:
    static bool isEmf(QByteArrayView bytes);
    static QByteArray emfToSvg(QByteArrayView bytes);
    static QByteArray wmfToSvg(QByteArrayView bytes);
    static QImage renderSvg(const QByteArray& svg);
};

} // namespace kiv
