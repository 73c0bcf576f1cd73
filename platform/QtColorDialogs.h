#pragma once

#include "platform/ColorDialogs.h"

namespace kiv {

// A parentless QColorDialog.
class QtColorDialogs final : public ColorDialogs {
public:
    std::optional<std::uint32_t> chooseColor(std::uint32_t initialColorRef, const QString& title) override;
};

} // namespace kiv
