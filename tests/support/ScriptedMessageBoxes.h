#pragma once
// Records every message box and answers with what the test queued. A box that asks a question
// when nothing is queued gets its first button and is counted as unanswered, so that a test can
// tell an unexpected question from an expected one.

#include "platform/MessageBoxes.h"

#include <deque>
#include <vector>

namespace kiv::test {

class ScriptedMessageBoxes final : public platform::MessageBoxes {
public:
    platform::MessageAnswer show(const platform::MessageRequest& request) override;

    void queueAnswer(platform::MessageAnswer answer) { answers_.push_back(answer); }

    const std::vector<platform::MessageRequest>& shown() const { return shown_; }
    std::vector<QString> texts() const;
    std::vector<QString> captions() const;
    int unanswered() const { return unanswered_; }
    void clear();

private:
    std::deque<platform::MessageAnswer> answers_;
    std::vector<platform::MessageRequest> shown_;
    int unanswered_ = 0;
};

} // namespace kiv::test
