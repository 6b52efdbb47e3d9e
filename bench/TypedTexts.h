#pragma once

// Box texts as people type them, for the benchmarks of the exact solve: seeded, so every run
// solves the same systems.

#include <random>
#include <string>
#include <vector>

enum TextKind { kFifteenDigits, kTwoDecimals, kLongest };

// One box's text: 15 significant digits with the point anywhere; a price such as -123.45; or the
// longest a box takes, 255 characters, with an exponent anywhere in the range of doubles.
inline std::string MakeText(TextKind kind, std::mt19937_64& rng)
{
    std::uniform_int_distribution<int> digit(0, 9), nonzero(1, 9), coin(0, 1);
    std::string text = coin(rng) ? "-" : "";
    if (kind == kTwoDecimals) {
        text += std::to_string(std::uniform_int_distribution<int>(0, 999)(rng)) + ".";
        text += std::to_string(digit(rng)) + std::to_string(digit(rng));
        return text;
    }
    const int digits = kind == kFifteenDigits ? 15 : 247 - static_cast<int>(text.size()) + 1;
    std::string mantissa(1, static_cast<char>('0' + nonzero(rng)));
    for (int i = 1; i < digits; ++i)
        mantissa += static_cast<char>('0' + digit(rng));
    if (kind == kFifteenDigits) {
        mantissa.insert(std::uniform_int_distribution<size_t>(1, 15)(rng), ".");
        return text + mantissa;
    }
    const int exponent = std::uniform_int_distribution<int>(-322, 308)(rng);
    std::string e = "e" + std::to_string(exponent);
    e.resize(5, ' ');
    return text + "0." + mantissa + e; // 255 characters
}

inline const char* TextKindName(TextKind kind)
{
    return kind == kFifteenDigits ? "15 significant digits"
           : kind == kTwoDecimals ? "two decimals"
                                  : "255 characters spanning the double range";
}

// `count` texts of one kind.
inline std::vector<std::string> MakeTexts(TextKind kind, int count)
{
    std::mt19937_64 rng(7);
    std::vector<std::string> texts;
    for (int i = 0; i < count; ++i)
        texts.push_back(MakeText(kind, rng));
    return texts;
}
