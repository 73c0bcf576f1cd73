#pragma once
// What a picture reader has to tell the user. Readers never show anything themselves: they
// return these, and the caller hands them to showReaderMessages().

#include <QString>

#include <vector>

namespace kiv {
class Bell;
class MessageBoxes;
} // namespace kiv

namespace kiv {

struct ReaderMessage {
    enum class Icon { None, Hand }; // Hand: the stop sign of error boxes

    QString caption;
    QString text;
    Icon icon = Icon::None;
    bool beep = false;      // a warning sound goes before the box
    bool taskModal = false; // the box stops the whole program, not only one window

    friend bool operator==(const ReaderMessage&, const ReaderMessage&) = default;
};

using ReaderMessages = std::vector<ReaderMessage>;

// Shows the messages one after the other, each after its beep. The boxes have only an OK button,
// so nothing the user does changes what the reader did.
void showReaderMessages(const ReaderMessages& messages, MessageBoxes& boxes, Bell& bell);

} // namespace kiv
