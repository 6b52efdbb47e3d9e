#include "ExactSystem.h"

#include <algorithm>
#include <climits>
#include <cmath>

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
    m_denominator = 0;
    m_numerators.clear();
    const int n = m_n;
    const int w = n + 1;

    // Row r is multiplied by the least common multiple of its denominators and by 10^-(its lowest
    // exponent), which makes it integers: entry (r, c) is then scaled[r·w + c] times
    // 10^shift[r·w + c]. Hadamard's bound on the determinant and on
    // every numerator is the product of the rows' lengths, each below sqrt(n + 1) times the
    // row's largest entry.
    std::vector<long long> shift(m_entries.size(), 0);
    std::vector<cpp_int> scaled(m_entries.size());
    long long maxShift = 0;
    long long sqrtBits = 0;
    while ((1LL << (2 * sqrtBits)) < w)
        ++sqrtBits;
    long long boundBits = 0;
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
        if (!bCoefficient)
            return false; // the equation 0 = b never singles out a solution
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
        boundBits += rowBits + sqrtBits;
    }
    // The product of the primes must exceed twice the bound, for the sign.
    const long long neededBits = boundBits + 2;

    CRemainders remainders(static_cast<size_t>(n) + 1);
    std::vector<uint64_t> residues(m_entries.size());
    std::vector<uint64_t> numerators;
    std::vector<uint64_t> combined(static_cast<size_t>(n) + 1);
    std::vector<uint64_t> powersOfTen(static_cast<size_t>(maxShift) + 1);
    long long triedBits = 0, usedBits = 0;
    bool bDeterminantNonzero = false;
    for (size_t index = 0; usedBits < neededBits; ++index) {
        const CPrimeField field(CPrimeField::Prime(index));
        const uint64_t p = field.GetPrime();
        powersOfTen[0] = 1;
        for (size_t k = 1; k < powersOfTen.size(); ++k)
            powersOfTen[k] = field.Mul(powersOfTen[k - 1], 10);
        for (size_t i = 0; i < m_entries.size(); ++i) {
            const CEntry& e = m_entries[i];
            const uint64_t residue =
                field.Mul(integer_modulus(scaled[i], p), powersOfTen[shift[i]]);
            residues[i] = e.bNegative ? field.Sub(0, residue) : residue;
        }

        const uint64_t det = field.SolveCramer(residues, n, numerators);
        triedBits += kBitsPerPrime;
        if (det == 0) {
            // Zero modulo primes whose product exceeds the bound: the determinant is zero.
            if (!bDeterminantNonzero && triedBits >= neededBits)
                return false;
            continue; // otherwise a prime that divides the determinant; it tells nothing
        }
        bDeterminantNonzero = true;
        combined[0] = det;
        std::copy(numerators.begin(), numerators.end(), combined.begin() + 1);
        remainders.Add(field, combined);
        usedBits += kBitsPerPrime;
    }

    std::vector<cpp_int> values = remainders.Symmetric();
    if (values[0] < 0)
        for (cpp_int& v : values)
            v = -v;
    m_denominator = std::move(values[0]);
    m_numerators.assign(std::make_move_iterator(values.begin() + 1),
                        std::make_move_iterator(values.end()));
    return true;
}

std::string CExactSystem::FormatAnswer(int i) const
{
    return NumberText::FormatFixed(m_numerators[i], m_denominator);
}
