#include "dialogs/NumberFields.h"

#include "platform/NumberEdit.h"
#include "platform/Numbers.h"
#include "platform/TypedNumbers.h"
#include "platform/MessageBoxes.h"

#include <QLineEdit>

#include <algorithm>
#include <limits>

namespace kiv::fields {

namespace {

int intBound(double bound)
{
    constexpr double low = std::numeric_limits<int>::min(), high = std::numeric_limits<int>::max();
    return static_cast<int>(std::clamp(bound, low, high));
}

// The value, or nothing after the message (the edit then has the focus).
template <class Check>
auto taken(QLineEdit& edit, const Check& check, MessageBoxes& messages)
{
    if (!check.value) {
        messages.show({.caption = QStringLiteral("Kiv"),
                       .text = check.message,
                       .buttons = MessageButtons::Ok,
                       .icon = MessageIcon::Exclamation});
        edit.setFocus();
        edit.selectAll();
    }
    return check.value;
}

} // namespace

QString realText(double value) { return QString::fromStdString(formatSingle(value)); }

void showReal(QLineEdit& edit, double value, const SettingRange& range)
{
    showSingle(edit, value, range.min, range.max);
}

QString integerText(int value) { return QString::number(value); }

std::optional<int> readInteger(QLineEdit& edit, const SettingRange& range, MessageBoxes& messages, bool english)
{
    const std::string text = edit.text().toStdString();
    return taken(edit, checkInteger(text, intBound(range.min), intBound(range.max), english), messages);
}

std::optional<double> readReal(QLineEdit& edit, const SettingRange& range, MessageBoxes& messages, bool english)
{
    const std::string text = edit.text().toStdString();
    return taken(edit, checkReal(text, range.min, range.max, english), messages);
}

} // namespace kiv::fields
