#pragma once
// The document's "&Time ..." command: the time dialog over the simulated clock, with the
// animation timer off while it is open.

#include <functional>

class QWidget;

namespace kiv {
class CKivDoc;
class CTimeDlg;

// Runs the dialog modally and returns its result; tests script it instead.
using TimeDialogRunner = std::function<int(CTimeDlg&)>;

// The dialog starts from the clock's local time and factor, after one animation step. OK sets
// factor and clock; on every path changed clock colours are saved and the satellites are
// computed afresh for the clock.
void runTimeCommand(CKivDoc& doc, QWidget* parent = nullptr, const TimeDialogRunner& run = {});

} // namespace kiv
