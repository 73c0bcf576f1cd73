#pragma once
// The outcome of one picture read: a bitmap (null when the read failed) and the messages for the
// user, in the order the reader produced them.

#include "imaging/Bitmap.h"
#include "imaging/PictureBudget.h"
#include "imaging/ReaderMessage.h"

#include <new>

namespace kiv {

struct LoadResult {
    Bitmap bitmap;
    ReaderMessages messages;

    bool ok() const { return !bitmap.isNull(); }
};

// A failed read with one message.
inline LoadResult failure(ReaderMessage message)
{
    LoadResult result;
    result.messages.push_back(std::move(message));
    return result;
}

// The text every reader shows when a block for pixels cannot be had.
inline ReaderMessage outOfMemoryMessage()
{
    return {.caption = QString(), .text = QStringLiteral("Not enough memory to load datas"), .taskModal = true};
}

// The same message for a picture whose sides would take more than the budget, naming the limit.
inline ReaderMessage overBudgetMessage()
{
    ReaderMessage message = outOfMemoryMessage();
    message.text += QStringLiteral(": ") + pictureBudget::limitText();
    return message;
}

// Runs a reader, turning a block that cannot be had into the reader's message.
template <typename Decode>
LoadResult guardMemory(Decode decode)
{
    try {
        return decode();
    } catch (const std::bad_alloc&) {
        return failure(outOfMemoryMessage());
    }
}

} // namespace kiv
