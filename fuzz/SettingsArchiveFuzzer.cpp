// The settings archive parser on arbitrary bytes, both layouts, and the icons' image-list stream
// on its own. Whatever the input, parsing ends with a snapshot whose counts are within bounds or
// with an error text; it never reads past the end nor allocates beyond the input.
#include "document/ImageListStream.h"
#include "document/SettingsArchive.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const kiv::settingsArchive::ParseResult result = kiv::settingsArchive::parse(bytes, kiv::SettingsSnapshot{});
    if (result.snapshot) {
        const kiv::SettingsSnapshot& s = *result.snapshot;
        if (s.satellites.size() > 255 || (s.wdb && s.wdb->views.size() > 9) || s.images.size() > s.icons.size())
            std::abort();
        for (const kiv::ArchiveSatellite& sat : s.satellites)
            if (s.hasIcons && (sat.iconIndex < 0 || sat.iconIndex > static_cast<int>(s.icons.size())))
                std::abort();
    } else if (result.errorText.isEmpty()) {
        std::abort();
    }
    kiv::ArchiveReader reader(bytes);
    kiv::BilingualText error;
    if (!kiv::imageList::read(reader, 255, error) && error.isEmpty())
        std::abort();
    return 0;
}
