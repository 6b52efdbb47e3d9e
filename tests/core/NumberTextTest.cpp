#include "core/NumberText.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <tuple>

#include "Bits.h"
#include "tests/common/Rational.h"

namespace {

using boost::multiprecision::cpp_rational;
using NumberText::FormatFixed;
using NumberText::FormatResultLine;
using NumberText::ParseLenient;

const double kInf = std::numeric_limits<double>::infinity();

// A finite double's exact value, formatted.
std::string FormatDouble(double value)
{
    const cpp_rational exact = ExactValueOf(value);
    return FormatFixed(numerator(exact), denominator(exact));
}

TEST(NumberRule, ReadsTheLongestNumberPrefix)
{
    EXPECT_BITS(12.0, ParseLenient(" 12abc"));
    EXPECT_BITS(100.0, ParseLenient("1d2"));
    EXPECT_BITS(100.0, ParseLenient("1D2"));
    EXPECT_BITS(100.0, ParseLenient("1e2"));
    EXPECT_BITS(100.0, ParseLenient("1E+2"));
    EXPECT_BITS(0.01, ParseLenient("1e-2"));
    EXPECT_BITS(1.0, ParseLenient("1,5"));
    EXPECT_BITS(0.5, ParseLenient(".5"));
    EXPECT_BITS(12.0, ParseLenient("12."));
    EXPECT_BITS(12.5, ParseLenient("12.5.3"));
    EXPECT_BITS(-3.25, ParseLenient("\t\n\v\f\r -3.25"));
    EXPECT_BITS(7.0, ParseLenient("+7"));
}

TEST(NumberRule, TextWithoutANumberIsZero)
{
    EXPECT_BITS(0.0, ParseLenient(""));
    EXPECT_BITS(0.0, ParseLenient("abc"));
    EXPECT_BITS(0.0, ParseLenient("-"));
    EXPECT_BITS(0.0, ParseLenient("+.e1"));
    EXPECT_BITS(0.0, ParseLenient("."));
    EXPECT_BITS(0.0, ParseLenient("inf"));
    EXPECT_BITS(0.0, ParseLenient("-infinity"));
    EXPECT_BITS(0.0, ParseLenient("nan"));
    EXPECT_BITS(0.0, ParseLenient("- 5")); // no blank between sign and digits
}

TEST(NumberRule, NoHexadecimalAndExponentNeedsDigits)
{
    EXPECT_BITS(0.0, ParseLenient("0x10"));
    EXPECT_BITS(1.0, ParseLenient("1e"));
    EXPECT_BITS(1.0, ParseLenient("1e+"));
    EXPECT_BITS(1.0, ParseLenient("1ex5"));
    EXPECT_BITS(2.0, ParseLenient("2d-"));
    EXPECT_BITS(-0.0, ParseLenient("-0"));
}

// Full-width text, as a Japanese input method writes it, reads as its ASCII form; other
// characters end a number, even when their low byte looks like a digit.
TEST(NumberRule, WideTextReadsFullWidthFormsAsAscii)
{
    auto fullWidth = [](const std::string& text) {
        std::wstring wide;
        for (char ch : text)
            wide += ch == ' ' ? L'\x3000' : static_cast<wchar_t>(ch + 0xFEE0);
        return wide;
    };
    for (const char* text : {" 12abc", "1d2", "1D2", "1E+2", "-3.25", "+7", "12.5.3", "1,5", ".5",
                             "1ex5", "-", "0x10", "- 5", "1.5e3"}) {
        SCOPED_TRACE(text);
        const double expected = ParseLenient(text);
        EXPECT_BITS(expected, ParseLenient(std::wstring(text, text + std::strlen(text))));
        EXPECT_BITS(expected, ParseLenient(fullWidth(text)));
    }
    EXPECT_BITS(-5.0, ParseLenient(L"\x2212\xFF15")); // minus sign
    EXPECT_BITS(-5.0, ParseLenient(L"\x30FC\xFF15")); // kana long-vowel mark for the minus key
    EXPECT_BITS(12.0, ParseLenient(L"\xFF11\xFF12\x3002")); // the ideographic full stop ends it
    EXPECT_BITS(1.0, ParseLenient(L"1\x0135"));
    EXPECT_BITS(1.0, ParseLenient(L"1\xFF65")); // a half-width katakana dot is no point
}

// Fractions, digit grouping and what input methods and other programs write: whether the text is
// wholly a number, and what was read. Their values are the oracle's to check.
TEST(NumberRule, ReadsFractionsGroupingAndInputMethodText)
{
    using R = NumberText::Reading;
    const std::tuple<const wchar_t*, R::Kind, const wchar_t*> cases[] = {
        // clang-format off
        {L" -2 / 7 ", R::kNumber, L"-2 / 7"},      {L"\uFF11\uFF0F\uFF13", R::kNumber, L"1/3"},
        {L"1/2/3", R::kPrefix, L"1/2"},             {L"1/0", R::kZeroDenominator, L"1/0"},
        {L"-12,345,678.9", R::kNumber, L"-12,345,678.9"}, {L"1,000,00", R::kPrefix, L"1"},
        {L"1e\u20132", R::kNumber, L"1e-2"},        {L"\u00A0\u202F\u205F\u200B5", R::kNumber, L"5"},
        {L"\uFF11\u3002\uFF15", R::kNumber, L"1.5"}, {L"1\u3002", R::kPrefix, L"1"},
        {L" ", R::kNoNumber, L""},                  {L"", R::kEmpty, L""},
        // clang-format on
    };
    for (const auto& [text, kind, read] : cases) {
        EXPECT_EQ(kind, NumberText::Read(std::wstring_view(text)).kind) << read;
        EXPECT_EQ(read, NumberText::Read(std::wstring_view(text)).read);
    }
}

TEST(NumberRule, ConvertsCorrectlyRoundedAtTheEdges)
{
    // 400 digits: 1 followed by 399 zeros overflows; a long fraction rounds correctly.
    EXPECT_BITS(kInf, ParseLenient("1" + std::string(399, '0')));
    EXPECT_BITS(-kInf, ParseLenient("-1" + std::string(399, '0')));
    EXPECT_BITS(0.1, ParseLenient("0." + std::string(399, '0').replace(0, 1, "1")));
    // Halfway between 1 and the next double, with a 1 far out breaking the tie upwards.
    EXPECT_BITS(1.0000000000000002,
                ParseLenient("1.00000000000000011102230246251565404236316680908203125" +
                             std::string(300, '0') + "1"));
    EXPECT_BITS(1.0, ParseLenient("1.00000000000000011102230246251565404236316680908203125"));
    EXPECT_BITS(0.0, ParseLenient("1e-400"));
    EXPECT_BITS(-0.0, ParseLenient("-1e-400"));
    EXPECT_BITS(kInf, ParseLenient("1e400"));
    EXPECT_BITS(kInf, ParseLenient("1d99999999999999999999"));
    EXPECT_BITS(0.0, ParseLenient("0e99999999999999999999"));
    EXPECT_BITS(1e-101, ParseLenient("0." + std::string(400, '0') + "1e300"));
    EXPECT_BITS(1e-320, ParseLenient("0.00001e-315")); // subnormal
    EXPECT_BITS(DBL_MAX, ParseLenient("1.7976931348623157e308"));
    EXPECT_BITS(4.9406564584124654e-324, ParseLenient("4.9406564584124654e-324"));
    EXPECT_BITS(2.2250738585072009e-308, ParseLenient("2.2250738585072009e-308"));
    EXPECT_BITS(1e23, ParseLenient("1e23"));
}

TEST(NumberFormat, RoundsTheExactQuotientToNearestTiesToEven)
{
    EXPECT_EQ("0.333333", FormatFixed(1, 3));
    EXPECT_EQ("-0.333333", FormatFixed(-1, 3));
    EXPECT_EQ("-0.666667", FormatFixed(2, -3));
    EXPECT_EQ("0.666667", FormatFixed(-2, -3));
    EXPECT_EQ("0.000000", FormatFixed(0, -5));
    EXPECT_EQ("-0.000000", FormatFixed(1, -2000000)); // a tie, down to even, sign kept
    EXPECT_EQ("0.000002", FormatFixed(5, 2000000));
    EXPECT_EQ("0.000004", FormatFixed(7, 2000000));
    EXPECT_EQ("1.000000", FormatFixed(1999999, 2000000)); // 0.9999995: up to even
    EXPECT_EQ("12.000000", FormatFixed(12, 1));
}

// The exact values of doubles format as C's "%lf" prints them.
TEST(NumberFormat, MatchesFixedSixDecimalsOfDoubles)
{
    EXPECT_EQ("1.000000", FormatDouble(1.0000000000000002));
    EXPECT_EQ("0.000000", FormatDouble(-0.0)); // zero, exactly: no sign
    EXPECT_EQ("0.000000", FormatDouble(0.0));
    EXPECT_EQ("1000000.000000", FormatDouble(1e6));
    EXPECT_EQ("-1.000000", FormatDouble(-1.0));
    EXPECT_EQ("0.000001", FormatDouble(0.0000005000000000000001));
    EXPECT_EQ("0.000000", FormatDouble(4.9406564584124654e-324));
    EXPECT_EQ("-0.000000", FormatDouble(-4.9406564584124654e-324));
    EXPECT_EQ("3.333333", FormatDouble(3.3333333333333335));
    EXPECT_EQ("2.500000", FormatDouble(2.5));
    EXPECT_EQ("0.125000", FormatDouble(0.125));
}

TEST(NumberFormat, PrintsEveryIntegerDigitOfHugeValues)
{
    const std::string big = FormatDouble(1e300);
    EXPECT_EQ(301u + 7u, big.size());
    EXPECT_EQ(std::string("100000000000000005250476025520442024870446858110815915491585411551180245"
                          "798890819578637137"
                          "508044786404370444383288387817694252323536043057564479218478670698284838"
                          "720092657580373783"
                          "023379478809005936895323497079994508111903896764088007465274278014249457"
                          "925878882005684283"
                          "8115669472196386865459400540160.000000"),
              big);
    const std::string max = FormatDouble(DBL_MAX);
    EXPECT_EQ(309u + 7u, max.size());
    EXPECT_EQ("179769313486231570814527423731704356798070567525844996598917476803157260780",
              max.substr(0, 75));
    EXPECT_EQ(".000000", max.substr(309));
    EXPECT_EQ(310u + 7u, FormatDouble(-DBL_MAX).size());
}

// Beside the window's cases: whole in 30 digits, and fixed notation.
TEST(NumberFormat, ExactValueWhenSixDecimalsAreNot)
{
    using boost::multiprecision::cpp_int;
    const cpp_int big = pow(cpp_int(10), 600);
    EXPECT_EQ(L"= -1e-45", NumberText::FormatExact(-1, pow(cpp_int(10), 45)));
    EXPECT_EQ(L"= 22.0000000000000000000000000000\u2026",
              NumberText::FormatExact(22 * big + 1, big));
}

TEST(NumberFormat, ResultLineIsLetterEqualsValueLineFeed)
{
    EXPECT_EQ("a=1.000000\n", FormatResultLine('a', "1.000000"));
    EXPECT_EQ("z=-0.000000\n", FormatResultLine('z', "-0.000000"));
}

} // namespace
