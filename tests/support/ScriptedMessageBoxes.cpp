#include "tests/support/ScriptedMessageBoxes.h"

namespace kiv::test {

using kiv::MessageAnswer;
using kiv::MessageButtons;

namespace {

MessageAnswer firstButton(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel: return MessageAnswer::Yes;
    case MessageButtons::RetryCancel: return MessageAnswer::Retry;
    default: return MessageAnswer::Ok;
    }
}

} // namespace

MessageAnswer ScriptedMessageBoxes::show(const kiv::MessageRequest& request)
{
    shown_.push_back(request);
    if (look_)
        look_(request);
    if (!answers_.empty()) {
        const MessageAnswer answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    if (request.buttons != MessageButtons::Ok)
        ++unanswered_;
    return request.defaultButton.value_or(firstButton(request.buttons));
}

std::vector<QString> ScriptedMessageBoxes::texts() const
{
    std::vector<QString> result;
    for (const auto& request : shown_)
        result.push_back(request.text);
    return result;
}

std::vector<QString> ScriptedMessageBoxes::captions() const
{
    std::vector<QString> result;
    for (const auto& request : shown_)
        result.push_back(request.caption);
    return result;
}

void ScriptedMessageBoxes::clear()
{
    answers_.clear();
    shown_.clear();
    look_ = nullptr;
    unanswered_ = 0;
}

} // namespace kiv::test
