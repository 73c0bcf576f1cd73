// Element-set files of any content: the readers stop cleanly, whatever the loader takes can be
// handed to the orbit library and propagated without a fault, and the records the satellite data
// dialog reads are written back into a file that reads as the same records.
#include "document/ElementFile.h"
#include "orbit/CSGP4_SDP4.h"
#include "platform/LineReader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void rewriteReadsTheSame(std::string_view bytes)
{
    kiv::LineReader lines(bytes, kiv::kElementFileMaxLine);
    const kiv::ElementFileRecords read = kiv::readElementRecords(lines);
    std::string text;
    for (const kiv::ElementRecord& record : read.records)
        kiv::appendElementRecord(text, record);
    kiv::LineReader again(text, kiv::kElementFileMaxLine);
    if (kiv::readElementRecords(again).records.size() != read.records.size())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    kiv::LineReader lines(bytes, kiv::kElementFileMaxLine);
    const kiv::ElementFileContent content = kiv::readElementFile(lines);
    for (const kiv::ElementLines& raw : content.records) {
        const kiv::ElementLines r = kiv::trimmedElementLines(raw.name, raw.line1, raw.line2);
        CSGP4_SDP4 orbit(r.name.c_str(), r.line1.c_str(), r.line2.c_str());
        const tagSATELLITE& s = *orbit.GetSatellite();
        for (const double days : {0.0, 0.37, -3.0, 400.0}) {
            if (orbit.SGP(s.epochJd + s.epochJdFraction + days))
                orbit.CalculateLatLonAlt(orbit.GetTime());
        }
    }
    rewriteReadsTheSame(bytes);
    return 0;
}
