#pragma once
// The message box service. Boxes have no owner window; captions and texts are passed exactly as
// they are to appear, in the language the caller chose at the call.

#include <QString>

#include <optional>

namespace kiv {

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class MessageIcon { None, Information, Question, Exclamation, Error };
enum class MessageAnswer { Ok, Cancel, Yes, No, Retry };

// Filled by field name ({.caption = …, .text = …}): the two texts side by side would compile
// either way round.
struct MessageRequest {
    QString caption{};
    QString text{};
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    // The button Return presses; unset: the first of the buttons.
    std::optional<MessageAnswer> defaultButton{};
};

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Shows the box modally and returns the button chosen. Closing the box counts as Cancel,
    // or as No for a Yes/No box, or Ok for an Ok box.
    virtual MessageAnswer show(const MessageRequest& request) = 0;
};

} // namespace kiv
