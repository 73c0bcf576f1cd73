#pragma once
// Typed dialog fields with a range: the text must be a whole number (or a decimal number with
// '.') inside the bounds, else the dialog says so and the user corrects the field; nothing is
// taken over. The message names the bounds in the language in force.

#include "platform/MessageBoxes.h"

#include <QString>

#include <optional>

namespace kiv {

std::optional<int> parseIntField(const QString& text, int min, int max);
std::optional<double> parseRealField(const QString& text, double min, double max);

MessageRequest intRangeMessage(bool english, int min, int max);
MessageRequest realRangeMessage(bool english, double min, double max);

} // namespace kiv
