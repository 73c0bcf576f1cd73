// The World Data Bank colour table reader on arbitrary bytes: no crash, never more records than
// the bytes hold whole, and a table written out is complete and reads back the same.
#include "document/WDBColorFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    kiv::WDBColorTable table = kiv::defaultWDBColors();
    const int records = kiv::readWDBColors(bytes, table);
    if (records < 0 || records > kiv::kWDBColorRecords || static_cast<std::size_t>(records) * 8 > size)
        std::abort();
    for (const std::int32_t width : table.widths)
        if (kiv::clampedPenWidth(width) < 0 || kiv::clampedPenWidth(width) > kiv::kWDBMaxPenWidth)
            std::abort();
    const QByteArray written = kiv::wdbColorBytes(table);
    if (written.size() != kiv::kWDBColorFileBytes)
        std::abort();
    kiv::WDBColorTable again;
    if (kiv::readWDBColors(std::string_view(written.constData(), written.size()), again) !=
            kiv::kWDBColorRecords ||
        again != table)
        std::abort();
    return 0;
}
