// libFuzzer target: the BMP reader on any bytes, on both routes.
#include "imaging/BmpReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const auto route = size % 2 ? kiv::Route::Display : kiv::Route::Stored;
    kiv::decodeBmp(bytes, QStringLiteral("fuzz.bmp"), route);
    return 0;
}
