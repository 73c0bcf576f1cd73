// The archive reader on arbitrary bytes, driven the way a settings restore drives it: a version
// string, numbers, counted strings, blocks and text lines until the bytes run out or an error
// stops it. It must never read past the end nor allocate beyond the input.
#include "platform/ArchiveReader.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kiv::ArchiveReader reader(std::string_view(reinterpret_cast<const char*>(data), size));
    std::string line;
    reader.readString();
    while (reader.ok() && !reader.atEnd()) {
        const std::size_t before = reader.position();
        switch (reader.readUInt8() % 8) {
        case 0: reader.readString(); break;
        case 1: reader.readInt32(); break;
        case 2: reader.readDouble(); break;
        case 3: reader.readRect(); break;
        case 4: reader.readBytes(reader.readUInt16()); break;
        case 5: reader.readTextLine(line); break;
        case 6: reader.readFloat(); break;
        default: reader.skip(reader.readUInt8()); break;
        }
        if (reader.position() > size || reader.position() <= before)
            std::abort();
    }
    if (!reader.ok() && reader.error().isEmpty())
        std::abort();
    return 0;
}
