#pragma once
// The UI services of the running application: Qt dialogs, the override cursor, the system
// clock and QApplication::beep. Needs a QApplication.

#include "platform/QtColorDialogs.h"
#include "platform/QtFileDialogs.h"
#include "platform/QtMessageBoxes.h"
#include "platform/SystemClock.h"
#include "platform/UiServices.h"

namespace kiv {

class QtUiServices final : private Cursors, private Bell {
public:
    QtUiServices() = default;
    QtUiServices(const QtUiServices&) = delete;
    QtUiServices& operator=(const QtUiServices&) = delete;

    UiServices services();

private:
    void beginWait() override;
    void endWait() override;
    void beep() override;

    QtMessageBoxes messages_;
    QtFileDialogs files_;
    QtColorDialogs colors_;
    SystemClock clock_;
};

} // namespace kiv
