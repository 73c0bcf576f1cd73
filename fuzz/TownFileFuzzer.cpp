// The town list reader on arbitrary bytes: no crash, no negative population, and writing what
// was read is stable from the first write on (names lose their separators once).
#include "document/TownFile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

std::vector<tagTOWN> towns(std::string_view bytes)
{
    std::vector<tagTOWN> read = kiv::readTowns(bytes);
    for (const tagTOWN& town : read)
        if (town.population < 0)
            std::abort();
    return read;
}

std::string_view view(const QByteArray& bytes)
{
    return std::string_view(bytes.constData(), bytes.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<tagTOWN> first = towns(std::string_view(reinterpret_cast<const char*>(data), size));
    const QByteArray once = kiv::townFileBytes(first);
    const std::vector<tagTOWN> second = towns(view(once));
    if (second.size() != first.size() || kiv::townFileBytes(second) != once)
        std::abort();
    return 0;
}
