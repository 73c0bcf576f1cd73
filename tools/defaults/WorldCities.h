#pragma once
// Large cities of every continent with rounded metropolitan populations (2020), the small town
// list of a fresh installation. Country names are those of the time-zone database.

#include "document/tagTOWN.h"

#include <vector>

namespace kiv::defaults {

std::vector<tagTOWN> worldCities();

} // namespace kiv::defaults
