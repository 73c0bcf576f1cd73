#include "platform/FieldRange.h"

#include <cmath>

namespace kiv {

std::optional<int> parseIntField(const QString& text, int min, int max)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < min || value > max)
        return std::nullopt;
    return value;
}

std::optional<double> parseRealField(const QString& text, double min, double max)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok); // '.' whatever the locale
    if (!ok || !std::isfinite(value) || value < min || value > max)
        return std::nullopt;
    return value;
}

MessageRequest intRangeMessage(bool english, int min, int max)
{
    const QString text = english ? QStringLiteral("Please enter an integer between %1 and %2.")
                                 : QStringLiteral("Bitte geben Sie eine ganze Zahl zwischen %1 und %2 ein.");
    return {QStringLiteral("Kiv"), text.arg(min).arg(max), MessageButtons::Ok, MessageIcon::Exclamation};
}

MessageRequest realRangeMessage(bool english, double min, double max)
{
    const QString text = english ? QStringLiteral("Please enter a number between %1 and %2.")
                                 : QStringLiteral("Bitte geben Sie eine Zahl zwischen %1 und %2 ein.");
    return {QStringLiteral("Kiv"), text.arg(min).arg(max), MessageButtons::Ok, MessageIcon::Exclamation};
}

} // namespace kiv
