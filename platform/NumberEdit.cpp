#include "platform/NumberEdit.h"

#include "platform/Numbers.h"

#include <QLineEdit>
#include <QStyle>

#include <algorithm>

namespace kiv {

void showNumberText(QLineEdit& edit, const QString& text, const QString& widest)
{
    edit.setText(text);
    const QFontMetrics metrics = edit.fontMetrics();
    const QMargins margins = edit.textMargins();
    const int frame = edit.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &edit);
    // The edit's own inner margin of 2 pixels a side, and a character's room for the cursor.
    const int needed = std::max(metrics.horizontalAdvance(widest), metrics.horizontalAdvance(text)) + margins.left() +
                       margins.right() + 2 * frame + 4 + metrics.averageCharWidth();
    edit.setMinimumWidth(std::max(edit.minimumWidth(), needed));
    edit.setCursorPosition(0);
}

void showSingle(QLineEdit& edit, double value, double low, double high)
{
    // Six decimals are the most the text has; the longer end of the range is the widest.
    const std::string a = formatFixed(low), b = formatFixed(high);
    showNumberText(edit, QString::fromStdString(formatSingle(value)),
                   QString::fromStdString(a.size() >= b.size() ? a : b));
}

} // namespace kiv
