#include "core/NumberText.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

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

// The exact value a reading stands for.
cpp_rational ValueOf(const NumberText::Reading& reading)
{
    auto exact = [](const NumberText::Decimal& d) {
        if (d.digits.empty())
            return cpp_rational(0);
        const boost::multiprecision::cpp_int power =
            pow(boost::multiprecision::cpp_int(10), static_cast<unsigned>(std::llabs(d.exponent)));
        cpp_rational v(boost::multiprecision::cpp_int(d.digits));
        v = d.exponent >= 0 ? cpp_rational(v * power) : cpp_rational(v / power);
        return d.bNegative ? cpp_rational(-v) : v;
    };
    return exact(reading.numerator) / exact(reading.denominator);
}

// Fractions, digit grouping and what input methods and other programs write; whether the text is
// wholly a number, and what was read.
TEST(NumberRule, ReadsFractionsGroupingAndInputMethodText)
{
    using Kind = NumberText::Reading::Kind;
    const Kind kNumber = NumberText::Reading::kNumber;
    const Kind kPrefix = NumberText::Reading::kPrefix;
    struct Case {
        const wchar_t* text;
        Kind kind;
        const wchar_t* read;
        const char* value;
    };
    const Case cases[] = {
        {L"1/3", kNumber, L"1/3", "1/3"},
        {L" -2 / 7 ", kNumber, L"-2 / 7", "-2/7"},
        {L"1.5/2", kNumber, L"1.5/2", "3/4"},
        {L"1e3 / 7", kNumber, L"1e3 / 7", "1000/7"},
        {L"3/-6", kNumber, L"3/-6", "-1/2"},
        {L"\xFF11\xFF0F\xFF13", kNumber, L"1/3", "1/3"}, // full width
        {L"1/2/3", kPrefix, L"1/2", "1/2"},
        {L"1/x", kPrefix, L"1", "1"},
        {L"1/0", NumberText::Reading::kZeroDenominator, L"1/0", nullptr},
        {L"1/1e-400", NumberText::Reading::kZeroDenominator, L"1/1e-400", nullptr},
        {L"1,000", kNumber, L"1,000", "1000"},
        {L"-12,345,678.9", kNumber, L"-12,345,678.9", "-123456789/10"},
        {L"1,5", kPrefix, L"1", "1"},
        {L"1,0000", kPrefix, L"1", "1"},
        {L"0,001", kPrefix, L"0", "0"},
        {L"1,000,00", kPrefix, L"1", "1"},
        {L"1,000,", kPrefix, L"1", "1"},
        {L"1 000", kPrefix, L"1", "1"},
        {L"\x2010"
         L"5",
         kNumber, L"-5", "-5"},
        {L"\x2011"
         L"5",
         kNumber, L"-5", "-5"},
        {L"\x2012"
         L"5",
         kNumber, L"-5", "-5"},
        {L"\x2013"
         L"5",
         kNumber, L"-5", "-5"},
        {L"\xFE63"
         L"5",
         kNumber, L"-5", "-5"},
        {L"\xFF0D"
         L"5",
         kNumber, L"-5", "-5"},
        {L"1e\x2013"
         L"2",
         kNumber, L"1e-2", "1/100"},
        {L"\x00A0"
         L"5\x2002",
         kNumber, L"5", "5"},
        {L"\x202F\x205F\x200A"
         L"5",
         kNumber, L"5", "5"},
        {L"\x200B"
         L"5",
         kNumber, L"5", "5"},
        {L"\xFEFF"
         L"1\x200B"
         L"2",
         kNumber, L"12", "12"},
        {L"\xFF11\x3002\xFF15", kNumber, L"1.5", "3/2"},
        {L"1\xFF61"
         L"5",
         kNumber, L"1.5", "3/2"},
        {L"1\x3002", kPrefix, L"1", "1"},
        {L"abc", NumberText::Reading::kNoNumber, L"", "0"},
        {L" ", NumberText::Reading::kNoNumber, L"", "0"},
        {L"", NumberText::Reading::kEmpty, L"", "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "text #" << (&c - cases));
        const NumberText::Reading reading = NumberText::Read(std::wstring_view(c.text));
        EXPECT_EQ(c.kind, reading.kind);
        EXPECT_EQ(c.read, reading.read);
        if (c.value != nullptr)
            EXPECT_EQ(cpp_rational(c.value), ValueOf(reading));
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

TEST(NumberFormat, ExactValueWhenSixDecimalsAreNot)
{
    using boost::multiprecision::cpp_int;
    const cpp_int big = pow(cpp_int(10), 600);
    const struct {
        cpp_int numerator, denominator;
        const wchar_t* text;
    } cases[] = {
        {1, 3, L"= 1/3"},
        {-2, 6, L"= -1/3"},
        {1, 2, L""},
        {5, 1, L""},
        {1, 10000000, L"= 1/10000000"},
        {big, 3,
         L"= 3.33333333333333333333333333333\x2026"
         L"e599"},
        {-1, pow(cpp_int(10), 45), L"= -1e-45"}, // exact in 30 digits: no ellipsis
        {big + 1, cpp_int(10) * big, L"= 0.100000000000000000000000000000\x2026"},
        {cpp_int(22) * big + 1, big, L"= 22.0000000000000000000000000000\x2026"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.text, NumberText::FormatExact(c.numerator, c.denominator)) << c.text;
}

TEST(NumberFormat, ResultLineIsLetterEqualsValueLineFeed)
{
    EXPECT_EQ("a=1.000000\n", FormatResultLine('a', "1.000000"));
    EXPECT_EQ("z=-0.000000\n", FormatResultLine('z', "-0.000000"));
}

} // namespace
