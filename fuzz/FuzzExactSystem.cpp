// Fuzzes the exact solver with random box texts. The first byte chooses n (2 to 4); the rest are
// the texts row by row, separated by '|'. Whenever the solver reports a solution, it must satisfy
// every equation exactly; whenever it reports none, an independent elimination over rationals
// must find none either, unless a number lies beyond the range of doubles or a
// fraction has a zero denominator.

#include "core/ExactSystem.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/common/Rational.h"

namespace {

using boost::multiprecision::cpp_int;
using boost::multiprecision::cpp_rational;

[[noreturn]] void Fail(const char* what, const std::string& input)
{
    std::fprintf(stderr, "%s for \"%s\"\n", what, input.c_str());
    std::abort();
}

// The exact value of a text as the rule reads it, a number or a fraction; false when it has none
// (a part beyond the double range, a zero denominator).
bool ExactValue(const std::string& text, cpp_rational& value)
{
    const NumberText::Reading reading = NumberText::Read(text);
    cpp_rational parts[2];
    for (int i = 0; i < 2; ++i) {
        const NumberText::Decimal& d = i == 0 ? reading.numerator : reading.denominator;
        const double asDouble = NumberText::ToDouble(d);
        if (std::isinf(asDouble))
            return false;
        if (asDouble != 0.0) {
            const cpp_int power = pow(cpp_int(10), static_cast<unsigned>(std::llabs(d.exponent)));
            parts[i] = d.exponent >= 0 ? cpp_rational(cpp_int(d.digits) * power)
                                       : cpp_rational(cpp_int(d.digits), power);
            if (d.bNegative)
                parts[i] = -parts[i];
        }
    }
    if (parts[1] == 0)
        return false;
    value = parts[0] / parts[1];
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const int n = 2 + data[0] % 3;
    const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);

    CExactSystem system(n);
    RationalRows rows(n, std::vector<cpp_rational>(n + 1));
    bool bBeyondRange = false;
    size_t start = 0;
    for (int i = 0; i < n * (n + 1); ++i) {
        start = std::min(start, input.size());
        const size_t end = std::min(input.find('|', start), input.size());
        const std::string text = input.substr(start, end - start);
        start = end + 1;
        system.SetText(i / (n + 1), i % (n + 1), text);
        bBeyondRange = !ExactValue(text, rows[i / (n + 1)][i % (n + 1)]) || bBeyondRange;
    }

    if (system.Solve()) {
        if (bBeyondRange)
            Fail("solved although a number is beyond the range of doubles", input);
        const cpp_int& d = system.GetDenominator();
        if (d <= 0)
            Fail("denominator not positive", input);
        for (int r = 0; r < n; ++r) {
            cpp_rational lhs = 0;
            for (int c = 0; c < n; ++c)
                lhs += rows[r][c] * cpp_rational(system.GetNumerator(c), d);
            if (lhs != rows[r][n])
                Fail("the solution does not satisfy an equation", input);
        }
    } else if (!bBeyondRange && RationalSolve(rows)) {
        Fail("no solution reported for a system that has exactly one", input);
    }
    return 0;
}
