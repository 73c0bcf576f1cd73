#include "tools/defaults/ZoneTowns.h"

#include "platform/LineReader.h"
#include "platform/Numbers.h"

#include <algorithm>
#include <map>
#include <string>

namespace kiv::defaults {

namespace {

std::vector<std::string_view> tabFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (std::size_t tab = line.find('\t'); tab != std::string_view::npos; tab = line.find('\t')) {
        fields.push_back(line.substr(0, tab));
        line.remove_prefix(tab + 1);
    }
    fields.push_back(line);
    return fields;
}

// Calls take(fields) for every line that is not a comment.
template <typename Take>
void forEachRow(std::string_view table, Take take)
{
    kiv::LineReader lines(table);
    std::string line;
    while (lines.readLine(line))
        if (!line.empty() && line.front() != '#')
            take(tabFields(line));
}

// A signed angle of degreeDigits degree digits, two minute digits and optionally two second
// digits.
bool parseAngle(std::string_view text, std::size_t degreeDigits, double& degrees)
{
    if (text.size() != 1 + degreeDigits + 2 && text.size() != 1 + degreeDigits + 4)
        return false;
    if (text.front() != '+' && text.front() != '-')
        return false;
    const std::string_view digits = text.substr(1);
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const double seconds = digits.size() > degreeDigits + 2 ? kiv::parseInt(digits.substr(degreeDigits + 2)) : 0;
    const double magnitude = kiv::parseInt(digits.substr(0, degreeDigits)) +
                             kiv::parseInt(digits.substr(degreeDigits, 2)) / 60.0 + seconds / 3600.0;
    degrees = text.front() == '-' ? -magnitude : magnitude;
    return true;
}

QString placeName(std::string_view zone)
{
    const std::size_t slash = zone.rfind('/');
    QString name = QString::fromUtf8(zone.substr(slash == std::string_view::npos ? 0 : slash + 1));
    return name.replace(QLatin1Char('_'), QLatin1Char(' '));
}

} // namespace

bool parseIso6709(std::string_view text, double& lat, double& lon)
{
    const std::size_t split = text.find_first_of("+-", 1);
    return split != std::string_view::npos && parseAngle(text.substr(0, split), 2, lat) &&
           parseAngle(text.substr(split), 3, lon);
}

std::vector<tagTOWN> zoneTowns(std::string_view zoneTable, std::string_view countryTable)
{
    std::map<std::string, QString, std::less<>> countries;
    forEachRow(countryTable, [&](const std::vector<std::string_view>& fields) {
        if (fields.size() >= 2)
            countries[std::string(fields[0])] = QString::fromUtf8(fields[1]);
    });

    std::vector<tagTOWN> towns;
    forEachRow(zoneTable, [&](const std::vector<std::string_view>& fields) {
        tagTOWN town;
        if (fields.size() < 3 || !parseIso6709(fields[1], town.lat, town.lon))
            return;
        const auto country = countries.find(fields[0].substr(0, fields[0].find(',')));
        if (country != countries.end())
            town.country = country->second;
        town.name = placeName(fields[2]);
        towns.push_back(town);
    });
    return towns;
}

} // namespace kiv::defaults
