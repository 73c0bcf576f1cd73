#pragma once
// The files a fresh installation needs besides the element sets: the colour table, the icon
// list and the two town lists, made with the program's own writers.

#include "document/ColorTableFile.h"
#include "document/tagTOWN.h"
#include "platform/AtomicFile.h"

#include <QString>

#include <string_view>
#include <vector>

namespace kiv::defaults {

// The default slot colours, and the time dialog's default colours on both clocks.
ColorTable defaultColorTable();

// Both lists are sorted by country and name. The small list is the hand-made list of large
// cities; the big one adds every town of the time-zone tables that is not among them.
std::vector<tagTOWN> smallTownList();
std::vector<tagTOWN> bigTownList(std::string_view zoneTable, std::string_view countryTable);

// Writes kiv.clr, kiv.sin (every slot on the built-in icon, no icon files), smaltown.twn and
// bigtown.twn into the directory. With empty tables the big list is the small one.
WriteResult writeDefaultData(const QString& directory, std::string_view zoneTable,
                                       std::string_view countryTable);

} // namespace kiv::defaults
