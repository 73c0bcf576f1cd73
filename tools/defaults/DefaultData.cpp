#include "tools/defaults/DefaultData.h"

#include "document/IconListFile.h"
#include "document/TownFile.h"
#include "document/WDBColorFile.h"
#include "tools/defaults/WorldCities.h"
#include "tools/defaults/ZoneTowns.h"

#include <QDir>

#include <algorithm>
#include <set>
#include <utility>

namespace kiv::defaults {

namespace {

void sortByCountryAndName(std::vector<tagTOWN>& towns)
{
    std::sort(towns.begin(), towns.end(), [](const tagTOWN& a, const tagTOWN& b) {
        return std::tie(a.country, a.name) < std::tie(b.country, b.name);
    });
}

} // namespace

ColorTable defaultColorTable()
{
    ColorTable table;
    table.slotColors = defaultSlotColors();
    table.clockColors.fill(defaultClockColors());
    return table;
}

std::vector<tagTOWN> smallTownList()
{
    std::vector<tagTOWN> towns = worldCities();
    sortByCountryAndName(towns);
    return towns;
}

std::vector<tagTOWN> bigTownList(std::string_view zoneTable, std::string_view countryTable)
{
    std::vector<tagTOWN> towns = worldCities();
    std::set<std::pair<QString, QString>> known;
    for (const tagTOWN& town : towns)
        known.emplace(town.country, town.name);
    for (tagTOWN& town : zoneTowns(zoneTable, countryTable))
        if (known.emplace(town.country, town.name).second)
            towns.push_back(std::move(town));
    sortByCountryAndName(towns);
    return towns;
}

kiv::WriteResult writeDefaultData(const QString& directory, std::string_view zoneTable,
                                       std::string_view countryTable)
{
    const QDir target(directory);
    ColorTable colors = defaultColorTable();
    kiv::WriteResult result = saveColorTableFile(target.filePath(QStringLiteral("kiv.clr")), colors);
    if (result)
        result = saveIconListFile(target.filePath(QStringLiteral("kiv.sin")), IconIndices{}, IconNames{});
    if (result)
        result = saveTownFile(target.filePath(QStringLiteral("smaltown.twn")), smallTownList());
    if (result)
        result = saveTownFile(target.filePath(QStringLiteral("bigtown.twn")), bigTownList(zoneTable, countryTable));
    if (result)
        result = saveWDBColorFile(target.filePath(QStringLiteral("wdb.col")), defaultWDBColors());
    return result;
}

} // namespace kiv::defaults
