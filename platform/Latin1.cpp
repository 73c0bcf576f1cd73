#include "platform/Latin1.h"

namespace kiv {

QString fromLatin1(std::string_view bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

std::string toLatin1(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), bytes.size());
}

} // namespace kiv
