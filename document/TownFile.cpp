#include "document/TownFile.h"

#include "platform/Latin1.h"
#include "platform/LineReader.h"
#include "platform/Numbers.h"
#include "platform/ReadableFile.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <climits>
#include <cstddef>
#include <cstdlib>

namespace kiv {

namespace {

// Takes the text before the first separator off the front of rest. Without the separator the
// field and everything after it count as missing.
bool takeField(std::string_view& rest, char separator, std::string_view& field)
{
    const std::size_t at = rest.find(separator);
    if (at == std::string_view::npos) {
        field = {};
        rest = {};
        return false;
    }
    field = rest.substr(0, at);
    rest.remove_prefix(at + 1);
    return true;
}

int absolutePopulation(int value)
{
    return value == INT_MIN ? INT_MAX : std::abs(value);
}

} // namespace

tagTOWN parseTownLine(std::string_view line)
{
    tagTOWN town;
    std::string_view rest = line;
    std::string_view field;
    if (!takeField(rest, ',', field))
        return town;
    town.country = kiv::fromLatin1(field);
    if (!takeField(rest, ';', field))
        return town;
    town.name = kiv::fromLatin1(field);

    // The writer puts blanks after each comma; the number readers skip them, so hand-edited
    // lines without them lose no sign or digit.
    std::array<std::string_view, 5> numbers{};
    std::size_t taken = 0;
    while (taken + 1 < numbers.size() && takeField(rest, ',', numbers[taken]))
        ++taken;
    numbers.back() = rest;
    town.lon = kiv::parseDouble(numbers[0]);
    town.lat = kiv::parseDouble(numbers[1]);
    town.population = absolutePopulation(kiv::parseInt(numbers[2]));
    town.year = kiv::parseInt(numbers[3]);
    town.extra = kiv::parseInt(numbers[4]);
    return town;
}

std::vector<tagTOWN> readTowns(kiv::LineReader& lines)
{
    std::vector<tagTOWN> towns;
    std::string line;
    if (!lines.readLine(line))
        return towns;
    const std::size_t count = std::clamp(kiv::parseInt(line), 0, kMaxTowns);
    while (towns.size() < count && lines.readLine(line))
        towns.push_back(parseTownLine(line));
    return towns;
}

std::vector<tagTOWN> readTowns(std::string_view bytes)
{
    kiv::LineReader lines(bytes);
    return readTowns(lines);
}

QString storableTownText(const QString& text)
{
    QString stored = text;
    stored.removeIf([](QChar c) { return c == u',' || c == u';' || c == u'\r' || c == u'\n'; });
    return stored;
}

std::string townLine(const tagTOWN& town)
{
    constexpr std::string_view kNext = ",  ";
    std::string line = kiv::toLatin1(storableTownText(town.country));
    line += ',';
    line += kiv::toLatin1(storableTownText(town.name));
    line += ";  ";
    line += kiv::formatFixed(town.lon);
    line += kNext;
    line += kiv::formatFixed(town.lat);
    line += kNext;
    line += kiv::formatInt(town.population);
    line += kNext;
    line += kiv::formatInt(town.year);
    line += kNext;
    line += kiv::formatInt(town.extra);
    return line;
}

QByteArray townFileBytes(std::span<const tagTOWN> towns)
{
    QByteArray bytes = QByteArray::fromStdString(kiv::formatInt(static_cast<std::int64_t>(towns.size())));
    bytes += '\n';
    for (const tagTOWN& town : towns) {
        bytes += QByteArray::fromStdString(townLine(town));
        bytes += '\n';
    }
    return bytes;
}

std::optional<std::vector<tagTOWN>> loadTownFile(const QString& path)
{
    QFile file;
    if (!kiv::ReadableFile(path).handTo(file))
        return std::nullopt;
    kiv::LineReader lines(file);
    return readTowns(lines);
}

kiv::WriteResult saveTownFile(const QString& path, std::span<const tagTOWN> towns)
{
    return kiv::AtomicFile::write(path, townFileBytes(towns));
}

} // namespace kiv
