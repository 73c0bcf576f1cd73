#pragma once

#include "platform/MessageBoxes.h"

namespace kiv {

// Parentless QMessageBox, modal to the application.
class QtMessageBoxes final : public MessageBoxes {
public:
    MessageAnswer show(const MessageRequest& request) override;
};

} // namespace kiv
