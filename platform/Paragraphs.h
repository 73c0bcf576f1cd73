#pragma once
// Long texts written with hard line breaks, for a box that wraps words itself: the lines of a
// paragraph joined by single spaces, paragraphs (empty lines in the source) kept apart by one
// empty line. Without this the box wraps each short line again and the right edge goes ragged.

#include "platform/MessageBoxes.h"

#include <QString>

namespace kiv {

QString asParagraphs(const QString& text);

// A dialog's Help or Info box: its text as paragraphs, with one OK button.
MessageRequest helpBox(const QString& caption, const QString& text, MessageIcon icon);

} // namespace kiv
