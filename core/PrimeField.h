#pragma once

// CPrimeField: arithmetic modulo one prime between 2^61 and 2^62, and the elimination that the
// exact solver runs once for each such prime. Elements are the residues 0 … p − 1.
//
// Products are reduced by Montgomery's method with R = 2^64, which needs no division: the
// 128-by-64-bit division it replaces is a slow library call on x86-64. It is exact for every odd
// p < 2^62, since a product of two residues stays below p·R, and the sums below keep every
// intermediate under 2^128.

#include <cstddef>
#include <cstdint>
#include <vector>

class CPrimeField {
public:
    explicit CPrimeField(uint64_t p);

    // The index-th prime below 2^62, counting down from the largest. The list grows on demand
    // and is kept; the solver runs on one thread.
    static uint64_t Prime(size_t index);

    uint64_t GetPrime() const { return m_p; }
    uint64_t Sub(uint64_t a, uint64_t b) const { return AddIfNegative(a - b); }
    uint64_t Mul(uint64_t a, uint64_t b) const { return ToMontgomery(Reduce(Wide(a) * b)); }
    // a must not be zero.
    uint64_t Inverse(uint64_t a) const;
    // The residue of the number whose 64-bit limbs, least significant first, are given, times
    // the number whose Montgomery form is `factor` (by default one).
    uint64_t Residue(const unsigned long long* pLimbs, size_t count, uint64_t factor) const
    {
        if (count <= 1) // one limb times a form below p is below p·R: one reduction
            return count == 0 ? 0 : Reduce(Wide(pLimbs[0]) * factor);
        return MulMontgomery(LongResidue(pLimbs, count), factor);
    }
    uint64_t Residue(const unsigned long long* pLimbs, size_t count) const
    {
        return Residue(pLimbs, count, m_r1);
    }
    // Σ a[t]·b[t] for t < count, of numbers a[t] below 2^62 and Montgomery forms b[t].
    uint64_t Dot(const uint64_t* a, const uint64_t* b, size_t count) const;

    // a·R mod p, the Montgomery form of a, in which a product costs one reduction: the form of
    // a·b is MulMontgomery of the forms, and MulMontgomery(a, form of b) is plain a·b.
    uint64_t ToMontgomery(uint64_t a) const { return Reduce(Wide(a) * m_r2); }
    uint64_t FromMontgomery(uint64_t a) const { return Reduce(a); }
    uint64_t MulMontgomery(uint64_t a, uint64_t b) const { return Reduce(Wide(a) * b); }

    // Solves the n equations held row by row in the n × (n + k) Montgomery forms of `a` (k
    // right-hand sides), which it overwrites. Returns the determinant of the coefficients; when
    // that is not zero, numerators[j·n + i] receives det × x_i for right-hand side j (Cramer's
    // numerators). Both are plain residues.
    uint64_t SolveCramer(std::vector<uint64_t>& a, int n, std::vector<uint64_t>& numerators,
                         int k = 1) const;

    // Brings the rows × cols residues of `a` (or their Montgomery forms: the pivots are the
    // same) to row echelon form, taking columns from the left and the first usable row; returns
    // the pivot columns and, in `pivotRows`, the row of `a` as given that each pivot came from.
    std::vector<int> RankProfile(std::vector<uint64_t>& a, int rows, int cols,
                                 std::vector<int>& pivotRows) const;

private:
    using Wide = unsigned __int128;

    // t·R⁻¹ mod p, for t < 2p·R: then t + m·p < 3p·R < 2^128 and the quotient is below 3p.
    uint64_t Reduce(Wide t) const
    {
        const uint64_t m = static_cast<uint64_t>(t) * m_negInverse; // t + m·p ≡ 0 mod R
        const uint64_t u = static_cast<uint64_t>((t + Wide(m) * m_p) >> 64);
        return AddIfNegative(AddIfNegative(u - m_p) - m_p);
    }
    // d + p when d, read as signed, is negative, for d in [−p, 2p). No branch: residues are
    // random, so a branch would be mispredicted half the time.
    uint64_t AddIfNegative(uint64_t d) const { return d + (m_p & (0 - (d >> 63))); }
    // Of a Montgomery form, the form of its inverse.
    uint64_t InverseMontgomery(uint64_t a) const
    {
        return ToMontgomery(ToMontgomery(Inverse(a))); // (aR)⁻¹·R² = a⁻¹R
    }

    // A value left in [0, 2p) brought into [0, p), in place.
    uint64_t Reduced(uint64_t& x) const { return x = AddIfNegative(x - m_p); }

    // SolveCramer's steps: the triangle, FALSE when the determinant is zero; the determinant and
    // the inverses of the pivots and of the multipliers' product; the numerators.
    bool Eliminate(std::vector<uint64_t>& a, int n, int w, std::vector<uint64_t>& inverses,
                   bool& bNegative) const;
    uint64_t InvertPivots(std::vector<uint64_t>& inverses, bool bNegative) const;
    void BackSubstitute(std::vector<uint64_t>& a, int n, int k,
                        const std::vector<uint64_t>& inverses, uint64_t det,
                        std::vector<uint64_t>& numerators) const;

    uint64_t LongResidue(const unsigned long long* pLimbs, size_t count) const;
    // row[j] = α·row[j] + β·pivotRow[j] for j < count, on Montgomery forms.
    void Combine(uint64_t* pRow, const uint64_t* pPivotRow, uint64_t alpha, uint64_t beta,
                 int count) const;

    uint64_t m_p;
    uint64_t m_negInverse; // −p⁻¹ mod R
    uint64_t m_r1;         // R mod p
    uint64_t m_r2;         // R² mod p
    uint64_t m_r3;         // R³ mod p
    // R^i mod p, the weight of limb i, grown as longer numbers come.
    mutable std::vector<uint64_t> m_limbWeights;
};
