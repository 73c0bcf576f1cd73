#include "imaging/ReaderMessage.h"

#include "platform/Bell.h"
#include "platform/MessageBoxes.h"

namespace kiv {

void showReaderMessages(const ReaderMessages& messages, MessageBoxes& boxes, Bell& bell)
{
    for (const ReaderMessage& m : messages) {
        if (m.beep)
            bell.beep();
        boxes.show({.caption = m.caption,
                    .text = m.text,
                    .buttons = MessageButtons::Ok,
                    .icon = m.icon == ReaderMessage::Icon::Hand ? MessageIcon::Error : MessageIcon::None});
    }
}

} // namespace kiv
