#include "document/ColorTableFile.h"
#include "document/FileMessages.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

using namespace kiv;

namespace {

// Little-endian decoding of our own, so that the layout is checked independently of the codec.
std::uint32_t u32At(const QByteArray& bytes, std::size_t offset)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[static_cast<qsizetype>(offset) + i]);
    return value;
}

float floatAt(const QByteArray& bytes, std::size_t offset)
{
    const std::uint32_t bits = u32At(bytes, offset);
    float value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Every colour and clock component distinct; palette flags on some colours.
ColorTable distinctTable()
{
    ColorTable table;
    for (std::size_t s = 0; s < table.slotColors.size(); ++s)
        for (std::size_t k = 0; k < 3; ++k)
            table.slotColors[s][k] = (s % 2 ? 0x02000000u : 0u) | static_cast<COLORREF>(s << 8 | (k + 1));
    float value = 0.0f;
    for (auto& clock : table.clockColors)
        for (Rgba& entry : clock)
            for (float& component : entry)
                component = (value += 0.0625f);
    return table;
}

ColorTableRead read(const QByteArray& bytes)
{
    return readColorTable(bytes.toStdString());
}

} // namespace

TEST(ColorTableFile, CompleteTableHasTheStoredLayoutAndRoundTrips)
{
    ColorTable table = distinctTable();
    const QByteArray bytes = colorTableBytes(table);
    ASSERT_EQ(bytes.size(), 3476);
    for (std::size_t s = 0; s < 255; ++s)
        for (std::size_t k = 0; k < 3; ++k)
            ASSERT_EQ(u32At(bytes, 12 * s + 4 * k), table.slotColors[s][k]) << "slot " << s << " colour " << k;
    for (std::size_t t = 0; t < 2; ++t)
        for (std::size_t e = 0; e < 13; ++e)
            for (std::size_t c = 0; c < 4; ++c)
                ASSERT_EQ(floatAt(bytes, 3060 + 208 * t + 16 * e + 4 * c), table.clockColors[t][e][c]);
    EXPECT_EQ(u32At(bytes, 12), 0x02000101u) << "the palette flag is kept";

    const ColorTableRead again = read(bytes);
    EXPECT_EQ(again.table.slotColors, table.slotColors);
    EXPECT_EQ(again.table.clockColors, table.clockColors);
    EXPECT_EQ(again.slotsRead, 255);
    EXPECT_EQ(again.clockEntriesRead, 26);
    EXPECT_EQ(read(bytes + QByteArray(100, 'x')).table.slotColors, table.slotColors) << "trailing bytes are ignored";
}

TEST(ColorTableFile, ShortFilesReadAsFarAsTheyGo)
{
    ColorTable table = distinctTable();
    const QByteArray bytes = colorTableBytes(table);

    const ColorTableRead slotsOnly = read(bytes.left(3060));
    EXPECT_EQ(slotsOnly.table.slotColors, table.slotColors);
    EXPECT_EQ(slotsOnly.table.clockColors, ClockColorTables{}) << "black clocks, alpha 0 too";
    EXPECT_EQ(slotsOnly.slotsRead, 255);
    EXPECT_EQ(slotsOnly.clockEntriesRead, 0);

    const ColorTableRead hundred = read(bytes.left(100));
    for (std::size_t s = 0; s < 8; ++s)
        EXPECT_EQ(hundred.table.slotColors[s], table.slotColors[s]);
    EXPECT_EQ(hundred.table.slotColors[8], (SlotColors{table.slotColors[8][0], 0, 0})) << "a cut record keeps its bytes";
    EXPECT_EQ(hundred.table.slotColors[9], SlotColors{});
    EXPECT_EQ(hundred.slotsRead, 9);

    const ColorTableRead partClock = read(bytes.left(3060 + 20));
    EXPECT_EQ(partClock.table.clockColors[0][0], table.clockColors[0][0]);
    EXPECT_EQ(partClock.table.clockColors[0][1], (Rgba{table.clockColors[0][1][0], 0, 0, 0}));
    EXPECT_EQ(partClock.table.clockColors[1], ClockColorTables{}[1]);
    EXPECT_EQ(partClock.clockEntriesRead, 2);

    const ColorTableRead empty = read({});
    EXPECT_EQ(empty.table.slotColors, SlotColorTable{});
    EXPECT_EQ(empty.slotsRead + empty.clockEntriesRead, 0);
}

TEST(ColorTableFile, ClockComponentsOutsideZeroToTenBecomeZeroInMemoryAndFile)
{
    ColorTable table;
    const float inf = std::numeric_limits<float>::infinity();
    table.clockColors[0][0] = {12.5f, 10.0f, 0.0f, -0.5f};
    table.clockColors[1][12] = {std::nanf(""), inf, -inf, 0.25f};
    const QByteArray bytes = colorTableBytes(table);
    EXPECT_EQ(table.clockColors[0][0], (Rgba{0.0f, 10.0f, 0.0f, 0.0f}));
    EXPECT_EQ(table.clockColors[1][12], (Rgba{0.0f, 0.0f, 0.0f, 0.25f}));
    EXPECT_EQ(floatAt(bytes, 3060), 0.0f);
    EXPECT_EQ(floatAt(bytes, 3064), 10.0f);
    EXPECT_EQ(read(bytes).table.clockColors, table.clockColors);

    // A file written elsewhere with such values reads sanitised, so no NaN reaches a dialog.
    QByteArray foreign = bytes;
    const float bad[] = {12.5f, std::nanf("")};
    std::memcpy(foreign.data() + 3060, bad, sizeof bad);
    EXPECT_EQ(read(foreign).table.clockColors[0][0], (Rgba{0.0f, 0.0f, 0.0f, 0.0f}));
}

TEST(ColorTableFile, DefaultsAndGlColours)
{
    const SlotColorTable& defaults = defaultSlotColors();
    EXPECT_EQ(defaults[0], (SlotColors{0x00FF00FF, 0x00FF9FFF, 0x02FFFFFF}));
    EXPECT_EQ(defaults[1], (SlotColors{0x020000FF, 0x008080FF, 0x02FFFFFF}));
    EXPECT_EQ(defaults[2], (SlotColors{0x00400080, 0x000000B0, 0x02FFFFFF}));
    EXPECT_EQ(defaults[3], (SlotColors{0x0000FFFF, 0x00B7FFFF, 0x02FFFFFF}));
    EXPECT_EQ(defaults[4], (SlotColors{0x0000FF00, 0x00AAFFAA, 0x00FFFFFF}));
    for (std::size_t s = 5; s < defaults.size(); ++s) {
        const SlotColors& row = defaults[s];
        EXPECT_NE(row[0] & 0xFFFFFF, defaults[s - 1][0] & 0xFFFFFF) << "slot " << s << " looks like its neighbour";
        EXPECT_NE(row[0] & 0xFFFFFF, 0u) << "no black route in slot " << s;
        EXPECT_EQ(row[2] & 0xFFFFFF, 0xFFFFFFu) << "satellites are white";
        for (int shift : {0, 8, 16})
            EXPECT_GE((row[1] >> shift) & 0xFF, (row[0] >> shift) & 0xFF) << "beams are lighter, slot " << s;
    }
    EXPECT_EQ(defaultClockColors()[6], (Rgba{0.2f, 0.2f, 0.8f, 0.5f}));

    const Rgba gl = glColorOf(0x024080FF);
    EXPECT_EQ(gl, (Rgba{1.0f, static_cast<float>(128 / 255.0), static_cast<float>(64 / 255.0), 1.0f}));
    EXPECT_EQ(glColorOf(0x004080FF), gl) << "the palette flag does not change the colour";
}

TEST(ColorTableFile, FilesOnDisk)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kiv.clr"));
    EXPECT_FALSE(loadColorTableFile(path)) << "a missing file is told apart from an empty one";

    ColorTable table = distinctTable();
    ASSERT_TRUE(saveColorTableFile(path, table));
    const std::optional<ColorTableRead> loaded = loadColorTableFile(path);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->table.slotColors, table.slotColors);
    EXPECT_EQ(loaded->table.clockColors, table.clockColors);

    const QString blocked = dir.filePath(QStringLiteral("kiv.clr/inside.clr"));
    const kiv::WriteResult failed = saveColorTableFile(blocked, table);
    ASSERT_FALSE(failed);
    const kiv::MessageRequest german = fileMessages::couldNotWrite(false, failed);
    EXPECT_EQ(german.caption, QStringLiteral("Achtung"));
    EXPECT_TRUE(german.text.startsWith(blocked + QStringLiteral(" konnte nicht geschrieben werden: "))) << german.text.toStdString();
    EXPECT_EQ(german.text.count(QStringLiteral("geschrieben")), 1) << "said once";
    EXPECT_EQ(fileMessages::colorTableNotFound(true, QStringLiteral("a.clr")).text,
              QStringLiteral("Sorry could'nt find the colortablefile a.clr."));
}
