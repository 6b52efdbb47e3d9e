#include "core/BlockText.h"

#include <gtest/gtest.h>

namespace {

// Rows joined by '/', cells by '|'.
std::wstring Shape(const BlockText::Block& block)
{
    std::wstring shape;
    for (const auto& row : block.rows) {
        if (!shape.empty())
            shape += L'/';
        for (size_t j = 0; j < row.size(); ++j)
            shape += (j ? L"|" : L"") + row[j];
    }
    return shape;
}

TEST(BlockTextTest, SplitsWhatPeopleCopy)
{
    struct Case {
        const wchar_t* text;
        const wchar_t* shape; // nullptr: one cell, the text itself
    };
    const Case cases[] = {
        // A spreadsheet range: tabs, CR LF after every row, empty cells kept.
        {L"1\t2\t3\r\n4\t\t6\r\n", L"1|2|3/4||6"},
        {L"1,5\t-2\r\n", L"1.5|-2"},
        {L"1\r\n\r\n3\r\n", L"1//3"}, // a column with an empty cell
        {L"\t\t\r\n1\t2\t3", L"||/1|2|3"},
        // CSV, semicolons, quotes.
        {L"1,2,3\n4, 5 ,6\n", L"1|2|3/4|5|6"},
        {L"1,,3\r", L"1||3"},
        {L"1,5;2;3,25\n-4;5e3;1,000", L"1.5|2|3.25/-4|5e3|1.000"},
        {L"\"1,5\",\"a\"\"b\",2\nx,y", L"1,5|a\"b|2/x|y"},
        {L"x\ty\r\n", L"x|y"},
        {L"\"1\r\n2\",3\n4,5", L"1\r\n2|3/4|5"}, // a line break inside quotes
        {L"1\t2\t\r\n3\t4\t\r\n", L"1|2|/3|4|"}, // a system keeps its empty last column
        {L"1/2 -3/4", L"1/2|-3/4"},
        {L"1,5", L"1|5"},
        // Blank-aligned columns, CR alone, ideographic spaces.
        {L"   1.5   -2.0  3\n  4     5     6\n\n", L"1.5|-2.0|3/4|5|6"},
        {L"1 2\r3 4", L"1|2/3|4"},
        {L"１\x3000２", L"１|２"},
        // Matrices as numeric programs print them.
        {L"[[1, 2, 3], [4, 5, 6]]", L"1|2|3/4|5|6"},
        {L"[[ 1.  2.]\n [ 3.  4.]]\n", L"1.|2./3.|4."},
        {L"[1 2; 3 4]", L"1|2/3|4"},
        {L"  [1, -2, 3]", L"1|-2|3"},
        {L"array([1., 2.], dtype=float32)", L"1.|2."},
        // One cell: the box pastes it itself.
        {L"42", nullptr},
        {L"42\r\n", nullptr},
        {L"\r\n 42 \r\n", nullptr},
        {L"x = 5", nullptr},
        {L"1 apple", nullptr},
        {L" , ", nullptr},
        {L"", nullptr},
        {L"[]", nullptr},
        {L"1,000", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "text #" << (&c - cases));
        const BlockText::Block block = BlockText::Split(c.text);
        if (c.shape == nullptr) {
            EXPECT_TRUE(block.IsSingleCell());
            EXPECT_EQ(c.text, Shape(block));
        } else {
            EXPECT_FALSE(block.IsSingleCell());
            EXPECT_EQ(c.shape, Shape(block));
        }
    }
}

TEST(BlockTextTest, SizeIsTheRowsAndTheWidestRow)
{
    const BlockText::Block block = BlockText::Split(L"1 2\n3 4 5 6\n7");
    EXPECT_EQ(3, block.Rows());
    EXPECT_EQ(4, block.Columns());
}

} // namespace
