#pragma once
// Towns from the time-zone database: the principal place of every zone in zone1970.tab, named
// after the zone's last part, with the name of its first country from iso3166.tab. Population
// and year are unknown and 0.

#include "document/tagTOWN.h"

#include <string_view>
#include <vector>

namespace kiv::defaults {

// The tables' text as the database ships it (UTF-8, tab-separated, '#' comments). Lines that do
// not fit the format are left out.
std::vector<tagTOWN> zoneTowns(std::string_view zoneTable, std::string_view countryTable);

// An ISO 6709 position "+DDMM+DDDMM" or "+DDMMSS+DDDMMSS" in degrees; false when it is neither.
bool parseIso6709(std::string_view text, double& lat, double& lon);

} // namespace kiv::defaults
