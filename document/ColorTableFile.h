#pragma once
// Colour table files (*.clr): the three colours of every satellite slot and the colours of the
// two 3D clocks. Binary, little-endian, no header, 3,476 bytes when complete:
//   0     255 records of three COLORREF: colour 0 (route), 1 (beam and footprint), 2 (satellite)
//   3060  two tables (UTC clock, local clock) of 13 entries of four floats (red, green, blue,
//         alpha); entry 0 is the clock's background
// A short file is read as far as it goes and whatever it lacks is 0, so a file of only the slot
// colours (as older versions and the default table have it) gives black clocks.

#include "platform/AtomicFile.h"
#include "platform/ColorRef.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

struct tagSATINFO;

namespace kiv {

inline constexpr int kColorTableSlots = 255;
inline constexpr int kClockTables = 2;
inline constexpr int kClockEntries = 13;
inline constexpr std::size_t kSlotColorBytes = kColorTableSlots * 3 * 4;
inline constexpr std::size_t kColorTableBytes = kSlotColorBytes + kClockTables * kClockEntries * 4 * 4;

using SlotColors = std::array<COLORREF, 3>;
using SlotColorTable = std::array<SlotColors, kColorTableSlots>;
using Rgba = std::array<float, 4>;
using ClockColorTables = std::array<std::array<Rgba, kClockEntries>, kClockTables>;

struct ColorTable {
    SlotColorTable slotColors{};
    ClockColorTables clockColors{};
};

struct ColorTableRead {
    ColorTable table;
    // Slot records and clock entries (both tables, in file order) of which the file held at
    // least one byte; a record cut short keeps the bytes it has.
    int slotsRead = 0;
    int clockEntriesRead = 0;
};

// Clock components that are not finite or lie outside 0..10 become 0.
void sanitizeClockColors(ClockColorTables& clocks);

// The clock colours come back sanitised, so that nothing downstream meets a NaN.
ColorTableRead readColorTable(std::string_view bytes);
// Sanitises the clock colours in the table first: memory and file agree afterwards.
QByteArray colorTableBytes(ColorTable& table);

// nullopt when the file cannot be opened. Reads no more than a complete table.
std::optional<ColorTableRead> loadColorTableFile(const QString& path);
WriteResult saveColorTableFile(const QString& path, ColorTable& table);

// The slot colours of a fresh installation, which the style dialogs also copy from.
const SlotColorTable& defaultSlotColors();

// The clock colours the time dialog resets a clock to, entry 0 (background) to 12.
const std::array<Rgba, kClockEntries>& defaultClockColors();

// The colour as OpenGL takes it: each byte / 255, alpha 1; the palette flag is ignored.
Rgba glColorOf(COLORREF color);
// Colour `kind` of a slot (0 route, 1 beam and footprint, 2 satellite) and its OpenGL colour;
// the OpenGL alpha stays as it was.
void setSlotColor(tagSATINFO& info, int kind, COLORREF color);

} // namespace kiv
