#include "dialogs/TimeCommand.h"

#include "dialogs/CTimeDlg.h"
#include "document/CKivDoc.h"
#include "document/SettingsTable.h"
#include "document/TimerBracket.h"

#include <QApplication>

namespace kiv {

void runTimeCommand(CKivDoc& doc, QWidget* parent, const TimeDialogRunner& run)
{
    const TimerBracket timerOff(doc);
    const TimeFields fields = TimeFields::of(doc.SimTime.local());
    doc.AnimationStep();
    CTimeDlg dialog(doc.Context().ui, fields, doc.TimeFactor, doc.Language, doc.ClockColors,
                    parent ? parent : QApplication::activeWindow());
    const int result = run ? run(dialog) : dialog.exec();
    if (result == QDialog::Accepted) {
        doc.TimeFactor = boundedTimeFactor(dialog.Factor());
        doc.SetSimTime(Time::fromLocal(dialog.Fields().asLocal()));
    }
    if (dialog.ColorsChanged())
        doc.SaveColorTable();
    doc.OnReset();
}

} // namespace kiv
