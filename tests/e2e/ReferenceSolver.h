#pragma once

// An independent solver to check the program's answers: Gaussian elimination with partial
// pivoting in long double on the same numbers. Returns false for a singular system.

#include <cmath>
#include <utility>
#include <vector>

inline bool ReferenceSolve(std::vector<std::vector<long double>> a, std::vector<long double>& x)
{
    const size_t n = a.size();
    for (size_t col = 0; col < n; ++col) {
        size_t pivot = col;
        for (size_t r = col + 1; r < n; ++r)
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col]))
                pivot = r;
        if (a[pivot][col] == 0)
            return false;
        std::swap(a[pivot], a[col]);
        for (size_t r = col + 1; r < n; ++r) {
            const long double f = a[r][col] / a[col][col];
            for (size_t c = col; c <= n; ++c)
                a[r][c] -= f * a[col][c];
        }
    }
    x.assign(n, 0);
    for (size_t i = n; i-- > 0;) {
        long double s = a[i][n];
        for (size_t c = i + 1; c < n; ++c)
            s -= a[i][c] * x[c];
        x[i] = s / a[i][i];
    }
    return true;
}
