#include "PrimeField.h"

#include <algorithm>
#include <utility>

namespace {

uint64_t Pow(const CPrimeField& field, uint64_t base, uint64_t exponent)
{
    uint64_t result = 1;
    for (; exponent != 0; exponent >>= 1) {
        if (exponent & 1)
            result = field.Mul(result, base);
        base = field.Mul(base, base);
    }
    return result;
}

// Miller–Rabin with the first twelve primes as bases, which decides every n below 3.3 × 10^24.
bool IsPrime(uint64_t n)
{
    static const uint64_t kBases[] = {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37};
    for (uint64_t p : kBases)
        if (n % p == 0)
            return n == p;
    // Arithmetic modulo n, which is what the test asks about.
    const CPrimeField field(n);
    uint64_t d = n - 1;
    int s = 0;
    for (; (d & 1) == 0; d >>= 1)
        ++s;
    for (uint64_t a : kBases) {
        uint64_t x = Pow(field, a, d);
        if (x == 1 || x == n - 1)
            continue;
        bool bWitness = true;
        for (int i = 1; i < s && bWitness; ++i) {
            x = field.Mul(x, x);
            bWitness = x != n - 1;
        }
        if (bWitness)
            return false;
    }
    return true;
}

} // namespace

uint64_t CPrimeField::Prime(size_t index)
{
    static std::vector<uint64_t> primes;
    uint64_t candidate = primes.empty() ? (uint64_t{1} << 62) - 1 : primes.back() - 2;
    for (; primes.size() <= index; candidate -= 2)
        if (IsPrime(candidate))
            primes.push_back(candidate);
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

uint64_t CPrimeField::SolveCramer(std::vector<uint64_t>& a, int n,
                                  std::vector<uint64_t>& numerators, int k) const
{
    const int w = n + k;
    auto at = [&](int r, int c) -> uint64_t& {
        return a[static_cast<size_t>(r) * w + c];
    };

    // Forward elimination to a unit upper triangle; any nonzero pivot is exact.
    uint64_t det = 1;
    for (int c = 0; c < n; ++c) {
        int pivot = c;
        while (pivot < n && at(pivot, c) == 0)
            ++pivot;
        if (pivot == n)
            return 0;
        if (pivot != c) {
            for (int j = c; j < w; ++j)
                std::swap(at(pivot, j), at(c, j));
            det = Sub(0, det);
        }
        det = Mul(det, at(c, c));
        const uint64_t inverse = Inverse(at(c, c));
        for (int j = c + 1; j < w; ++j)
            at(c, j) = Mul(at(c, j), inverse);
        for (int r = c + 1; r < n; ++r) {
            const uint64_t f = at(r, c);
            if (f == 0)
                continue;
            for (int j = c + 1; j < w; ++j)
                at(r, j) = Sub(at(r, j), Mul(f, at(c, j)));
        }
    }

    numerators.assign(static_cast<size_t>(n) * k, 0);
    for (int j = 0; j < k; ++j) {
        uint64_t* x = numerators.data() + static_cast<size_t>(j) * n;
        for (int i = n - 1; i >= 0; --i) {
            uint64_t s = at(i, n + j);
            for (int c = i + 1; c < n; ++c)
                s = Sub(s, Mul(at(i, c), x[c]));
            x[i] = s;
        }
    }
    for (uint64_t& x : numerators)
        x = Mul(det, x);
    return det;
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
