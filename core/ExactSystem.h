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
// rebuilds them by the Chinese remainder theorem. When the determinant is zero, one prime's
// echelon form proposes the rank and the pivots; Cramer's rule on the pivot block then gives the
// general solution, or weights on the rows show there is none, and either is checked exactly
// against the equations and columns outside the pivot block (inside it, Cramer's rule over
// enough primes is exact).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <boost/multiprecision/cpp_int.hpp>

#include "core/NumberText.h"

class CPrimeField;

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

    enum class Kind { kUnique, kNoSolution, kIndefinite };

    // Whether the system has exactly one solution; GetKind tells the rest. After kUnique, and for
    // an unknown that is not free after kIndefinite, unknown i is
    // GetNumerator(i) / GetDenominator() (positive) plus its terms in the free unknowns.
    bool Solve();
    Kind GetKind() const { return m_kind; }
    const cpp_int& GetDenominator() const { return m_denominator; }
    const cpp_int& GetNumerator(int i) const { return m_numerators[i]; }
    // After kIndefinite: whether unknown i is free, that is, has no pivot in the reduced row
    // echelon form taken column by column from the left; and whether it has terms in the free
    // unknowns (if not, it is fixed).
    bool IsFree(int i) const { return m_free[i]; }
    bool IsFixed(int i) const;
    // Unknown i correctly rounded to six decimals ("%lf" form); after kIndefinite, an unknown
    // with terms reads like "3 - 2b" or "1/2 + 3/4c - d" (see NumberText::FormatShort).
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

    // The steps of Solve: the rows made integers (false when an entry has no value); the unique
    // solution from values[0] = det and Cramer's numerators; with the determinant most likely
    // zero, the kind and the general solution from one prime's pivots, proved against the exact
    // rows (false when the proof fails).
    struct CScaled;
    bool Scale(CScaled& scaled) const;
    void SetUnique(std::vector<cpp_int>& values);
    bool ReduceByPrime(const CScaled& scaled, const std::vector<cpp_int>& rows);
    // ReduceByPrime's steps: the proposal; a minor solved by Cramer's rule over enough primes;
    // the proof that there is no solution, or the general solution, proved and taken.
    struct CProposal;
    CProposal Propose(const CScaled& scaled) const;
    bool SolveMinor(const CScaled& scaled, const std::vector<int>& taken, int r, int k,
                    const std::vector<size_t>& index, std::vector<cpp_int>& values) const;
    bool ProveNoSolution(const CScaled& scaled, const CProposal& proposal,
                         const std::vector<cpp_int>& rows) const;
    bool SolveGeneral(const CScaled& scaled, const CProposal& proposal,
                      const std::vector<cpp_int>& rows);
    bool ProveGeneral(const CProposal& proposal, const std::vector<int>& free,
                      const std::vector<cpp_int>& rows, const std::vector<cpp_int>& values) const;
    void TakeGeneral(const CProposal& proposal, const std::vector<int>& free,
                     const std::vector<cpp_int>& values);
    // The same by exact elimination, always right and much slower on long numbers.
    void ReduceSingular(std::vector<cpp_int> rows);
    CEntry& At(int nRow, int nCol)
    {
        return m_entries[static_cast<size_t>(nRow) * (m_n + 1) + nCol];
    }

    int m_n;
    std::vector<CEntry> m_entries; // row by row
    Kind m_kind = Kind::kNoSolution;
    cpp_int m_denominator;
    std::vector<cpp_int> m_numerators;
    std::vector<bool> m_free;
    // Unknown i's coefficient of unknown j, over the denominator; only after kIndefinite.
    std::vector<std::vector<cpp_int>> m_terms;
};
