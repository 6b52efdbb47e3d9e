#include "core/ExactSystem.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::vector<std::string>>;

struct Case {
    const char* name;
    Texts rows;                       // n rows of n + 1 box texts
    std::vector<std::string> answers; // empty: no solution; "free" for a free unknown
};

std::vector<std::string> SolveTexts(const Texts& rows)
{
    CExactSystem system(static_cast<int>(rows.size()));
    for (size_t r = 0; r < rows.size(); ++r)
        for (size_t c = 0; c < rows[r].size(); ++c)
            system.SetText(static_cast<int>(r), static_cast<int>(c), rows[r][c]);
    std::vector<std::string> answers;
    const bool bAnswers = system.Solve() || system.GetKind() == CExactSystem::Kind::kIndefinite;
    for (int i = 0; bAnswers && i < system.GetCount(); ++i)
        answers.push_back(system.IsFree(i) ? "free" : system.FormatAnswer(i));
    return answers;
}

const std::string k300Zeros(300, '0');
const std::string kDigits255 = "1." + std::string(251, '3') + "e1"; // 255 characters

TEST(ExactSystem, ShowsTheExactSolutionCorrectlyRounded)
{
    std::vector<Case> cases = {
        // Where the floating-point elimination goes wrong.
        {"tiny coefficient", {{"1", "1", "2"}, {"1", "1e-17", "1"}}, {"1.000000", "1.000000"}},
        {"tiny pivot",
         {{"3", "2", "1", "10"}, {"1", "1e-10", "1", "3"}, {"2", "1", "1", "7"}},
         {"10000000003.000000", "-10000000000.000000", "-9999999999.000000"}},
        {"singular only as decimals",
         {{"0.1", "0.3", "1"}, {"0.3", "0.9", "3"}},
         {"10 - 3b", "free"}},
        {"exact zero has no sign", {{"-1", "0", "0"}, {"0", "1", "0"}}, {"0.000000", "0.000000"}},
        {"exact zero after elimination",
         {{"3", "2", "3"}, {"1", "-1", "1"}},
         {"1.000000", "0.000000"}},
        // The solve command's own examples keep their answers.
        {"two equations", {{"2", "1", "5"}, {"1", "3", "10"}}, {"1.000000", "3.000000"}},
        {"sum and difference", {{"1", "1", "3"}, {"1", "-1", "1"}}, {"2.000000", "1.000000"}},
        {"three equations",
         {{"2", "1", "-1", "8"}, {"-3", "-1", "2", "-11"}, {"-2", "1", "2", "-3"}},
         {"2.000000", "3.000000", "-1.000000"}},
        {"dependent", {{"1", "2", "3"}, {"2", "4", "6"}}, {"3 - 2b", "free"}},
        {"one fixed, one free",
         {{"1", "0", "0", "1"}, {"0", "2", "4", "1"}, {"0", "1", "2", "1/2"}},
         {"1.000000", "1/2 - 2c", "free"}},
        {"fractions",
         {{"2", "0", "-3/2", "1"}, {"4", "0", "-3", "2"}, {"0", "1", "1", "2"}},
         {"1/2 + 3/4c", "2 - c", "free"}},
        {"a coefficient too long for a fraction",
         {{"3", "1" + std::string(40, '0') + "1", "1"},
          {"6", "2" + std::string(40, '0') + "2", "2"}},
         {"1/3 - 33333333333333333333333333333333333333333.666667b", "free"}},
        {"a determinant the first prime divides",
         {{"4611686018427387847", "0", "1"}, {"0", "1", "1"}},
         {"0.000000", "1.000000"}},
        {"a first prime that misleads",
         {{"4611686018427387847", "0", "1"}, {"0", "0", "0"}},
         {"0.000000", "free"}},
        {"contradictory", {{"1", "2", "3"}, {"2", "4", "7"}}, {}},
        {"zero where an elimination without exchanges divides",
         {{"0", "1", "1"}, {"1", "0", "2"}},
         {"2.000000", "1.000000"}},
        {"all empty", {{"", "", ""}, {"", "", ""}}, {"free", "free"}},
        {"lenient texts",
         {{" 12abc", "1,5", "0x10"}, {"abc", "1d2", "1e2"}},
         {"-0.083333", "1.000000"}},
        {"a million", {{"1", "0", "1000000"}, {"0", "1", "1"}}, {"1000000.000000", "1.000000"}},
        // Ties at the seventh decimal go to the even neighbour; a negative value keeps its sign.
        {"ties", {{"2", "0", "0.000001"}, {"0", "2", "0.000003"}}, {"0.000000", "0.000002"}},
        {"ties upward and negative",
         {{"2", "0", "0.000005"}, {"0", "2", "-0.000001"}},
         {"0.000002", "-0.000000"}},
        {"negative value rounding to zero",
         {{"3", "0", "-0.000001"}, {"0", "-7", "0.000003"}},
         {"-0.000000", "-0.000000"}},
        {"just below a tie",
         {{"1", "0", "0.00000049999999999999999"}, {"0", "1", "-2.5e-6"}},
         {"0.000000", "-0.000002"}},
        // Huge and tiny decimals, far beyond what a double holds exactly.
        {"huge answer",
         {{"1e-300", "0", "1"}, {"0", "1", "1e-300"}},
         {"1" + k300Zeros + ".000000", "0.000000"}},
        {"answer beyond the double range",
         {{"1e-300", "0", "1e300"}, {"0", "1", "-1"}},
         {"1" + std::string(600, '0') + ".000000", "-1.000000"}},
        {"every digit of a long number",
         {{"1", "0", "123456789012345678901234567890.1234565"}, {"0", "1", "0.1234575"}},
         {"123456789012345678901234567890.123456", "0.123458"}},
        {"subnormal coefficient",
         {{"4e-324", "0", "4e-324"}, {"0", "1", "0"}},
         {"1.000000", "0.000000"}},
        {"255 characters",
         {{kDigits255, "0", kDigits255}, {"0", kDigits255, "0"}},
         {"1.000000", "0.000000"}},
        // Outside the double range: beyond counts as no solution, too small counts as zero.
        {"beyond the largest double", {{"1e309", "0", "1"}, {"0", "1", "1"}}, {}},
        {"negative beyond the largest double", {{"1", "0", "-2e308"}, {"0", "1", "1"}}, {}},
        {"converts to zero", {{"1e-400", "0", "1"}, {"0", "1", "1"}}, {}},
        {"zero column of tiny numbers",
         {{"1", "1e-999", "1"}, {"1", "0", "1"}},
         {"1.000000", "free"}},
        {"rank 1 of 26", {}, {"27"}},
    };
    Case& rank1 = cases.back(); // row i is i times 1a + 2b + ... + 26z = 27
    for (int i = 1; i <= 26; ++i) {
        rank1.rows.emplace_back();
        for (int c = 1; c <= 27; ++c)
            rank1.rows.back().push_back(std::to_string(i * c));
        rank1.answers[0] += i > 1 ? " - " + std::to_string(i) + char('a' + i - 1) : "";
    }
    rank1.answers.resize(26, "free");
    for (const Case& c : cases)
        EXPECT_EQ(c.answers, SolveTexts(c.rows)) << c.name;
}

TEST(ExactSystem, TheSolutionSatisfiesEveryEquationExactly)
{
    // 0.1 a + 0.2 b + 0.3 c = 1 and so on: a tenth is taken as a tenth.
    CExactSystem system(3);
    const Texts rows = {
        {"0.1", "0.2", "0.3", "1"}, {"0.7", "-0.5", "0.01", "0"}, {"3", "1", "0", "2"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            system.SetText(r, c, rows[r][c]);
    ASSERT_TRUE(system.Solve());
    using boost::multiprecision::cpp_int;
    const cpp_int& d = system.GetDenominator();
    EXPECT_GT(d, 0);
    // Scaled by 100: 10a + 20b + 30c = 100, 70a − 50b + c = 0, 300a + 100b = 200.
    const int scaled[3][4] = {{10, 20, 30, 100}, {70, -50, 1, 0}, {300, 100, 0, 200}};
    for (const auto& row : scaled) {
        cpp_int lhs = 0;
        for (int c = 0; c < 3; ++c)
            lhs += row[c] * system.GetNumerator(c);
        EXPECT_EQ(row[3] * d, lhs);
    }
}

TEST(ExactSystem, WideTextsAndTwentySixUnknowns)
{
    // x_k = k + 1 for the system whose row i is 1 on the diagonal and 1e-15 elsewhere.
    const int n = 26;
    CExactSystem system(n);
    for (int i = 0; i < n; ++i) {
        long long sumOthers = 0;
        for (int k = 0; k < n; ++k) {
            system.SetText(i, k, i == k ? std::wstring(L"1") : std::wstring(L"1e-15"));
            if (k != i)
                sumOthers += k + 1;
        }
        // b_i = (i + 1) + 1e-15 × sumOthers, written out in full.
        std::string frac = std::to_string(sumOthers);
        frac.insert(0, 15 - frac.size(), '0');
        system.SetText(i, n,
                       std::to_wstring(i + 1) + L"." + std::wstring(frac.begin(), frac.end()));
    }
    ASSERT_TRUE(system.Solve());
    for (int k = 0; k < n; ++k)
        EXPECT_EQ(std::to_string(k + 1) + ".000000", system.FormatAnswer(k)) << k;
}

} // namespace
