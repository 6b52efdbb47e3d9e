#pragma once

// CPrimeField: arithmetic modulo one prime below 2^62, and the elimination that the exact solver
// runs once for each such prime. Elements are the residues 0 … p − 1.

#include <cstddef>
#include <cstdint>
#include <vector>

class CPrimeField {
public:
    explicit CPrimeField(uint64_t p) : m_p(p) {}

    // The index-th prime below 2^62, counting down from the largest. The list is found on first
    // use and kept; the solver runs on one thread.
    static uint64_t Prime(size_t index);

    uint64_t GetPrime() const { return m_p; }
    uint64_t Add(uint64_t a, uint64_t b) const
    {
        const uint64_t sum = a + b; // below 2^63: no wrap-around
        return sum >= m_p ? sum - m_p : sum;
    }
    uint64_t Sub(uint64_t a, uint64_t b) const { return a >= b ? a - b : a + (m_p - b); }
    uint64_t Mul(uint64_t a, uint64_t b) const
    {
        return static_cast<uint64_t>(static_cast<unsigned __int128>(a) * b % m_p);
    }
    // a must not be zero.
    uint64_t Inverse(uint64_t a) const;

    // Solves the n equations held row by row in the n × (n + k) residues of `a` (k right-hand
    // sides), which it overwrites. Returns the determinant of the coefficients; when that is not
    // zero, numerators[j·n + i] receives det × x_i for right-hand side j (Cramer's numerators).
    uint64_t SolveCramer(std::vector<uint64_t>& a, int n, std::vector<uint64_t>& numerators,
                         int k = 1) const;

    // Brings the rows × cols residues of `a` to row echelon form, taking columns from the left
    // and the first usable row; returns the pivot columns and, in `pivotRows`, the row of `a` as
    // given that each pivot came from.
    std::vector<int> RankProfile(std::vector<uint64_t>& a, int rows, int cols,
                                 std::vector<int>& pivotRows) const;

private:
    uint64_t m_p;
};
