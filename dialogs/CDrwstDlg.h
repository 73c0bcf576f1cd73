#pragma once
// The 3D satellite style dialog: how bodies and beams are drawn, the beam's transparency and
// angle, the two route kinds with their length and points, the colours and shown flags of the
// satellites, and a turning preview of one satellite with its beam. Everything is edited on the
// dialog's copy; the command takes it over on OK.

#include "dialogs/DialogCommands.h"

#include <QDialog>
#include <QStringList>
#include <QTimer>

class QCheckBox;
class QComboBox;
class QLayout;
class QLineEdit;
class QPushButton;

namespace kiv {
class CSatellitePreview;
class SatelliteColorPanel;
struct PreviewLook;
struct UiServices;

class CDrwstDlg : public QDialog {
public:
    // names: the loaded satellites, one row each.
    CDrwstDlg(const SatelliteStyle3D& values, const QStringList& names, UiServices& ui, bool english,
              QWidget* parent = nullptr);

    static std::optional<SatelliteStyle3D> edit(const SatelliteStyle3D& values, const QStringList& names,
                                                UiServices& ui, bool english);

    const SatelliteStyle3D& values() const { return values_; }
    void accept() override;

    // What the preview shows for the values as they stand.
    PreviewLook look() const;
    // ">>": the next model, or back to the last one that draws something; "<<": down to model 1.
    void OnNextModel();
    void OnPreviousModel();
    // "P" turns by hand (the timer stops), "A" turns on its own.
    void OnManual();
    void OnAutomatic();
    bool turningAutomatically() const { return turner_.isActive(); }

private:
    // The groups of the left column, top to bottom; the rotate and zoom buttons under the preview.
    QWidget* bodyStyleGroup();
    QWidget* beamStyleGroup();
    QWidget* routeStyleGroup();
    QLayout* previewButtonGroups();
    void rebuildPreview();
    void takeTypedBeam();
    void enableModelButtons();
    QPushButton* previewButton(const char* caption, const char* id);

    SatelliteStyle3D values_;
    UiServices& ui_;
    bool english_;
    double initialBeamAngle_;
    SatelliteColorPanel* colors_;
    CSatellitePreview* preview_;
    QComboBox* bodyStyle_;
    QComboBox* beamStyle_;
    QLineEdit* transparency_;
    QLineEdit* beamAngle_;
    QLineEdit* routePoints_;
    QLineEdit* routeLength_;
    QCheckBox* earthSystem_;
    QCheckBox* spaceSystem_;
    QPushButton* manual_;
    QPushButton* automatic_;
    QPushButton* next_;
    QPushButton* previous_;
    std::array<QPushButton*, 4> turns_{}; // ">", "<", "^", "v"
    QTimer turner_;
};

} // namespace kiv
