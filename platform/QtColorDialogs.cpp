#include "platform/QtColorDialogs.h"

#include <QColorDialog>

namespace kiv {

std::optional<std::uint32_t> QtColorDialogs::chooseColor(std::uint32_t initialColorRef, const QString& title)
{
    const QColor initial(static_cast<int>(initialColorRef & 0xFF), static_cast<int>(initialColorRef >> 8 & 0xFF),
                         static_cast<int>(initialColorRef >> 16 & 0xFF));
    const QColor chosen = QColorDialog::getColor(initial, nullptr, title);
    if (!chosen.isValid())
        return std::nullopt;
    return static_cast<std::uint32_t>(chosen.red()) | static_cast<std::uint32_t>(chosen.green()) << 8 |
           static_cast<std::uint32_t>(chosen.blue()) << 16;
}

} // namespace kiv
