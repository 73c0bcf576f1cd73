#include "platform/Numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace kiv {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Skips the leading white space and an optional sign; returns true for a minus.
bool takeSign(std::string_view& text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    if (text.empty() || (text.front() != '-' && text.front() != '+'))
        return false;
    const bool negative = text.front() == '-';
    text.remove_prefix(1);
    return negative;
}

// from_chars reports a value outside double's range without saying which side; the decimal
// exponent of the first significant digit tells: overflow is far above 1, underflow far below.
double outOfRange(std::string_view number)
{
    std::int64_t digitsBeforePoint = 0;
    std::int64_t leadingZerosAfterPoint = 0;
    bool seenPoint = false;
    bool seenSignificant = false;
    std::size_t i = 0;
    for (; i < number.size() && (isDigit(number[i]) || number[i] == '.'); ++i) {
        if (number[i] == '.') {
            seenPoint = true;
        } else if (!seenSignificant && number[i] == '0') {
            leadingZerosAfterPoint += seenPoint ? 1 : 0;
        } else {
            seenSignificant = true;
            digitsBeforePoint += seenPoint ? 0 : 1;
        }
    }
    int exponent = 0;
    if (i < number.size() && (number[i] == 'e' || number[i] == 'E'))
        exponent = parseInt(number.substr(i + 1));
    const std::int64_t magnitude = exponent + (digitsBeforePoint > 0 ? digitsBeforePoint : -leadingZerosAfterPoint);
    return magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
}

} // namespace

std::string formatFixed(double value, int decimals)
{
    // Large enough for the 309 integer digits of DBL_MAX plus any sensible number of decimals.
    std::array<char, 400> buffer{};
    if (decimals < 0 || decimals > 60)
        decimals = 6;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}

std::string formatSingle(double value)
{
    if (!std::isfinite(value))
        return formatFixed(value);
    const float held = static_cast<float>(value);
    std::string text;
    for (int decimals = 0; decimals <= 6; ++decimals) {
        text = formatFixed(value, decimals);
        if (static_cast<float>(parseDouble(text)) == held)
            break;
    }
    // Six decimals may still end in zeros, or be all zeros of a value too small for them.
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    if (text == "-0")
        text = "0";
    return text;
}

std::string formatInt(std::int64_t value)
{
    std::array<char, 24> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return std::string(buffer.data(), result.ptr);
}

double parseDouble(std::string_view text, bool* anyRead)
{
    const bool negative = takeSign(text);
    if (!text.empty() && text.front() == '-') // from_chars would take a second sign
        text = {};
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value,
                                        std::chars_format::general);
    const bool read = result.ptr != text.data();
    if (anyRead)
        *anyRead = read;
    if (!read)
        return 0.0;
    if (result.ec == std::errc::result_out_of_range)
        value = outOfRange(text);
    return negative ? -value : value;
}

int parseInt(std::string_view text, bool* anyRead)
{
    const bool negative = takeSign(text);
    std::int64_t value = 0;
    std::size_t digits = 0;
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<int>::max()} + 1;
    for (; digits < text.size() && isDigit(text[digits]); ++digits)
        value = std::min(kLimit, value * 10 + (text[digits] - '0'));
    if (anyRead)
        *anyRead = digits > 0;
    value = negative ? -value : std::min(value, kLimit - 1);
    return static_cast<int>(value);
}

} // namespace kiv
