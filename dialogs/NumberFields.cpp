#include "dialogs/NumberFields.h"

#include "platform/MessageBoxes.h"

#include <QLineEdit>

#include <cmath>

namespace kiv::fields {

namespace {

QString bound(double value, bool integer)
{
    return integer ? QString::number(static_cast<long long>(value)) : realText(value);
}

template <class T>
std::optional<T> refuse(QLineEdit& edit, MessageBoxes& messages, const QString& text)
{
    messages.show({QStringLiteral("Kiv"), text, MessageButtons::Ok, MessageIcon::Exclamation});
    edit.setFocus();
    edit.selectAll();
    return std::nullopt;
}

template <class T>
std::optional<T> read(QLineEdit& edit, const SettingRange& range, MessageBoxes& messages, bool english)
{
    constexpr bool integer = std::is_integral_v<T>;
    bool ok = false;
    const QString text = edit.text().trimmed();
    const double value = integer ? static_cast<double>(text.toInt(&ok)) : text.toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        const QString what = integer ? (english ? QStringLiteral("Please enter an integer.")
                                                : QStringLiteral("Bitte geben Sie eine ganze Zahl ein."))
                                     : (english ? QStringLiteral("Please enter a number.")
                                                : QStringLiteral("Bitte geben Sie eine Zahl ein."));
        return refuse<T>(edit, messages, what);
    }
    if (value < range.min || value > range.max) {
        const QString low = bound(range.min, integer), high = bound(range.max, integer);
        const QString what =
            integer ? (english ? QStringLiteral("Please enter an integer between %1 and %2.")
                               : QStringLiteral("Bitte geben Sie eine ganze Zahl zwischen %1 und %2 ein."))
                    : (english ? QStringLiteral("Please enter a number between %1 and %2.")
                               : QStringLiteral("Bitte geben Sie eine Zahl zwischen %1 und %2 ein."));
        return refuse<T>(edit, messages, what.arg(low, high));
    }
    return static_cast<T>(value);
}

} // namespace

QString realText(double value) { return QString::number(value, 'g', 6); }

QString integerText(int value) { return QString::number(value); }

std::optional<int> readInteger(QLineEdit& edit, const SettingRange& range, MessageBoxes& messages, bool english)
{
    return read<int>(edit, range, messages, english);
}

std::optional<double> readReal(QLineEdit& edit, const SettingRange& range, MessageBoxes& messages, bool english)
{
    return read<double>(edit, range, messages, english);
}

} // namespace kiv::fields
