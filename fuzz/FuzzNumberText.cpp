// Fuzzes the lenient number rule against an independent oracle: a regular expression finds the
// number prefix (digit grouping included) and glibc's strtod, correctly rounded in the C locale,
// converts it.

#include "core/NumberText.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <regex>
#include <string>

#include "tests/common/Rational.h"

namespace {

double Oracle(const std::string& text)
{
    // Digit grouping: "1,234" and "12,345,678", with no digit or comma right after the groups.
    static const std::regex number(
        R"(^[ \t\n\v\f\r]*([+-]?((?:[1-9]\d{0,2}(?:,\d{3})+(?![\d,])|\d+)\.?\d*|\.\d+))([eEdD][+-]?\d+)?)");
    std::smatch match;
    if (!std::regex_search(text, match, number))
        return 0.0;
    std::string prefix = match[1].str();
    prefix.erase(std::remove(prefix.begin(), prefix.end(), ','), prefix.end());
    if (match[3].matched) {
        std::string exponent = match[3].str();
        exponent[0] = 'e';
        prefix += exponent;
    }
    return std::strtod(prefix.c_str(), nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::setlocale(LC_ALL, "C");
    // strtod reads past a NUL no further; keep the text NUL-free so both see the same bytes.
    std::string text(reinterpret_cast<const char*>(data), size);
    text = text.substr(0, text.find('\0'));
    const double expected = Oracle(text);
    const double actual = NumberText::ParseLenient(text);
    if (std::memcmp(&expected, &actual, sizeof(double)) != 0) {
        std::fprintf(stderr, "mismatch for \"%s\": oracle %a, rule %a\n", text.c_str(), expected,
                     actual);
        std::abort();
    }
    // The exact value of every finite double is formatted as C's "%lf" prints it (a negative
    // zero is zero, exactly, and has no sign).
    if (std::isinf(actual) || actual == 0.0)
        return 0;
    const boost::multiprecision::cpp_rational exact = ExactValueOf(actual);
    const std::string formatted = NumberText::FormatFixed(numerator(exact), denominator(exact));
    char reference[400];
    std::snprintf(reference, sizeof reference, "%lf", actual);
    if (formatted != reference) {
        std::fprintf(stderr, "format mismatch for %a: \"%s\" vs \"%s\"\n", actual,
                     formatted.c_str(), reference);
        std::abort();
    }
    return 0;
}
