// The icon list reader on arbitrary bytes: no crash, every index one the icon table can hold,
// at most 254 names, and writing what was read is stable from the first write on.
#include "document/IconListFile.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

QByteArray rewritten(std::string_view bytes)
{
    const kiv::IconListRead read = kiv::readIconList(bytes);
    if (read.names.size() >= kiv::kIconEntries ||
        !std::all_of(read.indices.begin(), read.indices.end(),
                     [](int index) { return kiv::checkedIconIndex(index) == index; }))
        std::abort();
    kiv::IconNames names{};
    std::copy(read.names.begin(), read.names.end(), names.begin() + 1);
    return kiv::iconListBytes(read.indices, names);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray once = rewritten(std::string_view(reinterpret_cast<const char*>(data), size));
    const QByteArray twice = rewritten(std::string_view(once.constData(), once.size()));
    if (once != twice)
        std::abort();
    return 0;
}
