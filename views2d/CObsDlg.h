#pragma once
// The observer options dialog: the observer's position (longitude west positive), the twilight
// angle (three presets or a typed value), the grid steps, the drawing switches and the seven
// colours. It opens folded; "Advanced" shows the steps, the line switches and the colours.
// Fields are checked against their ranges on OK; a wrong one is named and nothing is taken.

#include "platform/TypedNumbers.h"
#include "views2d/ObsOptions.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kiv {
class ColorDialogs;
class ColorSwatch;
class MessageBoxes;
}

namespace kiv {

class CKivDoc;

class CObsDlg : public QDialog {
public:
    CObsDlg(const kiv::ObsOptions& options, int language, kiv::ColorDialogs& colors, kiv::MessageBoxes& messages,
            QWidget* parent = nullptr);

    const kiv::ObsOptions& Options() const { return options_; }
    bool Expanded() const { return expanded_; }

    void OnAdvanced();
    void OnPreset(int preset);
    void OnUserTwilight();
    void OnAutomatic();
    void OnColor(int swatch);
    void accept() override;

private:
    QCheckBox* addCheck(int id, const char* en, const char* de, bool on);
    QLineEdit* addEdit(int id, double value, FieldBounds bounds);
    QWidget* buildTop();
    QWidget* buildLower();
    void updateRadios();
    RealCheck checkField(const QLineEdit* edit, FieldBounds bounds) const;
    bool takeField(QLineEdit* edit, FieldBounds bounds, double& value);
    QString text(const char* en, const char* de) const;

    kiv::ObsOptions options_;
    int language_;
    kiv::ColorDialogs& colors_;
    kiv::MessageBoxes& messages_;
    bool expanded_ = false;
    bool automatic_ = false;
    QWidget* lower_ = nullptr;
    QLineEdit *altitude_ = nullptr, *latitude_ = nullptr, *longitude_ = nullptr, *twilight_ = nullptr;
    QLineEdit *azimuthStep_ = nullptr, *elevationStep_ = nullptr;
    std::array<QRadioButton*, 3> presets_{};
    QPushButton* automaticButton_ = nullptr;
    struct Check {
        QCheckBox* box;
        bool kiv::SkySettings::*field;
    };
    std::vector<Check> checks_;
    std::array<kiv::ColorSwatch*, 7> swatches_{};
};

// The options command: the open sky view's settings into the document, the dialog over them,
// and on OK the fields back and the view reloaded. True when OK was chosen.
bool runObserverOptions(CKivDoc& doc, QWidget* parent = nullptr);
} // namespace kiv
