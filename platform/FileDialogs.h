#pragma once
// The file dialog service. Filters use Qt's form, "Settings (*.set *.SET);;All files (*)";
// names on Linux are case-sensitive, so filters list both cases where files come from Windows.

#include <QString>

#include <optional>

namespace kiv {

struct FileDialogRequest {
    QString title{};
    QString filter{};
    QString defaultSuffix{};   // appended when the user types a name without one, e.g. "set"
    QString initialPath{};     // folder or file the dialog starts with
    bool confirmOverwrite = true; // save dialogs only
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen path, or nothing on Cancel.
    virtual std::optional<QString> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileDialogRequest& request) = 0;
};

} // namespace kiv
