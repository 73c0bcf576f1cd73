#pragma once
// The 2D satellite style dialog: the ground track (points, length, pen width, on or off), the
// name and position labels, which satellites are shown and their three colours, and, in a panel
// that folds out, the icon of each satellite and the icon list file. The icon table is edited
// as a copy (SatelliteStyle2D::icons) that the command takes over on OK; the colours go into
// the document at once.

#include "dialogs/DialogCommands.h"

#include <QDialog>

class QCheckBox;
class QFormLayout;
class QImage;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kiv {
class CKivDoc;
class SatelliteColorPanel;

class CDstDlg2d : public QDialog {
public:
    CDstDlg2d(CKivDoc& doc, const SatelliteStyle2D& values, QWidget* parent = nullptr);

    static std::optional<SatelliteStyle2D> edit(CKivDoc& doc, const SatelliteStyle2D& values);

    const SatelliteStyle2D& values() const { return values_; }
    void accept() override;

    // The icon panel folded out or in.
    void OnFoldPanel();
    bool panelOpen() const;
    // Icons of the satellite of the focused item of the icon list, and of all satellites.
    void OnChangeIcon();
    void OnChangeAllIcons();
    // Another icon list file, chosen in a file dialog or typed.
    void OnBrowseIconList();
    void takeIconList(const QString& name);

private:
    // The route and label fields; the icon panel with its list, buttons and file fields.
    QFormLayout* routeForm();
    QWidget* iconPanel();
    void fillIconPanel();
    // The icon a slot draws with; the fold button shows that of the satellite chosen last.
    QImage iconOf(int slot) const;
    void showChosenIcon(int slot);
    std::optional<QString> chooseIconFile();
    bool readNumbers();
    QString text(const char* english, const char* german) const;

    CKivDoc& doc_;
    SatelliteStyle2D values_;
    bool english_;
    SatelliteColorPanel* colors_;
    QLineEdit* routePoints_;
    QLineEdit* routeLength_;
    QLineEdit* penWidth_;
    QCheckBox* showRoute_;
    QCheckBox* showPosition_;
    QCheckBox* showName_;
    QPushButton* fold_ = nullptr;
    int chosen_ = -1;
    QWidget* iconPanel_;
    QListWidget* icons_;
    QLineEdit* iconListFile_;
    QLineEdit* iconOfSatellite_;
};

} // namespace kiv
