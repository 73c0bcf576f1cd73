// The colour table reader on arbitrary bytes: no crash, clock colours always within 0..10, and
// a table written out is complete and reads back the same.
#include "document/ColorTableFile.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kiv::ColorTableRead read = kiv::readColorTable(std::string_view(reinterpret_cast<const char*>(data), size));
    if (read.slotsRead > kiv::kColorTableSlots || read.clockEntriesRead > kiv::kClockTables * kiv::kClockEntries)
        std::abort();
    for (const auto& clock : read.table.clockColors)
        for (const kiv::Rgba& entry : clock)
            for (float component : entry)
                if (!std::isfinite(component) || component < 0.0f || component > 10.0f)
                    std::abort();
    const kiv::ClockColorTables clocks = read.table.clockColors;
    const QByteArray written = kiv::colorTableBytes(read.table);
    if (read.table.clockColors != clocks || static_cast<std::size_t>(written.size()) != kiv::kColorTableBytes)
        std::abort();
    const kiv::ColorTableRead again =
        kiv::readColorTable(std::string_view(written.constData(), written.size()));
    if (again.table.slotColors != read.table.slotColors || again.table.clockColors != clocks)
        std::abort();
    return 0;
}
