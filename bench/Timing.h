#pragma once

// The clock and the summary the Windows benchmarks share.

#include <windows.h>

#include <algorithm>
#include <vector>

// Seconds on the performance counter.
inline double Now()
{
    LARGE_INTEGER t, f;
    ::QueryPerformanceCounter(&t);
    ::QueryPerformanceFrequency(&f);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

inline double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}
