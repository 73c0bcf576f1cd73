#pragma once
// Town list files (*.twn), 8-bit Latin-1 text. Line 1 is the number of towns; then one town a
// line, longitude first and east positive:
//   Germany,Bonn;  7.100000,  50.733000,  300000,  1990,  0
// that is country, name, longitude, latitude, population, year and a further number. Lines end
// at LF; a CR before it is dropped.

#include "document/tagTOWN.h"
#include "platform/AtomicFile.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kiv {
class LineReader;
}

namespace kiv {

// No list of the program comes near this; it bounds what a damaged count line can cost.
inline constexpr int kMaxTowns = 1'000'000;

// A separator that is missing leaves its field and every later one empty or 0. The population
// is read as its absolute value.
tagTOWN parseTownLine(std::string_view line);
// The count line is trusted no further than the lines present: a negative count reads nothing,
// a count beyond the file reads what is there.
std::vector<tagTOWN> readTowns(LineReader& lines);
std::vector<tagTOWN> readTowns(std::string_view bytes);

// A name as it can be stored: ',' ';' and line breaks would split the line, so they go.
QString storableTownText(const QString& text);
// One line without its LF; names pass through storableTownText.
std::string townLine(const tagTOWN& town);
QByteArray townFileBytes(std::span<const tagTOWN> towns);

// nullopt when the file cannot be opened.
std::optional<std::vector<tagTOWN>> loadTownFile(const QString& path);
WriteResult saveTownFile(const QString& path, std::span<const tagTOWN> towns);

} // namespace kiv
