#pragma once
// Number text that does not depend on the C locale: the program's files and profile always use
// '.' as the decimal point, also when the user's locale (set by Qt at start-up) says ','.
// Output is that of printf("%f") / printf("%d"); input that of atof / atoi: leading white space
// is skipped, an optional sign and the longest number that follows are read, the rest is ignored.

#include <cstdint>
#include <string>
#include <string_view>

namespace kiv {

// printf("%.*f", decimals, value): "20.000000", "-0.500000", "inf", "nan".
std::string formatFixed(double value, int decimals = 6);
// A value held in single precision, as a user should read it: the fewest decimals (at most 6)
// that give back the same float, no exponent, no "-0": 11.6000003814697 gives "11.6".
std::string formatSingle(double value);
// printf("%d").
std::string formatInt(std::int64_t value);

// atof: 0.0 when no number begins the text. A value beyond double's range gives +-infinity,
// one below the smallest denormal +-0. "inf" and "nan" are read as strtod reads them.
// *anyRead tells whether a number was found.
double parseDouble(std::string_view text, bool* anyRead = nullptr);
// atoi with decimal digits only, saturating at the limits of int instead of overflowing.
int parseInt(std::string_view text, bool* anyRead = nullptr);

} // namespace kiv
