#include "ExactSystem.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <numeric>

#include "core/PrimeField.h"

namespace {

using boost::multiprecision::cpp_int;
using boost::multiprecision::msb;

// Every prime used lies above 2^61.
const long long kBitsPerPrime = 61;

// Bits of an upper bound on 10^k: k·log2(10), rounded up, with a bit to spare for the rounding
// of the product itself.
long long BitsOfPowerOfTen(long long k)
{
    return static_cast<long long>(std::ceil(static_cast<double>(k) * 3.321928094887362)) + 1;
}

// The number a string of decimal digits writes, read 19 digits at a time: the parser of cpp_int
// takes one digit at a time and was most of the time spent on reading a system.
cpp_int FromDigits(const std::string& digits)
{
    cpp_int x;
    for (size_t start = 0; start < digits.size(); start += 19) {
        const size_t count = std::min<size_t>(19, digits.size() - start);
        uint64_t chunk = 0, scale = 1;
        std::from_chars(digits.data() + start, digits.data() + start + count, chunk);
        for (size_t i = 0; i < count; ++i)
            scale *= 10;
        x = x * scale + chunk;
    }
    return x;
}

// A nonnegative number times a factor (a Montgomery form), modulo the field's prime.
uint64_t Residue(const CPrimeField& field, const cpp_int& x, uint64_t factor)
{
    static_assert(sizeof(boost::multiprecision::limb_type) == sizeof(unsigned long long));
    return field.Residue(x.backend().limbs(), x.backend().size(), factor);
}

// Chinese remaindering by Garner's mixed radix: each value is c0 + c1·p0 + c2·p0·p1 + …, with
// digits ci < pi that word-sized arithmetic finds as each prime comes; the numbers themselves are
// built once, at the end.
class CRemainders {
public:
    explicit CRemainders(size_t count) : m_digits(count) {}

    void Add(const CPrimeField& field, const std::vector<uint64_t>& residues)
    {
        // weights[t] = p0 ⋯ p(t−1) modulo this prime, as Montgomery forms.
        const size_t i = m_primes.size();
        m_weights.resize(i);
        uint64_t product = field.ToMontgomery(1);
        for (size_t t = 0; t < i; ++t) {
            m_weights[t] = product;
            product = field.MulMontgomery(product, field.ToMontgomery(m_primes[t]));
        }
        const uint64_t inverse = field.Inverse(field.FromMontgomery(product));
        for (size_t v = 0; v < m_digits.size(); ++v) {
            std::vector<uint64_t>& digits = m_digits[v];
            const uint64_t sum = field.Dot(digits.data(), m_weights.data(), i);
            digits.push_back(field.Mul(field.Sub(residues[v], sum), inverse));
        }
        m_primes.push_back(field.GetPrime());
    }

    // The values taken in the range −modulus/2 … modulus/2.
    std::vector<cpp_int> Symmetric() const
    {
        const cpp_int modulus = ToNumber(std::vector<uint64_t>(m_primes.size(), 0), 1);
        const cpp_int half = modulus >> 1;
        std::vector<cpp_int> values;
        for (const std::vector<uint64_t>& digits : m_digits) {
            values.push_back(ToNumber(digits, 0));
            if (values.back() > half)
                values.back() -= modulus;
        }
        return values;
    }

private:
    // The number with these digits, and `top` as the digit after the last; by Horner's rule on
    // 64-bit limbs, least significant first.
    cpp_int ToNumber(const std::vector<uint64_t>& digits, uint64_t top) const
    {
        std::vector<unsigned long long> limbs;
        if (top != 0)
            limbs.push_back(top);
        for (size_t t = digits.size(); t-- != 0;) {
            unsigned long long carry = digits[t];
            for (unsigned long long& limb : limbs) {
                const unsigned __int128 x =
                    static_cast<unsigned __int128>(limb) * m_primes[t] + carry;
                limb = static_cast<unsigned long long>(x);
                carry = static_cast<unsigned long long>(x >> 64);
            }
            if (carry != 0)
                limbs.push_back(carry);
        }
        cpp_int x; // zero has no limbs, which import_bits does not take
        if (!limbs.empty())
            import_bits(x, limbs.begin(), limbs.end(), 64, false);
        return x;
    }

    std::vector<std::vector<uint64_t>> m_digits; // of each value
    std::vector<uint64_t> m_primes;
    std::vector<uint64_t> m_weights;
};

// Cramer's rule for r equations with k right-hand sides, [B | C], modulo one prime after another
// until the primes' product has neededBits, then rebuilt by Chinese remaindering: values[0] is
// det B > 0 and values[1 + j·r + i] is det B × (B⁻¹C)(i, j). `residues(field, a)` writes the
// Montgomery forms of the r × (r + k) matrix modulo the field's prime. False when det B is zero:
// zero modulo primes whose product passes the bound, or, with bQuick, zero modulo the first prime
// (then most likely zero).
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
        entry.magnitude = FromDigits(reading.numerator.digits);
        entry.denominator = FromDigits(reading.denominator.digits);
        entry.exponent = reading.numerator.exponent - reading.denominator.exponent;
    }
}

// The system with each row made integers: entry i is ±magnitudes[i] × 10^shifts[i].
struct CExactSystem::CScaled {
    std::vector<cpp_int> magnitudes;
    std::vector<uint32_t> shifts;
    std::vector<uint8_t> negative;
    uint32_t maxShift = 0;
    std::vector<long long> rowBits; // of Hadamard's bound on each row's length
    bool bZeroRow = false;          // a row without coefficients, 0 = b: the determinant is zero

    // The bits that the primes' product needs for Cramer's rule on these rows: more than twice
    // the product of their bounds, which bounds every minor, for the sign.
    long long NeededBits(const std::vector<int>& rows) const
    {
        long long bits = 2;
        for (int r : rows)
            bits += rowBits[static_cast<size_t>(r)];
        return bits;
    }

    // The entries' Montgomery forms modulo the field's prime, row by row.
    void Residues(const CPrimeField& field, std::vector<uint64_t>& a) const
    {
        // factors[2k] and factors[2k + 1] are the forms of 10^k·R and −10^k·R: an entry's
        // magnitude times its factor reduces once to the entry's own form.
        std::vector<uint64_t> factors(2 * (static_cast<size_t>(maxShift) + 1));
        const uint64_t ten = field.ToMontgomery(10);
        uint64_t power = field.ToMontgomery(field.ToMontgomery(1));
        for (size_t k = 0; k < factors.size(); k += 2) {
            factors[k] = power;
            factors[k + 1] = field.Sub(0, power);
            power = field.MulMontgomery(power, ten);
        }
        a.resize(magnitudes.size());
        for (size_t i = 0; i < a.size(); ++i)
            a[i] = Residue(field, magnitudes[i], factors[2 * size_t{shifts[i]} + negative[i]]);
    }

    // The entries exactly.
    std::vector<cpp_int> Exact() const
    {
        std::vector<cpp_int> rows(magnitudes.size());
        for (size_t i = 0; i < rows.size(); ++i)
            if (magnitudes[i] != 0) {
                rows[i] = magnitudes[i] * pow(cpp_int(10), shifts[i]);
                if (negative[i])
                    rows[i] = -rows[i];
            }
        return rows;
    }
};

bool CExactSystem::Scale(CScaled& scaled) const
{
    const int n = m_n;
    const int w = n + 1;
    scaled.magnitudes.assign(m_entries.size(), 0);
    scaled.shifts.assign(m_entries.size(), 0);
    scaled.negative.assign(m_entries.size(), 0);
    scaled.rowBits.assign(static_cast<size_t>(n), 0);
    long long sqrtBits = 0; // of sqrt(n + 1), which times a row's largest entry bounds its length
    while ((1LL << (2 * sqrtBits)) < w)
        ++sqrtBits;
    for (int r = 0; r < n; ++r) {
        long long lowest = LLONG_MAX;
        bool bCoefficient = false;
        cpp_int multiple = 1;
        for (int c = 0; c < w; ++c) {
            const CEntry& e = m_entries[static_cast<size_t>(r) * w + c];
            if (e.bNoValue)
                return false;
            if (e.magnitude == 0)
                continue;
            lowest = std::min(lowest, e.exponent);
            bCoefficient = bCoefficient || c < n;
            if (e.denominator != 1)
                multiple = lcm(multiple, e.denominator);
        }
        scaled.bZeroRow = scaled.bZeroRow || !bCoefficient;
        long long bits = 0;
        for (int c = 0; c < w; ++c) {
            const size_t i = static_cast<size_t>(r) * w + c;
            const CEntry& e = m_entries[i];
            if (e.magnitude == 0)
                continue;
            cpp_int& magnitude = scaled.magnitudes[i];
            magnitude = multiple == 1 ? e.magnitude : e.magnitude * (multiple / e.denominator);
            // Exponents saturate far beyond the double range, so the difference is small.
            const auto shift = static_cast<uint32_t>(e.exponent - lowest);
            scaled.shifts[i] = shift;
            scaled.negative[i] = e.bNegative;
            scaled.maxShift = std::max(scaled.maxShift, shift);
            bits = std::max(bits,
                            static_cast<long long>(msb(magnitude)) + 1 + BitsOfPowerOfTen(shift));
        }
        scaled.rowBits[r] = bits + sqrtBits;
    }
    return true;
}

void CExactSystem::SetUnique(std::vector<cpp_int>& values)
{
    m_kind = Kind::kUnique;
    m_denominator = std::move(values[0]);
    m_numerators.assign(std::make_move_iterator(values.begin() + 1),
                        std::make_move_iterator(values.end()));
}

bool CExactSystem::Solve()
{
    m_kind = Kind::kNoSolution;
    m_denominator = 0;
    m_numerators.clear();
    m_free.assign(static_cast<size_t>(m_n), false);
    m_terms.clear();
    CScaled scaled;
    if (!Scale(scaled))
        return false;
    std::vector<int> allRows(static_cast<size_t>(m_n));
    std::iota(allRows.begin(), allRows.end(), 0);
    const long long neededBits = scaled.NeededBits(allRows);
    auto residues = [&](const CPrimeField& field, std::vector<uint64_t>& a) {
        scaled.Residues(field, a);
    };
    std::vector<cpp_int> values;
    if (!scaled.bZeroRow && CramerByPrimes(m_n, 1, neededBits, residues, true, values)) {
        SetUnique(values);
        return true;
    }

    // The determinant is most likely zero. One prime suggests the rank and the pivots, which are
    // then proved exactly; only a prime that divides the wrong minors falls back to the slow way.
    std::vector<cpp_int> rows = scaled.Exact();
    if (ReduceByPrime(scaled, rows))
        return false;
    if (!scaled.bZeroRow && CramerByPrimes(m_n, 1, neededBits, residues, false, values)) {
        SetUnique(values);
        return true;
    }
    ReduceSingular(std::move(rows));
    return m_kind == Kind::kUnique;
}

// The rank and the pivots one prime proposes: the pivot columns and the rows they stand in, and
// for a system without a solution the row that reads 0 = b (else -1).
struct CExactSystem::CProposal {
    std::vector<int> pivots;
    std::vector<int> pivotRows;
    int zeroRow = -1;
    int Rank() const { return static_cast<int>(pivots.size()); }
};

bool CExactSystem::ReduceByPrime(const CScaled& scaled, const std::vector<cpp_int>& rows)
{
    const CProposal proposal = Propose(scaled);
    if (proposal.zeroRow >= 0)
        return ProveNoSolution(scaled, proposal, rows); // m_kind is kNoSolution
    return SolveGeneral(scaled, proposal, rows);
}

CExactSystem::CProposal CExactSystem::Propose(const CScaled& scaled) const
{
    std::vector<uint64_t> a;
    const CPrimeField first(CPrimeField::Prime(0));
    scaled.Residues(first, a);
    CProposal proposal;
    proposal.pivots = first.RankProfile(a, m_n, m_n + 1, proposal.pivotRows);
    if (!proposal.pivots.empty() && proposal.pivots.back() == m_n) {
        proposal.zeroRow = proposal.pivotRows.back();
        proposal.pivots.pop_back();
        proposal.pivotRows.pop_back();
    }
    return proposal;
}

// Solves the r × (r + k) system whose entry x is entry index[x] of the system's rows, with the
// bound of the rows it takes: fewer rows need fewer primes.
bool CExactSystem::SolveMinor(const CScaled& scaled, const std::vector<int>& taken, int r, int k,
                              const std::vector<size_t>& index, std::vector<cpp_int>& values) const
{
    std::vector<uint64_t> all;
    const auto residues = [&](const CPrimeField& field, std::vector<uint64_t>& m) {
        scaled.Residues(field, all);
        m.resize(index.size());
        for (size_t x = 0; x < index.size(); ++x)
            m[x] = all[index[x]];
    };
    return CramerByPrimes(r, k, scaled.NeededBits(taken), residues, false, values);
}

// A proof: weights y with y·A = 0 and y·b ≠ 0, from the row that reads 0 = b (weight d) and the
// pivot rows, whose weights solve Bᵀz = that row's coefficients.
bool CExactSystem::ProveNoSolution(const CScaled& scaled, const CProposal& proposal,
                                   const std::vector<cpp_int>& rows) const
{
    const size_t w = static_cast<size_t>(m_n) + 1;
    const int r = proposal.Rank();
    std::vector<size_t> index;
    for (int i = 0; i < r; ++i)
        for (int j = 0; j <= r; ++j)
            index.push_back((j < r ? proposal.pivotRows[j] : proposal.zeroRow) * w +
                            proposal.pivots[i]);
    std::vector<int> taken = proposal.pivotRows;
    taken.push_back(proposal.zeroRow);
    std::vector<cpp_int> values;
    if (!SolveMinor(scaled, taken, r, 1, index, values))
        return false;
    // Cramer's rule over enough primes is exact, so the pivot columns sum to zero already.
    std::vector<bool> bPivot(w, false);
    for (int c : proposal.pivots)
        bPivot[static_cast<size_t>(c)] = true;
    for (size_t c = 0; c < w; ++c) {
        if (bPivot[c])
            continue;
        cpp_int sum = values[0] * rows[proposal.zeroRow * w + c];
        for (int i = 0; i < r; ++i)
            sum -= values[1 + i] * rows[proposal.pivotRows[i] * w + c];
        if ((sum == 0) != (c + 1 < w))
            return false;
    }
    return true;
}

// The pivot unknowns in the others: B·x_P = b_R − Σ A_Rf·x_f for the free f. values[0] is the
// determinant of B; then, for the constants and each free column in turn, r numerators.
bool CExactSystem::SolveGeneral(const CScaled& scaled, const CProposal& proposal,
                                const std::vector<cpp_int>& rows)
{
    const int n = m_n;
    const int r = proposal.Rank();
    std::vector<int> free;
    for (int c = 0, i = 0; c < n; ++c)
        if (i < r && proposal.pivots[i] == c)
            ++i;
        else
            free.push_back(c);
    const int k = 1 + static_cast<int>(free.size());
    std::vector<size_t> index;
    for (int i = 0; i < r; ++i) {
        for (int j = 0; j < r + k; ++j) {
            const int column = j < r ? proposal.pivots[j] : j == r ? n : free[j - r - 1];
            index.push_back(static_cast<size_t>(proposal.pivotRows[i]) * (n + 1) + column);
        }
    }
    std::vector<cpp_int> values;
    if (!SolveMinor(scaled, proposal.pivotRows, r, k, index, values) ||
        !ProveGeneral(proposal, free, rows, values))
        return false;
    TakeGeneral(proposal, free, values);
    return true;
}

// Proved by putting the constants and each free column back into the other equations (Cramer's
// rule over enough primes is exact, so the pivot rows hold already; the others are where a
// misleading prime shows), and by the echelon form: a free column depends only on pivot columns
// to its left.
bool CExactSystem::ProveGeneral(const CProposal& proposal, const std::vector<int>& free,
                                const std::vector<cpp_int>& rows,
                                const std::vector<cpp_int>& values) const
{
    const int n = m_n;
    const int r = proposal.Rank();
    const size_t w = static_cast<size_t>(n) + 1;
    const cpp_int& det = values[0];
    auto numerator = [&](int j, int i) -> const cpp_int& {
        return values[1 + static_cast<size_t>(j) * r + i];
    };
    std::vector<bool> bPivotRow(static_cast<size_t>(n), false);
    for (int row : proposal.pivotRows)
        bPivotRow[static_cast<size_t>(row)] = true;
    for (int j = 0; j <= static_cast<int>(free.size()); ++j) {
        const int column = j == 0 ? n : free[j - 1];
        for (int i = 0; i < r; ++i)
            if (j > 0 && proposal.pivots[i] > column && numerator(j, i) != 0)
                return false;
        for (int row = 0; row < n; ++row) {
            if (bPivotRow[static_cast<size_t>(row)])
                continue;
            cpp_int sum = det * rows[row * w + column];
            for (int i = 0; i < r; ++i)
                sum -= numerator(j, i) * rows[row * w + proposal.pivots[i]];
            if (sum != 0)
                return false;
        }
    }
    return true;
}

void CExactSystem::TakeGeneral(const CProposal& proposal, const std::vector<int>& free,
                               const std::vector<cpp_int>& values)
{
    const int n = m_n;
    const int r = proposal.Rank();
    m_kind = r == n ? Kind::kUnique : Kind::kIndefinite;
    m_denominator = values[0];
    m_numerators.assign(static_cast<size_t>(n), 0);
    m_terms.assign(static_cast<size_t>(n), std::vector<cpp_int>(static_cast<size_t>(n)));
    for (int f : free)
        m_free[f] = true;
    for (int i = 0; i < r; ++i) {
        const int pivot = proposal.pivots[i];
        m_numerators[pivot] = values[1 + i];
        for (size_t j = 0; j < free.size(); ++j)
            m_terms[pivot][free[j]] = -values[1 + (j + 1) * r + i];
    }
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
