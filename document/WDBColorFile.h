#pragma once
// World Data Bank colour tables (*.col, "wdb.col"): 33 records of 8 bytes, little-endian, no
// header, 264 bytes in all. Record i at byte 8 i: a COLORREF (0x00BBGGRR, the top byte 0x02 for a
// palette-relative colour, kept as stored) and a signed 32-bit pen width.
//   0 the sea, 1..3 boundaries, 4..15 coasts, islands and lakes, 16..26 rivers and canals,
//   27..28 political boundaries, 29 grid lines, 30 grid text, 31 and 32 unused (kept).
// Reading ends at the first field that is not complete; a record's colour is 0 once its
// reading began.

#include "platform/AtomicFile.h"
#include "platform/ColorRef.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kiv {

inline constexpr int kWDBColorRecords = 33;
inline constexpr int kWDBColorFileBytes = kWDBColorRecords * 8;
inline constexpr int kWDBMaxPenWidth = 20;

struct WDBColorTable {
    std::array<COLORREF, kWDBColorRecords> colors{};
    std::array<std::int32_t, kWDBColorRecords> widths{};
    bool operator==(const WDBColorTable&) const = default;
};

// Sea blue, black coasts, blue rivers, red borders, grey grid and grid text, widths 1.
const WDBColorTable& defaultWDBColors();

// Reads up to `records` records into the table (the fields the bytes do not reach keep their
// values); returns the records read whole.
int readWDBColors(std::string_view bytes, WDBColorTable& table, int records = kWDBColorRecords);
QByteArray wdbColorBytes(const WDBColorTable& table);

// nullopt when the file cannot be opened; else the records read whole.
std::optional<int> loadWDBColorFile(const QString& path, WDBColorTable& table, int records = kWDBColorRecords);
WriteResult saveWDBColorFile(const QString& path, const WDBColorTable& table);

// A pen width as drawn: 0..kWDBMaxPenWidth.
int clampedPenWidth(std::int32_t width);

} // namespace kiv
