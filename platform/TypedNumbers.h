#pragma once
// Numbers typed into a dialog's edits: read only when the text is a number and nothing else, and
// the check a dialog makes on a whole number when OK is pressed, with the message that tells the
// user what the field takes.

#include <QString>

#include <optional>
#include <string_view>

namespace kiv {

// A whole number alone in the text (blanks around it allowed), or nothing.
std::optional<long long> wholeNumber(std::string_view text);
// The decimal marks a field takes: the point only, or the comma as well (as typed in German).
enum class DecimalMark { Point, PointOrComma };
// A decimal number alone in the text ("0.5", ".5", "-1", "1."), or nothing; one decimal mark
// at most, no exponent.
std::optional<double> decimalNumber(std::string_view text, DecimalMark marks = DecimalMark::Point);
// A number alone in the text as a dialog's real field takes it: a decimal number with the point,
// and an exponent if it likes ("1e-7", "-2.5E+3"); no "inf", "nan" or hexadecimal.
std::optional<double> realNumber(std::string_view text);

struct IntegerCheck {
    std::optional<int> value; // set when the text passes
    QString message;          // why it does not, in the dialog's language
};

IntegerCheck checkInteger(std::string_view text, int minimum, int maximum, bool english);

struct RealCheck {
    std::optional<double> value;
    QString message;
};

// The same for a real number; the bounds are shown with six significant digits.
RealCheck checkReal(std::string_view text, double minimum, double maximum, bool english);

} // namespace kiv
