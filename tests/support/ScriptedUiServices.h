#pragma once
// All UI services in scripted form, for tests of the document, views and dialogs: message and
// file dialogs answer from queues, the colour dialog likewise, the cursor and the bell count,
// and the clock is a ManualClock.

#include "platform/UiServices.h"
#include "tests/support/ManualClock.h"
#include "tests/support/ScriptedFileDialogs.h"
#include "tests/support/ScriptedMessageBoxes.h"

#include <deque>

namespace kiv::test {

class ScriptedUiServices final : private ColorDialogs, private Cursors, private Bell {
public:
    ScriptedUiServices() = default;
    ScriptedUiServices(const ScriptedUiServices&) = delete;
    ScriptedUiServices& operator=(const ScriptedUiServices&) = delete;

    UiServices services();

    ScriptedMessageBoxes messages;
    ScriptedFileDialogs files;
    ManualClock clock;

    // A colour to choose (COLORREF), or nothing for Cancel; with nothing queued, Cancel.
    void queueColor(std::optional<std::uint32_t> color) { colors_.push_back(color); }
    int colorDialogsShown() const { return colorDialogsShown_; }
    int waitDepth() const { return waitDepth_; }
    int waitCursorsShown() const { return waitCursorsShown_; }
    int beeps() const { return beeps_; }

private:
    std::optional<std::uint32_t> chooseColor(std::uint32_t initialColorRef, const QString& title) override;
    void beginWait() override;
    void endWait() override;
    void beep() override { ++beeps_; }

    std::deque<std::optional<std::uint32_t>> colors_;
    int colorDialogsShown_ = 0;
    int waitDepth_ = 0;
    int waitCursorsShown_ = 0;
    int beeps_ = 0;
};

} // namespace kiv::test
