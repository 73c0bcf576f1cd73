#include "imaging/ReaderMessage.h"

#include "platform/Bell.h"
#include "platform/MessageBoxes.h"

namespace imaging {

void showReaderMessages(const ReaderMessages& messages, platform::MessageBoxes& boxes, platform::Bell& bell)
{
    for (const ReaderMessage& m : messages) {
        if (m.beep)
            bell.beep();
        boxes.show({m.caption, m.text, platform::MessageButtons::Ok,
                    m.icon == ReaderMessage::Icon::Hand ? platform::MessageIcon::Error : platform::MessageIcon::None});
    }
}

} // namespace imaging
