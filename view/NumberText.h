#pragma once

// The number text rules of the equation form, independent of the user's locale.

#include <string>
#include <string_view>

namespace NumberText {

// The lenient number rule: leading white space, an optional sign, decimal digits with at most one
// '.', an optional exponent introduced by e, E, d or D. The longest prefix of that form converts
// to the nearest double; the rest is ignored, and text without a number is 0.
double ParseLenient(std::string_view text);
double ParseLenient(std::wstring_view text);

// The value in fixed notation with six decimals, digit for digit what C's "%lf" prints.
std::string FormatFixed(double value);

// One result line: the letter, '=', the value as FormatFixed, a line feed ("%c=%lf\n").
std::string FormatResultLine(char letter, double value);

} // namespace NumberText
