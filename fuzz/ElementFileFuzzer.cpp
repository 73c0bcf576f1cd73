// Element-set files of any content: the reader stops cleanly, and whatever it returns can be
// handed to the orbit library and propagated without a fault.
#include "document/ElementFile.h"
#include "orbit/CSGP4_SDP4.h"
#include "platform/LineReader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

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
    return 0;
}
