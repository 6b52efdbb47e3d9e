#include <gtest/gtest.h>

#include "core/PlainNumbers.h"
#include "core/SystemFile.h"

namespace {

using Rows = std::vector<std::vector<std::wstring>>;

// What a file opens as, or the words its refusal holds.
TEST(SheetShapeTest, FilesOpenAsMeantOrSayWhyNot)
{
    const struct {
        std::string bytes;
        Rows rows;              // empty: refused
        std::wstring saidOrWhy; // part of what is said, or of the reason
    } cases[] = {
        // Decimal commas, decided for the whole file: grouping points, a percentage.
        {"\"1.000,5\",2,\"25,00\xC2\xA0%\"\n3,\"-1,5\",4\n",
         {{L"1000.5", L"2", L"25.00 %"}, {L"3", L"-1.5", L"4"}},
         L"小数点をコンマ"},
        // A point that is no grouping keeps every comma as written.
        {"\"1,5\",2.5,3\n4,5,6\n", {{L"1,5", L"2.5", L"3"}, {L"4", L"5", L"6"}}, L""},
        // The program's own mark: taken exactly, labels and empty ends included.
        {"x,,y,\"\"\r\n,,,\"\"\r\n", {{L"x", L"", L"y"}, {L"", L"", L""}}, L""},
        {"1,2,3\n,,\n,,\n4,5,6\n", {}, L"空の行が 2 行あります。"},
        {"1,a,2\n3,b,4\n5,c,6\n", {}, L"2 列目は数ではなく文字です。"},
    };
    for (const auto& c : cases) {
        const SystemFile::Contents read = SystemFile::Read(c.bytes);
        EXPECT_EQ(c.rows, read.rows) << c.bytes;
        const std::wstring& words = c.rows.empty() ? read.reason : read.said;
        EXPECT_NE(std::wstring::npos, words.find(c.saidOrWhy)) << c.bytes;
        if (c.saidOrWhy.empty()) {
            EXPECT_EQ(L"", read.said) << c.bytes;
        }
    }
}

// Exact where the decimal terminates, else the 17 digits of the nearest double (these from
// Python's float of the exact fraction); beyond the doubles, as the solve reads it.
TEST(SheetShapeTest, PlainNumbersAreExactOrTheNearestDouble)
{
    const std::pair<const wchar_t*, const char*> cases[] = {
        {L"1/3", "0.33333333333333331"},
        {L"-1e20/0.3", "-3.3333333333333331e+20"},
        {L"1e-310/3", "3.3333333333331585e-311"},
        {L"1.50e-5", "0.000015"},
        {L"12345678901234567890123", "1.2345678901234567890123e22"},
        {L"1e400", ""},
        {L"1/3e400", ""},
        {L"1e-400", "0"},
        {L"x", "0"}, // as the solve reads it
        {L"1/0", ""},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(value, PlainNumbers::OfText(text)) << text;
}

} // namespace
