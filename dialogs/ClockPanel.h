#pragma once
// One clock of the time dialog's right-hand half: its time and date, the 3D clock in its frame,
// the arrows that zoom, tilt and turn it, and the colour of the part chosen in the list with
// its transparency.

#include "dialogs/ClockColorEditor.h"
#include "views3d/ClockGeometry.h"

#include <QGroupBox>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kiv {
class CClock3D;

struct TimeDialogTexts;
struct TimeFields;
struct UiServices;

class ClockPanel : public QGroupBox {
public:
    // The object names of the controls: the dialog's control ids.
    struct Ids {
        const char* time;
        const char* date;
        const char* frame;
        const char* zoom;
        const char* tilt;
        const char* turn;
        const char* parts;
        const char* swatch;
        const char* alpha;
    };
    static const Ids kGreenwich;
    static const Ids kLocal;

    // clock: 0 the Greenwich clock, 1 the local clock (its colour table).
    ClockPanel(int clock, const Ids& ids, const QString& title, const TimeDialogTexts& texts, ClockColorEditor& colors,
               UiServices& ui, QWidget* parent);

    // The time to show, as text and on the clock.
    void showTime(const TimeFields& fields, bool english);
    // The chosen part's swatch and transparency, and the clock's colours, from the table.
    void showColors();

    CClock3D* clock() const { return clock_; }
    const ClockViewpoint& viewpoint() const { return viewpoint_; }

private:
    int part() const;
    void chooseColor();
    void takeAlpha(const QString& text);
    void step(int ClockViewpoint::*value, int by);

    int index_;
    ClockColorEditor& colors_;
    UiServices& ui_;
    ClockViewpoint viewpoint_;
    QLabel* time_;
    QLabel* date_;
    QFrame* frame_;
    CClock3D* clock_;
    QComboBox* parts_;
    QPushButton* swatch_;
    QLineEdit* alpha_;
};

} // namespace kiv
