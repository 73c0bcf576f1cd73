#include "views2d/TownList.h"

#include "document/TownFile.h"
#include "platform/Latin1.h"
#include "platform/Numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace kiv {

namespace {

bool sortsBefore(const QString& a, const QString& b) { return QString::compare(a, b, Qt::CaseInsensitive) < 0; }

QString numberText(double value) { return QString::fromStdString(formatFixed(value)); }

std::optional<double> inRange(std::optional<double> value, double low, double high)
{
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
    return {town.country, town.name, numberText(town.lat), numberText(0.0 - town.lon), QString::number(town.population)};
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
    // ',' and ';' separate the fields of the file and a line break ends the record; the file
    // cannot keep them, so they are refused rather than dropped on saving.
    const auto storable = [](const QString& text) { return storableTownText(text) == text; };
    if (!storable(fields.country))
        return {std::nullopt, TownFieldError::Country};
    if (!storable(fields.name))
        return {std::nullopt, TownFieldError::Name};
    const std::optional<double> lat = parseLatitude(fields.latitude);
    if (!lat)
        return {std::nullopt, TownFieldError::Latitude};
    const std::optional<double> westLon = parseWestLongitude(fields.westLongitude);
    if (!westLon)
        return {std::nullopt, TownFieldError::Longitude};
    const QString population = fields.population.trimmed();
    bool ok = population.isEmpty();
    const int people = ok ? 0 : population.toInt(&ok);
    if (!ok || people < 0)
        return {std::nullopt, TownFieldError::Population};
    tagTOWN town;
    town.country = fields.country;
    town.name = fields.name;
    town.lat = *lat;
    town.lon = *westLon == 0.0 ? 0.0 : -*westLon;
    town.population = people;
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

std::optional<double> parseTypedNumber(const QString& text)
{
    QString t = text.trimmed();
    t.replace(u',', u'.');
    if (t.startsWith(u'+'))
        t.remove(0, 1);
    const std::string bytes = toLatin1(t);
    double value = 0.0;
    const char* end = bytes.data() + bytes.size();
    // The whole text must be the number: "12abc" or "1.2.3" is a typing error, not 12 or 1.2.
    const auto [stop, error] = std::from_chars(bytes.data(), end, value, std::chars_format::general);
    if (bytes.empty() || error != std::errc() || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<double> parseLatitude(const QString& text) { return inRange(parseTypedNumber(text), -90.0, 90.0); }

std::optional<double> parseWestLongitude(const QString& text) { return inRange(parseTypedNumber(text), -180.0, 180.0); }

} // namespace kiv
