#pragma once
// Records every message box and answers with what the test queued. A box that asks a question
// when nothing is queued gets its default button, as Return would press it, and is counted as
// unanswered, so that a test can tell an unexpected question from an expected one.

#include "platform/MessageBoxes.h"

#include <deque>
#include <functional>
#include <vector>

namespace kiv::test {

class ScriptedMessageBoxes final : public MessageBoxes {
public:
    MessageAnswer show(const MessageRequest& request) override;

    void queueAnswer(MessageAnswer answer) { answers_.push_back(answer); }
    // Runs `look` as each box is shown, for a test of what the window behind it shows then.
    void whenShown(std::function<void(const MessageRequest&)> look) { look_ = std::move(look); }

    const std::vector<MessageRequest>& shown() const { return shown_; }
    std::vector<QString> texts() const;
    std::vector<QString> captions() const;
    int unanswered() const { return unanswered_; }
    void clear();

private:
    std::deque<MessageAnswer> answers_;
    std::vector<MessageRequest> shown_;
    std::function<void(const MessageRequest&)> look_;
    int unanswered_ = 0;
};

} // namespace kiv::test
