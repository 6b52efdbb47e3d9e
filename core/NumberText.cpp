#include "NumberText.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

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

unsigned At(std::wstring_view text, size_t k)
{
    return k < text.size() ? static_cast<unsigned>(text[k]) : 0u;
}

size_t SkipSpaces(std::wstring_view text, size_t i)
{
    while (IsSpace(At(text, i)))
        ++i;
    return i;
}

// Where the grouped integer part that begins at i ends ("12,345,678"), or i when it is not one:
// a first group of one to three digits without a leading zero, then groups of a comma and exactly
// three digits, and no comma or digit right after them.
size_t GroupedEnd(std::wstring_view text, size_t i)
{
    size_t j = i;
    while (IsDigit(At(text, j)))
        ++j;
    if (j == i || j - i > 3 || At(text, i) == '0')
        return i;
    size_t k = j;
    while (At(text, k) == ',' && IsDigit(At(text, k + 1)) && IsDigit(At(text, k + 2)) &&
           IsDigit(At(text, k + 3)) && !IsDigit(At(text, k + 4)))
        k += 4;
    return k == j || At(text, k) == ',' ? i : k;
}

// The mantissa's digits from i on, with at most one point and commas only where they group:
// where they end, and how many came after the point; npos when there was no digit at all.
size_t ScanMantissa(std::wstring_view text, size_t i, std::string& digits,
                    long long& fractionDigits)
{
    const size_t groupedEnd = GroupedEnd(text, i);
    bool seenPoint = false;
    bool seenDigit = false;
    fractionDigits = 0;
    for (; i < text.size(); ++i) {
        const unsigned ch = At(text, i);
        if (IsDigit(ch)) {
            seenDigit = true;
            if (seenPoint)
                ++fractionDigits;
            if (ch != '0' || !digits.empty())
                digits.push_back(static_cast<char>(ch));
        } else if (ch == '.' && !seenPoint) {
            seenPoint = true;
        } else if (ch != ',' || i >= groupedEnd) {
            break;
        }
    }
    return seenDigit ? i : std::wstring_view::npos;
}

// The exponent after e, E, d or D at i, saturated far beyond the range of doubles: where it
// ends. A letter not followed by digits ends the number before it.
size_t ScanExponent(std::wstring_view text, size_t i, long long& exponent)
{
    exponent = 0;
    const unsigned letter = At(text, i);
    if (letter != 'e' && letter != 'E' && letter != 'd' && letter != 'D')
        return i;
    size_t k = i + 1;
    const bool bNegative = At(text, k) == '-';
    if (At(text, k) == '+' || At(text, k) == '-')
        ++k;
    if (!IsDigit(At(text, k)))
        return i;
    for (i = k; IsDigit(At(text, i)); ++i) {
        const long long digit = At(text, i) - '0';
        exponent = exponent < kExponentLimit ? exponent * 10 + digit : kExponentLimit;
    }
    if (bNegative)
        exponent = -exponent;
    return i;
}

// The number by the rule that begins at i, after white space: where it ends, or npos when no
// digit stands where it should begin. The text holds ASCII forms already.
size_t ScanNumber(std::wstring_view text, size_t i, Decimal& number)
{
    number = Decimal{};
    i = SkipSpaces(text, i);
    if (At(text, i) == '+' || At(text, i) == '-') {
        number.bNegative = At(text, i) == '-';
        ++i;
    }
    // All digits go into the mantissa; the ones after the point lower the exponent.
    long long fractionDigits = 0;
    i = ScanMantissa(text, i, number.digits, fractionDigits);
    if (i == std::wstring_view::npos) {
        number = Decimal{};
        return i;
    }
    long long exponent = 0;
    i = ScanExponent(text, i, exponent);

    size_t trailingZeros = 0;
    while (trailingZeros < number.digits.size() &&
           number.digits[number.digits.size() - 1 - trailingZeros] == '0')
        ++trailingZeros;
    number.digits.resize(number.digits.size() - trailingZeros);
    number.exponent = number.digits.empty()
                          ? 0
                          : exponent - fractionDigits + static_cast<long long>(trailingZeros);
    return i;
}

// Wide text in the forms the rule reads.
std::wstring Prepared(std::wstring_view text)
{
    std::wstring prepared;
    prepared.reserve(text.size());
    for (const wchar_t ch : text)
        if (ch != 0x200B && ch != 0xFEFF) // zero-width space, byte-order mark
            prepared += ToAsciiForm(ch);
    // The full stop a kana-mode input method types for the point key.
    for (size_t i = 1; i + 1 < prepared.size(); ++i)
        if ((prepared[i] == 0x3002 || prepared[i] == 0xFF61) && IsDigit(prepared[i - 1]) &&
            IsDigit(prepared[i + 1]))
            prepared[i] = L'.';
    return prepared;
}

// Bytes as characters of the same codes: only ASCII means anything to the rule.
std::wstring Prepared(std::string_view text)
{
    std::wstring prepared;
    for (const char ch : text)
        prepared += static_cast<wchar_t>(static_cast<unsigned char>(ch));
    return prepared;
}

Decimal RecognisePrepared(std::wstring_view text)
{
    Decimal number;
    ScanNumber(text, 0, number);
    return number;
}

Reading ReadPrepared(std::wstring_view text)
{
    Reading reading;
    reading.kind = Reading::kNoNumber;
    const size_t start = SkipSpaces(text, 0);
    size_t end = ScanNumber(text, start, reading.numerator);
    if (end == std::wstring_view::npos)
        return reading;
    bool bFraction = false;
    if (const size_t slash = SkipSpaces(text, end); At(text, slash) == '/') {
        Decimal denominator;
        if (const size_t after = ScanNumber(text, slash + 1, denominator);
            after != std::wstring_view::npos) {
            reading.denominator = denominator;
            end = after;
            bFraction = true;
        }
    }
    // A percentage is the hundredth part: "25%" is 25/100.
    if (const size_t percent = SkipSpaces(text, end); At(text, percent) == '%') {
        reading.denominator.exponent += 2;
        if (reading.denominator.digits.empty())
            reading.denominator.exponent = 0;
        reading.bPercent = true;
        end = percent + 1;
    }
    reading.read = std::wstring(text.substr(start, end - start));
    reading.kind = SkipSpaces(text, end) == text.size() ? Reading::kNumber : Reading::kPrefix;
    if (bFraction && ToDouble(reading.denominator) == 0.0)
        reading.kind = Reading::kZeroDenominator;
    return reading;
}

} // namespace

wchar_t ToAsciiForm(wchar_t ch)
{
    if (ch >= 0xFF01 && ch <= 0xFF5E) // the full-width forms of '!' to '~'
        return static_cast<wchar_t>(ch - 0xFEE0);
    switch (ch) {
    case 0x3000: // ideographic space
        return L' ';
    case 0x00A0: // no-break space
    case 0x202F: // narrow no-break space
    case 0x205F: // medium mathematical space
        return L' ';
    case 0x2010: // hyphen
    case 0x2011: // non-breaking hyphen
    case 0x2012: // figure dash
    case 0x2013: // en dash
    case 0x2212: // minus sign, as JIS mappings give the full-width minus
    case 0x30FC: // what a kana input method writes for the minus key
    case 0xFE63: // small hyphen-minus
        return L'-';
    default:
        return ch >= 0x2000 && ch <= 0x200A ? L' ' : ch; // the typographic spaces
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
    return RecognisePrepared(Prepared(text));
}

Decimal Recognise(std::wstring_view text)
{
    return RecognisePrepared(Prepared(text));
}

Reading Read(std::wstring_view text)
{
    return text.empty() ? Reading{} : ReadPrepared(Prepared(text));
}

Reading Read(std::string_view text)
{
    return text.empty() ? Reading{} : ReadPrepared(Prepared(text));
}

Range RangeOf(const Reading& reading)
{
    const double top = ToDouble(reading.numerator);
    const double bottom = ToDouble(reading.denominator);
    if (std::isinf(top) || std::isinf(bottom))
        return Range::kTooLarge;
    if (bottom == 0.0 && !reading.denominator.digits.empty())
        return Range::kTinyDenominator;
    if (top == 0.0 && !reading.numerator.digits.empty())
        return Range::kTinyNumerator;
    return Range::kFits;
}

bool HasValue(const Reading& reading)
{
    return reading.kind != Reading::kZeroDenominator && RangeOf(reading) != Range::kTooLarge;
}

bool IsNumber(std::wstring_view text, bool bFractions)
{
    const Reading reading = Read(text);
    return reading.kind == Reading::kNumber &&
           (bFractions || reading.read.find(L'/') == std::wstring::npos);
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

namespace {

// The fraction in lowest terms when both its parts are below 10^40: Euclid's algorithm with the
// continued fraction's convergents, given up as soon as one grows too long, so that the answers'
// parts of thousands of digits cost no full greatest common divisor.
bool ShortFraction(cpp_int top, cpp_int bottom, cpp_int& p, cpp_int& q)
{
    static const cpp_int limit = pow(cpp_int(10), 40);
    cpp_int p1 = 1, p2 = 0, q1 = 0, q2 = 1;
    while (bottom != 0) {
        cpp_int quotient, remainder;
        divide_qr(top, bottom, quotient, remainder);
        cpp_int pNext = quotient * p1 + p2;
        cpp_int qNext = quotient * q1 + q2;
        if (pNext >= limit || qNext >= limit)
            return false;
        p2 = std::exchange(p1, std::move(pNext));
        q2 = std::exchange(q1, std::move(qNext));
        top = std::exchange(bottom, std::move(remainder));
    }
    p = p1;
    q = q1;
    return true;
}

} // namespace

std::wstring FormatExact(const cpp_int& numerator, const cpp_int& denominator)
{
    const cpp_int top = abs(numerator);
    const cpp_int bottom = abs(denominator);
    if ((top * 1000000) % bottom == 0)
        return L"";
    const std::wstring sign = (numerator < 0) != (denominator < 0) ? L"= -" : L"= ";
    cpp_int p, q;
    if (ShortFraction(top, bottom, p, q))
        return sign + Widen(p.str()) + L"/" + Widen(q.str());

    // 10^e <= top / bottom < 10^(e + 1), from the bits and then exactly; then the first 30
    // digits, cut rather than rounded, so that each digit shown is one of the value's own.
    const int kDigits = 30;
    auto power = [](long long k) -> cpp_int {
        return pow(cpp_int(10), static_cast<unsigned>(k));
    };
    auto below = [&](long long k) { // top / bottom < 10^k
        return k >= 0 ? top < bottom * power(k) : top * power(-k) < bottom;
    };
    long long e =
        static_cast<long long>(std::floor(static_cast<double>(static_cast<long long>(msb(top)) -
                                                              static_cast<long long>(msb(bottom))) *
                                          0.30102999566398120));
    while (below(e))
        --e;
    while (!below(e + 1))
        ++e;
    const long long shift = kDigits - 1 - e;
    const cpp_int dividend = shift >= 0 ? cpp_int(top * power(shift)) : top;
    const cpp_int divisor = shift >= 0 ? bottom : cpp_int(bottom * power(-shift));
    cpp_int digits, remainder;
    divide_qr(dividend, divisor, digits, remainder);
    std::string mantissa = digits.str();
    if (remainder == 0)
        mantissa.erase(mantissa.find_last_not_of('0') + 1);
    std::string text;
    std::string exponent; // after the ellipsis, which belongs to the digits
    if (e >= 0 && e < kDigits) {
        text = mantissa;
        if (text.size() < static_cast<size_t>(e) + 1)
            text.append(static_cast<size_t>(e) + 1 - text.size(), '0');
        if (text.size() > static_cast<size_t>(e) + 1)
            text.insert(static_cast<size_t>(e) + 1, 1, '.');
    } else if (e < 0 && e >= -6) {
        text = "0." + std::string(static_cast<size_t>(-e - 1), '0') + mantissa;
    } else {
        text = mantissa.substr(0, 1) + (mantissa.size() > 1 ? "." + mantissa.substr(1) : "");
        exponent = "e" + std::to_string(e);
    }
    return sign + Widen(text) + (remainder == 0 ? L"" : L"\x2026") + Widen(exponent);
}

std::string FormatShort(const cpp_int& numerator, const cpp_int& denominator)
{
    cpp_int quotient, remainder, p, q;
    divide_qr(numerator, denominator, quotient, remainder);
    if (remainder == 0)
        return quotient.str();
    if (ShortFraction(abs(numerator), abs(denominator), p, q))
        return ((numerator < 0) != (denominator < 0) ? "-" : "") + p.str() + "/" + q.str();
    return FormatFixed(numerator, denominator);
}

std::wstring Widen(std::string_view text)
{
    return std::wstring(text.begin(), text.end());
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
