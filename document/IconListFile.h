#pragma once
// Icon list files (*.sin): the icon of every satellite slot and the icon files of the icon
// table. 255 signed 4-byte little-endian indices into the icon table, one per slot (0 is the
// built-in icon), then the file names of icon table entries 1, 2, 3, ... one per line, ended by
// CR LF (LF alone is read as well). Names are Latin-1.

#include "platform/AtomicFile.h"

#include <QByteArray>
#include <QString>

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace kiv {

inline constexpr int kIconListSlots = 255;
// Entry 0 of the icon table is the built-in icon, which has no file and no line.
inline constexpr int kIconEntries = 255;
inline constexpr std::size_t kIconListHeadBytes = kIconListSlots * 4;

using IconIndices = std::array<int, kIconListSlots>;
using IconNames = std::array<QString, kIconEntries>; // by entry; entry 0 is never written

struct IconListRead {
    // Indices the table cannot hold, and those of slots a short file does not cover, are 0.
    IconIndices indices{};
    // Entries 1, 2, ... as far as the file goes; entries beyond it are not the file's business.
    std::vector<QString> names;
};

// The index when the icon table can hold it, else 0, the built-in icon.
int checkedIconIndex(int index);

IconListRead readIconList(std::string_view bytes);
// Writes the entries up to the highest one that has a name or that a slot refers to, so that
// no slot loses its icon; entries in between without a name are empty lines.
QByteArray iconListBytes(const IconIndices& indices, const IconNames& names);

// nullopt when the file cannot be opened.
std::optional<IconListRead> loadIconListFile(const QString& path);
WriteResult saveIconListFile(const QString& path, const IconIndices& indices, const IconNames& names);

} // namespace kiv
