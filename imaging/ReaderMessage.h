#pragma once
// What a picture reader has to tell the user. Readers never show anything themselves: they
// return these, and the caller hands them to the message service of the user interface.

#include <QString>

#include <vector>

namespace imaging {

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

} // namespace imaging
