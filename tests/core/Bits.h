#pragma once

// Bit-exact comparison of doubles: signed zeros and NaN payload signs count. A failure prints
// both values as hex floats.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

inline uint64_t BitsOf(double v)
{
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

inline std::string HexFloat(double v)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%a (bits %016llx)", v,
                  static_cast<unsigned long long>(BitsOf(v)));
    return buffer;
}

// NaN compares as "any NaN" since the payload is the hardware's choice.
inline ::testing::AssertionResult SameBits(double expected, double actual)
{
    if (std::isnan(expected) && std::isnan(actual))
        return ::testing::AssertionSuccess();
    if (BitsOf(expected) == BitsOf(actual))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "expected " << HexFloat(expected) << ", got " << HexFloat(actual);
}

#define EXPECT_BITS(expected, actual) EXPECT_TRUE(SameBits((expected), (actual)))
