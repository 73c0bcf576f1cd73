#pragma once
// A number shown in an edit as a user should read it: the value's text whole and from its
// start, with room for any value of the field. Left to itself an edit scrolls a long text to its
// end, which can hide a minus sign.

#include <QString>

class QLineEdit;

namespace kiv {

// Sets the text, makes the edit at least wide enough for `widest` (the longest text the field
// can show) and puts the cursor at the start.
void showNumberText(QLineEdit& edit, const QString& text, const QString& widest);

// The same for a single-precision value between low and high (see formatSingle).
void showSingle(QLineEdit& edit, double value, double low, double high);

} // namespace kiv
