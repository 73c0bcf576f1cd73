#include "platform/TypedNumbers.h"

#include "platform/LanguageText.h"
#include "platform/Numbers.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace kiv {

namespace {

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

std::optional<long long> wholeNumber(std::string_view text)
{
    text = trimmed(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && (text.front() == '+' || text.front() == '-'))
            return std::nullopt;
    }
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<double> decimalNumber(std::string_view text, DecimalMark marks)
{
    std::string number(trimmed(text));
    std::string_view digitsAndPoint = number;
    if (!digitsAndPoint.empty() && (digitsAndPoint.front() == '+' || digitsAndPoint.front() == '-'))
        digitsAndPoint.remove_prefix(1);
    bool digits = false;
    bool point = false;
    for (const char c : digitsAndPoint) {
        if (c >= '0' && c <= '9')
            digits = true;
        else if ((c == '.' || (c == ',' && marks == DecimalMark::PointOrComma)) && !point)
            point = true;
        else
            return std::nullopt;
    }
    if (!digits)
        return std::nullopt;
    std::replace(number.begin(), number.end(), ',', '.');
    return parseDouble(number);
}

std::optional<double> realNumber(std::string_view text)
{
    text = trimmed(text);
    const std::size_t mark = text.find_first_of("eE");
    if (mark == std::string_view::npos)
        return decimalNumber(text);
    const std::string_view mantissa = text.substr(0, mark);
    std::string_view exponent = text.substr(mark + 1);
    if (!exponent.empty() && (exponent.front() == '+' || exponent.front() == '-'))
        exponent.remove_prefix(1);
    if (exponent.empty() || exponent.find_first_not_of("0123456789") != std::string_view::npos
        || trimmed(mantissa).size() != mantissa.size() || !decimalNumber(mantissa))
        return std::nullopt;
    return parseDouble(text);
}

IntegerCheck checkInteger(std::string_view text, int minimum, int maximum, bool english)
{
    const std::optional<long long> number = wholeNumber(text);
    if (!number)
        return {std::nullopt, inLanguage(english, "Please enter an integer.", "Bitte geben Sie eine ganze Zahl ein.")};
    if (*number < minimum || *number > maximum)
        return {std::nullopt, inLanguage(english, "Please enter an integer between %1 and %2.",
                                         "Bitte geben Sie eine ganze Zahl zwischen %1 und %2 ein.")
                                  .arg(minimum)
                                  .arg(maximum)};
    return {static_cast<int>(*number), {}};
}

RealCheck checkReal(std::string_view text, double minimum, double maximum, bool english)
{
    const std::optional<double> number = realNumber(text);
    if (!number)
        return {std::nullopt, inLanguage(english, "Please enter a number.", "Bitte geben Sie eine Zahl ein.")};
    if (*number < minimum || *number > maximum)
        return {std::nullopt, inLanguage(english, "Please enter a number between %1 and %2.",
                                         "Bitte geben Sie eine Zahl zwischen %1 und %2 ein.")
                                  .arg(QString::number(minimum, 'g', 6), QString::number(maximum, 'g', 6))};
    return {*number, {}};
}

} // namespace kiv
