#include "NumberText.h"

#include <charconv>
#include <limits>

namespace NumberText {
namespace {

using boost::multiprecision::cpp_int;

// Far beyond any exponent that can still give a finite, nonzero double, yet far from overflow.
const long long kExponentLimit = 1000000000000LL;

bool IsSpace(unsigned ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

bool IsDigit(unsigned ch)
{
    return ch >= '0' && ch <= '9';
}

unsigned CodeOf(char ch)
{
    return static_cast<unsigned char>(ch);
}

unsigned CodeOf(wchar_t ch)
{
    return static_cast<unsigned>(ToAsciiForm(ch));
}

// Works on any character type; a wide character is read by its ASCII form.
template <typename Char> Decimal RecogniseText(std::basic_string_view<Char> text)
{
    size_t i = 0;
    const size_t n = text.size();
    auto at = [&](size_t k) -> unsigned {
        return k < n ? CodeOf(text[k]) : 0u;
    };

    while (i < n && IsSpace(at(i)))
        ++i;

    Decimal number;
    if (at(i) == '+' || at(i) == '-') {
        number.bNegative = at(i) == '-';
        ++i;
    }

    // All digits go into the mantissa; the ones after the point lower the exponent.
    bool seenPoint = false;
    bool seenDigit = false;
    long long fractionDigits = 0;
    for (; i < n; ++i) {
        const unsigned ch = at(i);
        if (IsDigit(ch)) {
            seenDigit = true;
            if (seenPoint)
                ++fractionDigits;
            if (ch != '0' || !number.digits.empty())
                number.digits.push_back(static_cast<char>(ch));
        } else if (ch == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!seenDigit)
        return Decimal{};

    long long exponent = 0;
    const unsigned letter = at(i);
    if (letter == 'e' || letter == 'E' || letter == 'd' || letter == 'D') {
        size_t k = i + 1;
        const bool expNegative = at(k) == '-';
        if (at(k) == '+' || at(k) == '-')
            ++k;
        // A letter not followed by digits ends the number before it.
        for (; IsDigit(at(k)); ++k) {
            const long long digit = at(k) - '0';
            exponent = exponent < kExponentLimit ? exponent * 10 + digit : kExponentLimit;
        }
        if (expNegative)
            exponent = -exponent;
    }

    size_t trailingZeros = 0;
    while (trailingZeros < number.digits.size() &&
           number.digits[number.digits.size() - 1 - trailingZeros] == '0')
        ++trailingZeros;
    number.digits.resize(number.digits.size() - trailingZeros);
    number.exponent = number.digits.empty()
                          ? 0
                          : exponent - fractionDigits + static_cast<long long>(trailingZeros);
    return number;
}

} // namespace

wchar_t ToAsciiForm(wchar_t ch)
{
    if (ch >= 0xFF01 && ch <= 0xFF5E) // the full-width forms of '!' to '~'
        return static_cast<wchar_t>(ch - 0xFEE0);
    switch (ch) {
    case 0x3000: // ideographic space
        return L' ';
    case 0x2212: // minus sign, as JIS mappings give the full-width minus
    case 0x30FC: // what a kana input method writes for the minus key
        return L'-';
    default:
        return ch;
    }
}

std::wstring ToAsciiForms(std::wstring_view text)
{
    std::wstring folded(text);
    for (wchar_t& ch : folded)
        ch = ToAsciiForm(ch);
    return folded;
}

Decimal Recognise(std::string_view text)
{
    return RecogniseText(text);
}

Decimal Recognise(std::wstring_view text)
{
    return RecogniseText(text);
}

double ToDouble(const Decimal& number)
{
    double value = 0.0;
    if (!number.digits.empty()) {
        const std::string text = number.digits + "e" + std::to_string(number.exponent);
        const auto result = std::from_chars(text.data(), text.data() + text.size(), value,
                                            std::chars_format::scientific);
        // from_chars leaves the value alone on both overflow and underflow; the power of ten of
        // the first digit tells them apart.
        if (result.ec == std::errc::result_out_of_range) {
            const long long magnitude =
                static_cast<long long>(number.digits.size()) - 1 + number.exponent;
            value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
        }
    }
    return number.bNegative ? -value : value;
}

double ParseLenient(std::string_view text)
{
    return ToDouble(Recognise(text));
}

double ParseLenient(std::wstring_view text)
{
    return ToDouble(Recognise(text));
}

std::string FormatFixed(const cpp_int& numerator, const cpp_int& denominator)
{
    const cpp_int scaled = abs(numerator) * 1000000;
    const cpp_int divisor = abs(denominator);
    cpp_int quotient, remainder;
    divide_qr(scaled, divisor, quotient, remainder);
    remainder <<= 1;
    const int comparison = remainder.compare(divisor);
    if (comparison > 0 || (comparison == 0 && bit_test(quotient, 0)))
        ++quotient;

    std::string digits = quotient.str();
    if (digits.size() < 7)
        digits.insert(0, 7 - digits.size(), '0');
    digits.insert(digits.size() - 6, 1, '.');
    const bool bNegative = numerator != 0 && (numerator < 0) != (denominator < 0);
    return bNegative ? "-" + digits : digits;
}

std::string FormatResultLine(char letter, const std::string& value)
{
    std::string line(1, letter);
    line += '=';
    line += value;
    line += '\n';
    return line;
}

} // namespace NumberText
