#pragma once

// The answers the program must show, found independently of its solver: elimination over exact
// rationals, each value then rounded to six decimals by the program's own number format.

#include <string>
#include <vector>

#include "common/Rational.h"
#include "core/NumberText.h"

// The answer texts for a system of integers (n rows of n coefficients and a right-hand side);
// empty when the system has no unique solution.
inline std::vector<std::wstring> ReferenceAnswers(const std::vector<std::vector<int>>& system)
{
    RationalRows rows;
    for (const std::vector<int>& row : system)
        rows.emplace_back(row.begin(), row.end());
    std::vector<std::wstring> answers;
    if (const auto x = RationalSolve(rows))
        for (const boost::multiprecision::cpp_rational& v : *x) {
            const std::string text = NumberText::FormatFixed(numerator(v), denominator(v));
            answers.emplace_back(text.begin(), text.end());
        }
    return answers;
}
