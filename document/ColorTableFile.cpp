#include "document/ColorTableFile.h"
#include "document/tagSATINFO.h"

#include "platform/ArchiveReader.h"
#include "platform/ArchiveWriter.h"
#include "platform/ReadableFile.h"

#include <QFile>

#include <algorithm>
#include <cmath>
#include <string>

namespace kiv {

namespace {

constexpr std::size_t kSlotRecordBytes = 3 * 4;
constexpr std::size_t kClockEntryBytes = 4 * 4;

constexpr int recordsTouched(std::size_t bytes, std::size_t recordBytes)
{
    return static_cast<int>((bytes + recordBytes - 1) / recordBytes);
}

// Two thirds of the way to white: the lighter companion of a route colour for beams and
// footprints, as the first rows of the table pair them.
constexpr COLORREF lighter(COLORREF color)
{
    constexpr auto lift = [](int value) { return value + (255 - value) * 2 / 3; };
    return kiv::rgb(lift(kiv::redOf(color)), lift(kiv::greenOf(color)),
                         lift(kiv::blueOf(color)));
}

// Route colours for the slots after the first five, chosen so that neighbouring slots differ
// in hue and every colour stands out on the dark map and on space.
constexpr std::array kRouteCycle = {
    kiv::rgb(0, 255, 255),   // cyan
    kiv::rgb(255, 128, 0),   // orange
    kiv::rgb(96, 96, 255),   // blue violet
    kiv::rgb(160, 255, 0),   // lime
    kiv::rgb(255, 64, 160),  // rose
    kiv::rgb(0, 144, 255),   // azure
    kiv::rgb(255, 210, 0),   // gold
    kiv::rgb(176, 64, 255),  // purple
    kiv::rgb(0, 255, 144),   // spring green
    kiv::rgb(255, 96, 80),   // coral
};

constexpr COLORREF kPaletteWhite = 0x02FFFFFF;

constexpr SlotColorTable makeDefaultSlotColors()
{
    SlotColorTable table{};
    table[0] = {0x00FF00FF, 0x00FF9FFF, kPaletteWhite};
    table[1] = {0x020000FF, 0x008080FF, kPaletteWhite};
    table[2] = {0x00400080, 0x000000B0, kPaletteWhite};
    table[3] = {0x0000FFFF, 0x00B7FFFF, kPaletteWhite};
    table[4] = {0x0000FF00, 0x00AAFFAA, 0x00FFFFFF};
    for (std::size_t slot = 5; slot < table.size(); ++slot) {
        const COLORREF route = kRouteCycle[(slot - 5) % kRouteCycle.size()];
        table[slot] = {route, lighter(route), kPaletteWhite};
    }
    return table;
}

constexpr SlotColorTable kDefaultSlotColors = makeDefaultSlotColors();

constexpr std::array<Rgba, kClockEntries> kDefaultClockColors = {{
    {0.0f, 0.0f, 0.0f, 1.0f}, // background
    {0.8f, 0.8f, 0.2f, 1.0f}, // hour gear
    {0.4f, 0.4f, 0.4f, 1.0f}, // hour bar
    {0.8f, 0.2f, 0.2f, 1.0f}, // minute gear
    {0.4f, 0.4f, 0.4f, 1.0f}, // minute bar
    {0.8f, 0.2f, 0.2f, 1.0f}, // hour-minute gear
    {0.2f, 0.2f, 0.8f, 0.5f}, // minute-hour gear
    {0.2f, 0.2f, 0.2f, 1.0f}, // minute-hour bar
    {0.2f, 0.8f, 0.2f, 1.0f}, // pointer base
    {0.2f, 0.8f, 0.2f, 1.0f}, // pointer bar
    {0.2f, 0.8f, 0.2f, 1.0f}, // pointer
    {0.8f, 0.2f, 0.2f, 1.0f}, // face points
    {0.4f, 0.1f, 0.4f, 0.7f}, // face
}};

} // namespace

void sanitizeClockColors(ClockColorTables& clocks)
{
    for (auto& table : clocks)
        for (Rgba& entry : table)
            for (float& component : entry)
                if (!std::isfinite(component) || component < 0.0f || component > 10.0f)
                    component = 0.0f;
}

ColorTableRead readColorTable(std::string_view bytes)
{
    const std::size_t present = std::min(bytes.size(), kColorTableBytes);
    // Reading a zero-padded copy gives the missing parts 0 and keeps the bytes of a record cut
    // short, as reading the file record by record would.
    std::string padded(bytes.substr(0, present));
    padded.resize(kColorTableBytes, '\0');
    kiv::ArchiveReader reader(padded);

    ColorTableRead result;
    for (SlotColors& slot : result.table.slotColors)
        for (COLORREF& color : slot)
            color = reader.readUInt32();
    for (auto& table : result.table.clockColors)
        for (Rgba& entry : table)
            for (float& component : entry)
                component = reader.readFloat();
    sanitizeClockColors(result.table.clockColors);

    const std::size_t slotBytes = std::min(present, kSlotColorBytes);
    result.slotsRead = recordsTouched(slotBytes, kSlotRecordBytes);
    result.clockEntriesRead = recordsTouched(present - slotBytes, kClockEntryBytes);
    return result;
}

QByteArray colorTableBytes(ColorTable& table)
{
    sanitizeClockColors(table.clockColors);
    kiv::ArchiveWriter writer;
    for (const SlotColors& slot : table.slotColors)
        for (COLORREF color : slot)
            writer.writeUInt32(color);
    for (const auto& clock : table.clockColors)
        for (const Rgba& entry : clock)
            for (float component : entry)
                writer.writeFloat(component);
    return writer.bytes();
}

std::optional<ColorTableRead> loadColorTableFile(const QString& path)
{
    QFile file;
    if (!kiv::ReadableFile(path).handTo(file))
        return std::nullopt;
    const QByteArray bytes = file.read(static_cast<qint64>(kColorTableBytes));
    return readColorTable(std::string_view(bytes.constData(), bytes.size()));
}

kiv::WriteResult saveColorTableFile(const QString& path, ColorTable& table)
{
    return kiv::AtomicFile::write(path, colorTableBytes(table));
}

const SlotColorTable& defaultSlotColors()
{
    return kDefaultSlotColors;
}

const std::array<Rgba, kClockEntries>& defaultClockColors()
{
    return kDefaultClockColors;
}

Rgba glColorOf(COLORREF color)
{
    constexpr auto unit = [](int byte) { return static_cast<float>(byte / 255.0); };
    return {unit(kiv::redOf(color)), unit(kiv::greenOf(color)), unit(kiv::blueOf(color)), 1.0f};
}

void setSlotColor(tagSATINFO& info, int kind, COLORREF color)
{
    if (kind < 0 || kind > 2)
        return;
    info.color[kind] = color;
    const Rgba gl = glColorOf(color);
    std::copy(gl.begin(), gl.begin() + 3, info.glColor[kind]);
}

} // namespace kiv
