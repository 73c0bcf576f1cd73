#pragma once
// Records every message box and answers with what the test queued. A box that asks a question
// when nothing is queued gets its first button and is counted as unanswered, so that a test can
// tell an unexpected question from an expected one.

#include "platform/MessageBoxes.h"

#include <deque>
#include <vector>

namespace kiv::test {

class ScriptedMessageBoxes final : public MessageBoxes {
public:
    MessageAnswer show(const MessageRequest& request) override;

    void queueAnswer(MessageAnswer answer) { answers_.push_back(answer); }

    const std::vector<MessageRequest>& shown() const { return shown_; }
    std::vector<QString> texts() const;
    std::vector<QString> captions() const;
    int unanswered() const { return unanswered_; }
    void clear();

private:
    std::deque<MessageAnswer> answers_;
    std::vector<MessageRequest> shown_;
    int unanswered_ = 0;
};

} // namespace kiv::test
