#pragma once
// The general options dialog: element, colour-table and icon files, sphere approximation,
// stars, sun reflections, the satellites' view angle, exact beams and window placement. It
// only edits the values and notes in ReloadNeeded whether a change needs the satellites
// reloaded: the element file, the X approximation, the view angle, the exact-beam box, or any
// Browse (even a cancelled one).

#include "dialogs/DialogCommands.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace kiv {

class DataPaths;
struct UiServices;

class CAllgDlg : public QDialog {
public:
    // language: 1 English, otherwise German.
    CAllgDlg(const kiv::GeneralOptions& options, kiv::UiServices& ui, const kiv::DataPaths& paths, int language,
             QWidget* parent = nullptr);

    // Runs the dialog: the edited values on OK, nothing on Cancel.
    static std::optional<kiv::GeneralOptions> edit(const kiv::GeneralOptions& options, kiv::UiServices& ui,
                                                   const kiv::DataPaths& paths, int language);

    const kiv::GeneralOptions& values() const { return values_; }
    void accept() override;

private:
    QLineEdit* numberEdit(const char* id);
    QLineEdit* fileEdit(const char* id, const QString& text, bool needsReload);
    QWidget* browseRow(QLineEdit* edit, const char* buttonId, const QString& title, const QString& filter);
    void browse(QLineEdit& edit, const QString& title, const QString& filter);
    bool readNumbers();
    void showInfo();
    QString text(const char* english, const char* german) const;

    kiv::GeneralOptions values_;
    kiv::UiServices& ui_;
    const kiv::DataPaths& paths_;
    bool english_;
    QLineEdit* stars_;
    QLineEdit* accuracyX_;
    QLineEdit* accuracyY_;
    QLineEdit* frameWidth_;
    QLineEdit* beamAngle_;
    QLineEdit* reflections_;
    QLineEdit* colorTable_;
    QLineEdit* elementFile_;
    QLineEdit* iconFile_;
    QCheckBox* exact_;
    QCheckBox* arrange_;
};

} // namespace kiv
