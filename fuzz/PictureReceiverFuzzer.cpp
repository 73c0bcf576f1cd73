// libFuzzer target: the receiver of a child's picture on any bytes in any pieces. The first byte
// sets the pixel limit (up to a megapixel), the second how the rest is cut into pieces. A picture
// comes out only for a stream of exactly a header and its rows within the limit.
#include "imaging/PictureReceiver.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const qint64 maxPixels = qint64(1) << (data[0] % 21);
    std::uint32_t cut = data[1];
    const QByteArrayView stream(data + 2, qsizetype(size - 2));
    kiv::PictureReceiver receiver(maxPixels);
    bool refused = false;
    for (qsizetype at = 0; at < stream.size();) {
        cut = cut * 1103515245U + 12345U;
        const qsizetype piece = std::min<qsizetype>(stream.size() - at, 1 + (cut >> 16) % 4096);
        const bool taken = receiver.take(stream.sliced(at, piece));
        if (refused && taken)
            __builtin_trap(); // a refused stream stays refused
        refused = refused || !taken;
        at += piece;
    }
    const QImage picture = receiver.picture();
    if (!picture.isNull()
        && (refused || qint64(picture.width()) * picture.height() > maxPixels
            || stream.size() != kiv::PictureReceiver::kHeaderSize + picture.sizeInBytes()))
        __builtin_trap();
    return 0;
}
