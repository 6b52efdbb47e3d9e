#include "PrimeField.h"

#include <algorithm>
#include <bitset>
#include <utility>

namespace {

// Miller–Rabin for an odd n below 2^62 with no factor below 128. These seven bases decide every
// n below 2^64 (Jim Sinclair's set). Base 2 goes first, alone, as most composites fail it; the
// other six then go together, whose independent products keep the multiplier busy.
bool IsPrime(uint64_t n)
{
    static const uint64_t kBases[] = {2, 325, 9375, 28178, 450775, 9780504, 1795265022};
    constexpr size_t kCount = sizeof kBases / sizeof kBases[0];
    const CPrimeField field(n);
    const uint64_t one = field.ToMontgomery(1), minusOne = field.Sub(0, one);
    uint64_t d = n - 1;
    int s = 0;
    for (; (d & 1) == 0; d >>= 1)
        ++s;
    auto passes = [&](size_t first, size_t last) {
        uint64_t x[kCount], power[kCount];
        for (size_t b = first; b < last; ++b) {
            x[b] = one;
            power[b] = field.ToMontgomery(kBases[b] % n);
        }
        for (uint64_t e = d; e != 0; e >>= 1)
            for (size_t b = first; b < last; ++b) {
                if (e & 1)
                    x[b] = field.MulMontgomery(x[b], power[b]);
                power[b] = field.MulMontgomery(power[b], power[b]);
            }
        for (size_t b = first; b < last; ++b) {
            if (x[b] == one || x[b] == minusOne)
                continue;
            bool bWitness = true;
            for (int i = 1; i < s && bWitness; ++i) {
                x[b] = field.MulMontgomery(x[b], x[b]);
                bWitness = x[b] != minusOne;
            }
            if (bWitness)
                return false;
        }
        return true;
    };
    return passes(0, 1) && passes(1, kCount);
}

} // namespace

CPrimeField::CPrimeField(uint64_t p) : m_p(p)
{
    uint64_t inverse = p; // right in its low three bits, as p·p ≡ 1 mod 8 for odd p
    for (int i = 0; i < 5; ++i)
        inverse *= 2 - p * inverse; // each step doubles the bits that are right
    m_negInverse = 0 - inverse;
    m_r1 = (0 - p) % p; // 2^64 − p ≡ R
    m_r2 = static_cast<uint64_t>(Wide(m_r1) * m_r1 % p);
    m_r3 = Reduce(Wide(m_r2) * m_r2);
}

uint64_t CPrimeField::Prime(size_t index)
{
    static std::vector<uint64_t> primes;
    static uint64_t next = (uint64_t{1} << 62) - 1; // the next odd candidate, going down
    // The candidates come in windows; multiples of the small primes are struck out first, so
    // that Miller–Rabin runs on about one odd number in four.
    static const uint32_t kSmall[] = {3,  5,  7,  11, 13,  17,  19,  23,  29,  31,
                                      37, 41, 43, 47, 53,  59,  61,  67,  71,  73,
                                      79, 83, 89, 97, 101, 103, 107, 109, 113, 127};
    constexpr uint32_t kWindow = 1024; // odd numbers next, next − 2, …
    while (primes.size() <= index) {
        std::bitset<kWindow> struck;
        for (uint32_t q : kSmall) // next − 2i ≡ 0 when i ≡ next·2⁻¹ (mod q), and 2⁻¹ = (q + 1)/2
            for (uint64_t i = next % q * ((q + 1) / 2) % q; i < kWindow; i += q)
                struck[i] = true;
        for (uint32_t i = 0; i < kWindow; ++i)
            if (!struck[i] && IsPrime(next - 2 * uint64_t{i}))
                primes.push_back(next - 2 * uint64_t{i});
        next -= 2 * uint64_t{kWindow};
    }
    return primes[index];
}

uint64_t CPrimeField::Inverse(uint64_t a) const
{
    // Extended Euclid; the coefficients stay within ±p, far inside 64 bits.
    int64_t t = 0, nextT = 1;
    uint64_t r = m_p, nextR = a;
    while (nextR != 0) {
        const uint64_t q = r / nextR;
        t = std::exchange(nextT, t - static_cast<int64_t>(q) * nextT);
        r = std::exchange(nextR, r - q * nextR);
    }
    return t < 0 ? static_cast<uint64_t>(t + static_cast<int64_t>(m_p)) : static_cast<uint64_t>(t);
}

uint64_t CPrimeField::LongResidue(const unsigned long long* pLimbs, size_t count) const
{
    while (m_limbWeights.size() < count)
        m_limbWeights.push_back(m_limbWeights.empty() ? 1 : ToMontgomery(m_limbWeights.back()));
    // Σ limb·weight, each product below 2^126, summed into 128 bits and a count of carries: no
    // product waits for the one before.
    Wide sum = 0;
    uint64_t carries = 0;
    for (size_t i = 0; i < count; ++i) {
        const Wide product = Wide(pLimbs[i]) * m_limbWeights[i];
        sum += product;
        carries += sum < product;
    }
    // carries·R² + high·R + low: the first two by one reduction, low by another.
    const uint64_t upper =
        Reduce(Wide(carries) * m_r3 + Wide(static_cast<uint64_t>(sum >> 64)) * m_r2);
    const uint64_t lower = Reduce(Wide(static_cast<uint64_t>(sum)) * m_r1);
    return AddIfNegative(upper - (m_p - lower));
}

uint64_t CPrimeField::Dot(const uint64_t* a, const uint64_t* b, size_t count) const
{
    // Each product is below 2^62·p, so eight of them stay below 2p·R, which one reduction takes;
    // two sums of four let the additions of one wait less for the other's.
    uint64_t result = 0;
    for (size_t start = 0; start < count; start += 8) {
        const size_t end = std::min(count, start + 8);
        Wide even = 0, odd = 0;
        size_t t = start;
        for (; t + 2 <= end; t += 2) {
            even += Wide(a[t]) * b[t];
            odd += Wide(a[t + 1]) * b[t + 1];
        }
        if (t < end)
            even += Wide(a[t]) * b[t];
        result = AddIfNegative(result - (m_p - Reduce(even + odd)));
    }
    return result;
}

void CPrimeField::Combine(uint64_t* pRow, const uint64_t* pPivotRow, uint64_t alpha, uint64_t beta,
                          int count) const
{
    // The hottest loop of the exact solve. Its numbers stay in [0, 2p), one subtraction short of
    // reduced: with α, β < p the sum of products is below 4p² ≤ p·R, whose reduction is again
    // below 2p. The constants are copied so that the stores to the row cannot make the compiler
    // fetch them again.
    const uint64_t p = m_p, negInverse = m_negInverse;
    for (int j = 0; j < count; ++j) {
        const Wide t = Wide(alpha) * pRow[j] + Wide(beta) * pPivotRow[j];
        const uint64_t m = static_cast<uint64_t>(t) * negInverse;
        pRow[j] = static_cast<uint64_t>((t + Wide(m) * p) >> 64);
    }
}

uint64_t CPrimeField::SolveCramer(std::vector<uint64_t>& a, int n,
                                  std::vector<uint64_t>& numerators, int k) const
{
    // The pivots, then the product of every row's multipliers; then their inverses.
    std::vector<uint64_t> inverses(static_cast<size_t>(n) + 1, m_r1);
    bool bNegative = false;
    if (!Eliminate(a, n, n + k, inverses, bNegative))
        return 0;
    const uint64_t det = InvertPivots(inverses, bNegative);
    BackSubstitute(a, n, k, inverses, det, numerators);
    return FromMontgomery(det);
}

// Elimination without division: row r becomes pivot·row r − a(r, c)·pivot row, so that no
// inverse waits in the middle of it. Each row's multipliers are kept, for the determinant.
bool CPrimeField::Eliminate(std::vector<uint64_t>& a, int n, int w, std::vector<uint64_t>& inverses,
                            bool& bNegative) const
{
    auto at = [&](int r, int c) -> uint64_t& {
        return a[static_cast<size_t>(r) * w + c];
    };
    uint64_t& scale = inverses[static_cast<size_t>(n)];
    for (int c = 0; c < n; ++c) {
        int pivot = c;
        while (pivot < n && Reduced(at(pivot, c)) == 0)
            ++pivot;
        if (pivot == n)
            return false;
        if (pivot != c) {
            std::swap_ranges(&at(pivot, c), &at(pivot, 0) + w, &at(c, c));
            bNegative = !bNegative;
        }
        const uint64_t alpha = at(c, c);
        inverses[static_cast<size_t>(c)] = alpha;
        for (int r = c + 1; r < n; ++r)
            if (Reduced(at(r, c)) != 0) {
                Combine(&at(r, c + 1), &at(c, c + 1), alpha, m_p - at(r, c), w - c - 1);
                scale = MulMontgomery(scale, alpha);
            }
    }
    return true;
}

// det = ± Π pivots / Π multipliers; all the inverses for the price of one (Montgomery's trick:
// invert the product, then peel it). Returns det in Montgomery form.
uint64_t CPrimeField::InvertPivots(std::vector<uint64_t>& inverses, bool bNegative) const
{
    const size_t n = inverses.size() - 1;
    uint64_t det = m_r1;
    for (size_t c = 0; c < n; ++c)
        det = MulMontgomery(det, inverses[c]);
    std::vector<uint64_t> prefix(inverses.size());
    uint64_t product = m_r1;
    for (size_t i = 0; i < inverses.size(); ++i)
        prefix[i] = product = MulMontgomery(product, inverses[i]);
    uint64_t inverse = InverseMontgomery(product);
    for (size_t i = inverses.size(); i-- != 0;) {
        const uint64_t value = inverses[i];
        inverses[i] = i == 0 ? inverse : MulMontgomery(inverse, prefix[i - 1]);
        inverse = MulMontgomery(inverse, value);
    }
    det = MulMontgomery(det, inverses[n]); // the multipliers' product, inverted
    return bNegative ? Sub(0, det) : det;
}

// The triangle solved for each right-hand side; det·R × x·R reduces to det·x·R, and one more
// reduction leaves the plain residue.
void CPrimeField::BackSubstitute(std::vector<uint64_t>& a, int n, int k,
                                 const std::vector<uint64_t>& inverses, uint64_t det,
                                 std::vector<uint64_t>& numerators) const
{
    const int w = n + k;
    auto at = [&](int r, int c) -> uint64_t& {
        return a[static_cast<size_t>(r) * w + c];
    };
    numerators.assign(static_cast<size_t>(n) * k, 0);
    for (int j = 0; j < k; ++j) {
        uint64_t* x = numerators.data() + static_cast<size_t>(j) * n;
        for (int i = n - 1; i >= 0; --i) {
            uint64_t s = Reduced(at(i, n + j));
            for (int c = i + 1; c < n; ++c)
                s = Sub(s, MulMontgomery(at(i, c), x[c]));
            x[i] = MulMontgomery(s, inverses[static_cast<size_t>(i)]);
        }
    }
    for (uint64_t& x : numerators)
        x = FromMontgomery(MulMontgomery(det, x));
}

std::vector<int> CPrimeField::RankProfile(std::vector<uint64_t>& a, int rows, int cols,
                                          std::vector<int>& pivotRows) const
{
    auto at = [&](int r, int c) -> uint64_t& {
        return a[static_cast<size_t>(r) * cols + c];
    };
    std::vector<int> order(static_cast<size_t>(rows));
    for (int r = 0; r < rows; ++r)
        order[r] = r;
    std::vector<int> pivots;
    pivotRows.clear();
    for (int c = 0; c < cols && static_cast<int>(pivots.size()) < rows; ++c) {
        const int k = static_cast<int>(pivots.size());
        int pivot = k;
        while (pivot < rows && at(pivot, c) == 0)
            ++pivot;
        if (pivot == rows)
            continue;
        std::swap_ranges(&at(pivot, 0), &at(pivot, 0) + cols, &at(k, 0));
        std::swap(order[pivot], order[k]);
        const uint64_t inverse = Inverse(at(k, c));
        for (int r = k + 1; r < rows; ++r) {
            const uint64_t f = Mul(at(r, c), inverse);
            for (int j = c; f != 0 && j < cols; ++j)
                at(r, j) = Sub(at(r, j), Mul(f, at(k, j)));
        }
        pivots.push_back(c);
        pivotRows.push_back(order[k]);
    }
    return pivots;
}
