#pragma once
// The time dialog: the simulated date and time as calendar fields and as a Julian date, the time
// factor, a clock of its own that runs while the dialog is open, and, behind "More >>", the
// Greenwich and the local 3D clock with their colours. The logic is TimeDialogModel's and
// ClockColorEditor's; this class lays out the controls and passes their events on.
//
// The clock colours are the document's, edited in place; ColorsChanged() says whether to save
// them, whichever way the dialog ends.

#include "dialogs/ClockColorEditor.h"
#include "dialogs/TimeDialogModel.h"

#include <QDialog>
#include <QTimer>

#include <array>

class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QWidget;

namespace kiv {
class ClockPanel;
struct TimeDialogTexts;
struct UiServices;

class CTimeDlg : public QDialog {
public:
    // fields: the simulated clock's local time; language: 1 English, otherwise German.
    CTimeDlg(kiv::UiServices& ui, const kiv::TimeFields& fields, int factor, int language,
             kiv::ClockColorTables& colors, QWidget* parent = nullptr);
    ~CTimeDlg() override;

    // After OK: the chosen factor, and the fields with 24:00 and :60 carried over.
    int Factor() const { return model_.factor(); }
    kiv::TimeFields Fields() const { return model_.normalizedFields(); }
    bool ColorsChanged() const { return colors_.changed(); }

    // One tick of the dialog's 50 ms timer.
    void OnTick();
    bool Expanded() const { return expanded_; }
    const kiv::TimeDialogModel& Model() const { return model_; }

    // OK: the typed values must pass their checks and name a time the clock can take.
    void accept() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QWidget* buildFactorGroup();
    QWidget* buildTimeGroup();
    QWidget* buildClockHalf();
    QWidget* buildButtons();
    QLineEdit* edit(const char* id);
    QPushButton* button(const char* id, const QString& text);

    void showFields();
    void showJulianDate();
    void showFactor();
    void showFactorButton();
    void showClocks();
    void takeFields();
    bool checkTimeRange();
    void convertToGreenwich();
    void toggleExpanded();
    void restoreDefaultColors();

    kiv::UiServices& ui_;
    const kiv::TimeDialogTexts& texts_;
    bool english_;
    kiv::TimeDialogModel model_;
    kiv::ClockColorEditor colors_;
    bool expanded_ = false;
    QTimer timer_;

    QButtonGroup* factorButtons_ = nullptr;
    QLineEdit* factorEdit_ = nullptr;
    std::array<QLineEdit*, 6> fieldEdits_{}; // as FieldTexts: year, month, day, hour, minute, second
    QLineEdit* julianDateEdit_ = nullptr;
    QWidget* clockHalf_ = nullptr;
    QPushButton* moreButton_ = nullptr;
    std::array<kiv::ClockPanel*, 2> clocks_{}; // Greenwich, local
};

} // namespace kiv
