#include "platform/QtUiServices.h"

#include <QApplication>
#include <QCursor>

namespace kiv {

UiServices QtUiServices::services()
{
    return {messages_, files_, colors_, *this, clock_, *this};
}

void QtUiServices::beginWait()
{
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void QtUiServices::endWait()
{
    QApplication::restoreOverrideCursor();
}

void QtUiServices::beep()
{
    QApplication::beep();
}

} // namespace kiv
