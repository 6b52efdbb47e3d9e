#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace NumberText {
namespace {

bool IsSpace(unsigned ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

bool IsDigit(unsigned ch)
{
    return ch >= '0' && ch <= '9';
}

// The power of ten of the first significant digit of mantissa times 10^exponent. from_chars
// leaves the value alone on both overflow and underflow; this tells the two apart.
long long DecimalMagnitude(const std::string& mantissa, const std::string& exponent)
{
    long long intDigits = 0;
    while (intDigits < static_cast<long long>(mantissa.size()) && mantissa[intDigits] != '.')
        ++intDigits;
    long long leadingZeros = 0;
    for (char ch : mantissa) {
        if (ch == '.')
            continue;
        if (ch != '0')
            break;
        ++leadingZeros;
    }
    long long exp = 0;
    size_t k = 0;
    const bool expNegative = !exponent.empty() && exponent[0] == '-';
    if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-'))
        k = 1;
    for (; k < exponent.size(); ++k)
        exp = exp < 1000000000 ? exp * 10 + (exponent[k] - '0') : exp; // saturates
    return intDigits - 1 - leadingZeros + (expNegative ? -exp : exp);
}

// Scans the recognised prefix and rewrites it in the form from_chars takes: no '+', 'e' as the
// only exponent letter. Works on any character type; only ASCII characters can be part of it.
template <typename Char> double Parse(std::basic_string_view<Char> text)
{
    size_t i = 0;
    const size_t n = text.size();
    auto at = [&](size_t k) -> unsigned {
        return k < n ? static_cast<unsigned>(text[k]) : 0u;
    };

    while (i < n && IsSpace(at(i)))
        ++i;

    bool negative = false;
    if (at(i) == '+' || at(i) == '-') {
        negative = at(i) == '-';
        ++i;
    }

    std::string mantissa;
    bool seenPoint = false;
    int digits = 0;
    for (; i < n; ++i) {
        const unsigned ch = at(i);
        if (IsDigit(ch)) {
            mantissa.push_back(static_cast<char>(ch));
            ++digits;
        } else if (ch == '.' && !seenPoint) {
            mantissa.push_back('.');
            seenPoint = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return 0.0;

    std::string exponent;
    const unsigned letter = at(i);
    if (letter == 'e' || letter == 'E' || letter == 'd' || letter == 'D') {
        size_t k = i + 1;
        std::string candidate;
        if (at(k) == '+' || at(k) == '-')
            candidate.push_back(static_cast<char>(at(k++)));
        size_t expDigits = 0;
        while (IsDigit(at(k))) {
            candidate.push_back(static_cast<char>(at(k++)));
            ++expDigits;
        }
        if (expDigits > 0)
            exponent = candidate;
    }

    std::string number = mantissa;
    if (!exponent.empty())
        number += "e" + exponent;

    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range)
        value = DecimalMagnitude(mantissa, exponent) > 0 ? std::numeric_limits<double>::infinity()
                                                         : 0.0;
    return negative ? -value : value;
}

} // namespace

double ParseLenient(std::string_view text)
{
    return Parse(text);
}

double ParseLenient(std::wstring_view text)
{
    return Parse(text);
}

std::string FormatFixed(double value)
{
    // 309 integer digits for the largest double, a sign, a point and six decimals.
    char buffer[std::numeric_limits<double>::max_exponent10 + 20];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    return std::string(buffer, result.ptr);
}

std::string FormatResultLine(char letter, double value)
{
    std::string line(1, letter);
    line += '=';
    line += FormatFixed(value);
    line += '\n';
    return line;
}

} // namespace NumberText
