#pragma once
// Number edits of the dialogs: shown and read in the C locale whatever the user's locale, and
// checked on OK. A field that is not a number or lies outside its range is refused with a
// message, gets the focus, and the dialog stays open.

#include "document/SettingsTable.h"

#include <QString>

#include <optional>

class QLineEdit;

namespace kiv {
class MessageBoxes;
}

namespace kiv::fields {

// A single-precision value as a user should read it (see formatSingle): "33.333334", "50".
QString realText(double value);
// Shows it whole and from its start, in an edit wide enough for any value of the range.
void showReal(QLineEdit& edit, double value, const SettingRange& range);
QString integerText(int value);

std::optional<int> readInteger(QLineEdit& edit, const SettingRange& range, MessageBoxes& messages, bool english);
std::optional<double> readReal(QLineEdit& edit, const SettingRange& range, MessageBoxes& messages, bool english);

} // namespace kiv::fields
