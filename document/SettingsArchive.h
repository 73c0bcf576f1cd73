#pragma once
// Settings archives (".set"): the whole working state in the class library's archive format.
// A version string, the general section, then a section for each open view: globe, 2D map, World
// Data Bank, sky, each opened by 500 reserved zero bytes. The older layout has no version string
// and a fixed item order of its own; it is read, never written.
//
// Parsing is all-or-nothing: a file is read and checked to its last byte, every count and length
// bounded and every value brought into its range, before the caller applies anything.

#include "document/SettingsSnapshot.h"
#include "platform/LanguageText.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <string_view>

namespace kiv::settingsArchive {

// The version string as the current layout starts with it.
inline constexpr std::string_view kVersionPrefix = "Stored Settings with Version ";

enum class ParseError { None, NotAnArchive, UnsupportedVersion, Damaged };

struct ParseResult {
    std::optional<SettingsSnapshot> snapshot;
    ParseError error = ParseError::None;
    BilingualText errorText; // where and why
};

// The file's bytes in the current layout. The Show flags written follow the sections present.
// The simulated time must fit the archive's 32 bits (the caller checks that first).
QByteArray write(const SettingsSnapshot& snapshot);

// Reads either layout. `base` supplies every value the file does not hold (the document's own).
ParseResult parse(std::string_view bytes, const SettingsSnapshot& base);

// Brings the parsed values into their ranges: the settings table's clamps, the rectangles, the
// counts, the icon indices, the followed satellite, non-finite numbers. Part of parse(); for tests.
void clampSnapshot(SettingsSnapshot& snapshot);

} // namespace kiv::settingsArchive
