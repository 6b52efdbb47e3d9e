#pragma once

// Exact rationals for the tests: a reference solver independent of the program's, and the exact
// value of a double.

#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include <boost/multiprecision/cpp_int.hpp>

using RationalRows = std::vector<std::vector<boost::multiprecision::cpp_rational>>;

// Gauss–Jordan elimination over exact rationals, with a row exchange wherever a pivot is zero:
// the unique solution of n rows of n coefficients and a right-hand side, or nothing when there
// is none or more than one.
inline std::optional<std::vector<boost::multiprecision::cpp_rational>> RationalSolve(RationalRows a)
{
    const size_t n = a.size();
    for (size_t col = 0; col < n; ++col) {
        size_t pivot = col;
        while (pivot < n && a[pivot][col] == 0)
            ++pivot;
        if (pivot == n)
            return std::nullopt;
        std::swap(a[pivot], a[col]);
        for (size_t r = 0; r < n; ++r) {
            if (r == col || a[r][col] == 0)
                continue;
            const boost::multiprecision::cpp_rational f = a[r][col] / a[col][col];
            for (size_t c = col; c <= n; ++c)
                a[r][c] -= f * a[col][c];
        }
    }
    std::vector<boost::multiprecision::cpp_rational> x(n);
    for (size_t i = 0; i < n; ++i)
        x[i] = a[i][n] / a[i][i];
    return x;
}

// A finite double's exact value (a negative zero is zero).
inline boost::multiprecision::cpp_rational ExactValueOf(double value)
{
    int exponent = 0;
    const double mantissa = std::frexp(std::fabs(value), &exponent);
    boost::multiprecision::cpp_int numerator = static_cast<long long>(std::ldexp(mantissa, 53));
    exponent -= 53;
    if (exponent >= 0)
        numerator <<= exponent;
    boost::multiprecision::cpp_rational exact =
        exponent >= 0 ? boost::multiprecision::cpp_rational(numerator)
                      : boost::multiprecision::cpp_rational(
                            numerator, boost::multiprecision::cpp_int(1) << -exponent);
    return value < 0 ? boost::multiprecision::cpp_rational(-exact) : exact;
}
