#pragma once

// CExactSystem: n linear equations in n unknowns as typed into the equation form, solved without
// rounding.
//
// Each text counts as the exact number or fraction that NumberText::Read finds in it ("0.1" is
// one tenth, not the nearest double; "1/3" one third). A number whose double is infinite, or a
// fraction with such a part or a zero denominator, leaves the system without a solution; a
// nonzero number whose double is zero counts as zero, as in the floating-point reading of the
// same text.
//
// Solve scales each row to integers and finds the determinant and Cramer's numerators modulo
// primes below 2^62 until the primes' product exceeds twice Hadamard's bound on all of them, then
// rebuilds them by the Chinese remainder theorem.

#include <string>
#include <string_view>
#include <vector>

#include <boost/multiprecision/cpp_int.hpp>

#include "core/NumberText.h"

class CExactSystem {
public:
    using cpp_int = boost::multiprecision::cpp_int;

    // n equations of n coefficients and a right-hand side, all zero.
    explicit CExactSystem(int n);

    int GetCount() const { return m_n; }

    // Column nCol < n is the coefficient of unknown nCol in equation nRow; column n its
    // right-hand side.
    void SetText(int nRow, int nCol, std::string_view text);
    void SetText(int nRow, int nCol, std::wstring_view text);

    // Whether the system has exactly one solution. After true, unknown i is
    // GetNumerator(i) / GetDenominator(), with a positive denominator.
    bool Solve();
    const cpp_int& GetDenominator() const { return m_denominator; }
    const cpp_int& GetNumerator(int i) const { return m_numerators[i]; }
    // Unknown i after a successful Solve, correctly rounded to six decimals ("%lf" form).
    std::string FormatAnswer(int i) const;

private:
    // -1^bNegative × magnitude × 10^exponent / denominator; a zero has magnitude 0.
    struct CEntry {
        bool bNegative = false;
        bool bNoValue = false; // a part's double is infinite, or the denominator is zero
        cpp_int magnitude;
        cpp_int denominator = 1;
        long long exponent = 0;
    };

    void SetReading(int nRow, int nCol, const NumberText::Reading& reading);
    CEntry& At(int nRow, int nCol)
    {
        return m_entries[static_cast<size_t>(nRow) * (m_n + 1) + nCol];
    }

    int m_n;
    std::vector<CEntry> m_entries; // row by row
    cpp_int m_denominator;
    std::vector<cpp_int> m_numerators;
};
