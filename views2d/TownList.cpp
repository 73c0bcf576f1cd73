#include "views2d/TownList.h"

#include "document/TownFile.h"
#include "platform/Latin1.h"
#include "platform/Numbers.h"
#include "platform/TypedNumbers.h"

#include <algorithm>
#include <limits>

namespace kiv {

namespace {

bool sortsBefore(const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; }

QString numberText(double value) { return QString::fromStdString(formatFixed(value)); }

// Typed degrees inside the bounds; a decimal comma is taken as the point.
std::optional<double> typedDegrees(const QString& text, double low, double high)
{
    const std::optional<double> value = decimalNumber(toLatin1(text), DecimalMark::PointOrComma);
    if (!value || *value < low || *value > high)
        return std::nullopt;
    return value;
}

} // namespace

TownList::TownList(std::span<const tagTOWN> towns)
{
    rows_.reserve(towns.size());
    for (const tagTOWN& town : towns)
        insert(town);
    modified_ = false;
}

QString TownList::rowText(const tagTOWN& town) { return town.country + u',' + town.name; }

TownFields TownList::fieldsOf(int row) const
{
    const tagTOWN& town = at(row);
    return {.country = town.country,
            .name = town.name,
            .latitude = numberText(town.lat),
            .westLongitude = numberText(0.0 - town.lon),
            .population = QString::number(town.population)};
}

std::optional<int> TownList::findPrefix(const QString& prefix) const
{
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rowText(rows_[i]).startsWith(prefix, Qt::CaseInsensitive))
            return static_cast<int>(i);
    }
    return std::nullopt;
}

int TownList::insert(const tagTOWN& town)
{
    const QString text = rowText(town);
    const auto at = std::upper_bound(rows_.begin(), rows_.end(), text,
                                     [](const QString& t, const tagTOWN& row) { return sortsBefore(t, rowText(row)); });
    const auto placed = rows_.insert(at, town);
    modified_ = true;
    return static_cast<int>(placed - rows_.begin());
}

TownList::AddResult TownList::add(const TownFields& fields)
{
    // ',' and ';' separate the fields of the file and a line break ends the record, and the
    // file is Latin-1; what it cannot keep is refused rather than dropped or changed on saving.
    const auto storable = [](const QString& text) {
        return storableTownText(text) == text &&
               std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; });
    };
    if (!storable(fields.country))
        return {std::nullopt, TownFieldError::Country};
    if (fields.name.trimmed().isEmpty())
        return {std::nullopt, TownFieldError::NoName};
    if (!storable(fields.name))
        return {std::nullopt, TownFieldError::Name};
    const std::optional<double> lat = parseLatitude(fields.latitude);
    if (!lat)
        return {std::nullopt, TownFieldError::Latitude};
    const std::optional<double> westLon = parseWestLongitude(fields.westLongitude);
    if (!westLon)
        return {std::nullopt, TownFieldError::Longitude};
    // No population typed is none known.
    const QString population = fields.population.trimmed();
    const std::optional<long long> people = population.isEmpty() ? 0LL : wholeNumber(toLatin1(population));
    if (!people || *people < 0 || *people > std::numeric_limits<int>::max())
        return {std::nullopt, TownFieldError::Population};
    tagTOWN town;
    town.country = fields.country;
    town.name = fields.name;
    town.lat = *lat;
    town.lon = *westLon == 0.0 ? 0.0 : -*westLon;
    town.population = static_cast<int>(*people);
    return {insert(town), TownFieldError::None};
}

bool TownList::remove(int row)
{
    if (row < 0 || row >= size())
        return false;
    rows_.erase(rows_.begin() + row);
    modified_ = true;
    return true;
}

std::optional<double> parseLatitude(const QString& text) { return typedDegrees(text, -90.0, 90.0); }

std::optional<double> parseWestLongitude(const QString& text) { return typedDegrees(text, -180.0, 180.0); }

} // namespace kiv
