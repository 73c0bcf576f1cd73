// libFuzzer target: the BMP reader on any bytes, on both routes.
#include "imaging/BmpReader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const auto route = size % 2 ? imaging::Route::Display : imaging::Route::Stored;
    imaging::decodeBmp(bytes, QStringLiteral("fuzz.bmp"), route);
    return 0;
}
