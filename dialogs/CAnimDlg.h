#pragma once
// The render quality dialog: the globe's shading, lighting, texturing and texture filter for
// one quality record (while a mouse button is held, or otherwise). It edits a copy of the
// record; the command stores it on OK.

#include "document/tagQUALITY.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace kiv {
class MessageBoxes;

class CAnimDlg : public QDialog {
public:
    // name: the record's name ("MouseMove", "Normal"), shown with " Dialogbox" in the title;
    // english: the language of the Info text.
    CAnimDlg(const tagQUALITY& quality, const QString& name, MessageBoxes& messages, bool english,
             QWidget* parent = nullptr);

    // Runs the dialog: the edited record on OK, nothing on Cancel.
    static std::optional<tagQUALITY> edit(const tagQUALITY& quality, const QString& name, MessageBoxes& messages,
                                          bool english);

    // The record as the controls stand.
    tagQUALITY values() const;
    void OnInfo();

    int Quality = 1;

private:
    MessageBoxes& messages_;
    bool english_;
    QLineEdit* title_;
    QComboBox* quality_;
    QCheckBox* texturing_;
    QCheckBox* lightning_;
    QCheckBox* interpolation_;
};

} // namespace kiv
