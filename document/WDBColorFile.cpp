#include "document/WDBColorFile.h"

#include "platform/ReadableFile.h"

#include <QFile>

#include <algorithm>

namespace kiv {

namespace {

WDBColorTable makeDefaults()
{
    WDBColorTable t;
    t.widths.fill(1);
    t.colors[0] = rgb(40, 80, 150); // sea
    for (int i = 1; i <= 3; ++i)
        t.colors[i] = rgb(200, 0, 0); // boundaries
    for (int i = 4; i <= 15; ++i)
        t.colors[i] = rgb(0, 0, 0); // coasts, islands, lakes
    t.colors[8] = t.colors[9] = rgb(0, 0, 160);               // lakes
    t.colors[13] = t.colors[14] = t.colors[15] = rgb(255, 255, 255); // ice
    for (int i = 16; i <= 26; ++i)
        t.colors[i] = rgb(0, 90, 255); // rivers and canals
    t.colors[27] = t.colors[28] = rgb(255, 60, 60);              // political boundaries
    t.colors[29] = rgb(128, 128, 128);                            // grid
    t.colors[30] = rgb(192, 192, 192);                            // grid text
    return t;
}

std::uint32_t le32(const char* p)
{
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint32_t>(u[0]) | static_cast<std::uint32_t>(u[1]) << 8 | static_cast<std::uint32_t>(u[2]) << 16 |
           static_cast<std::uint32_t>(u[3]) << 24;
}

void putLe32(QByteArray& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

} // namespace

const WDBColorTable& defaultWDBColors()
{
    static const WDBColorTable table = makeDefaults();
    return table;
}

int readWDBColors(std::string_view bytes, WDBColorTable& table, int records)
{
    records = std::clamp(records, 0, kWDBColorRecords);
    std::size_t at = 0;
    for (int i = 0; i < records; ++i) {
        const auto n = static_cast<std::size_t>(i);
        table.colors[n] = 0;
        if (bytes.size() - at < 4)
            return i;
        table.colors[n] = le32(bytes.data() + at);
        at += 4;
        if (bytes.size() - at < 4)
            return i;
        table.widths[n] = static_cast<std::int32_t>(le32(bytes.data() + at));
        at += 4;
    }
    return records;
}

QByteArray wdbColorBytes(const WDBColorTable& table)
{
    QByteArray out;
    out.reserve(kWDBColorFileBytes);
    for (int i = 0; i < kWDBColorRecords; ++i) {
        putLe32(out, table.colors[i]);
        putLe32(out, static_cast<std::uint32_t>(table.widths[i]));
    }
    return out;
}

std::optional<int> loadWDBColorFile(const QString& path, WDBColorTable& table, int records)
{
    QFile file;
    if (!ReadableFile(path).handTo(file))
        return std::nullopt;
    const QByteArray bytes = file.read(kWDBColorFileBytes);
    return readWDBColors(std::string_view(bytes.constData(), bytes.size()), table, records);
}

WriteResult saveWDBColorFile(const QString& path, const WDBColorTable& table)
{
    return AtomicFile::write(path, wdbColorBytes(table));
}

int clampedPenWidth(std::int32_t width) { return std::clamp<std::int32_t>(width, 0, kWDBMaxPenWidth); }

} // namespace kiv
