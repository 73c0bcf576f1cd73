#include "platform/Paragraphs.h"

#include <QStringList>

namespace kiv {

QString asParagraphs(const QString& text)
{
    QString joined;
    bool paragraphOpen = false;
    for (const QString& rawLine : text.split(QLatin1Char('\n'))) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty()) {
            if (paragraphOpen)
                joined += QLatin1String("\n\n");
            paragraphOpen = false;
            continue;
        }
        if (paragraphOpen)
            joined += QLatin1Char(' ');
        joined += line;
        paragraphOpen = true;
    }
    if (joined.endsWith(QLatin1String("\n\n")))
        joined.chop(2);
    return joined;
}

MessageRequest helpBox(const QString& caption, const QString& text, MessageIcon icon)
{
    return {.caption = caption, .text = asParagraphs(text), .buttons = MessageButtons::Ok, .icon = icon};
}

} // namespace kiv
