#pragma once
// The colour dialog service. Colours are COLORREF values, 0x00BBGGRR, as the files store them.

#include <QString>

#include <cstdint>
#include <optional>

namespace kiv {

class ColorDialogs {
public:
    virtual ~ColorDialogs() = default;
    // The chosen colour (top byte 0), or nothing on Cancel.
    virtual std::optional<std::uint32_t> chooseColor(std::uint32_t initialColorRef, const QString& title) = 0;
};

} // namespace kiv
