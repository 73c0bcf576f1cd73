#pragma once

#include "platform/MessageBoxes.h"

namespace platform {

// Parentless QMessageBox, modal to the application.
class QtMessageBoxes final : public MessageBoxes {
public:
    MessageAnswer show(const MessageRequest& request) override;
};

} // namespace platform
