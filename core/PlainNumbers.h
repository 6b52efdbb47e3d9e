#pragma once

// A system written for other programs: plain ASCII numbers that every spreadsheet and numeric
// tool reads as numbers. A value is written exactly where its decimal terminates ("1/4" as 0.25,
// "25%" as 0.25, "0.1" as 0.1); else as the 17 significant digits that read back as the nearest
// double ("1/3" as 0.33333333333333331). No quotes, no byte-order mark, '.' as the point.

#include <string>
#include <vector>

#include <boost/multiprecision/cpp_int.hpp>

#include "SystemTable.h"

namespace PlainNumbers {

// The value of a box's text as the solve reads it (an empty box or a text without a number is 0);
// empty when the text has no value (a zero denominator, a part beyond the doubles).
std::string OfText(const std::wstring& text);

// The value numerator / denominator (denominator not zero).
std::string OfFraction(const boost::multiprecision::cpp_int& numerator,
                       const boost::multiprecision::cpp_int& denominator);

using Table = std::vector<std::vector<std::string>>;

// The system's n equations, a row each; with bAnswers, and when the system has one solution, its
// answers as a last column. False, with the box's row and column, when a text has no value.
bool TableOf(const CSystemTable& system, bool bAnswers, Table& table, int& nRow, int& nCol);

// Comma-separated, CR LF after every row.
std::string Csv(const Table& table);
// Tab-separated, CR LF after every row: a spreadsheet's own clipboard text.
std::wstring Tabbed(const Table& table);
// The clipboard's "HTML Format": its header of byte offsets, then a table of the values.
std::string Html(const Table& table);

} // namespace PlainNumbers
