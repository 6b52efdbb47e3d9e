#include "ExactSystem.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numeric>

#include "core/PrimeField.h"

namespace {

using boost::multiprecision::cpp_int;
using boost::multiprecision::integer_modulus;
using boost::multiprecision::msb;

// Every prime used lies above 2^61.
const long long kBitsPerPrime = 61;

// Bits of an upper bound on 10^k: k·log2(10), rounded up, with a bit to spare for the rounding
// of the product itself.
long long BitsOfPowerOfTen(long long k)
{
    return static_cast<long long>(std::ceil(static_cast<double>(k) * 3.321928094887362)) + 1;
}

// Chinese remaindering, one prime at a time: keeps each value's residue modulo the product of the
// primes so far.
class CRemainders {
public:
    explicit CRemainders(size_t count) : m_values(count), m_modulus(1) {}

    void Add(const CPrimeField& field, const std::vector<uint64_t>& residues)
    {
        const uint64_t p = field.GetPrime();
        const uint64_t inverse = field.Inverse(integer_modulus(m_modulus, p));
        for (size_t i = 0; i < m_values.size(); ++i) {
            const uint64_t current = integer_modulus(m_values[i], p);
            const uint64_t step = field.Mul(field.Sub(residues[i], current), inverse);
            m_values[i] += m_modulus * step;
        }
        m_modulus *= p;
    }

    // The values taken in the range −modulus/2 … modulus/2.
    std::vector<cpp_int> Symmetric() const
    {
        std::vector<cpp_int> values = m_values;
        const cpp_int half = m_modulus >> 1;
        for (cpp_int& v : values)
            if (v > half)
                v -= m_modulus;
        return values;
    }

private:
    std::vector<cpp_int> m_values;
    cpp_int m_modulus;
};

// Cramer's rule for r equations with k right-hand sides, [B | C], modulo one prime after another
// until the primes' product has neededBits, then rebuilt by Chinese remaindering: values[0] is
// det B > 0 and values[1 + j·r + i] is det B × (B⁻¹C)(i, j). `residues(field, a)` writes the
// r × (r + k) matrix modulo the field's prime. False when det B is zero: zero modulo primes whose
// product passes the bound, or, with bQuick, zero modulo the first prime (then most likely zero).
template <class Residues>
bool CramerByPrimes(int r, int k, long long neededBits, Residues residues, bool bQuick,
                    std::vector<cpp_int>& values)
{
    const size_t count = 1 + static_cast<size_t>(r) * k;
    CRemainders remainders(count);
    std::vector<uint64_t> a, numerators, combined(count);
    long long triedBits = 0, usedBits = 0;
    for (size_t index = 0; usedBits < neededBits; ++index) {
        const CPrimeField field(CPrimeField::Prime(index));
        residues(field, a);
        const uint64_t det = field.SolveCramer(a, r, numerators, k);
        triedBits += kBitsPerPrime;
        if (det == 0) {
            if ((bQuick && index == 0) || (usedBits == 0 && triedBits >= neededBits))
                return false;
            continue; // otherwise a prime that divides the determinant; it tells nothing
        }
        combined[0] = det;
        std::copy(numerators.begin(), numerators.end(), combined.begin() + 1);
        remainders.Add(field, combined);
        usedBits += kBitsPerPrime;
    }
    values = remainders.Symmetric();
    if (values[0] < 0)
        for (cpp_int& v : values)
            v = -v;
    return true;
}

} // namespace

CExactSystem::CExactSystem(int n) : m_n(n), m_entries(static_cast<size_t>(n) * (n + 1)) {}

void CExactSystem::SetText(int nRow, int nCol, std::string_view text)
{
    SetReading(nRow, nCol, NumberText::Read(text));
}

void CExactSystem::SetText(int nRow, int nCol, std::wstring_view text)
{
    SetReading(nRow, nCol, NumberText::Read(text));
}

void CExactSystem::SetReading(int nRow, int nCol, const NumberText::Reading& reading)
{
    CEntry& entry = At(nRow, nCol);
    const double top = NumberText::ToDouble(reading.numerator);
    const double bottom = NumberText::ToDouble(reading.denominator);
    entry = CEntry{};
    entry.bNoValue = std::isinf(top) || std::isinf(bottom) || bottom == 0.0;
    if (top != 0.0 && !entry.bNoValue) {
        entry.bNegative = reading.numerator.bNegative != reading.denominator.bNegative;
        entry.magnitude = cpp_int(reading.numerator.digits);
        entry.denominator = cpp_int(reading.denominator.digits);
        entry.exponent = reading.numerator.exponent - reading.denominator.exponent;
    }
}

bool CExactSystem::Solve()
{
    m_kind = Kind::kNoSolution;
    m_denominator = 0;
    m_numerators.clear();
    m_free.assign(static_cast<size_t>(m_n), false);
    m_terms.clear();
    const int n = m_n;
    const int w = n + 1;

    // Row r is multiplied by the least common multiple of its denominators and by 10^-(its lowest
    // exponent), which makes it integers: entry (r, c) is then scaled[r·w + c] times
    // 10^shift[r·w + c]. Hadamard's bound on every minor of the rows is the product of the rows'
    // lengths, each below sqrt(n + 1) times the row's largest entry.
    std::vector<long long> shift(m_entries.size(), 0);
    std::vector<cpp_int> scaled(m_entries.size());
    long long maxShift = 0;
    long long sqrtBits = 0;
    while ((1LL << (2 * sqrtBits)) < w)
        ++sqrtBits;
    std::vector<long long> rowBounds(static_cast<size_t>(n)); // bits of each row's length
    bool bZeroRow = false;
    for (int r = 0; r < n; ++r) {
        long long lowest = LLONG_MAX;
        bool bCoefficient = false;
        for (int c = 0; c < w; ++c) {
            const CEntry& e = At(r, c);
            if (e.bNoValue)
                return false;
            if (e.magnitude != 0) {
                lowest = std::min(lowest, e.exponent);
                bCoefficient = bCoefficient || c < n;
            }
        }
        bZeroRow = bZeroRow || !bCoefficient; // 0 = b: the determinant is zero
        cpp_int multiple = 1;
        for (int c = 0; c < w; ++c)
            if (At(r, c).magnitude != 0 && At(r, c).denominator != 1)
                multiple = lcm(multiple, At(r, c).denominator);
        long long rowBits = 0;
        for (int c = 0; c < w; ++c) {
            const CEntry& e = At(r, c);
            if (e.magnitude == 0)
                continue;
            const size_t i = static_cast<size_t>(r) * w + c;
            scaled[i] = multiple == 1 ? e.magnitude : e.magnitude * (multiple / e.denominator);
            const long long s = e.exponent - lowest;
            shift[i] = s;
            maxShift = std::max(maxShift, s);
            rowBits =
                std::max(rowBits, static_cast<long long>(msb(scaled[i])) + 1 + BitsOfPowerOfTen(s));
        }
        rowBounds[r] = rowBits + sqrtBits;
    }
    // The product of the primes must exceed twice the bound, for the sign.
    const long long neededBits = std::accumulate(rowBounds.begin(), rowBounds.end(), 2LL);

    std::vector<uint64_t> powersOfTen(static_cast<size_t>(maxShift) + 1);
    auto residues = [&](const CPrimeField& field, std::vector<uint64_t>& a) {
        powersOfTen[0] = 1;
        for (size_t k = 1; k < powersOfTen.size(); ++k)
            powersOfTen[k] = field.Mul(powersOfTen[k - 1], 10);
        a.resize(m_entries.size());
        const uint64_t p = field.GetPrime();
        for (size_t i = 0; i < m_entries.size(); ++i) {
            const uint64_t residue =
                field.Mul(integer_modulus(scaled[i], p), powersOfTen[shift[i]]);
            a[i] = m_entries[i].bNegative ? field.Sub(0, residue) : residue;
        }
    };
    std::vector<cpp_int> values;
    auto unique = [&] {
        m_kind = Kind::kUnique;
        m_denominator = std::move(values[0]);
        m_numerators.assign(std::make_move_iterator(values.begin() + 1),
                            std::make_move_iterator(values.end()));
        return true;
    };
    if (!bZeroRow && CramerByPrimes(n, 1, neededBits, residues, true, values))
        return unique();

    // The determinant is most likely zero. One prime suggests the rank and the pivots, which are
    // then proved exactly; only a prime that divides the wrong minors falls back to the slow way.
    std::vector<cpp_int> rows(m_entries.size());
    for (size_t i = 0; i < rows.size(); ++i)
        if (scaled[i] != 0) {
            rows[i] = scaled[i] * pow(cpp_int(10), static_cast<unsigned>(shift[i]));
            if (m_entries[i].bNegative)
                rows[i] = -rows[i];
        }
    if (ReduceByPrime(rows, rowBounds, residues))
        return false;
    if (!bZeroRow && CramerByPrimes(n, 1, neededBits, residues, false, values))
        return unique();
    ReduceSingular(std::move(rows));
    return m_kind == Kind::kUnique;
}

bool CExactSystem::ReduceByPrime(const std::vector<cpp_int>& rows,
                                 const std::vector<long long>& rowBounds, const Residues& residues)
{
    const int n = m_n;
    const int w = n + 1;
    auto entry = [&](int r, int c) -> const cpp_int& {
        return rows[static_cast<size_t>(r) * w + c];
    };
    std::vector<uint64_t> a;
    const CPrimeField first(CPrimeField::Prime(0));
    residues(first, a);
    std::vector<int> pivotRows;
    std::vector<int> pivots = first.RankProfile(a, n, w, pivotRows);
    const bool bInconsistent = !pivots.empty() && pivots.back() == n;
    const int zeroRow = bInconsistent ? pivotRows.back() : -1; // it reads 0 = b
    if (bInconsistent) {
        pivots.pop_back();
        pivotRows.pop_back();
    }
    const int r = static_cast<int>(pivots.size());
    // Solves the r × (r + k) system whose entry (i, j) is the entry at(i, j) = (row, column) of
    // the system, with the bound of the rows it takes: fewer rows need fewer primes.
    std::vector<uint64_t> all;
    auto solveExactly = [&](const std::vector<int>& taken, int k, auto at,
                            std::vector<cpp_int>& values) {
        long long neededBits = 2;
        for (int row : taken)
            neededBits += rowBounds[row];
        const auto subResidues = [&](const CPrimeField& field, std::vector<uint64_t>& m) {
            residues(field, all);
            m.resize(static_cast<size_t>(r) * (r + k));
            for (int i = 0; i < r; ++i)
                for (int j = 0; j < r + k; ++j) {
                    const auto [row, col] = at(i, j);
                    m[static_cast<size_t>(i) * (r + k) + j] =
                        all[static_cast<size_t>(row) * w + col];
                }
        };
        return CramerByPrimes(r, k, neededBits, subResidues, false, values);
    };
    std::vector<cpp_int> values;

    if (bInconsistent) {
        // A proof: weights y with y·A = 0 and y·b ≠ 0, from the row that reads 0 = b (weight d)
        // and the pivot rows, whose weights solve Bᵀz = that row's coefficients.
        auto transposed = [&](int i, int j) {
            return std::make_pair(j < r ? pivotRows[j] : zeroRow, pivots[i]);
        };
        std::vector<int> taken = pivotRows;
        taken.push_back(zeroRow);
        if (!solveExactly(taken, 1, transposed, values))
            return false;
        for (int c = 0; c < w; ++c) {
            cpp_int sum = values[0] * entry(zeroRow, c);
            for (int i = 0; i < r; ++i)
                sum -= values[1 + i] * entry(pivotRows[i], c);
            if ((sum == 0) != (c < n))
                return false;
        }
        return true; // m_kind is kNoSolution
    }

    // The pivot unknowns in the others: B·x_P = b_R − Σ A_Rf·x_f for the free f, proved by
    // putting the constants and each free column back into every equation, and by the echelon
    // form: a free column depends only on pivot columns to its left.
    std::vector<int> free;
    for (int c = 0, i = 0; c < n; ++c)
        if (i < r && pivots[i] == c)
            ++i;
        else
            free.push_back(c);
    const int k = 1 + static_cast<int>(free.size());
    auto augmented = [&](int i, int j) {
        return std::make_pair(pivotRows[i], j < r ? pivots[j] : j == r ? n : free[j - r - 1]);
    };
    if (!solveExactly(pivotRows, k, augmented, values))
        return false;
    const cpp_int& det = values[0];
    auto numerator = [&](int j, int i) -> const cpp_int& {
        return values[1 + static_cast<size_t>(j) * r + i];
    };
    for (int j = 0; j < k; ++j) {
        const int column = j == 0 ? n : free[j - 1];
        for (int i = 0; i < r; ++i)
            if (j > 0 && pivots[i] > column && numerator(j, i) != 0)
                return false;
        for (int row = 0; row < n; ++row) {
            cpp_int sum = det * entry(row, column);
            for (int i = 0; i < r; ++i)
                sum -= numerator(j, i) * entry(row, pivots[i]);
            if (sum != 0)
                return false;
        }
    }

    m_kind = r == n ? Kind::kUnique : Kind::kIndefinite;
    m_denominator = det;
    m_numerators.assign(static_cast<size_t>(n), 0);
    m_terms.assign(static_cast<size_t>(n), std::vector<cpp_int>(static_cast<size_t>(n)));
    for (int f : free)
        m_free[f] = true;
    for (int i = 0; i < r; ++i) {
        m_numerators[pivots[i]] = numerator(0, i);
        for (int j = 1; j < k; ++j)
            m_terms[pivots[i]][free[j - 1]] = -numerator(j, i);
    }
    return true;
}

// Gauss-Jordan without fractions, for when one prime misleads: each step multiplies every other row
// by the pivot, subtracts, and divides exactly by the step before's pivot, so that every entry
// stays a minor of the matrix and no number grows beyond the determinant's size. In the end each
// pivot row holds the same pivot, the denominator of the whole general solution.
void CExactSystem::ReduceSingular(std::vector<cpp_int> rows)
{
    const int n = m_n;
    const int w = n + 1;
    auto at = [&](int r, int c) -> cpp_int& {
        return rows[static_cast<size_t>(r) * w + c];
    };
    std::vector<int> pivotRow(static_cast<size_t>(n), -1);
    cpp_int previous = 1;
    int rank = 0;
    for (int c = 0; c < n; ++c) {
        int p = rank;
        while (p < n && at(p, c) == 0)
            ++p;
        if (p == n) {
            m_free[c] = true;
            continue;
        }
        std::swap_ranges(&at(p, 0), &at(p, 0) + w, &at(rank, 0));
        const cpp_int pivot = at(rank, c);
        for (int r = 0; r < n; ++r) {
            if (r == rank)
                continue;
            const cpp_int factor = at(r, c);
            for (int j = 0; j < w; ++j)
                if (j != c && (at(r, j) != 0 || (factor != 0 && at(rank, j) != 0)))
                    at(r, j) = (pivot * at(r, j) - factor * at(rank, j)) / previous;
            at(r, c) = 0;
        }
        previous = pivot;
        pivotRow[c] = rank++;
    }
    for (int r = rank; r < n; ++r)
        if (at(r, n) != 0)
            return; // 0 = b with b not zero

    const int sign = previous < 0 ? -1 : 1;
    m_kind = rank == n ? Kind::kUnique : Kind::kIndefinite;
    m_denominator = previous * sign;
    m_numerators.assign(static_cast<size_t>(n), 0);
    m_terms.assign(static_cast<size_t>(n), std::vector<cpp_int>(static_cast<size_t>(n)));
    for (int c = 0; c < n; ++c) {
        if (m_free[c])
            continue;
        m_numerators[c] = at(pivotRow[c], n) * sign;
        for (int f = 0; f < n; ++f)
            if (m_free[f])
                m_terms[c][f] = -at(pivotRow[c], f) * sign;
    }
}

bool CExactSystem::IsFixed(int i) const
{
    if (m_kind != Kind::kIndefinite)
        return m_kind == Kind::kUnique;
    return !m_free[i] && std::all_of(m_terms[i].begin(), m_terms[i].end(),
                                     [](const cpp_int& t) { return t == 0; });
}

std::string CExactSystem::FormatAnswer(int i) const
{
    if (IsFixed(i))
        return NumberText::FormatFixed(m_numerators[i], m_denominator);
    std::string text;
    if (m_numerators[i] != 0)
        text = NumberText::FormatShort(m_numerators[i], m_denominator);
    for (int f = 0; f < m_n; ++f) {
        const cpp_int& term = m_terms[i][f];
        if (term == 0)
            continue;
        std::string factor = NumberText::FormatShort(abs(term), m_denominator);
        if (factor == "1")
            factor.clear();
        const char* sign = term < 0 ? (text.empty() ? "-" : " - ") : (text.empty() ? "" : " + ");
        text += sign + factor + static_cast<char>('a' + f);
    }
    return text;
}
