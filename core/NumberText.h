#pragma once

// The number text rules of the equation form, independent of the user's locale.

#include <string>
#include <string_view>

#include <boost/multiprecision/cpp_int.hpp>

namespace NumberText {

// A recognised number, taken exactly: its value is -1^bNegative × digits × 10^exponent.
struct Decimal {
    bool bNegative = false;
    std::string digits;     // significant digits, no leading or trailing zeros; empty for zero
    long long exponent = 0; // saturates far beyond the range of doubles
};

// What a character typed with a Japanese input method or copied from another program reads as:
// full-width digits, signs, point, letters and the ideographic space, the dashes and minus signs
// of other scripts and the typographic blanks as their ASCII forms; every other character as
// itself.
wchar_t ToAsciiForm(wchar_t ch);
std::wstring ToAsciiForms(std::wstring_view text);

// The lenient number rule: leading white space, an optional sign, decimal digits with at most one
// '.', an optional exponent introduced by e, E, d or D. Commas between groups of three digits in
// the integer part are digit grouping ("12,345.5"); any other comma ends the number. The longest
// prefix of that form is the number; the rest is ignored, and text without a number is 0. Wide
// text is read by ToAsciiForm, without zero-width spaces and byte-order marks, and with an
// ideographic full stop between digits as the point; narrow text byte by byte.
Decimal Recognise(std::string_view text);
Decimal Recognise(std::wstring_view text);

// How a box's text reads: a number by the rule, or a fraction of two ("1/3", "-2 / 7", "1.5/2e3")
// whose value is the exact quotient; either may be followed by '%' ("25%" is 25/100).
struct Reading {
    enum Kind {
        kEmpty,           // no characters at all: 0
        kNumber,          // wholly one number or fraction, blanks around it allowed
        kPrefix,          // a number or fraction, then other text, which is ignored
        kNoNumber,        // no number where one should begin: 0
        kZeroDenominator, // a fraction whose denominator reads as zero: no value
    };
    Kind kind = kEmpty;
    Decimal numerator; // the value is numerator / denominator
    Decimal denominator{false, "1", 0};
    std::wstring read;     // the text that was read, in ASCII forms ("1", "1 / 2"); empty when none
    bool bPercent = false; // "25%": the denominator carries the hundred
};
Reading Read(std::wstring_view text);
Reading Read(std::string_view text);

// How a reading's parts fare as doubles, which decide what the solve takes them for: a part beyond
// the largest double has no value; a nonzero denominator below the smallest counts as zero, so
// the fraction has none (a kZeroDenominator reading); a nonzero numerator below it counts as 0.
enum class Range { kFits, kTooLarge, kTinyDenominator, kTinyNumerator };
Range RangeOf(const Reading& reading);
// Whether the solve can take the reading as a number: no zero denominator, no part too large.
bool HasValue(const Reading& reading);

// Whether the text is wholly one number or fraction (kNumber); with bFractions false, only a
// number.
bool IsNumber(std::wstring_view text, bool bFractions = true);

// The nearest double; a magnitude beyond the largest double gives an infinity, one below the
// smallest gives zero or a subnormal value.
double ToDouble(const Decimal& number);

// ToDouble of what the text begins with.
double ParseLenient(std::string_view text);
double ParseLenient(std::wstring_view text);

// The exact quotient numerator / denominator (denominator not zero) in fixed notation with six
// decimals, correctly rounded (to nearest, ties to even), in the form of C's "%lf": every integer
// digit, a '-' before a negative value even when it rounds to zero, 0.000000 for zero.
std::string FormatFixed(const boost::multiprecision::cpp_int& numerator,
                        const boost::multiprecision::cpp_int& denominator);

// The exact value numerator / denominator for the person who wants more than six decimals: empty
// when the six decimals are exact; else "= p/q" in lowest terms when both have at most 40
// digits, or its first 30 significant digits followed by "…".
std::wstring FormatExact(const boost::multiprecision::cpp_int& numerator,
                         const boost::multiprecision::cpp_int& denominator);

// The exact value numerator / denominator written short: an integer, else p/q in lowest terms
// when both have at most 40 digits, else the FormatFixed form.
std::string FormatShort(const boost::multiprecision::cpp_int& numerator,
                        const boost::multiprecision::cpp_int& denominator);

// A text of ASCII characters, as wide characters.
std::wstring Widen(std::string_view text);

// One result line: the letter, '=', the value's text, a line feed ("%c=%lf\n").
std::string FormatResultLine(char letter, const std::string& value);

} // namespace NumberText
