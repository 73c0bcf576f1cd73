// libFuzzer target: the PCX reader on any bytes, on both routes.
#include "imaging/CPcxFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView bytes(data, qsizetype(size));
    const auto route = size % 2 ? kiv::Route::Display : kiv::Route::Stored;
    kiv::CPcxFile::decode(bytes, QStringLiteral("fuzz.pcx"), route);
    return 0;
}
