#pragma once

#include "platform/FileDialogs.h"

namespace kiv {

// A parentless QFileDialog.
class QtFileDialogs final : public FileDialogs {
public:
    std::optional<QString> openFile(const FileDialogRequest& request) override;
    std::optional<QString> saveFile(const FileDialogRequest& request) override;
};

} // namespace kiv
