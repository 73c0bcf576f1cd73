#pragma once
// The bracket around every modal dialog and every reload: the animation timer is off from the
// guard's construction to its destruction, on every way out. Declare it first in a command
// handler, before the dialog object, so that switching the timer back on is the last step.
// Brackets nest; the timer comes back (when the animation runs) only as the outermost one ends.


namespace kiv {
class CKivDoc;

class TimerBracket {
public:
    explicit TimerBracket(CKivDoc& doc);
    ~TimerBracket();
    TimerBracket(const TimerBracket&) = delete;
    TimerBracket& operator=(const TimerBracket&) = delete;

private:
    CKivDoc& doc_;
};

} // namespace kiv
